// The path fields: their most-recent-first lists, completion while typing,
// and a single item dropped on a field.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

const std::string kProgramFiles = "C:\\Program Files";
// "ソ" is 0x83 0x7C: its trail byte is the separator of the stored history.
const std::string kSo = "\x83\x7C";
const std::string kSoftPath = "C:\\" + kSo + "\x83\x74\x83\x67\\bin";  // C:\ソフト\bin

// The edit part's selection as the user sees it: the text before, inside and
// after it, whatever unit the edit counts its positions in.
struct Selection
{
    std::string before, selected, after;
};

std::string ToAnsi(const std::wstring& w)
{
    if (w.empty())
        return std::string();
    int n = ::WideCharToMultiByte(CP_ACP, 0, w.data(), (int)w.size(), NULL, 0, NULL, NULL);
    std::string s((size_t)n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, w.data(), (int)w.size(), &s[0], n, NULL, NULL);
    return s;
}

Selection ReadSelection(int id)
{
    DWORD start = 0, end = 0;
    ComboEditSel(id, &start, &end);
    std::string ansi = Text(Ctl(id));
    int nWide = ::GetWindowTextLengthW(ComboEdit(id));
    std::wstring wide((size_t)nWide + 1, L'\0');
    ::GetWindowTextW(ComboEdit(id), &wide[0], nWide + 1);
    wide.resize((size_t)nWide);
    Selection sel;
    if ((int)ansi.size() != nWide) {
        // Characters: the positions index the wide text.
        EXPECT_LE(end, (DWORD)nWide);
        sel.before = ToAnsi(wide.substr(0, start));
        sel.selected = ToAnsi(wide.substr(start, end - start));
        sel.after = ToAnsi(wide.substr(end));
    } else {
        EXPECT_LE(end, (DWORD)ansi.size());
        sel.before = ansi.substr(0, start);
        sel.selected = ansi.substr(start, end - start);
        sel.after = ansi.substr(end);
    }
    return sel;
}

void ExpectSelection(const Selection& actual, const std::string& before, const std::string& selected,
                     const char* what)
{
    EXPECT_EQ(before, actual.before) << what;
    EXPECT_EQ(selected, actual.selected) << what;
    EXPECT_EQ("", actual.after) << what;
}

// A stored history of an empty field with these list entries.
std::string ListOnly(const Strings& items)
{
    std::string s;
    for (size_t i = 0; i < items.size(); i++)
        s += "|" + items[i];
    return s;
}

// How a field's text enters its list.
enum Entry
{
    ByFocusLoss,    // the focus moves to another control
    ByDropDown      // F4 drops the list down
};

struct EntryCase
{
    int id;
    Entry entry;
};

void EnterText(Script& s, int id, Entry entry, const std::string& text)
{
    s.Focus(id).Do([id, text] { SetText(Ctl(id), text); });
    if (entry == ByFocusLoss)
        s.Focus(IDC_WINDIFF);
    else
        s.Key(VK_F4).Key(VK_F4);
}

class HistoryEntry : public ::testing::TestWithParam<EntryCase>
{
};

TEST_P(HistoryEntry, ReplacesAnEntryInOtherLetterCaseAndMovesItToTheTop)
{
    const int id = GetParam().id;
    ClearSettings();
    SetString(id == IDC_DIR1 ? "Dir1" : "Dir2", ListOnly({ "D:\\old", "C:\\temp", "E:\\x" }));
    Field after;
    Script s;
    EnterText(s, id, GetParam().entry, "c:\\TEMP");
    s.Do([&] { after = ReadField(id); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("c:\\TEMP", after.text);
    EXPECT_EQ((Strings{ "c:\\TEMP", "D:\\old", "E:\\x" }), after.items);
}

TEST_P(HistoryEntry, KeepsTheTenMostRecentAndNeverAnEmptyText)
{
    const int id = GetParam().id;
    ClearSettings();
    Strings paths;
    for (int i = 0; i < 11; i++)
        paths.push_back("C:\\dir" + std::to_string(i));
    Field after;
    Script s;
    for (size_t i = 0; i < paths.size(); i++) {
        EnterText(s, id, GetParam().entry, paths[i]);
        if (i == 4)
            EnterText(s, id, GetParam().entry, "");
    }
    s.Do([&] { after = ReadField(id); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    Strings newest(paths.rbegin(), paths.rbegin() + 10);
    EXPECT_EQ(paths.back(), after.text);
    EXPECT_EQ(newest, after.items);
}

INSTANTIATE_TEST_SUITE_P(Fields, HistoryEntry,
                         ::testing::Values(EntryCase{ IDC_DIR1, ByFocusLoss }, EntryCase{ IDC_DIR2, ByFocusLoss },
                                           EntryCase{ IDC_DIR1, ByDropDown }, EntryCase{ IDC_DIR2, ByDropDown }),
                         [](const ::testing::TestParamInfo<EntryCase>& info) {
                             return std::string(info.param.id == IDC_DIR1 ? "Dir1" : "Dir2")
                                    + (info.param.entry == ByFocusLoss ? "_FocusLoss" : "_DropDown");
                         });

// A stored list longer than ten entries loads whole; it is cut when the next
// entry is added.
TEST(History, LongerStoredListLoadsWholeAndIsCutAtTheNextEntry)
{
    ClearSettings();
    Strings stored;
    for (int i = 0; i < 12; i++)
        stored.push_back("C:\\old" + std::to_string(i));
    SetString("Dir1", ListOnly(stored));
    Field loaded, after;
    Script s;
    s.Do([&] { loaded = ReadField(IDC_DIR1); });
    EnterText(s, IDC_DIR1, ByFocusLoss, "C:\\new");
    s.Do([&] { after = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ(stored, loaded.items);
    Strings expected{ "C:\\new" };
    expected.insert(expected.end(), stored.begin(), stored.begin() + 9);
    EXPECT_EQ(expected, after.items);
}

// Deleting keys: after a completion either one removes the completed tail,
// and the edits they cause are never completed.
class Completion : public ::testing::TestWithParam<UINT>
{
};

TEST_P(Completion, CompletesTypedTextAndDeletingDoesNotCompleteAgain)
{
    const UINT deleteKey = GetParam();
    ClearSettings();
    SetString("Dir2", ListOnly({ "D:\\other", kProgramFiles, "C:\\Program Files\\Old" }));
    Field typed, deleted, deletedAgain, retyped;
    Selection selTyped, selDeleted, selRetyped;
    Script s;
    s.Focus(IDC_DIR2).Type("c:\\p");
    s.Do([&] {
        typed = ReadField(IDC_DIR2);
        selTyped = ReadSelection(IDC_DIR2);
    });
    s.Key(deleteKey);
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
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    // The list's spelling, its last twelve characters selected.
    EXPECT_EQ(kProgramFiles, typed.text);
    ExpectSelection(selTyped, "C:\\P", "rogram Files", "after typing c:\\p");
    EXPECT_EQ("C:\\P", deleted.text);
    ExpectSelection(selDeleted, "C:\\P", "", "after deleting the completed tail");
    EXPECT_EQ("C:\\", deletedAgain.text);
    EXPECT_EQ(kProgramFiles, retyped.text);
    ExpectSelection(selRetyped, "C:\\P", "rogram Files", "after typing P again");
    // Completion changes no list.
    EXPECT_EQ((Strings{ "D:\\other", kProgramFiles, "C:\\Program Files\\Old" }), retyped.items);
}

INSTANTIATE_TEST_SUITE_P(Keys, Completion, ::testing::Values((UINT)VK_BACK, (UINT)VK_DELETE),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return std::string(info.param == VK_BACK ? "Backspace" : "Delete");
                         });

// Completion of double-byte text selects exactly the completed tail, so that
// deleting it leaves exactly what was typed.
TEST(Completion, SelectsTheCompletedTailOfDoubleByteText)
{
    ClearSettings();
    SetString("Dir1", ListOnly({ kSoftPath }));
    Field typed, deleted;
    Selection sel;
    Script s;
    // Two steps: a character posted whole must not overtake the keys before it.
    s.Focus(IDC_DIR1).Type("c:\\").Type(kSo);
    s.Do([&] {
        typed = ReadField(IDC_DIR1);
        sel = ReadSelection(IDC_DIR1);
    });
    s.Key(VK_BACK).Do([&] { deleted = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ(kSoftPath, typed.text);
    ExpectSelection(sel, "C:\\" + kSo, "\x83\x74\x83\x67\\bin", "after typing c:\\" "\x83\x7C");
    EXPECT_EQ("C:\\" + kSo, deleted.text);
}

TEST(Completion, TextWithoutAMatchStaysAsTypedWithTheCaretAtItsEnd)
{
    ClearSettings();
    SetString("Dir1", ListOnly({ kProgramFiles }));
    Field typed;
    Selection sel;
    Script s;
    s.Focus(IDC_DIR1).Type("x:\\q");
    s.Do([&] {
        typed = ReadField(IDC_DIR1);
        sel = ReadSelection(IDC_DIR1);
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("x:\\q", typed.text);
    ExpectSelection(sel, "x:\\q", "", "after typing x:\\q");
}

// Text that the program sets is never completed: the stored text at start,
// and an item dropped on the field.
TEST(Completion, TextSetByTheProgramIsNotCompleted)
{
    ClearSettings();
    SetString("Dir1", "c:\\p|" + kProgramFiles);
    Field loaded, dropped;
    Script s;
    s.Do([&] { loaded = ReadField(IDC_DIR1); });
    s.Do([&] {
        POINT pt = { 5, 5 };
        DropFiles(Ctl(IDC_DIR1), { "c:\\pr" }, pt);
    });
    s.Do([&] { dropped = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("c:\\p", loaded.text);
    EXPECT_EQ("c:\\pr", dropped.text);
    EXPECT_EQ(Strings{ kProgramFiles }, dropped.items);
}

// An HDROP of ANSI names, as the shell builds one.
HGLOBAL MakeDrop(const Strings& paths)
{
    std::string list;
    for (size_t i = 0; i < paths.size(); i++)
        list += paths[i] + std::string(1, '\0');
    list += '\0';
    HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    DROPFILES* df = (DROPFILES*)::GlobalLock(hDrop);
    df->pFiles = sizeof(DROPFILES);
    memcpy(df + 1, list.data(), list.size());
    ::GlobalUnlock(hDrop);
    return hDrop;
}

// Items dropped on a field: the parameter is their number. One item becomes
// the field's text without entering its list; more are ignored. The drop is
// released in every case.
class FieldDrop : public ::testing::TestWithParam<int>
{
};

TEST_P(FieldDrop, OneItemBecomesTheTextOnlyAndTheDropIsReleased)
{
    const int count = GetParam();
    ClearSettings();
    SetString("Dir2", "C:\\keep|C:\\keep");
    const Strings items = { kSoftPath, "D:\\two", "E:\\three" };
    HGLOBAL hDrop = NULL;
    UINT flagsAfter = 0;
    Field after, afterFocusLoss;
    Script s;
    s.Do([&] {
        hDrop = MakeDrop(Strings(items.begin(), items.begin() + count));
        ::PostMessageA(Ctl(IDC_DIR2), WM_DROPFILES, (WPARAM)hDrop, 0);
    });
    s.Do([&] {
        flagsAfter = ::GlobalFlags(hDrop);
        after = ReadField(IDC_DIR2);
    });
    // The dropped text enters the list at the next focus loss.
    s.Focus(IDC_DIR2).Focus(IDC_WINDIFF).Do([&] { afterFocusLoss = ReadField(IDC_DIR2); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ((UINT)GMEM_INVALID_HANDLE, flagsAfter) << "the drop was not released";
    if (count == 1) {
        EXPECT_EQ(kSoftPath, after.text);
        EXPECT_EQ(Strings{ "C:\\keep" }, after.items);
        EXPECT_EQ((Strings{ kSoftPath, "C:\\keep" }), afterFocusLoss.items);
    } else {
        EXPECT_EQ("C:\\keep", after.text);
        EXPECT_EQ(Strings{ "C:\\keep" }, after.items);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, FieldDrop, ::testing::Values(1, 2, 3));

} // namespace
