// A new, empty file beside the final one, renamed over it only when complete,
// so that a failed or interrupted run leaves no partial file and never
// clobbers an existing one.
#pragma once

#include <optional>
#include <string>

class TemporaryFile {
public:
    // Creates the file in the folder of finalPath; on failure sets error to
    // the system's reason and returns nothing.
    static std::optional<TemporaryFile> CreateBeside(const std::string& finalPath,
                                                     std::string& error);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Removes the file unless it was moved into place.
    ~TemporaryFile();

    const std::string& Path() const { return fPath; }

    // Renames the file to finalPath (atomically replacing any file there).
    bool MoveTo(const std::string& finalPath, std::string& error);

private:
    explicit TemporaryFile(std::string path);

    std::string fPath;  // empty once moved into place
};
