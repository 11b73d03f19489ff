// The Wine tests' entry point. The tests start the real Pelorin.exe beside
// this program and drive it; nothing of it is linked in here. The test of
// Pelorin as its setup leaves it (Installed.*) runs after a setup, with
// --installed, and alone; every other run leaves it out.
#include <gtest/gtest.h>

#include <string>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::string filter = GTEST_FLAG_GET(filter);
    filter += filter.find('-') == std::string::npos ? "-Installed.*" : ":Installed.*";
    for (int i = 1; i < argc; i++)
        if (std::string(argv[i]) == "--installed")
            filter = "Installed.*";
    GTEST_FLAG_SET(filter, filter);
    return RUN_ALL_TESTS();
}
