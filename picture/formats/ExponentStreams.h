// Files of the exponents themselves, one 64-bit float per pixel, written row
// band by row band as the rows are finished: a TIFF (libtiff, in strips, the
// parameter text in its ImageDescription) or a NumPy .npy array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct tiff;

class TiffStream {
public:
    // Writes to the file open for reading and writing on fileDescriptor
    // (which stays open): width x height IEEE doubles, one sample a pixel.
    TiffStream(int fileDescriptor, std::int32_t width, std::int32_t height,
               const std::string& software, const std::string& description);
    ~TiffStream();
    TiffStream(const TiffStream&) = delete;
    TiffStream& operator=(const TiffStream&) = delete;

    // The next count rows of width values. After the last row the file is
    // complete. False on failure.
    bool WriteRows(const double* rows, std::int32_t count);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const { return fError; }

    // For libtiff's callbacks: the file, and where a failure's reason goes.
    int FileDescriptor() const { return fFileDescriptor; }
    std::string& ErrorText() { return fError; }

private:
    tiff* fTiff = nullptr;
    int fFileDescriptor;
    std::int32_t fRowsWritten = 0;
    std::int32_t fHeight;
    std::string fError;
};

// The .npy header of a height x width array of little-endian doubles in C
// order: the magic, version 1.0, and the header dictionary padded with
// blanks to a multiple of 64 bytes.
std::string NpyHeader(std::int32_t width, std::int32_t height);

// Writes count values as little-endian doubles to the file open on
// fileDescriptor; on failure sets error to the system's reason.
bool WriteLittleEndian(int fileDescriptor, const double* values, std::size_t count, std::string& error);
