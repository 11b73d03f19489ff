// The parameter text for the comparison tool: "\"%s\" \"%s\" %s" with the
// option, and a path's trailing backslashes doubled before its closing quote.
#include "compare/LaunchParams.h"
#include "compare/PathText.h"
#include "tests/support/LeadBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Params(const char* dir1, const char* dir2, bool subDir, const LeadByteTable& t = Cp932LeadBytes())
{
    CString p = BuildCompareParameters(dir1, dir2, subDir, t);
    return std::string((const char*)p, (size_t)p.GetLength());
}

TEST(CompareParameters, ExactForm)
{
    struct
    {
        const char* dir1;
        const char* dir2;
        bool subDir;
        const char* params;
        const LeadByteTable* t = &Cp932LeadBytes();
    } cases[] = {
        { "", "", false, "\"\" \"\" -D" },          // eight characters
        { "", "", true, "\"\" \"\" " },
        { NULL, NULL, true, "\"\" \"\" " },
        { "C:\\a", "D:\\b c", false, "\"C:\\a\" \"D:\\b c\" -D" },
        { "  a \"q\" ", "\x83\x7C|", true, "\"  a \"q\" \" \"\x83\x7C|\" " },   // passed as they stand
        // Trailing backslashes are doubled; inner ones and lone quotes are not.
        { "C:\\", "C:\\work dir\\", false, "\"C:\\\\\" \"C:\\work dir\\\\\" -D" },
        { "\\\\srv\\share\\\\", "a\\b", true, "\"\\\\srv\\share\\\\\\\\\" \"a\\b\" " },
        { "\\", "x\\\"", true, "\"\\\\\" \"x\\\"\" " },
        // A trail byte 0x5C ends 表 (95 5C) and ソ\ (83 5C 5C): only real backslashes double.
        { "C:\\\x95\x5C", "C:\\\x83\x5C\\", true, "\"C:\\\x95\x5C\" \"C:\\\x83\x5C\\\\\" " },
        { "\x95\x5C\\\\", "\x95", true, "\"\x95\x5C\\\\\\\\\" \"\x95\" " },
        // 0xD5 0x5C is 誠 in 936, where 0xA1-0xDF lead too, and ﾕ with a backslash in 932.
        { "C:\\\xD5\x5C", "D:\\\xD5\x5C\\", true, "\"C:\\\xD5\x5C\" \"D:\\\xD5\x5C\\\\\" ", &Cp936LeadBytes() },
        { "C:\\\xD5\x5C", "D:\\\xD5\x5C\\", true, "\"C:\\\xD5\x5C\\\" \"D:\\\xD5\x5C\\\\\\\" " },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.params, Params(c.dir1, c.dir2, c.subDir, *c.t)) << (c.dir1 ? c.dir1 : "(null)");
}

// The tool's file name (any case, any folder) chooses its form; any other
// gets WinDiff's. WinMerge 2.16.32 and later get "/r-" with the box off.
TEST(CompareParameters, EachKnownToolGetsItsOwnForm)
{
    const std::string paths = "\"C:\\\\\" \"D:\\a b\\\\\"";   // C:\ and D:\a b\, the same for every tool
    const struct {
        const char* tool;
        bool subDir;
        const char* before;
        const char* after;
        ToolVersion version = 0;
    } cases[] = {
        { "C:\\Program Files\\WinMerge\\WinMergeU.exe", true, "/r ", "" }, { "winmerge.EXE", false, "", "" },
        { "C:/x/KDIFF3.exe", true, "", "" }, { "meld.exe", false, "", "" }, { "C:Meld.exe", true, "", "" },
        { "\\\\s\\bc\\BCompare.exe", false, "", "" }, { "BComp.exe", true, "", "" }, { "", false, "", " -D" },
        { "C:\\tools\\WINDIFF.EXE", false, "", " -D" }, { "C:\\tools\\mydiff.cmd", true, "", " " },
        { "WinMergeU.exe.bak", true, "", " " }, { "\x83\\Meld.exe", true, "", " " },   // \x83\x5C is one character
        { "WinMergeU.exe", false, "/r- ", "", MakeToolVersion(2, 16, 32, 0) }, { "Meld.exe", false, "", "", ~0ull },
        { "WinMerge.exe", false, "", "", MakeToolVersion(2, 16, 31, 65535) }, { "WinMergeU.exe", true, "/r ", "", ~0ull },
    };
    for (const auto& c : cases) {
        CString p = BuildToolParameters(c.tool, "C:\\", "D:\\a b\\", c.subDir, Cp932LeadBytes(), c.version);
        EXPECT_EQ(c.before + paths + c.after, std::string((const char*)p, (size_t)p.GetLength())) << c.tool;
    }
    CString p = BuildToolParameters("WinMergeU.exe", "", "C:\\\x83\x5C\\", true, Cp932LeadBytes());   // 0x5C trail byte
    EXPECT_EQ("/r \"\" \"C:\\\x83\x5C\\\\\"", std::string((const char*)p, (size_t)p.GetLength()));
}

// One enclosing pair of quotes comes off a text that holds no other quote;
// every other text is the path as it stands.
TEST(CompareParameters, PathInsideEnclosingQuotes)
{
    struct { const char16_t* text; int first, count; } cases[] = {
        { u"\"C:\\q\\a b\"", 1, 8 }, { u"\"\"", 1, 0 }, { u"\"caf\u00e9\"", 1, 4 },
        { u"C:\\q", 0, 4 }, { u"", 0, 0 }, { u"\"", 0, 1 }, { u"\"a\"b\"", 0, 5 },
        { u" \"a\"", 0, 4 }, { u"\"a\" ", 0, 4 }, { u"\"a", 0, 2 }, { u"a\"", 0, 2 },
    };
    for (const auto& c : cases) {
        int len = (int)std::u16string(c.text).size(), first = -1, count = -1;
        PathInText(c.text, len, &first, &count);
        EXPECT_EQ(c.first, first) << len;
        EXPECT_EQ(c.count, count) << len;
    }
}

// Only text added at the end of a field is completed: the edit as it was
// (its text and selection) and as it is now.
TEST(CompareParameters, TextAddedAtEndOnly)
{
    struct { const char16_t* before; int selStart, selEnd; const char16_t* now; bool added; } cases[] = {
        { u"C:\\w", 4, 4, u"C:\\wo", true },                       // typed at the end
        { u"C:\\work\\sub", 4, 11, u"C:\\wo", true },            // typed over the completed tail
        { u"C:\\work\\sub", 4, 11, u"C:\\wx", true },
        { u"", 0, 0, u"C", true },
        { u"C:\\w", 0, 4, u"D:\\", true },                         // everything replaced
        { u"C:\\work\\sub", 7, 11, u"C:\\work", false },         // the selected tail cut or deleted
        { u"C:\\work\\sub", 4, 11, u"C:\\w", false },            // the completed tail removed
        { u"C:\\wor", 6, 6, u"C:\\wo", false },                    // Backspace at the end
        { u"C:\\work", 0, 7, u"", false },                         // all of it cut
        { u"C:\\work", 3, 3, u"C:\\xwork", false },                // typed inside
        { u"C:\\work", 3, 5, u"C:\\x", false },                    // a selection short of the end
        { u"C:\\work", 7, 7, u"D:\\workx", false },                // changed elsewhere as well
        { u"C:\\work\\sub", 4, 11, u"C:\\Wo", false },
        { u"C:\\w", 5, 5, u"C:\\wo", false },                      // a selection past the text
        { u"C:\\w", 3, 2, u"C:\\wo", false },
    };
    for (const auto& c : cases) {
        std::u16string before(c.before), now(c.now);
        EXPECT_EQ(c.added, AddsOnlyAtEnd(before.c_str(), (int)before.size(), c.selStart, c.selEnd, now.c_str(),
                                         (int)now.size()))
            << before.size() << " " << c.selStart << "-" << c.selEnd << " " << now.size();
    }
}

TEST(CompareParameters, LongPathsAreKeptWhole)
{
    const std::string dir1(4000, 'a'), dir2 = std::string(3998, 'b') + "\x95\x5C";
    for (bool subDir : { false, true })
        EXPECT_EQ("\"" + dir1 + "\" \"" + dir2 + "\" " + (subDir ? "" : "-D"), Params(dir1.c_str(), dir2.c_str(), subDir));
}

} // namespace
