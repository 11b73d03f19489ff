// The folder and file pickers of the two path fields (buttons Ref3 to Ref6),
// opened as real windows and answered as a user would.
#include "harness/Harness.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

const char kShow[] = "\x95\x5C\x8E\xA6";    // 表示: a trail byte 0x5C in a folder name
const wchar_t kNames[] = L"\uD55C\uAD6D \xD83D\xDE00 Zo\u00EB.txt";   // no code page holds it

// base\表示 with the folders a and b and the files one.txt, two.txt and
// kNames.
std::string PickerFolder()
{
    std::string dir = ScratchDir() + kShow;
    ::CreateDirectoryA(dir.c_str(), NULL);
    ::CreateDirectoryA((dir + "\\a").c_str(), NULL);
    ::CreateDirectoryA((dir + "\\b").c_str(), NULL);
    for (const std::wstring& name : { std::wstring(L"\\one.txt"), std::wstring(L"\\two.txt"), L"\\" + std::wstring(kNames) })
        ::CloseHandle(::CreateFileW((ToWide(dir) + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    // Last read a day ago (2^32 x 100 ns is 429 s): the folder picker's first
    // look inside it, while it looks for the field's folder, changes that
    // time, as the first look inside any new folder does.
    FILETIME read;
    ::GetSystemTimeAsFileTime(&read);
    read.dwHighDateTime -= 202;
    HANDLE h = ::CreateFileA(dir.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    EXPECT_TRUE(::SetFileTime(h, NULL, &read, NULL)) << "error " << ::GetLastError();
    ::CloseHandle(h);
    return dir;
}

// The folder selected in the folder picker's tree and the one it lies in.
std::string TreeSelection(HWND picker)
{
    return Agent("tree " + Hex(FindChild(picker, WC_TREEVIEWA)));
}

void PressPickerButton(int id)
{
    ::PostMessageA(::GetDlgItem(OtherDialog(), id), BM_CLICK, 0, 0);
}

struct PickerCase
{
    const char* name;
    int button;
    int field;
    bool folder;
};

const PickerCase kPickers[] = {
    { "Ref3_FirstFolder", IDC_BROWSE_DIR1, IDC_DIR1, true },
    { "Ref4_SecondFolder", IDC_BROWSE_DIR2, IDC_DIR2, true },
    { "Ref5_FirstFile", IDC_FILE_DIR1, IDC_DIR1, false },
    { "Ref6_SecondFile", IDC_FILE_DIR2, IDC_DIR2, false },
};

class PickerButton : public ::testing::TestWithParam<PickerCase>
{
protected:
    // Both fields as a user left them last time: a current text and two
    // entries each. The picked field shows a folder or a file of base.
    void SetUp() override
    {
        const PickerCase& c = GetParam();
        m_base = PickerFolder();
        m_start = m_base + (c.folder ? "\\a" : "\\one.txt");
        m_other = c.field == IDC_DIR1 ? IDC_DIR2 : IDC_DIR1;
        ClearSettings();
        SetString(c.field == IDC_DIR1 ? "Dir1" : "Dir2", m_start + "|E:\\first|E:\\older");
        SetString(c.field == IDC_DIR1 ? "Dir2" : "Dir1", "G:\\other|G:\\other|G:\\older");
    }

    // Runs the steps of before, opens the picker with the button, notes what
    // it shows, adds the steps that answer it and notes both fields once it
    // is closed.
    void Run(std::function<void(Script&)> answer, std::function<void(Script&)> before = nullptr)
    {
        const PickerCase& c = GetParam();
        Script s;
        if (before)
            before(s);
        s.Click(c.button).WaitFor([] { return OtherDialog() != NULL; }).Do([&] {
            HWND picker = OtherDialog();
            m_mainEnabled = ::IsWindowEnabled(MainDialog()) != FALSE;
            m_ownedByMain = ::GetWindow(picker, GW_OWNER) == MainDialog();
            m_shows = c.folder ? TreeSelection(picker) : Agent("filedlg " + Hex(picker));
            m_title = FindChild(picker, "Static", "Refer") != NULL;
        });
        answer(s);
        s.WaitFor([] { return OtherDialog() == NULL; }).Do([&] {
            m_enabledAfter = ::IsWindowEnabled(MainDialog()) != FALSE;
            m_field = ReadField(c.field);
            m_otherAfter = ReadField(m_other);
        });
        s.Click(IDCANCEL);
        ASSERT_TRUE(RunProgram(s));

        // The folder picker has no owner, so the dialog stays usable; the
        // file picker is owned by the dialog, which it disables.
        EXPECT_EQ(c.folder, m_mainEnabled);
        EXPECT_EQ(!c.folder, m_ownedByMain);
        if (c.folder) {
            EXPECT_TRUE(m_title) << "instruction line \"Refer\"";
            EXPECT_EQ(std::string(kShow) + m_start.substr(m_start.rfind('\\')).replace(0, 1, "/"), m_shows)
                << "the field's folder is selected";
        } else {
            EXPECT_EQ(m_start, m_shows) << "the field's text is the file name";
        }
        EXPECT_TRUE(m_enabledAfter);
        EXPECT_EQ("G:\\other", m_otherAfter.text);
        EXPECT_EQ((Strings{ "G:\\other", "G:\\older" }), m_otherAfter.items);
    }

    std::string m_base, m_start, m_shows;
    int m_other = 0;
    Field m_field, m_otherAfter;
    bool m_mainEnabled = false, m_ownedByMain = false, m_title = false, m_enabledAfter = false;
};

TEST_P(PickerButton, CancelLeavesTheFieldAndItsHistory)
{
    Run([](Script& s) { s.Do([] { PressPickerButton(IDCANCEL); }); });
    EXPECT_EQ(m_start, m_field.text);
    EXPECT_EQ((Strings{ "E:\\first", "E:\\older" }), m_field.items);
}

// The click on the button takes the focus from the edited field, which
// enters the typed text in its history; the cancelled picker changes nothing.
TEST_P(PickerButton, CancelAfterEditingKeepsTheTypedText)
{
    const PickerCase& c = GetParam();
    // A folder named through "." and ".." opens as the folder it names.
    const std::string typed = m_base + (c.folder ? "\\a\\..\\.\\b" : "\\two.txt");
    m_start = typed;   // what the picker opens on
    Run([](Script& s) { s.Do([] { PressPickerButton(IDCANCEL); }); },
        [&](Script& s) { s.Focus(c.field).Do([&] { SetText(Ctl(c.field), ""); }).Type(typed); });
    EXPECT_EQ(typed, m_field.text);
    EXPECT_EQ((Strings{ typed, "E:\\first", "E:\\older" }), m_field.items);
}

TEST_P(PickerButton, ConfirmPutsTheChoiceAtTheTopOfThatFieldsHistory)
{
    const PickerCase& c = GetParam();
    std::string moved;
    Run([&](Script& s) {
        if (c.folder) {
            // Down one folder in the tree, from a to b.
            s.Do([] { ExpectAgent("focus " + Hex(FindChild(OtherDialog(), WC_TREEVIEWA)), "ok", false); }).Key(VK_DOWN);
            s.Do([&] { moved = TreeSelection(OtherDialog()); });
        } else {
            s.Do([] { EmptyAndFocus(FindChild(OtherDialog(), "Edit")); }).Type("two.txt");
        }
        s.Do([] { PressPickerButton(IDOK); });
    });
    const std::string chosen = m_base + (c.folder ? "\\b" : "\\two.txt");
    if (c.folder)
        EXPECT_EQ(std::string(kShow) + "/b", moved);
    EXPECT_EQ(chosen, m_field.text);
    EXPECT_EQ((Strings{ chosen, "E:\\first", "E:\\older" }), m_field.items);
}

INSTANTIATE_TEST_SUITE_P(Buttons, PickerButton, ::testing::ValuesIn(kPickers),
                         [](const ::testing::TestParamInfo<PickerCase>& info) { return std::string(info.param.name); });

// A field text of 600 bytes, longer than any path, with double-byte
// characters: the file picker gets it whole (it shows it whole, or, as
// Wine's does, not at all; never cut, which would name another file), the
// folder picker opens, and Cancel keeps the text. A picked file named with
// names no code page holds reaches the field and its list exactly.
TEST(Pickers, LongTextsAndNamesNoCodePageHolds)
{
    std::string text = "C:\\" + std::string(255, 'p') + kShow + std::string(248, 'q') + "\x93\xFA";
    text += std::string(600 - text.size(), 's');
    const std::string base = PickerFolder();
    ClearSettings();
    SetString("Dir1", text);
    SetString("Dir2", base + "\\one.txt");
    std::string shows, folderShown;
    Field first;
    std::wstring second;
    std::vector<std::wstring> secondItems;
    Script s;
    s.Click(IDC_BROWSE_DIR1).WaitFor([] { return OtherDialog() != NULL; }).Do([&] {
        folderShown = FindChild(OtherDialog(), WC_TREEVIEWA) ? "a folder picker" : ProgramState();
        PressPickerButton(IDCANCEL);
    });
    s.WaitFor([] { return OtherDialog() == NULL; });
    s.Click(IDC_FILE_DIR1).WaitFor([] { return OtherDialog() != NULL; }).Do([&] {
        shows = Text(FindChild(OtherDialog(), "Edit"));   // the file name field
        PressPickerButton(IDCANCEL);
    });
    s.WaitFor([] { return OtherDialog() == NULL; });
    s.Click(IDC_FILE_DIR2).WaitFor([] { return OtherDialog() != NULL; });
    s.Do([] { EmptyAndFocus(FindChild(OtherDialog(), "Edit")); }).TypeWide(kNames);
    s.Do([] { PressPickerButton(IDOK); });
    s.WaitFor([] { return OtherDialog() == NULL; }).Do([&] {
        first = ReadField(IDC_DIR1);
        second = TextW(ComboEdit(IDC_DIR2));
        secondItems = ComboItemsW(IDC_DIR2);
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ("a folder picker", folderShown);
    EXPECT_TRUE(shows.empty() || shows == text) << shows;
    EXPECT_EQ(text, first.text);
    EXPECT_EQ(Strings{}, first.items);
    EXPECT_EQ(ToWide(base) + L"\\" + kNames, second);
    EXPECT_EQ(std::vector<std::wstring>{ second }, secondItems);
}

// Whether the focus is in the control that Tab moves it to from a control of
// the main dialog.
bool TabbedFrom(int id)
{
    HWND next = ::GetNextDlgTabItem(MainDialog(), Ctl(id), FALSE), focus = Focused();
    return next && focus && (focus == next || ::IsChild(next, focus));
}

// While a folder picker is open the dialog stays usable, its keys as they
// are without a picker: with two pickers open, a completed tail that
// Backspace removes stays removed and Tab moves on; with one of them
// closed, Tab still moves on. A second folder picker opens, and each
// picker's choice goes to the field whose button opened it. Each opens on
// the folder its field names: through "..", and through "." in a folder
// whose every level was made a moment before (表: a trail byte 0x5C).
TEST(FolderPicker, TwoOpenAtOnceEachFillItsOwnFieldAndTheDialogKeepsItsKeys)
{
    const std::string base = PickerFolder(), made = ScratchDir() + "new\\\x95\x5C\\x";
    ClearSettings();
    SetString("Dir1", base + "\\b\\..\\a|" + base + "\\b\\..\\a\\deeper");
    SetString("Dir2", ScratchDir() + ".\\new\\\x95\x5C\\.\\x");

    HWND first = NULL, second = NULL;
    Field completed, backspaced, firstWhileOpen, firstAfter, secondAfter;
    bool tabbedWithTwo = false, tabbedWithOne = false;
    Script s;
    s.Click(IDC_BROWSE_DIR1).WaitFor([] { return OtherDialog() != NULL; }).Do([&] {
        first = OtherDialog();
        for (const char* level : { "new", "new\\\x95\x5C", "new\\\x95\x5C\\x" })
            ::CreateDirectoryA((ScratchDir() + level).c_str(), NULL);
    });
    s.Click(IDC_BROWSE_DIR2).WaitFor([&] { return OtherDialog() != NULL && OtherDialog() != first; }).Do([&] {
        second = OtherDialog();
    });
    s.Focus(IDC_DIR1).Key(VK_END).Type("\\").Do([&] { completed = ReadField(IDC_DIR1); });
    s.Key(VK_BACK).Do([&] { backspaced = ReadField(IDC_DIR1); });
    s.Key(VK_BACK).Key(VK_TAB).Do([&] {
        tabbedWithTwo = TabbedFrom(IDC_DIR1);
        ::PostMessageA(::GetDlgItem(second, IDOK), BM_CLICK, 0, 0);
    });
    s.WaitFor([&] { return !::IsWindow(second); }).Do([&] {
        firstWhileOpen = ReadField(IDC_DIR1);
        secondAfter = ReadField(IDC_DIR2);
    });
    s.Focus(IDC_DIR2).Key(VK_TAB).Do([&] {
        tabbedWithOne = TabbedFrom(IDC_DIR2);
        ::PostMessageA(::GetDlgItem(first, IDOK), BM_CLICK, 0, 0);
    });
    s.WaitFor([&] { return !::IsWindow(first); }).Do([&] { firstAfter = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    ASSERT_TRUE(first != NULL && second != NULL);
    EXPECT_EQ(base + "\\b\\..\\a\\deeper", completed.text);
    EXPECT_EQ(base + "\\b\\..\\a\\", backspaced.text) << "Backspace with two pickers open";
    EXPECT_TRUE(tabbedWithTwo) << "Tab with two pickers open";
    EXPECT_TRUE(tabbedWithOne) << "Tab with one picker open";
    EXPECT_EQ(made, secondAfter.text);
    EXPECT_EQ(Strings{ made }, secondAfter.items);
    // Tab took the focus from the first field: its text entered its list.
    EXPECT_EQ(base + "\\b\\..\\a", firstWhileOpen.text);
    EXPECT_EQ((Strings{ base + "\\b\\..\\a", base + "\\b\\..\\a\\deeper" }), firstWhileOpen.items);
    EXPECT_EQ(base + "\\a", firstAfter.text);
    EXPECT_EQ((Strings{ base + "\\a", base + "\\b\\..\\a", base + "\\b\\..\\a\\deeper" }), firstAfter.items);
}

} // namespace
