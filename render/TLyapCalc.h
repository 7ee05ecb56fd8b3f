// The Lyapunov calculator: every parameter of the picture, the description of
// the image to fill (8-bit or 32-bit), and the passes that fill interleaved
// rows of it.
//
// A plain record: the compiler's copy copies every member, the request word's
// value included. Only fState is ever touched by two threads at once (the view
// asks a running pass to stop); every other field is written while no pass
// runs.
#pragma once

#include "LyapRequestWord.h"

#include <cstdint>

struct LyapColourTable;
struct LyapParameters;
struct LyapPathCounts;
struct LyapSequence;
struct LyapValueTerms;

// Where a row goes: colour values through a palette map into bytes, or,
// with a table, colour slots through it into 32-bit pixels (a display may
// read either while they are stored); or, with exponents set, the exponents
// those colour values are made from.
struct LyapRowOutput {
    std::uint8_t* bytes = nullptr;
    const std::uint8_t* paletteMap = nullptr;
    double* exponents = nullptr;
    std::uint32_t* pixels = nullptr;
    const LyapColourTable* table = nullptr;
};

class TLyapCalc {
public:
    // Request word values.
    static constexpr std::int32_t kNoRequest = 0;
    static constexpr std::int32_t kParamsChanged = 1;
    static constexpr std::int32_t kStopRequested = 3;

    // Largest rate the iteration accepts; larger maxima are clamped down.
    static constexpr double kMaxRate = 8.0;

    TLyapCalc();
    // The defaults, with the fractal's parameters replaced.
    explicit TLyapCalc(const LyapParameters& parameters);

    void SetDefaults();
    // The fractal's parameters; everything else is left as it is.
    void SetParameters(const LyapParameters& parameters);
    // What SetParameters set: the fractal's parameters as they stand.
    LyapParameters Parameters() const;
    void SetSize(std::uint8_t* bits, std::int32_t width, std::int32_t height,
                 std::int32_t bytesPerRow);

    // Fills rows firstRow, firstRow + rowStep, ... of the image with
    // paletteMap[colour value]. Returns when they are done or on a stop.
    // counts, when not null, is added the path each pixel took through the
    // fast kernel (the plain kernel leaves it alone).
    void Calculate(const std::uint8_t* paletteMap, std::int32_t rowStep,
                   std::int32_t firstRow, LyapPathCounts* counts = nullptr);
    // The same rows of a 32-bit image (SetSize's bits 4-byte aligned,
    // bytesPerRow a multiple of 4 and at least 4 x width), each pixel
    // table.pixels[LyapColourSlot(exponent, fContrast, table.chaosContrast)].
    void Calculate(const LyapColourTable& table, std::int32_t rowStep,
                   std::int32_t firstRow, LyapPathCounts* counts = nullptr);

    // What a pass does before its first row: clamp the rate ranges and work
    // out the spans and terms every row shares. Leaves the request word alone.
    void PreparePass();
    // Fills one row, whose rate is b, into dst with paletteMap[colour value],
    // as a prepared pass would. False when a request arrived (the row is then
    // unfinished).
    bool CalculateRow(double b, std::uint8_t* dst,
                      const std::uint8_t* paletteMap,
                      LyapPathCounts* counts = nullptr);
    // The same row into out: its colour values, or the exponents.
    bool CalculateRow(double b, const LyapRowOutput& out, LyapPathCounts* counts = nullptr);

    // Colour value 0..255 of (fA, fB) under the current pass's working values.
    std::int32_t EvaluatePoint();
    // The exponent that colour value is made from (LyapColourValue of it
    // with fContrast); 0 when there are no steps.
    double EvaluateExponent();

    void ZoomOut(double factor);
    void SetZoomStart(std::int32_t x, std::int32_t y);
    void SetZoomEnd(std::int32_t x, std::int32_t y);

    double fLogFloor;
    std::int32_t fType;
    std::int32_t fIterations;
    // Steps each orbit runs before the fIterations measured ones.
    std::int32_t fSettle;
    // The rate sequence (LyapSequence): bit i set where letter i is B, and
    // the number of letters; AB unless the caller sets another.
    std::uint64_t fSequence;
    std::int32_t fSequenceLength;
    double fA;
    double fAMin;
    double fAMax;
    double fB;
    double fBMin;
    double fBMax;
    double fMorph;
    double fMorphSlopeX;
    double fMorphSlopeY;
    double fX0;
    double fFirstX;
    double fFirstXSlopeX;
    double fFirstXSlopeY;
    double fASpan;
    double fBSpan;
    double fContrast;
    double fCenter;
    double fLogOffset;
    // Working value: how many of the N steps use b (N / 2 for AB).
    std::int32_t fHalfIterations;
    double fRowLogB;
    LyapRequestWord fState;
    std::int32_t fSelX1;
    std::int32_t fSelX2;
    std::int32_t fSelY1;
    std::int32_t fSelY2;
    std::int32_t fWidth;
    std::int32_t fHeight;
    std::uint8_t* fBits;
    std::int32_t fBytesPerRow;
    // Rows take the rates of the renderer's pictures (LyapPictureRates)
    // whatever the row step, as a 32-bit image's rows always do.
    bool fPictureRows = false;

private:
    // Passes until one ends without "parameters changed", or on a stop;
    // mapping: the palette map or the colour table every row goes through.
    void CalculatePasses(const LyapRowOutput& mapping, std::int32_t rowStep,
                         std::int32_t firstRow, LyapPathCounts* counts);
    // One pass over this calculator's rows. Returns false when a request
    // arrived (the caller decides between restart and stop).
    bool RunPass(const LyapRowOutput& mapping, std::int32_t rowStep,
                 std::int32_t firstRow, LyapPathCounts* counts);
    // Row `row` of the image, through mapping.
    LyapRowOutput ImageRow(LyapRowOutput mapping, std::int32_t row) const;
    // One row from fA onwards, into dst, with the plain kernel (a pixel at a
    // time) or the fast one (a group at a time); false when a request came.
    bool FillRowPlain(const LyapRowOutput& out, double dA);
    bool FillRowFast(const LyapRowOutput& out, double dA, LyapPathCounts* counts);
    // Stores count pixels from column on of a 32-bit row, from their exponents.
    void StoreTablePixels(const LyapRowOutput& out, std::int32_t column,
                          const double* exponents, std::int32_t count) const;
    void ClampRanges();
    // What a colour value depends on besides the product, for the row fB.
    LyapValueTerms PassValueTerms() const;
    LyapSequence Sequence() const;
};
