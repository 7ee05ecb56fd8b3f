// The averaging of a supersampled picture: K x K samples make one pixel.
#pragma once

#include "Palette.h"

#include <cstddef>
#include <cstdint>

// Averages every factor x factor block of samples (width x factor of them a
// row, rows x factor rows) into one RGB pixel of rgb, each sample's colour
// being colourOf(sample), rounding to nearest.
template <typename Sample, typename ColourOf>
void AverageBlocks(const Sample* samples, std::int32_t width, std::int32_t rows, std::int32_t factor,
                   const ColourOf& colourOf, std::uint8_t* rgb)
{
    // One sample a pixel: its colour as it is, without the division (which
    // would take longer than the rest of the pixel's encoding).
    if (factor == 1) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(width) * rows; ++i) {
            const RgbColour& colour = colourOf(samples[i]);
            *rgb++ = colour.red;
            *rgb++ = colour.green;
            *rgb++ = colour.blue;
        }
        return;
    }
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
