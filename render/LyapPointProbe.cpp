#include "LyapPointProbe.h"

#include "ColourValue.h"
#include "LyapOrbit.h"
#include "LyapPassRates.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <cmath>

namespace {

double RateOfColumn(const TLyapCalc& prepared, std::int32_t x)
{
    const double dA = prepared.fASpan / prepared.fWidth;
    double a = prepared.fAMin;
    for (std::int32_t column = 0; column < x; ++column)
        a += dA;
    return a;
}

double RateOfRow(const TLyapCalc& prepared, std::int32_t rowStep, std::int32_t y)
{
    LyapPassRates rates(prepared.fBMin, prepared.fBSpan / prepared.fHeight, rowStep, y % rowStep);
    double b = rates.TakeNext();
    for (std::int32_t row = y % rowStep; row < y; row += rowStep)
        b = rates.TakeNext();
    return b;
}

// The orbit's first steps, and the running estimate over the measured ones:
// the mean of log |2 r (center - x)|, each step's factor as the product
// takes it (the product's 2^N and b^n enter the same way, per step).
void FollowOrbit(const TLyapCalc& prepared, LyapPointInfo& info)
{
    const LyapSequence sequence{prepared.fSequence, prepared.fSequenceLength};
    const std::int64_t total = std::int64_t{prepared.fSettle} + std::max(prepared.fIterations, 0);
    const auto steps = static_cast<std::int32_t>(std::min<std::int64_t>(total, kLyapProbedSteps));
    info.settle = std::min(prepared.fSettle, steps);
    double x = prepared.fX0;
    double logSum = 0.0;
    std::int32_t letter = 0;
    for (std::int32_t step = 0; step < steps; ++step) {
        const double rate = ((sequence.bSteps >> letter) & 1) ? info.b : info.a;
        x = (rate * x) * (1 - x);
        info.orbit.push_back(x);
        if (step >= prepared.fSettle) {
            logSum += std::log(std::fabs(2.0 * rate * (prepared.fCenter - x)));
            info.runningExponent.push_back(logSum / (step - prepared.fSettle + 1));
        }
        if (++letter == sequence.length)
            letter = 0;
    }
}

} // namespace

LyapPointInfo ProbeLyapPoint(const TLyapCalc& calc, std::int32_t rowStep, std::int32_t x, std::int32_t y)
{
    TLyapCalc prepared = calc;
    prepared.PreparePass();
    LyapPointInfo info;
    info.a = RateOfColumn(prepared, x);
    info.b = RateOfRow(prepared, std::max(rowStep, 1), y);
    // As a pass's row and column set them before the pixel's exponent.
    prepared.fA = info.a;
    prepared.fB = info.b;
    prepared.fRowLogB = prepared.fHalfIterations == 0 ? 0.0 : std::log(info.b) * prepared.fHalfIterations;
    info.exponent = prepared.EvaluateExponent();
    info.colourValue = prepared.EvaluatePoint();
    FollowOrbit(prepared, info);
    return info;
}
