// Where the comparison tool is found: the machine's registered path, the
// tools' default location, and the stored setting; and the tool chooser.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

const std::string kCandidateDir = "C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools";
const std::string kCandidate = kCandidateDir + "\\WINDIFF.EXE";

// The tools' default location, holding a file or a directory of that name
// for as long as the object lives. Only what it made is removed.
class Candidate
{
public:
    enum Kind { None, File, Directory };
    explicit Candidate(Kind kind) : m_kind(kind)
    {
        ::DeleteFileA(kCandidate.c_str());
        ::RemoveDirectoryA(kCandidate.c_str());
        if (kind == None)
            return;
        const char* parts[] = { "C:\\Program Files\\Microsoft Visual Studio", "\\Common", "\\Tools" };
        std::string dir;
        for (size_t i = 0; i < 3; i++) {
            dir += parts[i];
            if (::CreateDirectoryA(dir.c_str(), NULL))
                m_made.push_back(dir);
        }
        if (kind == Directory) {
            EXPECT_TRUE(::CreateDirectoryA(kCandidate.c_str(), NULL));
        } else {
            HANDLE h = ::CreateFileA(kCandidate.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            EXPECT_NE(INVALID_HANDLE_VALUE, h);
            ::CloseHandle(h);
        }
    }
    ~Candidate()
    {
        if (m_kind == File)
            ::DeleteFileA(kCandidate.c_str());
        else if (m_kind == Directory)
            ::RemoveDirectoryA(kCandidate.c_str());
        for (size_t i = m_made.size(); i-- > 0;)
            ::RemoveDirectoryA(m_made[i].c_str());
    }

private:
    Kind m_kind;
    std::vector<std::string> m_made;
};

std::string Sz(const std::string& text)
{
    return text + std::string(1, '\0');
}

std::string Dword(DWORD v)
{
    return std::string((const char*)&v, sizeof(v));
}

// "日" repeated to at least n bytes.
std::string DoubleBytes(size_t n)
{
    std::string s;
    while (s.size() < n)
        s += "\x93\xFA";
    return s;
}

// Starts the program, reads the tool's path it shows, and cancels.
std::string ShownToolPath()
{
    std::string shown;
    bool alive = false;
    Script s;
    s.Do([&] {
        shown = Text(Ctl(IDC_WINDIFF));
        alive = ::IsWindowVisible(MainDialog()) != FALSE;
    }).Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    EXPECT_TRUE(alive);
    return shown;
}

struct LocatorCase
{
    const char* name;
    bool hasPath;           // HKLM "Path" present
    DWORD type;
    std::string data;
    Candidate::Kind candidate;
    bool hasStored;         // a stored "WinDiff" setting
    std::string stored;
    std::string expected;
};

const std::string kRegistered = "C:\\nowhere\\windiff.exe";    // names no file

const LocatorCase kOrderCases[] = {
    { "RegisteredWinsOverCandidate", true, REG_SZ, Sz(kRegistered), Candidate::File, false, "", kRegistered },
    { "CandidateWithoutRegisteredPath", false, 0, "", Candidate::File, false, "", kCandidate },
    { "CandidateDirectoryCounts", false, 0, "", Candidate::Directory, false, "", kCandidate },
    { "CandidateWhenRegisteredPathEmpty", true, REG_SZ, Sz(""), Candidate::File, false, "", kCandidate },
    { "NothingFound", false, 0, "", Candidate::None, false, "", "" },
    { "StoredWinsOverBoth", true, REG_SZ, Sz(kRegistered), Candidate::File, true, "D:\\mine\\tool.exe",
      "D:\\mine\\tool.exe" },
    { "StoredEmptyWinsOverBoth", true, REG_SZ, Sz(kRegistered), Candidate::File, true, "", "" },
};

// Registered paths that are not a plain terminated text. The candidate is
// there, so a value that is not taken shows the candidate. The value's data
// is taken up to its first zero byte whatever its type; data that does not
// fit the 512-byte buffer with a terminator is not taken at all, and a lone
// lead byte at its end is dropped.
const LocatorCase kBadPathCases[] = {
    { "DwordWithZero", true, REG_DWORD, Dword(0x00782F41), Candidate::File, false, "", "A/x" },
    { "DwordWithoutZero", true, REG_DWORD, Dword(0x41424344), Candidate::File, false, "", "DCBA" },
    { "BinaryWithoutTerminator", true, REG_BINARY, "C:\\bin\\windiff.exe", Candidate::File, false, "",
      "C:\\bin\\windiff.exe" },
    { "SzWithoutTerminator", true, REG_SZ, "C:\\sz\\windiff.exe", Candidate::File, false, "", "C:\\sz\\windiff.exe" },
    { "MultiSz", true, REG_MULTI_SZ, std::string("C:\\a.exe\0C:\\b.exe\0\0", 19), Candidate::File, false, "",
      "C:\\a.exe" },
    { "Sz100KB", true, REG_SZ, Sz("C:\\" + std::string(100 * 1024, 'a')), Candidate::File, false, "", kCandidate },
    { "Binary100KB", true, REG_BINARY, std::string(100 * 1024, 'b'), Candidate::File, false, "", kCandidate },
    { "Binary100KBWithEarlyZero", true, REG_BINARY, Sz("C:\\early.exe") + std::string(100 * 1024, 'b'),
      Candidate::File, false, "", kCandidate },
    { "MultiSz100KB", true, REG_MULTI_SZ, Sz("C:\\multi.exe") + Sz(std::string(100 * 1024, 'm')) + Sz(""),
      Candidate::File, false, "", kCandidate },
    { "Sz600BytesWithoutTerminator", true, REG_SZ, "C:\\" + std::string(597, 'c'), Candidate::File, false, "",
      kCandidate },
    { "Binary600BytesWithoutTerminator", true, REG_BINARY, "C:\\" + std::string(597, 'd'), Candidate::File, false,
      "", kCandidate },
    { "DoubleByte600Bytes", true, REG_SZ, Sz("C:\\" + DoubleBytes(597)), Candidate::File, false, "", kCandidate },
    { "Sz511Characters", true, REG_SZ, Sz("C:\\" + std::string(508, 'e')), Candidate::File, false, "",
      "C:\\" + std::string(508, 'e') },
    { "Binary511BytesWithoutTerminator", true, REG_BINARY, "C:\\" + std::string(508, 'f'), Candidate::File, false,
      "", "C:\\" + std::string(508, 'f') },
    { "Binary512BytesWithoutTerminator", true, REG_BINARY, "C:\\" + std::string(509, 'g'), Candidate::File, false,
      "", kCandidate },
    { "TrailingLoneLeadByte", true, REG_BINARY, "C:\\\x83\x7C\\\x83", Candidate::File, false, "",
      "C:\\\x83\x7C\\" },
};

class Locator : public ::testing::TestWithParam<LocatorCase>
{
};

TEST_P(Locator, ShowsTheToolPathAndStoresItAsText)
{
    const LocatorCase& c = GetParam();
    ToolPathGuard tool;
    if (c.hasPath)
        tool.Set(c.type, c.data);
    else
        tool.Remove();
    Candidate candidate(c.candidate);
    ClearSettings();
    if (c.hasStored)
        SetString("WinDiff", c.stored);

    EXPECT_EQ(c.expected, ShownToolPath());
    EXPECT_EQ(c.expected, GetString("WinDiff"));
}

std::string CaseName(const ::testing::TestParamInfo<LocatorCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Order, Locator, ::testing::ValuesIn(kOrderCases), CaseName);
INSTANTIATE_TEST_SUITE_P(BadPath, Locator, ::testing::ValuesIn(kBadPathCases), CaseName);

// The file dialog's controls.
const int kFileNameCombo = 0x47C;   // cmb13
const int kFileNameEdit = 0x480;    // edt1
const int kFilterCombo = 0x470;     // cmb1

HWND FileNameBox(HWND hDlg)
{
    HWND h = ::GetDlgItem(hDlg, kFileNameCombo);
    return h ? h : ::GetDlgItem(hDlg, kFileNameEdit);
}

std::vector<std::string> FilterItems(HWND hDlg)
{
    std::vector<std::string> items;
    HWND hCombo = ::GetDlgItem(hDlg, kFilterCombo);
    int n = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        char buf[256] = "";
        ::SendMessageA(hCombo, CB_GETLBTEXT, i, (LPARAM)buf);
        items.push_back(buf);
    }
    return items;
}

// The chooser: the parameter is whether it is confirmed.
class Chooser : public ::testing::TestWithParam<bool>
{
};

TEST_P(Chooser, StartsFromTheTypedPathAndTakesTheConfirmedFile)
{
    const bool confirm = GetParam();
    ClearSettings();
    const std::string typed = ScratchDir() + "typed.exe";
    const std::string chosen = ScratchDir() + "chosen.txt";    // neither exists
    std::string shownName, after;
    std::vector<std::string> filters;
    int filterIndex = -1;
    bool mainEnabled = true, ownedByMain = false;
    HWND hFile = NULL;
    Script s;
    s.Do([&] { SetText(Ctl(IDC_WINDIFF), typed); });
    s.Click(IDC_REF_WINDIFF);
    s.WaitFor([&] { return (hFile = OtherDialog()) != NULL; });
    s.Do([&] {
        shownName = Text(FileNameBox(hFile));
        filters = FilterItems(hFile);
        filterIndex = (int)::SendMessageA(::GetDlgItem(hFile, kFilterCombo), CB_GETCURSEL, 0, 0);
        mainEnabled = ::IsWindowEnabled(MainDialog()) != FALSE;
        ownedByMain = ::GetWindow(hFile, GW_OWNER) == MainDialog();
        if (confirm)
            SetText(FileNameBox(hFile), chosen);
        ::PostMessageA(hFile, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
    });
    s.WaitFor([] { return OtherDialog() == NULL; });
    s.Do([&] { after = Text(Ctl(IDC_WINDIFF)); });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    // The dialog may show the folder apart from the name.
    EXPECT_TRUE(shownName == typed || shownName == "typed.exe") << shownName;
    EXPECT_EQ((std::vector<std::string>{ "EXE Files(*.exe)", "All Files(*.*)" }), filters);
    EXPECT_EQ(0, filterIndex);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(ownedByMain);
    EXPECT_EQ(confirm ? chosen : typed, after);
    EXPECT_EQ(confirm ? chosen : typed, GetString("WinDiff"));
}

INSTANTIATE_TEST_SUITE_P(Answers, Chooser, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
    return std::string(info.param ? "Confirmed" : "Cancelled");
});

} // namespace
