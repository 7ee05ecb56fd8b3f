#include "RenderPixels.h"

#include "ColourValues.h"
#include "Supersample.h"

#include <cstddef>

namespace {

std::vector<std::uint8_t> Colourise(const std::vector<std::uint8_t>& values,
                                    const PaletteColours& colours)
{
    std::vector<std::uint8_t> rgb(values.size() * 3);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const RgbColour& colour = colours[values[i]];
        rgb[3 * i] = colour.red;
        rgb[3 * i + 1] = colour.green;
        rgb[3 * i + 2] = colour.blue;
    }
    return rgb;
}

} // namespace

std::optional<std::vector<std::uint8_t>> RenderPixels(const RenderOptions& options,
                                                      const RenderControl& control)
{
    const TLyapCalc parameters = CalculatorFor(options);
    PassRunner runner(options.threads, control);
    const std::size_t pixels =
        static_cast<std::size_t>(options.width) * static_cast<std::size_t>(options.height);
    const PaletteColours colours = ColoursOfPalette(options.palette - 1);
    if (options.supersample > 1) {
        std::vector<std::uint8_t> rgb(pixels * 3);
        if (!RenderSupersampledRgb(parameters, options.width, options.height,
                                   options.supersample,
                                   DefaultBandRows(options.height, options.supersample),
                                   colours, rgb.data(), runner))
            return std::nullopt;
        return rgb;
    }
    std::vector<std::uint8_t> values(pixels);
    if (!RenderColourValues(parameters, options.width, options.height, values.data(), runner))
        return std::nullopt;
    if (options.format == ImageFormat::kPgm)
        return values;
    return Colourise(values, colours);
}
