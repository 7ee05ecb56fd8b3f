// Zooming with the mouse: the drag's square, its band, the zoom and the
// zoom-out, as the user's pointer makes them.
#include "ViewerFixture.h"

#include "Screen.h"

TEST_F(ViewerTest, DragsZoomIntoTheirSquareClampedIntoTheImage)
{
    struct Case {
        BPoint from, to;
        BRect handedOver; // corners given to the calculator; left -1: no zoom
        BRect kept;       // the selection afterwards
    };
    const BRect none(-1, -1, -1, -1);
    const Case cases[] = {
        {{100, 50}, {195, 145}, {105, 50, 200, 145}, kNoSelectionRect},
        {{200, 200}, {150, 230}, {205, 200, 235, 230}, kNoSelectionRect}, // below: down by dy
        {{200, 200}, {260, 220}, {205, 200, 265, 260}, kNoSelectionRect}, // below: down by dx
        {{200, 200}, {250, 170}, {175, 170, 205, 200}, kNoSelectionRect}, // above: up by -dy
        {{200, 200}, {160, 200}, {165, 160, 205, 200}, kNoSelectionRect}, // level, left: up
        {{200, 200}, {240, 200}, none, kNoSelectionRect},                 // level, right: a pixel
        {{383, 100}, {390, 150}, {388, 100, 388, 150}, kNoSelectionRect}, // the last column
        {{100, 380}, {110, 500}, none, {100, 380, 220, 383}},             // 3 rows: kept, no zoom
        {{200, 200}, {202, 202}, none, kNoSelectionRect},                 // too small: forgotten
    };
    for (const Case& c : cases) {
        WaitForRender();
        fView->fCalc->fSelX1 = -1;
        const int64 renders = RendersStarted();
        Drag(c.from, c.to);
        fView->StopRender();
        const TLyapCalc& calc = *fView->fCalc;
        const std::string where = std::to_string(c.to.x) + "," + std::to_string(c.to.y);
        const BRect handedOver(calc.fSelX1, calc.fSelY1, calc.fSelX2, calc.fSelY2);
        EXPECT_EQ(calc.fSelX1 == -1 ? none : handedOver, c.handedOver) << where;
        EXPECT_EQ(RendersStarted() - renders, c.handedOver == none ? 0 : 1) << where;
        EXPECT_EQ(fView->fSelection, c.kept) << where;
        EXPECT_EQ(fView->DrawingMode(), B_OP_COPY) << where;
        fView->fCalc->SetDefaults();
        fView->Refresh();
    }
    WaitForRender();
    Drag(BPoint(40, 40), BPoint(140, 140));
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, BandIsErasedWhenDroppedAndKeptOutlinedOtherwise)
{
    WaitForRender();
    const auto shownAsBitmap = [&](int32 x, int32 y) { return ViewPixel(fView, x, y) == BitmapColour(x, y); };
    Drag(BPoint(200, 200), BPoint(202, 202)); // too small: erased
    for (int32 x = 198; x <= 204; ++x)
        for (int32 y = 198; y <= 204; ++y)
            ASSERT_TRUE(shownAsBitmap(x, y)) << x << "," << y;
    Drag(BPoint(200, 200), BPoint(203, 203)); // kept: the outline alone is inverted
    EXPECT_EQ(fView->fSelection, BRect(200, 200, 203, 203));
    EXPECT_FALSE(shownAsBitmap(200, 200));
    EXPECT_FALSE(shownAsBitmap(203, 201));
    EXPECT_TRUE(shownAsBitmap(201, 201));
    EXPECT_TRUE(shownAsBitmap(204, 204));
    EXPECT_EQ(fView->SelectionText(), "200,200 - 203,203\n");
    // The next drag erases the kept band at its first change.
    Drag(BPoint(300, 300), BPoint(302, 302));
    EXPECT_EQ(fView->fSelection, kNoSelectionRect);
    EXPECT_TRUE(shownAsBitmap(200, 200));
    EXPECT_TRUE(shownAsBitmap(203, 201));
    Drag(BPoint(10, 10), BPoint(13, 13));
    Choose(kMenuPalette, "Palette2"); // a palette keeps the selection
    EXPECT_EQ(fView->fSelection, BRect(10, 10, 13, 13));
}

TEST_F(ViewerTest, ShiftClicksZoomOutUntilTheClampAndPressesDuringARenderDoNothing)
{
    struct Case {
        double aMin, aMax;
    };
    WaitForRender();
    for (const Case& c : {Case{1.0, 5.0}, Case{fView->fCalc->fLogFloor, 7.0}}) {
        ShiftClick(BPoint(10, 10));
        WaitForRender();
        EXPECT_EQ(fView->fCalc->fAMin, c.aMin);
        EXPECT_EQ(fView->fCalc->fAMax, c.aMax);
        EXPECT_EQ(fView->fCalc->fBMin, c.aMin);
        EXPECT_EQ(fView->fCalc->fBMax, c.aMax);
    }
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
    StartLongRender();
    const int64 renders = RendersStarted();
    Drag(BPoint(100, 50), BPoint(195, 145));
    ShiftClick(BPoint(100, 100));
    EXPECT_EQ(RendersStarted(), renders);
    EXPECT_EQ(fView->fSelection, kNoSelectionRect);
    EXPECT_EQ(fView->fCalc->fAMax, 7.0);
}
