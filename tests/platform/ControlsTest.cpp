// Sliders keep whole positions within their range; check boxes report 1
// when checked.
#include "Controls.h"
#include "TestSupport.h"
#include "Window.h"

#include <gtest/gtest.h>

namespace {

TEST(Controls, ScrollBarKeepsWholePositionsWithinItsRange)
{
    auto* window = new BWindow(BRect(500, 100, 700, 270), "Lyap controls", B_TITLED_WINDOW, B_NOT_CLOSABLE);
    auto* bar = new BScrollBar(BRect(10, 50, 190, 64), "scroll21", nullptr, 0, 200, B_HORIZONTAL);
    window->AddChild(bar);
    bar->SetProportion(0.1f);
    EXPECT_FLOAT_EQ(bar->Proportion(), 0.1f);
    bar->SetValue(100);
    EXPECT_EQ(bar->Value(), 100.0f);
    bar->SetValue(50.4f);
    EXPECT_EQ(bar->Value(), 50.0f);
    bar->SetValue(250);
    EXPECT_EQ(bar->Value(), 200.0f);
    bar->SetValue(-3);
    EXPECT_EQ(bar->Value(), 0.0f);
    float min = -1;
    float max = -1;
    bar->GetRange(&min, &max);
    EXPECT_EQ(min, 0.0f);
    EXPECT_EQ(max, 200.0f);
    EXPECT_EQ(bar->Orientation(), B_HORIZONTAL);
    delete window;
}

TEST(Controls, CheckBoxStartsUncheckedAndReportsOneWhenChecked)
{
    auto* window = new BWindow(BRect(500, 100, 700, 270), "Lyap controls", B_TITLED_WINDOW, B_NOT_CLOSABLE);
    auto* box = new BCheckBox(BRect(10, 140, 190, 150), "buffered", "Buffered update", nullptr,
                              B_FOLLOW_LEFT, B_WILL_DRAW);
    auto* label = new BStringView(BRect(10, 40, 190, 50), "hmm", "Morph", B_FOLLOW_LEFT, B_WILL_DRAW);
    window->AddChild(box);
    window->AddChild(label);
    window->Show();
    EXPECT_EQ(box->Value(), 0);
    box->SetValue(1);
    EXPECT_EQ(box->Value(), 1);
    EXPECT_STREQ(box->Label(), "Buffered update");
    EXPECT_STREQ(label->Text(), "Morph");
    delete window;
}

// The labels and the check box draw their text over the window's own
// background, so the text can be read (it once showed as black bars).
TEST(Controls, LabelsAndCheckBoxesShowTheWindowBackgroundAroundTheirText)
{
    auto* window = new BWindow(BRect(500, 100, 700, 270), "Lyap controls", B_TITLED_WINDOW, B_NOT_CLOSABLE);
    window->AddChild(new BStringView(BRect(10, 40, 190, 50), "hmm", "Morph", B_FOLLOW_LEFT, B_WILL_DRAW));
    window->AddChild(new BCheckBox(BRect(10, 140, 190, 150), "buffered", "Buffered update", nullptr,
                                   B_FOLLOW_LEFT, B_WILL_DRAW));
    window->Show();
    platform_test::ProcessEvents();
    const rgb_color background = platform_test::WindowPixel(window, 195, 5);
    for (const BRect area : {BRect(10, 40, 190, 50), BRect(10, 140, 190, 150)}) {
        int backgroundPixels = 0;
        int total = 0;
        for (int y = static_cast<int>(area.top); y < static_cast<int>(area.bottom); ++y) {
            for (int x = static_cast<int>(area.left); x < static_cast<int>(area.right); ++x) {
                backgroundPixels += platform_test::WindowPixel(window, x, y) == background;
                ++total;
            }
        }
        EXPECT_GT(backgroundPixels, total / 2) << area.top;
        EXPECT_LT(backgroundPixels, total) << area.top; // and some text
    }
    delete window;
}

} // namespace
