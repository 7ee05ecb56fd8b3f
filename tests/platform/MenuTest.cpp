// Menu items send their codes to the window and move radio marks.
#include "Menu.h"
#include "TestSupport.h"
#include "TestViews.h"

#include <gtest/gtest.h>

using Log = std::vector<std::string>;

namespace {

struct MenuWindow {
    Log log;
    RecordingWindow* window = new RecordingWindow(BRect(0, 0, 200, 100), 0, &log);
    BMenuBar* bar = new BMenuBar(BRect(0, 0, 1000, 15), "MB", 0x1214, B_ITEMS_IN_ROW, true);
    BMenu* palette = AddRadioMenu("Palette", {0x60, 0x61, 0x62}, 0);
    BMenu* iterations = AddRadioMenu("Iterations", {2, 4, 16}, 2);

    MenuWindow() { window->AddChild(bar); }
    ~MenuWindow() { delete window; }

    BMenu* AddRadioMenu(const char* label, std::vector<uint32> codes, int marked)
    {
        auto* menu = new BMenu(label, B_ITEMS_IN_COLUMN);
        for (uint32 code : codes)
            menu->AddItem(new BMenuItem(std::to_string(code).c_str(), new BMessage(code)));
        bar->AddItem(menu);
        menu->ItemAt(marked)->SetMarked(true);
        menu->SetRadioMode(true);
        return menu;
    }
};

TEST(Menu, ChoosingARadioItemMovesThatMenusMarkOnly)
{
    MenuWindow main;
    EXPECT_EQ(main.palette->FindMarked(), main.palette->ItemAt(0));

    main.palette->ItemAt(2)->Invoke();
    EXPECT_EQ(main.palette->FindMarked(), main.palette->ItemAt(2));
    EXPECT_FALSE(main.palette->ItemAt(0)->IsMarked());
    EXPECT_EQ(main.iterations->FindMarked(), main.iterations->ItemAt(2));

    main.palette->ItemAt(2)->Invoke(); // choosing the marked item keeps it
    EXPECT_EQ(main.palette->FindMarked(), main.palette->ItemAt(2));
}

TEST(Menu, ItemOutsideRadioModeIsNotMarkedByChoosingIt)
{
    MenuWindow main;
    auto* file = new BMenu("File");
    auto* about = new BMenuItem("About", new BMessage(0x2000));
    file->AddItem(about);
    main.bar->AddItem(file);
    about->Invoke();
    EXPECT_FALSE(about->IsMarked());
    EXPECT_EQ(main.bar->CountItems(), 3);
    EXPECT_EQ(main.bar->SubmenuAt(2), file);
    EXPECT_EQ(about->Menu(), file);
}

TEST(Menu, ItemMessagesQueueWithPostedMessagesInOrder)
{
    MenuWindow main;
    main.window->PostMessage(5);
    main.palette->ItemAt(1)->Invoke();
    main.window->PostMessage(6);
    main.iterations->ItemAt(0)->Invoke();
    EXPECT_TRUE(main.log.empty());
    platform_test::ProcessEvents();
    EXPECT_EQ(main.log, (Log{"5", std::to_string(0x61), "6", "2"}));
}

TEST(Menu, ItemKeepsItsLabelCodeAndShortcut)
{
    BMenuItem item("Palette1", new BMessage(0x60), 0, 0);
    uint32 modifiers = 99;
    EXPECT_STREQ(item.Label(), "Palette1");
    EXPECT_EQ(item.Command(), 0x60u);
    EXPECT_EQ(item.Shortcut(&modifiers), 0);
    EXPECT_EQ(modifiers, 0u);
    item.Invoke(); // in no menu: sends nothing, and does not fail
}

} // namespace
