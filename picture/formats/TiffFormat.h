// The TIFF of exponents, one 64-bit float per pixel: written by libtiff in
// strips, row band by row band as the rows are finished, with the parameter
// text in its ImageDescription; read back, its rows band by band, so that a
// picture can be coloured again without computing its orbits.
#pragma once

#include "BandedRender.h"
#include "PictureDescription.h"

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

// Hands the exponents of the TIFF at path to sink in bands of rows, as
// RenderBands hands on computed ones (control's band size, progress and
// interrupt; its threads are not needed). kSourceFailed, with the reason in
// error, when the file is not picture.width x picture.height 64-bit floats
// or cannot be read.
RenderOutcome ReadExponentBands(const std::string& path, const PictureDescription& picture,
                                const ExponentSink& sink, const RenderControl& control, std::string& error);
