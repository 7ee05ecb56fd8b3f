#include "TLyapCalc.h"
#include "lyap_test_support.h"

#include <gtest/gtest.h>

namespace {

// A calculator sized to 384 x 384 that has run one pass, so its spans are
// those the zoom maps pixels through.
TLyapCalc CalculatedAt384(TLyapCalc calc)
{
    static std::vector<std::uint8_t> image(384 * 384);
    static const auto map = IdentityMap();
    calc.fIterations = 2; // the pixels do not matter here, only the spans
    calc.SetSize(image.data(), 384, 384, 384);
    calc.Calculate(map.data(), 1, 0);
    return calc;
}

TEST(LyapZoomIn, WorkedSelectionOfTheDefaultImage)
{
    // The view hands over the selection (100, 50, 195, 145) with its
    // columns five pixels to the right.
    TLyapCalc calc = CalculatedAt384(TLyapCalc());
    calc.SetZoomStart(105, 50);
    calc.SetZoomEnd(200, 145);
    EXPECT_DOUBLE_EQ(calc.fAMin, 2 + 210.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fAMax, 2 + 400.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fBMin, 2 + 100.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fBMax, 2 + 290.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fFirstX, 425.0 / 768);
    EXPECT_DOUBLE_EQ(calc.fFirstXSlopeX, 19.0 / 768);
    EXPECT_DOUBLE_EQ(calc.fFirstXSlopeY, 19.0 / 384);
    EXPECT_EQ(calc.fMorph, 1.0);
    EXPECT_EQ(calc.fMorphSlopeX, 0.0);
    EXPECT_EQ(calc.fMorphSlopeY, 0.0);
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kParamsChanged);
}

TEST(LyapZoomIn, CornersInAnyOrderGiveTheSameRegion)
{
    TLyapCalc forward = CalculatedAt384(TLyapCalc());
    forward.SetZoomStart(10, 20);
    forward.SetZoomEnd(110, 120);
    TLyapCalc backward = CalculatedAt384(TLyapCalc());
    backward.SetZoomStart(110, 120);
    backward.SetZoomEnd(10, 20);
    EXPECT_EQ(backward.fAMin, forward.fAMin);
    EXPECT_EQ(backward.fAMax, forward.fAMax);
    EXPECT_EQ(backward.fBMin, forward.fBMin);
    EXPECT_EQ(backward.fBMax, forward.fBMax);
    EXPECT_EQ(backward.fSelX1, 10);
    EXPECT_EQ(backward.fSelY2, 120);
}

TEST(LyapZoomIn, MorphMovesWithItsSlopesBeforeTheyShrink)
{
    TLyapCalc calc;
    calc.fMorphSlopeX = 0.5;
    calc.fMorphSlopeY = -0.25;
    calc = CalculatedAt384(calc);
    calc.SetZoomStart(96, 192);
    calc.SetZoomEnd(288, 384);
    EXPECT_DOUBLE_EQ(calc.fMorph, 1.0 + 0.5 * 0.25 - 0.25 * 0.5);
    EXPECT_DOUBLE_EQ(calc.fMorphSlopeX, 0.5 * 0.5);
    EXPECT_DOUBLE_EQ(calc.fMorphSlopeY, -0.25 * 0.5);
}

TEST(LyapZoomIn, UsesTheSpansOfTheLastPassNotTheCurrentRanges)
{
    TLyapCalc calc = CalculatedAt384(TLyapCalc());
    calc.fAMax = 100.0; // changed after the pass: the spans still say 2.0
    calc.SetZoomStart(0, 0);
    calc.SetZoomEnd(192, 192);
    EXPECT_DOUBLE_EQ(calc.fAMax, 3.0);
}

TEST(LyapZoomIn, WithoutAFirstCornerOnlyTheSecondIsStored)
{
    TLyapCalc calc = CalculatedAt384(TLyapCalc());
    calc.fState = 0;
    calc.SetZoomStart(-1, 30);
    calc.SetZoomEnd(200, 145);
    EXPECT_EQ(calc.fSelX2, 200);
    EXPECT_EQ(calc.fSelY2, 145);
    EXPECT_EQ(calc.fAMin, 2.0);
    EXPECT_EQ(calc.fAMax, 4.0);
    EXPECT_EQ(calc.fState.load(), 0);
}

TEST(LyapZoomIn, ExtremeCornersDoNotOverflow)
{
    TLyapCalc calc = CalculatedAt384(TLyapCalc());
    calc.SetZoomStart(0, std::numeric_limits<std::int32_t>::min());
    calc.SetZoomEnd(std::numeric_limits<std::int32_t>::max(),
                    std::numeric_limits<std::int32_t>::max());
    EXPECT_GT(calc.fFirstXSlopeY, 0.0);
}

TEST(LyapZoomOut, DoublesTheCurrentRangesAboutTheirCentres)
{
    TLyapCalc calc;
    calc.ZoomOut(2.0);
    EXPECT_EQ(calc.fAMin, 1.0);
    EXPECT_EQ(calc.fAMax, 5.0);
    EXPECT_EQ(calc.fBMin, 1.0);
    EXPECT_EQ(calc.fBMax, 5.0);
    calc.ZoomOut(2.0);
    EXPECT_EQ(calc.fAMin, -1.0);
    EXPECT_EQ(calc.fAMax, 7.0);
    EXPECT_EQ(calc.fFirstX, 0.5);
    EXPECT_EQ(calc.fFirstXSlopeX, 0.1);
}

TEST(LyapZoomOut, TheNextPassClampsAndRepeatedZoomsSettle)
{
    TLyapCalc calc;
    calc.ZoomOut(2.0);
    calc.ZoomOut(2.0);
    calc = CalculatedAt384(calc);
    EXPECT_EQ(calc.fAMin, calc.fLogFloor);
    EXPECT_EQ(calc.fAMax, 7.0);
    EXPECT_EQ(calc.fBMin, calc.fLogFloor);
    EXPECT_EQ(calc.fBMax, 7.0);
    for (int i = 0; i < 4; ++i) {
        calc.ZoomOut(2.0);
        calc = CalculatedAt384(calc);
    }
    EXPECT_EQ(calc.fAMin, calc.fLogFloor);
    EXPECT_EQ(calc.fAMax, 8.0);
    EXPECT_EQ(calc.fBMax, 8.0);
}

TEST(LyapZoomOut, AfterTheWorkedZoomInWhereverTheClickWas)
{
    TLyapCalc calc = CalculatedAt384(TLyapCalc());
    calc.SetZoomStart(105, 50);
    calc.SetZoomEnd(200, 145);
    calc = CalculatedAt384(calc);
    calc.ZoomOut(2.0);
    EXPECT_DOUBLE_EQ(calc.fAMin, 2 + 115.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fAMax, 2 + 495.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fBMin, 2 + 5.0 / 384);
    EXPECT_DOUBLE_EQ(calc.fBMax, 2 + 385.0 / 384);
}

} // namespace
