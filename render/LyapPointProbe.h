// One pixel of a render looked at closely: the rates it was computed with,
// its exponent and colour value, and the orbit behind them.
#pragma once

#include <cstdint>
#include <vector>

class TLyapCalc;

struct LyapPointInfo {
    double a = 0.0;
    double b = 0.0;
    // The very double the render's pass computed for the pixel.
    double exponent = 0.0;
    std::int32_t colourValue = 0;
    // x after each step, the settling ones first, at most kLyapProbedSteps.
    std::vector<double> orbit;
    // The settling steps among them.
    std::int32_t settle = 0;
    // After each measured step among them: the exponent that the steps so
    // far give.
    std::vector<double> runningExponent;
};

inline constexpr std::int32_t kLyapProbedSteps = 1000;

// Pixel (x, y) of the image of `calc` (its size set, x and y inside it), as
// a pass over rows x rowStep apart computes it: row y takes the b its pass
// reaches by repeated additions, column x the a of the row's additions.
// rowStep kLyapMaxPasses gives the rates of the renderer's pictures.
LyapPointInfo ProbeLyapPoint(const TLyapCalc& calc, std::int32_t rowStep, std::int32_t x, std::int32_t y);
