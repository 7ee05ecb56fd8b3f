#include "WriteImage.h"

#include "ImageFile.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Shortest text that reads back as the same double.
std::string ExactText(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string ShellQuoted(const std::string& text)
{
    const bool plain = !text.empty() &&
        text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "0123456789._-+,") == std::string::npos;
    if (plain)
        return text;
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string FileName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fileDescriptor, const std::uint8_t* bytes, std::size_t size,
              std::string& error)
{
    while (size > 0) {
        const ssize_t written = write(fileDescriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = std::strerror(errno);
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool WritePgm(int fileDescriptor, const RenderOptions& options,
              const std::vector<std::uint8_t>& values, std::string& error)
{
    const std::string header = "P5\n" + std::to_string(options.width) + " " +
                               std::to_string(options.height) + "\n255\n";
    return WriteAll(fileDescriptor, reinterpret_cast<const std::uint8_t*>(header.data()),
                    header.size(), error) &&
           WriteAll(fileDescriptor, values.data(), values.size(), error);
}

// Copies everything in source, from its start, to destination.
bool CopyWhole(int source, int destination, std::string& error)
{
    if (lseek(source, 0, SEEK_SET) != 0) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<std::uint8_t> buffer(1 << 20);
    for (;;) {
        const ssize_t got = read(source, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (got == 0)
            return true;
        if (!WriteAll(destination, buffer.data(), static_cast<std::size_t>(got), error))
            return false;
    }
}

// The PNG encoder, told that a write failed, says only "Write Error", and
// says it on standard error besides. So the PNG is encoded into memory and
// then copied to the file, where a failure has the system's reason (a full
// disk) and the complaint stays one line.
bool WritePng(int fileDescriptor, const RenderOptions& options,
              const std::vector<std::uint8_t>& rgb, std::string& error)
{
    const int memory = memfd_create("ombrelia-render-png", MFD_CLOEXEC);
    if (memory < 0) {
        error = std::strerror(errno);
        return false;
    }
    const ImageTextChunks chunks = {
        {"Software", "ombrelia-render " OMBRELIA_VERSION},
        {"Description", ReproductionCommand(options)},
    };
    const bool written =
        WriteRgbPng(memory, options.width, options.height, rgb.data(), chunks, error) &&
        CopyWhole(memory, fileDescriptor, error);
    close(memory);
    return written;
}

} // namespace

std::string ReproductionCommand(const RenderOptions& options)
{
    return "ombrelia-render --format " +
           std::string(options.format == ImageFormat::kPng ? "png" : "pgm") +
           " --size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
           " --iterations " + std::to_string(options.iterations) +
           " --a " + ExactText(options.aMin) + ":" + ExactText(options.aMax) +
           " --b " + ExactText(options.bMin) + ":" + ExactText(options.bMax) +
           " --morph " + ExactText(options.morph) +
           " --first-x " + ExactText(options.firstX) +
           " --contrast " + ExactText(options.contrast) +
           " --palette " + std::to_string(options.palette) +
           " --supersample " + std::to_string(options.supersample) +
           " -o " + ShellQuoted(FileName(options.output));
}

bool WriteImage(int fileDescriptor, const RenderOptions& options,
                const std::vector<std::uint8_t>& pixels, std::string& error)
{
    if (options.format == ImageFormat::kPgm)
        return WritePgm(fileDescriptor, options, pixels, error);
    return WritePng(fileDescriptor, options, pixels, error);
}
