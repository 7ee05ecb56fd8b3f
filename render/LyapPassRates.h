// The rate b of the rows of one pass: from bMin + firstRow x dB on, by
// repeated additions of rowStep x dB. Every pass and every banded render
// takes its rows' b from here, so that a row gets the very same double
// whoever computes it.
#pragma once

#include <cstdint>

// The most passes a picture is split into: the viewer's largest worker pool,
// and the fixed split of the renderer, whose rows must get the viewer's
// rates whatever its own thread count.
inline constexpr std::int32_t kLyapMaxPasses = 64;

class LyapPassRates {
public:
    LyapPassRates(double bMin, double dB, std::int32_t rowStep, std::int32_t firstRow)
        : fNext(bMin + firstRow * dB), fStep(rowStep * dB)
    {
    }

    // The b of the pass's next row.
    double TakeNext()
    {
        const double b = fNext;
        fNext += fStep;
        return b;
    }

private:
    double fNext;
    double fStep;
};
