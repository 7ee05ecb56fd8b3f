// The rate sequence of the orbit: step k uses rate a where letter k mod
// length of the sequence is A, and rate b where it is B. The program's
// picture is the sequence AB (a, b, a, b, ...).
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct LyapSequence {
    std::uint64_t bSteps;  // bit i set: letter i is B
    std::int32_t length;   // 1 .. kLyapMaxSequence letters
};

inline constexpr std::int32_t kLyapMaxSequence = 64;
inline constexpr LyapSequence kLyapSequenceAB{0b10, 2};

// The sequence a text spells: 1 to 64 letters, each A or B in either case;
// nothing for any other text.
std::optional<LyapSequence> ParseLyapSequence(std::string_view text);
// The letters of a sequence, in capitals: the text ParseLyapSequence reads.
std::string LyapSequenceText(const LyapSequence& s);

// The letters below `count` (0 .. 64) of a pattern.
inline std::uint64_t LyapFirstLetters(std::uint64_t bits, std::int32_t count)
{
    return count >= 64 ? bits : bits & ((std::uint64_t{1} << count) - 1);
}

// How many of the first `steps` steps use b (0 for no steps).
inline std::int32_t LyapBStepCount(const LyapSequence& s, std::int32_t steps)
{
    if (steps <= 0)
        return 0;
    const std::uint64_t all = LyapFirstLetters(s.bSteps, s.length);
    return (steps / s.length) * std::popcount(all) +
           std::popcount(LyapFirstLetters(all, steps % s.length));
}

// How many of the steps first .. first + steps - 1 use b.
inline std::int32_t LyapBStepCount(const LyapSequence& s, std::int32_t first, std::int32_t steps)
{
    return LyapBStepCount(s, first + steps) - LyapBStepCount(s, first);
}

// Whether the sequence is AB repeated, which the fast kernel runs in pairs.
inline bool LyapIsAlternating(const LyapSequence& s)
{
    constexpr std::uint64_t kOddLetters = 0xAAAAAAAAAAAAAAAAull;
    return s.length % 2 == 0 &&
           LyapFirstLetters(s.bSteps, s.length) == LyapFirstLetters(kOddLetters, s.length);
}
