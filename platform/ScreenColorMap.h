// The one fixed 256-entry colour map of 8-bit images (private, no Qt).
#pragma once

#include "Screen.h"

#include <array>

namespace platform_detail {

// Four 64-step ramps: grey (indices 0..63), red (64..127), green (128..191)
// and blue (192..255); level i of each is round(i x 255 / 63).
const std::array<rgb_color, 256>& ScreenColorMap();

// The entry nearest (red, green, blue) by squared distance; ties go to the
// lower index.
uint8 NearestColorIndex(uint8 red, uint8 green, uint8 blue);

} // namespace platform_detail
