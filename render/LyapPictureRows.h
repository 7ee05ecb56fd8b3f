// The colour values of a width x height picture, computed in bands of rows
// in any order and with bytes the viewer's largest worker pool would give
// (kLyapMaxPasses workers, always that many, so that the count fixes every
// row's rates): worker i computes rows i, i + kLyapMaxPasses, ... and reaches
// each row's b by its own repeated additions, which at some points decides
// the last bit, and so the colour.
#pragma once

#include "LyapPassRates.h"
#include "TLyapCalc.h"

#include <cstdint>
#include <vector>

class LyapPictureRows {
public:
    // parameters: the picture's parameters (its image fields are ignored).
    LyapPictureRows(const TLyapCalc& parameters, std::int32_t width, std::int32_t height);

    // Fills rows [first, first + count) into values (count rows of width
    // colour values), on the calling thread. Cheapest when every call starts
    // at or after the row where the last one ended. False once stopped.
    bool FillRows(std::int32_t first, std::int32_t count, std::uint8_t* values);
    // The same rows' exponents, from which those colour values are made.
    bool FillRows(std::int32_t first, std::int32_t count, double* exponents);

    // From any thread: FillRows returns soon, now and from now on, leaving
    // its rows unfinished.
    void Stop() { fCalc.fState.store(TLyapCalc::kStopRequested); }

private:
    // Advances every pass's rates to row (starting over for an earlier row).
    void SeekRow(std::int32_t row);
    // Rows [first, first + count), row i into outputOfRow(i).
    template <typename OutputOfRow>
    bool FillRowsInto(std::int32_t first, std::int32_t count, OutputOfRow outputOfRow);

    TLyapCalc fCalc;  // prepared for a pass over the whole picture
    std::vector<LyapPassRates> fRates;
    std::int32_t fNextRow = 0;  // the row fRates[fNextRow % kLyapMaxPasses] gives next
};
