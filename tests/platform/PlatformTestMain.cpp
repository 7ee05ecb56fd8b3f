// One application object for every test of the kit layer, as in the program.
#include "Application.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Test discovery runs this too, outside ctest's environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    platform_test::InstallTestSeams();
    BApplication application("application/x-vnd.Ombrelia-platform-tests");
    return RUN_ALL_TESTS();
}
