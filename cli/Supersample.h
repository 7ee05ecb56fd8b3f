// Supersampled colour images: K x K samples per pixel over the same rate
// ranges, averaged in RGB, computed in bands so that memory stays in
// proportion to the output image.
#pragma once

#include "PassRunner.h"
#include "Palette.h"
#include "TLyapCalc.h"

#include <array>
#include <cstdint>

using PaletteColours = std::array<RgbColour, 256>;

// The colours of palette 0..3 for every colour value.
PaletteColours ColoursOfPalette(std::int32_t palette);

// Output rows per band: enough for at least one sample row per pass, and a
// band's samples no more than the output's pixels otherwise.
std::int32_t DefaultBandRows(std::int32_t height, std::int32_t factor);

// Fills rgb (3 bytes a pixel, width x height) with the average colour of
// factor x factor samples of the (width*factor) x (height*factor) sample
// grid, bandRows output rows at a time. Every sample is bit for bit the one a
// whole-grid render would compute, whatever bandRows. False when interrupted.
bool RenderSupersampledRgb(const TLyapCalc& parameters, std::int32_t width,
                           std::int32_t height, std::int32_t factor,
                           std::int32_t bandRows, const PaletteColours& colours,
                           std::uint8_t* rgb, PassRunner& runner);
