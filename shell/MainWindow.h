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
// The "Iterations" menu: each item is labelled with its count and sends it.
constexpr std::array<uint32, 10> kIterationCounts = {2, 4, 8, 16, 32, 64, 128, 256, 384, 512};

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
    // The Palette and Iterations menus mark what the view uses now.
    void MarkViewValues();
    BMenuBar* MenuBar() const;
};

// The frame, type and flags the program opens its main window with.
TMainWindow* OpenMainWindow();
