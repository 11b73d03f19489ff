// The command line Pelorin is started with, split into its program name and
// its paths; and which paths are full.
#include "compare/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<std::u16string> Args;

// The program's name, then every path; out has no room to spare.
Args Split(const std::u16string& line)
{
    std::vector<char16_t> out(line.size());
    Args args;
    int pos = 0, n = NextArgument(line.data(), (int)line.size(), &pos, out.data());
    for (; n >= 0; n = NextPath(line.data(), (int)line.size(), &pos, out.data()))
        args.push_back(std::u16string(out.data(), (size_t)n));
    EXPECT_EQ((int)line.size(), pos);
    return args;
}

TEST(CommandLine, SplitsAsTheShellQuotes)
{
    const struct
    {
        std::u16string line;
        Args args;
    } cases[] = {
        { u" \t", {} },
        { u"\"C:\\Program Files\\Pelorin.exe\" \"C:\\My files\\a\"\t D:\\b  ",
          { u"C:\\Program Files\\Pelorin.exe", u"C:\\My files\\a", u"D:\\b" } },
        // Drive roots as the shell quotes them: the backslash stays, the
        // quote closes, the next path is its own. Backslashes are always
        // themselves, doubled or not; a run at the end is one (the C
        // runtime's quoting of C:\a b\), a drive root's included.
        { u"p \"D:\\\" \"E:\\x\" \"C:\\a b\\\\\" D:\\\\ \\\\srv\\s\\\\\\ \\\\s\\\\x\\",
          { u"p", u"D:\\", u"E:\\x", u"C:\\a b\\", u"D:\\", u"\\\\srv\\s\\", u"\\\\s\\\\x\\" } },
        // Quotes only group, wherever they stand, and are never kept; an
        // argument empty or only blanks is no path.
        { u"p C:\\a\" b\"\\c \"x\"\"y\" \"\" \" \t \" \"open b", { u"p", u"C:\\a b\\c", u"xy", u"open b" } },
        { u"\"C:\\x y\\p.exe\"a b", { u"C:\\x y\\p.exea", u"b" } },
        // Characters outside any code page pass as they are.
        { u"p \"C:\\caf\u00e9\" C:\\\ud55c\uad6d", { u"p", u"C:\\caf\u00e9", u"C:\\\ud55c\uad6d" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.args, Split(c.line)) << ::testing::PrintToString(c.line);
}

TEST(CommandLine, FullPathsNameTheirDriveOrServer)
{
    const struct
    {
        std::u16string path;
        bool full;
    } cases[] = {
        { u"C:\\", true },    { u"z:/x", true },  { u"\\\\srv\\share", true }, { u"//srv/share", true },
        { u"\\\\?\\C:\\x", true }, { u"C:", false }, { u"C:x", false },    { u"\\x", false },
        { u"/x", false },     { u"x\\y", false }, { u"..\\x", false },      { u"", false },
        { u"1:\\x", false },  { u"\u00c4:\\x", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.full, IsFullPath(c.path.data(), (int)c.path.size())) << ::testing::PrintToString(c.path);
}

} // namespace
