// The settings: what a start shows of them, and what a close stores.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

// What the dialog shows of the settings.
struct Shown
{
    std::string dir1, dir2, windiff;
    Strings items1, items2;
    int check;
    int focusId;
};

Shown ReadShown()
{
    Shown s;
    s.dir1 = Text(Ctl(IDC_DIR1));
    s.dir2 = Text(Ctl(IDC_DIR2));
    s.items1 = ComboItems(IDC_DIR1);
    s.items2 = ComboItems(IDC_DIR2);
    s.windiff = Text(Ctl(IDC_WINDIFF));
    s.check = (int)::SendMessageA(Ctl(IDC_SUBDIR), BM_GETCHECK, 0, 0);
    HWND hFocus = ::GetFocus();
    if (hFocus && ::GetParent(hFocus) != MainDialog())
        hFocus = ::GetParent(hFocus);     // a combo box's edit part
    s.focusId = ::GetDlgCtrlID(hFocus);
    return s;
}

void ExpectShown(const Shown& expected, const Shown& actual, const std::string& what)
{
    EXPECT_EQ(expected.dir1, actual.dir1) << what;
    EXPECT_EQ(expected.items1, actual.items1) << what;
    EXPECT_EQ(expected.dir2, actual.dir2) << what;
    EXPECT_EQ(expected.items2, actual.items2) << what;
    EXPECT_EQ(expected.check, actual.check) << what;
    EXPECT_EQ(expected.windiff, actual.windiff) << what;
}

// Starts the program, reads what it shows, and cancels.
Shown ShowStored()
{
    Shown shown = Shown();
    Script s;
    s.Do([&] { shown = ReadShown(); }).Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    return shown;
}

TEST(Settings, FirstStartShowsTheDefaultsAndStoresThemOnClose)
{
    ToolPathGuard tool;
    tool.Set(REG_SZ, std::string("C:\\tools\\windiff.exe", 21));
    ClearSettings();
    Shown shown = ShowStored();

    Shown expected = { "", "", "C:\\tools\\windiff.exe", {}, {}, BST_CHECKED, IDC_WINDIFF };
    ExpectShown(expected, shown, "first start");
    EXPECT_EQ(IDC_WINDIFF, shown.focusId);
    EXPECT_EQ("", GetString("Dir1"));
    EXPECT_EQ("", GetString("Dir2"));
    EXPECT_EQ("1", GetString("SubDir"));
    EXPECT_EQ("C:\\tools\\windiff.exe", GetString("WinDiff"));
}

// The ways the dialog ends. Each one stores the changed settings, and the
// path field holding the focus enters its text into its list first.
enum Ending
{
    EndCancelButton,
    EndEscape,
    EndCloseBox,
    EndEnter        // OK: the comparison starts, then the dialog ends
};

std::string EndingName(Ending e)
{
    const char* names[] = { "CancelButton", "Escape", "CloseBox", "Enter" };
    return names[e];
}

class Closing : public ::testing::TestWithParam<Ending>
{
};

TEST_P(Closing, StoresWhatWasShownAndTheNextStartShowsExactlyThat)
{
    ClearSettings();
    ResetStandinLog();
    const std::string windiff = StandinPath();
    Shown atClose = Shown();
    Script s;
    s.Do([&] { SetText(Ctl(IDC_WINDIFF), windiff); });
    s.Click(IDC_SUBDIR);                                  // on by default: now off
    s.Focus(IDC_DIR2).Do([] { SetText(Ctl(IDC_DIR2), "D:\\second"); });
    s.Focus(IDC_DIR1).Type("C:\\typed");                  // the focus stays here
    s.Do([&] { atClose = ReadShown(); });
    switch (GetParam()) {
    case EndCancelButton:
        s.Click(IDCANCEL);
        break;
    case EndEscape:
        s.Key(VK_ESCAPE);
        break;
    case EndCloseBox:
        s.Do([] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, SC_CLOSE, 0); });
        break;
    case EndEnter:
        s.Key(VK_RETURN);
        break;
    }
    ASSERT_TRUE(RunProgram(s));

    Shown expectedAtClose = { "C:\\typed", "D:\\second", windiff, {}, { "D:\\second" }, BST_UNCHECKED, IDC_DIR1 };
    ExpectShown(expectedAtClose, atClose, "before closing");
    EXPECT_EQ(IDC_DIR1, atClose.focusId);

    // The typed path entered its list as the focus left it.
    EXPECT_EQ("C:\\typed|C:\\typed", GetString("Dir1"));
    EXPECT_EQ("D:\\second|D:\\second", GetString("Dir2"));
    EXPECT_EQ("0", GetString("SubDir"));
    EXPECT_EQ(windiff, GetString("WinDiff"));
    if (GetParam() == EndEnter)
        EXPECT_EQ(1u, WaitStandinRecords(1).size());
    else
        EXPECT_TRUE(StandinRecords().empty());

    // A restart shows what was there, and a close without changes stores the
    // same again.
    Shown restarted = ShowStored();
    Shown expectedNext = { "C:\\typed", "D:\\second", windiff, { "C:\\typed" }, { "D:\\second" }, BST_UNCHECKED, 0 };
    ExpectShown(expectedNext, restarted, "after a restart");
    EXPECT_EQ("C:\\typed|C:\\typed", GetString("Dir1"));
    EXPECT_EQ("D:\\second|D:\\second", GetString("Dir2"));
    EXPECT_EQ("0", GetString("SubDir"));
    EXPECT_EQ(windiff, GetString("WinDiff"));
}

INSTANTIATE_TEST_SUITE_P(Endings, Closing,
                         ::testing::Values(EndCancelButton, EndEscape, EndCloseBox, EndEnter),
                         [](const ::testing::TestParamInfo<Ending>& info) { return EndingName(info.param); });

// Stored history texts: what a field shows of one, and what it stores back.
struct HistoryCase
{
    const char* name;
    std::string stored;
    std::string text;
    Strings items;
    std::string saved;
};

const std::string kSo = "\x83\x7C";    // "ソ": its trail byte is "|"

const HistoryCase kHistoryCases[] = {
    { "Empty", "", "", {}, "" },
    { "ListOnly", "|A|B", "", { "A", "B" }, "|A|B" },
    { "TextAlsoFirstEntry", "C:\\work|C:\\work|D:\\old", "C:\\work", { "C:\\work", "D:\\old" },
      "C:\\work|C:\\work|D:\\old" },
    { "EmptyEntries", "A||B|", "A", { "", "B" }, "A||B" },
    { "SeparatorsOnly", "||", "", { "" }, "|" },
    { "TrailByteIsNoSeparator", "C:\\" + kSo + "\x83\x74\x83\x67|C:\\" + kSo + "|" + kSo + "|" + kSo,
      "C:\\" + kSo + "\x83\x74\x83\x67", { "C:\\" + kSo, kSo, kSo },
      "C:\\" + kSo + "\x83\x74\x83\x67|C:\\" + kSo + "|" + kSo + "|" + kSo },
    { "TwelveEntries", "|1|2|3|4|5|6|7|8|9|10|11|12", "", { "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12" },
      "|1|2|3|4|5|6|7|8|9|10|11|12" },
};

class StoredHistory : public ::testing::TestWithParam<HistoryCase>
{
};

TEST_P(StoredHistory, LoadsIntoBothFieldsAndStoresBackTheSame)
{
    const HistoryCase& c = GetParam();
    ClearSettings();
    SetString("Dir1", c.stored);
    SetString("Dir2", c.stored);
    Shown shown = ShowStored();

    EXPECT_EQ(c.text, shown.dir1);
    EXPECT_EQ(c.items, shown.items1);
    EXPECT_EQ(c.text, shown.dir2);
    EXPECT_EQ(c.items, shown.items2);
    EXPECT_EQ(c.saved, GetString("Dir1"));
    EXPECT_EQ(c.saved, GetString("Dir2"));
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredHistory, ::testing::ValuesIn(kHistoryCases),
                         [](const ::testing::TestParamInfo<HistoryCase>& info) {
                             return std::string(info.param.name);
                         });

// Stored "SubDir" texts ("%d" semantics): the check box shown and the value
// stored back. A stored 2 reaches the two-state box unchanged, which shows
// it checked; it is stored back as "1".
struct SubDirCase
{
    const char* name;
    bool present;
    std::string stored;
    int check;
};

const SubDirCase kSubDirCases[] = {
    { "Missing", false, "", BST_CHECKED },
    { "One", true, "1", BST_CHECKED },
    { "Zero", true, "0", BST_UNCHECKED },
    { "Empty", true, "", BST_UNCHECKED },
    { "Five", true, "5", BST_UNCHECKED },
    { "MinusOne", true, "-1", BST_UNCHECKED },
    { "Two", true, "2", BST_CHECKED },
    { "SpaceAndSign", true, " \t+1", BST_CHECKED },
    { "NumberThenText", true, "1abc", BST_CHECKED },
    { "TextThenNumber", true, "x1", BST_UNCHECKED },
    { "LeadingZeros", true, "0001", BST_CHECKED },
    { "Overflow", true, "99999999999999999999", BST_UNCHECKED },
};

class StoredSubDir : public ::testing::TestWithParam<SubDirCase>
{
};

TEST_P(StoredSubDir, ShowsTheCheckBoxAndStoresItBack)
{
    const SubDirCase& c = GetParam();
    ClearSettings();
    if (c.present)
        SetString("SubDir", c.stored);
    Shown shown = ShowStored();

    EXPECT_EQ(c.check, shown.check);
    EXPECT_EQ(c.check == BST_CHECKED ? "1" : "0", GetString("SubDir"));
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredSubDir, ::testing::ValuesIn(kSubDirCases),
                         [](const ::testing::TestParamInfo<SubDirCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
