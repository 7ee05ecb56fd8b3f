// What a saved picture is: the fractal's parameters, the image size, the
// palette and the supersampling, the colour maps and the chaos grading.
#pragma once

#include "ColourMap.h"
#include "LyapParameters.h"
#include "Palette.h"

#include <cstdint>
#include <optional>
#include <string>

// The viewer's image side, and so the side of the renderer's first picture.
inline constexpr std::int32_t kDefaultPictureSide = 384;
// PNG allows more, but a side beyond this is more than any disk holds.
inline constexpr std::int32_t kMaxImageSide = 65536;
inline constexpr std::int32_t kMaxIterations = 1000000;
inline constexpr std::int32_t kMaxSupersample = 8;

struct PictureDescription {
    LyapParameters fractal;
    std::int32_t width = kDefaultPictureSide;
    std::int32_t height = kDefaultPictureSide;
    std::int32_t palette = 1;      // 1..kPaletteCount, the viewer's "Palette1" ...
    std::int32_t supersample = 1;  // K x K samples per pixel, averaged
    // A colour map given for this picture, in place of the palette.
    std::optional<ColourMap> colours;
    // Chaos graded: points with an exponent above 0 take their colour value
    // from the exponent x chaosContrast, through the chaos palette (or map);
    // 0 leaves them all at colour value 255, of the order colours.
    double chaosContrast = 0.0;
    std::int32_t chaosPalette = 1;
    std::optional<ColourMap> chaosColours;
};

// Whether the points above 0 are graded apart from the ordered ones.
inline bool GradesChaos(const PictureDescription& picture)
{
    return picture.chaosContrast != 0.0;
}
