// Colour maps: the colours of the colour values 0..255, from a file people
// already have (a Fractint .map, a GIMP .gpl palette or .ggr gradient) or
// from the few maps that come with the program, by name.
#pragma once

#include "Palette.h"
#include "Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using ColourMap = std::array<RgbColour, 256>;
// A map in the parameter text: RRGGBB for each colour value.
constexpr std::size_t kColourMapDigits = 6 * 256;

enum class ColourMapFormat { kFractintMap, kGimpPalette, kGimpGradient };

// Larger files are refused unread: every real colour map is a few
// kilobytes, and a megabyte bounds the time and memory a hostile one costs.
constexpr std::size_t kColourMapFileLimit = 1024 * 1024;

// The map a text of that format describes; when it is not of that form,
// the reason in one line: "NAME:LINE: what is wrong", NAME being `name` (the
// file's path, for a file).
Result<ColourMap> ParseColourMap(ColourMapFormat format, std::string_view text, std::string_view name);

// The format of a file: by its extension (.map, .gpl, .ggr in any case),
// else by the first line of its text ("GIMP Palette", "GIMP Gradient"), else
// a Fractint map.
ColourMapFormat ColourMapFormatOf(std::string_view path, std::string_view text);

// The map of the file at path; a reason naming the file (and the line, when
// the fault is in one) when it cannot be read, is larger than
// kColourMapFileLimit or is refused by ParseColourMap.
Result<ColourMap> ReadColourMap(const std::string& path);

// The colours of the viewer's palette 1..kPaletteCount, as a picture
// numbers them, for every colour value.
ColourMap ColourMapOfPalette(std::int32_t palette);

// The maps that come with the program, for --help: "classic" is the classic
// Markus-Lyapunov order (yellow to black), "classic-chaos" its chaos in blues.
const std::vector<std::string_view>& ColourMapNames();
std::optional<ColourMap> NamedColourMap(std::string_view name);
// The name of the shipped map with exactly these colours; nothing for any
// other map.
std::optional<std::string_view> ShippedColourMapName(const ColourMap& map);

// A shipped map when text is one of ColourMapNames(), else the file at that
// path (so "./classic" reaches a file that bears a map's name).
Result<ColourMap> ColourMapByNameOrPath(const std::string& text);
