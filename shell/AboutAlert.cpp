#include "AboutAlert.h"

#include "Alert.h"

const char* const kAboutText =
    "Ombrelia " OMBRELIA_VERSION " for BeOS Intel.\n"
    "Lyapunov-space fractals,\n"
    "by the Ombrelia developers.";

void ShowAboutAlert(const char* text)
{
    auto* alert = new BAlert("Info", text, "OK", nullptr, nullptr, B_WIDTH_FROM_WIDEST,
                             B_INFO_ALERT);
    alert->SetShortcut(0, 0x1B);
    // Go deletes the alert.
    alert->Go();
}
