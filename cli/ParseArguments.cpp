#include "ParseArguments.h"

#include "StrictNumbers.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <set>
#include <string_view>

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

// Stores an option's value; false when the text is not acceptable.
using ValueHandler = std::function<bool(std::string_view, RenderOptions&)>;

struct OptionRule {
    std::string_view longName;   // with its leading "--"
    std::string_view shortName;  // "-x" or empty
    bool takesValue;
    std::string expected;        // what the value may be, for complaints
    ValueHandler store;          // for options that take a value
};

bool StoreWhole(std::string_view text, std::int32_t& field, std::int64_t low,
                std::int64_t high)
{
    const auto value = ParseWholeNumber(text);
    if (!value || *value < low || *value > high)
        return false;
    field = static_cast<std::int32_t>(*value);
    return true;
}

bool StoreReal(std::string_view text, double& field)
{
    const auto value = ParseFiniteNumber(text);
    if (!value)
        return false;
    field = *value;
    return true;
}

// Two parts split at the first separator; nothing when there is none.
std::optional<std::pair<std::string_view, std::string_view>> SplitAt(std::string_view text,
                                                                     char separator)
{
    const auto at = text.find(separator);
    if (at == std::string_view::npos)
        return std::nullopt;
    return std::pair{text.substr(0, at), text.substr(at + 1)};
}

bool StoreRange(std::string_view text, double& low, double& high)
{
    const auto parts = SplitAt(text, ':');
    if (!parts)
        return false;
    const auto min = ParseFiniteNumber(parts->first);
    const auto max = ParseFiniteNumber(parts->second);
    if (!min || !max)
        return false;
    low = *min;
    high = *max;
    return true;
}

bool StoreSize(std::string_view text, RenderOptions& options)
{
    const auto parts = SplitAt(text, 'x');
    if (!parts)
        return false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!StoreWhole(parts->first, width, 1, kMaxImageSide) ||
        !StoreWhole(parts->second, height, 1, kMaxImageSide))
        return false;
    options.width = width;
    options.height = height;
    return true;
}

bool StoreIterations(std::string_view text, RenderOptions& options)
{
    std::int32_t iterations = 0;
    if (!StoreWhole(text, iterations, 2, kMaxIterations) || iterations % 2 != 0)
        return false;
    options.iterations = iterations;
    return true;
}

bool StoreFormat(std::string_view text, RenderOptions& options)
{
    if (text == "png")
        options.format = ImageFormat::kPng;
    else if (text == "pgm")
        options.format = ImageFormat::kPgm;
    else
        return false;
    return true;
}

bool StoreOutput(std::string_view text, RenderOptions& options)
{
    options.output = text;
    return !text.empty();
}

std::string WholeFromOneTo(std::int32_t high)
{
    return "a whole number from 1 to " + std::to_string(high);
}

const std::vector<OptionRule>& OptionTable()
{
    static const std::vector<OptionRule> table = {
        {"--output", "-o", true, "a file name", StoreOutput},
        {"--format", "", true, "png or pgm", StoreFormat},
        {"--size", "", true,
         "WIDTHxHEIGHT, each side " + WholeFromOneTo(kMaxImageSide), StoreSize},
        {"--iterations", "", true,
         "an even whole number from 2 to " + std::to_string(kMaxIterations),
         StoreIterations},
        {"--a", "", true, "MIN:MAX, two finite numbers",
         [](std::string_view t, RenderOptions& o) { return StoreRange(t, o.aMin, o.aMax); }},
        {"--b", "", true, "MIN:MAX, two finite numbers",
         [](std::string_view t, RenderOptions& o) { return StoreRange(t, o.bMin, o.bMax); }},
        {"--morph", "", true, "a finite number",
         [](std::string_view t, RenderOptions& o) { return StoreReal(t, o.morph); }},
        {"--first-x", "", true, "a finite number",
         [](std::string_view t, RenderOptions& o) { return StoreReal(t, o.firstX); }},
        {"--contrast", "", true, "a finite number",
         [](std::string_view t, RenderOptions& o) { return StoreReal(t, o.contrast); }},
        {"--palette", "", true, WholeFromOneTo(kPaletteChoices),
         [](std::string_view t, RenderOptions& o) {
             return StoreWhole(t, o.palette, 1, kPaletteChoices);
         }},
        {"--threads", "", true, WholeFromOneTo(kMaxThreads),
         [](std::string_view t, RenderOptions& o) {
             return StoreWhole(t, o.threads, 1, kMaxThreads);
         }},
        {"--supersample", "", true, WholeFromOneTo(kMaxSupersample),
         [](std::string_view t, RenderOptions& o) {
             return StoreWhole(t, o.supersample, 1, kMaxSupersample);
         }},
        {"--quiet", "-q", false, "no value", nullptr},
        {"--help", "-h", false, "no value", nullptr},
        {"--version", "", false, "no value", nullptr},
    };
    return table;
}

const OptionRule* FindOption(std::string_view name)
{
    for (const OptionRule& rule : OptionTable())
        if (name == rule.longName || (!rule.shortName.empty() && name == rule.shortName))
            return &rule;
    return nullptr;
}

std::string Complaint(std::string_view option, std::string_view expected,
                      std::string_view given)
{
    return std::string(option) + ": expected " + std::string(expected) + ", got " +
           std::string(given);
}

ParsedCommand Failure(std::string message)
{
    ParsedCommand result;
    result.action = CommandAction::kError;
    result.error = std::move(message);
    return result;
}

std::string LowerCaseExtension(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Checks that need every option: the output and its format.
std::optional<std::string> CheckCombination(RenderOptions& options,
                                            const std::set<std::string_view>& seen)
{
    if (!seen.contains("--output"))
        return Complaint("--output", "a file name ending in .png or .pgm (required)",
                         "nothing");
    if (!seen.contains("--format")) {
        const std::string extension = LowerCaseExtension(options.output);
        if (extension == ".png")
            options.format = ImageFormat::kPng;
        else if (extension == ".pgm")
            options.format = ImageFormat::kPgm;
        else
            return Complaint("--output",
                             "a file name ending in .png or .pgm, or --format png|pgm",
                             Quoted(options.output));
    }
    if (options.format == ImageFormat::kPgm && options.supersample != 1)
        return Complaint("--supersample",
                         "1 with PGM output, which holds raw colour values",
                         Quoted(std::to_string(options.supersample)));
    return std::nullopt;
}

} // namespace

ParsedCommand ParseArguments(const std::vector<std::string>& args,
                             std::int32_t defaultThreads)
{
    ParsedCommand result;
    result.options.threads = defaultThreads;
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view argument = args[i];
        const auto equals = argument.find('=');
        const bool attached = argument.starts_with("--") && equals != std::string_view::npos;
        const std::string_view name = attached ? argument.substr(0, equals) : argument;
        const OptionRule* rule = FindOption(name);
        if (rule == nullptr) {
            const char* what = argument.starts_with("-") ? "unknown option " : "unexpected argument ";
            return Failure(what + Quoted(argument) +
                           "; ombrelia-render --help lists the accepted options");
        }
        if (rule->longName == "--help") {
            result.action = CommandAction::kHelp;
            return result;
        }
        if (rule->longName == "--version") {
            result.action = CommandAction::kVersion;
            return result;
        }
        const bool repeated = !seen.insert(rule->longName).second;
        if (!rule->takesValue) {
            if (repeated)
                return Failure(Complaint(rule->longName, "it at most once", "it again"));
            if (attached)
                return Failure(Complaint(rule->longName, rule->expected,
                                         Quoted(argument.substr(equals + 1))));
            result.options.quiet = true;
            continue;
        }
        std::optional<std::string_view> value;
        if (attached)
            value = argument.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        if (!value)
            return Failure(Complaint(rule->longName, rule->expected, "nothing"));
        if (repeated)
            return Failure(Complaint(rule->longName, "it at most once",
                                     "it again with " + Quoted(*value)));
        if (!rule->store(*value, result.options))
            return Failure(Complaint(rule->longName, rule->expected, Quoted(*value)));
    }
    if (const auto complaint = CheckCombination(result.options, seen))
        return Failure(*complaint);
    return result;
}

std::string VersionText()
{
    return "ombrelia-render " OMBRELIA_VERSION "\n";
}

std::string UsageText(std::int32_t defaultThreads)
{
    return
        "Usage: ombrelia-render [options] -o FILE\n"
        "Renders a Lyapunov-space fractal into an image file, without a display.\n"
        "\n"
        "  -o, --output FILE     the file to write (required); .png or .pgm, or set --format\n"
        "      --format png|pgm  png: 24-bit colour from the palette;\n"
        "                        pgm: the raw colour values 0..255\n"
        "      --size WxH        image size, each side 1..16384 (default 384x384)\n"
        "      --iterations N    steps per point, even, 2..1000000 (default 16)\n"
        "      --a MIN:MAX       rate a across the columns (default 2:4)\n"
        "      --b MIN:MAX       rate b down the rows (default 2:4)\n"
        "      --morph M         twice the point the derivative is taken about (default 1)\n"
        "      --first-x X       starting value of every orbit (default 0.5)\n"
        "      --contrast C      colour values per unit of exponent (default 128)\n"
        "      --palette 1..4    the viewer's Palette1..Palette4 (default 1)\n"
        "      --threads T       worker threads, 1..64 (default: the processors\n"
        "                        available, here " + std::to_string(defaultThreads) + ")\n"
        "      --supersample K   K x K samples per pixel, averaged, 1..8; PNG only\n"
        "                        (default 1)\n"
        "  -q, --quiet           no progress bar\n"
        "  -h, --help            show this help and exit\n"
        "      --version         show the version and exit\n"
        "\n"
        "The same command writes the same file whatever the machine or --threads.\n"
        "\n"
        "Exit status: 0 the file was written; 1 not enough memory for the image;\n"
        "2 bad command line, or the file cannot be written there (no room, no\n"
        "permission, no such folder); 130 interrupted (SIGINT); 143 terminated\n"
        "(SIGTERM). Unless it is 0, nothing is written and an existing file is\n"
        "left as it was.\n";
}
