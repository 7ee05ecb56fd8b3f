// A running viewer for GUI tests: the main window built as the program
// builds it, what tests need to play the user, and the expected image
// computed independently of the workers.
#pragma once

#include "Clipboard.h"
#include "Controls.h"
#include "InterfaceDefs.h"
#include "MainWindow.h"
#include "OS.h"
#include "Palettes.h"
#include "ProcessorCount.h"
#include "RenderWorkers.h"
#include "Screen.h"
#include "ShowBit.h"
#include "TLyapCalc.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

using namespace platform_test;

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fWindow = OpenMainWindow();
        fView = fWindow->fView;
        fPanel = platform_test::Windows().back();
        ProcessEvents();
    }
    void TearDown() override
    {
        User().Hold(0);
        platform_test::FailNextSpawns(0);
        if (IsOpen(fWindow)) { // a test may have closed it already
            fView->StopRender();
            delete fWindow;
        }
        if (IsOpen(fPanel))
            delete fPanel;
        ProcessEvents();
    }

    // Pulses, with a short pause between them, until `done` holds or a cap
    // far beyond any real render; says whether `done` held.
    template <class Done>
    bool PulseUntil(Done done)
    {
        for (int i = 0; i < 60000 && !done(); ++i, snooze(1000))
            DeliverPulse(fWindow);
        return done();
    }
    void WaitForRender() { ASSERT_TRUE(PulseUntil([this] { return !fView->fRendering; })) << "the render never finished"; }
    // Renders started in this process: every render asks the system for one
    // thread per processor (so a viewer that starts another number of
    // workers miscounts them).
    int64 RendersStarted() const { return platform_test::SpawnAttempts() / std::clamp(AvailableProcessors(), 1, kMaxWorkers); }
    // So many steps per point that the render is certainly under way until stopped.
    void StartLongRender()
    {
        fView->SetIterations(100000);
        ASSERT_TRUE(fView->fRendering);
    }

    // The one item the menu shows checked (Qt's check mark), as "Palette3";
    // the whole menu as shown (its submenu left out) when not exactly one is.
    std::string Marked(const char* menu) const
    {
        std::string shown = ShownMenu(fWindow, menu);
        if (const std::size_t open = shown.find('{'); open != std::string::npos) // a submenu's mark is its own
            shown.erase(open, shown.find('}') - open + 1);
        const std::size_t mark = shown.find('*'), start = shown.rfind(' ', mark) + 1; // npos + 1: the first item
        return std::ranges::count(shown, '*') == 1 ? shown.substr(start, mark - start) : shown;
    }
    // The user's choice of the item, handled by the window.
    void Choose(const char* menu, const char* label)
    {
        EXPECT_TRUE(ChooseMenuItem(fWindow, menu, label)) << label;
        ProcessEvents();
    }
    void Post(uint32 command)
    {
        fWindow->PostMessage(command);
        ProcessEvents();
    }
    // What Ctrl+C puts on the clipboard: every value the picture has.
    std::string CopiedCommand()
    {
        Post(kCopyCommand);
        std::string text;
        if (be_clipboard->Lock()) {
            be_clipboard->Data()->FindData("text/plain", 0, &text);
            be_clipboard->Unlock();
        }
        return text;
    }
    // A window's n-th control of a kind; the panel's sliders (Morph, First
    // X, Contrast) and its check box.
    template <class Control>
    static Control* ControlOf(BWindow* window, int32 n = 0)
    {
        for (int32 i = 0; i < window->CountChildren(); ++i)
            if (auto* control = dynamic_cast<Control*>(window->ChildAt(i)); control != nullptr && n-- == 0)
                return control;
        return nullptr;
    }
    BScrollBar* Slider(int32 n) const { return ControlOf<BScrollBar>(fPanel, n); }
    BCheckBox* BufferedBox() const { return ControlOf<BCheckBox>(fPanel); }

    // The image the workers fill, the view's bitmap. Read atomically: workers
    // may be writing.
    uint8 BitmapByte(int32 x, int32 y) const
    {
        return std::atomic_ref<uint8>(fView->fCalc->fBits[y * fView->fCalc->fBytesPerRow + x]).load(std::memory_order_relaxed);
    }
    // Call only while no worker runs.
    std::vector<uint8> BitmapBytes() const
    {
        const uint8* bits = fView->fCalc->fBits;
        return std::vector<uint8>(bits, bits + kBitmapHeight * fView->fCalc->fBytesPerRow);
    }
    // The image one thread computes from `params` over `start` with the
    // workers' division of rows, one share after the other.
    std::vector<uint8> Reference(const TLyapCalc& params, std::vector<uint8> start) const
    {
        for (int32 i = 0; i < gWorkerCount; ++i) {
            TLyapCalc share = params;
            share.SetSize(start.data(), gImageWidth, gImageHeight, fView->fCalc->fBytesPerRow);
            share.Calculate(gPaletteMap, gWorkerCount, i);
        }
        return start;
    }
    bool ShownAsBitmap(int32 x, int32 y) const { return ViewPixel(fView, x, y) == ScreenColor(BitmapByte(x, y)); }
    // Shown as the bitmap's colour with every channel inverted, as an outline is.
    bool ShownInverted(int32 x, int32 y) const
    {
        const rgb_color c = ScreenColor(BitmapByte(x, y));
        return ViewPixel(fView, x, y) == rgb_color{uint8(255 - c.red), uint8(255 - c.green), uint8(255 - c.blue), 255};
    }

    // A press, moves through `steps` and a release, with `modifiers` held.
    void Press(const std::vector<platform_test::MouseStep>& steps, uint32 modifiers = 0)
    {
        User().Hold(modifiers);
        User().Script(fView, steps);
        ProcessEvents();
        User().Hold(0);
    }
    void Drag(BPoint from, BPoint to) { Press({{from, B_PRIMARY_MOUSE_BUTTON}, {to, B_PRIMARY_MOUSE_BUTTON}}); }
    void ShiftClick(BPoint where) { Press({{where, B_PRIMARY_MOUSE_BUTTON}}, B_SHIFT_KEY); }

    TMainWindow* fWindow = nullptr;
    TShowBit* fView = nullptr;
    BWindow* fPanel = nullptr;
};
