// The menu commands, chosen as the user chooses them.
#include "ViewerFixture.h"

#include "Palette.h"
#include "Palettes.h"
#include "Screen.h"

#include <array>
#include <cstring>

namespace {

std::array<uint8, 256> PaletteMapFor(BWindow* window, int32 palette)
{
    BScreen screen(window);
    std::array<uint8, 256> map{};
    for (int32 k = 0; k < 256; ++k) {
        const RgbColour c = *PaletteColour(palette, k);
        map[k] = screen.IndexForColor(c.red, c.green, c.blue);
    }
    return map;
}

std::array<uint8, 256> CurrentPaletteMap()
{
    std::array<uint8, 256> map{};
    std::memcpy(map.data(), gPaletteMap, map.size());
    return map;
}

const char* MarkedLabel(BMenu* menu)
{
    BMenuItem* item = menu->FindMarked();
    return item != nullptr ? item->Label() : "";
}

} // namespace

TEST_F(ViewerTest, PaletteChoiceRebuildsTheMapAndRendersAgain)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    Choose(kMenuPalette, "Palette3");
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_TRUE(fView->fRendering);
    EXPECT_EQ(CurrentPaletteMap(), PaletteMapFor(fWindow, 2));
    EXPECT_STREQ(MarkedLabel(Menu(kMenuPalette)), "Palette3");
    EXPECT_STREQ(MarkedLabel(Menu(kMenuIterations)), "16");
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
    // Column 0 (a = 2) has colour value 255: almost black in this palette.
    BScreen screen(fWindow);
    EXPECT_EQ(BitmapByte(0, 200), screen.IndexForColor(0, 3, 0));
}

TEST_F(ViewerTest, ChoosingThePaletteInUseStillRendersAgain)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    Choose(kMenuPalette, "Palette1");
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(CurrentPaletteMap(), PaletteMapFor(fWindow, 0));
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, PaletteChoiceKeepsTheSelection)
{
    WaitForRender();
    Drag(BPoint(100, 100), BPoint(103, 103));
    const BRect kept = fView->fSelection;
    ASSERT_EQ(kept, BRect(100, 100, 103, 103));
    Choose(kMenuPalette, "Palette4");
    EXPECT_EQ(fView->fSelection, kept);
    EXPECT_EQ(CurrentPaletteMap(), PaletteMapFor(fWindow, 3));
}

TEST_F(ViewerTest, IterationChoiceRendersTheSameRegionWithTheNewCount)
{
    WaitForRender();
    const TLyapCalc before = *fView->fCalc;
    const int32 renders = fView->fRenderCount;
    Choose(kMenuIterations, "256");
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(fView->fIterations, 256);
    EXPECT_STREQ(MarkedLabel(Menu(kMenuIterations)), "256");
    EXPECT_STREQ(MarkedLabel(Menu(kMenuPalette)), "Palette1");
    WaitForRender();
    EXPECT_EQ(fView->fCalc->fIterations, 256);
    EXPECT_EQ(fView->fCalc->fAMin, before.fAMin);
    EXPECT_EQ(fView->fCalc->fBMax, before.fBMax);
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, ChoosingTheCountInUseDoesNothing)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    Choose(kMenuIterations, "16");
    EXPECT_EQ(fView->fRenderCount, renders);
    EXPECT_FALSE(fView->fRendering);

    Choose(kMenuIterations, "8");
    WaitForRender();
    Drag(BPoint(10, 10), BPoint(13, 13));
    ASSERT_EQ(fView->fSelection, BRect(10, 10, 13, 13));
    Choose(kMenuIterations, "8");
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(fView->fSelection, BRect(10, 10, 13, 13));
    // A different count forgets the selection.
    Choose(kMenuIterations, "4");
    EXPECT_EQ(fView->fSelection, BRect(-1000, -1000, -1000, -1000));
}

TEST_F(ViewerTest, LyapunovSpaceResetsRegionSlidersIterationsAndMarks)
{
    WaitForRender();
    Choose(kMenuIterations, "64");
    WaitForRender();
    Drag(BPoint(100, 50), BPoint(195, 145));
    WaitForRender();
    fView->fMorphBar->SetValue(30);
    fView->fContrastBar->SetValue(170);
    const int32 moved = fView->fRenderCount;
    WaitForRenderAfter(moved);
    ASSERT_EQ(fView->fMorphPos, 30);

    const int32 renders = fView->fRenderCount;
    Choose(kMenuFractalType, "Lyapunov Space");
    EXPECT_EQ(fView->fIterations, 16);
    EXPECT_STREQ(MarkedLabel(Menu(kMenuIterations)), "16");
    EXPECT_STREQ(MarkedLabel(Menu(kMenuFractalType)), "Lyapunov Space");
    EXPECT_EQ(fView->fMorphBar->Value(), 100.0f);
    EXPECT_EQ(fView->fFirstXBar->Value(), 100.0f);
    EXPECT_EQ(fView->fContrastBar->Value(), 100.0f);
    EXPECT_EQ(fView->fSelection, BRect(-1000, -1000, -1000, -1000));
    // The remembered positions still differ from the middle: the next pulse
    // (the window's own, or this one) applies the sliders and renders once
    // more, after the render of the reset itself.
    platform_test::DeliverPulse(fWindow);
    EXPECT_EQ(fView->fRenderCount, renders + 2);
    EXPECT_EQ(fView->fMorphPos, 100);
    EXPECT_EQ(fView->fContrastPos, 100);
    fView->StopRender();
    const TLyapCalc defaults;
    const TLyapCalc& calc = *fView->fCalc;
    EXPECT_EQ(calc.fType, 1);
    EXPECT_EQ(calc.fIterations, 16);
    EXPECT_EQ(calc.fAMin, 2.0);
    EXPECT_EQ(calc.fAMax, 4.0);
    EXPECT_EQ(calc.fBMin, 2.0);
    EXPECT_EQ(calc.fBMax, 4.0);
    EXPECT_EQ(calc.fFirstX, defaults.fFirstX);
    EXPECT_EQ(calc.fFirstXSlopeX, defaults.fFirstXSlopeX);
    EXPECT_EQ(calc.fFirstXSlopeY, defaults.fFirstXSlopeY);
    EXPECT_EQ(calc.fMorph, defaults.fMorph);
    EXPECT_EQ(calc.fContrast, defaults.fContrast);
    fView->RestartRender();
    WaitForRender();
    // And 64 may be chosen again: the menu showed 16, the count in use.
    Choose(kMenuIterations, "64");
    EXPECT_EQ(fView->fCalc->fIterations, 64);
}

TEST_F(ViewerTest, LyapunovSpaceTwiceRendersFromTheStartEachTime)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    Choose(kMenuFractalType, "Lyapunov Space");
    Choose(kMenuFractalType, "Lyapunov Space");
    EXPECT_EQ(fView->fRenderCount, renders + 2);
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, UnknownCommandCodesChangeNothing)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    const TLyapCalc before = *fView->fCalc;
    const std::array<uint8, 256> map = CurrentPaletteMap();
    for (uint32 code : {0x64u, 0x5Fu, 1u, 3u, 0x800u, 0x2001u, 0xFFFFFFFFu})
        fWindow->PostMessage(code);
    platform_test::ProcessEvents();
    EXPECT_EQ(fView->fRenderCount, renders);
    EXPECT_FALSE(fView->fRendering);
    EXPECT_EQ(CurrentPaletteMap(), map);
    EXPECT_EQ(fView->fCalc->fIterations, before.fIterations);
    EXPECT_EQ(fView->fCalc->fAMin, before.fAMin);
    EXPECT_STREQ(MarkedLabel(Menu(kMenuPalette)), "Palette1");
    EXPECT_STREQ(MarkedLabel(Menu(kMenuIterations)), "16");
    ASSERT_EQ(platform_test::Windows().size(), 2u);
}

TEST_F(ViewerTest, AboutAlertLeavesTheRenderRunning)
{
    fView->SetIterations(512);
    const int32 renders = fView->fRenderCount;
    platform_test::AnswerNextAlert(0);
    Choose(kMenuFile, "About");
    EXPECT_TRUE(fView->fRendering);
    EXPECT_EQ(fView->fRenderCount, renders);
    // The File menu is a radio menu like the others.
    EXPECT_TRUE(Item(kMenuFile, "About")->IsMarked());
    WaitForRender();
}
