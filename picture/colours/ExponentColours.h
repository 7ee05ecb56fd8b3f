// The colour of every point from its exponent: ordered points (and exponents
// that are not numbers) by the usual colour value through the picture's
// colours; with chaos graded, the points above 0 by exponent x chaos
// contrast through the chaos colours.
#pragma once

#include "ColourMap.h"
#include "ColourValue.h"
#include "PictureDescription.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The picture's colours: its colour map, else its palette's.
ColourMap OrderColours(const PictureDescription& picture);

class ExponentColours {
public:
    explicit ExponentColours(const PictureDescription& picture);

    // Whether one PLTE holds every colour a point can get: always without a
    // chaos grading (the order colours, entry v for colour value v), and with
    // one when the two sets of colours have at most 256 distinct ones.
    bool Indexed() const { return fIndexed; }
    // The PLTE; unused entries black.
    const ColourMap& Plte() const { return fPlte; }

    std::uint8_t Index(double exponent) const { return fIndex[Slot(exponent)]; }
    const RgbColour& Colour(double exponent) const { return fColours[Slot(exponent)]; }
    // The colour of slot 0..511 (LyapColourSlot): a screen's table of them.
    const RgbColour& SlotColour(std::size_t slot) const { return fColours[slot]; }

private:
    // LyapColourSlot: 0..255 the order colour values, 256..511 the chaos ones.
    // Here, so that the encoders' loop over every pixel inlines it.
    std::size_t Slot(double exponent) const { return LyapColourSlot(exponent, fContrast, fChaosContrast); }

    double fContrast;
    double fChaosContrast;  // 0: chaos not graded
    std::array<RgbColour, 512> fColours{};
    std::array<std::uint8_t, 512> fIndex{};
    ColourMap fPlte{};
    bool fIndexed = true;
};
