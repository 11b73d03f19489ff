// The browser command built from the ".htm" class's open command: cut at the
// placeholder, then a space and the address; never past the buffer.
#include "about/BrowserCommand.h"

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

} // namespace
