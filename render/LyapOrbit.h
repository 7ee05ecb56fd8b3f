// The scalar arithmetic of one point, shared by every kernel: the orbit's
// product of derivative factors and the colour value of that product. Both
// kernels reach the colour value through these functions, so the doubles they
// produce are the same by construction wherever the products are.
#pragma once

#include "ColourValue.h"
#include "LyapSequence.h"

#include <cmath>
#include <cstdint>

// What the colour value of a product depends on besides the product: the
// working values of the pass (and of the row, for rowLogB).
struct LyapValueTerms {
    double logFloor;
    double logOffset;
    double rowLogB;
    double contrast;
    std::int32_t iterations;
};

// Continues an orbit at x whose product so far is `product` from step
// `step` to step `end` - 1; each step uses a or b as the sequence says.
// The a-rates are multiplied into the product, b enters through rowLogB.
inline double LyapOrbitProductFrom(double a, double b, double center, double x,
                                   double product, const LyapSequence& sequence,
                                   std::int32_t step, std::int32_t end)
{
    std::int32_t letter = step % sequence.length;
    for (; step < end; ++step) {
        if ((sequence.bSteps >> letter) & 1) {
            x = (b * x) * (1 - x);
            product = (center - x) * product;
        } else {
            x = (a * x) * (1 - x);
            product = ((center - x) * a) * product;
        }
        if (++letter == sequence.length)
            letter = 0;
    }
    return product;
}

// The orbit's value after its first `steps` steps from x0, no product kept:
// the settling before the measured steps.
inline double LyapSettledX(double a, double b, double x0, const LyapSequence& sequence,
                           std::int32_t steps)
{
    std::int32_t letter = 0;
    for (std::int32_t step = 0; step < steps; ++step) {
        x0 = (((sequence.bSteps >> letter) & 1) ? b * x0 : a * x0) * (1 - x0);
        if (++letter == sequence.length)
            letter = 0;
    }
    return x0;
}

// The product of the orbit's factors over N = iterations steps that follow
// `settle` unmeasured steps from x0. A count of 0 or below takes no step and
// leaves the product at 1 (the caller treats it separately).
inline double LyapOrbitProduct(double a, double b, double x0, double center,
                               std::int32_t iterations,
                               const LyapSequence& sequence, std::int32_t settle = 0)
{
    return LyapOrbitProductFrom(a, b, center, LyapSettledX(a, b, x0, sequence, settle), 1.0,
                                sequence, settle, settle + iterations);
}

// The logarithm the colour value is taken from: of |product|, held at the
// floor from below.
inline double LyapLogOfProduct(double product, double logFloor)
{
    product = std::fabs(product);
    if (product < logFloor)
        product = logFloor;
    return std::log(product);
}

// The exponent of an orbit whose product has the logarithm `logProduct`.
inline double LyapExponentOfLog(double logProduct, const LyapValueTerms& t)
{
    return (logProduct + t.logOffset + t.rowLogB) / t.iterations;
}
