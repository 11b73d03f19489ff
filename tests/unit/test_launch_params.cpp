// The parameter text for the comparison tool: "\"%s\" \"%s\" %s" with the
// option, and a path's trailing backslashes doubled before its closing quote.
#include "compare/LaunchParams.h"
#include "compare/PathText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Names that no single code page holds (see test_history.cpp).
#define HANGUL L"\uD55C\uAD6D"
#define EMOJI L"\xD83D\xDE00"
#define HYO L"\u8868"
#define ODD L"Zo\u00EB \uFF8A\uFF9F"

std::wstring Text(const CString& s)
{
    return std::wstring((const wchar_t*)s, (size_t)s.GetLength());
}

std::wstring Params(const wchar_t* dir1, const wchar_t* dir2, bool subDir)
{
    return Text(BuildCompareParameters(dir1, dir2, subDir));
}

TEST(CompareParameters, ExactForm)
{
    struct { const wchar_t* dir1; const wchar_t* dir2; bool subDir; const wchar_t* params; } cases[] = {
        { L"", L"", false, L"\"\" \"\" -D" },          // eight characters
        { L"", L"", true, L"\"\" \"\" " },
        { NULL, NULL, true, L"\"\" \"\" " },
        { L"C:\\a", L"D:\\b c", false, L"\"C:\\a\" \"D:\\b c\" -D" },
        { L"  a \"q\" ", L"\u30BD|", true, L"\"  a \"q\" \" \"\u30BD|\" " },   // passed as they stand
        // Trailing backslashes are doubled; inner ones and lone quotes are not.
        { L"C:\\", L"C:\\work dir\\", false, L"\"C:\\\\\" \"C:\\work dir\\\\\" -D" },
        { L"\\\\srv\\share\\\\", L"a\\b", true, L"\"\\\\srv\\share\\\\\\\\\" \"a\\b\" " },
        { L"\\", L"x\\\"", true, L"\"\\\\\" \"x\\\"\" " },
        // Every character is the path's own, whatever the code page.
        { L"C:\\w\\" HANGUL L" " EMOJI, L"C:\\" ODD L"\\", false,
          L"\"C:\\w\\" HANGUL L" " EMOJI L"\" \"C:\\" ODD L"\\\\\" -D" },
        { L"C:\\" HYO, L"C:\\" HYO L"\\", true, L"\"C:\\" HYO L"\" \"C:\\" HYO L"\\\\\" " },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.params, Params(c.dir1, c.dir2, c.subDir)) << (c.dir1 ? c.dir1 : L"(null)");
}

// The tool's file name (any case, any folder) chooses its form; any other
// gets WinDiff's. The tools with a form of their own read Unicode.
// WinMerge 2.16.32 and later get "/r-" with the box off.
TEST(CompareParameters, EachKnownToolGetsItsOwnForm)
{
    const std::wstring paths = L"\"C:\\\\\" \"D:\\a b\\\\\"";   // C:\ and D:\a b\, the same for every tool
    const struct { const wchar_t* tool; bool subDir; const wchar_t* before; const wchar_t* after; ToolVersion version = 0; } cases[] = {
        { L"C:\\Program Files\\WinMerge\\WinMergeU.exe", true, L"/r ", L"" }, { L"winmerge.EXE", false, L"", L"" },
        { L"C:/x/KDIFF3.exe", true, L"", L"" }, { L"meld.exe", false, L"", L"" }, { L"C:Meld.exe", true, L"", L"" },
        { L"\\\\s\\bc\\BCompare.exe", false, L"", L"" }, { L"BComp.exe", true, L"", L"" }, { L"", false, L"", L" -D" },
        { L"C:\\tools\\WINDIFF.EXE", false, L"", L" -D" }, { L"C:\\tools\\mydiff.cmd", true, L"", L" " },
        { L"WinMergeU.exe.bak", true, L"", L" " }, { L"C:\\" HANGUL L" " EMOJI L"\\WinMergeU.exe", true, L"/r ", L"" },
        { L"C:\\" HYO L"\\Meld.exe", false, L"", L"" }, { L"C:\\" ODD L"\\WinDiff.exe", true, L"", L" " },
        { L"WinMergeU.exe", false, L"/r- ", L"", MakeToolVersion(2, 16, 32, 0) }, { L"Meld.exe", false, L"", L"", ~0ull },
        { L"WinMerge.exe", false, L"", L"", MakeToolVersion(2, 16, 31, 65535) }, { L"WinMergeU.exe", true, L"/r ", L"", ~0ull },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.before + paths + c.after, Text(BuildToolParameters(c.tool, L"C:\\", L"D:\\a b\\", c.subDir, c.version))) << c.tool;
        EXPECT_EQ(*c.after == 0, ToolReadsUnicode(c.tool)) << c.tool;
    }
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
        { u"C:\\\xD83D", 4, 4, u"C:\\\xD83D\xDE00", true },           // an emoji typed in two halves
        { u"C:\\\uD55C\xD83D\xDE00", 6, 6, u"C:\\\uD55C", false },    // and removed whole
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
    const std::wstring dir1(4000, L'a'), dir2 = std::wstring(3998, L'b') + HANGUL EMOJI;
    for (bool subDir : { false, true })
        EXPECT_EQ(L"\"" + dir1 + L"\" \"" + dir2 + L"\" " + (subDir ? L"" : L"-D"), Params(dir1.c_str(), dir2.c_str(), subDir));
}

} // namespace
