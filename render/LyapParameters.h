// The parameters that decide a picture's colour values, with the defaults
// that give the viewer's first picture. The calculator's defaults and the
// renderer's option defaults both read them from here.
#pragma once

#include "LyapSequence.h"

#include <cstdint>

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
