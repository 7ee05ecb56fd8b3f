#include "RestrictedFolder.h"

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Failed(const std::string& what)
{
    return what + " failed: " + std::strerror(errno);
}

// Empty once this process has a mount namespace of its own whose mounts
// propagate nowhere; otherwise why it could not have one. The namespace
// belongs to the thread that first asks, and the programs it starts: the
// tests that use it run on the main thread.
const std::string& PrivateMountNamespace()
{
    static const std::string unavailable = []() -> std::string {
        if (unshare(CLONE_NEWNS) != 0)
            return Failed("unshare(CLONE_NEWNS)");
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return Failed("making / private");
        return {};
    }();
    return unavailable;
}

std::string Unmount(const std::filesystem::path& folder)
{
    return umount2(folder.c_str(), MNT_DETACH) == 0 ? std::string() : Failed("umount");
}

std::string MountReadOnly(const std::filesystem::path& folder)
{
    if (const std::string& why = PrivateMountNamespace(); !why.empty())
        return why;
    if (mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0)
        return Failed("bind mount");
    if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        const std::string why = Failed("read-only remount");
        Unmount(folder);
        return why;
    }
    return {};
}

std::string SetMode(const std::filesystem::path& folder, mode_t mode)
{
    return chmod(folder.c_str(), mode) == 0 ? std::string() : Failed("chmod");
}

std::string MountSmallDisk(const std::filesystem::path& folder)
{
    if (geteuid() != 0)
        return "only root can mount a small file system";
    if (const std::string& why = PrivateMountNamespace(); !why.empty())
        return why;
    const std::string size = "size=" + std::to_string(RestrictedFolder::kSmallDiskBytes);
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) != 0)
        return Failed("tmpfs mount");
    return {};
}

void WriteFiles(const std::filesystem::path& folder,
                const std::map<std::string, std::string>& files)
{
    for (const auto& [name, contents] : files)
        WriteWholeFile(folder / name, contents);
}

} // namespace

RestrictedFolder::RestrictedFolder(FolderLimit limit,
                                   const std::map<std::string, std::string>& files)
    : fPath(fScratch.Path() / "restricted")
{
    std::filesystem::create_directory(fPath);
    if (limit == FolderLimit::kSmallDisk) {
        fUnavailable = MountSmallDisk(fPath);
        if (fUnavailable.empty())
            fLift = [this] { Unmount(fPath); };
    }
    WriteFiles(fPath, files);
    if (limit != FolderLimit::kReadOnly)
        return;
    if (geteuid() != 0) {
        fUnavailable = SetMode(fPath, 0555);
        fLift = [this] { SetMode(fPath, 0755); };
        return;
    }
    fUnavailable = MountReadOnly(fPath);
    if (fUnavailable.empty())
        fLift = [this] { Unmount(fPath); };
}

RestrictedFolder::~RestrictedFolder()
{
    if (fLift)
        fLift();
}

