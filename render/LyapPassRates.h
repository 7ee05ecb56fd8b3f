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
    LyapPassRates() = default;
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
    double fNext = 0.0;
    double fStep = 0.0;
};

// The b of rows taken in increasing order (any of them skipped), each as
// the kLyapMaxPasses passes give it, row r by pass r mod kLyapMaxPasses:
// the rates of the renderer's pictures, however many workers share the rows.
class LyapPictureRates {
public:
    LyapPictureRates(double bMin, double dB)
    {
        for (std::int32_t pass = 0; pass < kLyapMaxPasses; ++pass) {
            fRates[pass] = LyapPassRates(bMin, dB, kLyapMaxPasses, pass);
            fNextRow[pass] = pass;
        }
    }

    double RateOfRow(std::int32_t row)
    {
        const std::int32_t pass = row % kLyapMaxPasses;
        // The pass's additions for the rows skipped, so that the last bit
        // is the pass's own.
        for (; fNextRow[pass] < row; fNextRow[pass] += kLyapMaxPasses)
            fRates[pass].TakeNext();
        fNextRow[pass] += kLyapMaxPasses;
        return fRates[pass].TakeNext();
    }

private:
    LyapPassRates fRates[kLyapMaxPasses];
    std::int32_t fNextRow[kLyapMaxPasses];
};
