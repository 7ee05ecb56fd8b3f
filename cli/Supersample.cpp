#include "Supersample.h"

#include "ColourValues.h"

#include <algorithm>
#include <cstddef>

namespace {

// The calculator set up for the whole sample grid and run over no rows (its
// first row is past the last): it has clamped its rate ranges and worked out
// its spans exactly as a whole-grid pass starts out.
TLyapCalc PreparedGrid(const TLyapCalc& parameters, std::int32_t sampleWidth,
                       std::int32_t sampleHeight)
{
    TLyapCalc grid = parameters;
    grid.SetSize(nullptr, sampleWidth, sampleHeight, sampleWidth);
    grid.Calculate(IdentityPaletteMap().data(), 1, sampleHeight);
    return grid;
}

// The rate b of the next sample row of every pass, advanced as a calculator
// pass over the whole grid advances it: from fBMin + pass x dB by repeated
// additions of (row step x dB). The expressions are the calculator's own, so
// the doubles are the same.
class PassRates {
public:
    explicit PassRates(const TLyapCalc& grid)
    {
        const double dB = grid.fBSpan / grid.fHeight;
        fRowStepB = kRenderPasses * dB;
        for (std::int32_t pass = 0; pass < kRenderPasses; ++pass)
            fNext[static_cast<std::size_t>(pass)] = grid.fBMin + pass * dB;
    }

    double TakeNext(std::int32_t pass)
    {
        double& next = fNext[static_cast<std::size_t>(pass)];
        const double b = next;
        next += fRowStepB;
        return b;
    }

private:
    std::array<double, kRenderPasses> fNext{};
    double fRowStepB = 0.0;
};

std::int32_t FirstRowOfPass(std::int32_t pass, std::int32_t fromRow)
{
    const std::int32_t offset = ((pass - fromRow) % kRenderPasses + kRenderPasses) % kRenderPasses;
    return fromRow + offset;
}

// Colour values of sample rows firstRow .. firstRow + rowCount - 1 of the
// grid, into band (rowCount rows of the grid's width).
bool RenderBandValues(const TLyapCalc& grid, PassRates& rates, std::int32_t firstRow,
                      std::int32_t rowCount, std::uint8_t* band, PassRunner& runner,
                      double progressFrom, double progressTo)
{
    const std::int32_t sampleWidth = grid.fWidth;
    return runner.Run(
        kRenderPasses,
        [&](TLyapCalc& calc, std::int32_t pass) {
            // In one Run each pass, and so each entry of rates, belongs to a
            // single worker; Run joins its workers before the next band.
            for (std::int32_t row = FirstRowOfPass(pass, firstRow);
                 row < firstRow + rowCount; row += kRenderPasses) {
                // A one-row image whose fBMin is the row's b: the calculator
                // starts that row at fBMin + 0 x dB, which is b itself, and
                // fA runs as in any other row of the grid's width.
                calc = grid;
                calc.fBMin = rates.TakeNext(pass);
                calc.SetSize(band + static_cast<std::ptrdiff_t>(row - firstRow) * sampleWidth,
                             sampleWidth, 1, sampleWidth);
                runner.Calculate(calc, 1, 0);
            }
        },
        progressFrom, progressTo);
}

// Averages every factor x factor block of samples of the band into one pixel
// of rgb, rounding to nearest.
void AverageBand(const std::uint8_t* band, std::int32_t width, std::int32_t rows,
                 std::int32_t factor, const PaletteColours& colours, std::uint8_t* rgb)
{
    const std::size_t sampleWidth = static_cast<std::size_t>(width) * factor;
    const std::uint32_t samples = static_cast<std::uint32_t>(factor * factor);
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t red = 0, green = 0, blue = 0;
            for (std::int32_t ky = 0; ky < factor; ++ky) {
                const std::uint8_t* sample = band +
                    (static_cast<std::size_t>(y) * factor + ky) * sampleWidth +
                    static_cast<std::size_t>(x) * factor;
                for (std::int32_t kx = 0; kx < factor; ++kx) {
                    const RgbColour& colour = colours[sample[kx]];
                    red += colour.red;
                    green += colour.green;
                    blue += colour.blue;
                }
            }
            std::uint8_t* pixel = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
            pixel[0] = static_cast<std::uint8_t>((red + samples / 2) / samples);
            pixel[1] = static_cast<std::uint8_t>((green + samples / 2) / samples);
            pixel[2] = static_cast<std::uint8_t>((blue + samples / 2) / samples);
        }
    }
}

} // namespace

PaletteColours ColoursOfPalette(std::int32_t palette)
{
    PaletteColours colours{};
    for (std::size_t v = 0; v < colours.size(); ++v)
        colours[v] = PaletteColour(palette, static_cast<std::int32_t>(v)).value_or(RgbColour{});
    return colours;
}

std::int32_t DefaultBandRows(std::int32_t height, std::int32_t factor)
{
    const std::int32_t enoughForEveryPass = (kRenderPasses + factor - 1) / factor;
    const std::int32_t outputSized = height / (factor * factor);
    return std::clamp(std::max(enoughForEveryPass, outputSized), 1, std::max(height, 1));
}

bool RenderSupersampledRgb(const TLyapCalc& parameters, std::int32_t width,
                           std::int32_t height, std::int32_t factor,
                           std::int32_t bandRows, const PaletteColours& colours,
                           std::uint8_t* rgb, PassRunner& runner)
{
    const TLyapCalc grid = PreparedGrid(parameters, width * factor, height * factor);
    PassRates rates(grid);
    const std::int32_t sampleHeight = height * factor;
    std::vector<std::uint8_t> band(static_cast<std::size_t>(width) * factor *
                                   static_cast<std::size_t>(bandRows) * factor);
    for (std::int32_t outRow = 0; outRow < height; outRow += bandRows) {
        const std::int32_t rows = std::min(bandRows, height - outRow);
        const std::int32_t firstSampleRow = outRow * factor;
        const double from = static_cast<double>(firstSampleRow) / sampleHeight;
        const double to = static_cast<double>(firstSampleRow + rows * factor) / sampleHeight;
        if (!RenderBandValues(grid, rates, firstSampleRow, rows * factor, band.data(),
                              runner, from, to))
            return false;
        AverageBand(band.data(), width, rows, factor, colours,
                    rgb + static_cast<std::size_t>(outRow) * width * 3);
    }
    return true;
}
