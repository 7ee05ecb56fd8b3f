// The keys of the parameter text, each listed once: its name in the text,
// the renderer's option that sets it, what its value may be and the field
// that holds it. The writer, the reader of saved pictures and the renderer's
// options all go through this list, so that a key added here is written,
// read back and typed on the command line alike, within the same limits.
#pragma once

#include "PictureDescription.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What a value may be: a whole number within low..high (even only, for
// kEvenWhole), a finite real, a rate sequence, or a colour map (in the text
// 256 colours as RRGGBB hex digits, none when empty; on the command line a
// map's name or file). The whole text must be the
// value: no blanks, no '+', no hexadecimal.
struct ValueRule {
    enum Kind { kWhole, kEvenWhole, kReal, kSequence, kColours };
    Kind kind;
    std::int32_t low = 0;
    std::int32_t high = 0;
};

// The rule in words, for complaints: "an even whole number from 2 to 1000000".
std::string AcceptedText(const ValueRule& rule);

// The value text spells under rule; nothing when it is not accepted.
template <typename Value>
std::optional<Value> ReadValue(const ValueRule& rule, std::string_view text);
template <>
std::optional<std::int32_t> ReadValue(const ValueRule& rule, std::string_view text);
template <>
std::optional<double> ReadValue(const ValueRule& rule, std::string_view text);
template <>
std::optional<LyapSequence> ReadValue(const ValueRule& rule, std::string_view text);
template <>
std::optional<std::optional<ColourMap>> ReadValue(const ValueRule& rule, std::string_view text);

// The text ReadValue reads back as the very same value (for reals the
// shortest such text).
std::string ValueText(std::int32_t value);
std::string ValueText(double value);
std::string ValueText(const LyapSequence& value);
std::string ValueText(const std::optional<ColourMap>& value);

// The value as its key's option takes it: the text's own form, except for
// a colour map, which the option takes by name; nothing for a map that is
// not one shipped, which goes to the key's textOption instead.
template <typename Value>
std::optional<std::string> OptionValueText(const Value& value)
{
    return ValueText(value);
}
std::optional<std::string> OptionValueText(const std::optional<ColourMap>& value);

struct ParameterKey {
    const char* key;     // in the parameter text
    const char* option;  // the renderer's option that sets it
    ValueRule rule;
    // Keys that share an option: its text is their values joined, each
    // after the first preceded by its joinedBy ("--size=WxH").
    char joinedBy = 0;
    // For the first key of an option: the help's name of the option's value
    // and what the option sets.
    const char* valueName = "";
    const char* help = "";
    // The text's version that brought the key. A key of a later version than
    // the first is written only when its value is not the default, and then
    // makes the text that version: a reader that does not know the key
    // refuses the text rather than render something else. Such keys may be
    // missing (the default).
    std::int32_t version = 1;
    // What the value decides: the image's size or samples, the orbits (and
    // so the exponents a TIFF holds), or only the colours made from them.
    enum Role { kImage, kOrbit, kColour };
    Role role = kOrbit;
    // Whether the viewer shows a picture with this value as it is; an open
    // names the values it leaves out.
    bool viewerShows = true;
    // Whether the viewer's "Values" window has a field to type it in.
    bool typed = false;
    // An option that takes the value as the text writes it, for a value
    // that the main option spells otherwise (a colour map's hex digits,
    // where the main option takes a file or a name).
    const char* textOption = nullptr;
};

// The newest version the writer writes and the reader takes (from 1).
inline constexpr std::int32_t kParameterVersion = 2;

// Calls visit(key, field of each picture...) for every key, in the order
// the text has them; the pictures are PictureDescriptions, const or not.
template <typename Visit, typename... Pictures>
void VisitParameterKeys(Visit&& visit, Pictures&... pictures)
{
    using enum ValueRule::Kind;
    using enum ParameterKey::Role;
    const ValueRule side{kWhole, 1, kMaxImageSide};
    visit(ParameterKey{.key = "width", .option = "--size", .rule = side, .valueName = "WxH",
                       .help = "image size", .role = kImage}, pictures.width...);
    visit(ParameterKey{.key = "height", .option = "--size", .rule = side, .joinedBy = 'x', .role = kImage},
          pictures.height...);
    visit(ParameterKey{.key = "sequence", .option = "--sequence", .rule = {kSequence}, .valueName = "S",
                       .help = "rates step by step: letter k mod the length, A for a and B for b", .typed = true},
          pictures.fractal.sequence...);
    visit(ParameterKey{.key = "iterations", .option = "--iterations", .rule = {kEvenWhole, 2, kMaxIterations},
                       .valueName = "N", .help = "steps per point", .typed = true}, pictures.fractal.iterations...);
    visit(ParameterKey{.key = "settle", .option = "--settle", .rule = {kWhole, 0, kLyapMaxSettle}, .valueName = "K",
                       .help = "steps each orbit runs, continuing the sequence, before the N measured ones",
                       .version = 2, .typed = true}, pictures.fractal.settle...);
    visit(ParameterKey{.key = "a-min", .option = "--a", .rule = {kReal}, .valueName = "MIN:MAX",
                       .help = "rate a across the columns", .typed = true}, pictures.fractal.aMin...);
    visit(ParameterKey{.key = "a-max", .option = "--a", .rule = {kReal}, .joinedBy = ':', .typed = true}, pictures.fractal.aMax...);
    visit(ParameterKey{.key = "b-min", .option = "--b", .rule = {kReal}, .valueName = "MIN:MAX",
                       .help = "rate b down the rows", .typed = true}, pictures.fractal.bMin...);
    visit(ParameterKey{.key = "b-max", .option = "--b", .rule = {kReal}, .joinedBy = ':', .typed = true}, pictures.fractal.bMax...);
    visit(ParameterKey{.key = "morph", .option = "--morph", .rule = {kReal}, .valueName = "M",
                       .help = "twice the point the derivative is taken about", .typed = true}, pictures.fractal.morph...);
    visit(ParameterKey{.key = "first-x", .option = "--first-x", .rule = {kReal}, .valueName = "X",
                       .help = "starting value of every orbit", .typed = true}, pictures.fractal.firstX...);
    visit(ParameterKey{.key = "contrast", .option = "--contrast", .rule = {kReal}, .valueName = "C",
                       .help = "colour values per unit of exponent", .role = kColour, .typed = true},
          pictures.fractal.contrast...);
    visit(ParameterKey{.key = "palette", .option = "--palette", .rule = {kWhole, 1, kPaletteCount},
                       .valueName = "P", .help = "the viewer's palette P, Palette1 being 1", .role = kColour},
          pictures.palette...);
    visit(ParameterKey{.key = "colours", .option = "--palette-file", .rule = {kColours}, .valueName = "FILE|NAME",
                       .help = "in place of the palette, the 256 colours of a Fractint .map, GIMP .gpl "
                       "palette or .ggr gradient file, or of a map shipped, by name",
                       .version = 2, .role = kColour, .textOption = "--colours"},
          pictures.colours...);
    visit(ParameterKey{.key = "chaos-contrast", .option = "--chaos-contrast", .rule = {kReal}, .valueName = "C",
                       .help = "chaos graded: an exponent above 0 takes the colour value exponent x C, through "
                       "the chaos palette; 0 gives every such point colour value 255 of the palette",
                       .version = 2, .role = kColour}, pictures.chaosContrast...);
    visit(ParameterKey{.key = "chaos-palette", .option = "--chaos-palette", .rule = {kWhole, 1, kPaletteCount},
                       .valueName = "P", .help = "the viewer's palette P for the chaos grading", .version = 2,
                       .role = kColour}, pictures.chaosPalette...);
    visit(ParameterKey{.key = "chaos-colours", .option = "--chaos-palette-file", .rule = {kColours},
                       .valueName = "FILE|NAME", .help = "in place of the chaos palette, a map as --palette-file's",
                       .version = 2, .role = kColour, .textOption = "--chaos-colours"},
          pictures.chaosColours...);
    visit(ParameterKey{.key = "supersample", .option = "--supersample", .rule = {kWhole, 1, kMaxSupersample},
                       .valueName = "K", .help = "K x K samples per pixel, averaged; PNG only", .role = kImage,
                       .viewerShows = false}, pictures.supersample...);
}

// Calls visit(key, field) for every key, in the order the text has them;
// Picture is PictureDescription, const or not.
template <typename Picture, typename Visit>
void ForEachParameterKey(Picture& picture, Visit&& visit)
{
    VisitParameterKeys(visit, picture);
}

// Calls visit(key, field, its default) for every key: the default of each
// key is its field's in PictureDescription{}.
template <typename Picture, typename Visit>
void ForEachParameterKeyAndDefault(Picture& picture, Visit&& visit)
{
    static const PictureDescription byDefault;
    VisitParameterKeys(visit, picture, byDefault);
}

// "expected <accepted>, got "<given>"": how every reader of values says
// that it does not accept one (the renderer's options, the parameter text,
// the viewer's typed values).
std::string ExpectedButGot(std::string_view accepted, std::string_view given);

// Sets field to the value text spells under key's rule; when it is not
// accepted, leaves it and gives the complaint "key: expected ..., got ...".
template <typename Value>
std::optional<std::string> ReadKeyValue(const ParameterKey& key, Value& field, std::string_view text)
{
    if (const auto value = ReadValue<Value>(key.rule, text)) {
        field = *value;
        return std::nullopt;
    }
    return std::string(key.key) + ": " + ExpectedButGot(AcceptedText(key.rule), text);
}

// The picture with the values the viewer cannot show at their defaults.
PictureDescription ShownByViewer(PictureDescription picture);

// Whether a field holds its default: compared as written, which tells apart
// every two values that read back differently.
template <typename Value>
bool AtDefault(const Value& field, const Value& byDefault)
{
    return ValueText(field) == ValueText(byDefault);
}

// The given text with control characters, quotes and backslashes escaped,
// so that a complaint stays one line whatever it holds; Quoted puts it
// between quotes.
std::string Escaped(std::string_view text);
std::string Quoted(std::string_view text);
