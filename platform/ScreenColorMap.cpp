#include "ScreenColorMap.h"

#include <cstddef>

namespace platform_detail {
namespace {

constexpr int kRampSteps = 64;

constexpr uint8 RampLevel(int step)
{
    // round(step x 255 / 63); no step falls exactly halfway.
    return static_cast<uint8>((step * 255 * 2 + 63) / 126);
}

std::array<rgb_color, 256> BuildColorMap()
{
    std::array<rgb_color, 256> map{};
    for (int step = 0; step < kRampSteps; ++step) {
        const uint8 level = RampLevel(step);
        map[static_cast<std::size_t>(step)] = {level, level, level, 255};
        map[static_cast<std::size_t>(kRampSteps + step)] = {level, 0, 0, 255};
        map[static_cast<std::size_t>(2 * kRampSteps + step)] = {0, level, 0, 255};
        map[static_cast<std::size_t>(3 * kRampSteps + step)] = {0, 0, level, 255};
    }
    return map;
}

int SquaredDistance(const rgb_color& entry, int red, int green, int blue)
{
    const int dr = entry.red - red;
    const int dg = entry.green - green;
    const int db = entry.blue - blue;
    return dr * dr + dg * dg + db * db;
}

} // namespace

const std::array<rgb_color, 256>& ScreenColorMap()
{
    static const std::array<rgb_color, 256> map = BuildColorMap();
    return map;
}

// A plain search: palettes ask for 256 colours at a time, so speed does not
// matter, and the search is the definition.
uint8 NearestColorIndex(uint8 red, uint8 green, uint8 blue)
{
    const auto& map = ScreenColorMap();
    int best = 0;
    int bestDistance = SquaredDistance(map[0], red, green, blue);
    for (int index = 1; index < 256; ++index) {
        const int distance = SquaredDistance(map[static_cast<std::size_t>(index)], red, green, blue);
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return static_cast<uint8>(best);
}

} // namespace platform_detail
