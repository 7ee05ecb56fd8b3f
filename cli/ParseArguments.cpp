#include "ParseArguments.h"

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

    CommandLineRules(RenderOptions& options, std::int32_t defaultThreads);
};

CommandLineRules::CommandLineRules(RenderOptions& o, std::int32_t defaultThreads)
{
    PictureDescription& p = o.picture;
    LyapParameters& f = p.fractal;
    app.set_version_flag("--version", kVersion);
    app.allow_extras();
    app.footer("The same command writes the same file whatever the machine or --threads.\n\n"
               "Exit status: 0 the file was written; 1 not enough memory; 2 bad command\n"
               "line, or the file cannot be written there (no room, no permission, no such\n"
               "folder); 130 interrupted (SIGINT); 143 terminated (SIGTERM). Unless it is 0,\n"
               "nothing is written and an existing file is left as it was.");
    Declare("-o,--output", "FILE", "the file to write (required); .png or .pgm, or set --format",
            "a file name", [&](std::string_view t) { o.output = t; return !t.empty(); });
    Declare("--format", "png|pgm",
            "png: colour from the palette; pgm: the raw colour values 0..255", "png or pgm",
            [&](std::string_view t) {
                o.format = t == "pgm" ? ImageFormat::kPgm : ImageFormat::kPng;
                return t == "png" || t == "pgm";
            });
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
    const auto rates = [this](const char* name, const char* help, double& low, double& high) {
        Declare(name, "MIN:MAX",
                std::string(help) + " (default " + Text(low) + ":" + Text(high) + ")",
                "MIN:MAX, two finite numbers", [&low, &high](std::string_view t) {
                    return ReadPair(t, ':', Reader([&](std::string_view v) { return ReadReal(v, low); }),
                                    Reader([&](std::string_view v) { return ReadReal(v, high); }));
                });
    };
    rates("--a", "rate a across the columns", f.aMin, f.aMax);
    rates("--b", "rate b down the rows", f.bMin, f.bMax);
    const auto real = [this](const char* name, const char* valueName, const char* help,
                             double& field) {
        Declare(name, valueName, std::string(help) + " (default " + Text(field) + ")",
                "a finite number", [&field](std::string_view t) { return ReadReal(t, field); });
    };
    real("--morph", "M", "twice the point the derivative is taken about", f.morph);
    real("--first-x", "X", "starting value of every orbit", f.firstX);
    real("--contrast", "C", "colour values per unit of exponent", f.contrast);
    const auto whole = [this](const char* name, const char* valueName, const std::string& help,
                              std::int32_t& field, std::int32_t high) {
        Declare(name, valueName, help, WholeFromOneTo(high),
                [&field, high](std::string_view t) { return ReadWhole(t, field, 1, high); });
    };
    whole("--palette", "1..4", "the viewer's Palette1..Palette4 (default 1)", p.palette,
          kPaletteChoices);
    whole("--threads", "T",
          "worker threads (default: the processors available, here " +
              std::to_string(defaultThreads) + ")",
          o.threads, kMaxThreads);
    whole("--supersample", "K", "K x K samples per pixel, averaged; PNG only (default 1)",
          p.supersample, kMaxSupersample);
    Declare("-q,--quiet", "", "no progress bar", "no value", [&](std::string_view t) {
        o.quiet = true;
        return t == "true";
    });
    app.get_option("--quiet")->disable_flag_override();
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
std::optional<std::string> CheckCombination(RenderOptions& options, bool formatGiven)
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

} // namespace

ParsedCommand ParseArguments(const std::vector<std::string>& args,
                             std::int32_t defaultThreads)
{
    const auto Failure = [](std::string complaint) {
        return ParsedCommand{CommandAction::kError, {}, std::move(complaint)};
    };
    ParsedCommand result;
    result.options.threads = defaultThreads;
    CommandLineRules rules(result.options, defaultThreads);
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
    if (const auto complaint = CheckCombination(result.options, rules.app.count("--format") > 0))
        return Failure(*complaint);
    return result;
}
