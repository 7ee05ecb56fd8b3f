#include "ColourValues.h"

TLyapCalc CalculatorFor(const RenderOptions& options)
{
    TLyapCalc calc;
    calc.fIterations = options.iterations;
    calc.fAMin = options.aMin;
    calc.fAMax = options.aMax;
    calc.fBMin = options.bMin;
    calc.fBMax = options.bMax;
    calc.fMorph = options.morph;
    calc.fFirstX = options.firstX;
    calc.fContrast = options.contrast;
    return calc;
}

bool RenderColourValues(const TLyapCalc& parameters, std::int32_t width,
                        std::int32_t height, std::uint8_t* values, PassRunner& runner)
{
    // Each pass writes only its own rows of the shared buffer.
    return runner.Run(
        kRenderPasses,
        [&](TLyapCalc& calc, std::int32_t pass) {
            calc = parameters;
            calc.SetSize(values, width, height, width);
            runner.Calculate(calc, kRenderPasses, pass);
        },
        0.0, 1.0);
}
