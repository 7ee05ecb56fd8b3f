#include "ParseArguments.h"

#include "FrameName.h"
#include "ParameterReader.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <tuple>
#include <utility>

std::string Quoted(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
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
    return quoted + "\"";
}

namespace {

constexpr const char* kVersion = "ombrelia-render " OMBRELIA_VERSION;

// The whole text must be the number: no blanks, no '+', no hexadecimal; a
// real must be finite (from_chars takes "nan" and "inf").
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

// Stores a whole number within low..high.
bool ReadWhole(std::string_view text, std::int32_t& field, std::int32_t low, std::int32_t high)
{
    const auto value = StrictNumber<std::int64_t>(text);
    if (!value || *value < low || *value > high)
        return false;
    field = static_cast<std::int32_t>(*value);
    return true;
}

bool ReadReal(std::string_view text, double& field)
{
    const auto value = StrictNumber<double>(text);
    if (value)
        field = *value;
    return value.has_value();
}

// Two values split at the first separator, both read or neither.
template <typename Read>
bool ReadPair(std::string_view text, char separator, Read first, Read second)
{
    const auto at = text.find(separator);
    if (at == std::string_view::npos)
        return false;
    return first(text.substr(0, at)) && second(text.substr(at + 1));
}

std::string WholeFromOneTo(std::int32_t high)
{
    return "a whole number from 1 to " + std::to_string(high);
}

std::string Text(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

// Stores an option's text in its field; false when it is not acceptable.
using Reader = std::function<bool(std::string_view)>;

// The app and, for every option name, what that option accepts.
struct CommandLineRules {
    CLI::App app{"Renders a Lyapunov-space fractal into an image file, without a display.",
                 "ombrelia-render"};
    std::map<std::string, std::string> expected;

    explicit CommandLineRules(RenderOptions& options);

    // Whether the option (by its long name) was on the command line.
    bool Given(const std::string& name) const { return app.count(name) > 0; }

private:
    // One declaration per option: its names, help, what it accepts (for the
    // help and the complaints) and how its text is read. A second use of an
    // option is refused.
    void Declare(const std::string& names, const std::string& valueName, const std::string& help,
                 const std::string& accepted, Reader read)
    {
        auto seen = std::make_shared<bool>(false);
        CLI::Option* option =
            valueName.empty() ? app.add_flag(names, help) : app.add_option(names, help);
        option->type_name(valueName)->check(CLI::Validator(
            [=](std::string& text) -> std::string {
                if (std::exchange(*seen, true))
                    return "expected it at most once, got it again" +
                           (valueName.empty() ? "" : " with " + Quoted(text));
                return read(text) ? "" : "expected " + accepted + ", got " + Quoted(text);
            },
            ""));
        for (const std::string& name : option->get_lnames())
            expected["--" + name] = accepted;
        for (const std::string& name : option->get_snames())
            expected["-" + name] = accepted;
    }

    // The help's default: the field's value, or for the last frame's values
    // (byDefault empty) the first frame's.
    void Rates(const std::string& name, const std::string& help, double& low, double& high,
               const std::string& byDefault)
    {
        Declare(name, "MIN:MAX", help + " (default " + byDefault + ")",
                "MIN:MAX, two finite numbers", [&low, &high](std::string_view t) {
                    return ReadPair(t, ':', Reader([&](std::string_view v) { return ReadReal(v, low); }),
                                    Reader([&](std::string_view v) { return ReadReal(v, high); }));
                });
    }

    void Real(const std::string& name, const std::string& valueName, const std::string& help,
              double& field, const std::string& byDefault)
    {
        Declare(name, valueName, help + " (default " + byDefault + ")", "a finite number",
                [&field](std::string_view t) { return ReadReal(t, field); });
    }

    void Whole(const std::string& name, const std::string& valueName, const std::string& help,
               std::int32_t& field, std::int32_t low, std::int32_t high)
    {
        const std::string accepted =
            low == 1 ? WholeFromOneTo(high)
                     : "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
        Declare(name, valueName, help, accepted, [&field, low, high](std::string_view t) {
            return ReadWhole(t, field, low, high);
        });
    }

    void DeclarePicture(RenderOptions& options);
    void DeclareAnimation(RenderOptions& options);
};

CommandLineRules::CommandLineRules(RenderOptions& o)
{
    app.set_version_flag("--version", kVersion);
    app.allow_extras();
    app.footer("The same command writes the same file whatever the machine or --threads.\n\n"
               "Exit status: 0 the file was written; 1 not enough memory; 2 bad command\n"
               "line, or the file cannot be written there (no room, no permission, no such\n"
               "folder); 130 interrupted (SIGINT); 143 terminated (SIGTERM). Unless it is 0,\n"
               "nothing is written and an existing file is left as it was (of an animation,\n"
               "the frames finished before stay).");
    Declare("-o,--output", "FILE",
            "the file to write (required); .png or .pgm, or set --format. With --frames a "
            "pattern with one frame number field: %d, or %05d for 00042",
            "a file name", [&](std::string_view t) { o.output = t; return !t.empty(); });
    Declare("--from", "FILE.png",
            "start from the values a PNG of this program or of the viewer holds; every "
            "other option given changes its value",
            "a file name", [&](std::string_view t) { o.from = t; return !t.empty(); });
    Declare("--format", "png|pgm",
            "png: colour from the palette; pgm: the raw colour values 0..255", "png or pgm",
            [&](std::string_view t) {
                o.format = t == "pgm" ? ImageFormat::kPgm : ImageFormat::kPng;
                return t == "png" || t == "pgm";
            });
    DeclarePicture(o);
    Whole("--threads", "T", "worker threads (default: the processors available)", o.threads, 1,
          kMaxThreads);
    Declare("-q,--quiet", "", "no progress bar", "no value", [&](std::string_view t) {
        o.quiet = true;
        return t == "true";
    });
    app.get_option("--quiet")->disable_flag_override();
    DeclareAnimation(o);
}

void CommandLineRules::DeclarePicture(RenderOptions& o)
{
    PictureDescription& p = o.picture;
    LyapParameters& f = p.fractal;
    Declare("--size", "WxH", "image size (default 384x384)",
            "WIDTHxHEIGHT, each side " + WholeFromOneTo(kMaxImageSide),
            [&](std::string_view t) {
                return ReadPair(t, 'x', Reader([&](std::string_view w) { return ReadWhole(w, p.width, 1, kMaxImageSide); }),
                                Reader([&](std::string_view h) { return ReadWhole(h, p.height, 1, kMaxImageSide); }));
            });
    Declare("--iterations", "N",
            "steps per point (default " + std::to_string(f.iterations) + ")",
            "an even whole number from 2 to " + std::to_string(kMaxIterations),
            [&](std::string_view t) {
                return ReadWhole(t, f.iterations, 2, kMaxIterations) && f.iterations % 2 == 0;
            });
    Declare("--sequence", "S",
            "rates step by step: letter k mod the length, A for a and B for b (default AB)",
            "1 to 64 letters, each A or B", [&](std::string_view t) {
                const auto sequence = ParseLyapSequence(t);
                if (sequence)
                    f.sequence = *sequence;
                return sequence.has_value();
            });
    Rates("--a", "rate a across the columns", f.aMin, f.aMax, Text(f.aMin) + ":" + Text(f.aMax));
    Rates("--b", "rate b down the rows", f.bMin, f.bMax, Text(f.bMin) + ":" + Text(f.bMax));
    Real("--morph", "M", "twice the point the derivative is taken about", f.morph, Text(f.morph));
    Real("--first-x", "X", "starting value of every orbit", f.firstX, Text(f.firstX));
    Real("--contrast", "C", "colour values per unit of exponent", f.contrast, Text(f.contrast));
    Whole("--palette", "1..4", "the viewer's Palette1..Palette4 (default 1)", p.palette, 1,
          kPaletteChoices);
    Whole("--supersample", "K", "K x K samples per pixel, averaged; PNG only (default 1)",
          p.supersample, 1, kMaxSupersample);
}

void CommandLineRules::DeclareAnimation(RenderOptions& o)
{
    Whole("--frames", "F",
          "an animation: F frames from the values above to the --to-* values, the ranges "
          "moving as a steady zoom",
          o.frames, 2, kMaxFrames);
    const std::string first = "the first frame's";
    Rates("--to-a", "the last frame's rate a", o.to.aMin, o.to.aMax, first);
    Rates("--to-b", "the last frame's rate b", o.to.bMin, o.to.bMax, first);
    Real("--to-morph", "M", "the last frame's morph", o.to.morph, first);
    Real("--to-first-x", "X", "the last frame's first x", o.to.firstX, first);
    Real("--to-contrast", "C", "the last frame's contrast", o.to.contrast, first);
    Declare("--frame-range", "I:J", "write only frames I to J, counted from 0 (default all)",
            "I:J, two whole numbers from 0 to " + std::to_string(kMaxFrames - 1),
            [&](std::string_view t) {
                return ReadPair(t, ':', Reader([&](std::string_view v) { return ReadWhole(v, o.firstFrame, 0, kMaxFrames - 1); }),
                                Reader([&](std::string_view v) { return ReadWhole(v, o.lastFrame, 0, kMaxFrames - 1); }));
            });
}

// CLI11's own complaints in the one-line form of the others: "--size:
// expected ..., got nothing" for a missing value, the value itself for a
// value given to --quiet.
std::string Reworded(const CLI::ParseError& error, const CommandLineRules& rules,
                     const std::vector<std::string>& args)
{
    const std::string message = error.what();
    std::string name = message.substr(0, message.find_first_of(": "));
    // A flag given a value is named without its dashes.
    if (!rules.expected.contains(name))
        name = "--" + name;
    const auto accepted = rules.expected.find(name);
    if (accepted == rules.expected.end())
        return Quoted(message);
    std::string given = "nothing";
    for (const std::string& arg : args)
        if (arg.starts_with(name + "="))
            given = Quoted(arg.substr(name.size() + 1));
    return name + ": expected " + accepted->second + ", got " + given;
}

// Checks that need every option: the output and its format.
std::optional<std::string> CheckOutput(RenderOptions& options, bool formatGiven)
{
    if (options.output.empty())
        return "--output: expected a file name ending in .png or .pgm (required), got nothing";
    std::string extension = std::filesystem::path(options.output).extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!formatGiven && (extension == ".png" || extension == ".pgm"))
        options.format = extension == ".png" ? ImageFormat::kPng : ImageFormat::kPgm;
    else if (!formatGiven)
        return "--output: expected a file name ending in .png or .pgm, or --format png|pgm, "
               "got " + Quoted(options.output);
    if (options.format == ImageFormat::kPgm && options.picture.supersample != 1)
        return "--supersample: expected 1 with PGM output, which holds raw colour values, got " +
               Quoted(std::to_string(options.picture.supersample));
    return std::nullopt;
}

// The animation's options together: the pattern, the range, and the end
// values, which default to the first frame's.
std::optional<std::string> CheckAnimation(RenderOptions& o, const CommandLineRules& rules)
{
    const std::int32_t fields = FrameFieldCount(o.output);
    if (o.frames == 0) {
        for (const char* name : {"--to-a", "--to-b", "--to-morph", "--to-first-x",
                                 "--to-contrast", "--frame-range"})
            if (rules.Given(name))
                return std::string(name) + ": expected only with --frames, got no --frames";
        if (fields > 0)
            return "--output: expected a file name without a frame number field (given "
                   "--frames, one), got " + Quoted(o.output);
        return std::nullopt;
    }
    if (fields != 1)
        return "--output: expected with --frames a file name with one frame number field "
               "(%d, %05d or %5d; %% for a percent sign), got " + Quoted(o.output);
    if (!rules.Given("--frame-range")) {
        o.firstFrame = 0;
        o.lastFrame = o.frames - 1;
    } else if (o.firstFrame > o.lastFrame || o.lastFrame >= o.frames) {
        return "--frame-range: expected I:J with I <= J < " + std::to_string(o.frames) +
               " (the frames), got " +
               Quoted(std::to_string(o.firstFrame) + ":" + std::to_string(o.lastFrame));
    }
    const LyapParameters& f = o.picture.fractal;
    if (!rules.Given("--to-a"))
        std::tie(o.to.aMin, o.to.aMax) = std::pair(f.aMin, f.aMax);
    if (!rules.Given("--to-b"))
        std::tie(o.to.bMin, o.to.bMax) = std::pair(f.bMin, f.bMax);
    if (!rules.Given("--to-morph"))
        o.to.morph = f.morph;
    if (!rules.Given("--to-first-x"))
        o.to.firstX = f.firstX;
    if (!rules.Given("--to-contrast"))
        o.to.contrast = f.contrast;
    return std::nullopt;
}

ParsedCommand Failure(std::string complaint)
{
    return ParsedCommand{CommandAction::kError, {}, std::move(complaint)};
}

// One parse of the arguments over start (the defaults, or a picture's
// values); wholeCommand: the checks of a whole command line too.
ParsedCommand ParseOver(const std::vector<std::string>& args, const RenderOptions& start,
                        bool wholeCommand)
{
    ParsedCommand result{CommandAction::kRender, start, {}};
    CommandLineRules rules(result.options);
    try {
        // CLI11 takes the arguments last first.
        rules.app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::CallForHelp&) {
        return {CommandAction::kHelp, {}, rules.app.help()};
    } catch (const CLI::CallForVersion&) {
        return {CommandAction::kVersion, {}, kVersion + std::string("\n")};
    } catch (const CLI::ValidationError& error) {
        return Failure(error.what());
    } catch (const CLI::ParseError& error) {
        return Failure(Reworded(error, rules, args));
    }
    if (const auto extras = rules.app.remaining(); !extras.empty())
        return Failure((extras.front().starts_with("-") ? "unknown option " : "unexpected argument ") +
                       Quoted(extras.front()) + "; ombrelia-render --help lists the accepted options");
    if (!wholeCommand)
        return result;
    if (auto complaint = CheckOutput(result.options, rules.Given("--format")))
        return Failure(*complaint);
    if (auto complaint = CheckAnimation(result.options, rules))
        return Failure(*complaint);
    return result;
}

// The text between the quotes Quoted puts around it.
std::string Escaped(std::string_view text)
{
    const std::string quoted = Quoted(text);
    return quoted.substr(1, quoted.size() - 2);
}

} // namespace

std::optional<std::string> ReadParameterValues(std::string_view text, RenderOptions& options)
{
    std::string reason;
    const auto fields = ParseParameterText(text, reason);
    if (!fields)
        return Escaped(reason);
    const auto field = [&fields](const char* key) { return fields->find(key)->second; };
    // Through the options themselves, so that a value read is held to
    // exactly the limits of the same value typed.
    const ParsedCommand read = ParseOver(
        {"--size=" + field("width") + "x" + field("height"), "--iterations=" + field("iterations"),
         "--sequence=" + field("sequence"),
         "--a=" + field("a-min") + ":" + field("a-max"), "--b=" + field("b-min") + ":" + field("b-max"),
         "--morph=" + field("morph"), "--first-x=" + field("first-x"),
         "--contrast=" + field("contrast"), "--palette=" + field("palette"),
         "--supersample=" + field("supersample")},
        options, false);
    if (read.action != CommandAction::kRender)
        return read.text;
    options = read.options;
    return std::nullopt;
}

ParsedCommand ParseArguments(const std::vector<std::string>& args,
                             std::int32_t defaultThreads)
{
    RenderOptions start;
    start.threads = defaultThreads;
    ParsedCommand parsed = ParseOver(args, start, true);
    if (parsed.action != CommandAction::kRender || parsed.options.from.empty())
        return parsed;
    // The picture's values first, then the command line again over them.
    const std::string& from = parsed.options.from;
    std::string reason;
    const auto text = ReadParameterChunk(from, reason);
    if (!text)
        return Failure("--from: expected a PNG file written by Ombrelia, got " + Quoted(from) +
                       " (" + Escaped(reason) + ")");
    if (const auto complaint = ReadParameterValues(*text, start))
        return Failure("--from: " + Quoted(from) + " holds a value not accepted: " + *complaint);
    return ParseOver(args, start, true);
}
