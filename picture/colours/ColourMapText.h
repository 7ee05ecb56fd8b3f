// What the colour map readers share: numbered lines, blank-separated fields,
// the numbers in them and the spreading of a few colours over all 256.
#pragma once

#include "ColourMap.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The lines of a text, numbered from 1, blank ones skipped; a line's "\r"
// end (a file from Windows) is dropped.
class NumberedLines {
public:
    NumberedLines(std::string_view text, std::string_view name) : fRest(text), fName(name) {}

    // Moves to the next line that is not blank; false at the end of the text.
    bool NextFilled();
    std::string_view Line() const { return fLine; }

    // "NAME:LINE: what", LINE being the current line (at the end of the text,
    // the last one).
    Failure Fail(std::string_view what) const;

private:
    std::string_view fRest;
    std::string_view fName;
    std::string_view fLine;
    int fNumber = 0;
    bool fMore = true;
};

// The first blank-separated field of rest, taken off it; empty when none.
std::string_view TakeField(std::string_view& rest);

// Whether line, blanks at either end aside, is text.
bool LineIs(std::string_view line, std::string_view text);

// A whole number lo..hi in decimal digits.
Result<int> WholeNumber(std::string_view field, int lo, int hi);

// The fields "R G B" (each 0..255) taken off rest.
Result<RgbColour> TakeColour(std::string_view& rest);

// Colour value v takes the place v x (N - 1) / 255 among the N colours (N at
// least 1), between two of them by linear interpolation rounded to the
// nearest whole value. The weights are v x (N - 1) mod 255 over 255, an odd
// number, so no value falls halfway and the rounding needs no tie rule.
// N = 1 gives one colour everywhere, N = 256 the colours as they are.
ColourMap SpreadColours(std::span<const RgbColour> colours);

Result<ColourMap> ParseFractintMap(std::string_view text, std::string_view name);
Result<ColourMap> ParseGimpPalette(std::string_view text, std::string_view name);
Result<ColourMap> ParseGimpGradient(std::string_view text, std::string_view name);
