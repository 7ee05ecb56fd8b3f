// Small helpers for driving the calculator over tiny images in tests.
#pragma once

#include "TLyapCalc.h"

#include <array>
#include <cstdint>
#include <vector>

// Entry v is v: the image then holds colour values themselves.
inline std::array<std::uint8_t, 256> IdentityMap()
{
    std::array<std::uint8_t, 256> map{};
    for (int v = 0; v < 256; ++v)
        map[v] = static_cast<std::uint8_t>(v);
    return map;
}

// The colour value of the single point (a, b) under `calc`'s other
// parameters: a 1 x 1 image has exactly a = fAMin and b = fBMin.
inline int ColourValueAt(TLyapCalc calc, double a, double b)
{
    static const auto map = IdentityMap();
    std::uint8_t pixel = 0;
    calc.fAMin = a;
    calc.fAMax = a + 1.0;
    calc.fBMin = b;
    calc.fBMax = b + 1.0;
    calc.SetSize(&pixel, 1, 1, 1);
    calc.Calculate(map.data(), 1, 0);
    return pixel;
}

// Renders `calc` into a fresh width x height image in one pass.
inline std::vector<std::uint8_t> RenderImage(TLyapCalc calc, int width, int height,
                                             const std::uint8_t* map)
{
    std::vector<std::uint8_t> image(static_cast<size_t>(width) * height, 0);
    calc.SetSize(image.data(), width, height, width);
    calc.Calculate(map, 1, 0);
    return image;
}
