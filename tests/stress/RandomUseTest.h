// A long random use of the real viewer: menu commands, unknown codes, slider
// moves, the buffered box, resizes, drags, clicks, pulses, event processing,
// threads the system refuses, and closes followed by a fresh start, in an
// order drawn from a seeded generator, with the viewer's invariants checked
// after every action and the finished image checked against an independent
// computation at random checkpoints.
#pragma once

#include "ActionLog.h"
#include "ViewerFixture.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// How long a run is and where it starts; the environment may override both
// (OMBRELIA_STRESS_SEED, OMBRELIA_STRESS_ACTIONS) to replay a failure, and
// OMBRELIA_STRESS_VERBOSE prints every action as it starts (for a hang).
struct StressSettings {
    std::uint64_t seed;
    std::int64_t actions;
    bool verbose;

    static StressSettings FromEnvironment();
};

class RandomUseTest : public ViewerTest {
protected:
    RandomUseTest();

    // Draws the next action and performs it; it is logged before it runs.
    // Notes the image size if the action started a render.
    void PerformRandomAction(std::int64_t index);

    // Each returns what broke, or an empty string when everything holds.
    // After every action: windows, image size, render flag against the
    // workers, threads.
    std::string CheckAfterAction();
    // Lets the render finish, then compares the image with a single-threaded
    // computation, the bitmap outside what renders could reach with what it
    // held, and the shown picture with the bitmap.
    std::string CheckFinishedImage();

    // The thread count once every worker of the first render has ended.
    void MeasureThreadBaseline();

    struct Counts {
        std::int64_t checkpoints = 0;
        std::int64_t longCheckpoints = 0;  // images of 256 or more iterations
        std::int64_t renders = 0;
        std::int64_t closes = 0;
        std::int64_t tracked = 0;  // presses that found the view idle
        std::int64_t ignored = 0;  // presses during a render
        std::int64_t zooms = 0;
    };

    StressSettings fSettings;
    std::mt19937_64 fRandom;
    ActionLog fLog;
    Counts fCounts;
    std::int64_t fIndex = 0;

    std::int32_t Pick(std::int32_t n);  // 0 .. n - 1
    bool Chance(std::int32_t perMille);

private:
    BPoint RandomPoint();

    void ChoosePalette();
    void ChooseLowIterations();
    void ChooseHighIterations();
    void ChooseFractalType();
    void ChooseAbout();
    void PostUnknownCode();
    void MoveSliders();
    void ToggleBufferedBox();
    void ResizeWindow();
    void DragRandomPath();
    void PressWithoutMoving();
    void ShiftClickSomewhere();
    void Pulse();
    void Events();
    void EventsForAWhile();
    void WaitForFinish();
    void RefuseThreads();
    void CloseAndReopen();

    // A press that the view handles, after the render has finished if
    // `waitFirst`: counted as tracked or ignored.
    void Press(const std::vector<platform_test::MouseStep>& steps, bool shift, bool waitFirst);
    bool WaitBeforePress();
    const char* PressMoment(bool waitFirst) const;
    void InvokeItem(std::int32_t menuIndex, const char* label);
    void Reopen();
    bool ThreadsBackToBaseline() const;
    std::string CheckImageArea(const std::vector<std::uint8_t>& bitmap) const;
    std::string CheckOutsideReach(const std::vector<std::uint8_t>& bitmap) const;
    std::string CheckShownPicture();
    void ResetReach(const std::vector<std::uint8_t>& bitmap);
    // Takes in the image size if a render has started since the last call.
    void ExtendReach();

    std::int32_t fBaselineThreads = 0;
    std::int32_t fRenderCountBase = 0;
    // The bitmap at the last checkpoint, and the largest image size that a
    // render started with since: no render may have written outside that
    // rectangle.
    std::vector<std::uint8_t> fReachSnapshot;
    std::int32_t fReachWidth = 0;
    std::int32_t fReachHeight = 0;
    std::int32_t fReachRenderCount = 0;
    std::string fFailure;
};
