#include "ParseArguments.h"

#include "ColourMap.h"
#include "FrameName.h"
#include "ParameterText.h"
#include "PictureFormats.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace {

constexpr const char* kVersion = "ombrelia-render " OMBRELIA_VERSION;

// One value of an option's text, its rule and the field it sets. joinedBy:
// the character before it in the text (0 for the first value).
struct ValuePart {
    ValueRule rule;
    char joinedBy;
    std::function<bool(std::string_view text, bool store)> read;  // false: not accepted
};

template <typename Value>
ValuePart Part(const ValueRule& rule, Value& field, char joinedBy = 0)
{
    return {rule, joinedBy, [rule, &field](std::string_view text, bool store) {
                const auto value = ReadValue<Value>(rule, text);
                if (value && store)
                    field = *value;
                return value.has_value();
            }};
}

// Whether every part of text is accepted; with store, each is stored too.
bool ReadParts(std::string_view text, const std::vector<ValuePart>& parts, bool store)
{
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto end = i + 1 < parts.size() ? text.find(parts[i + 1].joinedBy) : text.size();
        if (end == std::string_view::npos || !parts[i].read(text.substr(0, end), store))
            return false;
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    return true;
}

// What an option accepts, in words; the values of one option share a rule.
std::string Accepted(const std::string& valueName, const std::vector<ValuePart>& parts)
{
    const std::string each = AcceptedText(parts.back().rule);
    return parts.size() == 1 ? each : valueName + ", each " + each;
}

// Every format's --format name, or else every extension with its dot, or
// every format's help.
std::vector<std::string> FormatWords(std::string_view PictureFormat::*word)
{
    std::vector<std::string> words;
    for (const PictureFormat& format : PictureFormats())
        words.emplace_back(format.*word);
    return words;
}
std::vector<std::string> FormatExtensions()
{
    std::vector<std::string> words;
    for (const PictureFormat& format : PictureFormats())
        for (const std::string_view extension : format.extensions) {
            // Appended, not "." + a temporary: gcc 12 at -O3 warns falsely
            // (-Wrestrict) about a literal + std::string temporary.
            std::string word = ".";
            word += extension;
            words.push_back(std::move(word));
        }
    return words;
}

// "a, b or c"; with a separator, the words joined by it.
std::string Listed(const std::vector<std::string>& words, std::string_view separator = {})
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += !separator.empty() ? separator : i + 1 == words.size() ? " or " : ", ";
        text += words[i];
    }
    return text;
}

// The renderer's options, each bound to the fields it sets.
struct OptionDeclarations {
    CLI::App app{"Renders a Lyapunov-space fractal into an image file, without a display.",
                 "ombrelia-render"};

    explicit OptionDeclarations(RenderOptions& options);

    bool Given(const std::string& name) const { return app.count(name) > 0; }

    // The text is checked whole first, so that a refused value changes nothing.
    CLI::Option* Add(const std::string& names, const std::string& valueName, const std::string& help,
                     std::vector<ValuePart> parts)
    {
        const std::string accepted = Accepted(valueName, parts);
        return app.add_option(names, help)
            ->type_name(valueName)
            ->check(CLI::Validator(
                [=](const std::string& text) {
                    return ReadParts(text, parts, false) ? "" : ExpectedButGot(accepted, text);
                },
                ""))
            ->each([parts](const std::string& text) { ReadParts(text, parts, true); });
    }

    // The options of the picture's values, from the parameter keys: one per
    // option, its values joined, its default the value it starts from.
    void DeclarePictureOptions(PictureDescription& picture)
    {
        struct Declared {
            ParameterKey first;
            std::string help;
            std::vector<ValuePart> parts;
            std::string byDefault;
            std::optional<ColourMap>* colours = nullptr;  // a colour map option's field
        };
        std::vector<Declared> options;
        ForEachParameterKey(picture, [&options](const ParameterKey& key, auto& field) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, std::optional<ColourMap>>) {
                options.push_back({key, key.help, {}, "", &field});
            } else {
                if (key.joinedBy == 0)
                    options.push_back({key, key.help, {}, ""});
                Declared& option = options.back();
                option.byDefault += (key.joinedBy == 0 ? "" : std::string(1, key.joinedBy)) + ValueText(field);
                option.parts.push_back(Part(key.rule, field, key.joinedBy));
            }
            if (key.textOption != nullptr) {
                ParameterKey text = key;
                text.option = key.textOption;
                text.valueName = "TEXT";
                std::string help = "as ";
                help.append(key.option).append(", given as the parameter text holds it: ").append(AcceptedText(key.rule));
                options.push_back({text, std::move(help), {Part(key.rule, field)}, ""});
            }
        });
        for (Declared& o : options)
            if (o.colours != nullptr)
                AddColourMap(o.first, *o.colours);
            else
                Add(o.first.option, o.first.valueName,
                    o.help + (o.byDefault.empty() ? "" : " (default " + o.byDefault + ")"), std::move(o.parts));
    }

    // A colour map option: a shipped map's name or a map file, read whole
    // when the option is checked, so that a bad file is refused with the
    // reader's line naming it.
    void AddColourMap(const ParameterKey& key, std::optional<ColourMap>& field)
    {
        std::string names;
        for (const std::string_view name : ColourMapNames())
            names += (names.empty() ? "" : ", ") + std::string(name);
        const std::string help = std::string(key.help) + " (maps shipped: " + names + "; default none)";
        app.add_option(key.option, help)
            ->type_name(key.valueName)
            ->check(CLI::Validator(
                [](const std::string& text) {
                    const auto map = ColourMapByNameOrPath(text);
                    return map ? std::string() : map.Reason();
                },
                ""))
            ->each([&field](const std::string& text) {
                const auto map = ColourMapByNameOrPath(text);
                field = map ? std::optional(*map) : std::nullopt;
            });
    }
};

OptionDeclarations::OptionDeclarations(RenderOptions& o)
{
    using enum ValueRule::Kind;
    app.set_version_flag("--version", kVersion);
    // An option given again takes its later value, so that a command can be
    // changed by adding to it (a copied command plus --size for a poster).
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.allow_extras();
    app.footer("The same command writes the same file whatever the machine or --threads.\n"
               "An option given again takes its later value.\n\n"
               "Exit status: 0 the file was written; 1 not enough memory; 2 bad command\n"
               "line, or the file cannot be written there (no room, no permission, no such\n"
               "folder); 130 interrupted (SIGINT); 143 terminated (SIGTERM). Unless it is 0,\n"
               "nothing is written and an existing file is left as it was (of an animation,\n"
               "the frames finished before stay).");
    const CLI::Validator fileName([](const std::string& t) { return t.empty() ? "expected a file name, got \"\"" : ""; }, "");
    app.add_option("-o,--output", o.output,
                   "the file to write; " + Listed(FormatExtensions()) + ", or set --format. With --frames a "
                   "pattern with one frame number field: %d, or %05d for 00042")
        ->type_name("FILE")->check(fileName)->required();
    app.add_option("--from", o.from,
                   "start from the values a PNG or TIFF of this program or of the viewer holds; every "
                   "other option given changes its value. A TIFF whose orbits stay the same (only "
                   "contrast, palettes, chaos grading or format given) is coloured from the exponents "
                   "it holds, without computing them")
        ->type_name("FILE")->check(fileName);
    app.add_option("--format")
        ->description(Listed(FormatWords(&PictureFormat::help), "; "))
        ->type_name(Listed(FormatWords(&PictureFormat::name), "|"))
        ->check(CLI::Validator([](const std::string& t) {
            return FormatNamed(t) ? "" : "expected " + Listed(FormatWords(&PictureFormat::name)) + ", got " + Quoted(t); }, ""))
        ->each([&o](const std::string& t) { o.format = FormatNamed(t)->format; });
    DeclarePictureOptions(o.picture);
    Add("--threads", "T", "worker threads (default: the processors available)", {Part({kWhole, 1, kMaxThreads}, o.threads)});
    app.add_flag("-q,--quiet", o.quiet, "no progress bar");
    Add("--frames", "F", "an animation: F frames from the values above to the --to-* values, the ranges moving "
        "as a steady zoom", {Part({kWhole, 2, kMaxFrames}, o.frames)});
    const std::string first = " (default the first frame's)";
    Add("--to-a", "MIN:MAX", "the last frame's rate a" + first, {Part({kReal}, o.to.aMin), Part({kReal}, o.to.aMax, ':')});
    Add("--to-b", "MIN:MAX", "the last frame's rate b" + first, {Part({kReal}, o.to.bMin), Part({kReal}, o.to.bMax, ':')});
    Add("--to-morph", "M", "the last frame's morph" + first, {Part({kReal}, o.to.morph)});
    Add("--to-first-x", "X", "the last frame's first x" + first, {Part({kReal}, o.to.firstX)});
    Add("--to-contrast", "C", "the last frame's contrast" + first, {Part({kReal}, o.to.contrast)});
    const ValueRule frame{kWhole, 0, kMaxFrames - 1};
    Add("--frame-range", "I:J", "write only frames I to J, counted from 0 (default all)",
        {Part(frame, o.firstFrame), Part(frame, o.lastFrame, ':')});
    for (const char* end : {"--to-a", "--to-b", "--to-morph", "--to-first-x", "--to-contrast", "--frame-range"})
        app.get_option(end)->needs("--frames");
}

// Checks that need every option: the output and its format.
std::optional<std::string> CheckOutput(RenderOptions& options, bool formatGiven)
{
    std::string extension = std::filesystem::path(options.output).extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const PictureFormat* named = FormatNamed(extension.empty() ? extension : extension.substr(1));
    if (!formatGiven && named)
        options.format = named->format;
    else if (!formatGiven)
        return "--output: expected a file name ending in " + Listed(FormatExtensions()) + ", or --format " +
               Listed(FormatWords(&PictureFormat::name), "|") + ", got " + Quoted(options.output);
    if (options.format != ImageFormat::kPng && options.picture.supersample != 1)
        return "--supersample: expected 1 with " + std::string(options.format == ImageFormat::kPgm
                   ? "PGM output, which holds raw colour values" : "TIFF or NPY output, which holds exponents") +
               ", got " + Quoted(std::to_string(options.picture.supersample));
    return std::nullopt;
}

// The animation's options together: the pattern, the range, and the end
// values, which default to the first frame's.
std::optional<std::string> CheckAnimation(RenderOptions& o, const OptionDeclarations& line)
{
    const LyapParameters& f = o.picture.fractal;
    LyapFrameValues& to = o.to;
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"--to-a", [&] { std::tie(to.aMin, to.aMax) = std::tie(f.aMin, f.aMax); }},
        {"--to-b", [&] { std::tie(to.bMin, to.bMax) = std::tie(f.bMin, f.bMax); }},
        {"--to-morph", [&] { to.morph = f.morph; }},
        {"--to-first-x", [&] { to.firstX = f.firstX; }},
        {"--to-contrast", [&] { to.contrast = f.contrast; }},
        {"--frame-range", [&] { std::tie(o.firstFrame, o.lastFrame) = std::pair(0, o.frames - 1); }}};
    const std::int32_t fields = FrameFieldCount(o.output);
    for (const auto& [name, byDefault] : ends)
        if (o.frames != 0 && !line.Given(name))
            byDefault();
    if (o.frames == 0 && fields > 0)
        return "--output: expected a file name without a frame number field (given --frames, one), got " +
               Quoted(o.output);
    if (o.frames != 0 && fields != 1)
        return "--output: expected with --frames a file name with one frame number field "
               "(%d, %05d or %5d; %% for a percent sign), got " + Quoted(o.output);
    if (o.firstFrame > o.lastFrame || (o.frames != 0 && o.lastFrame >= o.frames))
        return "--frame-range: expected I:J with I <= J < " + std::to_string(o.frames) +
               " (the frames), got " + Quoted(std::to_string(o.firstFrame) + ":" + std::to_string(o.lastFrame));
    return std::nullopt;
}

ParsedCommand Refused(std::string complaint)
{
    return ParsedCommand{CommandAction::kError, {}, std::move(complaint)};
}

// One parse of the arguments over start: the defaults, or a picture's values.
ParsedCommand ParseOver(const std::vector<std::string>& args, const RenderOptions& start)
{
    ParsedCommand result{CommandAction::kRender, start, {}};
    OptionDeclarations line(result.options);
    try {
        // CLI11 takes the arguments last first.
        line.app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::CallForHelp&) {
        return {CommandAction::kHelp, {}, line.app.help()};
    } catch (const CLI::CallForVersion&) {
        return {CommandAction::kVersion, {}, kVersion + std::string("\n")};
    } catch (const CLI::ValidationError& error) {
        return Refused(error.what());
    } catch (const CLI::ParseError& error) {
        return Refused(Escaped(error.what()));
    }
    if (const auto extras = line.app.remaining(); !extras.empty())
        return Refused((extras.front().starts_with("-") ? "unknown option " : "unexpected argument ") +
                       Quoted(extras.front()) + "; ombrelia-render --help lists the accepted options");
    if (auto complaint = CheckOutput(result.options, line.Given("--format")))
        return Refused(*complaint);
    if (auto complaint = CheckAnimation(result.options, line))
        return Refused(*complaint);
    return result;
}

} // namespace

namespace {

// The picture with its colours at their defaults: what its orbits depend on.
std::string OrbitText(PictureDescription picture)
{
    ForEachParameterKeyAndDefault(picture, [](const ParameterKey& key, auto& field, const auto& byDefault) {
        if (key.role == ParameterKey::kColour)
            field = byDefault;
    });
    return ParameterText(picture);
}

} // namespace

ParsedCommand ParseArguments(const std::vector<std::string>& args, std::int32_t defaultThreads)
{
    RenderOptions start;
    start.threads = defaultThreads;
    ParsedCommand parsed = ParseOver(args, start);
    if (parsed.action != CommandAction::kRender || parsed.options.from.empty())
        return parsed;
    // The picture's values first, then the command line again over them.
    const std::string& from = parsed.options.from;
    const auto file = ReadPictureParameters(from);
    if (!file)
        return Refused("--from: expected a PNG or TIFF file written by Ombrelia, got " + Quoted(from) +
                       " (" + file.Reason() + ")");
    const auto picture = ReadParameterText(file->text);
    if (!picture)
        return Refused("--from: " + Quoted(from) + " holds a value not accepted: " + picture.Reason());
    start.picture = *picture;
    parsed = ParseOver(args, start);
    const RenderOptions& o = parsed.options;
    // Supersampling needs samples the file does not hold.
    if (parsed.action == CommandAction::kRender && file->exponents && o.frames == 0 &&
        o.picture.supersample == 1 && OrbitText(o.picture) == OrbitText(*picture))
        parsed.options.exponentsFrom = from;
    return parsed;
}
