// The path fields: their most-recent-first lists, completion while typing,
// removing an entry from the open list, and items dropped on a field.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

const std::string kProgramFiles = "C:\\Program Files";
// "ソ" is 0x83 0x7C: its trail byte is the separator of the stored history.
const std::string kSo = "\x83\x7C";
const std::string kSoftPath = "C:\\" + kSo + "\x83\x74\x83\x67\\bin";  // C:\ソフト\bin

std::string FieldValue(int id)
{
    return id == IDC_DIR1 ? "Dir1" : "Dir2";
}

// A stored history of an empty field with these list entries.
std::string ListOnly(const Strings& items)
{
    std::string s;
    for (size_t i = 0; i < items.size(); i++)
        s += "|" + items[i];
    return s;
}

// The edit part's text as the user sees it, its selection in brackets
// ("C:\\P[rogram Files]"), whatever unit the edit counts its positions in.
std::string ReadSelection(int id)
{
    DWORD start = 0, end = 0;
    ::SendMessageA(Ctl(id), CB_GETEDITSEL, (WPARAM)&start, (LPARAM)&end);
    std::string ansi = Text(Ctl(id));
    std::wstring wide = ToWide(ansi);
    bool chars = (int)::SendMessageA(ComboEdit(id), EM_LINELENGTH, 0, 0) != (int)ansi.size();
    size_t size = chars ? wide.size() : ansi.size();
    EXPECT_LE(end, size);
    end = std::min<DWORD>(end, (DWORD)size);
    start = std::min(start, end);
    if (chars)
        return ToAnsi(wide.substr(0, start) + L"[" + wide.substr(start, end - start) + L"]" + wide.substr(end));
    return ansi.substr(0, start) + "[" + ansi.substr(start, end - start) + "]" + ansi.substr(end);
}

// How a field's text enters its list: the focus moves to another control,
// or F4 drops the list down (and F4 closes it again).
enum Entry { ByFocusLoss, ByDropDown };

void EnterText(Script& s, int id, Entry entry, const std::string& text)
{
    s.Focus(id).Do([id, text] { SetText(Ctl(id), text); });
    if (entry == ByFocusLoss)
        s.Focus(IDC_WINDIFF);
    else
        s.Key(VK_F4).Key(VK_F4);
}

struct EntryCase
{
    int id;
    Entry entry;
};

class HistoryEntry : public ::testing::TestWithParam<EntryCase>
{
};

// An entry in other letter case is replaced and moves to the top; the list
// keeps the ten most recent; an empty text is never entered.
TEST_P(HistoryEntry, MostRecentFirstTenAtMostNeverEmpty)
{
    const int id = GetParam().id;
    const Entry entry = GetParam().entry;
    ClearSettings();
    SetString(FieldValue(id), ListOnly({ "D:\\old", "C:\\temp", "E:\\x" }));
    Field replaced, full;
    Script s;
    EnterText(s, id, entry, "c:\\TEMP");
    s.Do([&] { replaced = ReadField(id); });
    Strings paths;
    for (int i = 0; i < 11; i++) {
        paths.push_back("C:\\dir" + std::to_string(i));
        EnterText(s, id, entry, paths.back());
        if (i == 4)
            EnterText(s, id, entry, "");
    }
    s.Do([&] { full = ReadField(id); }).Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("c:\\TEMP", replaced.text);
    EXPECT_EQ((Strings{ "c:\\TEMP", "D:\\old", "E:\\x" }), replaced.items);
    EXPECT_EQ(paths.back(), full.text);
    EXPECT_EQ(Strings(paths.rbegin(), paths.rbegin() + 10), full.items);
}

INSTANTIATE_TEST_SUITE_P(Fields, HistoryEntry,
                         ::testing::Values(EntryCase{ IDC_DIR1, ByFocusLoss }, EntryCase{ IDC_DIR2, ByFocusLoss },
                                           EntryCase{ IDC_DIR1, ByDropDown }, EntryCase{ IDC_DIR2, ByDropDown }),
                         [](const ::testing::TestParamInfo<EntryCase>& info) {
                             return FieldValue(info.param.id)
                                    + (info.param.entry == ByFocusLoss ? "_FocusLoss" : "_DropDown");
                         });

// A stored list longer than ten entries loads whole, and the list that a
// click on the field's button drops down shows all of it; it is cut when the
// next entry is added.
TEST(History, LongerStoredListLoadsWholeAndIsCutAtTheNextEntry)
{
    ClearSettings();
    Strings stored;
    for (int i = 0; i < 12; i++)
        stored.push_back("C:\\old" + std::to_string(i));
    SetString("Dir1", ListOnly(stored));
    Field after;
    Strings shown;
    Script s;
    s.Do([&] {
        RECT rc;
        ::GetClientRect(Ctl(IDC_DIR1), &rc);
        LPARAM button = MAKELPARAM(rc.right - ::GetSystemMetrics(SM_CXVSCROLL) / 2, rc.bottom / 2);
        ::PostMessageA(Ctl(IDC_DIR1), WM_LBUTTONDOWN, MK_LBUTTON, button);
        ::PostMessageA(Ctl(IDC_DIR1), WM_LBUTTONUP, 0, button);
    });
    s.WaitFor([] { return ::IsWindowVisible(ComboList(IDC_DIR1)) != FALSE; }).Do([&] {
        // The open list part itself, as the user sees it.
        HWND list = ComboList(IDC_DIR1);
        for (int i = 0, n = (int)::SendMessageW(list, LB_GETCOUNT, 0, 0); i < n; i++) {
            WCHAR w[64] = L"";
            if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < 64)
                ::SendMessageW(list, LB_GETTEXT, i, (LPARAM)w);
            shown.push_back(ToAnsi(w));
        }
    });
    s.Key(VK_F4);
    EnterText(s, IDC_DIR1, ByFocusLoss, "C:\\new");
    s.Do([&] { after = ReadField(IDC_DIR1); }).Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ(stored, shown);
    Strings expected{ "C:\\new" };
    expected.insert(expected.end(), stored.begin(), stored.begin() + 9);
    EXPECT_EQ(expected, after.items);
}

// How the user removes the selected text: a deleting key, Ctrl+X, or the
// Cut and Delete commands of the edit's own menu (which no key announces).
enum Removal { kBackspace, kDelete, kCtrlX, kMenuCut, kMenuDelete };
const char* const kRemovalNames[] = { "Backspace", "Delete", "CtrlX", "MenuCut", "MenuDelete" };

// The edit's own menu while it is open.
HWND OpenMenu()
{
    HWND menu = FindThreadWindow("#32768");
    return menu && ::IsWindowVisible(menu) ? menu : NULL;
}

void Remove(Script& s, int id, Removal how)
{
    if (how == kBackspace || how == kDelete) {
        s.Key(how == kBackspace ? VK_BACK : VK_DELETE);
    } else if (how == kCtrlX) {
        s.Key('X', false, true);
    } else {
        // A right click on the field opens the edit's menu; the command's
        // access key picks it: Cut (T) or Delete (D).
        s.Do([id] {
            HWND edit = ComboEdit(id);
            ::PostMessageA(edit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
            ::PostMessageA(edit, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
        });
        s.WaitFor([] { return OpenMenu() != NULL; }).Key(how == kMenuCut ? 'T' : 'D');
        s.WaitFor([] { return OpenMenu() == NULL; });
    }
}

// Typed at its end, text is completed from the list with the completed tail
// selected. A removal never completes, however it is made: not the
// completed tail, not a tail of the path the user selects, and OK then
// hands the tool the path as it was left.
class Completion : public ::testing::TestWithParam<Removal>
{
};

TEST_P(Completion, CompletesTypedTextAndARemovalDoesNotCompleteAgain)
{
    const Removal removal = GetParam();
    ClearSettings();
    const Strings list = { "D:\\other", kProgramFiles, "C:\\Program Files\\Old" };
    SetString("Dir2", ListOnly(list));
    SetString("WinDiff", StandinPath());
    Field typed, deleted, deletedAgain, retyped, cut;
    std::string selTyped, selDeleted, selRetyped;
    Script s;
    s.Focus(IDC_DIR2).Type("c:\\p").Do([&] {
        typed = ReadField(IDC_DIR2);
        selTyped = ReadSelection(IDC_DIR2);
    });
    Remove(s, IDC_DIR2, removal);
    s.Do([&] {
        deleted = ReadField(IDC_DIR2);
        selDeleted = ReadSelection(IDC_DIR2);
    });
    // Backspace once more: "C:\" would complete again if it were allowed.
    s.Key(VK_BACK).Do([&] { deletedAgain = ReadField(IDC_DIR2); });
    s.Type("P").Do([&] {
        retyped = ReadField(IDC_DIR2);
        selRetyped = ReadSelection(IDC_DIR2);
    });
    // "iles" selected by the user and removed: "C:\Program F" stays.
    s.Key(VK_END);
    for (int i = 0; i < 4; i++)
        s.Key(VK_LEFT, true);
    Remove(s, IDC_DIR2, removal);
    s.Do([&] { cut = ReadField(IDC_DIR2); });
    ResetStandinLog();
    s.Key(VK_RETURN);
    ASSERT_TRUE(RunProgram(s));

    // The list's spelling, its last twelve characters selected.
    EXPECT_EQ(kProgramFiles, typed.text);
    EXPECT_EQ("C:\\P[rogram Files]", selTyped) << "after typing c:\\p";
    EXPECT_EQ("C:\\P", deleted.text);
    EXPECT_EQ("C:\\P[]", selDeleted) << "after deleting the completed tail";
    EXPECT_EQ("C:\\", deletedAgain.text);
    EXPECT_EQ(kProgramFiles, retyped.text);
    EXPECT_EQ("C:\\P[rogram Files]", selRetyped) << "after typing P again";
    EXPECT_EQ(list, retyped.items) << "completion changes no list";
    EXPECT_EQ("C:\\Program F", cut.text);
    std::vector<std::string> records = WaitStandinRecords(1);
    ASSERT_EQ(1u, records.size());
    Strings arguments = Arguments(records[0]);
    ASSERT_LE(3u, arguments.size());
    EXPECT_EQ("C:\\Program F", arguments[2]) << "what the tool received";
}

INSTANTIATE_TEST_SUITE_P(Removals, Completion, ::testing::Values(kBackspace, kDelete, kCtrlX, kMenuCut, kMenuDelete),
                         [](const ::testing::TestParamInfo<Removal>& info) { return std::string(kRemovalNames[info.param]); });

// Double-byte text: exactly the completed tail is selected, so deleting it
// leaves exactly what was typed, in 932 and in 936, whose lead bytes cover
// 932's single-byte katakana. Text without a match stays as typed, the caret
// at its end.
TEST(Completion, DoubleByteTailAndTextWithoutAMatch)
{
    const struct
    {
        std::string path, typed, tail;
        UINT cp;
    } rows[] = {
        { "C:\\ab\\bin", "a", "b\\bin", kEveryRun },
        { kSoftPath, kSo, "\x83\x74\x83\x67\\bin", 932 },
        // C:\誠中\bin: 誠 is D5 5C, 中 D6 D0.
        { "C:\\\xD5\x5C\xD6\xD0\\bin", "\xD5\x5C", "\xD6\xD0\\bin", 936 },
    };
    ROWS_OF_THIS_RUN(run, rows);
    for (const auto& r : run) {
        ClearSettings();
        SetString("Dir1", ListOnly({ r.path }));
        SetString("Dir2", ListOnly({ kProgramFiles }));
        Field typed, deleted, unmatched;
        std::string sel, selUnmatched;
        Script s;
        s.Focus(IDC_DIR1).Type("c:\\" + r.typed).Do([&] {
            typed = ReadField(IDC_DIR1);
            sel = ReadSelection(IDC_DIR1);
        });
        s.Key(VK_BACK).Do([&] { deleted = ReadField(IDC_DIR1); });
        s.Focus(IDC_DIR2).Type("x:\\q").Do([&] {
            unmatched = ReadField(IDC_DIR2);
            selUnmatched = ReadSelection(IDC_DIR2);
        });
        s.Click(IDCANCEL);
        ASSERT_TRUE(RunProgram(s));

        EXPECT_EQ(r.path, typed.text);
        EXPECT_EQ("C:\\" + r.typed + "[" + r.tail + "]", sel) << "after typing c:\\" + r.typed;
        EXPECT_EQ("C:\\" + r.typed, deleted.text);
        EXPECT_EQ("x:\\q", unmatched.text);
        EXPECT_EQ("x:\\q[]", selUnmatched) << "after typing x:\\q";
    }
}

// Only text typed at its end is completed. Typing or pasting inside a path
// leaves the text and the caret as the edit made them; cutting the whole
// text leaves the field empty.
TEST(Completion, EditingInsideThePathIsNeverCompleted)
{
    ClearSettings();
    SetString("Dir1", "C:\\temp|C:\\temp|XYC:\\temp2|C:\\t");
    Field typedInside, pasted, cut, typedAtEnd;
    std::string selInside, selPasted;
    Script s;
    s.Focus(IDC_DIR1).Key(VK_HOME).Type("XY").Do([&] {
        typedInside = ReadField(IDC_DIR1);
        selInside = ReadSelection(IDC_DIR1);
    });
    // "zz" pasted after "XYC:\".
    s.Key(VK_RIGHT).Key(VK_RIGHT).Key(VK_RIGHT).Paste(L"zz").Do([&] {
        pasted = ReadField(IDC_DIR1);
        selPasted = ReadSelection(IDC_DIR1);
    });
    // Everything selected and cut: empty, not the top entry.
    s.Key(VK_HOME).Key(VK_END, true).Key('X', false, true).Do([&] { cut = ReadField(IDC_DIR1); });
    // Typed at the end again: completed as always.
    s.Type("c:\\t").Do([&] { typedAtEnd = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("XYC:\\temp", typedInside.text);
    EXPECT_EQ("XY[]C:\\temp", selInside) << "caret after the typed XY";
    EXPECT_EQ("XYC:\\zztemp", pasted.text);
    EXPECT_EQ("XYC:\\zz[]temp", selPasted) << "caret after the pasted text";
    EXPECT_EQ("", cut.text);
    EXPECT_EQ("C:\\temp", typedAtEnd.text) << "typing at the end still completes";
    EXPECT_EQ((Strings{ "C:\\temp", "XYC:\\temp2", "C:\\t" }), typedAtEnd.items);
}

// With the list open, Shift+Delete removes the highlighted entry: the list
// stays open, the highlight moves to the next entry, the text stays, and the
// removal is stored with the history.
TEST(History, ShiftDeleteRemovesTheHighlightedEntry)
{
    ClearSettings();
    SetString("Dir2", "C:\\mine|D:\\a|D:\\stale|D:\\c");
    HWND list = NULL;
    Field after;
    int highlight = -1;
    bool open = false;
    Script s;
    s.Focus(IDC_DIR2).Key(VK_F4).Do([&] {
        list = ComboList(IDC_DIR2);
        // The mouse over "D:\stale" (the list now starts with the text, which
        // dropping it down entered), as a user points at it.
        RECT rc;
        ::SendMessageA(list, LB_GETITEMRECT, 2, (LPARAM)&rc);
        ::PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 2, rc.top + 2));
    });
    s.WaitFor([&] { return ::SendMessageA(list, LB_GETCURSEL, 0, 0) == 2; });
    s.Key(VK_DELETE, true).Do([&] {
        after = ReadField(IDC_DIR2);
        highlight = (int)::SendMessageA(list, LB_GETCURSEL, 0, 0);
        open = ::SendMessageA(Ctl(IDC_DIR2), CB_GETDROPPEDSTATE, 0, 0) != 0;
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("C:\\mine", after.text);
    EXPECT_EQ((Strings{ "C:\\mine", "D:\\a", "D:\\c" }), after.items);
    EXPECT_EQ(2, highlight);
    EXPECT_TRUE(open);
    EXPECT_EQ("C:\\mine|C:\\mine|D:\\a|D:\\c", GetString("Dir2"));
}

// Items dropped on a field: one item becomes its text, whole and as
// dropped, without entering the list (it enters at the next focus loss);
// more items are ignored; the drop is released in every case. Text set by
// the program is never completed.
TEST(FieldDrop, OneItemBecomesTheTextWholeAndTheDropIsReleased)
{
    std::string longPath = "C:\\" + std::string(296, 'l') + "\\end";                 // 303 bytes
    std::string longDbcs = "D:\\";
    while (longDbcs.size() < 1000)
        longDbcs += "\x95\x5C\x83\x7C\\";   // 表ソ\ : trail bytes 0x5C and 0x7C
    const struct
    {
        Strings items;
        bool wide;
        UINT cp = 932;
    } drops[] = {
        { { kSoftPath }, true },
        { { kSoftPath }, false },
        { { "c:\\pr" }, true, kEveryRun },     // would complete to C:\Program Files if typed
        { { longPath }, true, kEveryRun },
        { { longDbcs }, false },
        { { longDbcs }, true },
        { { "D:\\two", "E:\\three" }, true, kEveryRun },
        { { "D:\\two", "E:\\three", "F:\\four" }, false, kEveryRun },
        // 中文\誠 in 936, where 0xA1-0xDF lead too: D6 D0, CE C4, D5 5C.
        { { "D:\\\xD6\xD0\xCE\xC4\\\xD5\x5C" }, true, 936 },
    };
    ROWS_OF_THIS_RUN(run, drops);
    for (const auto& d : run) {
        SCOPED_TRACE(d.items[0].substr(0, 40) + (d.wide ? " (wide)" : " (ANSI)"));
        ClearSettings();
        SetString("Dir2", "C:\\keep|" + kProgramFiles);
        std::string hDrop;
        UINT flagsAfter = 0;
        Field after, afterFocusLoss;
        Script s;
        s.Do([&] { hDrop = DropFiles(Ctl(IDC_DIR2), d.items, POINT{ 5, 5 }, d.wide); });
        s.Do([&] {
            flagsAfter = (UINT)strtoul(Agent("gflags " + hDrop).c_str(), NULL, 16);
            after = ReadField(IDC_DIR2);
        });
        s.Focus(IDC_DIR2).Focus(IDC_WINDIFF).Do([&] { afterFocusLoss = ReadField(IDC_DIR2); });
        s.Click(IDCANCEL);
        ASSERT_TRUE(RunProgram(s));

        EXPECT_EQ((UINT)GMEM_INVALID_HANDLE, flagsAfter) << "the drop was not released";
        if (d.items.size() == 1) {
            EXPECT_EQ(d.items[0], after.text);
            EXPECT_EQ(Strings{ kProgramFiles }, after.items);
            EXPECT_EQ((Strings{ d.items[0], kProgramFiles }), afterFocusLoss.items);
        } else {
            EXPECT_EQ("C:\\keep", after.text);
            EXPECT_EQ(Strings{ kProgramFiles }, after.items);
        }
    }
}

} // namespace
