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

std::string Escaped(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
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
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xf];
        } else {
            quoted += c;
        }
    }
    return quoted;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += Escaped(text);
    quoted += '"';
    return quoted;
}
