// Fuzzes the command line of ombrelia-render: the input is split at NUL
// bytes into arguments. Whatever they are, the parser either accepts them
// with every option within its documented range, or refuses them with one
// line naming an option; it never crashes.
#include "ParseArguments.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args{std::string()};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    if (args.back().empty())
        args.pop_back();
    return args;
}

void CheckAccepted(const RenderOptions& o)
{
    const PictureDescription& p = o.picture;
    const LyapParameters& f = p.fractal;
    Check(!o.output.empty());
    Check(p.width >= 1 && p.width <= kMaxImageSide);
    Check(p.height >= 1 && p.height <= kMaxImageSide);
    Check(f.iterations >= 2 && f.iterations <= kMaxIterations && f.iterations % 2 == 0);
    for (double value : {f.aMin, f.aMax, f.bMin, f.bMax, f.morph, f.firstX, f.contrast})
        Check(std::isfinite(value));
    Check(p.palette >= 1 && p.palette <= kPaletteChoices);
    Check(o.threads >= 1 && o.threads <= kMaxThreads);
    Check(p.supersample >= 1 && p.supersample <= kMaxSupersample);
    Check(p.supersample == 1 || o.format == ImageFormat::kPng);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ParsedCommand parsed = ParseArguments(SplitAtNul(data, size), 2);
    switch (parsed.action) {
    case CommandAction::kRender:
        CheckAccepted(parsed.options);
        break;
    case CommandAction::kError:
        Check(!parsed.text.empty());
        Check(parsed.text.find('\n') == std::string::npos);
        break;
    case CommandAction::kHelp:
    case CommandAction::kVersion:
        break;
    }
    return 0;
}
