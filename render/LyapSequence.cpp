#include "LyapSequence.h"

#include <bit>

std::optional<LyapSequence> ParseLyapSequence(std::string_view text)
{
    if (text.empty() || text.size() > static_cast<std::size_t>(kLyapMaxSequence))
        return std::nullopt;
    LyapSequence s{0, static_cast<std::int32_t>(text.size())};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == 'B' || c == 'b')
            s.bSteps |= std::uint64_t{1} << i;
        else if (c != 'A' && c != 'a')
            return std::nullopt;
    }
    return s;
}

namespace {

// The letters below `count` (0 .. length) of the sequence.
std::uint64_t FirstLetters(std::uint64_t bits, std::int32_t count)
{
    return count >= 64 ? bits : bits & ((std::uint64_t{1} << count) - 1);
}

}  // namespace

std::int32_t LyapBStepCount(const LyapSequence& s, std::int32_t steps)
{
    if (steps <= 0)
        return 0;
    const std::uint64_t all = FirstLetters(s.bSteps, s.length);
    return (steps / s.length) * std::popcount(all) +
           std::popcount(FirstLetters(all, steps % s.length));
}

bool LyapIsAlternating(const LyapSequence& s)
{
    constexpr std::uint64_t kOddLetters = 0xAAAAAAAAAAAAAAAAull;
    return s.length % 2 == 0 &&
           FirstLetters(s.bSteps, s.length) == FirstLetters(kOddLetters, s.length);
}
