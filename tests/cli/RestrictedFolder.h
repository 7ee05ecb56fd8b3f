// A scratch folder where writing fails for a reason outside the program:
// the folder is read-only, or its file system is almost full. Root ignores
// permission bits, and CI runs as root: there the folder is made read-only
// by a read-only bind mount and small by a tmpfs mount, both in a mount
// namespace private to this test process, so that nothing outside sees them.
#pragma once

#include "RenderProcess.h"

#include <map>

enum class FolderLimit { kNone, kReadOnly, kSmallDisk };

class RestrictedFolder {
public:
    // The small disk holds this many bytes: a few small files, not an image.
    static constexpr std::size_t kSmallDiskBytes = 64 * 1024;

    // Writes files (name to contents) into the folder, then restricts it.
    RestrictedFolder(FolderLimit limit, const std::map<std::string, std::string>& files);
    // Lifts the restriction, so that the folder can be removed.
    ~RestrictedFolder();
    const std::filesystem::path& Path() const { return fPath; }
    // Empty when the folder is restricted as asked; otherwise why it is not.
    const std::string& Unavailable() const { return fUnavailable; }

private:
    ScratchFolder fScratch;  // holds fPath; removed after the lift
    std::filesystem::path fPath;
    bool fMounted = false;
    std::string fUnavailable;
};
