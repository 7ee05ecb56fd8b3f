#include "ViewerFixture.h"

#include "InterfaceDefs.h"
#include "OS.h"
#include "Palettes.h"
#include "RenderWorkers.h"
#include "Screen.h"

#include <algorithm>
#include <atomic>
#include <string_view>

void ViewerTest::SetUp()
{
    fSpawnsAtOpen = platform_test::SpawnAttempts();
    fWindow = OpenMainWindow();
    fView = fWindow->fView;
    fPanel = fView->fControlWindow;
    ProcessEvents();
}

void ViewerTest::TearDown()
{
    platform_test::User().Hold(0);
    platform_test::FailNextSpawns(0);
    // A test may have closed the window already.
    if (IsOpen(fWindow)) {
        fView->StopRender();
        delete fWindow;
    }
    if (IsOpen(fPanel))
        delete fPanel;
    ProcessEvents();
}

bool IsOpen(BWindow* window)
{
    const std::vector<BWindow*> windows = platform_test::Windows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

void ViewerTest::WaitForRender()
{
    ASSERT_TRUE(PulseUntil([this] { return !fView->fRendering; })) << "the render never finished";
}

int64 ViewerTest::RendersStarted() const
{
    return (platform_test::SpawnAttempts() - fSpawnsAtOpen) / gWorkerCount;
}

void ViewerTest::StartLongRender()
{
    fView->SetIterations(100000);
    ASSERT_TRUE(fView->fRendering);
}

BMenu* ViewerTest::Menu(int32 index) const
{
    return dynamic_cast<BMenuBar*>(fWindow->ChildAt(0))->SubmenuAt(index); // added first
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

const char* ViewerTest::Marked(int32 menuIndex) const
{
    BMenuItem* item = Menu(menuIndex)->FindMarked();
    return item != nullptr ? item->Label() : "";
}

void ViewerTest::Choose(int32 menuIndex, const char* label)
{
    Item(menuIndex, label)->Invoke();
    ProcessEvents();
}

uint8 ViewerTest::BitmapByte(int32 x, int32 y) const
{
    auto* bits = static_cast<uint8*>(fView->fBitmap->Bits());
    return std::atomic_ref<uint8>(bits[y * fView->fBitmap->BytesPerRow() + x]).load(std::memory_order_relaxed);
}

std::vector<uint8> ViewerTest::BitmapBytes() const
{
    const auto* bits = static_cast<const uint8*>(fView->fBitmap->Bits());
    return std::vector<uint8>(bits, bits + fView->fBitmap->BitsLength());
}

std::vector<uint8> ViewerTest::Reference(const TLyapCalc& params, std::vector<uint8> start) const
{
    // The workers' division of rows, one share after the other: b advances
    // by whole steps of the division.
    for (int32 i = 0; i < gWorkerCount; ++i) {
        TLyapCalc share = params;
        share.SetSize(start.data(), gImageWidth, gImageHeight, fView->fBitmap->BytesPerRow());
        share.Calculate(gPaletteMap, gWorkerCount, i);
    }
    return start;
}

rgb_color ViewerTest::BitmapColour(int32 x, int32 y) const
{
    return BScreen(fWindow).ColorForIndex(BitmapByte(x, y));
}

void ViewerTest::Drag(BPoint from, BPoint to)
{
    platform_test::User().Script(fView, {{from, B_PRIMARY_MOUSE_BUTTON}, {to, B_PRIMARY_MOUSE_BUTTON}});
    ProcessEvents();
}

void ViewerTest::ShiftClick(BPoint where)
{
    platform_test::User().Hold(B_SHIFT_KEY);
    platform_test::User().Script(fView, {{where, B_PRIMARY_MOUSE_BUTTON}});
    ProcessEvents();
    platform_test::User().Hold(0);
}
