#include "TLyapCalc.h"

#include "LyapParameters.h"
#include "LyapSequence.h"

#include <cmath>

TLyapCalc::TLyapCalc()
    : fLogFloor(0.0), fType(1), fIterations(0), fSettle(0), fSequence(kLyapSequenceAB.bSteps),
      fSequenceLength(kLyapSequenceAB.length), fA(0.0), fAMin(0.0), fAMax(0.0),
      fB(0.0), fBMin(0.0), fBMax(0.0), fMorph(0.0), fMorphSlopeX(0.0),
      fMorphSlopeY(0.0), fX0(0.0), fFirstX(0.0), fFirstXSlopeX(0.0),
      fFirstXSlopeY(0.0), fASpan(0.0), fBSpan(0.0), fContrast(0.0), fCenter(0.0),
      fLogOffset(0.0), fHalfIterations(0), fRowLogB(0.0), fState(kNoRequest),
      // No first zoom corner yet; the view always sets one before the second.
      fSelX1(-1), fSelX2(-1), fSelY1(-1), fSelY2(-1),
      fWidth(0), fHeight(0), fBits(nullptr), fBytesPerRow(0)
{
    fLogFloor = std::pow(10.0, -307.0);
    SetDefaults();
}

TLyapCalc::TLyapCalc(const LyapParameters& parameters) : TLyapCalc()
{
    SetParameters(parameters);
}

void TLyapCalc::SetDefaults()
{
    // Lyapunov space is the only fractal type.
    SetParameters(LyapParameters{});
    fMorphSlopeX = 0.0;
    fMorphSlopeY = 0.0;
    fFirstXSlopeX = 0.1;
    fFirstXSlopeY = 0.2;
    fState.store(kParamsChanged);
}

void TLyapCalc::SetParameters(const LyapParameters& parameters)
{
    fIterations = parameters.iterations;
    fSettle = parameters.settle;
    fAMin = parameters.aMin;
    fAMax = parameters.aMax;
    fBMin = parameters.bMin;
    fBMax = parameters.bMax;
    fMorph = parameters.morph;
    fFirstX = parameters.firstX;
    fContrast = parameters.contrast;
    fSequence = parameters.sequence.bSteps;
    fSequenceLength = parameters.sequence.length;
    fState.store(kParamsChanged);
}

LyapParameters TLyapCalc::Parameters() const
{
    return {.iterations = fIterations, .aMin = fAMin, .aMax = fAMax, .bMin = fBMin, .bMax = fBMax,
            .morph = fMorph, .firstX = fFirstX, .contrast = fContrast,
            .sequence = {fSequence, fSequenceLength}, .settle = fSettle};
}

void TLyapCalc::SetSize(std::uint8_t* bits, std::int32_t width,
                        std::int32_t height, std::int32_t bytesPerRow)
{
    fBits = bits;
    fWidth = width;
    fHeight = height;
    fBytesPerRow = bytesPerRow;
    fState.store(kParamsChanged);
}
