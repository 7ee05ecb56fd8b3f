// A modal panel that asks the user where to save a file.
#pragma once

#include <string>

class BWindow;

class BFilePanel {
public:
    // `suggestedName` fills the name field; `window` is the window the panel
    // belongs to (it stays in front of it), or null.
    BFilePanel(BWindow* window, const char* suggestedName);

    // Shows the panel and waits until it is dismissed, as an alert does. True
    // with the chosen path (a name without an extension gets ".png"), false
    // when the user cancelled.
    bool Go(std::string& path);

private:
    BWindow* fWindow;
    std::string fSuggestedName;
};
