// The scalar arithmetic of one point, shared by every kernel: the orbit's
// product of derivative factors and the colour value of that product. Both
// kernels reach the colour value through these functions, so the doubles they
// produce are the same by construction wherever the products are.
#pragma once

#include "ColourValue.h"

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

// Continues an orbit at x whose product so far is `product` for `steps`
// more steps; the rate alternates so that the last step uses b.
inline double LyapOrbitProductFrom(double a, double b, double center,
                                   double x, double product,
                                   std::int32_t steps)
{
    for (std::int32_t n = steps; n > 0; --n) {
        if (n % 2 == 0) {
            x = (a * x) * (1 - x);
            product = ((center - x) * a) * product;
        } else {
            x = (b * x) * (1 - x);
            product = (center - x) * product;
        }
    }
    return product;
}

// The product of the orbit's factors, N = iterations steps from x0. A count
// of 0 or below takes no step and leaves the product at 1 (the caller treats
// it separately).
inline double LyapOrbitProduct(double a, double b, double x0, double center,
                               std::int32_t iterations)
{
    return LyapOrbitProductFrom(a, b, center, x0, 1.0, iterations);
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
