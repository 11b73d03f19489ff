// The Exchange button; items dropped from the shell on the main dialog
// outside its path fields; and names no code page holds, dropped on the
// dialog or on a field.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

// Code page 932 text with a trail byte 0x5C ("\") in it.
const std::string kSecondPath = "D:\\\x95\x5C\x8E\xA6\\old";   // D:\表示\old

// The innermost visible, enabled window at a screen point, walking down from
// the top-level window there the way the shell's drop code does: unlike
// WindowFromPoint it does not pass over static controls.
HWND InnermostWindowAt(POINT screen)
{
    HWND hWnd = ::GetAncestor(::WindowFromPoint(screen), GA_ROOT);
    POINT pt = screen;
    ::ScreenToClient(hWnd, &pt);
    HWND child;
    while (hWnd && (child = ::ChildWindowFromPointEx(hWnd, pt, CWP_SKIPDISABLED | CWP_SKIPINVISIBLE)) && child != hWnd) {
        ::MapWindowPoints(hWnd, child, &pt, 1);
        hWnd = child;
    }
    return hWnd;
}

// Drops items at a screen point as the shell does: to the nearest window
// there, going up through the parents, that accepts dropped files, with the
// point in its client coordinates; or, when toDialog, to the main dialog
// itself, as Wine 10 posts a drop from the Linux desktop. Returns the window
// that accepts files there and sets the drop's handle.
HWND DropAt(POINT screen, const Strings& paths, bool wide, bool toDialog, std::string& hDrop)
{
    HWND target = InnermostWindowAt(screen);
    while (target && !(::GetWindowLongPtrA(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        target = ::GetParent(target);
    HWND to = toDialog ? MainDialog() : target;
    POINT pt = screen;
    ::ScreenToClient(to, &pt);
    hDrop = DropFiles(to, paths, pt, wide);
    return target;
}

// A point of the main dialog's background: left of the Exchange button,
// below the second path field.
POINT BackgroundPoint()
{
    RECT rc = DialogRect(MainDialog(), 100, 88, 0, 0);
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

} // namespace

// Each text moves to the other field and enters that field's history; an
// empty text enters none. Twice restores the texts, with each path now in
// both histories.
TEST(Exchange, SwapsThePathsAndEntersEachIntoTheFieldItMovesTo)
{
    ClearSettings();
    const std::string first = "C:\\left";
    Field after[3][2];
    Script s;
    s.Do([&] {
        SetText(Ctl(IDC_DIR1), first);
        SetText(Ctl(IDC_DIR2), kSecondPath);
    });
    for (int i = 0; i < 3; i++) {
        if (i == 2)
            s.Do([] { SetText(Ctl(IDC_DIR2), ""); });   // one field empty
        s.Click(IDC_EXCHANGE).Do([&after, i] {
            after[i][0] = ReadField(IDC_DIR1);
            after[i][1] = ReadField(IDC_DIR2);
        });
    }
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ(kSecondPath, after[0][0].text);
    EXPECT_EQ(Strings{ kSecondPath }, after[0][0].items);
    EXPECT_EQ(first, after[0][1].text);
    EXPECT_EQ(Strings{ first }, after[0][1].items);
    EXPECT_EQ(first, after[1][0].text);
    EXPECT_EQ((Strings{ first, kSecondPath }), after[1][0].items);
    EXPECT_EQ(kSecondPath, after[1][1].text);
    EXPECT_EQ((Strings{ kSecondPath, first }), after[1][1].items);
    EXPECT_EQ("", after[2][0].text);
    EXPECT_EQ((Strings{ first, kSecondPath }), after[2][0].items);
    EXPECT_EQ(first, after[2][1].text);
    EXPECT_EQ((Strings{ first, kSecondPath }), after[2][1].items);
}

// Items dropped on the background or on the tool's path: one or two fill the
// fields, whole however long, without entering a history; more change
// nothing; the tool's path never changes. Wide names, as the shell's own
// drops hold, and ANSI ones. A drop that reaches the dialog with its point
// on a path field (Wine 10 sends drops from the Linux desktop so) is that
// field's: one item becomes its text, more are ignored. While the version
// window is open the dialog is disabled and takes no drop, on the dialog or
// on a field, as it takes no click; the drop is still released.
TEST(DialogDrop, OneOrTwoItemsFillTheFieldsWhole)
{
    std::string longPath = "C:\\" + std::string(296, 'l') + "\\end";     // 303 bytes
    std::string longDbcs = "D:\\";
    while (longDbcs.size() < 1000)
        longDbcs += "\x95\x5C\x83\x7C\\";   // 表ソ\ : trail bytes 0x5C and 0x7C
    const Strings items = { "C:\\dropped\\one.txt", "D:\\\x93\xFA\x96\x7B\\\x95\x5C", "E:\\three", "E:\\four" };
    struct Drop
    {
        Strings paths;
        bool wide;
        bool onToolPath;
        int overField;   // posted to the dialog with the point on this field
        int disabled;    // with the version window open: 0 no, else kOnDialog...
    };
    enum { kOnDialog = 1, kOverField, kOnField };
    std::vector<Drop> drops;
    for (size_t n = 1; n <= 4; n++)
        for (bool wide : { true, false })
            drops.push_back(Drop{ Strings(items.begin(), items.begin() + (long)n), wide, false, 0, 0 });
    drops.push_back(Drop{ Strings{ items[1] }, true, true, 0, 0 });
    drops.push_back(Drop{ Strings{ longPath, longDbcs }, true, false, 0, 0 });
    drops.push_back(Drop{ Strings{ longDbcs }, false, true, 0, 0 });
    drops.push_back(Drop{ Strings{ items[1] }, true, false, IDC_DIR1, 0 });
    drops.push_back(Drop{ Strings{ items[0] }, false, false, IDC_DIR2, 0 });
    drops.push_back(Drop{ Strings{ longPath }, true, false, IDC_DIR2, 0 });
    drops.push_back(Drop{ Strings(items.begin(), items.begin() + 2), true, false, IDC_DIR2, 0 });
    drops.push_back(Drop{ Strings(items.begin(), items.begin() + 2), true, false, 0, kOnDialog });
    drops.push_back(Drop{ Strings{ items[0] }, true, false, IDC_DIR2, kOverField });
    drops.push_back(Drop{ Strings{ items[0] }, false, false, 0, kOnField });

    ClearSettings();
    std::vector<Field> first(drops.size()), second(drops.size());
    std::vector<std::string> tool(drops.size());
    std::vector<HWND> targets(drops.size());
    std::vector<std::string> handles(drops.size());
    std::vector<bool> taken(drops.size());
    std::vector<HWND> wanted(drops.size());
    Script s;
    s.Do([] { SetText(Ctl(IDC_WINDIFF), "C:\\tools\\windiff.exe"); });
    for (size_t i = 0; i < drops.size(); i++) {
        s.Do([] {
            SetText(Ctl(IDC_DIR1), "C:\\keep1");
            SetText(Ctl(IDC_DIR2), "C:\\keep2");
        });
        if (drops[i].disabled)
            s.Do([] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, IDM_VERSION, 0); }).WaitFor([] { return OtherDialog() != NULL; });
        s.Do([&, i] {
            const Drop& d = drops[i];
            if (d.disabled) {
                // Posted to the window the row names, where the version
                // window does not cover the dialog.
                HWND to = d.disabled == kOnField ? Ctl(IDC_DIR2) : MainDialog();
                POINT pt = { 5, 5 };
                if (d.disabled != kOnField) {
                    pt = d.overField ? CentreOf(Ctl(d.overField)) : BackgroundPoint();
                    ::ScreenToClient(MainDialog(), &pt);
                }
                handles[i] = DropFiles(targets[i] = to, d.paths, pt, d.wide);
                return;
            }
            wanted[i] = d.overField ? Ctl(d.overField) : MainDialog();
            POINT at = d.overField ? CentreOf(Ctl(d.overField)) : d.onToolPath ? CentreOf(Ctl(IDC_WINDIFF)) : BackgroundPoint();
            targets[i] = DropAt(at, d.paths, d.wide, d.overField != 0, handles[i]);
        });
        s.Do([&, i] {
            taken[i] = DropTaken(handles[i]);
            first[i] = ReadField(IDC_DIR1);
            second[i] = ReadField(IDC_DIR2);
            tool[i] = Text(Ctl(IDC_WINDIFF));
            if (drops[i].disabled)
                ::PostMessageA(OtherDialog(), WM_COMMAND, IDOK, 0);
        });
        if (drops[i].disabled)
            s.WaitFor([] { return OtherDialog() == NULL; });
    }
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    for (size_t i = 0; i < drops.size(); i++) {
        const Drop& d = drops[i];
        SCOPED_TRACE(testing::Message() << d.paths.size() << " item(s), " << (d.wide ? "wide" : "ANSI")
                                        << (d.onToolPath ? ", on the tool's path" : "")
                                        << (d.overField ? ", on a path field" : "")
                                        << (d.disabled ? ", the dialog disabled" : ""));
        if (d.disabled) {
            EXPECT_EQ("C:\\keep1", first[i].text);
            EXPECT_EQ("C:\\keep2", second[i].text);
            EXPECT_TRUE(taken[i]) << "the drop was not released";
            continue;
        }
        // The edit does not accept files itself: the dialog gets the drop,
        // and a field's combo box where the point is on it.
        EXPECT_EQ(wanted[i], targets[i]);
        EXPECT_TRUE(taken[i]) << "the drop was not taken";
        size_t n = d.paths.size();
        std::string want[2] = { n <= 2 ? d.paths[0] : "C:\\keep1", n == 2 ? d.paths[1] : "C:\\keep2" };
        if (d.overField) {
            want[0] = "C:\\keep1";
            want[1] = "C:\\keep2";
            if (n == 1)
                want[d.overField == IDC_DIR1 ? 0 : 1] = d.paths[0];
        }
        EXPECT_EQ(want[0], first[i].text);
        EXPECT_EQ(want[1], second[i].text);
        EXPECT_EQ(Strings{}, first[i].items);
        EXPECT_EQ(Strings{}, second[i].items);
        EXPECT_EQ("C:\\tools\\windiff.exe", tool[i]);
    }
}

// Every name reaches a field exactly, whatever the code page holds, whether
// the item exists or not: no look-alike ("cafe" beside "café"), no short
// name, no box. Two items fill both fields, and reach WinMerge exactly.
TEST(DialogDrop, EveryNameReachesTheFieldsExactly)
{
    const std::wstring base = ToWide(ScratchDir());
    const std::wstring names = base + L"\ud55c\uad6d \xd83d\xde00", zoe = base + L"Zo\u00eb \uff8a\uff9f",
                       hyo = base + L"\u8868\\", missing = base + L"\ud55c\uad6d-missing";
    for (const std::wstring& dir : { base + L"Zoe", names, zoe, hyo })
        ::CreateDirectoryW(dir.c_str(), NULL);
    struct Case
    {
        std::vector<std::wstring> items;
        bool onField;    // dropped on the second field rather than the dialog
    };
    const Case cases[] = {
        { { names }, false }, { { zoe }, true }, { { hyo }, false }, { { missing }, true }, { { zoe, names }, false },
    };
    const size_t count = sizeof(cases) / sizeof(cases[0]);
    std::vector<std::wstring> first(count), second(count);
    std::vector<std::string> handles(count);
    std::vector<bool> taken(count);
    const std::wstring tool = base + L"WinMergeU.exe";
    ::CopyFileW(ToWide(StandinPath()).c_str(), tool.c_str(), FALSE);
    ClearSettings();
    SetString("WinDiff", tool);
    SetString("SubDir", "1");
    ResetStandinLog();
    Script s;
    for (size_t i = 0; i < count; i++) {
        s.Do([&, i] {
            SetText(Ctl(IDC_DIR1), "C:\\keep1");
            SetText(Ctl(IDC_DIR2), "C:\\keep2");
            // Wide names, straight from the shell.
            std::string list;
            for (const std::wstring& w : cases[i].items)
                list.append((const char*)w.c_str(), (w.size() + 1) * sizeof(WCHAR));
            list.append(2, '\0');
            HWND target = cases[i].onField ? Ctl(IDC_DIR2) : MainDialog();
            handles[i] = Agent("drop " + Hex(target) + " 5 5 1", list);
        });
        s.Do([&, i] {
            taken[i] = DropTaken(handles[i]) && OtherDialog() == NULL;
            first[i] = TextW(ComboEdit(IDC_DIR1));
            second[i] = TextW(ComboEdit(IDC_DIR2));
        });
    }
    s.Click(IDOK);
    ASSERT_TRUE(RunProgram(s));
    std::vector<std::string> records = WaitStandinRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ((std::vector<std::wstring>{ tool, L"/r", zoe, names }), ExactArguments(records[0]));

    for (size_t i = 0; i < count; i++) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i);
        EXPECT_TRUE(taken[i]) << "the drop was not taken, or a box opened";
        EXPECT_EQ(c.onField ? L"C:\\keep1" : c.items[0], first[i]);
        EXPECT_EQ(c.onField ? c.items[0] : c.items.size() == 2 ? c.items[1] : L"C:\\keep2", second[i]);
    }
}
