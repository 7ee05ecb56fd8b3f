// Fuzzes the three colour map readers: the first byte chooses the format,
// the rest is the file's text. Whatever it holds, the text gives a map or is
// refused with one line "fuzz:LINE: ..." naming one of its lines; a map it
// gives, written as a Fractint map, reads back as the same map.
#include "ColourMap.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string AsFractintMap(const ColourMap& map)
{
    std::string text;
    for (const RgbColour& c : map)
        text += std::to_string(c.red) + " " + std::to_string(c.green) + " " + std::to_string(c.blue) + "\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto format = static_cast<ColourMapFormat>(data[0] % 3);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto map = ParseColourMap(format, text, "fuzz");
    if (map) {
        const auto again = ParseColourMap(ColourMapFormat::kFractintMap, AsFractintMap(*map), "again");
        Check(again && *again == *map);
        return 0;
    }
    const std::string& error = map.Reason();
    Check(error.starts_with("fuzz:"));
    int line = 0;
    const auto [end, fault] = std::from_chars(error.data() + 5, error.data() + error.size(), line);
    Check(fault == std::errc{} && *end == ':' && line >= 1);
    Check(line <= std::count(text.begin(), text.end(), '\n') + 1 && error.find('\n') == std::string::npos);
    return 0;
}
