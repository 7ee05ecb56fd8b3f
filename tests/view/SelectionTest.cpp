// Zooming with the mouse: the drag, its square, the band and the zoom-out.
#include "ViewerFixture.h"

#include "Screen.h"

#include <cmath>

namespace {

const BRect kEmpty(-1000, -1000, -1000, -1000);

} // namespace

TEST_F(ViewerTest, DragZoomsIntoTheWorkedRegion)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    Drag(BPoint(100, 50), BPoint(195, 145));
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(fView->fSelection, kEmpty);
    // The selection text was drawn from (50, 50): the pen ends after it.
    EXPECT_EQ(fView->PenLocation().y, 50.0f);
    EXPECT_GT(fView->PenLocation().x, 50.0f);
    fView->StopRender();
    const TLyapCalc& c = *fView->fCalc;
    EXPECT_EQ(c.fSelX1, 105);
    EXPECT_EQ(c.fSelY1, 50);
    EXPECT_EQ(c.fSelX2, 200);
    EXPECT_EQ(c.fSelY2, 145);
    EXPECT_DOUBLE_EQ(c.fAMin, 2 + 210.0 / 384);
    EXPECT_DOUBLE_EQ(c.fAMax, 2 + 400.0 / 384);
    EXPECT_DOUBLE_EQ(c.fBMin, 2 + 100.0 / 384);
    EXPECT_DOUBLE_EQ(c.fBMax, 2 + 290.0 / 384);
    EXPECT_DOUBLE_EQ(c.fFirstX, 425.0 / 768);
    EXPECT_DOUBLE_EQ(c.fFirstXSlopeX, 19.0 / 768);
    EXPECT_DOUBLE_EQ(c.fFirstXSlopeY, 19.0 / 384);
    EXPECT_EQ(c.fMorph, 1.0);
    EXPECT_EQ(c.fMorphSlopeX, 0.0);
    EXPECT_EQ(c.fMorphSlopeY, 0.0);

    // A shift-click once that render has finished, wherever it is.
    fView->RestartRender();
    WaitForRender();
    ShiftClick(BPoint(3, 300));
    fView->StopRender();
    EXPECT_DOUBLE_EQ(c.fAMin, 2 + 115.0 / 384);
    EXPECT_DOUBLE_EQ(c.fAMax, 2 + 495.0 / 384);
    EXPECT_DOUBLE_EQ(c.fBMin, 2 + 5.0 / 384);
    EXPECT_DOUBLE_EQ(c.fBMax, 2 + 385.0 / 384);
}

TEST_F(ViewerTest, ZoomedRenderEqualsTheComputationOfTheNewRegion)
{
    WaitForRender();
    Drag(BPoint(40, 40), BPoint(140, 140));
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, DragsTooSmallToKeepAreErasedAndForgotten)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    // Without moving (a single pixel), and 2 by 2 (extent 4, below 5).
    for (BPoint end : {BPoint(200, 200), BPoint(202, 202)}) {
        Drag(BPoint(200, 200), end);
        EXPECT_EQ(fView->fSelection, kEmpty) << end.x;
        EXPECT_EQ(fView->fRenderCount, renders) << end.x;
        EXPECT_EQ(fView->DrawingMode(), B_OP_COPY) << end.x;
        for (int32 x = 198; x <= 204; ++x) {
            for (int32 y = 198; y <= 204; ++y) {
                ASSERT_EQ(platform_test::ViewPixel(fView, x, y), BitmapColour(x, y))
                    << x << "," << y << " after a drag to " << end.x;
            }
        }
    }
}

TEST_F(ViewerTest, ThreeByThreeDragIsKeptOutlinedWithoutZoom)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    const TLyapCalc before = *fView->fCalc;
    Drag(BPoint(200, 200), BPoint(203, 203));
    EXPECT_EQ(fView->fSelection, BRect(200, 200, 203, 203));
    EXPECT_EQ(fView->fRenderCount, renders);
    EXPECT_EQ(fView->fCalc->fAMin, before.fAMin);
    EXPECT_EQ(fView->DrawingMode(), B_OP_COPY);
    // The outline is inverted, the inside and outside are not.
    EXPECT_NE(platform_test::ViewPixel(fView, 200, 200), BitmapColour(200, 200));
    EXPECT_NE(platform_test::ViewPixel(fView, 203, 201), BitmapColour(203, 201));
    EXPECT_EQ(platform_test::ViewPixel(fView, 201, 201), BitmapColour(201, 201));
    EXPECT_EQ(platform_test::ViewPixel(fView, 204, 204), BitmapColour(204, 204));

    // The next drag starts from the kept band and erases it at its first change.
    Drag(BPoint(300, 300), BPoint(302, 302));
    EXPECT_EQ(fView->fSelection, kEmpty);
    EXPECT_EQ(platform_test::ViewPixel(fView, 200, 200), BitmapColour(200, 200));
    EXPECT_EQ(platform_test::ViewPixel(fView, 203, 201), BitmapColour(203, 201));
}

TEST_F(ViewerTest, DragAnchoredInTheLastColumnZoomsToAZeroWidthRange)
{
    WaitForRender();
    Drag(BPoint(383, 100), BPoint(390, 150));
    fView->StopRender();
    const TLyapCalc& c = *fView->fCalc;
    EXPECT_EQ(c.fSelX1, 388);
    EXPECT_EQ(c.fSelX2, 388);
    EXPECT_EQ(c.fSelY1, 100);
    EXPECT_EQ(c.fSelY2, 150);
    EXPECT_EQ(c.fAMin, c.fAMax);
    EXPECT_DOUBLE_EQ(c.fAMin, 2 + 2.0 * 388 / 384);
}

TEST_F(ViewerTest, SquareFollowsTheAnchorsDiagonal)
{
    struct Case {
        BPoint pointer;   // relative to the anchor (200, 200)
        int32 x1, y1, x2, y2; // corners handed to the calculator, or -1: none
    };
    const Case cases[] = {
        {{-50, 30}, 205, 200, 235, 230},  // below, dx <= dy: down-right by dy
        {{60, 20}, 205, 200, 265, 260},   // below, dx > dy: down-right by dx
        {{50, -30}, 175, 170, 205, 200},  // above, dx >= dy: up-left by -dy
        {{-40, 0}, 165, 160, 205, 200},   // level, dx < dy: up-left by -dx
        {{40, 0}, -1, -1, -1, -1},        // level, dx >= dy: a single pixel
    };
    for (const Case& c : cases) {
        WaitForRender();
        fView->fCalc->fSelX1 = -1;
        const int32 renders = fView->fRenderCount;
        Drag(BPoint(200, 200), BPoint(200 + c.pointer.x, 200 + c.pointer.y));
        fView->StopRender();
        if (c.x1 < 0) {
            EXPECT_EQ(fView->fRenderCount, renders);
            EXPECT_EQ(fView->fCalc->fSelX1, -1);
        } else {
            EXPECT_EQ(fView->fRenderCount, renders + 1) << c.pointer.x << "," << c.pointer.y;
            EXPECT_EQ(fView->fCalc->fSelX1, c.x1) << c.pointer.x << "," << c.pointer.y;
            EXPECT_EQ(fView->fCalc->fSelY1, c.y1) << c.pointer.x << "," << c.pointer.y;
            EXPECT_EQ(fView->fCalc->fSelX2, c.x2) << c.pointer.x << "," << c.pointer.y;
            EXPECT_EQ(fView->fCalc->fSelY2, c.y2) << c.pointer.x << "," << c.pointer.y;
        }
        fView->fCalc->SetDefaults();
        fView->Refresh();
    }
}

TEST_F(ViewerTest, CornerIsClampedIntoTheImageOnEachAxisAlone)
{
    WaitForRender();
    // Past the bottom edge: the row stops at 383 while the column follows.
    Drag(BPoint(100, 380), BPoint(110, 500));
    EXPECT_EQ(fView->fSelection, BRect(100, 380, 220, 383));
    fView->StopRender();
    // A height of 3 is kept but not zoomed.
    EXPECT_EQ(fView->fCalc->fAMin, 2.0);
}

TEST_F(ViewerTest, ShiftClicksZoomOutAndTheNextPassClamps)
{
    WaitForRender();
    ShiftClick(BPoint(10, 10));
    EXPECT_EQ(fView->fSelection, kEmpty);
    WaitForRender();
    EXPECT_EQ(fView->fCalc->fAMin, 1.0);
    EXPECT_EQ(fView->fCalc->fAMax, 5.0);
    EXPECT_EQ(fView->fCalc->fBMin, 1.0);
    EXPECT_EQ(fView->fCalc->fBMax, 5.0);
    ShiftClick(BPoint(300, 20));
    WaitForRender();
    EXPECT_EQ(fView->fCalc->fAMin, fView->fCalc->fLogFloor);
    EXPECT_EQ(fView->fCalc->fAMax, 7.0);
    EXPECT_EQ(fView->fCalc->fBMin, fView->fCalc->fLogFloor);
    EXPECT_EQ(fView->fCalc->fBMax, 7.0);
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, PressDuringARenderDoesNothing)
{
    WaitForRender();
    fView->SetIterations(512);
    const int32 renders = fView->fRenderCount;
    Drag(BPoint(100, 50), BPoint(195, 145));
    ShiftClick(BPoint(100, 100));
    EXPECT_EQ(fView->fRenderCount, renders);
    EXPECT_EQ(fView->fSelection, kEmpty);
    fView->StopRender();
    EXPECT_EQ(fView->fCalc->fAMin, 2.0);
    EXPECT_EQ(fView->fCalc->fAMax, 4.0);
}

TEST_F(ViewerTest, SelectionTextShowsMinusOneThousandWithoutASelection)
{
    EXPECT_EQ(fView->SelectionText(), "-1000,-1000 - -1000,-1000\n");
    WaitForRender();
    Drag(BPoint(10, 10), BPoint(13, 13));
    EXPECT_EQ(fView->SelectionText(), "10,10 - 13,13\n");
}
