// The folder and file pickers of the two path fields (buttons Ref3 to Ref6),
// opened as real windows and answered as a user would.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <gtest/gtest.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

const char kShow[] = "\x95\x5C\x8E\xA6";    // 表示: a trail byte 0x5C in a folder name

// base\表示 with the folders a and b and the files one.txt and two.txt.
std::string PickerFolder()
{
    std::string dir = ScratchDir();
    if (!dir.empty() && dir[dir.size() - 1] == '\\')
        dir.resize(dir.size() - 1);
    dir += "\\";
    dir += kShow;
    ::CreateDirectoryA(dir.c_str(), NULL);
    ::CreateDirectoryA((dir + "\\a").c_str(), NULL);
    ::CreateDirectoryA((dir + "\\b").c_str(), NULL);
    for (const char* name : { "\\one.txt", "\\two.txt" }) {
        HANDLE h = ::CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ::CloseHandle(h);
    }
    // Wine's folder browser finds a folder two or more levels below a drive
    // for its first selection in a process only when the shell has parsed
    // that path in the process before; a later browser finds it either way.
    for (const char* name : { "\\a", "\\b" }) {
        PIDLIST_ABSOLUTE pidl = ::ILCreateFromPathA((dir + name).c_str());
        if (pidl)
            ::ILFree(pidl);
    }
    return dir;
}

struct ChildSearch
{
    const char* cls;
    const char* text;   // NULL: any
    HWND found;
};

BOOL CALLBACK MatchChild(HWND hWnd, LPARAM lParam)
{
    ChildSearch* s = (ChildSearch*)lParam;
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, s->cls) == 0 && ::IsWindowVisible(hWnd) && (!s->text || Text(hWnd) == s->text)) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A visible descendant of hParent of the class, with the text when given.
HWND FindChild(HWND hParent, const char* cls, const char* text = NULL)
{
    ChildSearch s = { cls, text, NULL };
    ::EnumChildWindows(hParent, MatchChild, (LPARAM)&s);
    return s.found;
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    char buf[MAX_PATH] = "";
    TVITEMA tv;
    ZeroMemory(&tv, sizeof(tv));
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buf;
    tv.cchTextMax = sizeof(buf);
    if (!item || !::SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv))
        return std::string();
    return buf;
}

// The folder selected in the folder picker's tree and the one it lies in.
std::string TreeSelection(HWND picker)
{
    HWND tree = FindChild(picker, WC_TREEVIEWA);
    HTREEITEM sel = (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    HTREEITEM parent = (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)sel);
    return TreeItemText(tree, parent) + "/" + TreeItemText(tree, sel);
}

// The file the Open File dialog would open now: its folder and file name.
std::string FileDialogChoice(HWND picker)
{
    char folder[1024] = "", name[1024] = "";
    ::SendMessageA(picker, CDM_GETFOLDERPATH, sizeof(folder), (LPARAM)folder);
    ::SendMessageA(picker, CDM_GETSPEC, sizeof(name), (LPARAM)name);
    std::string path = folder;
    if (!path.empty() && path[path.size() - 1] != '\\')
        path += "\\";
    return path + name;
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

void PrintTo(const PickerCase& c, std::ostream* os)
{
    *os << c.name;
}

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
        m_entries = Strings{ "E:\\first", "E:\\older" };
        m_otherField.text = "G:\\other";
        m_otherField.items = Strings{ "G:\\other", "G:\\older" };
        ClearSettings();
        SetString(c.field == IDC_DIR1 ? "Dir1" : "Dir2", m_start + "|E:\\first|E:\\older");
        SetString(c.field == IDC_DIR1 ? "Dir2" : "Dir1", "G:\\other|G:\\other|G:\\older");
    }

    // Runs the steps of before, opens the picker with the button, notes what
    // it shows, adds the steps that answer it and notes both fields once it
    // is closed.
    bool Run(std::function<void(Script&)> answer, std::function<void(Script&)> before = nullptr)
    {
        const PickerCase& c = GetParam();
        Script s;
        if (before)
            before(s);
        s.Click(c.button);
        s.WaitFor([] { return OtherDialog() != NULL; });
        s.Do([&] {
            HWND picker = OtherDialog();
            m_mainEnabled = ::IsWindowEnabled(MainDialog()) != FALSE;
            m_ownedByMain = ::GetWindow(picker, GW_OWNER) == MainDialog();
            m_shows = c.folder ? TreeSelection(picker) : FileDialogChoice(picker);
            m_title = FindChild(picker, "Static", "Refer") != NULL;
        });
        answer(s);
        s.WaitFor([] { return OtherDialog() == NULL; });
        s.Do([&] {
            m_enabledAfter = ::IsWindowEnabled(MainDialog()) != FALSE;
            m_field = ReadField(c.field);
            m_otherAfter = ReadField(m_other);
        });
        s.Click(IDCANCEL);
        return RunProgram(s);
    }

    void ExpectPickerShown()
    {
        const PickerCase& c = GetParam();
        if (c.folder) {
            // No owner: the dialog stays usable.
            EXPECT_TRUE(m_mainEnabled);
            EXPECT_FALSE(m_ownedByMain);
            EXPECT_TRUE(m_title) << "instruction line \"Refer\"";
            EXPECT_EQ(std::string(kShow) + "/a", m_shows) << "the field's folder is selected";
        } else {
            EXPECT_FALSE(m_mainEnabled);
            EXPECT_TRUE(m_ownedByMain);
            EXPECT_EQ(m_start, m_shows) << "the field's text is the file name";
        }
        EXPECT_TRUE(m_enabledAfter);
        EXPECT_EQ(m_otherField.text, m_otherAfter.text);
        EXPECT_EQ(m_otherField.items, m_otherAfter.items);
    }

    std::string m_base, m_start, m_shows;
    int m_other = 0;
    Strings m_entries;
    Field m_otherField, m_field, m_otherAfter;
    bool m_mainEnabled = false, m_ownedByMain = false, m_title = false, m_enabledAfter = false;
};

TEST_P(PickerButton, CancelLeavesTheFieldAndItsHistory)
{
    ASSERT_TRUE(Run([](Script& s) { s.Do([] { PressPickerButton(IDCANCEL); }); }));
    ExpectPickerShown();
    EXPECT_EQ(m_start, m_field.text);
    EXPECT_EQ(m_entries, m_field.items);
}

// The click on the button takes the focus from the edited field, which
// enters the typed text in its history; the cancelled picker changes nothing.
TEST_P(PickerButton, CancelAfterEditingKeepsTheTypedText)
{
    const PickerCase& c = GetParam();
    const std::string typed = "C:\\typed";
    ASSERT_TRUE(Run([](Script& s) { s.Do([] { PressPickerButton(IDCANCEL); }); },
                    [&](Script& s) {
                        s.Focus(c.field);
                        s.Do([&] { SetText(Ctl(c.field), ""); });
                        s.Type(typed);
                    }));
    EXPECT_EQ(typed, m_field.text);
    EXPECT_EQ((Strings{ typed, "E:\\first", "E:\\older" }), m_field.items);
    EXPECT_EQ(m_otherField.items, m_otherAfter.items);
}

TEST_P(PickerButton, ConfirmPutsTheChoiceAtTheTopOfThatFieldsHistory)
{
    const PickerCase& c = GetParam();
    std::string moved;
    ASSERT_TRUE(Run([&](Script& s) {
        if (c.folder) {
            // Down one folder in the tree, from a to b.
            s.Do([] { ::SetFocus(FindChild(OtherDialog(), WC_TREEVIEWA)); });
            s.Key(VK_DOWN);
            s.Do([&] { moved = TreeSelection(OtherDialog()); });
        } else {
            s.Do([] { SetText(FindChild(OtherDialog(), "Edit"), "two.txt"); });
        }
        s.Do([] { PressPickerButton(IDOK); });
    }));
    ExpectPickerShown();
    const std::string chosen = m_base + (c.folder ? "\\b" : "\\two.txt");
    if (c.folder)
        EXPECT_EQ(std::string(kShow) + "/b", moved);
    EXPECT_EQ(chosen, m_field.text);
    EXPECT_EQ((Strings{ chosen, "E:\\first", "E:\\older" }), m_field.items);
}

INSTANTIATE_TEST_SUITE_P(Buttons, PickerButton, ::testing::ValuesIn(kPickers),
                         [](const ::testing::TestParamInfo<PickerCase>& info) { return std::string(info.param.name); });

// A field text of 600 bytes, longer than the working buffer (511 bytes) and
// the pickers' name buffers (259), with double-byte characters across both
// limits. The parameter: the folder picker or the file picker.
class LongFieldText : public ::testing::TestWithParam<bool>
{
};

TEST_P(LongFieldText, OpensThePickerWithASafeCutAndCancelKeepsTheText)
{
    const bool folder = GetParam();
    std::string text = "C:\\" + std::string(255, 'p');    // bytes 0-257
    text += kShow;                                          // 表 at 258-259, 示 at 260-261
    text += std::string(248, 'q');                          // 262-509
    text += "\x93\xFA";                                     // 日 at 510-511
    text += std::string(600 - text.size(), 's');
    ClearSettings();
    SetString("Dir1", text);

    bool opened = false;
    std::string shows;
    Field after;
    Script s;
    s.Click(folder ? IDC_BROWSE_DIR1 : IDC_FILE_DIR1);
    s.WaitFor([] { return OtherDialog() != NULL; });
    s.Do([&] {
        opened = true;
        if (!folder)
            shows = FileDialogChoice(OtherDialog());
        PressPickerButton(IDCANCEL);
    });
    s.WaitFor([] { return OtherDialog() == NULL; });
    s.Do([&] { after = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_TRUE(opened);
    if (!folder)
        EXPECT_EQ(text.substr(0, 258), shows) << "cut before the character that does not fit whole";
    EXPECT_EQ(text, after.text);
    EXPECT_TRUE(after.items.empty());
}

INSTANTIATE_TEST_SUITE_P(Pickers, LongFieldText, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Folder" : "File");
                         });

// While a folder picker is open the dialog stays usable: a second folder
// picker opens, and each picker's choice goes to the field whose button
// opened it.
TEST(FolderPicker, TwoOpenAtOnceEachFillItsOwnField)
{
    const std::string base = PickerFolder();
    ClearSettings();
    SetString("Dir1", base + "\\a");
    SetString("Dir2", base + "\\b");

    HWND first = NULL, second = NULL;
    Field firstWhileOpen, firstAfter, secondAfter;
    Script s;
    s.Click(IDC_BROWSE_DIR1);
    s.WaitFor([] { return OtherDialog() != NULL; });
    s.Do([&] { first = OtherDialog(); });
    s.Click(IDC_BROWSE_DIR2);
    s.WaitFor([&] { return OtherDialog() != NULL && OtherDialog() != first; });
    s.Do([&] {
        second = OtherDialog();
        PressPickerButton(IDOK);
    });
    s.WaitFor([&] { return !::IsWindow(second); });
    s.Do([&] {
        firstWhileOpen = ReadField(IDC_DIR1);
        secondAfter = ReadField(IDC_DIR2);
        ::PostMessageA(::GetDlgItem(first, IDOK), BM_CLICK, 0, 0);
    });
    s.WaitFor([&] { return !::IsWindow(first); });
    s.Do([&] { firstAfter = ReadField(IDC_DIR1); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    ASSERT_TRUE(first != NULL && second != NULL);
    EXPECT_EQ(base + "\\b", secondAfter.text);
    EXPECT_EQ(Strings{ base + "\\b" }, secondAfter.items);
    EXPECT_EQ(base + "\\a", firstWhileOpen.text);
    EXPECT_TRUE(firstWhileOpen.items.empty());
    EXPECT_EQ(base + "\\a", firstAfter.text);
    EXPECT_EQ(Strings{ base + "\\a" }, firstAfter.items);
}

} // namespace
