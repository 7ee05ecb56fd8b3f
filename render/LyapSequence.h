// The rate sequence of the orbit: step k uses rate a where letter k mod
// length of the sequence is A, and rate b where it is B. The program's
// picture is the sequence AB (a, b, a, b, ...).
#pragma once

#include <cstdint>
#include <optional>
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

// Whether step `step` (0 or more) of an orbit uses b.
inline bool LyapIsBStep(const LyapSequence& s, std::int64_t step)
{
    return (s.bSteps >> (step % s.length)) & 1;
}

// How many of the first `steps` steps use b (0 for no steps).
std::int32_t LyapBStepCount(const LyapSequence& s, std::int32_t steps);

// Whether the sequence is AB repeated, which the fast kernel runs in pairs.
bool LyapIsAlternating(const LyapSequence& s);
