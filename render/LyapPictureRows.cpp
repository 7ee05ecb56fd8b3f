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

template <typename OutputOfRow>
bool LyapPictureRows::FillRowsInto(std::int32_t first, std::int32_t count, OutputOfRow outputOfRow)
{
    SeekRow(first);
    for (std::int32_t i = 0; i < count; ++i, ++fNextRow) {
        const double b = fRates[static_cast<std::size_t>(fNextRow % kLyapMaxPasses)].TakeNext();
        if (!fCalc.CalculateRow(b, outputOfRow(static_cast<std::ptrdiff_t>(i) * fCalc.fWidth)))
            return false;
    }
    return true;
}

bool LyapPictureRows::FillRows(std::int32_t first, std::int32_t count, std::uint8_t* values)
{
    return FillRowsInto(first, count, [values](std::ptrdiff_t offset) {
        return LyapRowOutput{values + offset, kColourValues.data(), nullptr};
    });
}

bool LyapPictureRows::FillRows(std::int32_t first, std::int32_t count, double* exponents)
{
    return FillRowsInto(first, count, [exponents](std::ptrdiff_t offset) {
        return LyapRowOutput{nullptr, nullptr, exponents + offset};
    });
}
