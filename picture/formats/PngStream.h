// A PNG written row band by row band as the rows are finished, so that the
// whole image never has to be in memory. Without supersampling the picture
// has at most 256 colours: it is written indexed (8-bit indices into a PLTE
// of the palette's 256 colours); otherwise as 8-bit RGB.
#pragma once

#include "Palette.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct spng_ctx;

using PaletteColours = std::array<RgbColour, 256>;
using PngTextChunks = std::vector<std::pair<std::string, std::string>>;

// The colours of palette 0..3 for every colour value.
PaletteColours ColoursOfPalette(std::int32_t palette);

// Averages every factor x factor block of samples (width x factor of them a
// row, rows x factor rows) into one RGB pixel of rgb, each sample's colour
// being colourOf(sample), rounding to nearest.
template <typename Sample, typename ColourOf>
void AverageBlocks(const Sample* samples, std::int32_t width, std::int32_t rows, std::int32_t factor,
                   const ColourOf& colourOf, std::uint8_t* rgb)
{
    const std::size_t sampleWidth = static_cast<std::size_t>(width) * factor;
    const std::uint32_t count = static_cast<std::uint32_t>(factor * factor);
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t sum[3] = {0, 0, 0};
            for (std::int32_t ky = 0; ky < factor; ++ky) {
                const Sample* sample = samples + (static_cast<std::size_t>(y) * factor + ky) * sampleWidth +
                                       static_cast<std::size_t>(x) * factor;
                for (std::int32_t kx = 0; kx < factor; ++kx) {
                    const RgbColour& colour = colourOf(sample[kx]);
                    sum[0] += colour.red;
                    sum[1] += colour.green;
                    sum[2] += colour.blue;
                }
            }
            for (int channel = 0; channel < 3; ++channel)
                *rgb++ = static_cast<std::uint8_t>((sum[channel] + count / 2) / count);
        }
    }
}

// Writes every byte to the file open on fileDescriptor; on failure sets
// error to the system's reason.
bool WriteAll(int fileDescriptor, const std::uint8_t* bytes, std::size_t size,
              std::string& error);

class PngStream {
public:
    // Writes to the file open for writing on fileDescriptor (which stays
    // open). colours: the PLTE of an indexed image; null for RGB.
    PngStream(int fileDescriptor, std::int32_t width, std::int32_t height,
              const PaletteColours* colours, const PngTextChunks& text);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // Encodes the next count rows (width indices, or 3 x width RGB bytes,
    // each). After the last row the file is complete. False on failure.
    bool WriteRows(const std::uint8_t* rows, std::int32_t count);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const { return fError; }

private:
    static int WriteOut(spng_ctx* ctx, void* self, void* bytes, std::size_t length);
    bool Check(int result);

    spng_ctx* fContext;
    int fFileDescriptor;
    std::size_t fRowBytes;
    std::string fError;
};
