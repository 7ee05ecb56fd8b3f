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

// The colour of value `value` (0..255) in palette `palette` (0..3); nothing
// for a palette number or value outside those ranges.
std::optional<RgbColour> PaletteColour(std::int32_t palette, std::int32_t value);
