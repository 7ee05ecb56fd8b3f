// What a saved picture is: the fractal's parameters, the image size, the
// palette and the supersampling, and their text form stored in every PNG.
#pragma once

#include "LyapParameters.h"

#include <cstdint>
#include <string>

struct PictureDescription {
    LyapParameters fractal;
    std::int32_t width = 384;
    std::int32_t height = 384;
    std::int32_t palette = 1;      // 1..4, the viewer's "Palette1".."Palette4"
    std::int32_t supersample = 1;  // K x K samples per pixel, averaged
};

// The keyword of the PNG text chunk that holds ParameterText.
inline constexpr const char* kParameterKeyword = "ombrelia-parameters";

// One "key=value" line per parameter, "version=1" first. Numbers are written
// so that reading them back gives the same double.
std::string ParameterText(const PictureDescription& picture);
