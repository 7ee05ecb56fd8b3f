#include "RenderPreview.h"

#include "ColourValue.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

namespace {

// Stores each block's pixel over the block's part of image row `row`; the
// display reads the image meanwhile, so whole-pixel relaxed stores, as the
// exact rows make them.
template <typename Pixel>
void SpreadRow(const std::vector<Pixel>& blocks, int32 side, Pixel* row, int32 width)
{
    for (int32 x = 0; x < width; ++x)
        std::atomic_ref<Pixel>(row[x]).store(blocks[static_cast<std::size_t>(x / side)], std::memory_order_relaxed);
}

template <typename Pixel>
void FillBlocks(TLyapCalc& calc, int32 rowStep, int32 firstRow, LyapRowOutput output)
{
    const int32 width = calc.fWidth;
    const int32 height = calc.fHeight;
    const int32 side = PreviewBlockSide(rowStep);
    const int32 blockRows = (height + side - 1) / side;
    std::vector<Pixel> blocks(static_cast<std::size_t>((width + side - 1) / side));
    if constexpr (sizeof(Pixel) == 1)
        output.bytes = blocks.data();
    else
        output.pixels = blocks.data();
    calc.PreparePass();
    const double dB = calc.fBSpan / blockRows;
    // A row of blocks is a row of an image that many times narrower.
    calc.fWidth = static_cast<std::int32_t>(blocks.size());
    for (int32 block = 0; block < blockRows; ++block) {
        const int32 top = block * side;
        const int32 bottom = std::min(top + side, height);
        // This worker's first row in the block, if it has one.
        const int32 own = top + ((firstRow - top) % rowStep + rowStep) % rowStep;
        if (own >= bottom)
            continue;
        if (!calc.CalculateRow(calc.fBMin + block * dB, output))
            break;
        for (int32 row = own; row < bottom; row += rowStep)
            SpreadRow(blocks, side, reinterpret_cast<Pixel*>(calc.fBits + static_cast<std::ptrdiff_t>(row) * calc.fBytesPerRow),
                      width);
    }
    calc.fWidth = width;
}

} // namespace

int32 PreviewBlockSide(int32 workers)
{
    int32 side = 8;
    while (std::min(workers, side) * 64 > side * side)
        side *= 2;
    return side;
}

void FillPreview(TLyapCalc& calc, int32 rowStep, int32 firstRow, const uint8* paletteMap,
                 const LyapColourTable* table)
{
    if (rowStep < 1 || firstRow < 0 || calc.fWidth < 1 || calc.fHeight < 1)
        return;
    // A new size or new parameters are asked for at every start: taken here
    // as the pass takes them at its start. A stop is left for the pass.
    std::int32_t request = TLyapCalc::kParamsChanged;
    calc.fState.compare_exchange_strong(request, TLyapCalc::kNoRequest);
    if (table != nullptr)
        FillBlocks<uint32>(calc, rowStep, firstRow, LyapRowOutput{.table = table});
    else
        FillBlocks<uint8>(calc, rowStep, firstRow, LyapRowOutput{.paletteMap = paletteMap});
}
