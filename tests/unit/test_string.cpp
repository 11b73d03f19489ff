// CString: lengths in bytes, texts with zero bytes, appending to itself, and
// the writable buffer.
#include "framework/String.h"
#include "framework/WideString.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <utility>

namespace {

std::string Bytes(const CString& s) { return std::string((const char*)s, (size_t)s.GetLength()); }

TEST(CString, Construction)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString((const char*)NULL).IsEmpty());
    EXPECT_EQ(0, CString("").GetLength());
    EXPECT_EQ(std::string("a\0b", 3), Bytes(CString("a\0b", 3)));
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_STREQ("", (const char*)CString());
    EXPECT_EQ("abcdef", Bytes("ab" + CString("cd") + "ef"));
    // Always terminated.
    CString s("abc", 2);
    EXPECT_EQ(0, ((const char*)s)[2]);
}

TEST(CString, AssignmentAndAppendFromItself)
{
    CString s("abcdef");
    s.Append(s, s.GetLength());
    EXPECT_EQ("abcdefabcdef", Bytes(s));
    s = (const char*)s + 9;            // a tail of its own text
    EXPECT_EQ("def", Bytes(s));
    s.Append((const char*)s + 1, 2);   // part of itself, the buffer may move
    EXPECT_EQ("defef", Bytes(s));
    const CString& same = s;
    s = same;
    EXPECT_EQ("defef", Bytes(s));
    s = (const char*)NULL;
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, ManyAppendsKeepEverything)
{
    CString s;
    std::string expected;
    for (int i = 0; i < 10000; i++) {
        char ch = (char)('a' + i % 26);
        s += ch;
        expected += ch;
    }
    EXPECT_EQ(expected, Bytes(s));
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ("", (const char*)s);
}

// CWideString: the same buffer rules in UTF-16; a text ends at its first
// zero, also one written through GetBuffer.
TEST(CWideString, AppendAndBuffer)
{
    CWideString s;
    EXPECT_EQ(0, s.GetLength());
    EXPECT_STREQ(L"", (const wchar_t*)s);
    s += L"abc";
    s.Append(L"de\0f", 4);
    EXPECT_STREQ(L"abcde", (const wchar_t*)s);
    s.Append(s, s.GetLength());          // from itself, across a new buffer
    s.Append(s, 2);
    EXPECT_STREQ(L"abcdeabcdeab", (const wchar_t*)s);
    wchar_t* p = s.GetBuffer(3);
    ASSERT_TRUE(p != NULL);
    p[2] = 0;
    EXPECT_EQ(2, s.GetLength());
    s.Append(L"xyz", 3);
    EXPECT_STREQ(L"abxyz", (const wchar_t*)s);
    CWideString moved(std::move(s));
    EXPECT_STREQ(L"abxyz", (const wchar_t*)moved);
    EXPECT_EQ(0, s.GetLength());
    moved.Empty();
    EXPECT_STREQ(L"", (const wchar_t*)moved);
}

TEST(CString, LeftClamps)
{
    const CString s("abcdef");
    struct { int n; const char* left; } cases[] = { { -3, "" }, { 0, "" }, { 2, "ab" }, { 6, "abcdef" }, { 99, "abcdef" } };
    for (const auto& c : cases)
        EXPECT_EQ(c.left, Bytes(s.Left(c.n))) << c.n;
}

TEST(CString, BufferRoundTrip)
{
    CString s("abc");
    char* p = s.GetBuffer(300);
    ASSERT_TRUE(p != NULL);
    EXPECT_STREQ("abc", p);              // the old text is kept
    memset(p, 'x', 300);
    p[300] = 0;                          // room for the terminator as well
    s.ReleaseBuffer();
    EXPECT_EQ(300, s.GetLength());

    p = s.GetBuffer(10);
    strcpy(p, "hi");
    s.ReleaseBuffer();
    EXPECT_EQ("hi", Bytes(s));

    p = s.GetBuffer(10);
    memcpy(p, "a\0b", 3);
    s.ReleaseBuffer(3);                  // explicit length keeps zero bytes
    EXPECT_EQ(std::string("a\0b", 3), Bytes(s));

    CString empty;
    p = empty.GetBuffer(0);
    ASSERT_TRUE(p != NULL);
    p[0] = 0;
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
    empty.ReleaseBuffer(5);              // never past what was reserved
    EXPECT_LE(empty.GetLength(), 1);
}

} // namespace
