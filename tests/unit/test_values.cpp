// The stored "SubDir" value is read with "%d" semantics, and the parameter
// text for the comparison tool is built as "\"%s\" \"%s\" %s" would build it.
#include "compare/ProfileValues.h"
#include "compare/LaunchParams.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <string>

namespace {

TEST(ScanDecimalInt, PercentDSemantics)
{
    struct { const char* text; bool ok; int value; } cases[] = {
        { "", false, 0 },
        { "1", true, 1 },
        { "0", true, 0 },
        { "2", true, 2 },
        { " 5", true, 5 },
        { "\t\r\n\v\f 7", true, 7 },
        { "+1", true, 1 },
        { "-0", true, 0 },
        { "-1", true, -1 },
        { "1abc", true, 1 },
        { "12 34", true, 12 },
        { "007", true, 7 },
        { "abc", false, 0 },
        { "+", false, 0 },
        { "-", false, 0 },
        { "+-1", false, 0 },
        { "- 1", false, 0 },
        { " ", false, 0 },
        { "0x1F", true, 0 },
        { "\x82\x50", false, 0 },                // a full-width digit is no digit
        { "2147483647", true, INT_MAX },
        { "-2147483648", true, INT_MIN },
        { "2147483648", true, INT_MAX },          // out of range: saturates
        { "-2147483649", true, INT_MIN },
        { "99999999999999999999999999999999", true, INT_MAX },
        { "-99999999999999999999999999999999", true, INT_MIN },
    };
    for (const auto& c : cases) {
        int value = 12345;
        EXPECT_EQ(c.ok, ScanDecimalInt(c.text, &value)) << '"' << c.text << '"';
        EXPECT_EQ(c.ok ? c.value : 12345, value) << '"' << c.text << '"';   // untouched on failure
    }
    int value = 3;
    EXPECT_FALSE(ScanDecimalInt(NULL, &value));
    EXPECT_EQ(3, value);
}

TEST(CompareParameters, ExactForm)
{
    struct { const char* dir1; const char* dir2; bool subDir; const char* params; } cases[] = {
        { "", "", false, "\"\" \"\" -D" },
        { "", "", true, "\"\" \"\" " },
        { "C:\\a", "D:\\b c", false, "\"C:\\a\" \"D:\\b c\" -D" },
        { "C:\\a", "D:\\b", true, "\"C:\\a\" \"D:\\b\" " },
        { "  a \"q\" ", "\x83\x7C|", true, "\"  a \"q\" \" \"\x83\x7C|\" " },   // passed as they stand
    };
    for (const auto& c : cases) {
        CString params = BuildCompareParameters(c.dir1, c.dir2, c.subDir);
        EXPECT_EQ(std::string(c.params), std::string(params.GetString(), (size_t)params.GetLength()));
    }
    EXPECT_EQ(8, BuildCompareParameters("", "", false).GetLength());
    EXPECT_EQ(6, BuildCompareParameters(NULL, NULL, true).GetLength());
}

TEST(CompareParameters, LongPathsAreKeptWhole)
{
    const std::string dir1(4000, 'a'), dir2 = std::string(3998, 'b') + "\x95\x5C";
    for (bool subDir : { false, true }) {
        CString params = BuildCompareParameters(dir1.c_str(), dir2.c_str(), subDir);
        EXPECT_EQ("\"" + dir1 + "\" \"" + dir2 + "\" " + (subDir ? "" : "-D"),
                  std::string(params.GetString(), (size_t)params.GetLength()));
    }
}

} // namespace
