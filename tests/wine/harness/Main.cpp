// The Wine tests' entry point: the program's own code is linked in, so the
// application object is set up as the program's start-up would, then the
// tests run.
#include "../../../app/LauncherApp.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    theApp.InitApplication(::GetModuleHandleA(NULL));
    return RUN_ALL_TESTS();
}
