#include "LyapTestSupport.h"


namespace {

// A calculator after one pass over a 384 x 384 image: its spans are those
// the zoom maps pixels through.
TLyapCalc CalculatedAt384(TLyapCalc calc)
{
    static std::vector<std::uint8_t> image(384 * 384);
    calc.fIterations = 2;  // only the spans matter here
    calc.SetSize(image.data(), 384, 384, 384);
    calc.Calculate(IdentityMap(), 1, 0);
    return calc;
}

TEST(LyapZoom, SelectionsNarrowTheRangesAndScaleTheSlopes)
{
    // Expected: aMin, aMax, bMin, bMax, morph, first x, then the four slopes.
    struct { std::int32_t x1, y1, x2, y2; double morphSlopeX, morphSlopeY, expected[10]; } const zooms[] = {
        // The view's selection (100, 50, 195, 145), columns 5 pixels right.
        {105, 50, 200, 145, 0.0, 0.0,
         {2 + 210.0 / 384, 2 + 400.0 / 384, 2 + 100.0 / 384, 2 + 290.0 / 384, 1.0,
          425.0 / 768, 0.0, 0.0, 19.0 / 768, 19.0 / 384}},
        // Corners in the other order; morph moves before its slopes shrink.
        {288, 384, 96, 192, 0.5, 0.25,
         {2.5, 3.5, 3.0, 4.0, 1.25, 0.625, 0.25, 0.125, 0.05, 0.1}},
    };
    for (const auto& z : zooms) {
        TLyapCalc calc;
        calc.fMorphSlopeX = z.morphSlopeX;
        calc.fMorphSlopeY = z.morphSlopeY;
        calc = CalculatedAt384(calc);
        calc.fAMax = calc.fBMax = 100.0;  // changed since: the spans still hold
        calc.fState = TLyapCalc::kNoRequest;
        calc.SetZoomStart(z.x1, z.y1);
        calc.SetZoomEnd(z.x2, z.y2);
        const double got[10] = {calc.fAMin, calc.fAMax, calc.fBMin, calc.fBMax,
                                calc.fMorph, calc.fFirstX, calc.fMorphSlopeX,
                                calc.fMorphSlopeY, calc.fFirstXSlopeX, calc.fFirstXSlopeY};
        for (int i = 0; i < 10; ++i)
            EXPECT_DOUBLE_EQ(got[i], z.expected[i]) << "field " << i << ", corner " << z.x1;
        EXPECT_EQ(calc.fState.load(), TLyapCalc::kParamsChanged);
    }
}

TEST(LyapZoom, ZoomOutWidensBothRangesAboutTheirCentres)
{
    TLyapCalc calc = CalculatedAt384(TLyapCalc());
    calc.SetZoomStart(105, 50);
    calc.SetZoomEnd(200, 100);  // a over 190/384, b over 100/384
    calc.ZoomOut(2.0);
    for (const auto& [got, expected] : {std::pair{calc.fAMin, 115.0}, {calc.fAMax, 495.0},
                                       {calc.fBMin, 50.0}, {calc.fBMax, 250.0}})
        EXPECT_DOUBLE_EQ(got, 2 + expected / 384) << expected;
}

}  // namespace
