#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

// The dialog opens with its caption and ends on Cancel.
TEST(Smoke, OpensAndCancels)
{
    ClearSettings();
    std::string caption;
    Script s;
    s.Do([&]() { caption = Text(MainDialog()); }).Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    EXPECT_EQ("Pelorin", caption);
}
