// The history text: how a stored text is split into the field's text and its
// list, and how the field's state is joined into one text.
#include "compare/HistoryText.h"
#include "tests/support/LeadBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

#define SO "\x83\x7C"    // ソ: its second byte is a "|"
#define HYO "\x95\x5C"   // 表

typedef std::vector<std::string> Pieces;

Pieces Split(const std::string& text, const LeadByteTable& t = Cp932LeadBytes())
{
    Pieces pieces;
    HistoryReader reader(text.data(), (int)text.size(), t);
    const char* piece;
    int len;
    while (reader.Next(piece, len))
        pieces.push_back(std::string(piece, (size_t)len));
    return pieces;
}

std::string Join(const Pieces& pieces)
{
    CString history(pieces.empty() ? "" : pieces[0].c_str());
    for (size_t i = 1; i < pieces.size(); i++)
        AppendHistoryEntry(history, pieces[i].data(), (int)pieces[i].size());
    return std::string((const char*)history, (size_t)history.GetLength());
}

struct SplitCase
{
    const char* text;
    Pieces pieces;   // [0]: the field's text, then the list
};

TEST(HistoryText, SplitsAsTheFieldRestoresIt)
{
    const SplitCase cases[] = {
        { "", {} },
        { "C:\\work", { "C:\\work" } },
        { "C:\\work|C:\\work|D:\\old", { "C:\\work", "C:\\work", "D:\\old" } },
        { "|A|B", { "", "A", "B" } },                 // an empty field with a list
        { "A||B", { "A", "", "B" } },                 // empty pieces become empty entries
        { "||", { "", "" } },
        { "|", { "" } },                              // a separator at the end starts no piece
        { "A|", { "A" } },
        { "A||", { "A", "" } },
        { "A|B|", { "A", "B" } },
        { "C:\\" SO "|D:\\" SO, { "C:\\" SO, "D:\\" SO } },   // ソ's "|" is no separator
        { SO SO "|" SO, { SO SO, SO } },
        { "C:\\" HYO "\\x|y", { "C:\\" HYO "\\x", "y" } },
        { "A|B\x83", { "A", "B\x83" } },              // a lone lead byte at the end stays
        { "A\x83|B", { "A\x83|B" } },                 // a lead byte takes the "|" after it
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(c.pieces, Split(c.text)) << c.text;
}

TEST(HistoryText, SplitStopsAtTheGivenLength)
{
    const char text[] = "A|B|C";
    HistoryReader reader(text, 3, Cp932LeadBytes());
    const char* piece;
    int len;
    ASSERT_TRUE(reader.Next(piece, len));
    EXPECT_EQ(std::string("A"), std::string(piece, (size_t)len));
    ASSERT_TRUE(reader.Next(piece, len));
    EXPECT_EQ(std::string("B"), std::string(piece, (size_t)len));
    EXPECT_FALSE(reader.Next(piece, len));
    EXPECT_FALSE(reader.Next(piece, len));   // stays used up

    HistoryReader none(NULL, 5, Cp932LeadBytes());
    EXPECT_FALSE(none.Next(piece, len));
}

TEST(HistoryText, SingleByteCodePageSplitsAtEveryBar)
{
    EXPECT_EQ((Pieces{ "\x83", "A" }), Split(SO "A", SingleByteLeadBytes()));
}

TEST(HistoryText, JoinPutsTheTextFirstAndABarBeforeEachEntry)
{
    EXPECT_EQ("", Join({ "" }));
    EXPECT_EQ("|", Join({ "", "" }));
    EXPECT_EQ("C:\\work|C:\\work|D:\\old", Join({ "C:\\work", "C:\\work", "D:\\old" }));
    EXPECT_EQ("|A||B", Join({ "", "A", "", "B" }));
    EXPECT_EQ(SO "|" SO, Join({ SO, SO }));
}

// Joining and splitting again gives the same state, with one exception the
// format cannot avoid: an empty last list entry leaves only a separator at the
// end, which starts no piece.
TEST(HistoryText, RoundTrip)
{
    const Pieces states[] = {
        { "C:\\work" },
        { "", "A", "B" },
        { "A", "", "B" },
        { "", "", "A" },
        { "C:\\" SO, "D:\\" SO "\\" HYO, SO },
        { "X", "Y\x83" },   // a lone lead byte may end the last piece
    };
    for (const Pieces& p : states)
        EXPECT_EQ(p, Split(Join(p))) << Join(p);

    EXPECT_EQ((Pieces{ "A", "B" }), Split(Join({ "A", "B", "" })));
    EXPECT_EQ((Pieces{ "A", "" }), Split(Join({ "A", "", "" })));
    EXPECT_EQ(Pieces{}, Split(Join({ "" })));   // an empty field: nothing to restore
}

TEST(HistoryText, LongHistoriesKeepEveryEntry)
{
    Pieces p(1, "C:\\current");
    for (int i = 0; i < 5000; i++)
        p.push_back("D:\\" SO "\\entry" + std::to_string(i));
    EXPECT_EQ(p, Split(Join(p)));
}

// A history stored exactly, in UTF-16, is joined entry by entry as well (how
// its cost grows is the bench's matter: tests/bench/bench_history.cpp).
TEST(HistoryText, ExactHistoryJoinsEveryEntry)
{
    const std::wstring entry = L"D:\\\u30bd\\\u0100-project\\src";
    std::wstring expected = L"C:\\current";
    CWideString history;
    history += expected.c_str();
    for (int i = 0; i < 1000; i++, expected += L"|" + entry)
        AppendHistoryEntry(history, entry.data(), (int)entry.size());
    EXPECT_EQ(expected, std::wstring((const wchar_t*)history, (size_t)history.GetLength()));
}

} // namespace
