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

#include <array>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kMaxSide = 24;
constexpr int kMaxIterations = 64;
// Long orbits, where products pass through the subnormal range.
constexpr int kLongIterationsMin = 400;
constexpr int kLongIterationsMax = 1200;
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

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void SetParameters(TLyapCalc& calc, ByteReader& in)
{
    calc.fAMin = in.Take<double>();
    calc.fAMax = in.Take<double>();
    calc.fBMin = in.Take<double>();
    calc.fBMax = in.Take<double>();
    calc.fMorph = in.Take<double>();
    calc.fFirstX = in.Take<double>();
    calc.fContrast = in.Take<double>();
    calc.fMorphSlopeX = in.Take<double>();
    calc.fMorphSlopeY = in.Take<double>();
    calc.fFirstXSlopeX = in.Take<double>();
    calc.fFirstXSlopeY = in.Take<double>();
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

    std::vector<std::uint8_t> buffer(kGuard + static_cast<std::size_t>(height) * bytesPerRow + kGuard,
                                     kUnwritten);
    std::vector<std::uint8_t> plainBuffer = buffer;
    TLyapCalc plain = calc;
    plain.SetSize(plainBuffer.data() + kGuard, width, height, bytesPerRow);
    SetLyapKernel(LyapKernel::Plain);
    plain.Calculate(map, rowStep, firstRow);
    SetLyapKernel(LyapKernel::Fast);

    std::uint8_t* image = buffer.data() + kGuard;
    calc.SetSize(image, width, height, bytesPerRow);
    calc.Calculate(map, rowStep, firstRow);
    Check(calc.fState.load() == TLyapCalc::kNoRequest);
    Check(buffer == plainBuffer);

    for (std::size_t i = 0; i < buffer.size(); ++i) {
        const std::int64_t offset = static_cast<std::int64_t>(i) - static_cast<std::int64_t>(kGuard);
        const bool inImage = offset >= 0 && offset < static_cast<std::int64_t>(height) * bytesPerRow;
        bool mine = false;
        if (inImage && rowStep >= 1 && firstRow >= 0) {
            const std::int64_t row = offset / bytesPerRow;
            const std::int64_t column = offset % bytesPerRow;
            mine = column < width && row >= firstRow && (row - firstRow) % rowStep == 0;
        }
        if (mine)
            Check(buffer[i] < 128);
        else
            Check(buffer[i] == kUnwritten);
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
        case 0:
            RunPassAndCheck(calc, in, map.data());
            break;
        case 1:
            calc.ZoomOut(in.Take<double>());
            break;
        case 2:
            calc.SetZoomStart(in.Take<std::int32_t>(), in.Take<std::int32_t>());
            break;
        case 3:
            calc.SetZoomEnd(in.Take<std::int32_t>(), in.Take<std::int32_t>());
            break;
        case 4:
            SetParameters(calc, in);
            break;
        }
    }
    RunPassAndCheck(calc, in, map.data());
    return 0;
}
