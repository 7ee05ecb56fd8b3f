#include "ViewerFixture.h"

#include "InterfaceDefs.h"
#include "LyapKernel.h"
#include "OS.h"
#include "Palettes.h"
#include "RenderWorkers.h"
#include "Screen.h"

#include <atomic>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace {

constexpr bigtime_t kPulsePause = 1000;

std::atomic<bool> gRendersHeld{false};

// Runs on the worker threads: waits while renders are held, unless this
// worker has been asked to stop or start over.
void HoldWhileAsked(TLyapCalc& calc, std::int32_t, std::int32_t, std::int32_t)
{
    while (gRendersHeld.load() && calc.fState.load() == TLyapCalc::kNoRequest)
        snooze(100);
}

} // namespace

void ViewerTest::HoldRenders()
{
    gRendersHeld.store(true);
    SetLyapGroupHook(HoldWhileAsked);
}

void ViewerTest::ReleaseRenders()
{
    gRendersHeld.store(false);
}

void ViewerTest::SetUp()
{
    fWindow = OpenMainWindow();
    fView = fWindow->fView;
    fPanel = fView->fControlWindow;
    platform_test::ProcessEvents();
}

void ViewerTest::TearDown()
{
    ReleaseRenders();
    platform_test::SetModifiers(0);
    // A test may have closed the window already.
    for (BWindow* window : platform_test::Windows()) {
        if (window == fWindow) {
            fView->StopRender();
            delete fWindow;
        } else if (window == fPanel) {
            delete fPanel;
        }
    }
    platform_test::ProcessEvents();
    SetLyapGroupHook(nullptr);
}

void PulseAndPause(BWindow* window)
{
    platform_test::DeliverPulse(window);
    snooze(kPulsePause);
}

void ViewerTest::WaitForRender()
{
    ASSERT_TRUE(PulseUntil([this] { return !fView->fRendering; }))
        << "the render never finished";
}

void ViewerTest::WaitForRenderAfter(int32 renderCount)
{
    ASSERT_TRUE(PulseUntil([&] { return fView->fRenderCount != renderCount; }))
        << "no render started";
    WaitForRender();
}

BMenuBar* ViewerTest::MenuBar() const
{
    for (int32 i = 0; i < fWindow->CountChildren(); ++i) {
        if (auto* bar = dynamic_cast<BMenuBar*>(fWindow->ChildAt(i)))
            return bar;
    }
    return nullptr;
}

BMenu* ViewerTest::Menu(int32 index) const
{
    return MenuBar()->SubmenuAt(index);
}

BMenuItem* ViewerTest::Item(int32 menuIndex, const char* label) const
{
    BMenu* menu = Menu(menuIndex);
    for (int32 i = 0; i < menu->CountItems(); ++i) {
        if (std::string_view(menu->ItemAt(i)->Label()) == label)
            return menu->ItemAt(i);
    }
    ADD_FAILURE() << "no item " << label;
    return nullptr;
}

void ViewerTest::Choose(int32 menuIndex, const char* label)
{
    Item(menuIndex, label)->Invoke();
    platform_test::ProcessEvents();
}

uint8 ViewerTest::BitmapByte(int32 x, int32 y) const
{
    auto* bits = static_cast<uint8*>(fView->fBitmap->Bits());
    return std::atomic_ref<uint8>(bits[static_cast<std::ptrdiff_t>(y) *
                                           fView->fBitmap->BytesPerRow() + x])
        .load(std::memory_order_relaxed);
}

std::vector<uint8> ViewerTest::BitmapBytes() const
{
    const auto* bits = static_cast<const uint8*>(fView->fBitmap->Bits());
    return std::vector<uint8>(bits, bits + fView->fBitmap->BitsLength());
}

std::vector<uint8> ViewerTest::Reference(const TLyapCalc& params,
                                         std::vector<uint8> start) const
{
    for (int32 i = 0; i < gWorkerCount; ++i) {
        TLyapCalc share = params;
        share.SetSize(start.data(), gImageWidth, gImageHeight,
                      fView->fBitmap->BytesPerRow());
        share.Calculate(gPaletteMap, gWorkerCount, i);
    }
    return start;
}

rgb_color ViewerTest::BitmapColour(int32 x, int32 y) const
{
    BScreen screen(fWindow);
    return screen.ColorForIndex(BitmapByte(x, y));
}

uint8 ViewerTest::WhiteIndex() const
{
    BScreen screen(fWindow);
    return screen.IndexForColor(255, 255, 255);
}

void ViewerTest::Drag(BPoint from, BPoint to)
{
    platform_test::ScriptMouse(fView, {{from, B_PRIMARY_MOUSE_BUTTON},
                                       {to, B_PRIMARY_MOUSE_BUTTON},
                                       {to, 0}});
    platform_test::ProcessEvents();
}

void ViewerTest::ShiftClick(BPoint where)
{
    platform_test::SetModifiers(B_SHIFT_KEY);
    platform_test::ScriptMouse(fView, {{where, B_PRIMARY_MOUSE_BUTTON}, {where, 0}});
    platform_test::ProcessEvents();
    platform_test::SetModifiers(0);
}
