// Numbers from command-line text: the whole text must be the number, with no
// blanks, no leading '+', and for reals nothing that is not finite.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int64_t> ParseWholeNumber(std::string_view text);
std::optional<double> ParseFiniteNumber(std::string_view text);
