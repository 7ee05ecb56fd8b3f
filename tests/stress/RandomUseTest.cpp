// The stress run: random user actions on the real viewer, drawn from a seeded
// generator, with the viewer's invariants checked after every action and the
// finished image checked against an independent computation at random
// checkpoints. OMBRELIA_STRESS_SEED and OMBRELIA_STRESS_ACTIONS replay a run;
// OMBRELIA_STRESS_VERBOSE prints every action as it starts (for a hang).
#include "ViewerFixture.h"

#include "Application.h"
#include "InterfaceDefs.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <random>
#include <string>

namespace {

// Pointer positions reach this far outside the largest image.
constexpr int32 kOutside = 60;
// The selection text may be drawn along this band at the top of the view.
constexpr int32 kTextBand = 64;
constexpr const char* kIterationLabels[] = {"2", "4", "8", "16", "32", "64", "128", "256", "384", "512"};
// Codes no menu sends. Random high bits keep clear of the save command,
// whose file panel would wait for a user.
constexpr uint32 kUnknownCodes[] = {0, 1, 3, 0x5F, 0x64, 100, 383, 513, 0x800, 0x802, 0x2001, 0x80000000u};
constexpr uint32 kButtons[] = {B_PRIMARY_MOUSE_BUTTON, B_SECONDARY_MOUSE_BUTTON, B_TERTIARY_MOUSE_BUTTON,
                               B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON};

std::uint64_t Setting(const char* name, std::uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 0) : fallback;
}

} // namespace

class RandomUseTest : public ViewerTest {
protected:
    std::mt19937_64 fRandom{Setting("OMBRELIA_STRESS_SEED", 0x4f4d4252)};
    const bool fVerbose = std::getenv("OMBRELIA_STRESS_VERBOSE") != nullptr;
    std::deque<std::string> fRecent; // the last actions, for the failure message
    std::string fFailure;
    int32 fBaselineThreads = 0;
    // The bitmap at the last checkpoint and the largest image a render has
    // started on since: no render may write outside it.
    std::vector<uint8> fSnapshot;
    int32 fReachWidth = 0, fReachHeight = 0;
    int64 fReachRenders = 0;

    int32 Pick(int32 n) { return static_cast<int32>(fRandom() % static_cast<std::uint64_t>(n)); }
    bool Chance(int32 perMille) { return Pick(1000) < perMille; }
    BPoint RandomPoint()
    {
        return Chance(800) ? BPoint(Pick(gImageWidth + 1), Pick(gImageHeight + 1))
                           : BPoint(Pick(kBitmapWidth + 2 * kOutside) - kOutside, Pick(kBitmapHeight + 2 * kOutside) - kOutside);
    }
    void Log(const std::string& action)
    {
        fRecent.push_back(action + (fView->fRendering ? " (rendering)" : ""));
        if (fRecent.size() > 20)
            fRecent.pop_front();
        if (fVerbose)
            std::fprintf(stderr, "[stress] %s\n", fRecent.back().c_str());
    }
    void Fail(const std::string& what) { fFailure = fFailure.empty() ? what : fFailure; }
    void WaitForFinish() { PulseUntil([this] { return !fView->fRendering; }) || (Fail("the render never finished"), true); }
    bool ThreadsBackToBaseline()
    {
        for (int poll = 0; poll < 10000 && platform_test::LiveThreadCount() != fBaselineThreads; ++poll)
            snooze(1000);
        return platform_test::LiveThreadCount() == fBaselineThreads;
    }
    // A press, moves and a release, or a click (`moves` 0), with Shift or not.
    void RandomPress(int32 moves, bool shift)
    {
        const uint32 buttons = moves == 0 ? B_PRIMARY_MOUSE_BUTTON : kButtons[Pick(4)];
        std::vector<platform_test::MouseStep> steps = {{RandomPoint(), buttons}};
        const BPoint from = steps.front().where;
        for (int32 i = 1; i < moves; ++i)
            steps.push_back({RandomPoint(), buttons});
        if (moves > 0) // often a small square, which may be kept without a zoom or dropped
            steps.push_back({Chance(400) ? BPoint(from.x + Pick(13) - 6, from.y + Pick(13) - 6) : RandomPoint(), buttons});
        std::string path = shift ? "shift-press" : "press, buttons " + std::to_string(buttons);
        for (const auto& step : steps)
            path += " (" + std::to_string(int(step.where.x)) + "," + std::to_string(int(step.where.y)) + ")";
        Log(path);
        if (Chance(500))
            WaitForFinish(); // half the time the user waits for the picture
        Press(steps, shift ? B_SHIFT_KEY : 0);
    }
    void Resize()
    {
        const auto extent = [this](float low, float high) { // the limits themselves now and then
            const int32 edge = Pick(10);
            return edge == 0 ? low : edge == 1 ? high : low + static_cast<float>(Pick(int32(high - low) + 1));
        };
        const float width = extent(80, kBitmapWidth), height = extent(100, fView->Frame().top + kBitmapHeight);
        Log("resize to " + std::to_string(int(width)) + " x " + std::to_string(int(height)));
        fWindow->ResizeTo(width, height);
    }
    void MoveSliders() // mostly one slider, sometimes several between two pulses
    {
        for (int32 moves = Chance(800) ? 1 : 2 + Pick(2); moves > 0; --moves) {
            BScrollBar* bars[] = {fView->fMorphBar, fView->fFirstXBar, fView->fContrastBar};
            const int32 which = Pick(3), position = Pick(201);
            Log("slider " + std::to_string(which) + " to " + std::to_string(position));
            bars[which]->SetValue(static_cast<float>(position));
        }
    }
    void CloseAndReopen()
    {
        const bool wholeApplication = Chance(300);
        Log(wholeApplication ? "quit request to the application" : "close box");
        wholeApplication ? (void)be_app->PostMessage(B_QUIT_REQUESTED) : platform_test::ClickCloseBox(fWindow);
        ProcessEvents();
        if (!platform_test::Windows().empty() || !ThreadsBackToBaseline())
            return Fail("a window or a thread is left behind by the close");
        TearDown();
        SetUp();
        fSnapshot.clear(); // a new bitmap: nothing to compare until the next checkpoint
        fReachRenders = RendersStarted();
    }
    void Invoke(int32 menu, const std::string& label)
    {
        Log("menu " + label);
        Item(menu, label.c_str())->Invoke();
    }

    void PerformRandomAction()
    {
        const std::pair<int32, std::function<void()>> actions[] = {
            {70, [&] { Invoke(kMenuPalette, "Palette" + std::to_string(1 + Pick(4))); }},
            {130, [&] { Invoke(kMenuIterations, kIterationLabels[Chance(600) ? Pick(6) : 6 + Pick(4)]); }},
            {20, [&] { Invoke(kMenuFractalType, "Lyapunov Space"); }},
            {8, [&] { platform_test::AnswerNextAlert(Chance(500) ? 0 : -1); Invoke(kMenuFile, "About"); ProcessEvents(); }},
            {40, [&] { const uint32 code = kUnknownCodes[Pick(12)] | (Chance(300) ? uint32(fRandom()) | 0x80000000u : 0);
                       Log("unknown code " + std::to_string(code)); fWindow->PostMessage(code); }},
            {100, [&] { MoveSliders(); }},
            {30, [&] { Log("toggle buffered update"); fView->fBufferedBox->SetValue(1 - fView->fBufferedBox->Value()); }},
            {60, [&] { Resize(); }},
            {80, [&] { RandomPress(1 + Pick(5), false); }},
            {30, [&] { RandomPress(0, false); }},
            {30, [&] { RandomPress(0, true); }},
            {169, [&] { Log("pulse"); DeliverPulse(fWindow); }},
            {100, [&] { Log("process events"); ProcessEvents(); }},
            {40, [&] { const int32 ms = 1 + Pick(25); Log("process events for " + std::to_string(ms) + " ms"); ProcessEvents(ms); }},
            {80, [&] { Log("pulse until finished"); WaitForFinish(); }},
            {8, [&] { const int32 n = 1 + Pick(gWorkerCount); Log("refuse " + std::to_string(n) + " threads"); platform_test::FailNextSpawns(n); }},
            {5, [&] { CloseAndReopen(); }},
        };
        int32 draw = Pick(1000);
        for (const auto& [perMille, perform] : actions) {
            if (draw < perMille) {
                perform();
                break;
            }
            draw -= perMille;
        }
        if (RendersStarted() != fReachRenders) { // a render started at this size
            fReachRenders = RendersStarted();
            fReachWidth = std::max(fReachWidth, gImageWidth);
            fReachHeight = std::max(fReachHeight, gImageHeight);
        }
    }

    void CheckAfterAction()
    {
        if (platform_test::Windows() != std::vector<BWindow*>{fWindow, fPanel})
            return Fail("the open windows are not the main window and the panel");
        const BRect bounds = fView->Bounds();
        if (gImageWidth < 0 || gImageHeight < 0 || gImageWidth > std::min<float>(kBitmapWidth, bounds.Width())
            || gImageHeight > std::min<float>(kBitmapHeight, bounds.Height()))
            return Fail("image size " + std::to_string(gImageWidth) + " x " + std::to_string(gImageHeight)
                        + " outside the bitmap or the view");
        if (fView->fRendering)
            return;
        if (AnyWorkerRunning() || !ThreadsBackToBaseline())
            return Fail("no render runs, yet a worker's status or a thread says one does");
        for (int32 i = 0; i < gWorkerCount; ++i) {
            const TLyapCalc& calc = *gCalcs[i];
            if (calc.fBits != fView->fBitmap->Bits() || calc.fWidth != gImageWidth || calc.fHeight != gImageHeight)
                return Fail("calculator " + std::to_string(i) + " describes another image than the view's");
        }
    }

    void CheckFinishedImage()
    {
        const bool finishShown = fView->fRendering; // only then does the last pulse draw it
        WaitForFinish();
        if (!fFailure.empty())
            return;
        const std::vector<uint8> bitmap = BitmapBytes();
        const std::vector<uint8> expected = Reference(*fView->fCalc, bitmap);
        for (size_t at = 0; at < bitmap.size(); ++at) {
            const int32 x = int32(at % 384), y = int32(at / 384);
            const bool inImage = x < gImageWidth && y < gImageHeight;
            if (inImage && bitmap[at] != expected[at])
                return Fail("pixel " + std::to_string(x) + "," + std::to_string(y) + " differs from a single thread's");
            if (!inImage && !fSnapshot.empty() && (x >= fReachWidth || y >= fReachHeight) && bitmap[at] != fSnapshot[at])
                return Fail("byte " + std::to_string(x) + "," + std::to_string(y) + " changed outside every image since the last checkpoint");
        }
        for (int32 x = 0; finishShown && gImageHeight > kTextBand && x < gImageWidth; x += 37)
            for (int32 y = kTextBand; y < gImageHeight; y += 41)
                if (!ShownAsBitmap(x, y))
                    return Fail("the finished picture is not shown at " + std::to_string(x) + "," + std::to_string(y));
        fSnapshot = bitmap;
        fReachWidth = fReachHeight = 0;
        CheckAfterAction();
    }
};

TEST_F(RandomUseTest, EveryOrderOfUserActionsKeepsTheViewerConsistent)
{
    const auto actions = static_cast<std::int64_t>(Setting("OMBRELIA_STRESS_ACTIONS", 1000));
    const std::string replay = "replay with OMBRELIA_STRESS_SEED=" + std::to_string(Setting("OMBRELIA_STRESS_SEED", 0x4f4d4252))
        + " OMBRELIA_STRESS_ACTIONS=" + std::to_string(actions);
    std::printf("[stress] %s\n", replay.c_str());
    std::fflush(stdout);
    // The first render has made the sanitizer runtimes start their helpers;
    // its workers are joined here, and may take a moment to leave.
    WaitForRender();
    fView->StopRender();
    fBaselineThreads = platform_test::LiveThreadCount();
    for (int i = 0; i < 20; ++i, snooze(5000))
        fBaselineThreads = std::min(fBaselineThreads, platform_test::LiveThreadCount());
    for (std::int64_t i = 1; i <= actions && fFailure.empty(); ++i) {
        PerformRandomAction();
        if (fFailure.empty())
            CheckAfterAction();
        if (fFailure.empty() && (Chance(20) || i == actions)) {
            Log("checkpoint: pulse until finished, compare the image");
            CheckFinishedImage();
        }
        std::string recent;
        for (const std::string& action : fRecent)
            recent += "  " + action + "\n";
        EXPECT_EQ(fFailure, "") << "after action #" << i << "; " << replay << "; the last actions:\n" << recent;
    }
}
