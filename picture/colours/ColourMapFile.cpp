#include "ColourMapText.h"

#include "ParameterKeys.h"
#include "ReadFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return lower;
}

// The whole text of the file at path, read up to one byte past the limit
// so that a larger file is told from one of exactly the limit (a pipe
// works too: it is read, not measured).
Result<std::string> ReadSmallFile(const std::string& path)
{
    const ReadFile file = OpenToRead(path);
    std::string text;
    if (file) {
        text.resize(kColourMapFileLimit + 1);
        text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    }
    if (!file || std::ferror(file.get()))
        return Failure{Escaped(path) + ": " + std::strerror(errno)};
    if (text.size() > kColourMapFileLimit)
        return Failure{Escaped(path) + ": larger than " + std::to_string(kColourMapFileLimit / 1024) +
                       " KiB, which no colour map is"};
    return text;
}

} // namespace

Result<ColourMap> ParseColourMap(ColourMapFormat format, std::string_view text, std::string_view name)
{
    switch (format) {
    case ColourMapFormat::kGimpPalette:
        return ParseGimpPalette(text, name);
    case ColourMapFormat::kGimpGradient:
        return ParseGimpGradient(text, name);
    default:
        return ParseFractintMap(text, name);
    }
}

ColourMapFormat ColourMapFormatOf(std::string_view path, std::string_view text)
{
    const std::string lower = LowerCase(path);
    if (lower.ends_with(".gpl"))
        return ColourMapFormat::kGimpPalette;
    if (lower.ends_with(".ggr"))
        return ColourMapFormat::kGimpGradient;
    if (lower.ends_with(".map"))
        return ColourMapFormat::kFractintMap;
    if (text.starts_with("GIMP Palette"))
        return ColourMapFormat::kGimpPalette;
    if (text.starts_with("GIMP Gradient"))
        return ColourMapFormat::kGimpGradient;
    return ColourMapFormat::kFractintMap;
}

Result<ColourMap> ReadColourMap(const std::string& path)
{
    const auto text = ReadSmallFile(path);
    if (!text)
        return Failure{text.Reason()};
    return ParseColourMap(ColourMapFormatOf(path, *text), *text, path);
}

Result<ColourMap> ColourMapByNameOrPath(const std::string& text)
{
    if (auto named = NamedColourMap(text))
        return *named;
    return ReadColourMap(text);
}
