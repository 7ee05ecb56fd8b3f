// The one place that decides what a picture file holds, so that the
// renderer's files and the viewer's saved pictures are the same bytes for
// the same description: a PNG (indexed with a PLTE of the palette's or the
// colour map's 256 colours, or of the colours of both gradings when they
// fit, else RGB, averaged from K x K samples when supersampled, with the
// program's name and the parameter text in text chunks), a binary PGM of
// the raw colour values, or the exponents those values are made from (a TIFF
// of 64-bit floats with the parameter text as its ImageDescription, or a
// NumPy .npy array).
#pragma once

#include "BandedRender.h"
#include "ExponentColours.h"
#include "ExponentStreams.h"
#include "PictureDescription.h"
#include "PngStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ImageFormat { kPng, kPgm, kTiff, kNpy };

// Whether the format holds exponents rather than colour values.
inline bool HoldsExponents(ImageFormat format)
{
    return format == ImageFormat::kTiff || format == ImageFormat::kNpy;
}

class PictureWriter {
public:
    // Writes to the file open for writing on fileDescriptor (which stays
    // open), starting with the header; Error() tells if that failed.
    PictureWriter(int fileDescriptor, const PictureDescription& picture, ImageFormat format);

    // The colour values of the next `rows` rows of the picture: rows x K
    // sample rows of width x K values each (K the supersampling). After the
    // last row the file is complete. False on failure.
    bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows);
    // The exponents of the next `rows` rows, as WriteSampleRows takes colour
    // values: stored as they are, or coloured.
    bool WriteExponentRows(const double* exponents, std::int32_t rows);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const;

private:
    PictureDescription fPicture;
    ImageFormat fFormat;
    int fFileDescriptor;
    std::unique_ptr<PngStream> fPng;  // for PNG only
    std::unique_ptr<TiffStream> fTiff;  // for TIFF only
    ExponentColours fColours;
    std::vector<std::uint8_t> fBytes;  // one band, when coloured here
    std::string fError;
};

// How WritePictureFile ended. Unless written, no file was made and the one
// that was there is as it was.
enum class WriteOutcome { kWritten, kNotCreated, kInterrupted, kWriteFailed, kSourceFailed };

// Whether a picture is written from its exponents rather than its colour
// values: the formats that hold them, and a PNG whose chaos is graded.
bool WrittenFromExponents(const PictureDescription& picture, ImageFormat format);

// Renders the picture in bands on control's threads and writes it to path:
// renamed into place only when complete, so that a failure or an interrupt
// leaves no partial file. error: the reason for kNotCreated and
// kWriteFailed.
WriteOutcome WritePictureFile(const std::string& path, const PictureDescription& picture,
                              ImageFormat format, const RenderControl& control,
                              std::string& error);

// The same file made from the exponents a TIFF of ours holds (of a picture
// that differs from this one in its colours alone), without computing
// them; kSourceFailed, with the reason in error, when the TIFF cannot be read
// or does not fit the picture.
WriteOutcome RecolourPictureFile(const std::string& path, const PictureDescription& picture,
                                 ImageFormat format, const std::string& exponentsPath,
                                 const RenderControl& control, std::string& error);
