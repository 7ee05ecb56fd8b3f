// A coarse picture first: on an image larger than the specified 384 x 384, a
// worker covers its rows with blocks of one computed pixel each before it
// computes them exactly, so that the whole canvas shows the picture at once.
#pragma once

#include "SupportDefs.h"

class TLyapCalc;
struct LyapColourTable;

// Pixels per block side for `workers` workers: each one computes a block row
// for every block that holds rows of its own, and the blocks are large enough
// that this costs at most 1/64 of its exact rows (the spreading of the
// blocks over the rows and short rows cost about as much again).
int32 PreviewBlockSide(int32 workers);

// Rows firstRow, firstRow + rowStep, ... of calc's image, in blocks, through
// the palette map into bytes, or through the table into 32-bit pixels. Ends
// early on a stop, which is left for the exact pass to see.
void FillPreview(TLyapCalc& calc, int32 rowStep, int32 firstRow, const uint8* paletteMap,
                 const LyapColourTable* table);
