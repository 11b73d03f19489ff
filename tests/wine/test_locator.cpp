// Where the comparison tool is found: the machine's registered path, the
// tools' default location and the stored setting; and the tool chooser.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

const std::string kCandidate = "C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE";

// A file or a directory at a path, the tools' default location unless given,
// for as long as the object lives. Only what it made is removed.
class Candidate
{
public:
    enum Kind { None, File, Directory };
    explicit Candidate(Kind kind, const std::string& path = kCandidate) : m_kind(kind), m_path(path)
    {
        ::DeleteFileA(m_path.c_str());
        ::RemoveDirectoryA(m_path.c_str());
        if (kind == None)
            return;
        for (size_t at = m_path.find('\\', 3); at != std::string::npos; at = m_path.find('\\', at + 1)) {
            if (::CreateDirectoryA(m_path.substr(0, at).c_str(), NULL))
                m_made.push_back(m_path.substr(0, at));
        }
        if (kind == Directory) {
            EXPECT_TRUE(::CreateDirectoryA(m_path.c_str(), NULL));
        } else {
            HANDLE h = ::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            EXPECT_NE(INVALID_HANDLE_VALUE, h);
            ::CloseHandle(h);
        }
    }
    ~Candidate()
    {
        if (m_kind == File)
            ::DeleteFileA(m_path.c_str());
        else if (m_kind == Directory)
            ::RemoveDirectoryA(m_path.c_str());
        for (size_t i = m_made.size(); i-- > 0;)
            ::RemoveDirectoryA(m_made[i].c_str());
    }

private:
    Kind m_kind;
    std::string m_path;
    std::vector<std::string> m_made;
};

// A comparison tool installed: the file (unless missing) and, under root, a
// registration naming it, or its folder. Removed again with the object.
struct Installed
{
    HKEY root = NULL;
    std::string key, value, file;
    bool missing = false;
    std::string folder = "";
};
class Install
{
public:
    explicit Install(const Installed& t) : m_t(t), m_file(t.missing || t.file.empty() ? Candidate::None : Candidate::File, t.file)
    {
        const std::string& data = t.folder.empty() ? t.file : t.folder;
        if (t.root)
            EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(t.root, t.key.c_str(), t.value.c_str(), REG_SZ, data.c_str(), (DWORD)data.size() + 1)) << t.key;
    }
    ~Install() { EXPECT_EQ(ERROR_SUCCESS, m_t.root ? ::RegDeleteKeyValueA(m_t.root, m_t.key.c_str(), m_t.value.c_str()) : 0) << m_t.key; }

private:
    Installed m_t;
    Candidate m_file;
};

const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const Installed kWinMerge = { HKEY_CURRENT_USER, kAppPaths + "WinMergeU.exe", "", "C:\\pt\\i\\WinMergeU.exe" };

std::string Sz(const std::string& text)
{
    return text + std::string(1, '\0');
}

// The registered path wins over the default location, which counts when a
// file or a directory is there; a stored setting wins over both, even an
// empty one; only when none gives a path is an installed tool looked for,
// and then again at OK when the path is empty: the tool found is offered. How
// the value's bytes become a path is the unit tests' part; here: the value is
// read in the system's code page, and one too big for the program's buffer
// is not taken.
TEST(Locator, RegisteredPathThenDefaultLocationThenStoredSetting)
{
    const std::string registered = "C:\\nowhere\\windiff.exe";   // names no file
    const DWORD kNoPath = REG_NONE;
    const bool kNoStored = false;
    const std::string up = std::string(getenv("LOCALAPPDATA")) + "\\Programs\\";   // where per-user setups install
    struct
    {
        const char* name;
        DWORD type;                 // of the registered "Path"; REG_NONE: none
        std::string data;
        Candidate::Kind candidate;
        bool hasStored;
        std::string stored;
        std::string expected;
        Installed installed = {};
        std::vector<int> atOk = {};   // OK pressed, the boxes answered: the offer of the tool, then today's explanation
    } cases[] = {
        { "registered path", REG_SZ, Sz(registered), Candidate::File, kNoStored, "", registered, kWinMerge },
        { "default location", kNoPath, "", Candidate::File, kNoStored, "", kCandidate },
        { "directory at the default location", kNoPath, "", Candidate::Directory, kNoStored, "", kCandidate },
        { "empty registered path", REG_SZ, Sz(""), Candidate::File, kNoStored, "", kCandidate },
        { "nothing found", kNoPath, "", Candidate::None, kNoStored, "", "" },
        { "stored setting", REG_SZ, Sz(registered), Candidate::File, true, "D:\\mine\\tool.exe", "D:\\mine\\tool.exe" },
        { "empty stored setting", REG_SZ, Sz(registered), Candidate::File, true, "", "" },
        { "empty stored over installed", kNoPath, "", Candidate::None, true, "", "", kWinMerge },
        { "App Paths of the user", kNoPath, "", Candidate::None, kNoStored, "", kWinMerge.file, kWinMerge },
        { "App Paths of the machine", kNoPath, "", Candidate::None, kNoStored, "", "C:\\pt\\i\\Meld.exe",
          { HKEY_LOCAL_MACHINE, kAppPaths + "Meld.exe", "", "C:\\pt\\i\\Meld.exe" } },
        { "installer's own value", kNoPath, "", Candidate::None, kNoStored, "", "C:\\pt\\i\\BCompare.exe",
          { HKEY_LOCAL_MACHINE, "SOFTWARE\\Scooter Software\\Beyond Compare", "ExePath", "C:\\pt\\i\\BCompare.exe" } },
        { "registered file missing", kNoPath, "", Candidate::None, kNoStored, "", "",
          { HKEY_CURRENT_USER, kAppPaths + "windiff.exe", "", "C:\\pt\\i\\windiff.exe", true } },
        { "Program Files folder", kNoPath, "", Candidate::None, kNoStored, "", "C:\\Program Files\\KDiff3\\bin\\kdiff3.exe",
          { NULL, "", "", "C:\\Program Files\\KDiff3\\bin\\kdiff3.exe" } },
        { "lone lead byte at the end", REG_BINARY, "C:\\\x83\x7C\\\x83", Candidate::File, kNoStored, "",
          "C:\\\x83\x7C\\" },
        { "600-byte path", REG_SZ, Sz("C:\\" + std::string(597, 'c')), Candidate::File, kNoStored, "", kCandidate },
        { "WinMerge for one user", kNoPath, "", Candidate::None, kNoStored, "", up + "WinMerge\\WinMergeU.exe", { NULL, "", "", up + "WinMerge\\WinMergeU.exe" } },
        { "Meld for one user", kNoPath, "", Candidate::None, kNoStored, "", up + "Meld\\Meld.exe", { NULL, "", "", up + "Meld\\Meld.exe" } },
        { "BC 5 for one user", kNoPath, "", Candidate::None, kNoStored, "", up + "Beyond Compare 5\\BCompare.exe", { NULL, "", "", up + "Beyond Compare 5\\BCompare.exe" } },
        { "Uninstall entry", kNoPath, "", Candidate::None, kNoStored, "", "C:\\pt\\i\\Meld.exe",
          { HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Meld", "InstallLocation", "C:\\pt\\i\\Meld.exe", false, "C:\\pt\\i\\" } },
        { "Beyond Compare 5's key", kNoPath, "", Candidate::None, kNoStored, "", "C:\\pt\\i\\BCompare.exe",
          { HKEY_CURRENT_USER, "Software\\Scooter Software\\Beyond Compare 5", "ExePath", "C:\\pt\\i\\BCompare.exe" } },
        { "KDiff3 for one user", kNoPath, "", Candidate::None, kNoStored, "", "C:\\pt\\i\\bin\\kdiff3.exe",
          { HKEY_CURRENT_USER, "Software\\KDE e.V.\\KDiff3", "Install_Dir", "C:\\pt\\i\\bin\\kdiff3.exe", false, "C:\\pt\\i" } },
        { "offer at OK taken", kNoPath, "", Candidate::None, true, "", "", kWinMerge, { IDYES } },
        { "offer at OK declined", kNoPath, "", Candidate::None, true, "", "", kWinMerge, { IDNO, IDOK } },
    };
    ToolPathGuard tool;
    ScratchDir();   // made before the installed tools' files go in it
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.type == kNoPath)
            tool.Remove();
        else
            tool.Set(c.type, c.data);
        Candidate candidate(c.candidate);
        Install installed(c.installed);
        const bool taken = c.atOk.size() == 1;   // Yes ends the dialog with the comparison
        ASSERT_TRUE(!taken || ::CopyFileA(StandinPath().c_str(), c.installed.file.c_str(), FALSE));
        ClearSettings();
        if (c.hasStored)
            SetString("WinDiff", c.stored);

        std::string shown;
        std::wstring boxes;
        Script s;
        s.Do([&] { shown = Text(Ctl(IDC_WINDIFF)); });
        if (!c.atOk.empty())
            s.Click(IDOK);
        for (int id : c.atOk)
            s.WaitFor([] { return OtherDialog() != NULL; }).Do([&, id] {
                boxes += ReadMessageBox(OtherDialog()).message;
                ::PostMessageA(OtherDialog(), WM_COMMAND, id, 0);
            });
        if (!taken)
            s.WaitFor([] { return OtherDialog() == NULL; }).Click(IDCANCEL);
        ResetStandinLog();
        EXPECT_TRUE(RunProgram(s));
        EXPECT_EQ(c.expected, shown);
        EXPECT_EQ(taken ? c.installed.file : c.expected, GetString("WinDiff"));
        EXPECT_EQ(!c.atOk.empty(), !boxes.empty() && boxes.find(ToWide(c.installed.file)) != std::wstring::npos);
        EXPECT_EQ(c.atOk.size() == 2, boxes.find(L"Beyond Compare") != std::wstring::npos);   // the explanation
        std::vector<std::string> records = WaitStandinRecords(taken);
        EXPECT_EQ(taken, records.size() == 1 && Parameters(records[0]) == "/r \"\" \"\"");
    }
}

// A WinMerge installed in a folder that no code page holds is found through
// its App Paths entry, shown and stored exactly, and started with "/r" when
// the box is on, with both paths exactly.
TEST(Locator, WinMergeInAFolderNoCodePageHoldsIsFoundAndGetsItsForm)
{
    const std::wstring folder = ToWide(ScratchDir()) + L"\ud55c\uad6d \xd83d\xde00 Zo\u00eb", tool = folder + L"\\WinMergeU.exe";
    ::CreateDirectoryW(folder.c_str(), NULL);
    ASSERT_TRUE(::CopyFileW(ToWide(StandinPath()).c_str(), tool.c_str(), FALSE));
    const std::wstring key = ToWide(kAppPaths) + L"WinMergeU.exe";
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"", REG_SZ, tool.c_str(),
                                               (DWORD)(tool.size() + 1) * sizeof(WCHAR)));
    ToolPathGuard registered;
    registered.Remove();
    Candidate none(Candidate::None);
    ClearSettings();
    SetString("SubDir", "1");
    SetString("Dir1", folder);
    SetString("Dir2", L"C:\\\u8868\\");
    ResetStandinLog();
    std::wstring shown;
    Script s;
    s.Do([&] { shown = TextW(Ctl(IDC_WINDIFF)); }).Click(IDOK);
    EXPECT_TRUE(RunProgram(s));
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"");
    EXPECT_EQ(tool, shown);
    EXPECT_EQ(tool, GetStringExact("WinDiff"));
    std::vector<std::string> records = WaitStandinRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ((std::vector<std::wstring>{ tool, L"/r", folder, L"C:\\\u8868\\" }), ExactArguments(records[0]));
}

const int kFilterCombo = 0x470;     // cmb1
const int kFileNameCombo = 0x47C;   // cmb13
const int kFileNameEdit = 0x480;    // edt1

// The edit of the file dialog's name box.
HWND FileNameEdit(HWND hDlg)
{
    HWND hCombo = ::GetDlgItem(hDlg, kFileNameCombo);
    HWND hEdit = hCombo ? FindChild(hCombo, "Edit") : NULL;
    return hEdit ? hEdit : ::GetDlgItem(hDlg, kFileNameEdit);
}

std::vector<std::string> ListItems(HWND hCombo)
{
    std::vector<std::string> items;
    int count = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        WCHAR w[256] = L"";
        ::SendMessageW(hCombo, CB_GETLBTEXT, i, (LPARAM)w);
        items.push_back(ToAnsi(w));
    }
    return items;
}

// "&Ref" opens the file dialog on the path in the edit, typed or not, owned
// by the disabled main dialog and showing executables first. Cancel changes
// nothing; OK puts the chosen file, existing or not, into the edit.
TEST(Locator, ChooserStartsFromThePathAndTakesTheConfirmedFile)
{
    const std::string typed = ScratchDir() + "typed.exe";
    const std::string chosen = ScratchDir() + "chosen.txt";    // neither exists
    for (int confirm = 0; confirm < 2; confirm++) {
        SCOPED_TRACE(confirm ? "OK" : "Cancel");
        ClearSettings();
        std::string opened, after;
        std::vector<std::string> filters;
        int filterIndex = -1;
        bool mainEnabled = true, ownedByMain = false;
        HWND hFile = NULL;
        Script s;
        s.Focus(IDC_WINDIFF).Type(typed).Click(IDC_REF_WINDIFF);
        s.WaitFor([&] { return (hFile = OtherDialog()) != NULL; });
        s.Do([&] {
            opened = Agent("filedlg " + Hex(hFile));
            filters = ListItems(::GetDlgItem(hFile, kFilterCombo));
            filterIndex = (int)::SendMessageW(::GetDlgItem(hFile, kFilterCombo), CB_GETCURSEL, 0, 0);
            mainEnabled = ::IsWindowEnabled(MainDialog()) != FALSE;
            ownedByMain = ::GetWindow(hFile, GW_OWNER) == MainDialog();
        });
        if (confirm)
            s.Do([&] { EmptyAndFocus(FileNameEdit(hFile)); }).Type("chosen.txt");
        s.Do([&] { ::PostMessageA(hFile, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0); });
        s.WaitFor([] { return OtherDialog() == NULL; });
        s.Do([&] { after = Text(Ctl(IDC_WINDIFF)); });
        s.Click(IDCANCEL);
        ASSERT_TRUE(RunProgram(s));

        EXPECT_EQ(typed, opened);
        EXPECT_EQ((std::vector<std::string>{ "EXE Files(*.exe)", "All Files(*.*)" }), filters);
        EXPECT_EQ(0, filterIndex);
        EXPECT_FALSE(mainEnabled);
        EXPECT_TRUE(ownedByMain);
        EXPECT_EQ(confirm ? chosen : typed, after);
        EXPECT_EQ(confirm ? chosen : typed, GetString("WinDiff"));
    }
}

} // namespace
