// Fuzzes the calculator: any doubles for every parameter (NaN and infinities
// included), any even iteration count up to a bound, any rate sequence, any
// image within a guarded buffer, any row step and first row, and zoom calls
// in any order between passes. Nothing may be written outside the described rows, every
// byte written must be an entry of the palette map, and the fast kernel must
// write exactly what the plain one writes.
#include "ByteReader.h"
#include "LyapKernel.h"
#include "LyapSequence.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kMaxSide = 24, kMaxIterations = 64;
// Long orbits, where products pass through the subnormal range.
constexpr int kLongIterationsMin = 400, kLongIterationsMax = 1200;
constexpr std::uint8_t kUnwritten = 0xFF;
constexpr std::size_t kGuard = 64;

// Entries are 0..127, so a written byte can never look unwritten.
std::array<std::uint8_t, 256> HalfMap()
{
    std::array<std::uint8_t, 256> map{};
    for (int v = 0; v < 256; ++v)
        map[v] = static_cast<std::uint8_t>(v / 2);
    return map;
}

void Check(bool condition) { if (!condition) std::abort(); }

void SetParameters(TLyapCalc& calc, ByteReader& in)
{
    for (double* field : {&calc.fAMin, &calc.fAMax, &calc.fBMin, &calc.fBMax, &calc.fMorph,
                          &calc.fFirstX, &calc.fContrast, &calc.fMorphSlopeX, &calc.fMorphSlopeY,
                          &calc.fFirstXSlopeX, &calc.fFirstXSlopeY})
        *field = in.Take<double>();
    const auto flags = in.Take<std::uint8_t>();
    const bool longOrbits = flags % 8 == 0;
    // The top bit picks a rate sequence other than AB (keeping the inputs
    // saved before sequences existed as they were).
    if (flags & 0x80) {
        calc.fSequenceLength = 1 + in.Take<std::uint8_t>() % 64;
        calc.fSequence = in.Take<std::uint64_t>();
    } else {
        calc.fSequence = kLyapSequenceAB.bSteps;
        calc.fSequenceLength = kLyapSequenceAB.length;
    }
    calc.fIterations = longOrbits
        ? 2 * in.TakeInRange(kLongIterationsMin / 2, kLongIterationsMax / 2)
        : 2 * in.TakeInRange(0, kMaxIterations / 2);
}

// Runs one pass and checks the image: the rows of the pass hold map entries
// in their first `width` bytes; everything else is as it was.
void RunPassAndCheck(TLyapCalc& calc, ByteReader& in, const std::uint8_t* map)
{
    const int width = in.TakeInRange(0, kMaxSide);
    const int height = in.TakeInRange(0, kMaxSide);
    const int bytesPerRow = width + in.TakeInRange(0, 8);
    const std::int32_t rowStep = in.Take<std::uint8_t>() % 2 ? in.Take<std::int32_t>()
                                                              : in.TakeInRange(1, 70);
    const std::int32_t firstRow = in.Take<std::uint8_t>() % 2 ? in.Take<std::int32_t>()
                                                               : in.TakeInRange(0, 70);

    // Both kernels from the same parameters, each into its own guarded buffer.
    auto pass = [&](TLyapCalc& c, LyapKernel kernel) {
        std::vector<std::uint8_t> buffer(2 * kGuard + static_cast<std::size_t>(height) * bytesPerRow,
                                         kUnwritten);
        SetLyapKernel(kernel);
        c.SetSize(buffer.data() + kGuard, width, height, bytesPerRow);
        c.Calculate(map, rowStep, firstRow);
        SetLyapKernel(LyapKernel::Fast);
        return buffer;
    };
    TLyapCalc plain = calc;
    const std::vector<std::uint8_t> buffer = pass(calc, LyapKernel::Fast);
    Check(calc.fState.load() == TLyapCalc::kNoRequest && buffer == pass(plain, LyapKernel::Plain));
    const std::int64_t stride = std::max(bytesPerRow, 1);  // 0 describes an empty image
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        const auto offset = static_cast<std::int64_t>(i) - static_cast<std::int64_t>(kGuard);
        const std::int64_t row = offset / stride, column = offset % stride;
        const bool mine = offset >= 0 && row < height && column < width && rowStep >= 1 &&
                          firstRow >= 0 && row >= firstRow && (row - firstRow) % rowStep == 0;
        Check(mine ? buffer[i] < 128 : buffer[i] == kUnwritten);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto map = HalfMap();
    ByteReader in(data, size);
    TLyapCalc calc;
    SetParameters(calc, in);
    for (int step = 0; step < 8 && !in.Empty(); ++step) {
        switch (in.Take<std::uint8_t>() % 5) {
        case 0: RunPassAndCheck(calc, in, map.data()); break;
        case 1: calc.ZoomOut(in.Take<double>()); break;
        case 2: calc.SetZoomStart(in.Take<std::int32_t>(), in.Take<std::int32_t>()); break;
        case 3: calc.SetZoomEnd(in.Take<std::int32_t>(), in.Take<std::int32_t>()); break;
        case 4: SetParameters(calc, in); break;
        }
    }
    RunPassAndCheck(calc, in, map.data());
    return 0;
}
