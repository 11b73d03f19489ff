// Double-byte aware searching and cutting, with code page 932's lead bytes.
// In CP932 a trail byte is 0x40-0x7E or 0x80-0xFC, so "\" (0x5C) and "|"
// (0x7C) can be the second byte of a character ("表" is 0x95 0x5C, "ソ" is
// 0x83 0x7C) while '"', '%', '.', ':' and '/' cannot.
#include "tests/support/LeadBytes.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>

namespace {

const LeadByteTable& cp932 = Cp932LeadBytes();

#define HYO "\x95\x5C"   // 表
#define SO "\x83\x7C"    // ソ
#define NO "\x83\x6D"    // ノ

int FindStr(const std::string& s, const std::string& sub)
{
    return MbsFindStr(s.data(), (int)s.size(), sub.data(), (int)sub.size(), cp932);
}

// A table's lead bytes as ranges: "81-9F E0-FC".
std::string RangesOf(const LeadByteTable& t)
{
    std::string out;
    char buf[16];
    for (int b = 0; b < 256; b++) {
        if (!t.IsLead((unsigned char)b) || (b > 0 && t.IsLead((unsigned char)(b - 1))))
            continue;
        int last = b;
        while (last < 255 && t.IsLead((unsigned char)(last + 1)))
            last++;
        snprintf(buf, sizeof(buf), "%s%02X-%02X", out.empty() ? "" : " ", b, last);
        out += buf;
    }
    return out;
}

// The ranges as Windows gives them for the system's code page: a pair of
// zeros ends them, and so does the end of the array.
TEST(Mbcs, LeadBytesFromRanges)
{
    const unsigned char ranges[12] = { 0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0xA1, 0xDF };
    const unsigned char full[4] = { 0x81, 0x82, 0xA1, 0xA1 };
    struct { const unsigned char* ranges; int count; const char* leads; } cases[] = {
        { ranges, 12, "81-9F E0-FC" }, { ranges, 2, "81-9F" }, { ranges, 3, "81-9F" },
        { ranges, 0, "" }, { full, 4, "81-82 A1-A1" },
    };
    for (const auto& c : cases) {
        LeadByteTable t;
        memset(&t, 1, sizeof(t));
        LeadBytesFromRanges(t, c.ranges, c.count);
        EXPECT_EQ(c.leads, RangesOf(t)) << c.count;
    }
    // The tables of the other tests, made the same way: 932, 936 and a single-byte one.
    EXPECT_EQ("81-9F E0-FC|81-FE|",
              RangesOf(cp932) + "|" + RangesOf(Cp936LeadBytes()) + "|" + RangesOf(SingleByteLeadBytes()));
}

struct FindCase
{
    const char* text;
    char ch;
    int first, last;
    const LeadByteTable* t = &cp932;
};

TEST(Mbcs, FindSkipsTrailBytes)
{
    const FindCase cases[] = {
        { "", '|', -1, -1 },
        { "a|b|c", '|', 1, 3 },
        { SO, '|', -1, -1 },                         // the trail byte of ソ is no "|"
        { SO "|" SO, '|', 2, 2 },
        { "|" SO SO "|", '|', 0, 5 },
        { "C:\\" HYO "\\x", '\\', 2, 5 },            // the trail byte of 表 is no "\"
        { HYO HYO, '\\', -1, -1 },
        { "ab\x83", '\x83', 2, 2 },                  // a lead byte at the end stands alone
        { "\x83" "ab", 'a', -1, -1 },                // ...but not before another byte
        { "\x83" "ab", 'b', 2, 2 },
        { "x\x83|", '|', -1, -1 },                   // lead byte + "|" is one character
        { "\xE0|\xFC|\xA0|", '|', 5, 5 },            // 0xA0 (half-width range) is no lead byte
        // In 936 the half-width range leads too: 誠 is 0xD5 0x5C, 0xB1 0x7C one character.
        { "C:\\\xD5\x5C", '\\', 2, 2, &Cp936LeadBytes() },
        { "C:\\\xD5\x5C", '\\', 2, 4, &cp932 },    // ﾕ and a backslash
        { "\xB1\x7C|\xA0|", '|', 2, 2, &Cp936LeadBytes() },   // 0xA0 takes the last "|"
        { "\xFE|\xFF|", '|', 3, 3, &Cp936LeadBytes() },
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(c.first, MbsFind(c.text, (int)strlen(c.text), c.ch, *c.t)) << c.text;
        EXPECT_EQ(c.last, MbsFindLast(c.text, (int)strlen(c.text), c.ch, *c.t)) << c.text;
    }
}

TEST(Mbcs, FindStopsAtTheGivenLength)
{
    const char text[] = "ab|cd|";
    EXPECT_EQ(-1, MbsFind(text, 2, '|', cp932));
    EXPECT_EQ(2, MbsFindLast(text, 5, '|', cp932));
    // A lead byte at the end of the range does not take the byte after it.
    const char lead[] = "a\x83|";
    EXPECT_EQ(1, MbsFind(lead, 2, '\x83', cp932));
}

TEST(Mbcs, SingleByteTableTreatsEveryByteAlone)
{
    const std::string s = SO "|";
    EXPECT_EQ(1, MbsFind(s.data(), (int)s.size(), '|', SingleByteLeadBytes()));
}

TEST(Mbcs, FindStrMatchesWholeCharactersOnly)
{
    struct { const char* text; const char* sub; int expected; } cases[] = {
        { "abc", "", 0 },
        { "", "a", -1 },
        { "prog \"%1\"", "\"%1\"", 5 },
        { "prog %1 x", "%1", 5 },
        { "prog %", "%1", -1 },
        { HYO "%1", "%1", 2 },
        { "\x83%1", "%1", -1 },          // a lead byte takes the "%" as its second byte
        { "\x83%1 %1", "%1", 4 },
        { SO, "|", -1 },
        { SO "|", "|", 2 },
        { NO "m", "m", 2 },              // ノ is 0x83 0x6D: its trail byte is an "m"
        { "a\x83", "\x83", 1 },          // the lone lead byte at the end is a character
        { HYO, "\x95", -1 },             // half of a character is no match
        { "x" HYO "y", HYO, 1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, FindStr(c.text, c.sub)) << c.text << " / " << c.sub;
}

TEST(Mbcs, ReplaceCharLeavesTrailBytes)
{
    std::string s = "a|" SO "|" HYO "|";
    MbsReplaceChar(&s[0], (int)s.size(), '|', '\0', cp932);
    EXPECT_EQ(std::string("a\0" SO "\0" HYO "\0", 8), s);

    // A replacement that is itself a lead byte does not change the walk.
    std::string t = "a|" SO "|b";
    MbsReplaceChar(&t[0], (int)t.size(), '|', '\x83', cp932);
    EXPECT_EQ("a\x83" SO "\x83" "b", t);
}

TEST(Mbcs, SafeCutNeverSplitsACharacter)
{
    const std::string s = "ab" HYO "c" SO;   // characters start at 0 1 2 4 5, length 7
    const int expected[] = { 0, 1, 2, 2, 4, 5, 5, 7, 7 };
    for (int max = 0; max <= 8; max++)
        EXPECT_EQ(expected[max], MbsSafeCut(s.data(), (int)s.size(), max, cp932)) << max;
    EXPECT_EQ(0, MbsSafeCut(s.data(), (int)s.size(), -1, cp932));
    // A lone lead byte at the very end is a whole character.
    const std::string lone = "ab\x83";
    EXPECT_EQ(3, MbsSafeCut(lone.data(), 3, 3, cp932));
    EXPECT_EQ(2, MbsSafeCut(lone.data(), 3, 2, cp932));
}

TEST(Mbcs, AppNameFromModulePath)
{
    struct { const char* path; const char* name; } cases[] = {
        { "C:\\Tools\\Pelorin.exe", "Pelorin" },
        { "C:\\Tools\\Other Name.EXE", "Other Name" },
        { "Pelorin.exe", "Pelorin" },
        { "C:Pelorin.exe", "Pelorin" },
        { "C:/Tools/Pelorin.exe", "Pelorin" },
        { "\\\\server\\share\\a.b.exe", "a.b" },       // only the last dot ends the name
        { "C:\\v1.2\\Pelorin", "Pelorin" },            // a dot in a folder is not the extension
        { "C:\\v1.2\\Pelorin.", "Pelorin" },
        { "C:\\" HYO "\\Pelorin.exe", "Pelorin" },
        { "C:\\x\\" HYO "\\" SO ".exe", SO },
        { "C:\\" HYO ".exe", HYO },                    // 表's second byte is no separator
        { "C:\\Tools\\", "" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.name, AppNameFromModulePath(c.path, cp932)) << c.path;
    EXPECT_TRUE(AppNameFromModulePath(NULL, cp932).IsEmpty());
}

} // namespace
