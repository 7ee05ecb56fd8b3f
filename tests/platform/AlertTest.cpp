// The alert waits for its answer and returns the chosen button's index.
#include "Alert.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Alert, EscapeChoosesTheButtonWhoseShortcutItIs)
{
    auto* alert = new BAlert("Info", "Ombrelia 0.10\nline two", "OK", nullptr, nullptr,
                             B_WIDTH_FROM_WIDEST, B_INFO_ALERT);
    alert->SetShortcut(0, 0x1B);
    platform_test::AnswerNextAlert(-1);
    EXPECT_EQ(alert->Go(), 0); // Go deletes the alert
}

TEST(Alert, EscapeGoesToItsButtonAmongSeveral)
{
    auto* alert = new BAlert("Info", "Choose", "Left", "Middle", "Right");
    alert->SetShortcut(1, 0x1B);
    platform_test::AnswerNextAlert(-1);
    EXPECT_EQ(alert->Go(), 1);
}

TEST(Alert, ClickedButtonIsReturned)
{
    auto* alert = new BAlert("Info", "Choose", "Left", "Middle", "Right");
    platform_test::AnswerNextAlert(2);
    EXPECT_EQ(alert->Go(), 2);
}

} // namespace
