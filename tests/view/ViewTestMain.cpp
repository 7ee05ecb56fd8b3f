// One application object per test process, as in the program; each test
// opens the main window afresh.
#include "Application.h"
#include "MainWindow.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Test discovery runs this too, outside ctest's environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The "Windows" style paints the control panel's sliders with plain
    // fills; the default style's gradients go through Qt's own painting
    // thread pool, whose locking ThreadSanitizer cannot see in the
    // uninstrumented Qt libraries. The tests do not look at the sliders' paint.
    setenv("QT_STYLE_OVERRIDE", "Windows", 0);
    ::testing::InitGoogleTest(&argc, argv);
    platform_test::InstallTestSeams();
    BApplication application(kAppSignature);
    return RUN_ALL_TESTS();
}
