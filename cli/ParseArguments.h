// The command line of ombrelia-render, declared through CLI11: from
// arguments to RenderOptions, or to a one-line complaint naming the option,
// what it accepts and what it got.
#pragma once

#include "RenderOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// Reads the values of a parameter text (as written into every PNG) into
// options, held to the very limits of the options that set them; nothing on
// success, otherwise the complaint, one line.
std::optional<std::string> ReadParameterValues(std::string_view text, RenderOptions& options);

// The given text between quotes, with control characters, quotes and
// backslashes escaped, so that a complaint stays one line whatever was typed.
std::string Quoted(std::string_view text);
