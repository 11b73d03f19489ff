#include "CompareDlg.h"
#include "FieldPath.h"
#include "PathText.h"
#include "SettingsNames.h"
#include "../framework/Profile.h"
#include "../framework/FileDialog.h"
#include "../framework/MessageBox.h"
#include "../framework/StringResource.h"
#include "../framework/WinApp.h"

#include <shlobj.h>
#include <sys/stat.h>

namespace {

const wchar_t kToolKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\windiff.exe";
const wchar_t kToolCandidate[] = L"C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE";

// The most characters of a located path, its terminator included.
const int kToolPathChars = 512;

// The path a registry value holds (AfxReadValueText); empty when there is
// none. A value that does not fit kToolPathChars with a terminator is not
// taken: a path cut short would name another file.
CString ReadToolValue(HKEY hRoot, const wchar_t* pszKey, const wchar_t* pszValue, REGSAM view, DWORD* pType)
{
    HKEY hKey;
    if (::RegOpenKeyExW(hRoot, pszKey, 0, KEY_READ | view, &hKey) != ERROR_SUCCESS)
        return CString();
    CString path;
    LONG lResult = AfxReadValueText(hKey, pszValue, path, pType, kToolPathChars);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && path.GetLength() < kToolPathChars ? path : CString();
}

// The path the development tools registered for the comparison tool; empty
// when there is none.
CString ReadRegisteredToolPath()
{
    DWORD dwType = 0;
    return ReadToolValue(HKEY_LOCAL_MACHINE, kToolKey, L"Path", 0, &dwType);
}

// What an installer registered for a tool: a value naming the executable,
// or its folder (then append names the executable in it). The root
// kUserThenMachine reads the user's value, then the machine's.
const HKEY kUserThenMachine = NULL;
struct Registration
{
    HKEY hRoot;
    const wchar_t* key;
    const wchar_t* value;
    const wchar_t* append;
};

// The comparison tools looked for when none is located or stored, in this
// order: the name under which each registers its App Paths, what its own
// installer writes, and its folders below Program Files.
// - WinMerge: its Inno Setup scripts (Installer/InnoSetup/WinMerge*.iss)
//   write App Paths\WinMergeU.exe (the user's for a per-user install) and
//   the user's Thingamahoochie\WinMerge "Executable".
// - KDiff3: its installer, made by KDE's Craft, writes the user's
//   "diff-ext\diffcommand" under KDE e.V.\KDiff3 and, for all users,
//   "Install_Dir" there, with kdiff3.exe in its bin folder; older installers
//   wrote the folder as the default value of KDiff3.
// - Meld: its installer (setup_win32.py) writes the machine's Meld "Executable".
// - Beyond Compare: its installer writes "ExePath" under Scooter
//   Software\Beyond Compare, the user's and the machine's.
// Today's setups, looked for after those (later):
// - the tool's entry among the installed programs: its Uninstall key's
//   "InstallLocation", the folder (WinMerge's and Beyond Compare's Inno
//   Setup scripts name the key after the application and "_is1"; Meld's
//   NSIS setup, since 3.23, records nothing else);
// - Beyond Compare 5, 4 and 3 keep "ExePath" under versioned keys, newest
//   first, which is what Scooter Software's own editor extension reads;
// - KDiff3's setup for one user writes the user's "Install_Dir".
// Per-user setups install into the user's own programs folder, which is
// looked in beside Program Files.
#define UNINSTALL_KEY L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
const struct KnownTool
{
    const wchar_t* exe;
    Registration own[3];
    const wchar_t* folders[2];
    Registration later[6];
} kKnownTools[] = {
    { L"windiff.exe", { { HKEY_LOCAL_MACHINE, kToolKey, L"Path", NULL } },
      { L"Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE" }, {} },
    { L"WinMergeU.exe", { { HKEY_CURRENT_USER, L"Software\\Thingamahoochie\\WinMerge", L"Executable", NULL } },
      { L"WinMerge\\WinMergeU.exe" },
      { { kUserThenMachine, UNINSTALL_KEY L"WinMerge_is1", L"InstallLocation", L"\\WinMergeU.exe" } } },
    { L"kdiff3.exe",
      { { HKEY_CURRENT_USER, L"Software\\KDE e.V.\\KDiff3\\diff-ext", L"diffcommand", NULL },
        { HKEY_LOCAL_MACHINE, L"Software\\KDE e.V.\\KDiff3", L"Install_Dir", L"\\bin\\kdiff3.exe" },
        { HKEY_LOCAL_MACHINE, L"Software\\KDiff3", L"", L"\\kdiff3.exe" } },
      { L"KDiff3\\bin\\kdiff3.exe", L"KDiff3\\kdiff3.exe" },
      { { kUserThenMachine, UNINSTALL_KEY L"KDiff3", L"InstallLocation", L"\\bin\\kdiff3.exe" },
        { HKEY_CURRENT_USER, L"Software\\KDE e.V.\\KDiff3", L"Install_Dir", L"\\bin\\kdiff3.exe" } } },
    { L"Meld.exe", { { HKEY_LOCAL_MACHINE, L"SOFTWARE\\Meld", L"Executable", NULL } }, { L"Meld\\Meld.exe" },
      { { kUserThenMachine, UNINSTALL_KEY L"Meld", L"InstallLocation", L"\\Meld.exe" } } },
    { L"BCompare.exe",
      { { HKEY_CURRENT_USER, L"SOFTWARE\\Scooter Software\\Beyond Compare", L"ExePath", NULL },
        { HKEY_LOCAL_MACHINE, L"SOFTWARE\\Scooter Software\\Beyond Compare", L"ExePath", NULL } },
      { L"Beyond Compare 5\\BCompare.exe", L"Beyond Compare 4\\BCompare.exe" },
      { { kUserThenMachine, UNINSTALL_KEY L"BeyondCompare5_is1", L"InstallLocation", L"\\BCompare.exe" },
        { kUserThenMachine, UNINSTALL_KEY L"BeyondCompare4_is1", L"InstallLocation", L"\\BCompare.exe" },
        { kUserThenMachine, UNINSTALL_KEY L"BeyondCompare3_is1", L"InstallLocation", L"\\BCompare.exe" },
        { kUserThenMachine, L"SOFTWARE\\Scooter Software\\Beyond Compare 5", L"ExePath", NULL },
        { kUserThenMachine, L"SOFTWARE\\Scooter Software\\Beyond Compare 4", L"ExePath", NULL },
        { kUserThenMachine, L"SOFTWARE\\Scooter Software\\Beyond Compare 3", L"ExePath", NULL } } },
};

// The user's own programs folder, where per-user setups install: the
// system's, else its usual place, %LOCALAPPDATA%\Programs (Wine 8 knows
// only that one); empty when there is none.
CString UserProgramsFolder()
{
    const KNOWNFOLDERID* const ids[2] = { &FOLDERID_UserProgramFiles, &FOLDERID_LocalAppData };
    CString folder;
    for (int i = 0; i < 2 && folder.IsEmpty(); i++) {
        PWSTR pszFolder = NULL;   // freed whether the call succeeds or not
        if (SUCCEEDED(::SHGetKnownFolderPath(*ids[i], KF_FLAG_DONT_VERIFY, NULL, &pszFolder)) && pszFolder) {
            folder = pszFolder;
            if (i == 1)
                folder += L"\\Programs";
        }
        ::CoTaskMemFree(pszFolder);
    }
    return folder;
}

bool IsFile(const wchar_t* pszPath)
{
    DWORD dwAttributes = ::GetFileAttributesW(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The executable a registration names, when that file exists. The machine's
// registry is read in its 64-bit view and in its 32-bit one, where most of
// the tools, being 64-bit, and the older 32-bit ones register; the user's
// is the same in both. A value may name the file between quotes, or
// through %VARIABLES%.
CString RegisteredFile(const Registration& r)
{
    struct { HKEY hRoot; REGSAM view; } reads[3];
    int nReads = 0;
    if (r.hRoot != HKEY_LOCAL_MACHINE)
        reads[nReads++] = { HKEY_CURRENT_USER, KEY_WOW64_64KEY };
    if (r.hRoot != HKEY_CURRENT_USER) {
        reads[nReads++] = { HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY };
        reads[nReads++] = { HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY };
    }
    for (int i = 0; i < nReads; i++) {
        DWORD dwType = 0;
        CString path = ReadToolValue(reads[i].hRoot, r.key, r.value, reads[i].view, &dwType);
        WCHAR szExpanded[kToolPathChars];
        if (dwType == REG_EXPAND_SZ) {
            DWORD n = ::ExpandEnvironmentStringsW(path, szExpanded, kToolPathChars);
            path = n > 0 && n <= kToolPathChars ? CString(szExpanded) : CString();
        }
        int nFirst, nCount;
        PathInText((const wchar_t*)path, path.GetLength(), &nFirst, &nCount);
        CString file((const wchar_t*)path + nFirst, nCount);
        if (!file.IsEmpty() && r.append) {
            // A folder may be written with its closing backslash.
            int len = file.GetLength();
            file += file[len - 1] == L'\\' ? r.append + 1 : r.append;
        }
        if (!file.IsEmpty() && IsFile(file))
            return file;
    }
    return CString();
}

// The first comparison tool installed, in the order above; empty when there
// is none. Program Files is the real one (ProgramW6432, which a 32-bit
// program on 64-bit Windows sees too), the 32-bit one, and the one this
// program sees; then the user's own programs folder.
CString FindInstalledTool()
{
    const wchar_t* const vars[3] = { L"ProgramW6432", L"ProgramFiles(x86)", L"ProgramFiles" };
    CString roots[4];
    roots[3] = UserProgramsFolder();
    for (int i = 0; i < 3; i++) {
        WCHAR szRoot[MAX_PATH];
        DWORD n = ::GetEnvironmentVariableW(vars[i], szRoot, MAX_PATH);
        if (n > 0 && n < MAX_PATH && (i == 0 || lstrcmpiW(szRoot, roots[0]) != 0)
            && (i < 2 || lstrcmpiW(szRoot, roots[1]) != 0))
            roots[i] = szRoot;
    }
    for (const KnownTool& tool : kKnownTools) {
        CString appPath = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
        appPath += tool.exe;
        Registration appPaths[2] = { { HKEY_CURRENT_USER, appPath, L"", NULL }, { HKEY_LOCAL_MACHINE, appPath, L"", NULL } };
        for (const Registration& r : appPaths) {
            CString file = RegisteredFile(r);
            if (!file.IsEmpty())
                return file;
        }
        for (const Registration& r : tool.own) {
            CString file = r.key ? RegisteredFile(r) : CString();
            if (!file.IsEmpty())
                return file;
        }
        for (const wchar_t* folder : tool.folders) {
            for (const CString& root : roots) {
                if (!folder || root.IsEmpty())
                    continue;
                CString file = root;
                file += L"\\";
                file += folder;
                if (IsFile(file))
                    return file;
            }
        }
        for (const Registration& r : tool.later) {
            CString file = r.key ? RegisteredFile(r) : CString();
            if (!file.IsEmpty())
                return file;
        }
    }
    return CString();
}

// The default of a setting that is not stored, which no stored path holds.
const wchar_t kNotStored[] = L"\x01";

} // namespace

// Called while the dialog opens, after the other settings: a stored setting
// wins, even an empty one, and is read once; without one, the registered
// path, else the tools' default location when something is there, else the
// comparison tools installed. Nothing is looked for when a setting is
// stored, which keeps the start short.
void CCompareDlg::LocateWinDiff()
{
    m_strWinDiff = AfxGetApp()->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, kNotStored);
    if (lstrcmpW(m_strWinDiff, kNotStored) != 0)
        return;
    m_strWinDiff = ReadRegisteredToolPath();
    if (m_strWinDiff.IsEmpty()) {
        struct _stat st;
        if (::_wstat(kToolCandidate, &st) == 0)
            m_strWinDiff = kToolCandidate;
    }
    if (m_strWinDiff.IsEmpty())
        m_strWinDiff = FindInstalledTool();
}

// Called by OK when the tool's path is empty: a tool installed since (after
// a first start stored the empty path, say) is looked for and offered.
// Yes puts its path into the edit, to be used and stored.
void CCompareDlg::OfferInstalledTool()
{
    CString found = FindInstalledTool();
    if (found.IsEmpty())
        return;
    CString text;
    AfxFormatString2(text, IDS_USE_FOUND_TOOL, found);
    if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        m_strWinDiff = found;
        UpdateData(FALSE);
    }
}

// Called when the "&Ref" button next to the tool's path is clicked. The
// dialog starts at the path the edit shows, as the launch reads it.
void CCompareDlg::ChooseWinDiff()
{
    if (!UpdateData(TRUE))
        return;
    CFieldPath tool(GetDlgItem(IDC_WINDIFF));
    CFileDialog dlg(tool.GetPath(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"EXE Files(*.exe)|*.exe|All Files(*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    m_strWinDiff = dlg.GetPathName();
    UpdateData(FALSE);
}
