// From Lyapunov exponent to colour value, and to the slot of its colour:
// shared by every kernel and every picture so that they agree to the byte.
#pragma once

#include <array>
#include <cstddef>
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

// A chaotic orbit's colour value when chaos is graded: L x chaosContrast,
// truncated toward zero and held within 0..255 (infinities too); where that
// is not a number, 255, as pictures have always had it.
inline std::int32_t LyapChaosColourValue(double exponent, double chaosContrast)
{
    const double v = exponent * chaosContrast;
    if (!(v < 255.0))
        return 255;
    if (!(v > 0.0))
        return 0;
    return static_cast<std::int32_t>(v);
}

// Where an exponent's colour sits among 512: 0..255 its colour value, or,
// with chaos graded (chaosContrast not 0) and the orbit chaotic, 256 + its
// chaos colour value. Pictures and the calculator's 32-bit images both
// colour through it, so a point gets the same colour in either.
inline std::size_t LyapColourSlot(double exponent, double contrast, double chaosContrast)
{
    if (chaosContrast != 0.0 && exponent > 0.0)
        return 256 + static_cast<std::size_t>(LyapChaosColourValue(exponent, chaosContrast));
    return static_cast<std::size_t>(LyapColourValue(exponent, contrast));
}

// The colours of a 32-bit image: entry k the pixel (0xAARRGGBB) for slot k
// of LyapColourSlot, taken with this table's chaos contrast.
struct LyapColourTable {
    std::array<std::uint32_t, 512> pixels;
    double chaosContrast = 0.0;
};
