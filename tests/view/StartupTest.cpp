// What the user sees once the program has started.
#include "ViewerFixture.h"

#include "Palette.h"
#include "Palettes.h"
#include "RenderWorkers.h"
#include "Screen.h"

#include <string_view>

namespace {

struct ExpectedItem {
    const char* label;
    uint32 command;
    bool marked;
};

void ExpectMenu(BMenu* menu, const char* name, std::vector<ExpectedItem> items)
{
    ASSERT_NE(menu, nullptr);
    EXPECT_STREQ(menu->Name(), name);
    EXPECT_TRUE(menu->IsRadioMode()) << name;
    ASSERT_EQ(menu->CountItems(), static_cast<int32>(items.size())) << name;
    for (int32 i = 0; i < menu->CountItems(); ++i) {
        BMenuItem* item = menu->ItemAt(i);
        EXPECT_STREQ(item->Label(), items[i].label);
        EXPECT_EQ(item->Command(), items[i].command) << items[i].label;
        EXPECT_EQ(item->IsMarked(), items[i].marked) << items[i].label;
        uint32 modifiers = 1;
        EXPECT_EQ(item->Shortcut(&modifiers), 0) << items[i].label;
        EXPECT_EQ(modifiers, 0u) << items[i].label;
    }
}

void ExpectChild(BView* child, const char* name, BRect frame)
{
    ASSERT_NE(child, nullptr);
    EXPECT_STREQ(child->Name(), name);
    EXPECT_EQ(child->Frame(), frame) << name;
}

void ExpectSlider(BView* child, const char* name, BRect frame)
{
    ExpectChild(child, name, frame);
    auto* bar = dynamic_cast<BScrollBar*>(child);
    ASSERT_NE(bar, nullptr) << name;
    float min = -1, max = -1;
    bar->GetRange(&min, &max);
    EXPECT_EQ(min, 0.0f);
    EXPECT_EQ(max, 200.0f);
    EXPECT_EQ(bar->Orientation(), B_HORIZONTAL);
    EXPECT_FLOAT_EQ(bar->Proportion(), 0.1f);
    EXPECT_EQ(bar->Value(), 100.0f);
}

void ExpectLabel(BView* child, BRect frame, const char* text)
{
    ExpectChild(child, "hmm", frame);
    auto* label = dynamic_cast<BStringView*>(child);
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->Text(), text);
}

} // namespace

TEST_F(ViewerTest, StartsWithBothWindowsShownMainFirst)
{
    const std::vector<BWindow*> windows = platform_test::Windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0], fWindow);
    EXPECT_EQ(windows[1], fPanel);
    EXPECT_STREQ(fWindow->Title(), "Ombrelia 0.10");
    EXPECT_STREQ(fPanel->Title(), "Lyap controls");
    EXPECT_FALSE(fWindow->IsHidden());
    EXPECT_FALSE(fPanel->IsHidden());
    EXPECT_EQ(fWindow->Flags() & B_WILL_ACCEPT_FIRST_CLICK, B_WILL_ACCEPT_FIRST_CLICK);
    EXPECT_EQ(fPanel->Flags() & B_NOT_CLOSABLE, B_NOT_CLOSABLE);
    EXPECT_EQ(fWindow->PulseRate(), 100000);
}

TEST_F(ViewerTest, MenusCarryTheirLabelsCodesAndStartMarks)
{
    BMenuBar* bar = MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_STREQ(bar->Name(), "MB");
    ASSERT_EQ(bar->CountItems(), 4);
    ExpectMenu(bar->SubmenuAt(kMenuFile), "File", {{"About", 0x2000, false}});
    ExpectMenu(bar->SubmenuAt(kMenuPalette), "Palette",
               {{"Palette1", 0x60, true}, {"Palette2", 0x61, false},
                {"Palette3", 0x62, false}, {"Palette4", 0x63, false}});
    ExpectMenu(bar->SubmenuAt(kMenuIterations), "Iterations",
               {{"2", 2, false}, {"4", 4, false}, {"8", 8, false}, {"16", 16, true},
                {"32", 32, false}, {"64", 64, false}, {"128", 128, false},
                {"256", 256, false}, {"384", 384, false}, {"512", 512, false}});
    ExpectMenu(bar->SubmenuAt(kMenuFractalType), "Fractal type",
               {{"Lyapunov Space", 0x801, true}});
}

TEST_F(ViewerTest, ViewSitsBelowTheMenuBarAndFillsTheImageSize)
{
    const BRect bar = MenuBar()->Bounds();
    EXPECT_EQ(fView->Frame().top, bar.bottom - bar.top + 1);
    EXPECT_EQ(fView->Frame().left, 0.0f);
    EXPECT_EQ(fView->ResizingMode() & 0xFFFF, B_FOLLOW_ALL_SIDES);
    const uint32 wanted = B_WILL_DRAW | B_PULSE_NEEDED | B_FRAME_EVENTS;
    EXPECT_EQ(fView->Flags() & wanted, wanted);
    EXPECT_EQ(gImageWidth, 384);
    EXPECT_EQ(gImageHeight, 384);
    EXPECT_EQ(fView->fBitmap->Bounds(), BRect(0, 0, 383, 383));
}

TEST_F(ViewerTest, ControlPanelHoldsSlidersLabelsAndAnUncheckedBox)
{
    ASSERT_EQ(fPanel->CountChildren(), 7);
    ExpectSlider(fPanel->ChildAt(0), "scroll21", BRect(10, 50, 190, 64));
    ExpectLabel(fPanel->ChildAt(1), BRect(10, 40, 190, 50), "Morph");
    ExpectSlider(fPanel->ChildAt(2), "scroll22", BRect(10, 80, 190, 94));
    ExpectLabel(fPanel->ChildAt(3), BRect(10, 70, 190, 80), "First X");
    ExpectSlider(fPanel->ChildAt(4), "scroll23", BRect(10, 110, 190, 124));
    ExpectLabel(fPanel->ChildAt(5), BRect(10, 100, 190, 110), "Contrast");
    auto* box = dynamic_cast<BCheckBox*>(fPanel->ChildAt(6));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Frame(), BRect(10, 140, 190, 150));
    EXPECT_STREQ(box->Label(), "Buffered update");
    EXPECT_EQ(box->Value(), 0);
    EXPECT_EQ(box, fView->fBufferedBox);
    EXPECT_EQ(fPanel->ChildAt(0), fView->fMorphBar);
    EXPECT_EQ(fPanel->ChildAt(2), fView->fFirstXBar);
    EXPECT_EQ(fPanel->ChildAt(4), fView->fContrastBar);
    for (int32 i : {1, 3, 5, 6})
        EXPECT_EQ(fPanel->ChildAt(i)->Flags() & B_NAVIGABLE, 0u) << i;
}

TEST_F(ViewerTest, ViewStartsWithDefaultsAndPaletteOne)
{
    EXPECT_EQ(fView->fIterations, 16);
    EXPECT_EQ(fView->fSelection, BRect(-1000, -1000, -1000, -1000));
    EXPECT_EQ(fView->fSliderRange, 200);
    EXPECT_EQ(fView->fCalc, gCalcs[0]);
    EXPECT_EQ(fView->fCalc->fType, 1);
    EXPECT_GE(gWorkerCount, 1);
    EXPECT_LE(gWorkerCount, kMaxWorkers);
    BScreen screen(fWindow);
    for (int32 k = 0; k < 256; ++k) {
        const RgbColour c = *PaletteColour(0, k);
        EXPECT_EQ(gPaletteMap[k], screen.IndexForColor(c.red, c.green, c.blue)) << k;
    }
}

TEST_F(ViewerTest, FirstPulsesAfterStartChangeNoParameter)
{
    WaitForRender();
    const int32 renders = fView->fRenderCount;
    platform_test::DeliverPulse(fWindow);
    platform_test::DeliverPulse(fWindow);
    EXPECT_EQ(fView->fRenderCount, renders);
    EXPECT_FALSE(fView->fRendering);
    EXPECT_EQ(fView->fCalc->fMorph, 1.0);
    EXPECT_EQ(fView->fCalc->fFirstX, 0.5);
    EXPECT_EQ(fView->fCalc->fContrast, 128.0);
}
