// The user's actions, each drawn with its arguments from the run's generator.
#include "RandomUseTest.h"

#include "Application.h"
#include "InterfaceDefs.h"
#include "OS.h"
#include "RenderWorkers.h"

#include <array>

namespace {

constexpr std::array<const char*, 4> kPaletteLabels = {"Palette1", "Palette2", "Palette3",
                                                       "Palette4"};
// Low counts keep the run quick; the high ones come regularly all the same.
constexpr std::array<const char*, 6> kLowIterationLabels = {"2", "4", "8", "16", "32", "64"};
constexpr std::array<const char*, 4> kHighIterationLabels = {"128", "256", "384", "512"};
// Codes next to those the window handles.
constexpr std::array<uint32, 14> kUnknownCodes = {0,   1,   3,     0x5F,  0x64,   0x65,   100,
                                                  383, 385, 513,   0x800, 0x802,  0x1FFF, 0x2001};
// Codes above this bit are far from every handled code and from B_QUIT_REQUESTED.
constexpr uint32 kFarCodeBit = 0x80000000u;
constexpr std::array<uint32, 4> kButtons = {B_PRIMARY_MOUSE_BUTTON, B_SECONDARY_MOUSE_BUTTON,
                                            B_TERTIARY_MOUSE_BUTTON,
                                            B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON};
// Pointer positions reach this far outside the largest image.
constexpr std::int32_t kOutside = 60;
constexpr std::int32_t kSliderPositions = 201;
constexpr float kMinWidth = 80.0f;
constexpr float kMinHeight = 100.0f;

} // namespace

std::int32_t RandomUseTest::Pick(std::int32_t n)
{
    // Plain modulo: the same sequence from the same seed with any library.
    return static_cast<std::int32_t>(fRandom() % static_cast<std::uint64_t>(n));
}

bool RandomUseTest::Chance(std::int32_t perMille)
{
    return Pick(1000) < perMille;
}

BPoint RandomUseTest::RandomPoint()
{
    // Mostly over the image, sometimes anywhere around it.
    if (Chance(800))
        return BPoint(Pick(gImageWidth + 1), Pick(gImageHeight + 1));
    return BPoint(Pick(kBitmapWidth + 2 * kOutside) - kOutside,
                  Pick(kBitmapHeight + 2 * kOutside) - kOutside);
}

void RandomUseTest::PerformRandomAction(std::int64_t index)
{
    fIndex = index;
    struct Weighted {
        std::int32_t perMille;
        void (RandomUseTest::*perform)();
    };
    static constexpr std::array<Weighted, 18> kActions = {{
        {70, &RandomUseTest::ChoosePalette},
        {80, &RandomUseTest::ChooseLowIterations},
        {50, &RandomUseTest::ChooseHighIterations},
        {20, &RandomUseTest::ChooseFractalType},
        {8, &RandomUseTest::ChooseAbout},
        {40, &RandomUseTest::PostUnknownCode},
        {100, &RandomUseTest::MoveSliders},
        {30, &RandomUseTest::ToggleBufferedBox},
        {60, &RandomUseTest::ResizeWindow},
        {80, &RandomUseTest::DragRandomPath},
        {30, &RandomUseTest::PressWithoutMoving},
        {30, &RandomUseTest::ShiftClickSomewhere},
        {169, &RandomUseTest::Pulse},
        {100, &RandomUseTest::Events},
        {40, &RandomUseTest::EventsForAWhile},
        {80, &RandomUseTest::WaitForFinish},
        {8, &RandomUseTest::RefuseThreads},
        {5, &RandomUseTest::CloseAndReopen},
    }};
    static_assert([] {
        std::int32_t sum = 0;
        for (const Weighted& w : kActions)
            sum += w.perMille;
        return sum == 1000;
    }());
    std::int32_t draw = Pick(1000);
    for (const Weighted& w : kActions) {
        if (draw < w.perMille) {
            (this->*w.perform)();
            break;
        }
        draw -= w.perMille;
    }
    if (fFailure.empty())
        ExtendReach();
}

void RandomUseTest::InvokeItem(std::int32_t menuIndex, const char* label)
{
    // What choosing the item does: the mark moves and the code is queued for
    // the window; it is handled when events are next processed.
    Item(menuIndex, label)->Invoke();
}

void RandomUseTest::ChoosePalette()
{
    const char* label = kPaletteLabels[Pick(kPaletteLabels.size())];
    fLog.Record(fIndex, "menu %s", label);
    InvokeItem(kMenuPalette, label);
}

void RandomUseTest::ChooseLowIterations()
{
    const char* label = kLowIterationLabels[Pick(kLowIterationLabels.size())];
    fLog.Record(fIndex, "menu iterations %s", label);
    InvokeItem(kMenuIterations, label);
}

void RandomUseTest::ChooseHighIterations()
{
    const char* label = kHighIterationLabels[Pick(kHighIterationLabels.size())];
    fLog.Record(fIndex, "menu iterations %s", label);
    InvokeItem(kMenuIterations, label);
}

void RandomUseTest::ChooseFractalType()
{
    fLog.Record(fIndex, "menu Lyapunov Space");
    InvokeItem(kMenuFractalType, "Lyapunov Space");
}

void RandomUseTest::ChooseAbout()
{
    // OK or Escape; answered at once, so the alert shown now is this one.
    const int32 answer = Chance(500) ? 0 : -1;
    fLog.Record(fIndex, "menu About, answered with %s", answer == 0 ? "OK" : "Escape");
    platform_test::AnswerNextAlert(answer);
    InvokeItem(kMenuFile, "About");
    platform_test::ProcessEvents();
}

void RandomUseTest::PostUnknownCode()
{
    const uint32 code = Chance(700) ? kUnknownCodes[Pick(kUnknownCodes.size())]
                                    : kFarCodeBit | static_cast<uint32>(fRandom());
    fLog.Record(fIndex, "post unknown code 0x%x", code);
    fWindow->PostMessage(code);
}

void RandomUseTest::MoveSliders()
{
    // Mostly one slider, sometimes several between two pulses.
    const int32 moves = Chance(800) ? 1 : 2 + Pick(2);
    for (int32 i = 0; i < moves; ++i) {
        const int32 which = Pick(3);
        BScrollBar* bar = which == 0 ? fView->fMorphBar
                          : which == 1 ? fView->fFirstXBar
                                       : fView->fContrastBar;
        const int32 position = Pick(kSliderPositions);
        fLog.Record(fIndex, "slider %s to %d", which == 0 ? "Morph" : which == 1 ? "First X" : "Contrast",
                    position);
        bar->SetValue(static_cast<float>(position));
    }
}

void RandomUseTest::ToggleBufferedBox()
{
    const int32 value = fView->fBufferedBox->Value() == 1 ? 0 : 1;
    fLog.Record(fIndex, "buffered update %s", value == 1 ? "on" : "off");
    fView->fBufferedBox->SetValue(value);
}

void RandomUseTest::ResizeWindow()
{
    const BRect bar = MenuBar()->Bounds();
    const float maxHeight = bar.bottom - bar.top + static_cast<float>(kBitmapHeight) + 1;
    const auto extent = [this](float low, float high) {
        // The limits themselves now and then.
        const int32 edge = Pick(10);
        if (edge == 0)
            return low;
        if (edge == 1)
            return high;
        return low + static_cast<float>(Pick(static_cast<int32>(high - low) + 1));
    };
    const float width = extent(kMinWidth, static_cast<float>(kBitmapWidth));
    const float height = extent(kMinHeight, maxHeight);
    fLog.Record(fIndex, "resize to %.0f x %.0f", width, height);
    fWindow->ResizeTo(width, height);
}

bool RandomUseTest::WaitBeforePress()
{
    // Half the time the user waits for the picture first, so that presses
    // find the view idle about as often as busy.
    return Chance(500);
}

const char* RandomUseTest::PressMoment(bool waitFirst) const
{
    if (waitFirst)
        return " once the render has finished";
    return fView->fRendering ? " during a render" : "";
}

void RandomUseTest::Press(const std::vector<platform_test::MouseStep>& steps, bool shift,
                          bool waitFirst)
{
    if (waitFirst && !PulseUntil([this] { return !fView->fRendering; })) {
        fFailure = "the render never finished";
        return;
    }
    const bool idle = !fView->fRendering;
    const int32 renders = fView->fRenderCount;
    if (shift)
        platform_test::SetModifiers(B_SHIFT_KEY);
    platform_test::ScriptMouse(fView, steps);
    platform_test::ProcessEvents();
    platform_test::SetModifiers(0);
    ++(idle ? fCounts.tracked : fCounts.ignored);
    if (idle && fView->fRenderCount != renders)
        ++fCounts.zooms;
}

void RandomUseTest::DragRandomPath()
{
    const bool waitFirst = WaitBeforePress();
    const uint32 buttons = kButtons[Pick(kButtons.size())];
    const BPoint from = RandomPoint();
    std::vector<platform_test::MouseStep> steps = {{from, buttons}};
    std::string path;
    for (int32 moves = Pick(4); moves > 0; --moves) {
        const BPoint via = RandomPoint();
        steps.push_back({via, buttons});
        path += " (" + std::to_string(static_cast<int>(via.x)) + "," +
                std::to_string(static_cast<int>(via.y)) + ")";
    }
    // Often a small square, which may be kept without a zoom or dropped.
    const BPoint to = Chance(400) ? BPoint(from.x + Pick(13) - 6, from.y + Pick(13) - 6)
                                  : RandomPoint();
    steps.push_back({to, buttons});
    steps.push_back({to, 0});
    fLog.Record(fIndex, "drag buttons %u from (%.0f,%.0f) via%s to (%.0f,%.0f)%s", buttons, from.x,
                from.y, path.empty() ? " nothing" : path.c_str(), to.x, to.y,
                PressMoment(waitFirst));
    Press(steps, false, waitFirst);
}

void RandomUseTest::PressWithoutMoving()
{
    const bool waitFirst = WaitBeforePress();
    const BPoint where = RandomPoint();
    fLog.Record(fIndex, "press at (%.0f,%.0f)%s", where.x, where.y, PressMoment(waitFirst));
    Press({{where, B_PRIMARY_MOUSE_BUTTON}, {where, 0}}, false, waitFirst);
}

void RandomUseTest::ShiftClickSomewhere()
{
    const bool waitFirst = WaitBeforePress();
    const BPoint where = RandomPoint();
    fLog.Record(fIndex, "shift-click at (%.0f,%.0f)%s", where.x, where.y,
                PressMoment(waitFirst));
    Press({{where, B_PRIMARY_MOUSE_BUTTON}, {where, 0}}, true, waitFirst);
}

void RandomUseTest::Pulse()
{
    fLog.Record(fIndex, "pulse%s", fView->fRendering ? " during a render" : "");
    platform_test::DeliverPulse(fWindow);
}

void RandomUseTest::Events()
{
    fLog.Record(fIndex, "process events");
    platform_test::ProcessEvents();
}

void RandomUseTest::EventsForAWhile()
{
    // Long enough, now and then, for the window's own pulse timer to fire.
    const int32 ms = 1 + Pick(25);
    fLog.Record(fIndex, "process events for %d ms", ms);
    platform_test::ProcessEvents(ms);
}

void RandomUseTest::WaitForFinish()
{
    fLog.Record(fIndex, "pulse until the render has finished");
    if (!PulseUntil([this] { return !fView->fRendering; }))
        fFailure = "the render never finished";
}

void RandomUseTest::RefuseThreads()
{
    const int32 count = 1 + Pick(gWorkerCount);
    fLog.Record(fIndex, "the system refuses the next %d threads", count);
    platform_test::FailNextSpawns(count);
}

void RandomUseTest::CloseAndReopen()
{
    // Mostly the close box; sometimes the system asks the whole application
    // to quit, which asks the main window in turn.
    const bool wholeApplication = Chance(300);
    fLog.Record(fIndex, "%s%s", wholeApplication ? "quit request to the application" : "close box",
                fView->fRendering ? " during a render" : "");
    fCounts.renders += fView->fRenderCount;
    if (wholeApplication)
        be_app->PostMessage(B_QUIT_REQUESTED);
    else
        platform_test::ClickCloseBox(fWindow);
    platform_test::ProcessEvents();
    ++fCounts.closes;
    // The main window closes, the application quits and the panel goes with it.
    if (!platform_test::Windows().empty()) {
        fFailure = "a window is still open after the close";
        return;
    }
    if (!ThreadsBackToBaseline()) {
        fFailure = "threads left behind by the closed window";
        return;
    }
    Reopen();
}
