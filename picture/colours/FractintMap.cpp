// Fractint's .map: one line "R G B" for each of the 256 colour values, in
// order; whatever follows the three numbers on a line is a comment.
#include "ColourMapText.h"

Result<ColourMap> ParseFractintMap(std::string_view text, std::string_view name)
{
    ColourMap map{};
    NumberedLines lines(text, name);
    for (RgbColour& colour : map) {
        if (!lines.NextFilled())
            return lines.Fail(std::to_string(&colour - map.data()) + " colours where 256 are needed");
        std::string_view rest = lines.Line();  // what TakeColour leaves is the comment
        const auto read = TakeColour(rest);
        if (!read)
            return lines.Fail(read.Reason());
        colour = *read;
    }
    if (lines.NextFilled())
        return lines.Fail("more than 256 colours");
    return map;
}
