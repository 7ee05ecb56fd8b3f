// The colours that come with the program: the viewer's palettes, and the
// maps shipped by name, each a few colours at even steps spread over the
// 256 values as a .gpl palette's are.
#include "ColourMapText.h"

#include <initializer_list>

namespace {

struct NamedMap {
    std::string_view name;
    std::initializer_list<RgbColour> colours;
};

// Colour value 0 is an exponent at 0, where order meets chaos; 255 the most
// ordered orbits (or, for a chaos grading, the most chaotic ones).
const NamedMap kNamedMaps[] = {
    {"classic", {{255, 240, 0}, {176, 120, 0}, {0, 0, 0}}},
    {"classic-chaos", {{0, 0, 48}, {0, 48, 160}, {64, 144, 255}, {216, 236, 255}}},
    {"fire", {{0, 0, 0}, {160, 0, 0}, {255, 96, 0}, {255, 224, 64}, {255, 255, 255}}},
    {"ice", {{255, 255, 255}, {128, 224, 255}, {0, 96, 224}, {0, 0, 64}}},
    {"rainbow", {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}}},
};

} // namespace

ColourMap ColourMapOfPalette(std::int32_t palette)
{
    ColourMap colours{};
    for (std::size_t v = 0; v < colours.size(); ++v)
        colours[v] = PaletteColour(PaletteIndex(palette), static_cast<std::int32_t>(v)).value_or(RgbColour{});
    return colours;
}

const std::vector<std::string_view>& ColourMapNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> list;
        for (const NamedMap& map : kNamedMaps)
            list.push_back(map.name);
        return list;
    }();
    return names;
}

std::optional<ColourMap> NamedColourMap(std::string_view name)
{
    for (const NamedMap& map : kNamedMaps)
        if (map.name == name)
            return SpreadColours(map.colours);
    return std::nullopt;
}

std::optional<std::string_view> ShippedColourMapName(const ColourMap& map)
{
    for (const NamedMap& named : kNamedMaps)
        if (SpreadColours(named.colours) == map)
            return named.name;
    return std::nullopt;
}
