// The sliders and the buffered-update box, polled on every pulse.
#include "ViewerFixture.h"

#include "Palettes.h"
#include "Screen.h"

TEST_F(ViewerTest, TwoSlidersMovedBetweenPulsesRestartOnce)
{
    WaitForRender();
    fView->fMorphBar->SetValue(0);
    fView->fContrastBar->SetValue(200);
    const int32 renders = fView->fRenderCount;
    platform_test::DeliverPulse(fWindow);
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_TRUE(fView->fRendering);
    EXPECT_EQ(fView->fMorphPos, 0);
    EXPECT_EQ(fView->fFirstXPos, 100);
    EXPECT_EQ(fView->fContrastPos, 200);
    WaitForRender();
    EXPECT_EQ(fView->fCalc->fMorph, 0.0);
    EXPECT_EQ(fView->fCalc->fFirstX, 0.5);
    EXPECT_EQ(fView->fCalc->fContrast, 2048.0);
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, SliderPositionsMapToTheirParameters)
{
    struct Case {
        float morph, firstX, contrast;
        double fMorph, fFirstX, fContrast;
    };
    for (const Case& c : {Case{200, 0, 0, 2.0, 0.0, 0.0}, Case{50, 200, 50, 0.5, 1.0, 8.0},
                          Case{150, 1, 150, 1.5, 0.005, 648.0}}) {
        WaitForRender();
        fView->fMorphBar->SetValue(c.morph);
        fView->fFirstXBar->SetValue(c.firstX);
        fView->fContrastBar->SetValue(c.contrast);
        platform_test::DeliverPulse(fWindow);
        fView->StopRender();
        EXPECT_DOUBLE_EQ(fView->fCalc->fMorph, c.fMorph);
        EXPECT_DOUBLE_EQ(fView->fCalc->fFirstX, c.fFirstX);
        EXPECT_DOUBLE_EQ(fView->fCalc->fContrast, c.fContrast);
        fView->Refresh();
    }
}

TEST_F(ViewerTest, SliderMovedDuringAnUnbufferedRenderRestartsAtTheNextPulse)
{
    fView->SetIterations(512);
    const int32 renders = fView->fRenderCount;
    fView->fFirstXBar->SetValue(40);
    platform_test::DeliverPulse(fWindow);
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(fView->fFirstXPos, 40);
    fView->StopRender();
    EXPECT_DOUBLE_EQ(fView->fCalc->fFirstX, 0.2);
}

TEST_F(ViewerTest, BufferedUpdateShowsNothingUntilTheFinishAndAppliesSlidersThen)
{
    Choose(kMenuIterations, "512");
    WaitForRender();
    const TLyapCalc params = *fView->fCalc;
    const std::vector<uint8> start = BitmapBytes();
    const std::vector<BPoint> points = {{0, 383}, {150, 150}, {300, 300}, {383, 200}};
    std::vector<rgb_color> shown;
    for (BPoint p : points)
        shown.push_back(platform_test::ViewPixel(fView, p.x, p.y));

    fView->fBufferedBox->SetValue(1);
    HoldRenders();
    Choose(kMenuPalette, "Palette2");
    ASSERT_TRUE(fView->fRendering);
    fView->fMorphBar->SetValue(120);
    const int32 renders = fView->fRenderCount;
    platform_test::DeliverPulse(fWindow);
    // Still the palette-1 picture, though the bitmap's left edge is white now.
    ASSERT_TRUE(fView->fRendering);
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(platform_test::ViewPixel(fView, points[i].x, points[i].y), shown[i])
            << points[i].x << "," << points[i].y;
    }
    EXPECT_EQ(fView->fMorphPos, 100);
    EXPECT_EQ(fView->fRenderCount, renders);

    // The pulse that sees the finish draws the new picture, then applies the
    // slider and starts the next render.
    ReleaseRenders();
    ASSERT_TRUE(PulseUntil([&] { return fView->fRenderCount != renders; }));
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(fView->fMorphPos, 120);
    EXPECT_TRUE(fView->fRendering);
    fView->StopRender();
    // What is shown is the finished "Palette2" render.
    const std::vector<uint8> expected = Reference(params, start);
    BScreen screen(fWindow);
    const int32 bytesPerRow = fView->fBitmap->BytesPerRow();
    for (BPoint p : points) {
        const auto x = static_cast<int32>(p.x), y = static_cast<int32>(p.y);
        EXPECT_EQ(platform_test::ViewPixel(fView, x, y),
                  screen.ColorForIndex(expected[y * bytesPerRow + x]))
            << x << "," << y;
    }
}
