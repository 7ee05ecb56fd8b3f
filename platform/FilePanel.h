// A modal panel that asks the user which file to open, or where to save one.
#pragma once

#include <string>

class BWindow;

enum file_panel_mode { B_OPEN_PANEL, B_SAVE_PANEL };

class BFilePanel {
public:
    // `window` is the window the panel belongs to (it stays in front of it),
    // or null. `suggestedName` fills the name field of a save panel.
    // `nameFilter` is the list of files offered, "PNG images (*.png)".
    BFilePanel(file_panel_mode mode, BWindow* window, const char* suggestedName,
               const char* nameFilter);

    // Shows the panel and waits until it is dismissed, as an alert does. True
    // with the chosen path, false when the user cancelled. A save panel adds
    // ".png" to a name without an extension; an open panel takes only a
    // file that exists.
    bool Go(std::string& path);

private:
    file_panel_mode fMode;
    BWindow* fWindow;
    std::string fSuggestedName;
    std::string fNameFilter;
};
