#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

TEST(Smoke, OpensTypesAndCancels)
{
    ClearSettings();
    std::string caption, typed;
    Script s;
    s.Do([&]() { caption = Text(MainDialog()); }).Focus(IDC_DIR1).Type("C:\\Ab").Do([&] { typed = Text(Ctl(IDC_DIR1)); }).Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    EXPECT_EQ("Pelorin", caption);
    EXPECT_EQ("C:\\Ab", typed);
    EXPECT_EQ("C:\\Ab|C:\\Ab", GetString("Dir1"));
}
