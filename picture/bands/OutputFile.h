// The output written into a new hidden file beside it (mkostemp) and renamed
// over it only when complete, so that a failed or interrupted run leaves no
// partial file and never clobbers an existing one. Shared by the renderer
// and the viewer's save; every format writes its bytes through WriteAll.
#pragma once

#include "Result.h"

#include <cstddef>
#include <cstdint>
#include <string>

class OutputFile {
public:
    // The reason when finalPath names a folder, a pipe or a device, or no
    // file can be made beside it.
    static Result<OutputFile> CreateBeside(const std::string& finalPath);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&&) = delete;
    // Removes the temporary file unless it was moved into place.
    ~OutputFile();

    // Open for writing until the file is moved into place.
    int Descriptor() const { return fDescriptor; }

    // Renames the file to its final path (atomically replacing any file).
    bool MoveIntoPlace(std::string& error);

private:
    OutputFile(std::string path, std::string finalPath, int descriptor);

    std::string fPath;       // empty once moved into place
    std::string fFinalPath;
    int fDescriptor = -1;    // -1 once closed
};

// Writes every byte to the file open on fileDescriptor; on failure sets
// error to the system's reason.
bool WriteAll(int fileDescriptor, const std::uint8_t* bytes, std::size_t size,
              std::string& error);
