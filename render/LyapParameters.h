// The parameters that decide a picture's colour values, with the defaults
// that give the viewer's first picture. The calculator's defaults and the
// renderer's option defaults both read them from here.
#pragma once

#include "LyapSequence.h"

#include <bit>
#include <cstdint>
#include <tuple>

// The viewer's first step count, checked in its Iterations menu.
inline constexpr std::int32_t kLyapDefaultIterations = 16;
// The most steps an orbit may take to settle before it is measured.
inline constexpr std::int32_t kLyapMaxSettle = 1000000;

struct LyapParameters {
    std::int32_t iterations = kLyapDefaultIterations;
    double aMin = 2.0;
    double aMax = 4.0;
    double bMin = 2.0;
    double bMax = 4.0;
    double morph = 1.0;
    double firstX = 0.5;
    double contrast = 128.0;
    LyapSequence sequence = kLyapSequenceAB;
    // Steps the orbit runs, continuing the sequence, before the measured ones.
    std::int32_t settle = 0;
};

// Every field, so that comparing two parameter sets cannot miss one.
inline auto FieldsOf(const LyapParameters& p)
{
    return std::tie(p.iterations, p.aMin, p.aMax, p.bMin, p.bMax, p.morph, p.firstX, p.contrast,
                    p.sequence.bSteps, p.sequence.length, p.settle);
}
// A field added to the struct but not to FieldsOf changes its size.
static_assert(sizeof(LyapParameters) == 88, "list the new field in FieldsOf");

// Bit for bit: the same parameters draw the same bytes, and two that print
// alike (0 and -0) may not.
inline bool SameBits(double one, double other)
{
    return std::bit_cast<std::uint64_t>(one) == std::bit_cast<std::uint64_t>(other);
}
inline bool SameBits(std::integral auto one, std::integral auto other)
{
    return one == other;
}
inline bool operator==(const LyapParameters& one, const LyapParameters& other)
{
    return std::apply([&other](const auto&... mine) {
        return std::apply([&mine...](const auto&... theirs) { return (SameBits(mine, theirs) && ...); },
                          FieldsOf(other));
    }, FieldsOf(one));
}
