// The command line of ombrelia-render, declared through CLI11: from
// arguments to RenderOptions, or to a one-line complaint naming the option,
// what it accepts and what it got.
#pragma once

#include "ParameterKeys.h"
#include "RenderOptions.h"

#include <cstdint>
#include <string>
#include <vector>

enum class CommandAction { kRender, kHelp, kVersion, kError };

struct ParsedCommand {
    CommandAction action = CommandAction::kRender;
    RenderOptions options;
    // kError: the complaint, one line without program name or newline;
    // kHelp and kVersion: the text to print.
    std::string text;
};

// args excludes the program name. defaultThreads is used when --threads is
// not given. With --from the picture's values are read first, and every
// other option given changes them.
ParsedCommand ParseArguments(const std::vector<std::string>& args,
                             std::int32_t defaultThreads);
