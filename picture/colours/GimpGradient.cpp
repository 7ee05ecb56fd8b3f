// GIMP's .ggr gradient: the line "GIMP Gradient", an optional "Name:" line,
// the number of segments, then one line per segment:
//   left middle right  R G B A (left end)  R G B A (right end)  blending colouring
// with positions and components 0..1, and since GIMP 2.4 two more fields,
// the colour type of each end (fixed, or the editor's foreground or
// background colour). The file holds both ends' colours whatever their type,
// and those are used: every end is taken as fixed. Alpha is ignored, since a
// colour map has no transparency.
#include "ColourMapText.h"

#include "ParameterKeys.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

enum class Blending { kLinear, kCurved, kSine, kSphereIncreasing, kSphereDecreasing, kStep };
enum class Colouring { kRgb, kHsvCounterClockwise, kHsvClockwise };

struct Colour {
    double red, green, blue;  // each 0..1
};

struct Hsv {
    double hue, saturation, value;  // hue in turns, 0 (red) up to 1
};

struct Segment {
    double left, middle, right;
    Colour leftColour, rightColour;
    Blending blending;
    Colouring colouring;
};

// More than any gradient editor makes; the count is read before the lines.
constexpr int kMaxSegments = 65536;
// Segments and middles closer than this to their ends are taken as points.
constexpr double kEpsilon = 1e-10;

Result<double> UnitNumber(std::string_view field)
{
    double value = 0;
    const char* end = field.data() + field.size();
    const auto [stop, fault] = std::from_chars(field.data(), end, value);
    if (fault == std::errc{} && stop == end && value >= 0.0 && value <= 1.0)
        return value;
    return Failure{Quoted(field) + " is not a number 0..1"};
}

// One segment's line.
Result<Segment> ReadSegment(std::string_view line)
{
    std::vector<std::string_view> fields;
    while (fields.size() <= 15 && !line.empty())
        if (const std::string_view field = TakeField(line); !field.empty())
            fields.push_back(field);
    if (fields.size() != 13 && fields.size() != 15)
        return Failure{"expected 13 or 15 fields: positions, two colours, blending, colouring [and two colour types]"};
    double numbers[11];
    for (int i = 0; i < 11; ++i) {
        const auto value = UnitNumber(fields[i]);
        if (!value)
            return Failure{value.Reason()};
        numbers[i] = *value;
    }
    // Blending, colouring, then the colour types when there.
    const int highest[] = {5, 2, 4, 4};
    int whole[4] = {};
    for (std::size_t i = 11; i < fields.size(); ++i) {
        const auto value = WholeNumber(fields[i], 0, highest[i - 11]);
        if (!value)
            return Failure{value.Reason()};
        whole[i - 11] = *value;
    }
    if (!(numbers[0] <= numbers[1] && numbers[1] <= numbers[2]))
        return Failure{"the positions are not in order left <= middle <= right"};
    return Segment{numbers[0], numbers[1], numbers[2], {numbers[3], numbers[4], numbers[5]},
                   {numbers[7], numbers[8], numbers[9]}, static_cast<Blending>(whole[0]),
                   static_cast<Colouring>(whole[1])};
}

// How far from the left colour towards the right at relative place pos
// (0..1) when the middle point is at middle: a half at the middle, the two
// halves each a straight line.
double LinearFactor(double pos, double middle)
{
    if (pos <= middle)
        return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
    return 1.0 - middle < kEpsilon ? 1.0 : 0.5 + 0.5 * (pos - middle) / (1.0 - middle);
}

double BlendFactor(const Segment& segment, double x)
{
    const double length = segment.right - segment.left;
    double pos = 0.5;
    double middle = 0.5;
    if (length >= kEpsilon) {
        pos = std::clamp((x - segment.left) / length, 0.0, 1.0);
        middle = (segment.middle - segment.left) / length;
    }
    const double f = LinearFactor(pos, middle);
    switch (segment.blending) {
    case Blending::kLinear:
        return f;
    case Blending::kCurved:
        // The middle stays off 0 and 1, where the exponent has no value.
        return std::pow(pos, std::log(0.5) / std::log(std::clamp(middle, kEpsilon, 1.0 - kEpsilon)));
    case Blending::kSine:
        return (std::sin(-std::numbers::pi / 2.0 + std::numbers::pi * f) + 1.0) / 2.0;
    case Blending::kSphereIncreasing:
        return std::sqrt(1.0 - (f - 1.0) * (f - 1.0));
    case Blending::kSphereDecreasing:
        return 1.0 - std::sqrt(1.0 - f * f);
    case Blending::kStep:
        return pos >= middle ? 1.0 : 0.0;
    }
    return f;
}

Hsv ToHsv(const Colour& c)
{
    const double high = std::max({c.red, c.green, c.blue});
    const double spread = high - std::min({c.red, c.green, c.blue});
    double hue = 0.0;
    if (spread > 0.0) {
        if (high == c.red)
            hue = (c.green - c.blue) / spread;
        else if (high == c.green)
            hue = 2.0 + (c.blue - c.red) / spread;
        else
            hue = 4.0 + (c.red - c.green) / spread;
        hue /= 6.0;
        if (hue < 0.0)
            hue += 1.0;
    }
    return {hue, high > 0.0 ? spread / high : 0.0, high};
}

Colour FromHsv(const Hsv& c)
{
    const double sector = c.hue * 6.0;  // 0..6
    const int whole = static_cast<int>(sector);
    const double f = sector - whole;
    const double v = c.value;
    const double p = v * (1.0 - c.saturation);
    const double q = v * (1.0 - c.saturation * f);
    const double t = v * (1.0 - c.saturation * (1.0 - f));
    switch (whole % 6) {
    case 0:
        return {v, t, p};
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    default:
        return {v, p, q};
    }
}

double Between(double from, double to, double f)
{
    return from + (to - from) * f;
}

// Counter-clockwise the hue grows from the left end's to the right end's,
// through 1 = 0 (red) if need be; clockwise it falls. Two ends of the same
// hue keep it.
Colour HsvBetween(const Colour& left, const Colour& right, double f, Colouring way)
{
    const Hsv from = ToHsv(left);
    const Hsv to = ToHsv(right);
    double turn = way == Colouring::kHsvCounterClockwise ? to.hue - from.hue : from.hue - to.hue;
    if (turn < 0.0)
        turn += 1.0;
    double hue = from.hue + (way == Colouring::kHsvCounterClockwise ? turn : -turn) * f;
    hue -= std::floor(hue);
    return FromHsv({hue, Between(from.saturation, to.saturation, f), Between(from.value, to.value, f)});
}

Colour SegmentColour(const Segment& segment, double x)
{
    const double f = BlendFactor(segment, x);
    const Colour& l = segment.leftColour;
    const Colour& r = segment.rightColour;
    if (segment.colouring == Colouring::kRgb)
        return {Between(l.red, r.red, f), Between(l.green, r.green, f), Between(l.blue, r.blue, f)};
    return HsvBetween(l, r, f, segment.colouring);
}

// A component 0..1 as 0..255, rounded to the nearest.
std::uint8_t Byte(double component)
{
    if (!(component > 0.0))
        return 0;
    return static_cast<std::uint8_t>(std::lround(std::min(component, 1.0) * 255.0));
}

// Colour value i is the gradient at x = i / 255, in the first segment whose
// right end is not left of x (the last if none: files whose segments do not
// reach 1).
ColourMap Sample(const std::vector<Segment>& segments)
{
    ColourMap map{};
    for (std::size_t i = 0; i < map.size(); ++i) {
        const double x = static_cast<double>(i) / 255.0;
        const auto found = std::find_if(segments.begin(), segments.end(),
                                        [x](const Segment& s) { return x <= s.right; });
        const Colour c = SegmentColour(found == segments.end() ? segments.back() : *found, x);
        map[i] = {Byte(c.red), Byte(c.green), Byte(c.blue)};
    }
    return map;
}

} // namespace

Result<ColourMap> ParseGimpGradient(std::string_view text, std::string_view name)
{
    NumberedLines lines(text, name);
    if (!lines.NextFilled() || !LineIs(lines.Line(), "GIMP Gradient"))
        return lines.Fail("not a GIMP gradient: its first line is not \"GIMP Gradient\"");
    bool more = lines.NextFilled();
    if (more && lines.Line().starts_with("Name:"))
        more = lines.NextFilled();
    if (!more)
        return lines.Fail("no segment count");
    std::string_view rest = lines.Line();
    const auto count = WholeNumber(TakeField(rest), 1, kMaxSegments);
    if (!count)
        return lines.Fail("segment count: " + count.Reason());
    if (!TakeField(rest).empty())
        return lines.Fail("more than the segment count on its line");
    std::vector<Segment> segments;
    while (lines.NextFilled()) {
        if (segments.size() == static_cast<std::size_t>(*count))
            return lines.Fail("more segments than the " + std::to_string(*count) + " announced");
        const auto segment = ReadSegment(lines.Line());
        if (!segment)
            return lines.Fail(segment.Reason());
        segments.push_back(*segment);
    }
    if (segments.size() < static_cast<std::size_t>(*count))
        return lines.Fail(std::to_string(segments.size()) + " of the " + std::to_string(*count) +
                          " segments announced");
    return Sample(segments);
}
