// The history text: how a stored text is split into the field's text and its
// list, and how the field's state is joined into one text.
#include "compare/HistoryText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names that no single code page holds: Hangul and an emoji (a surrogate
// pair), "ë", half-width kana, and 表, whose second byte in code page 932
// is a backslash; ソ's is a "|".
#define HANGUL L"\uD55C\uAD6D"
#define EMOJI L"\xD83D\xDE00"
#define SO L"\u30BD"
#define HYO L"\u8868"
#define ODD L"Zo\u00EB \uFF8A\uFF9F"

typedef std::vector<std::wstring> Pieces;

Pieces Split(const std::wstring& text)
{
    Pieces pieces;
    HistoryReader reader(text.data(), (int)text.size());
    const wchar_t* piece;
    int len;
    while (reader.Next(piece, len))
        pieces.push_back(std::wstring(piece, (size_t)len));
    return pieces;
}

std::wstring Join(const Pieces& pieces)
{
    CString history(pieces.empty() ? L"" : pieces[0].c_str());
    for (size_t i = 1; i < pieces.size(); i++)
        AppendHistoryEntry(history, pieces[i].data(), (int)pieces[i].size());
    return std::wstring((const wchar_t*)history, (size_t)history.GetLength());
}

struct SplitCase
{
    const wchar_t* text;
    Pieces pieces;   // [0]: the field's text, then the list
};

TEST(HistoryText, SplitsAsTheFieldRestoresIt)
{
    const SplitCase cases[] = {
        { L"", {} },
        { L"C:\\work", { L"C:\\work" } },
        { L"C:\\work|C:\\work|D:\\old", { L"C:\\work", L"C:\\work", L"D:\\old" } },
        { L"|A|B", { L"", L"A", L"B" } },             // an empty field with a list
        { L"A||B", { L"A", L"", L"B" } },             // empty pieces become empty entries
        { L"||", { L"", L"" } },
        { L"|", { L"" } },                            // a separator at the end starts no piece
        { L"A|", { L"A" } },
        { L"A||", { L"A", L"" } },
        { L"A|B|", { L"A", L"B" } },
        { L"C:\\" SO L"|D:\\" SO, { L"C:\\" SO, L"D:\\" SO } },
        { L"C:\\w\\" HANGUL L" " EMOJI L"|" ODD L"|" HYO L"\\x", { L"C:\\w\\" HANGUL L" " EMOJI, ODD, HYO L"\\x" } },
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(c.pieces, Split(c.text)) << c.text;
}

TEST(HistoryText, SplitStopsAtTheGivenLength)
{
    const wchar_t text[] = L"A|B|C";
    HistoryReader reader(text, 3);
    const wchar_t* piece;
    int len;
    ASSERT_TRUE(reader.Next(piece, len));
    EXPECT_EQ(std::wstring(L"A"), std::wstring(piece, (size_t)len));
    ASSERT_TRUE(reader.Next(piece, len));
    EXPECT_EQ(std::wstring(L"B"), std::wstring(piece, (size_t)len));
    EXPECT_FALSE(reader.Next(piece, len));
    EXPECT_FALSE(reader.Next(piece, len));   // stays used up

    HistoryReader none(NULL, 5);
    EXPECT_FALSE(none.Next(piece, len));
}

TEST(HistoryText, JoinPutsTheTextFirstAndABarBeforeEachEntry)
{
    EXPECT_EQ(L"", Join({ L"" }));
    EXPECT_EQ(L"|", Join({ L"", L"" }));
    EXPECT_EQ(L"C:\\work|C:\\work|D:\\old", Join({ L"C:\\work", L"C:\\work", L"D:\\old" }));
    EXPECT_EQ(L"|A||B", Join({ L"", L"A", L"", L"B" }));
    EXPECT_EQ(HANGUL L"|" EMOJI, Join({ HANGUL, EMOJI }));
}

// Joining and splitting again gives the same state, with one exception the
// format cannot avoid: an empty last list entry leaves only a separator at the
// end, which starts no piece.
TEST(HistoryText, RoundTrip)
{
    const Pieces states[] = {
        { L"C:\\work" },
        { L"", L"A", L"B" },
        { L"A", L"", L"B" },
        { L"", L"", L"A" },
        { L"C:\\" SO, L"D:\\" SO L"\\" HYO, ODD, L"E:\\" HANGUL EMOJI },
    };
    for (const Pieces& p : states)
        EXPECT_EQ(p, Split(Join(p))) << Join(p);

    EXPECT_EQ((Pieces{ L"A", L"B" }), Split(Join({ L"A", L"B", L"" })));
    EXPECT_EQ((Pieces{ L"A", L"" }), Split(Join({ L"A", L"", L"" })));
    EXPECT_EQ(Pieces{}, Split(Join({ L"" })));   // an empty field: nothing to restore
}

TEST(HistoryText, LongHistoriesKeepEveryEntry)
{
    Pieces p(1, L"C:\\current");
    for (int i = 0; i < 5000; i++)
        p.push_back(L"D:\\" HANGUL EMOJI L"\\entry" + std::to_wstring(i));
    EXPECT_EQ(p, Split(Join(p)));
}

} // namespace
