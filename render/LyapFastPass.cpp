// The fast kernel's rows: groups of pixels evaluated together, the request
// word looked at after every group.
#include "LyapFastKernel.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <atomic>

bool TLyapCalc::FillRowFast(const LyapRowOutput& out, double dA, LyapPathCounts* counts)
{
    double a[kLyapMaxGroup];
    std::int32_t values[kLyapMaxGroup];
    LyapGroupInput group{a, 0, fB, fX0, fCenter, PassValueTerms(), Sequence(), fSettle};
    for (std::int32_t column = 0; column < fWidth; column += group.count) {
        group.count = std::min(kLyapMaxGroup, fWidth - column);
        // The rates advance by the same repeated addition as in the plain
        // kernel, so each pixel gets the very same a.
        for (std::int32_t i = 0; i < group.count; ++i) {
            a[i] = fA;
            fA += dA;
        }
        if (out.exponents != nullptr) {
            LyapFastGroupExponents(group, out.exponents + column, counts);
        } else if (out.table != nullptr) {
            // A group's exponents live here: nothing allocated per row, and
            // the calculator stays a plain record.
            double exponents[kLyapMaxGroup];
            LyapFastGroupExponents(group, exponents, counts);
            StoreTablePixels(out, column, exponents, group.count);
        } else {
            LyapFastGroupValues(group, values, counts);
            // The display reads the image while it grows: relaxed byte stores.
            for (std::int32_t i = 0; i < group.count; ++i)
                std::atomic_ref<std::uint8_t>(out.bytes[column + i])
                    .store(out.paletteMap[values[i]], std::memory_order_relaxed);
        }
        if (fState.load(std::memory_order_relaxed) != kNoRequest)
            return false;
    }
    return true;
}
