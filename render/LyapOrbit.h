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

// The product of the orbit's factors, N = iterations steps from x0. A count
// of 0 or below takes no step and leaves the product at 1 (the caller treats
// it separately).
inline double LyapOrbitProduct(double a, double b, double x0, double center,
                               std::int32_t iterations,
                               const LyapSequence& sequence)
{
    return LyapOrbitProductFrom(a, b, center, x0, 1.0, sequence, 0, iterations);
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

// Colour value 0..255 of an orbit whose product is `product`.
inline std::int32_t LyapProductValue(double product, const LyapValueTerms& t)
{
    return LyapColourValue(
        LyapExponentOfLog(LyapLogOfProduct(product, t.logFloor), t),
        t.contrast);
}
