// A running viewer for GUI tests: the main window built as the program
// builds it, what tests need to play the user, and the expected image
// computed independently of the workers.
#pragma once

#include "Controls.h"
#include "MainWindow.h"
#include "Menu.h"
#include "OS.h"
#include "ShowBit.h"
#include "TLyapCalc.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <vector>

using platform_test::DeliverPulse;
using platform_test::ProcessEvents;
using platform_test::ViewPixel;

constexpr int32 kMenuFile = 0;
constexpr int32 kMenuPalette = 1;
constexpr int32 kMenuIterations = 2;
constexpr int32 kMenuFractalType = 3;
const BRect kNoSelectionRect(kNoSelection, kNoSelection, kNoSelection, kNoSelection);

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Pulses, with a short pause between them, until `done` holds or a cap
    // far beyond any real render; says whether `done` held.
    template <class Done>
    bool PulseUntil(Done done);
    void WaitForRender();
    // Renders started since the window opened, as the threads asked of the
    // system show them: every render asks for one per worker.
    int64 RendersStarted() const;
    // A render of so many steps per point that it runs for many seconds:
    // it is certainly under way until it is stopped.
    void StartLongRender();

    BMenu* Menu(int32 index) const;
    BMenuItem* Item(int32 menuIndex, const char* label) const;
    const char* Marked(int32 menuIndex) const;
    // What the user's choice of the item does, handled by the window.
    void Choose(int32 menuIndex, const char* label);

    // Bitmap byte at (x, y), read atomically: workers may be writing.
    uint8 BitmapByte(int32 x, int32 y) const;
    // The whole bitmap, row by row; call only while no worker runs.
    std::vector<uint8> BitmapBytes() const;
    // The image one thread computes from `params` with the workers' division
    // of rows, over `start` (a copy of the bitmap).
    std::vector<uint8> Reference(const TLyapCalc& params, std::vector<uint8> start) const;
    rgb_color BitmapColour(int32 x, int32 y) const;

    void Drag(BPoint from, BPoint to);
    void ShiftClick(BPoint where);

    TMainWindow* fWindow = nullptr;
    TShowBit* fView = nullptr;
    BWindow* fPanel = nullptr;
    int64 fSpawnsAtOpen = 0;
};

bool IsOpen(BWindow* window);

template <class Done>
bool ViewerTest::PulseUntil(Done done)
{
    constexpr int kPulseCap = 60000;
    for (int i = 0; i < kPulseCap && !done(); ++i) {
        DeliverPulse(fWindow);
        snooze(1000);
    }
    return done();
}
