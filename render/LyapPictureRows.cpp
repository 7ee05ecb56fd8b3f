#include "LyapPictureRows.h"

#include <array>
#include <cstddef>

namespace {

// Entry v is v: the calculator then stores colour values.
const std::array<std::uint8_t, 256> kColourValues = [] {
    std::array<std::uint8_t, 256> map{};
    for (std::size_t v = 0; v < map.size(); ++v)
        map[v] = static_cast<std::uint8_t>(v);
    return map;
}();

} // namespace

LyapPictureRows::LyapPictureRows(const TLyapCalc& parameters, std::int32_t width,
                                 std::int32_t height)
    : fCalc(parameters)
{
    fCalc.SetSize(nullptr, width, height, width);
    fCalc.PreparePass();
    // SetSize asked for a new pass; rows are filled only while no request
    // is pending.
    fCalc.fState.store(TLyapCalc::kNoRequest);
    SeekRow(0);
}

void LyapPictureRows::SeekRow(std::int32_t row)
{
    if (row < fNextRow || fRates.empty()) {
        const double dB = fCalc.fBSpan / fCalc.fHeight;
        fRates.clear();
        for (std::int32_t pass = 0; pass < kLyapMaxPasses; ++pass)
            fRates.emplace_back(fCalc.fBMin, dB, kLyapMaxPasses, pass);
        fNextRow = 0;
    }
    for (; fNextRow < row; ++fNextRow)
        fRates[static_cast<std::size_t>(fNextRow % kLyapMaxPasses)].TakeNext();
}

bool LyapPictureRows::FillRows(std::int32_t first, std::int32_t count, std::uint8_t* values)
{
    SeekRow(first);
    for (std::int32_t i = 0; i < count; ++i, ++fNextRow) {
        const double b = fRates[static_cast<std::size_t>(fNextRow % kLyapMaxPasses)].TakeNext();
        if (!fCalc.CalculateRow(b,
                                values + static_cast<std::ptrdiff_t>(i) * fCalc.fWidth,
                                kColourValues.data()))
            return false;
    }
    return true;
}
