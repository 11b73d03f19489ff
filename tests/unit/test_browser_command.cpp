// The browser command built from the ".htm" class's open command: cut at the
// placeholder, then a space and the address; never past the buffer. And the
// registry texts it is built from.
#include "about/BrowserCommand.h"
#include "tests/support/LeadBytes.h"

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>

namespace {

#define HYO "\x95\x5C"   // 表: second byte "\"
#define SO "\x83\x7C"    // ソ: second byte "|"

std::string Build(const char* command, const char* url, int size = BROWSER_COMMAND_SIZE,
                  const LeadByteTable& t = Cp932LeadBytes())
{
    std::string buf((size_t)size + 8, '#');
    int n = BuildBrowserCommand(command, url, &buf[0], size, t);
    EXPECT_EQ(std::string(8, '#'), buf.substr((size_t)size)) << "wrote past the buffer";
    EXPECT_EQ((int)strlen(buf.c_str()), n);
    return buf.c_str();
}

TEST(BrowserCommand, Forms)
{
    struct { const char* what; const char* command; const char* expected; } cases[] = {
        { "quoted placeholder", "C:\\b\\browser.exe \"%1\"", "C:\\b\\browser.exe  http://x/" },
        { "quoted, arguments after", "\"C:\\b.exe\" -n \"%1\" -x", "\"C:\\b.exe\" -n  http://x/" },
        { "bare placeholder", "C:\\b.exe %1 -x", "C:\\b.exe  http://x/" },
        { "no placeholder", "C:\\b.exe -nohome", "C:\\b.exe -nohome http://x/" },
        { "empty command", "", " http://x/" },
        { "unclosed quote", "C:\\b.exe \"%1", "C:\\b.exe \" http://x/" },
        { "quote not closed after", "C:\\b.exe \"%1 x\"", "C:\\b.exe \" http://x/" },
        { "quoted before bare", "b.exe %1 \"%1\"", "b.exe %1  http://x/" },
        { "only the percent", "b.exe %", "b.exe % http://x/" },
        // CP932: folders whose names end in a character with a "\" or "|"
        // trail byte do not disturb the search.
        { "cp932 folder", "C:\\" HYO "\\" SO "\\b.exe \"%1\"", "C:\\" HYO "\\" SO "\\b.exe  http://x/" },
        // '"' (0x22) and '%' (0x25) are never trail bytes in CP932, but a
        // broken command with a lead byte right before them makes them one:
        // the placeholder is not found there.
        { "lead byte before quote", "b.exe \x83\"%1\"", "b.exe \x83\" http://x/" },
        { "lead byte before percent", "b.exe \x83%1", "b.exe \x83%1 http://x/" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Build(c.command, "http://x/")) << c.what;
    EXPECT_EQ(" ", Build(NULL, NULL));
}

TEST(BrowserCommand, CutsToTheBufferOnCharacterBoundaries)
{
    // "b.exe" + " " + url; the buffer holds size - 1 text bytes.
    struct { const char* url; int size; const char* expected; } cases[] = {
        { "abc", 10, "b.exe abc" },
        { "abcd", 10, "b.exe abc" },
        { "ab" HYO, 10, "b.exe ab" },       // 表 does not fit: left out whole
        { "ab" HYO, 11, "b.exe ab" HYO },
        { "a", 6, "b.exe" },
        { "a", 5, "b.ex" },
        { "a", 1, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Build("b.exe", c.url, c.size)) << c.url << " in " << c.size;

    // A command longer than the buffer is cut, with no space after it.
    std::string longCommand = std::string(6, 'c') + HYO HYO;
    EXPECT_EQ("cccccc" HYO, Build(longCommand.c_str(), "u", 10));
    EXPECT_EQ("", Build("x", "u", 1));
}

TEST(BrowserCommand, LongRegistryTextsAndAddressesFit)
{
    const std::string command = std::string(259, 'c');
    for (int urlLen : { 0, 259, 260, 519, 5000 }) {
        std::string url;
        for (int i = 0; i < urlLen; i++)
            url += (i % 3 == 0) ? "\x83\x7C" : "u";   // mixed, so the end may fall in a character
        std::string out = Build(command.c_str(), url.c_str());
        std::string full = command + " " + url;
        ASSERT_LE(out.size(), (size_t)BROWSER_COMMAND_SIZE - 1);
        EXPECT_EQ(full.substr(0, out.size()), out);
        EXPECT_GE(out.size() + 1, std::min(full.size(), (size_t)BROWSER_COMMAND_SIZE - 1));
    }
}

// A registry default value as read, to text: only a text type, only whole,
// always terminated within REG_READ_SIZE bytes.
TEST(RegValueText, TextOnlyAndOnlyWhole)
{
    enum { NONE = 0, SZ = REG_VALUE_SZ, EXPAND_SZ = REG_VALUE_EXPAND_SZ, BINARY = 3, DWORD = 4 };
    const std::string a259(259, 'a'), b260(260, 'b');
    std::string hyo129;   // 258 bytes of 表, each with a "\" trail byte
    for (int i = 0; i < 129; i++)
        hyo129 += HYO;
    struct { const char* what; unsigned long type; std::string data; const std::string expected; } cases[] = {
        { "no value", NONE, "", "" },
        { "terminated", SZ, std::string("iexplore\0", 9), "iexplore" },
        { "no terminator", SZ, "noterm", "noterm" },
        { "expandable", EXPAND_SZ, std::string("%ProgramFiles%\\b.exe\0", 21), "%ProgramFiles%\\b.exe" },
        { "zero inside", SZ, std::string("abc\0def\0", 8), "abc" },
        { "259 and terminator", SZ, a259 + '\0', a259 },
        { "259, no terminator", SZ, a259, a259 },
        { "260, no terminator", SZ, b260, "" },
        { "260 with a zero inside", SZ, "abc" + std::string(1, '\0') + b260.substr(4), "" },
        { "trail bytes 0x5C", SZ, hyo129 + '\0', hyo129 },
        { "trail byte 0x5C last", SZ, "C:\\" HYO, "C:\\" HYO },
        { "read failed", SZ, "", "" },
        { "dword", DWORD, std::string("\x41\x41\x41\0", 4), "" },
        { "binary", BINARY, "ABC", "" },
    };
    for (const auto& c : cases) {
        char out[REG_READ_SIZE + 8];
        memset(out, '#', sizeof(out));
        int n = RegValueText(c.type, c.data.data(), (long)c.data.size(), out);
        EXPECT_EQ(c.expected, std::string(out, (size_t)n)) << c.what;
        EXPECT_EQ(0, out[c.expected.size()]) << c.what;
        EXPECT_EQ(std::string(8, '#'), std::string(out + REG_READ_SIZE, 8)) << c.what;

        // In place: out may be the bytes read.
        memcpy(out, c.data.data(), c.data.size());
        EXPECT_EQ((int)c.expected.size(), RegValueText(c.type, out, (long)c.data.size(), out)) << c.what;
        EXPECT_EQ(c.expected, std::string(out)) << c.what;
    }
}

} // namespace
