// GIMP's .gpl palette: the line "GIMP Palette", then optional "Name:" and
// "Columns:" lines, then one line "R G B [name]" per colour; '#' starts a
// comment line anywhere. Any number of colours from 1 on is accepted (the
// file's size bounds it): SpreadColours makes them 256 however many there are.
#include "ColourMapText.h"

#include <vector>

Result<ColourMap> ParseGimpPalette(std::string_view text, std::string_view name)
{
    NumberedLines lines(text, name);
    if (!lines.NextFilled() || !LineIs(lines.Line(), "GIMP Palette"))
        return lines.Fail("not a GIMP palette: its first line is not \"GIMP Palette\"");
    std::vector<RgbColour> colours;
    while (lines.NextFilled()) {
        std::string_view rest = lines.Line();
        const std::string_view first = TakeField(rest);
        if (first.starts_with('#'))
            continue;
        if (colours.empty() && (first.starts_with("Name:") || first.starts_with("Columns:")))
            continue;
        rest = lines.Line();
        const auto colour = TakeColour(rest);
        if (!colour)
            return lines.Fail(colour.Reason());
        colours.push_back(*colour);
    }
    if (colours.empty())
        return lines.Fail("no colours");
    return SpreadColours(colours);
}
