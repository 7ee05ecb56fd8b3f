#include "WriteImage.h"

#include "ImageFile.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <memory>

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

bool WritePgm(const std::string& path, const RenderOptions& options,
              const std::vector<std::uint8_t>& values, std::string& error)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                              std::fclose);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    const std::string header = "P5\n" + std::to_string(options.width) + " " +
                               std::to_string(options.height) + "\n255\n";
    const bool written =
        std::fwrite(header.data(), 1, header.size(), file.get()) == header.size() &&
        std::fwrite(values.data(), 1, values.size(), file.get()) == values.size() &&
        std::fflush(file.get()) == 0;
    if (!written)
        error = std::strerror(errno);
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

bool WriteImage(const std::string& path, const RenderOptions& options,
                const std::vector<std::uint8_t>& pixels, std::string& error)
{
    if (options.format == ImageFormat::kPgm)
        return WritePgm(path, options, pixels, error);
    const ImageTextChunks chunks = {
        {"Software", "ombrelia-render " OMBRELIA_VERSION},
        {"Description", ReproductionCommand(options)},
    };
    return WriteRgbPng(path, options.width, options.height, pixels.data(), chunks, error);
}
