// Fuzzes the command line of ombrelia-render: the input is split at NUL
// bytes into arguments. Whatever they are, the parser either accepts them
// with every option within its documented range, or refuses them with one
// line naming an option; it never crashes.
#include "AcceptedOptions.h"
#include "ParseArguments.h"

#include <string>
#include <vector>

namespace {

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
        CheckOneLine(parsed.text);
        break;
    case CommandAction::kHelp:
    case CommandAction::kVersion:
        break;
    }
    return 0;
}
