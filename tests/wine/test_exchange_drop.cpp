// The Exchange button, and items dropped from the shell on the main dialog
// outside its path fields.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

void ExpectField(const Field& actual, const std::string& text, const Strings& items, const char* what)
{
    EXPECT_EQ(text, actual.text) << what;
    EXPECT_EQ(items, actual.items) << what;
}

// The innermost visible, enabled window at a screen point, walking down from
// the top-level window there the way the shell's drop code does: unlike
// WindowFromPoint it does not pass over static controls.
HWND InnermostWindowAt(POINT screen)
{
    HWND hWnd = ::WindowFromPoint(screen);
    if (!hWnd)
        return NULL;
    hWnd = ::GetAncestor(hWnd, GA_ROOT);
    POINT pt = screen;
    ::ScreenToClient(hWnd, &pt);
    HWND child;
    while ((child = ::ChildWindowFromPointEx(hWnd, pt, CWP_SKIPDISABLED | CWP_SKIPINVISIBLE)) && child != hWnd) {
        ::MapWindowPoints(hWnd, child, &pt, 1);
        hWnd = child;
    }
    return hWnd;
}

// The window that receives files dropped on hWnd: the nearest one, going
// up through the parents, that accepts dropped files.
HWND WindowAcceptingFiles(HWND hWnd)
{
    while (hWnd && !(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

// Drops items at a screen point as the shell does: to the window that
// accepts files there, with the point in its client coordinates.
void DropAt(POINT screen, const Strings& paths, bool wide)
{
    HWND target = WindowAcceptingFiles(InnermostWindowAt(screen));
    ASSERT_TRUE(target != NULL);
    POINT pt = screen;
    ::ScreenToClient(target, &pt);
    DropFiles(target, paths, pt, wide);
}

// A point of the main dialog's background, in screen coordinates: left of
// the Exchange button, below the second path field.
POINT BackgroundPoint()
{
    RECT rc = { 100, 88, 100, 88 };     // dialog units
    ::MapDialogRect(MainDialog(), &rc);
    POINT pt = { rc.left, rc.top };
    ::ClientToScreen(MainDialog(), &pt);
    return pt;
}

POINT CentreOf(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    return pt;
}

// Code page 932 text with a trail byte 0x5C ("\") in it.
const std::string kSecondPath = "D:\\\x95\x5C\x8E\xA6\\old";   // D:\表示\old

TEST(Exchange, SwapsThePathsAndEntersEachIntoTheFieldItMovesTo)
{
    ClearSettings();
    const std::string first = "C:\\left";
    Field after[2][2];
    Script s;
    s.Do([&] {
        SetText(Ctl(IDC_DIR1), first);
        SetText(Ctl(IDC_DIR2), kSecondPath);
    });
    for (int i = 0; i < 2; i++) {
        s.Click(IDC_EXCHANGE);
        s.Do([&after, i] {
            after[i][0] = ReadField(IDC_DIR1);
            after[i][1] = ReadField(IDC_DIR2);
        });
    }
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    ExpectField(after[0][0], kSecondPath, Strings{ kSecondPath }, "first field after one exchange");
    ExpectField(after[0][1], first, Strings{ first }, "second field after one exchange");
    // Twice restores the texts; each path is now in both histories.
    ExpectField(after[1][0], first, Strings{ first, kSecondPath }, "first field after two exchanges");
    ExpectField(after[1][1], kSecondPath, Strings{ kSecondPath, first }, "second field after two exchanges");
}

// The parameter: the field that starts empty.
class ExchangeWithEmptyField : public ::testing::TestWithParam<int>
{
};

TEST_P(ExchangeWithEmptyField, MovesTheTextAndEntersNoEmptyEntry)
{
    ClearSettings();
    const int empty = GetParam();
    const int full = empty == IDC_DIR1 ? IDC_DIR2 : IDC_DIR1;
    Field nowFull, nowEmpty;
    Script s;
    s.Do([&] {
        SetText(Ctl(full), kSecondPath);
        SetText(Ctl(empty), "");
    });
    s.Click(IDC_EXCHANGE);
    s.Do([&] {
        nowFull = ReadField(empty);
        nowEmpty = ReadField(full);
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    ExpectField(nowFull, kSecondPath, Strings{ kSecondPath }, "the field that was empty");
    ExpectField(nowEmpty, "", Strings(), "the field that held the text");
}

INSTANTIATE_TEST_SUITE_P(EitherField, ExchangeWithEmptyField, ::testing::Values(IDC_DIR1, IDC_DIR2));

// Drops on the background: the parameters are the number of items and
// whether the drop holds wide names (as the shell's own drops do).
class BackgroundDrop : public ::testing::TestWithParam<std::tuple<int, bool>>
{
};

TEST_P(BackgroundDrop, OneOrTwoItemsFillTheFieldsWithoutHistory)
{
    ClearSettings();
    const int count = std::get<0>(GetParam());
    const bool wide = std::get<1>(GetParam());
    const Strings items = { "C:\\dropped\\one.txt", "D:\\\x93\xFA\x96\x7B\\\x95\x5C", "E:\\three", "E:\\four" };
    Strings paths(items.begin(), items.begin() + count);
    bool onBackground = false;
    std::string windiffBefore, windiffAfter;
    Field first, second;
    Script s;
    s.Do([&] {
        SetText(Ctl(IDC_DIR1), "C:\\keep1");
        SetText(Ctl(IDC_DIR2), "C:\\keep2");
        windiffBefore = Text(Ctl(IDC_WINDIFF));
        onBackground = InnermostWindowAt(BackgroundPoint()) == MainDialog();
        DropAt(BackgroundPoint(), paths, wide);
    });
    s.Do([&] {
        first = ReadField(IDC_DIR1);
        second = ReadField(IDC_DIR2);
        windiffAfter = Text(Ctl(IDC_WINDIFF));
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_TRUE(onBackground) << "the point is on no control";
    ExpectField(first, count == 1 || count == 2 ? items[0] : "C:\\keep1", Strings(), "first field");
    ExpectField(second, count == 2 ? items[1] : "C:\\keep2", Strings(), "second field");
    EXPECT_EQ(windiffBefore, windiffAfter);
}

INSTANTIATE_TEST_SUITE_P(Counts, BackgroundDrop,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4), ::testing::Bool()));

TEST(DialogDrop, ItemDroppedOnTheToolPathGoesToTheFirstField)
{
    ClearSettings();
    const std::string path = "C:\\\x93\xFA\x96\x7B\\dropped.txt";    // C:\日本\dropped.txt
    int innermostId = 0;
    bool toDialog = false;
    std::string windiffBefore, windiffAfter;
    Field first, second;
    Script s;
    s.Do([&] {
        SetText(Ctl(IDC_WINDIFF), "C:\\tools\\windiff.exe");
        SetText(Ctl(IDC_DIR2), "C:\\keep2");
        windiffBefore = Text(Ctl(IDC_WINDIFF));
        POINT pt = CentreOf(Ctl(IDC_WINDIFF));
        HWND innermost = InnermostWindowAt(pt);
        innermostId = ::GetDlgCtrlID(innermost);
        toDialog = WindowAcceptingFiles(innermost) == MainDialog();
        DropAt(pt, Strings{ path }, true);
    });
    s.Do([&] {
        first = ReadField(IDC_DIR1);
        second = ReadField(IDC_DIR2);
        windiffAfter = Text(Ctl(IDC_WINDIFF));
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    // The edit does not accept files itself, so the shell hands the drop to
    // the dialog.
    EXPECT_EQ(IDC_WINDIFF, innermostId);
    EXPECT_TRUE(toDialog);
    ExpectField(first, path, Strings(), "first field");
    ExpectField(second, "C:\\keep2", Strings(), "second field");
    EXPECT_EQ(windiffBefore, windiffAfter);
}

// A dropped path of 300 bytes. The parameters: how many single-byte
// characters come before the first double-byte one, and wide names or not.
class LongDrop : public ::testing::TestWithParam<std::tuple<int, bool>>
{
};

TEST_P(LongDrop, IsCutToWholeCharactersWithinTheDropBuffer)
{
    ClearSettings();
    const int single = std::get<0>(GetParam());
    const bool wide = std::get<1>(GetParam());
    std::string path = "C:\\" + std::string(single - 3, 'x');
    while (path.size() < 300)
        path += "\x93\xFA";     // 日
    path.resize(300);
    // 259 bytes fit with the terminator; a character that would straddle
    // them is left out whole.
    const size_t expected = (259 - single) % 2 == 0 ? 259 : 258;

    Field first, second;
    bool alive = false;
    Script s;
    s.Do([&] {
        SetText(Ctl(IDC_DIR2), "C:\\keep2");
        DropAt(BackgroundPoint(), Strings{ path }, wide);
    });
    s.Do([&] {
        alive = ::IsWindow(MainDialog()) && ::IsWindowVisible(MainDialog());
        first = ReadField(IDC_DIR1);
        second = ReadField(IDC_DIR2);
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_TRUE(alive);
    EXPECT_EQ(path.substr(0, expected), first.text);
    EXPECT_TRUE(first.items.empty());
    EXPECT_EQ("C:\\keep2", second.text);
}

INSTANTIATE_TEST_SUITE_P(Cuts, LongDrop, ::testing::Combine(::testing::Values(257, 258, 259), ::testing::Bool()));

} // namespace
