#include "ColourMapText.h"

#include "ParameterKeys.h"

#include <charconv>

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

} // namespace

bool NumberedLines::NextFilled()
{
    while (fMore) {
        const auto end = fRest.find('\n');
        fMore = end != std::string_view::npos;
        fLine = fRest.substr(0, end);
        fRest.remove_prefix(fMore ? end + 1 : fRest.size());
        ++fNumber;
        if (fLine.ends_with('\r'))
            fLine.remove_suffix(1);
        if (fLine.find_first_not_of(kBlanks) != std::string_view::npos)
            return true;
    }
    return false;
}

Failure NumberedLines::Fail(std::string_view what) const
{
    std::string reason = Escaped(fName) + ":" + std::to_string(fNumber) + ": ";
    reason += what;
    return {reason};
}

std::string_view TakeField(std::string_view& rest)
{
    const auto start = rest.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::string_view field = rest.substr(0, rest.find_first_of(kBlanks));
    rest.remove_prefix(field.size());
    return field;
}

bool LineIs(std::string_view line, std::string_view text)
{
    const auto start = line.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return text.empty();
    line.remove_prefix(start);
    return line.substr(0, line.find_last_not_of(kBlanks) + 1) == text;
}

Result<int> WholeNumber(std::string_view field, int lo, int hi)
{
    int value = 0;
    const char* end = field.data() + field.size();
    const auto [stop, fault] = std::from_chars(field.data(), end, value);
    const bool digits = !field.empty() && field.front() != '-';
    if (!digits || stop != end || (fault != std::errc{} && fault != std::errc::result_out_of_range))
        return Failure{Quoted(field) + " is not a whole number"};
    if (fault == std::errc::result_out_of_range || value < lo || value > hi)
        return Failure{std::string(field) + " is out of range " + std::to_string(lo) + ".." + std::to_string(hi)};
    return value;
}

Result<RgbColour> TakeColour(std::string_view& rest)
{
    int channels[3];
    for (int& channel : channels) {
        const std::string_view field = TakeField(rest);
        if (field.empty())
            return Failure{"expected three whole numbers R G B"};
        const auto value = WholeNumber(field, 0, 255);
        if (!value)
            return Failure{value.Reason()};
        channel = *value;
    }
    return RgbColour{static_cast<std::uint8_t>(channels[0]), static_cast<std::uint8_t>(channels[1]),
                     static_cast<std::uint8_t>(channels[2])};
}

ColourMap SpreadColours(std::span<const RgbColour> colours)
{
    const auto last = static_cast<std::uint64_t>(colours.size() - 1);
    const auto blend = [](std::uint8_t from, std::uint8_t to, std::uint64_t weight) {
        return static_cast<std::uint8_t>((from * (255 - weight) + to * weight + 127) / 255);
    };
    ColourMap map{};
    for (std::uint64_t value = 0; value < map.size(); ++value) {
        const std::uint64_t place = value * last;
        const RgbColour& from = colours[place / 255];
        const RgbColour& to = colours[place % 255 == 0 ? place / 255 : place / 255 + 1];
        const std::uint64_t weight = place % 255;
        map[value] = {blend(from.red, to.red, weight), blend(from.green, to.green, weight),
                      blend(from.blue, to.blue, weight)};
    }
    return map;
}
