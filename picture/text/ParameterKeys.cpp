#include "ParameterKeys.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// The whole text must be the number; a real must be finite (from_chars
// takes "nan" and "inf").
template <typename Number>
std::optional<Number> StrictNumber(std::string_view text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Two lower-case hex digits.
void AppendHex(std::string& text, std::uint8_t byte)
{
    static constexpr char kHex[] = "0123456789abcdef";
    text += kHex[byte >> 4];
    text += kHex[byte & 0xf];
}

} // namespace

std::string AcceptedText(const ValueRule& rule)
{
    const std::string range = " from " + std::to_string(rule.low) + " to " + std::to_string(rule.high);
    switch (rule.kind) {
    case ValueRule::kWhole:
        return "a whole number" + range;
    case ValueRule::kEvenWhole:
        return "an even whole number" + range;
    case ValueRule::kReal:
        return "a finite number";
    case ValueRule::kColours:
        return std::to_string(kColourMapDigits) + " hex digits, RRGGBB for each of the 256 colour values";
    case ValueRule::kSequence:
        break;
    }
    return "1 to " + std::to_string(kLyapMaxSequence) + " letters, each A or B";
}

template <>
std::optional<std::int32_t> ReadValue(const ValueRule& rule, std::string_view text)
{
    const auto value = StrictNumber<std::int64_t>(text);
    if (!value || *value < rule.low || *value > rule.high ||
        (rule.kind == ValueRule::kEvenWhole && *value % 2 != 0))
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

template <>
std::optional<double> ReadValue(const ValueRule&, std::string_view text)
{
    return StrictNumber<double>(text);
}

template <>
std::optional<LyapSequence> ReadValue(const ValueRule&, std::string_view text)
{
    return ParseLyapSequence(text);
}

template <>
std::optional<std::optional<ColourMap>> ReadValue(const ValueRule&, std::string_view text)
{
    if (text.empty())
        return std::optional<ColourMap>();
    if (text.size() != kColourMapDigits)
        return std::nullopt;
    ColourMap map{};
    std::uint8_t bytes[3 * 256];
    for (std::size_t i = 0; i < sizeof bytes; ++i) {
        const char* first = text.data() + 2 * i;
        const auto [stop, error] = std::from_chars(first, first + 2, bytes[i], 16);
        if (error != std::errc() || stop != first + 2)
            return std::nullopt;
    }
    for (std::size_t v = 0; v < map.size(); ++v)
        map[v] = {bytes[3 * v], bytes[3 * v + 1], bytes[3 * v + 2]};
    return std::optional(map);
}

std::string ValueText(std::int32_t value)
{
    return std::to_string(value);
}

std::string ValueText(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string ValueText(const LyapSequence& value)
{
    return LyapSequenceText(value);
}

std::string ValueText(const std::optional<ColourMap>& value)
{
    std::string text;
    for (const RgbColour& colour : value.value_or(ColourMap{}))
        for (const std::uint8_t byte : {colour.red, colour.green, colour.blue})
            AppendHex(text, byte);
    return value ? text : std::string();
}

std::optional<std::string> OptionValueText(const std::optional<ColourMap>& value)
{
    if (!value)
        return std::nullopt;
    const auto name = ShippedColourMapName(*value);
    return name ? std::optional<std::string>(*name) : std::nullopt;
}

PictureDescription ShownByViewer(PictureDescription picture)
{
    ForEachParameterKeyAndDefault(picture, [](const ParameterKey& key, auto& field, const auto& byDefault) {
        if (!key.viewerShows)
            field = byDefault;
    });
    return picture;
}

std::string Escaped(std::string_view text)
{
    std::string quoted;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (byte < 0x20 || byte == 0x7f) {
            quoted += "\\x";
            AppendHex(quoted, byte);
        } else {
            quoted += c;
        }
    }
    return quoted;
}

std::string ExpectedButGot(std::string_view accepted, std::string_view given)
{
    std::string text = "expected ";
    text += accepted;
    text += ", got ";
    return text + Quoted(given);
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += Escaped(text);
    quoted += '"';
    return quoted;
}
