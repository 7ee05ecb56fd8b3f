// The four palettes as colour formulas: colour value 0..255 to red, green
// and blue. Which screen colour index a colour becomes is the display's
// business, not this one's.
#pragma once

#include <cstdint>
#include <optional>

struct RgbColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const RgbColour&) const = default;
};

constexpr std::int32_t kPaletteCount = 4;

// Palettes are counted from 0 in the program (the formulas, the view) and
// from 1 where people see them ("Palette1", the parameter text, --palette):
// the two counts meet here and nowhere else.
constexpr std::int32_t PaletteIndex(std::int32_t shownNumber)
{
    return shownNumber - 1;
}
constexpr std::int32_t ShownPaletteNumber(std::int32_t index)
{
    return index + 1;
}

// The colour of value `value` (0..255) in palette `palette` (0..3); nothing
// for a palette number or value outside those ranges.
std::optional<RgbColour> PaletteColour(std::int32_t palette, std::int32_t value);
