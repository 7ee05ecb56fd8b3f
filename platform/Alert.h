// A modal alert with up to three buttons.
#pragma once

#include "SupportDefs.h"

#include <memory>

enum button_width { B_WIDTH_AS_USUAL = 0, B_WIDTH_FROM_WIDEST = 1, B_WIDTH_FROM_LABEL = 2 };
enum alert_type { B_EMPTY_ALERT = 0, B_INFO_ALERT = 1, B_IDEA_ALERT = 2, B_WARNING_ALERT = 3, B_STOP_ALERT = 4 };

class BAlert {
public:
    BAlert(const char* title, const char* text, const char* button0,
           const char* button1 = nullptr, const char* button2 = nullptr,
           button_width widthStyle = B_WIDTH_AS_USUAL, alert_type type = B_INFO_ALERT);
    ~BAlert();
    BAlert(const BAlert&) = delete;
    BAlert& operator=(const BAlert&) = delete;

    void SetShortcut(int32 index, char key);
    // Shows the alert, waits until it is dismissed, deletes it (`this`) and
    // returns the index of the button chosen.
    int32 Go();

    struct AlertImpl;

private:
    std::unique_ptr<AlertImpl> fAlertImpl;
};
