#include "Palette.h"

namespace {

// A hump over 128 values starting at `start`: up by 4 per value to 252, then
// from 255 down by 4 per value to 3; 0 outside.
std::uint8_t Hump(std::int32_t value, std::int32_t start)
{
    const std::int32_t k = value - start;
    if (k < 0 || k >= 128)
        return 0;
    if (k < 64)
        return static_cast<std::uint8_t>(4 * k);
    return static_cast<std::uint8_t>(255 - 4 * (k - 64));
}

} // namespace

std::optional<RgbColour> PaletteColour(std::int32_t palette, std::int32_t value)
{
    if (value < 0 || value > 255)
        return std::nullopt;
    const auto k = static_cast<std::uint8_t>(value);
    const auto inverse = static_cast<std::uint8_t>(255 - value);
    switch (palette) {
    case 0:
        return RgbColour{inverse, inverse, inverse};
    case 1:
        return RgbColour{k, k, k};
    case 2:
        return RgbColour{Hump(value, 0), Hump(value, 128), 0};
    case 3:
        return RgbColour{0, 0, inverse};
    default:
        return std::nullopt;
    }
}
