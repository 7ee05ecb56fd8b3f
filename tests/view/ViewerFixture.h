// A running viewer for GUI tests: the application object, the main window
// built as the program builds it, and what tests need to play the user and
// to compute the expected image independently of the workers.
#pragma once

#include "Controls.h"
#include "MainWindow.h"
#include "Menu.h"
#include "Rect.h"
#include "ShowBit.h"
#include "TLyapCalc.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Delivers pulses, with a short pause between them, until `done` holds or
    // a cap far beyond any real render; says whether `done` held.
    template <class Done>
    bool PulseUntil(Done done);
    // Delivers pulses until the render has finished.
    void WaitForRender();
    // Holds every worker after the first group of pixels it computes, before
    // it stores them, until ReleaseRenders (or a stop request): a render
    // started meanwhile is certain to be unfinished, however fast it is.
    // Any calculation in the test thread waits too: release first.
    void HoldRenders();
    void ReleaseRenders();
    // Delivers pulses until a new render has started, then until it finishes.
    void WaitForRenderAfter(int32 renderCount);

    BMenuBar* MenuBar() const;
    BMenu* Menu(int32 index) const;
    BMenuItem* Item(int32 menuIndex, const char* label) const;
    // What the user's choice of the item does, handled by the window.
    void Choose(int32 menuIndex, const char* label);

    // Bitmap byte at (x, y), read atomically: workers may be writing.
    uint8 BitmapByte(int32 x, int32 y) const;
    // The whole bitmap, row by row; call only while no worker runs.
    std::vector<uint8> BitmapBytes() const;
    // The image a single thread computes from `params` with the same row
    // division as the workers, written over `start` (a copy of the bitmap).
    std::vector<uint8> Reference(const TLyapCalc& params, std::vector<uint8> start) const;
    // The colour the screen shows for bitmap byte (x, y).
    rgb_color BitmapColour(int32 x, int32 y) const;
    uint8 WhiteIndex() const;

    // A drag from `from` to `to` with the primary button, then release.
    void Drag(BPoint from, BPoint to);
    void ShiftClick(BPoint where);

    TMainWindow* fWindow = nullptr;
    TShowBit* fView = nullptr;
    BWindow* fPanel = nullptr;
};

void PulseAndPause(BWindow* window);

template <class Done>
bool ViewerTest::PulseUntil(Done done)
{
    constexpr int kPulseCap = 60000;
    for (int i = 0; i < kPulseCap && !done(); ++i) {
        PulseAndPause(fWindow);
    }
    return done();
}

constexpr int32 kMenuFile = 0;
constexpr int32 kMenuPalette = 1;
constexpr int32 kMenuIterations = 2;
constexpr int32 kMenuFractalType = 3;
