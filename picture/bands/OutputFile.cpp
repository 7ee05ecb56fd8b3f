#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only the start of the name is kept: the whole of a name near the system's
// limit would take the temporary name beyond it.
constexpr std::size_t kNameStartKept = 64;

// Why the finished file cannot be renamed to path; empty when it can.
std::string UnfitTarget(const std::string& path)
{
    std::error_code ignored;
    const auto existing = std::filesystem::status(path, ignored).type();
    if (existing == std::filesystem::file_type::directory)
        return "it is a folder";
    // Renaming over a device node or a pipe (say /dev/null, as root) would
    // destroy it.
    if (existing != std::filesystem::file_type::not_found &&
        existing != std::filesystem::file_type::regular)
        return "it is not a regular file";
    return "";
}

} // namespace

Result<OutputFile> OutputFile::CreateBeside(const std::string& finalPath)
{
    if (std::string unfit = UnfitTarget(finalPath); !unfit.empty())
        return Failure{unfit};
    const auto slash = finalPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : finalPath.substr(0, slash + 1);
    const std::string name = finalPath.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string path = folder + "." + name.substr(0, kNameStartKept) + ".XXXXXX";
    const int fd = mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return Failure{std::strerror(errno)};
    // mkostemp makes the file private (0600); the finished picture gets the
    // permissions any new file would, 0666 under the umask (read by setting
    // it back at once; no other thread runs yet).
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return OutputFile(path, finalPath, fd);
}

OutputFile::OutputFile(std::string path, std::string finalPath, int descriptor)
    : fPath(std::move(path)), fFinalPath(std::move(finalPath)), fDescriptor(descriptor)
{
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : fPath(std::move(other.fPath)), fFinalPath(std::move(other.fFinalPath)),
      fDescriptor(other.fDescriptor)
{
    other.fPath.clear();
    other.fDescriptor = -1;
}

OutputFile::~OutputFile()
{
    if (!fPath.empty())
        std::remove(fPath.c_str());
    if (fDescriptor >= 0)
        close(fDescriptor);
}

bool OutputFile::MoveIntoPlace(std::string& error)
{
    const int closed = close(fDescriptor);
    fDescriptor = -1;
    if (closed != 0 || std::rename(fPath.c_str(), fFinalPath.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    fPath.clear();
    return true;
}

bool WriteAll(int fileDescriptor, const std::uint8_t* bytes, std::size_t size,
              std::string& error)
{
    while (size > 0) {
        const ssize_t written = write(fileDescriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = std::strerror(written < 0 ? errno : ENOSPC);
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
