// The fast kernel: colour values of a group of up to kLyapMaxGroup pixels of
// one row, computed several at a time with SIMD (Google Highway, the best
// instruction set of the running processor chosen at run time). Every value
// is the one the plain kernel (TLyapCalc::EvaluatePoint) gives the same pixel;
// LyapFastKernel.cpp explains how that holds where products underflow.
#pragma once

#include "LyapOrbit.h"

#include <cstdint>
#include <vector>

// Largest group: the pass looks at its request word after every group.
inline constexpr std::int32_t kLyapMaxGroup = 64;

// One group of pixels of a row: their rates a (count of them, 1 to
// kLyapMaxGroup), and what they share.
struct LyapGroupInput {
    const double* a;
    std::int32_t count;
    double b;
    double x0;
    double center;
    LyapValueTerms terms;  // terms.iterations is the step count N
    LyapSequence sequence = kLyapSequenceAB;
    // Unmeasured steps before the terms.iterations measured ones (0 or more).
    std::int32_t settle = 0;
};

// How the group's pixels were decided (TLyapCalc::Calculate counts them for
// the benchmark and the tests):
// exact: the vector product is the plain product itself (never rescaled);
// rescaled: the plain product rebuilt exactly from a rescaled one;
// belowFloor: proven to end below the floor; fallback: computed again by
// the plain loop because neither could be proven.
struct LyapPathCounts {
    std::int64_t exact = 0;
    std::int64_t rescaled = 0;
    std::int64_t belowFloor = 0;
    std::int64_t fallback = 0;
};

// Writes input.count colour values to values. counts, when not null, is
// added to.
void LyapFastGroupValues(const LyapGroupInput& input, std::int32_t* values,
                         LyapPathCounts* counts = nullptr);

// The exponents those colour values are made from (0 when there are no
// steps), bit for bit those of TLyapCalc::EvaluateExponent.
void LyapFastGroupExponents(const LyapGroupInput& input, double* exponents,
                            LyapPathCounts* counts = nullptr);

// Colour values of count (1 to kLyapMaxGroup) orbits from the logarithms of
// their held products (LyapLogOfProduct): LyapColourValue of
// LyapExponentOfLog, computed for several orbits at once.
void LyapColourValuesOfLogs(const double* logs, std::int32_t count,
                            const LyapValueTerms& terms, std::int32_t* values);

// The Highway targets compiled into the kernel that this processor supports,
// best first, and the name of the one a call would use now.
std::vector<std::int64_t> LyapFastKernelTargets();
const char* LyapFastKernelTargetName();
