// CString: lengths in characters, texts with zeros, appending to itself, the
// writable buffer, and the application name from a module path.
#include "framework/String.h"

#include <gtest/gtest.h>

#include <wchar.h>
#include <string>

namespace {

std::wstring Text(const CString& s) { return std::wstring((const wchar_t*)s, (size_t)s.GetLength()); }

TEST(CString, Construction)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString((const wchar_t*)NULL).IsEmpty());
    EXPECT_EQ(0, CString(L"").GetLength());
    EXPECT_EQ(std::wstring(L"a\0b", 3), Text(CString(L"a\0b", 3)));
    EXPECT_TRUE(CString(L"abc", -1).IsEmpty());
    EXPECT_STREQ(L"", (const wchar_t*)CString());
    EXPECT_EQ(L"abcdef", Text(L"ab" + CString(L"cd") + L"ef"));
    // Always terminated.
    CString s(L"abc", 2);
    EXPECT_EQ(0, ((const wchar_t*)s)[2]);
}

TEST(CString, AssignmentAndAppendFromItself)
{
    CString s(L"abcdef");
    s.Append(s, s.GetLength());
    EXPECT_EQ(L"abcdefabcdef", Text(s));
    s = (const wchar_t*)s + 9;            // a tail of its own text
    EXPECT_EQ(L"def", Text(s));
    s.Append((const wchar_t*)s + 1, 2);   // part of itself, the buffer may move
    EXPECT_EQ(L"defef", Text(s));
    const CString& same = s;
    s = same;
    EXPECT_EQ(L"defef", Text(s));
    s = (const wchar_t*)NULL;
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, ManyAppendsKeepEverything)
{
    CString s;
    std::wstring expected;
    for (int i = 0; i < 10000; i++) {
        wchar_t ch = (wchar_t)(L'a' + i % 26);
        s += ch;
        expected += ch;
    }
    EXPECT_EQ(expected, Text(s));
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(L"", (const wchar_t*)s);
}

TEST(CString, LeftClamps)
{
    const CString s(L"abcdef");
    struct { int n; const wchar_t* left; } cases[] = { { -3, L"" }, { 0, L"" }, { 2, L"ab" }, { 6, L"abcdef" }, { 99, L"abcdef" } };
    for (const auto& c : cases)
        EXPECT_EQ(c.left, Text(s.Left(c.n))) << c.n;
}

TEST(CString, BufferRoundTrip)
{
    CString s(L"abc");
    wchar_t* p = s.GetBuffer(300);
    ASSERT_TRUE(p != NULL);
    EXPECT_STREQ(L"abc", p);              // the old text is kept
    wmemset(p, L'x', 300);
    p[300] = 0;                          // room for the terminator as well
    s.ReleaseBuffer();
    EXPECT_EQ(300, s.GetLength());

    p = s.GetBuffer(10);
    wcscpy(p, L"hi");
    s.ReleaseBuffer();
    EXPECT_EQ(L"hi", Text(s));

    p = s.GetBuffer(10);
    wmemcpy(p, L"a\0b", 3);
    s.ReleaseBuffer(3);                  // explicit length keeps zeros
    EXPECT_EQ(std::wstring(L"a\0b", 3), Text(s));

    CString empty;
    p = empty.GetBuffer(0);
    ASSERT_TRUE(p != NULL);
    p[0] = 0;
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
    empty.ReleaseBuffer(5);              // never past what was reserved
    EXPECT_LE(empty.GetLength(), 1);
}

// The name is what follows the last separator, up to its last dot; every
// other character is the name's own, a surrogate pair and a 0x5C that is
// the trail byte of a character in code page 932 (表) included.
TEST(AppName, FromModulePath)
{
    struct { const wchar_t* path; const wchar_t* name; } cases[] = {
        { L"C:\\a\\Pelorin.exe", L"Pelorin" },
        { L"C:\\\u8868\\\u8868.exe", L"\u8868" },
        { L"C:\\w\\\uD55C\uAD6D \xD83D\xDE00.v1.exe", L"\uD55C\uAD6D \xD83D\xDE00.v1" },
        { L"D:/Zo\u00EB/\uFF8A\uFF9F.x", L"\uFF8A\uFF9F" },
        { L"C:\\a.b\\tool", L"tool" },
        { L"E:name", L"name" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.name), Text(AppNameFromModulePath(c.path)));
    EXPECT_TRUE(AppNameFromModulePath(NULL).IsEmpty());
}

} // namespace
