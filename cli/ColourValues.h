// The colour values 0..255 of a whole image, computed as the viewer's
// largest pool of workers would: 64 passes of interleaved rows.
#pragma once

#include "PassRunner.h"
#include "RenderOptions.h"
#include "TLyapCalc.h"

#include <cstdint>

// As many passes as the viewer's largest worker pool, each taking every 64th
// row. Fixing the count (not the thread count) fixes every row's rates, so a
// file is the same whatever machine or --threads made it.
constexpr std::int32_t kRenderPasses = 64;

// The calculator's parameters as the options give them (it clamps the rate
// ranges itself when it runs).
TLyapCalc CalculatorFor(const RenderOptions& options);

// Fills values (width x height bytes, rows without padding) with colour
// values. False when interrupted; the rows not reached are left as they were.
bool RenderColourValues(const TLyapCalc& parameters, std::int32_t width,
                        std::int32_t height, std::uint8_t* values, PassRunner& runner);
