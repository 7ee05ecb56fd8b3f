// The calculation pass: rows of the image, with the plain kernel (pixel by
// pixel, the reference) or the fast one (LyapFastPass.cpp).
#include "ColourValue.h"
#include "LyapKernel.h"
#include "LyapOrbit.h"
#include "LyapParameters.h"
#include "LyapPassRates.h"
#include "TLyapCalc.h"

#include <atomic>
#include <cmath>
#include <cstddef>
#include <limits>

void TLyapCalc::Calculate(const std::uint8_t* paletteMap, std::int32_t rowStep,
                          std::int32_t firstRow, LyapPathCounts* counts)
{
    CalculatePasses(LyapRowOutput{.paletteMap = paletteMap}, rowStep, firstRow, counts);
}

void TLyapCalc::Calculate(const LyapColourTable& table, std::int32_t rowStep,
                          std::int32_t firstRow, LyapPathCounts* counts)
{
    CalculatePasses(LyapRowOutput{.table = &table}, rowStep, firstRow, counts);
}

void TLyapCalc::CalculatePasses(const LyapRowOutput& mapping, std::int32_t rowStep,
                                std::int32_t firstRow, LyapPathCounts* counts)
{
    for (;;) {
        // Pass start. Only "parameters changed" is consumed here: a stop that
        // arrived before the pass began ends it before it writes anything.
        if (fState.exchange(kNoRequest) == kStopRequested)
            return;
        // A row step below 1 or a negative first row describes no rows of
        // this image (and would loop forever or write before it).
        if (rowStep < 1 || firstRow < 0)
            return;
        // Nor does a sequence length outside 1..64 describe any sequence.
        if (fSequenceLength < 1 || fSequenceLength > kLyapMaxSequence)
            return;
        // Nor a settling the step count cannot hold.
        if (fSettle < 0 || fSettle > kLyapMaxSettle ||
            fIterations > std::numeric_limits<std::int32_t>::max() - fSettle)
            return;
        PreparePass();
        RunPass(mapping, rowStep, firstRow, counts);
        // Pass end: start over on "parameters changed", otherwise leave 0.
        if (fState.exchange(kNoRequest) != kParamsChanged)
            return;
    }
}

void TLyapCalc::ClampRanges()
{
    if (fBMin < fLogFloor)
        fBMin = fLogFloor;
    if (fAMin < fLogFloor)
        fAMin = fLogFloor;
    if (fAMax > kMaxRate)
        fAMax = kMaxRate;
    if (fBMax > kMaxRate)
        fBMax = kMaxRate;
}

void TLyapCalc::PreparePass()
{
    ClampRanges();
    fX0 = fFirstX;
    fASpan = fAMax - fAMin;
    fBSpan = fBMax - fBMin;
    fLogOffset = fIterations * std::log(2.0);
    fHalfIterations = LyapBStepCount(Sequence(), fSettle, fIterations);
    fCenter = fMorph / 2;
}

LyapSequence TLyapCalc::Sequence() const
{
    return LyapSequence{fSequence, fSequenceLength};
}

LyapValueTerms TLyapCalc::PassValueTerms() const
{
    return LyapValueTerms{fLogFloor, fLogOffset, fRowLogB, fContrast,
                          fIterations};
}

bool TLyapCalc::RunPass(const LyapRowOutput& mapping, std::int32_t rowStep,
                        std::int32_t firstRow, LyapPathCounts* counts)
{
    // A 32-bit image takes the rates of the renderer's pictures, so that it
    // shows a save's very pixels, chaos graded too (where a last bit of b
    // changes the exponent); the 8-bit one those of its own passes.
    LyapPassRates rates(fBMin, fBSpan / fHeight, rowStep, firstRow);
    LyapPictureRates pictureRates(fBMin, fBSpan / fHeight);
    for (std::int32_t row = firstRow; row < fHeight;) {
        const double b = mapping.table != nullptr || fPictureRows ? pictureRates.RateOfRow(row) : rates.TakeNext();
        if (!CalculateRow(b, ImageRow(mapping, row), counts))
            return false;
        if (rowStep >= fHeight - row)
            break;
        row += rowStep;
    }
    return true;
}

LyapRowOutput TLyapCalc::ImageRow(LyapRowOutput mapping, std::int32_t row) const
{
    std::uint8_t* start = fBits + static_cast<std::ptrdiff_t>(row) * fBytesPerRow;
    if (mapping.table != nullptr)
        mapping.pixels = reinterpret_cast<std::uint32_t*>(start);
    else
        mapping.bytes = start;
    return mapping;
}

bool TLyapCalc::CalculateRow(double b, std::uint8_t* dst,
                             const std::uint8_t* paletteMap,
                             LyapPathCounts* counts)
{
    return CalculateRow(b, LyapRowOutput{dst, paletteMap, nullptr}, counts);
}

bool TLyapCalc::CalculateRow(double b, const LyapRowOutput& out, LyapPathCounts* counts)
{
    const double dA = fASpan / fWidth;
    fB = b;
    // b enters once per row; a sequence without B uses no b at all.
    fRowLogB = fHalfIterations == 0 ? 0.0 : std::log(fB) * fHalfIterations;
    fA = fAMin;
    return GetLyapKernel() == LyapKernel::Fast ? FillRowFast(out, dA, counts)
                                               : FillRowPlain(out, dA);
}

bool TLyapCalc::FillRowPlain(const LyapRowOutput& out, double dA)
{
    for (std::int32_t column = 0; column < fWidth; ++column) {
        if (out.exponents != nullptr) {
            out.exponents[column] = EvaluateExponent();
        } else if (out.table != nullptr) {
            const double exponent = EvaluateExponent();
            StoreTablePixels(out, column, &exponent, 1);
        } else {
            // The display reads the image while it grows: one relaxed byte
            // store per pixel keeps that sharing defined.
            std::atomic_ref<std::uint8_t>(out.bytes[column])
                .store(out.paletteMap[EvaluatePoint()], std::memory_order_relaxed);
        }
        fA += dA;
        if (fState.load(std::memory_order_relaxed) != kNoRequest)
            return false;
    }
    return true;
}

void TLyapCalc::StoreTablePixels(const LyapRowOutput& out, std::int32_t column,
                                 const double* exponents, std::int32_t count) const
{
    // As with bytes, the display reads the image while it grows: one relaxed
    // 32-bit store per pixel, so it sees each pixel whole, old or new.
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t slot = LyapColourSlot(exponents[i], fContrast, out.table->chaosContrast);
        std::atomic_ref<std::uint32_t>(out.pixels[column + i])
            .store(out.table->pixels[slot], std::memory_order_relaxed);
    }
}

std::int32_t TLyapCalc::EvaluatePoint()
{
    // No steps, no exponent. A negative count (never set by the program)
    // is treated the same rather than counting down through the int range.
    if (fIterations <= 0)
        return 0;
    return LyapColourValue(EvaluateExponent(), fContrast);
}

double TLyapCalc::EvaluateExponent()
{
    if (fIterations <= 0)
        return 0.0;
    const double product =
        LyapOrbitProduct(fA, fB, fX0, fCenter, fIterations, Sequence(), fSettle);
    const LyapValueTerms terms = PassValueTerms();
    return LyapExponentOfLog(LyapLogOfProduct(product, terms.logFloor), terms);
}
