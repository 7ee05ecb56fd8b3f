// The main window: a menu bar of four menus above the fractal view.
#pragma once

#include "Window.h"

#include <array>

class BMenuBar;
class TShowBit;

// Command codes that the menu items send.
constexpr uint32 kPaletteCommandBase = 0x60;
constexpr uint32 kFractalTypeCommand = 0x801;
constexpr uint32 kAboutCommand = 0x2000;
// Sent by the window's shortcuts: Ctrl+S saves the picture, Ctrl+O opens
// one, Ctrl+C copies the renderer's command line, Backspace and Alt+Left go
// back, Alt+Right forward.
constexpr uint32 kSaveCommand = 0x53415645;    // 'SAVE'
constexpr uint32 kOpenCommand = 0x4f50454e;    // 'OPEN'
constexpr uint32 kCopyCommand = 0x434f5059;    // 'COPY'
constexpr uint32 kBackCommand = 0x4241434b;    // 'BACK'
constexpr uint32 kForwardCommand = 0x46575244; // 'FWRD'
// The items after the specified ones: the shipped colour maps (base + their
// index in ColourMapNames()) and a map file in the palette's place; the
// "Chaos" submenu's one colour, palettes (base + 0..3), maps and map file;
// the "Colours" window; the named places (base + their index in
// NamedPlaces()); the "Values" window (its Apply: ValuesWindow.h).
constexpr uint32 kColourMapCommandBase = 0x4d415000;    // 'MAP' + index
constexpr uint32 kColourMapFileCommand = 0x4d415046;    // 'MAPF'
constexpr uint32 kChaosOneColourCommand = 0x43484f31;   // 'CHO1'
constexpr uint32 kChaosPaletteCommandBase = 0x43485000; // 'CHP' + number
constexpr uint32 kChaosMapCommandBase = 0x43484d00;     // 'CHM' + index
constexpr uint32 kChaosMapFileCommand = 0x43484d46;     // 'CHMF'
constexpr uint32 kColoursWindowCommand = 0x434f4c57;    // 'COLW'
constexpr uint32 kPlaceCommandBase = 0x504c4300;        // 'PLC' + index
constexpr uint32 kValuesCommand = 0x56414c53;           // 'VALS'
// The "View" menu and its shortcuts: F11 switches full screen, Escape leaves
// it, Ctrl+I opens the "Point" window.
constexpr uint32 kFitCommand = 0x46495457;             // 'FITW'
constexpr uint32 kFullScreenCommand = 0x46554c4c;      // 'FULL'
constexpr uint32 kLeaveFullScreenCommand = 0x4c454156; // 'LEAV'
constexpr uint32 kPointCommand = 0x504f4e54;           // 'PONT'
// The "Iterations" menu: each item is labelled with its count and sends it.
constexpr std::array<uint32, 10> kIterationCounts = {2, 4, 8, 16, 32, 64, 128, 256, 384, 512};

// The smallest the main window may be made.
constexpr float kMinWidth = 80.0f;
constexpr float kMinHeight = 100.0f;

constexpr const char* kMainWindowTitle = "Ombrelia " OMBRELIA_VERSION;
constexpr const char* kAppSignature = "application/x-vnd.Be-OMBR";

class TMainWindow : public BWindow {
public:
    TMainWindow(BRect frame, const char* title, window_type type, uint32 flags);
    ~TMainWindow() override;

    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;

    // Not owning: the view is a child of the window.
    TShowBit* fView;

private:
    void ResetFractalType();
    // The colours and places added after the specified items; true when the
    // code was one of theirs.
    bool CarryOutLookCommand(uint32 code);
    void ShowNamedPlace(uint32 index);
    // The "Fractal type" item marked before "Values…" took the mark.
    uint32 fFractalTypeMark = kFractalTypeCommand;
    // The Palette and Iterations menus mark what the view uses now.
    void MarkViewValues();
    BMenuBar* MenuBar() const;
    // The View menu: the window's limits are the screen while the image is
    // fitted, 384 otherwise; full screen fits it for as long as it lasts.
    bool CarryOutViewCommand(uint32 code);
    void SetFitToWindow(bool on);
    void FillScreen(bool on);
    void MarkViewMenu();
    float fMenuBarHeight = 0.0f;
    bool fFitBeforeFullScreen = false;
};

// The frame, type and flags the program opens its main window with.
TMainWindow* OpenMainWindow();
