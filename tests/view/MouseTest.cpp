// Zooming with the mouse: the drag's square, its band, the zoom and the
// zoom-out, as the user's pointer makes them.
#include "ViewerFixture.h"

#include <string>
#include <tuple>
#include <utility>

TEST_F(ViewerTest, DragsZoomIntoTheirSquareClampedIntoTheImage)
{
    // Press, release, the corners given to the calculator (none: no zoom)
    // and whether the band stays outlined.
    using Case = std::tuple<BPoint, BPoint, BRect, bool>;
    const BRect none(-1, -1, -1, -1);
    for (const auto& [from, to, handedOver, kept] :
         {Case{{100, 50}, {195, 145}, {105, 50, 200, 145}, false},
          {{200, 200}, {150, 230}, {205, 200, 235, 230}, false}, // below: by dy
          {{200, 200}, {260, 220}, {205, 200, 265, 260}, false}, // below: by dx
          {{200, 200}, {250, 170}, {175, 170, 205, 200}, false}, // above: by -dy
          {{200, 200}, {160, 200}, {165, 160, 205, 200}, false}, // level, left: up
          {{200, 200}, {240, 200}, none, false},                 // level, right: a pixel
          {{383, 100}, {390, 150}, {388, 100, 388, 150}, false}, // last column
          {{100, 380}, {110, 500}, none, true},                  // 3 rows: kept, no zoom
          {{200, 200}, {202, 202}, none, false}}) {              // too small: forgotten
        WaitForRender();
        // The finished picture is drawn as it is (the drag leaves the view
        // drawing in copy mode again).
        for (int32 x = 0; x < 384; ++x)
            ASSERT_TRUE(ShownAsBitmap(x, 300)) << x;
        fView->fCalc->fSelX1 = -1;
        const int64 renders = RendersStarted();
        Drag(from, to);
        fView->StopRender();
        const TLyapCalc& calc = *fView->fCalc;
        const std::string where = std::to_string(to.x) + "," + std::to_string(to.y);
        const BRect corners(calc.fSelX1, calc.fSelY1, calc.fSelX2, calc.fSelY2);
        EXPECT_EQ(calc.fSelX1 == -1 ? none : corners, handedOver) << where;
        EXPECT_EQ(RendersStarted() - renders, handedOver == none ? 0 : 1) << where;
        if (handedOver == none) {
            EXPECT_EQ(ShownInverted(from.x, from.y), kept) << where;
        }
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
    EXPECT_TRUE(ShownInverted(200, 200) && ShownInverted(203, 201) && ShownInverted(203, 203));
    EXPECT_TRUE(ShownAsBitmap(201, 201) && ShownAsBitmap(204, 204));
    Drag(BPoint(300, 300), BPoint(302, 302)); // erases the kept band at its first change
    EXPECT_TRUE(ShownAsBitmap(200, 200) && ShownAsBitmap(203, 201));
}

TEST_F(ViewerTest, ShiftClicksZoomOutUntilTheClampAndPressesDuringARenderDoNothing)
{
    WaitForRender();
    const double floor = fView->fCalc->fLogFloor;
    for (const auto& [aMin, aMax] : {std::pair{1.0, 5.0}, {floor, 7.0}, {floor, 8.0}}) {
        ShiftClick(BPoint(10, 10));
        WaitForRender();
        const TLyapCalc& calc = *fView->fCalc;
        EXPECT_TRUE(calc.fAMin == aMin && calc.fBMin == aMin && calc.fAMax == aMax && calc.fBMax == aMax) << aMin;
    }
    StartLongRender();
    const int64 renders = RendersStarted();
    Drag(BPoint(100, 50), BPoint(195, 145));
    ShiftClick(BPoint(100, 100));
    EXPECT_EQ(RendersStarted(), renders);
    EXPECT_EQ(fView->fCalc->fAMax, 8.0);
}
