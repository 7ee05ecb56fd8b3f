// Fuzzes the command line of ombrelia-render: the input is split at NUL
// bytes into arguments. Whatever they are, the parser either accepts them
// with every option within its documented range, or refuses them with one
// line naming an option; it never crashes.
#include "AcceptedOptions.h"
#include "ParseArguments.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A NUL at the very end ends the last argument rather than starting one.
    std::vector<std::string> args{std::string()};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    if (args.back().empty())
        args.pop_back();
    const ParsedCommand parsed = ParseArguments(args, 2);
    if (parsed.action == CommandAction::kRender)
        CheckAccepted(parsed.options);
    else if (parsed.action == CommandAction::kError)
        CheckOneLine(parsed.text);
    return 0;
}
