#include "TemporaryFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kNameStartKept = 64;

std::string TemporaryPathBeside(const std::string& finalPath, unsigned attempt)
{
    const auto slash = finalPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : finalPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? finalPath : finalPath.substr(slash + 1);
    // Hidden, and unique to this process, so that concurrent runs writing
    // the same file never share a temporary one. Only the start of the name
    // is kept: the whole of a name near the system's limit would take the
    // temporary name beyond it.
    return folder + "." + name.substr(0, kNameStartKept) + "." + std::to_string(getpid()) +
           "-" + std::to_string(attempt) + ".tmp";
}

} // namespace

std::optional<TemporaryFile> TemporaryFile::CreateBeside(const std::string& finalPath,
                                                         std::string& error)
{
    static std::atomic<unsigned> attempts{0};
    for (int tries = 0; tries < 100; ++tries) {
        const std::string path = TemporaryPathBeside(finalPath, attempts.fetch_add(1));
        // 0666 under the umask: the finished file gets the usual permissions.
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return TemporaryFile(path, fd);
        if (errno != EEXIST) {
            error = std::strerror(errno);
            return std::nullopt;
        }
    }
    error = "no free temporary file name";
    return std::nullopt;
}

TemporaryFile::TemporaryFile(std::string path, int descriptor)
    : fPath(std::move(path)), fDescriptor(descriptor)
{
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : fPath(std::move(other.fPath)), fDescriptor(other.fDescriptor)
{
    other.fPath.clear();
    other.fDescriptor = -1;
}

TemporaryFile::~TemporaryFile()
{
    Remove();
    Close();
}

void TemporaryFile::Remove()
{
    if (!fPath.empty())
        std::remove(fPath.c_str());
    fPath.clear();
}

void TemporaryFile::Close()
{
    if (fDescriptor >= 0)
        close(fDescriptor);
    fDescriptor = -1;
}

bool TemporaryFile::MoveTo(const std::string& finalPath, std::string& error)
{
    const int closed = close(fDescriptor);
    fDescriptor = -1;
    if (closed != 0 || std::rename(fPath.c_str(), finalPath.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    fPath.clear();
    return true;
}
