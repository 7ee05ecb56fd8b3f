// The one place that decides what a picture file holds, so that the
// renderer's files and the viewer's saved pictures are the same bytes for
// the same description: a PNG (indexed with a PLTE of the palette's 256
// colours, or RGB averaged from K x K samples when supersampled, with the
// program's name and the parameter text in text chunks), or a binary PGM of
// the raw colour values.
#pragma once

#include "PictureDescription.h"
#include "PngStream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class ImageFormat { kPng, kPgm };

class PictureWriter {
public:
    // Writes to the file open for writing on fileDescriptor (which stays
    // open), starting with the header; Error() tells if that failed.
    PictureWriter(int fileDescriptor, const PictureDescription& picture, ImageFormat format);

    // The colour values of the next `rows` rows of the picture: rows x K
    // sample rows of width x K values each (K the supersampling). After the
    // last row the file is complete. False on failure.
    bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const;

private:
    PictureDescription fPicture;
    int fFileDescriptor;
    std::unique_ptr<PngStream> fPng;  // null for PGM
    PaletteColours fColours;
    std::vector<std::uint8_t> fRgb;   // one band, when supersampled
    std::string fError;
};

// Fills `count` rows of the sample grid (width x K values a row), starting at
// sample row `first`, into values; false to give up (nothing is written).
using SampleRowSource =
    std::function<bool(std::int32_t first, std::int32_t count, std::uint8_t* values)>;

// Computes the picture on the calling thread, band by band, and writes it to
// path: renamed into place only when complete, so that a failure leaves no
// partial file and the file that was there as it was. rows: where the
// colour values come from (by default the picture's own LyapPictureRows).
// On failure sets error to the reason and returns false.
bool WritePictureFile(const std::string& path, const PictureDescription& picture,
                      ImageFormat format, std::string& error,
                      const SampleRowSource& rows = {});
