// Zoom arithmetic of the calculator: narrowing to a selected region of the
// image, and widening both rate ranges about their centres.
#include "TLyapCalc.h"

#include <cstdint>
#include <utility>

void TLyapCalc::ZoomOut(double factor)
{
    double wa = fAMax - fAMin;
    double wb = fBMax - fBMin;
    const double ca = fAMin + wa / 2;
    const double cb = fBMin + wb / 2;
    wa *= factor;
    wb *= factor;
    fAMin = ca - wa / 2;
    fAMax = ca + wa / 2;
    fBMin = cb - wb / 2;
    fBMax = cb + wb / 2;
}

void TLyapCalc::SetZoomStart(std::int32_t x, std::int32_t y)
{
    fSelX1 = x;
    fSelY1 = y;
}

void TLyapCalc::SetZoomEnd(std::int32_t x, std::int32_t y)
{
    fSelX2 = x;
    fSelY2 = y;
    if (fSelX1 < 0)
        return;
    if (fSelX2 < fSelX1)
        std::swap(fSelX1, fSelX2);
    if (fSelY2 < fSelY1)
        std::swap(fSelY1, fSelY2);

    const double w = fWidth;
    const double h = fHeight;
    const double p = fSelX1 / w;
    const double q = fSelY1 / h;
    // Morph and first x move to their value at the first corner while the
    // slopes still describe the old image; only then are the slopes scaled.
    fMorph = fMorph + fMorphSlopeX * p + fMorphSlopeY * q;
    fFirstX = fFirstX + fFirstXSlopeX * p + fFirstXSlopeY * q;

    // Pixels map through the spans of the last pass; the new maximum is taken
    // from the old minimum.
    fAMax = fAMin + fASpan * fSelX2 / w;
    fAMin = fAMin + fASpan * fSelX1 / w;
    // Differences in 64 bits: the corners are any int32 the caller passes.
    const double du = static_cast<double>(std::int64_t{fSelX2} - fSelX1) / w;
    fMorphSlopeX *= du;
    fFirstXSlopeX *= du;

    fBMax = fBMin + fBSpan * fSelY2 / h;
    fBMin = fBMin + fBSpan * fSelY1 / h;
    const double dv = static_cast<double>(std::int64_t{fSelY2} - fSelY1) / h;
    fMorphSlopeY *= dv;
    fFirstXSlopeY *= dv;

    fState.store(kParamsChanged);
}
