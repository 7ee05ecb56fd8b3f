// The viewer as the user meets it: windows, menus, renders, sliders, the
// buffered update, resizes, refused threads and stops. (The stress run
// closes the window, busy and idle, and checks that everything ends; the
// end-to-end run finds the windows by their titles on a real screen.)
#include "ViewerFixture.h"

#include "LyapPictureRows.h"
#include "Palette.h"
#include "RenderPreview.h"
#include "SliderScale.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace {

bool MapIsPalette(BWindow* window, int32 palette)
{
    BScreen screen(window);
    for (int32 k = 0; k < 256; ++k)
        if (const RgbColour c = *PaletteColour(palette, k); gPaletteMap[k] != screen.IndexForColor(c.red, c.green, c.blue))
            return false;
    return true;
}

} // namespace

TEST_F(ViewerTest, StartsWithTheMainWindowItsMenusAndThePanel)
{
    using Menu = std::pair<const char*, const char*>;
    // The specified items first, the additions after them.
    for (const auto& [title, items] : {Menu{"File", "About"}, {"Palette", "Palette1* Palette2 Palette3 Palette4 | classic"},
                                       {"Iterations", "2 4 8 16* 32 64 128 256 384 512"},
                                       {"Fractal type", "Lyapunov Space* | Zircon Zity Swallow AABAB Morse\u2013Thue | Values\u2026"},
                                       {"View", "Fit Image to Window Full Screen Point Information"}})
        EXPECT_EQ(ShownMenu(fWindow, title).substr(0, std::string_view(items).size()), items);
    EXPECT_EQ(fView->Bounds(), BRect(0, 0, 384, 384));
    // The sliders start centred, where the first pulse finds nothing moved.
    const int64 renders = RendersStarted();
    DeliverPulse(fWindow);
    EXPECT_EQ(RendersStarted(), renders);
    for (int32 i = 0; i < 3; ++i)
        EXPECT_EQ(Slider(i)->Value(), 100.0f) << i;
    ClickCloseBox(fPanel); // it has no close box
    ProcessEvents();
    EXPECT_TRUE(IsOpen(fPanel));
    // Ctrl+S asks where to save, offering a name.
    std::string offered;
    std::filesystem::remove("lyapunov.png"); // left by an earlier run
    CancelNextFilePanel(&offered);
    fWindow->PostMessage(kSaveCommand);
    ProcessEvents();
    EXPECT_EQ(offered, "lyapunov.png");
    EXPECT_FALSE(std::filesystem::exists(offered)) << "saved although cancelled";
}

TEST_F(ViewerTest, MenuChoicesRenderWhenTheyChangeSomethingAndOtherCodesChangeNothing)
{
    // Menu, item, renders started, palette and count in use, the marks.
    using Step = std::tuple<const char*, const char*, int64, int32, int32, const char*, const char*>;
    for (const auto& [menu, label, newRenders, palette, iterations, paletteMark, iterationsMark] :
         {Step{"Palette", "Palette3", 1, 2, 16, "Palette3", "16"},
          {"Palette", "Palette3", 1, 2, 16, "Palette3", "16"}, // in use: again
          {"Iterations", "256", 1, 2, 256, "Palette3", "256"},
          {"Iterations", "256", 0, 2, 256, "Palette3", "256"}, // in use: nothing
          {"Palette", "Palette4", 1, 3, 256, "Palette4", "256"},
          {"File", "About", 0, 3, 256, "Palette4", "256"}}) {
        WaitForRender();
        const int64 renders = RendersStarted();
        std::string alertText;
        platform_test::AnswerNextAlert(-1, &alertText); // Escape, the alert's shortcut for OK
        Choose(menu, label);
        EXPECT_EQ(alertText.starts_with("Ombrelia"), std::string_view(label) == "About") << label;
        EXPECT_EQ(RendersStarted() - renders, newRenders) << label;
        EXPECT_TRUE(MapIsPalette(fWindow, palette)) << label;
        EXPECT_EQ(fView->fCalc->fIterations, iterations) << label;
        EXPECT_EQ(Marked("Palette"), paletteMark) << label;
        EXPECT_EQ(Marked("Iterations"), iterationsMark) << label;
    }
    WaitForRender();
    const int64 renders = RendersStarted();
    for (uint32 code : {0x64u, 0x5Fu, 1u, 3u, 0x800u, 0x2001u, 0xFFFFFFFFu})
        fWindow->PostMessage(code);
    ProcessEvents();
    EXPECT_EQ(RendersStarted(), renders);
    EXPECT_TRUE(MapIsPalette(fWindow, 3) && fView->fCalc->fIterations == 256);
    EXPECT_EQ(Marked("Palette"), "Palette4");
}

TEST_F(ViewerTest, LyapunovSpaceResetsRegionSlidersIterationsAndTheirMark)
{
    Choose("Iterations", "64");
    WaitForRender();
    Drag(BPoint(100, 50), BPoint(195, 145));
    WaitForRender();
    Slider(0)->SetValue(30);
    DeliverPulse(fWindow);
    fView->StopRender();
    Choose("Fractal type", "Lyapunov Space");
    EXPECT_EQ(Marked("Iterations"), "16");
    EXPECT_EQ(Slider(0)->Value(), 100.0f);
    DeliverPulse(fWindow); // applies the centred slider: the defaults once more
    fView->StopRender();
    const TLyapCalc defaults;
    EXPECT_TRUE(fView->fCalc->Parameters() == LyapParameters{} && fView->fCalc->fFirstXSlopeX == defaults.fFirstXSlopeX);
    Choose("Iterations", "64"); // the menu shows the count in use, so 64 counts as a change
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
        for (int32 i = 0; const double position : {morph, firstX, contrast})
            Slider(i++)->SetValue(float(position));
        DeliverPulse(fWindow);
        DeliverPulse(fWindow); // nothing moved since the last pulse: no restart
        EXPECT_EQ(RendersStarted(), renders + 1) << morph;
        WaitForRender();
        EXPECT_DOUBLE_EQ(fView->fCalc->fMorph, fMorph);
        EXPECT_DOUBLE_EQ(fView->fCalc->fFirstX, fFirstX);
        EXPECT_DOUBLE_EQ(fView->fCalc->fContrast, fContrast);
    }
}

// The way back from a value: each whole position is the one nearest its
// own value; values beyond the ends (or not numbers) go to the ends.
TEST(SliderScale, EveryPositionIsNearestItsOwnValue)
{
    for (int32 p = 0; p <= 200; ++p)
        EXPECT_EQ(std::make_tuple(MorphPosition(MorphAt(p, 200), 200), FirstXPosition(FirstXAt(p, 200), 200),
                                  ContrastPosition(ContrastAt(p, 200), 200)), std::make_tuple(p, p, p));
    EXPECT_EQ(std::make_tuple(MorphPosition(-0.5, 200), FirstXPosition(1e300, 200), ContrastPosition(std::nan(""), 200)),
              std::make_tuple(0, 200, 0));
}

TEST_F(ViewerTest, SliderWaitsForABufferedRenderButNotForAnUnbufferedOne)
{
    StartLongRender();
    Slider(1)->SetValue(40);
    DeliverPulse(fWindow);
    EXPECT_DOUBLE_EQ(fView->fCalc->fFirstX, 0.2); // applied at once
    // Unbuffered, each pulse shows the image as it grows: black over the
    // white left column is drawn over. Buffered, below, it stays.
    fView->StrokeRect(BRect(0, 370, 10, 380));
    fView->Flush();
    ASSERT_FALSE(ShownAsBitmap(0, 370));
    DeliverPulse(fWindow);
    EXPECT_TRUE(ShownAsBitmap(0, 370));
    Click(BufferedBox());
    ASSERT_EQ(BufferedBox()->Value(), 1);
    Slider(0)->SetValue(120);
    fView->StrokeRect(BRect(0, 370, 10, 380));
    fView->Flush();
    ASSERT_FALSE(ShownAsBitmap(0, 370));
    const int64 renders = RendersStarted();
    DeliverPulse(fWindow);
    EXPECT_EQ(RendersStarted(), renders);
    EXPECT_EQ(fView->fCalc->fMorph, 1.0);
    EXPECT_EQ(ViewPixel(fView, 0, 370), (rgb_color{0, 0, 0, 255})); // nothing drawn
    // A short buffered render: the pulse that sees its finish shows it and
    // then applies the slider.
    fView->StopRender();
    Choose("Iterations", "8");
    ASSERT_TRUE(PulseUntil([&] { return RendersStarted() != renders + 1; }));
    fView->StopRender();
    EXPECT_DOUBLE_EQ(fView->fCalc->fMorph, 1.2);
    TLyapCalc shown = *fView->fCalc;
    shown.fMorph = 1.0; // what the finished render used
    const std::vector<uint8> expected = Reference(shown, BitmapBytes());
    for (int32 x : {0, 150, 383})
        EXPECT_EQ(ViewPixel(fView, x, 200), ScreenColor(expected[200 * 384 + x])) << x;
}

TEST_F(ViewerTest, StopEndsALongRenderPromptlyAndJoinsEveryWorker)
{
    WaitForRender();
    fView->StopRender(); // joins the finished workers
    const std::vector<uint8> before = BitmapBytes();
    StartLongRender();
    const int64 renders = RendersStarted();
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
    fView->Refresh();
    EXPECT_EQ(RendersStarted(), renders + 1);
}

// (The stress run checks the image's extent after every resize, and whole
// renders whatever threads the system refuses.)
TEST_F(ViewerTest, ResizeRendersOnlyTheUpperLeftPartAndAStopReachesARefusedThreadsShare)
{
    WaitForRender();
    const std::vector<uint8> before = BitmapBytes();
    fWindow->ResizeTo(200, ViewOrigin(*fView).y + 150);
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

// Fitted, the image is the view's size beyond 384, each pixel the renderer's
// colour value (the preview wholly replaced) and shown as it is; Fit off
// brings the window, the image and the bitmap back within 384.
TEST_F(ViewerTest, AFittedImageGrowsWithTheWindowAndFitOffBringsItBack)
{
    Choose("View", "Fit Image to Window");
    EXPECT_EQ(ShownMenu(fWindow, "View"), "Fit Image to Window* Full Screen Point Information");
    // Orbits long enough that a last bit of b decides some colours.
    Choose("Iterations", "512");
    fWindow->ResizeTo(600, ViewOrigin(*fView).y + 450);
    ProcessEvents();
    WaitForRender();
    ASSERT_EQ(std::pair(gImageWidth, gImageHeight), std::pair(600, 450));
    std::vector<uint8> values(600 * 450);
    ASSERT_TRUE(LyapPictureRows(*fView->fCalc, 600, 450).FillRows(0, 450, values.data()));
    for (int32 y = 0; y < 450; ++y)
        for (int32 x = 0; x < 600; ++x)
            ASSERT_EQ(BitmapByte(x, y), gPaletteMap[values[y * 600 + x]]) << x << "," << y;
    fWindow->UpdateIfNeeded();
    EXPECT_TRUE(ShownAsBitmap(599, 449) && ShownAsBitmap(300, 200));
    Choose("View", "Fit Image to Window");
    WaitForRender();
    EXPECT_EQ(fView->Bounds(), BRect(0, 0, 384, 384));
    EXPECT_EQ(std::pair(gImageWidth, gImageHeight), std::pair(384, 384));
    EXPECT_EQ(fView->fCalc->fBytesPerRow, 384);
}

// A worker's preview covers every pixel of its own rows and no other, taking
// the request every start leaves; a stop asked before it writes nothing and
// stays for the exact pass.
TEST(RenderPreview, CoversItsOwnRowsWholeUnlessStopped)
{
    constexpr int32 width = 100, height = 61, workers = 3, worker = 1;
    constexpr uint8 kUntouched = 0xA5;
    const std::array<uint8, 256> toZero{};
    for (const bool stopped : {false, true}) {
        std::vector<uint8> image(width * height, kUntouched);
        TLyapCalc calc;
        calc.SetSize(image.data(), width, height, width);
        if (stopped)
            calc.fState.store(TLyapCalc::kStopRequested);
        FillPreview(calc, workers, worker, toZero.data(), nullptr);
        for (int32 y = 0; y < height; ++y)
            EXPECT_EQ(std::count(&image[y * width], &image[y * width] + width, kUntouched),
                      !stopped && y % workers == worker ? 0 : width) << y << (stopped ? " stopped" : "");
        EXPECT_EQ(calc.fState.load(), stopped ? TLyapCalc::kStopRequested : TLyapCalc::kNoRequest);
    }
}
