// The browser command built from the ".htm" class's open command: cut at the
// placeholder, then a space and the address; never past the buffer. And the
// registry texts it is built from.
#include "about/BrowserCommand.h"

#include <gtest/gtest.h>

#include <wchar.h>

#include <algorithm>
#include <string>

namespace {

// Names that no single code page holds (see test_history.cpp).
#define HANGUL L"\uD55C\uAD6D"
#define EMOJI L"\xD83D\xDE00"
#define HYO L"\u8868"

std::wstring Build(const wchar_t* command, const wchar_t* url, int size = BROWSER_COMMAND_SIZE)
{
    std::wstring buf((size_t)size + 8, L'#');
    int n = BuildBrowserCommand(command, url, &buf[0], size);
    EXPECT_EQ(std::wstring(8, L'#'), buf.substr((size_t)size)) << "wrote past the buffer";
    EXPECT_EQ((int)wcslen(buf.c_str()), n);
    return buf.c_str();
}

TEST(BrowserCommand, Forms)
{
    struct { const char* what; const wchar_t* command; const wchar_t* expected; } cases[] = {
        { "quoted placeholder", L"C:\\b\\browser.exe \"%1\"", L"C:\\b\\browser.exe  http://x/" },
        { "quoted, arguments after", L"\"C:\\b.exe\" -n \"%1\" -x", L"\"C:\\b.exe\" -n  http://x/" },
        { "bare placeholder", L"C:\\b.exe %1 -x", L"C:\\b.exe  http://x/" },
        { "no placeholder", L"C:\\b.exe -nohome", L"C:\\b.exe -nohome http://x/" },
        { "empty command", L"", L" http://x/" },
        { "unclosed quote", L"C:\\b.exe \"%1", L"C:\\b.exe \" http://x/" },
        { "quote not closed after", L"C:\\b.exe \"%1 x\"", L"C:\\b.exe \" http://x/" },
        { "quoted before bare", L"b.exe %1 \"%1\"", L"b.exe %1  http://x/" },
        { "only the percent", L"b.exe %", L"b.exe % http://x/" },
        { "any folder name", L"C:\\" HYO L"\\" HANGUL EMOJI L"\\b.exe \"%1\"", L"C:\\" HYO L"\\" HANGUL EMOJI L"\\b.exe  http://x/" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Build(c.command, L"http://x/")) << c.what;
    EXPECT_EQ(L" ", Build(NULL, NULL));
}

TEST(BrowserCommand, CutsToTheBufferOnCharacterBoundaries)
{
    // "b.exe" + " " + url; the buffer holds size - 1 characters of text.
    struct { const wchar_t* url; int size; const wchar_t* expected; } cases[] = {
        { L"abc", 10, L"b.exe abc" },
        { L"abcd", 10, L"b.exe abc" },
        { L"ab" EMOJI, 10, L"b.exe ab" },       // the emoji does not fit: left out whole
        { L"ab" EMOJI, 11, L"b.exe ab" EMOJI },
        { L"a", 6, L"b.exe" },
        { L"a", 5, L"b.ex" },
        { L"a", 1, L"" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Build(L"b.exe", c.url, c.size)) << c.url << " in " << c.size;
    EXPECT_EQ(L"", Build(L"x", L"u", 1));
}

TEST(BrowserCommand, LongRegistryTextsAndAddressesFit)
{
    const std::wstring command(259, L'c');
    for (int urlLen : { 0, 259, 260, 519, 5000 }) {
        std::wstring url;
        for (int i = 0; i < urlLen; i++)
            url += (i % 3 == 0) ? EMOJI : L"u";   // mixed, so the end may fall in a pair
        std::wstring out = Build(command.c_str(), url.c_str());
        std::wstring full = command + L" " + url;
        ASSERT_LE(out.size(), (size_t)BROWSER_COMMAND_SIZE - 1);
        EXPECT_EQ(full.substr(0, out.size()), out);
        EXPECT_GE(out.size() + 2, std::min(full.size(), (size_t)BROWSER_COMMAND_SIZE - 1));
    }
}

// A registry default value as read, to text: only a text type, only whole,
// always terminated within REG_READ_SIZE characters.
TEST(RegValueText, TextOnlyAndOnlyWhole)
{
    enum { NONE = 0, SZ = REG_VALUE_SZ, EXPAND_SZ = REG_VALUE_EXPAND_SZ, BINARY = 3, DWORD = 4 };
    const std::wstring a259(259, L'a'), b260(260, L'b');
    struct { const char* what; unsigned long type; std::wstring data; const std::wstring expected; } cases[] = {
        { "no value", NONE, L"", L"" },
        { "terminated", SZ, std::wstring(L"iexplore\0", 9), L"iexplore" },
        { "no terminator", SZ, L"noterm", L"noterm" },
        { "expandable", EXPAND_SZ, std::wstring(L"%ProgramFiles%\\b.exe\0", 21), L"%ProgramFiles%\\b.exe" },
        { "zero inside", SZ, std::wstring(L"abc\0def\0", 8), L"abc" },
        { "259 and terminator", SZ, a259 + L'\0', a259 },
        { "259, no terminator", SZ, a259, a259 },
        { "260, no terminator", SZ, b260, L"" },
        { "260 with a zero inside", SZ, L"abc" + std::wstring(1, L'\0') + b260.substr(4), L"" },
        { "names", SZ, L"C:\\" HYO L"\\" HANGUL EMOJI, L"C:\\" HYO L"\\" HANGUL EMOJI },
        { "read failed", SZ, L"", L"" },
        { "dword", DWORD, std::wstring(L"\x41\x41\0", 3), L"" },
        { "binary", BINARY, L"ABC", L"" },
    };
    for (const auto& c : cases) {
        wchar_t out[REG_READ_SIZE + 8];
        wmemset(out, L'#', REG_READ_SIZE + 8);
        int n = RegValueText(c.type, c.data.data(), (long)c.data.size(), out);
        EXPECT_EQ(c.expected, std::wstring(out, (size_t)n)) << c.what;
        EXPECT_EQ(0, out[c.expected.size()]) << c.what;
        EXPECT_EQ(std::wstring(8, L'#'), std::wstring(out + REG_READ_SIZE, 8)) << c.what;

        // In place: out may be the characters read.
        wmemcpy(out, c.data.data(), c.data.size());
        EXPECT_EQ((int)c.expected.size(), RegValueText(c.type, out, (long)c.data.size(), out)) << c.what;
        EXPECT_EQ(c.expected, std::wstring(out)) << c.what;
    }
}

} // namespace
