// From Lyapunov exponent to colour value: shared by every kernel so that they
// agree to the byte.
#pragma once

#include <cstdint>

// Chaotic orbits (L > 0) and exponents that are not numbers get 255; ordered
// orbits are graded by L x (-contrast), truncated toward zero and held within
// 0..255. The comparisons are written so that NaN, infinities and negative
// contrasts never reach the float-to-integer conversion out of its range.
inline std::int32_t LyapColourValue(double exponent, double contrast)
{
    if (!(exponent <= 0.0))
        return 255;
    const double v = exponent * -contrast;
    if (!(v < 255.0))
        return 255;
    if (v < 0.0)
        return 0;
    return static_cast<std::int32_t>(v);
}
