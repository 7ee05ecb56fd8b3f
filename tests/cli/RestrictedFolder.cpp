#include "RestrictedFolder.h"

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Empty on success, otherwise what failed and why.
std::string Failed(bool succeeded, const std::string& what)
{
    return succeeded ? std::string() : what + " failed: " + std::strerror(errno);
}

// A mount namespace of this process whose mounts propagate nowhere. It
// belongs to the thread that first asks, and the programs it starts: the
// tests that use it run on the main thread.
const std::string& PrivateMountNamespace()
{
    static const std::string unavailable = [] {
        const std::string why = Failed(unshare(CLONE_NEWNS) == 0, "unshare");
        return !why.empty() ? why
                            : Failed(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0,
                                     "making / private");
    }();
    return unavailable;
}

std::string Restrict(const std::filesystem::path& folder, FolderLimit limit)
{
    if (geteuid() != 0)
        return limit == FolderLimit::kReadOnly ? Failed(chmod(folder.c_str(), 0555) == 0, "chmod")
                                               : "only root can mount a small file system";
    if (const std::string& why = PrivateMountNamespace(); !why.empty())
        return why;
    if (limit == FolderLimit::kSmallDisk) {
        const std::string size = "size=" + std::to_string(RestrictedFolder::kSmallDiskBytes);
        return Failed(mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) == 0, "tmpfs mount");
    }
    const std::string why = Failed(mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0, "bind mount");
    return !why.empty() ? why
                        : Failed(mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                                       nullptr) == 0, "read-only remount");
}

} // namespace

RestrictedFolder::RestrictedFolder(FolderLimit limit,
                                   const std::map<std::string, std::string>& files)
    : fPath(fScratch.Path() / "restricted")
{
    std::filesystem::create_directory(fPath);
    // A small disk is mounted before the files are written into it; a
    // read-only folder after.
    if (limit == FolderLimit::kSmallDisk)
        fUnavailable = Restrict(fPath, limit);
    for (const auto& [name, contents] : files)
        WriteWholeFile(fPath / name, contents);
    if (limit == FolderLimit::kReadOnly)
        fUnavailable = Restrict(fPath, limit);
    fMounted = limit != FolderLimit::kNone && geteuid() == 0;
}

RestrictedFolder::~RestrictedFolder()
{
    // A bind mount left half made by a failed remount goes too.
    if (fMounted)
        umount2(fPath.c_str(), MNT_DETACH);
    chmod(fPath.c_str(), 0755);
}
