// The stress run: random user actions on the real viewer, drawn from a seeded
// generator, with the viewer's invariants checked after every action and the
// finished image checked against an independent computation at random
// checkpoints. OMBRELIA_STRESS_SEED and OMBRELIA_STRESS_ACTIONS replay a run;
// OMBRELIA_STRESS_VERBOSE prints each action's number as it starts (for a hang).
#include "ViewerFixture.h"

#include "Application.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

namespace {

constexpr const char* kIterationLabels[] = {"2", "4", "8", "16", "32", "64", "128", "256", "384", "512"};
// Codes no menu sends. Random high bits keep clear of the save command,
// whose file panel would wait for a user.
constexpr uint32 kUnknownCodes[] = {0, 1, 3, 0x5F, 0x64, 100, 383, 513, 0x800, 0x802, 0x2001, 0x80000000u};
constexpr uint32 kButtons[] = {B_PRIMARY_MOUSE_BUTTON, B_SECONDARY_MOUSE_BUTTON, B_PRIMARY_MOUSE_BUTTON | B_TERTIARY_MOUSE_BUTTON};

std::uint64_t Setting(const char* name, std::uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 0) : fallback;
}

} // namespace

class RandomUseTest : public ViewerTest {
protected:
    std::mt19937_64 fRandom{Setting("OMBRELIA_STRESS_SEED", 0x4f4d4252)};
    std::string fFailure;
    int32 fBaselineThreads = 0;

    int32 Pick(int32 n) { return static_cast<int32>(fRandom() % static_cast<std::uint64_t>(n)); }
    bool Chance(int32 perMille) { return Pick(1000) < perMille; }
    // Mostly inside the image, sometimes up to 60 pixels outside the largest one.
    BPoint RandomPoint() { return Chance(800) ? BPoint(Pick(gImageWidth + 1), Pick(gImageHeight + 1))
                                              : BPoint(Pick(kBitmapWidth + 120) - 60, Pick(kBitmapHeight + 120) - 60); }
    void Fail(const std::string& what) { fFailure = fFailure.empty() ? what : fFailure; }
    void WaitForFinish() { PulseUntil([this] { return !fView->fRendering; }) || (Fail("the render never finished"), true); }
    bool ThreadsBackToBaseline()
    {
        for (int poll = 0; poll < 10000 && platform_test::LiveThreadCount() != fBaselineThreads; ++poll)
            snooze(1000);
        return platform_test::LiveThreadCount() == fBaselineThreads;
    }
    // A click (`moves` 0) or a press, moves and a release; often a small
    // square, which may be kept without a zoom or dropped.
    void RandomPress(int32 moves, bool shift)
    {
        const uint32 buttons = moves == 0 ? B_PRIMARY_MOUSE_BUTTON : kButtons[Pick(3)];
        std::vector<platform_test::MouseStep> steps = {{RandomPoint(), buttons}};
        const BPoint from = steps.front().where;
        for (int32 i = 0; i < moves; ++i)
            steps.push_back({Chance(300) ? BPoint(from.x + Pick(13) - 6, from.y + Pick(13) - 6) : RandomPoint(), buttons});
        if (Chance(500))
            WaitForFinish(); // half the time the user waits for the picture
        Press(steps, shift ? B_SHIFT_KEY : 0);
    }
    void CloseAndReopen()
    {
        Chance(300) ? (void)be_app->PostMessage(B_QUIT_REQUESTED) : platform_test::ClickCloseBox(fWindow);
        ProcessEvents();
        if (!platform_test::Windows().empty() || !ThreadsBackToBaseline())
            return Fail("a window or a thread is left behind by the close");
        TearDown();
        SetUp();
    }

    void PerformRandomAction()
    {
        BScrollBar* bars[] = {Slider(0), Slider(1), Slider(2)};
        const std::pair<int32, std::function<void()>> actions[] = {
            {70, [&] { ChooseMenuItem(fWindow, "Palette", ("Palette" + std::to_string(1 + Pick(4))).c_str()); }},
            {130, [&] { ChooseMenuItem(fWindow, "Iterations", kIterationLabels[Chance(600) ? Pick(6) : 6 + Pick(4)]); }},
            {20, [&] { ChooseMenuItem(fWindow, "Fractal type", "Lyapunov Space"); }},
            {8, [&] { platform_test::AnswerNextAlert(Chance(500) ? 0 : -1); Choose("File", "About"); }},
            {40, [&] { fWindow->PostMessage(kUnknownCodes[Pick(12)] | (Chance(300) ? uint32(fRandom()) | 0x80000000u : 0)); }},
            {80, [&] { bars[Pick(3)]->SetValue(static_cast<float>(Pick(201))); }},
            {20, [&] { for (BScrollBar* bar : bars) bar->SetValue(static_cast<float>(Pick(201))); }},
            {30, [&] { Click(BufferedBox()); }},
            {60, [&] { fWindow->ResizeTo(static_cast<float>(Pick(500)), static_cast<float>(Pick(520))); ProcessEvents(); }}, // the limits too
            {80, [&] { RandomPress(1 + Pick(5), false); }},
            {30, [&] { RandomPress(0, false); }},
            {30, [&] { RandomPress(0, true); }},
            {169, [&] { DeliverPulse(fWindow); }},
            {100, [&] { ProcessEvents(); }},
            {40, [&] { snooze(1000 * (1 + Pick(25))); ProcessEvents(); }}, // timers fall due
            {80, [&] { WaitForFinish(); }},
            {8, [&] { platform_test::FailNextSpawns(1 + Pick(gWorkerCount)); fView->Refresh(); CheckFinishedImage(); }},
            {5, [&] { CloseAndReopen(); }},
        };
        int32 draw = Pick(1000);
        for (const auto& [perMille, perform] : actions) {
            if (draw < perMille)
                return perform();
            draw -= perMille;
        }
    }

    void CheckAfterAction()
    {
        if (platform_test::Windows() != std::vector<BWindow*>{fWindow, fPanel})
            return Fail("the open windows are not the main window and the panel");
        // The image is the view's upper left part, within the bitmap (no
        // resize is pending after an action).
        const BRect bounds = fView->Bounds();
        if (gImageWidth != std::min(kBitmapWidth, int32(bounds.Width())) || gImageHeight != std::min(kBitmapHeight, int32(bounds.Height())))
            return Fail("the image is not the view's upper left part within the bitmap");
        if (fView->fRendering)
            return;
        if (AnyWorkerRunning() || !ThreadsBackToBaseline())
            return Fail("no render runs, yet a worker's status or a thread says one does");
        for (int32 i = 0; i < gWorkerCount; ++i)
            if (gCalcs[i]->fBits != fView->fCalc->fBits || gCalcs[i]->fWidth != gImageWidth || gCalcs[i]->fHeight != gImageHeight
                || gUnclaimedShare[i].load())
                return Fail("a calculator describes another image than the view's, or a refused thread's rows were left");
    }

    void CheckFinishedImage()
    {
        WaitForFinish();
        if (fFailure.empty() && BitmapBytes() != Reference(*fView->fCalc, BitmapBytes()))
            Fail("the finished image differs from a single thread's");
        CheckAfterAction();
    }
};

TEST_F(RandomUseTest, EveryOrderOfUserActionsKeepsTheViewerConsistent)
{
    const auto actions = static_cast<std::int64_t>(Setting("OMBRELIA_STRESS_ACTIONS", 1000));
    const bool verbose = std::getenv("OMBRELIA_STRESS_VERBOSE") != nullptr;
    // The first render has made the sanitizer runtimes start their helpers;
    // its workers are joined here, and may take a moment to leave.
    WaitForRender();
    fView->StopRender();
    fBaselineThreads = platform_test::LiveThreadCount();
    for (int i = 0; i < 20; ++i, snooze(5000))
        fBaselineThreads = std::min(fBaselineThreads, platform_test::LiveThreadCount());
    for (std::int64_t i = 1; i <= actions && fFailure.empty(); ++i) {
        if (verbose)
            std::fprintf(stderr, "[stress] action %lld\n", static_cast<long long>(i));
        PerformRandomAction();
        CheckAfterAction();
        if (Chance(20) || i == actions)
            CheckFinishedImage();
        EXPECT_EQ(fFailure, "") << "after action #" << i << " of the run with OMBRELIA_STRESS_SEED="
                                << Setting("OMBRELIA_STRESS_SEED", 0x4f4d4252) << " (replay with OMBRELIA_STRESS_VERBOSE)";
    }
}
