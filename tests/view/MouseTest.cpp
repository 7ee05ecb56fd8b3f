// Zooming with the mouse: the drag's square, its band, the zoom and the
// zoom-out, as the user's pointer makes them.
#include "ViewerFixture.h"

#include <string>
#include <utility>

TEST_F(ViewerTest, DragsZoomIntoTheirSquareClampedIntoTheImage)
{
    struct Case {
        BPoint from, to;
        BRect handedOver; // corners given to the calculator; left -1: no zoom
        BRect kept;       // the selection afterwards
    };
    const BRect none(-1, -1, -1, -1);
    for (const Case& c : {Case{{100, 50}, {195, 145}, {105, 50, 200, 145}, kNoSelectionRect},
                          Case{{200, 200}, {150, 230}, {205, 200, 235, 230}, kNoSelectionRect}, // below: by dy
                          Case{{200, 200}, {260, 220}, {205, 200, 265, 260}, kNoSelectionRect}, // below: by dx
                          Case{{200, 200}, {250, 170}, {175, 170, 205, 200}, kNoSelectionRect}, // above: by -dy
                          Case{{200, 200}, {160, 200}, {165, 160, 205, 200}, kNoSelectionRect}, // level, left: up
                          Case{{200, 200}, {240, 200}, none, kNoSelectionRect}, // level, right: a pixel
                          Case{{383, 100}, {390, 150}, {388, 100, 388, 150}, kNoSelectionRect}, // last column
                          Case{{100, 380}, {110, 500}, none, {100, 380, 220, 383}}, // 3 rows: kept, no zoom
                          Case{{200, 200}, {202, 202}, none, kNoSelectionRect}}) { // too small: forgotten
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
}

TEST_F(ViewerTest, BandIsErasedWhenDroppedAndKeptOutlinedOtherwise)
{
    WaitForRender();
    Drag(BPoint(200, 200), BPoint(202, 202)); // too small: erased
    for (int32 x = 198; x <= 204; ++x)
        for (int32 y = 198; y <= 204; ++y)
            ASSERT_TRUE(ShownAsBitmap(x, y)) << x << "," << y;
    Drag(BPoint(200, 200), BPoint(203, 203)); // kept: the outline alone is inverted
    EXPECT_EQ(fView->fSelection, BRect(200, 200, 203, 203));
    EXPECT_FALSE(ShownAsBitmap(200, 200) || ShownAsBitmap(203, 201));
    EXPECT_TRUE(ShownAsBitmap(201, 201) && ShownAsBitmap(204, 204));
    EXPECT_EQ(fView->SelectionText(), "200,200 - 203,203\n");
    Drag(BPoint(300, 300), BPoint(302, 302)); // erases the kept band at its first change
    EXPECT_EQ(fView->fSelection, kNoSelectionRect);
    EXPECT_TRUE(ShownAsBitmap(200, 200) && ShownAsBitmap(203, 201));
    Drag(BPoint(10, 10), BPoint(13, 13));
    Choose(kMenuPalette, "Palette2"); // a palette keeps the selection
    EXPECT_EQ(fView->fSelection, BRect(10, 10, 13, 13));
}

TEST_F(ViewerTest, ShiftClicksZoomOutUntilTheClampAndPressesDuringARenderDoNothing)
{
    WaitForRender();
    for (const auto& [aMin, aMax] : {std::pair{1.0, 5.0}, std::pair{fView->fCalc->fLogFloor, 7.0}}) {
        ShiftClick(BPoint(10, 10));
        WaitForRender();
        const TLyapCalc& calc = *fView->fCalc;
        EXPECT_TRUE(calc.fAMin == aMin && calc.fBMin == aMin && calc.fAMax == aMax && calc.fBMax == aMax) << aMin;
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
