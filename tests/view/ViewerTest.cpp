// The viewer as the user meets it: windows, menus, renders, sliders, the
// buffered update, resizes, refused threads and stops. (The stress run
// closes the window, busy and idle, and checks that everything ends.)
#include "ViewerFixture.h"

#include "Palette.h"

#include <array>
#include <string>
#include <tuple>

namespace {

std::string MenuText(BMenu* menu)
{
    std::string text = std::string(menu->Name()) + ":";
    for (int32 i = 0; i < menu->CountItems(); ++i) {
        BMenuItem* item = menu->ItemAt(i);
        uint32 modifiers = 1;
        text += " " + std::string(item->Label()) + "=" + std::to_string(item->Command())
            + (item->IsMarked() ? "*" : "") + (item->Shortcut(&modifiers) != 0 || modifiers != 0 ? "^" : "");
    }
    return text + (menu->IsRadioMode() ? "" : " (no radio)");
}

bool MapIsPalette(BWindow* window, int32 palette)
{
    BScreen screen(window);
    for (int32 k = 0; k < 256; ++k) {
        const RgbColour c = *PaletteColour(palette, k);
        if (gPaletteMap[k] != screen.IndexForColor(c.red, c.green, c.blue))
            return false;
    }
    return true;
}

} // namespace

TEST_F(ViewerTest, StartsWithTheMainWindowItsMenusAndThePanel)
{
    EXPECT_EQ(platform_test::Windows(), (std::vector<BWindow*>{fWindow, fPanel}));
    EXPECT_STREQ(fWindow->Title(), "Ombrelia " OMBRELIA_VERSION);
    EXPECT_STREQ(fPanel->Title(), "Lyap controls");
    EXPECT_FALSE(fWindow->IsHidden() || fPanel->IsHidden());
    EXPECT_EQ(fPanel->Flags() & B_NOT_CLOSABLE, B_NOT_CLOSABLE);
    const char* menus[] = {"File: About=8192", "Palette: Palette1=96* Palette2=97 Palette3=98 Palette4=99",
                           "Iterations: 2=2 4=4 8=8 16=16* 32=32 64=64 128=128 256=256 384=384 512=512",
                           "Fractal type: Lyapunov Space=2049*"};
    for (int32 i = 0; i < 4; ++i)
        EXPECT_EQ(MenuText(Menu(i)), menus[i]);
    EXPECT_EQ(fView->Bounds(), BRect(0, 0, 384, 384));
}

TEST_F(ViewerTest, MenuChoicesRenderWhenTheyChangeSomethingAndOtherCodesChangeNothing)
{
    // Menu, item, renders started, palette and count in use, the marks.
    using Step = std::tuple<int32, const char*, int64, int32, int32, const char*, const char*>;
    for (const auto& [menu, label, newRenders, palette, iterations, paletteMark, iterationsMark] :
         {Step{kMenuPalette, "Palette3", 1, 2, 16, "Palette3", "16"},
          {kMenuPalette, "Palette3", 1, 2, 16, "Palette3", "16"}, // in use: again
          {kMenuIterations, "256", 1, 2, 256, "Palette3", "256"},
          {kMenuIterations, "256", 0, 2, 256, "Palette3", "256"}, // in use: nothing
          {kMenuPalette, "Palette4", 1, 3, 256, "Palette4", "256"},
          {kMenuFile, "About", 0, 3, 256, "Palette4", "256"}}) {
        WaitForRender();
        const int64 renders = RendersStarted();
        if (menu == kMenuFile)
            platform_test::AnswerNextAlert(-1); // Escape, the alert's shortcut for OK
        Choose(menu, label);
        EXPECT_EQ(RendersStarted() - renders, newRenders) << label;
        EXPECT_TRUE(MapIsPalette(fWindow, palette)) << label;
        EXPECT_EQ(fView->fCalc->fIterations, iterations) << label;
        EXPECT_STREQ(Marked(kMenuPalette), paletteMark) << label;
        EXPECT_STREQ(Marked(kMenuIterations), iterationsMark) << label;
    }
    WaitForRender();
    for (BPoint p : {BPoint(5, 70), BPoint(100, 100), BPoint(383, 383), BPoint(20, 370)})
        EXPECT_TRUE(ShownAsBitmap(p.x, p.y)) << p.x << "," << p.y;
    const int64 renders = RendersStarted();
    for (uint32 code : {0x64u, 0x5Fu, 1u, 3u, 0x800u, 0x2001u, 0xFFFFFFFFu})
        fWindow->PostMessage(code);
    ProcessEvents();
    EXPECT_EQ(RendersStarted(), renders);
    EXPECT_TRUE(MapIsPalette(fWindow, 3) && fView->fCalc->fIterations == 256);
    EXPECT_STREQ(Marked(kMenuPalette), "Palette4");
}

TEST_F(ViewerTest, LyapunovSpaceResetsRegionSlidersIterationsAndTheirMark)
{
    Choose(kMenuIterations, "64");
    WaitForRender();
    Drag(BPoint(100, 50), BPoint(195, 145));
    WaitForRender();
    fView->fMorphBar->SetValue(30);
    DeliverPulse(fWindow);
    fView->StopRender();
    Choose(kMenuFractalType, "Lyapunov Space");
    EXPECT_STREQ(Marked(kMenuIterations), "16");
    EXPECT_EQ(fView->fMorphBar->Value(), 100.0f);
    EXPECT_EQ(fView->fSelection, kNoSelectionRect);
    DeliverPulse(fWindow); // applies the centred slider: the defaults once more
    fView->StopRender();
    const TLyapCalc defaults;
    const TLyapCalc& calc = *fView->fCalc;
    EXPECT_EQ(calc.fIterations, 16);
    EXPECT_TRUE(calc.fAMin == defaults.fAMin && calc.fBMax == defaults.fBMax && calc.fMorph == defaults.fMorph
                && calc.fFirstXSlopeX == defaults.fFirstXSlopeX && calc.fContrast == defaults.fContrast);
    Choose(kMenuIterations, "64"); // the menu shows the count in use, so 64 counts as a change
    EXPECT_EQ(fView->fCalc->fIterations, 64);
}

TEST_F(ViewerTest, SlidersMovedBetweenPulsesRestartOnceWithTheirParameters)
{
    // Slider positions, then the parameters they give.
    using Case = std::array<double, 6>;
    for (const auto& [morph, firstX, contrast, fMorph, fFirstX, fContrast] :
         {Case{0, 100, 200, 0.0, 0.5, 2048.0}, {200, 0, 0, 2.0, 0.0, 0.0}, {50, 200, 50, 0.5, 1.0, 8.0}, {150, 1, 150, 1.5, 0.005, 648.0}}) {
        WaitForRender();
        const int64 renders = RendersStarted();
        fView->fMorphBar->SetValue(float(morph));
        fView->fFirstXBar->SetValue(float(firstX));
        fView->fContrastBar->SetValue(float(contrast));
        DeliverPulse(fWindow);
        DeliverPulse(fWindow); // nothing moved since the last pulse: no restart
        EXPECT_EQ(RendersStarted(), renders + 1) << morph;
        WaitForRender();
        EXPECT_DOUBLE_EQ(fView->fCalc->fMorph, fMorph);
        EXPECT_DOUBLE_EQ(fView->fCalc->fFirstX, fFirstX);
        EXPECT_DOUBLE_EQ(fView->fCalc->fContrast, fContrast);
    }
}

TEST_F(ViewerTest, SliderWaitsForABufferedRenderButNotForAnUnbufferedOne)
{
    StartLongRender();
    fView->fFirstXBar->SetValue(40);
    DeliverPulse(fWindow);
    EXPECT_DOUBLE_EQ(fView->fCalc->fFirstX, 0.2); // applied at once
    fView->fBufferedBox->SetValue(1);
    fView->fMorphBar->SetValue(120);
    // Black, over the white left column of rows the workers reach only
    // seconds from now.
    fView->StrokeRect(BRect(0, 370, 10, 380));
    ASSERT_FALSE(ShownAsBitmap(0, 370));
    const int64 renders = RendersStarted();
    DeliverPulse(fWindow);
    EXPECT_EQ(RendersStarted(), renders);
    EXPECT_EQ(fView->fCalc->fMorph, 1.0);
    EXPECT_EQ(ViewPixel(fView, 0, 370), (rgb_color{0, 0, 0, 255})); // nothing drawn
    // A short buffered render: the pulse that sees its finish shows it and
    // then applies the slider.
    fView->StopRender();
    Choose(kMenuIterations, "8");
    ASSERT_TRUE(PulseUntil([&] { return RendersStarted() != renders + 1; }));
    fView->StopRender();
    EXPECT_DOUBLE_EQ(fView->fCalc->fMorph, 1.2);
    TLyapCalc shown = *fView->fCalc;
    shown.fMorph = 1.0; // what the finished render used
    const std::vector<uint8> expected = Reference(shown, BitmapBytes());
    for (int32 x : {0, 150, 383})
        EXPECT_EQ(ViewPixel(fView, x, 200), BScreen(fWindow).ColorForIndex(expected[200 * 384 + x])) << x;
}

TEST_F(ViewerTest, StopEndsALongRenderPromptlyAndJoinsEveryWorker)
{
    WaitForRender();
    fView->StopRender(); // joins the finished workers
    const std::vector<uint8> before = BitmapBytes();
    StartLongRender();
    const int64 renders = RendersStarted();
    fView->RestartRender(); // does nothing while a render runs
    EXPECT_EQ(RendersStarted(), renders);
    const std::vector<thread_id> workers(gWorkerThreads, gWorkerThreads + gWorkerCount);
    fView->StopRender();
    EXPECT_FALSE(fView->fRendering || AnyWorkerRunning());
    for (int32 i = 0; i < gWorkerCount; ++i) {
        EXPECT_EQ(gWorkerThreads[i], kNoThread) << i;
        EXPECT_EQ(wait_for_thread(workers[i], nullptr), B_BAD_THREAD_ID) << i; // joined already
    }
    // No worker reached its last row: only the left edge is new, and white.
    for (int32 y = 384 - gWorkerCount; y < 384; ++y) {
        EXPECT_EQ(BitmapByte(0, y), BScreen(fWindow).IndexForColor(255, 255, 255));
        for (int32 x = 1; x < 384; ++x)
            ASSERT_EQ(BitmapByte(x, y), before[y * 384 + x]) << x << "," << y;
    }
    fView->RestartRender();
    EXPECT_EQ(RendersStarted(), renders + 1);
}

// (The stress run checks the image's extent after every resize, and whole
// renders whatever threads the system refuses.)
TEST_F(ViewerTest, ResizeRendersOnlyTheUpperLeftPartAndAStopReachesARefusedThreadsShare)
{
    WaitForRender();
    const std::vector<uint8> before = BitmapBytes();
    fWindow->ResizeTo(200, fView->Frame().top + 150);
    ProcessEvents();
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, before));
    if (gWorkerCount < 2)
        return; // a long render would run on this thread
    platform_test::FailNextSpawns(1);
    StartLongRender();
    fView->StopRender();
    EXPECT_FALSE(AnyWorkerRunning());
}
