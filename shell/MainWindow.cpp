// Building the main window and closing it.
#include "MainWindow.h"

#include "Application.h"
#include "ColourMap.h"
#include "InterfaceDefs.h"
#include "Message.h"
#include "Menu.h"
#include "NamedPlaces.h"
#include "PointWindow.h"
#include "ShowBit.h"

#include <string>
#include <vector>

namespace {

struct MenuEntry {
    std::string label;
    uint32 command;
};

constexpr uint32 kMenuBarResizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP;
// Follows every edge of the window; the high bit asks for a full redraw on
// resize.
constexpr uint32 kShowBitResizingMode = 0x20000000 | B_FOLLOW_ALL_SIDES;

constexpr bigtime_t kPulseRate = 100000;

// `marked` is the label of the item marked at start, or null for a menu
// without a mark.
BMenu* BuildMenu(const char* label, const std::vector<MenuEntry>& entries,
                 const char* marked)
{
    auto* menu = new BMenu(label, B_ITEMS_IN_COLUMN);
    for (const MenuEntry& entry : entries) {
        auto* item = new BMenuItem(entry.label.c_str(), new BMessage(entry.command));
        menu->AddItem(item);
        if (marked != nullptr && entry.label == marked)
            item->SetMarked(true);
    }
    // Every menu, "File" too, marks the item last chosen.
    menu->SetRadioMode(true);
    return menu;
}

std::vector<MenuEntry> PaletteEntries()
{
    std::vector<MenuEntry> entries;
    for (int32 n = 0; n < kPaletteCount; ++n)
        entries.push_back({"Palette" + std::to_string(n + 1), kPaletteCommandBase + n});
    return entries;
}

std::vector<MenuEntry> IterationEntries()
{
    std::vector<MenuEntry> entries;
    for (uint32 count : kIterationCounts)
        entries.push_back({std::to_string(count), count});
    return entries;
}

// The shipped maps, then a map file: their commands from `base` on.
void AddColourMapItems(BMenu* menu, uint32 base, uint32 fileCommand)
{
    for (uint32 k = 0; const std::string_view name : ColourMapNames())
        menu->AddItem(new BMenuItem(std::string(name).c_str(), new BMessage(base + k++)));
    menu->AddItem(new BMenuItem("Colour Map File…", new BMessage(fileCommand)));
}

// After the four palettes: the maps, then the chaos grading.
void AddColourItems(BMenu* palette)
{
    palette->AddSeparatorItem();
    AddColourMapItems(palette, kColourMapCommandBase, kColourMapFileCommand);
    palette->AddSeparatorItem();
    auto* chaos = new BMenu("Chaos");
    chaos->AddItem(new BMenuItem("One Colour", new BMessage(kChaosOneColourCommand)));
    chaos->AddSeparatorItem();
    for (int32 n = 0; n < kPaletteCount; ++n)
        chaos->AddItem(new BMenuItem(("Palette" + std::to_string(n + 1)).c_str(),
                                     new BMessage(kChaosPaletteCommandBase + n)));
    chaos->AddSeparatorItem();
    AddColourMapItems(chaos, kChaosMapCommandBase, kChaosMapFileCommand);
    chaos->ItemAt(0)->SetMarked(true);
    chaos->SetRadioMode(true);
    palette->AddItem(chaos);
    palette->AddItem(new BMenuItem("Colours…", new BMessage(kColoursWindowCommand)));
}

// After "Lyapunov Space": the named places, then the values typed.
void AddPlaceItems(BMenu* fractalType)
{
    fractalType->AddSeparatorItem();
    for (uint32 k = 0; const NamedPlace& place : NamedPlaces())
        fractalType->AddItem(new BMenuItem(place.label, new BMessage(kPlaceCommandBase + k++)));
    fractalType->AddSeparatorItem();
    fractalType->AddItem(new BMenuItem("Values…", new BMessage(kValuesCommand)));
}

BMenu* ViewMenu()
{
    auto* menu = new BMenu("View");
    menu->AddItem(new BMenuItem("Fit Image to Window", new BMessage(kFitCommand)));
    menu->AddItem(new BMenuItem("Full Screen", new BMessage(kFullScreenCommand)));
    menu->AddItem(new BMenuItem("Point Information", new BMessage(kPointCommand)));
    return menu;
}

void AddMenus(BMenuBar* bar)
{
    bar->AddItem(BuildMenu("File", {{"About", kAboutCommand}}, nullptr));
    BMenu* palette = BuildMenu("Palette", PaletteEntries(), "Palette1");
    AddColourItems(palette);
    bar->AddItem(palette);
    const std::string defaultCount = std::to_string(kLyapDefaultIterations);
    bar->AddItem(BuildMenu("Iterations", IterationEntries(), defaultCount.c_str()));
    BMenu* fractalType = BuildMenu("Fractal type", {{"Lyapunov Space", kFractalTypeCommand}}, "Lyapunov Space");
    AddPlaceItems(fractalType);
    bar->AddItem(fractalType);
    bar->AddItem(ViewMenu());
}

} // namespace

TMainWindow::TMainWindow(BRect frame, const char* title, window_type type, uint32 flags)
    : BWindow(frame, title, type, flags, B_CURRENT_WORKSPACE), fView(nullptr)
{
    Lock();
    auto* bar = new BMenuBar(BRect(0, 0, 1000, 15), "MB", kMenuBarResizingMode,
                             B_ITEMS_IN_ROW, true);
    AddMenus(bar);
    AddChild(bar);
    const float menuBarHeight = bar->Bounds().bottom - bar->Bounds().top;
    fMenuBarHeight = menuBarHeight;

    fView = new TShowBit(BRect(0, menuBarHeight + 1, 188, 188), kShowBitResizingMode);
    AddChild(fView);

    SetSizeLimits(kMinWidth, static_cast<float>(gImageWidth), kMinHeight,
                  menuBarHeight + static_cast<float>(gImageHeight) + 1);
    ResizeTo(static_cast<float>(gImageWidth),
             menuBarHeight + static_cast<float>(gImageHeight) + 1);
    SetPulseRate(kPulseRate);
    AddShortcut('S', B_COMMAND_KEY, new BMessage(kSaveCommand));
    AddShortcut('O', B_COMMAND_KEY, new BMessage(kOpenCommand));
    AddShortcut('C', B_COMMAND_KEY, new BMessage(kCopyCommand));
    AddShortcut(B_BACKSPACE, 0, new BMessage(kBackCommand));
    AddShortcut(B_LEFT_ARROW, B_OPTION_KEY, new BMessage(kBackCommand));
    AddShortcut(B_RIGHT_ARROW, B_OPTION_KEY, new BMessage(kForwardCommand));
    AddShortcut(B_F11_KEY, 0, new BMessage(kFullScreenCommand));
    AddShortcut(B_ESCAPE, 0, new BMessage(kLeaveFullScreenCommand));
    AddShortcut('I', B_COMMAND_KEY, new BMessage(kPointCommand));
    AddShortcut('P', 0, new BMessage(kPinPointCommand));
    Show();
    Unlock();
}

TMainWindow::~TMainWindow() = default;

bool TMainWindow::QuitRequested()
{
    if (fView->fRendering) {
        // Stop first, then come back to the close behind what is queued.
        fView->StopRender();
        PostMessage(B_QUIT_REQUESTED);
        return false;
    }
    be_app->PostMessage(B_QUIT_REQUESTED);
    return true;
}

BMenuBar* TMainWindow::MenuBar() const
{
    for (int32 i = 0; i < CountChildren(); ++i) {
        if (auto* bar = dynamic_cast<BMenuBar*>(ChildAt(i)))
            return bar;
    }
    return nullptr;
}

TMainWindow* OpenMainWindow()
{
    return new TMainWindow(BRect(100, 100, 288, 288), kMainWindowTitle, B_TITLED_WINDOW,
                           B_WILL_ACCEPT_FIRST_CLICK);
}
