// Fractint's .map: one line "R G B" for each of the 256 colour values, in
// order; whatever follows the three numbers on a line is a comment.
#include "ColourMapText.h"

std::optional<ColourMap> ParseFractintMap(std::string_view text, std::string_view name, std::string& error)
{
    ColourMap map{};
    NumberedLines lines(text, name);
    std::string what;
    for (RgbColour& colour : map) {
        if (!lines.NextFilled())
            return lines.Fail(error, std::to_string(&colour - map.data()) + " colours where 256 are needed");
        std::string_view rest = lines.Line();  // what TakeColour leaves is the comment
        const auto read = TakeColour(rest, what);
        if (!read)
            return lines.Fail(error, what);
        colour = *read;
    }
    if (lines.NextFilled())
        return lines.Fail(error, "more than 256 colours");
    return map;
}
