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

    // Open for writing until the file is moved into place or removed.
    int Descriptor() const { return fDescriptor; }

    // Removes the file at once; writes through the descriptor still succeed
    // but land nowhere.
    void Remove();

    // Renames the file to finalPath (atomically replacing any file there).
    bool MoveTo(const std::string& finalPath, std::string& error);

private:
    TemporaryFile(std::string path, int descriptor);
    void Close();

    std::string fPath;     // empty once moved into place or removed
    int fDescriptor = -1;  // -1 once closed
};
