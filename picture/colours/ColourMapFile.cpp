#include "ColourMapText.h"

#include "ParameterKeys.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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
std::optional<std::string> ReadSmallFile(const std::string& path, std::string& error)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    std::string text;
    if (file) {
        text.resize(kColourMapFileLimit + 1);
        text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    }
    if (!file || std::ferror(file.get())) {
        error = Escaped(path) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (text.size() > kColourMapFileLimit) {
        error = Escaped(path) + ": larger than " + std::to_string(kColourMapFileLimit / 1024) +
                " KiB, which no colour map is";
        return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<ColourMap> ParseColourMap(ColourMapFormat format, std::string_view text, std::string_view name,
                                        std::string& error)
{
    switch (format) {
    case ColourMapFormat::kGimpPalette:
        return ParseGimpPalette(text, name, error);
    case ColourMapFormat::kGimpGradient:
        return ParseGimpGradient(text, name, error);
    default:
        return ParseFractintMap(text, name, error);
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

std::optional<ColourMap> ReadColourMap(const std::string& path, std::string& error)
{
    const auto text = ReadSmallFile(path, error);
    if (!text)
        return std::nullopt;
    return ParseColourMap(ColourMapFormatOf(path, *text), *text, path, error);
}

std::optional<ColourMap> ColourMapByNameOrPath(const std::string& text, std::string& error)
{
    if (auto named = NamedColourMap(text))
        return named;
    return ReadColourMap(text, error);
}
