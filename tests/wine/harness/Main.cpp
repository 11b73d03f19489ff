// The Wine tests' entry point. The tests start the real Pelorin.exe beside
// this program and drive it; nothing of it is linked in here.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
