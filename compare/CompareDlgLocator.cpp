#include "CompareDlg.h"
#include "FieldPath.h"
#include "PathText.h"
#include "SettingsNames.h"
#include "ToolPath.h"
#include "../framework/CodePage.h"
#include "../framework/FileDialog.h"
#include "../framework/MessageBox.h"
#include "../framework/StringResource.h"
#include "../framework/WinApp.h"

#include <shlobj.h>
#include <sys/stat.h>

namespace {

const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\windiff.exe";
const char kToolCandidate[] = "C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE";

// The path a registry value holds (ToolPathFromValue); empty when there is
// none. A value too big for the buffer fails the query, and is not taken.
CString ReadToolValue(HKEY hRoot, const char* pszKey, const char* pszValue, REGSAM view, DWORD* pType)
{
    HKEY hKey;
    if (::RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ | view, &hKey) != ERROR_SUCCESS)
        return CString();
    char szPath[kToolPathBytes];
    DWORD cb = sizeof(szPath);
    LONG lResult = ::RegQueryValueExA(hKey, pszValue, NULL, pType, (LPBYTE)szPath, &cb);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return CString();
    return ToolPathFromValue(*pType, szPath, cb, AfxAnsiLeadBytes());
}

// The path the development tools registered for the comparison tool; empty
// when there is none.
CString ReadRegisteredToolPath()
{
    DWORD dwType = 0;
    return ReadToolValue(HKEY_LOCAL_MACHINE, kToolKey, "Path", 0, &dwType);
}

// What an installer registered for a tool: a value naming the executable,
// or its folder (then append names the executable in it). The root
// kUserThenMachine reads the user's value, then the machine's.
const HKEY kUserThenMachine = NULL;
struct Registration
{
    HKEY hRoot;
    const char* key;
    const char* value;
    const char* append;
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
//   Setup name the key after the application and "_is1"; Meld's NSIS
//   setup, since 3.23, records nothing else);
// - Beyond Compare 5, 4 and 3 keep "ExePath" under versioned keys, newest
//   first, which is what Scooter Software's own editor extension reads;
// - KDiff3's setup for one user writes the user's "Install_Dir".
// Per-user setups install into the user's own programs folder, which is
// looked in beside Program Files.
#define UNINSTALL_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
const struct KnownTool
{
    const char* exe;
    Registration own[3];
    const char* folders[2];
    Registration later[6];
} kKnownTools[] = {
    { "windiff.exe", { { HKEY_LOCAL_MACHINE, kToolKey, "Path", NULL } },
      { "Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE" }, {} },
    { "WinMergeU.exe", { { HKEY_CURRENT_USER, "Software\\Thingamahoochie\\WinMerge", "Executable", NULL } },
      { "WinMerge\\WinMergeU.exe" },
      { { kUserThenMachine, UNINSTALL_KEY "WinMerge_is1", "InstallLocation", "\\WinMergeU.exe" } } },
    { "kdiff3.exe",
      { { HKEY_CURRENT_USER, "Software\\KDE e.V.\\KDiff3\\diff-ext", "diffcommand", NULL },
        { HKEY_LOCAL_MACHINE, "Software\\KDE e.V.\\KDiff3", "Install_Dir", "\\bin\\kdiff3.exe" },
        { HKEY_LOCAL_MACHINE, "Software\\KDiff3", "", "\\kdiff3.exe" } },
      { "KDiff3\\bin\\kdiff3.exe", "KDiff3\\kdiff3.exe" },
      { { kUserThenMachine, UNINSTALL_KEY "KDiff3", "InstallLocation", "\\bin\\kdiff3.exe" },
        { HKEY_CURRENT_USER, "Software\\KDE e.V.\\KDiff3", "Install_Dir", "\\bin\\kdiff3.exe" } } },
    { "Meld.exe", { { HKEY_LOCAL_MACHINE, "SOFTWARE\\Meld", "Executable", NULL } }, { "Meld\\Meld.exe" },
      { { kUserThenMachine, UNINSTALL_KEY "Meld", "InstallLocation", "\\Meld.exe" } } },
    { "BCompare.exe",
      { { HKEY_CURRENT_USER, "SOFTWARE\\Scooter Software\\Beyond Compare", "ExePath", NULL },
        { HKEY_LOCAL_MACHINE, "SOFTWARE\\Scooter Software\\Beyond Compare", "ExePath", NULL } },
      { "Beyond Compare 5\\BCompare.exe", "Beyond Compare 4\\BCompare.exe" },
      { { kUserThenMachine, UNINSTALL_KEY "BeyondCompare5_is1", "InstallLocation", "\\BCompare.exe" },
        { kUserThenMachine, UNINSTALL_KEY "BeyondCompare4_is1", "InstallLocation", "\\BCompare.exe" },
        { kUserThenMachine, UNINSTALL_KEY "BeyondCompare3_is1", "InstallLocation", "\\BCompare.exe" },
        { kUserThenMachine, "SOFTWARE\\Scooter Software\\Beyond Compare 5", "ExePath", NULL },
        { kUserThenMachine, "SOFTWARE\\Scooter Software\\Beyond Compare 4", "ExePath", NULL },
        { kUserThenMachine, "SOFTWARE\\Scooter Software\\Beyond Compare 3", "ExePath", NULL } } },
};

// The user's own programs folder, where per-user setups install: the
// system's, else its usual place, %LOCALAPPDATA%\Programs (Wine knows only
// that one); empty when there is none, or the code page cannot hold it.
CString UserProgramsFolder()
{
    const KNOWNFOLDERID* const ids[2] = { &FOLDERID_UserProgramFiles, &FOLDERID_LocalAppData };
    CString folder;
    for (int i = 0; i < 2 && folder.IsEmpty(); i++) {
        PWSTR pszFolder = NULL;   // freed whether the call succeeds or not
        if (SUCCEEDED(::SHGetKnownFolderPath(*ids[i], KF_FLAG_DONT_VERIFY, NULL, &pszFolder))
            && AfxAnsiPathFromWide(pszFolder, folder) && i == 1)
            folder += "\\Programs";
        ::CoTaskMemFree(pszFolder);
    }
    return folder;
}

bool IsFile(const char* pszPath)
{
    DWORD dwAttributes = ::GetFileAttributesA(pszPath);
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
        char szExpanded[kToolPathBytes];
        if (dwType == REG_EXPAND_SZ) {
            DWORD n = ::ExpandEnvironmentStringsA(path, szExpanded, sizeof(szExpanded));
            path = n > 0 && n <= sizeof(szExpanded) ? CString(szExpanded) : CString();
        }
        int nFirst, nCount;
        PathInText((const char*)path, path.GetLength(), &nFirst, &nCount);
        CString file((const char*)path + nFirst, nCount);
        if (!file.IsEmpty() && r.append) {
            // A folder may be written with its closing backslash.
            int len = file.GetLength();
            file += MbsFindLast(file, len, '\\', AfxAnsiLeadBytes()) == len - 1 ? r.append + 1 : r.append;
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
    const char* const vars[3] = { "ProgramW6432", "ProgramFiles(x86)", "ProgramFiles" };
    CString roots[4];
    roots[3] = UserProgramsFolder();
    for (int i = 0; i < 3; i++) {
        char szRoot[MAX_PATH];
        DWORD n = ::GetEnvironmentVariableA(vars[i], szRoot, sizeof(szRoot));
        if (n > 0 && n < sizeof(szRoot) && (i == 0 || lstrcmpiA(szRoot, roots[0]) != 0)
            && (i < 2 || lstrcmpiA(szRoot, roots[1]) != 0))
            roots[i] = szRoot;
    }
    for (const KnownTool& tool : kKnownTools) {
        CString appPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
        appPath += tool.exe;
        Registration appPaths[2] = { { HKEY_CURRENT_USER, appPath, "", NULL }, { HKEY_LOCAL_MACHINE, appPath, "", NULL } };
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
        for (const char* folder : tool.folders) {
            for (const CString& root : roots) {
                if (!folder || root.IsEmpty())
                    continue;
                CString file = root;
                file += "\\";
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

// The default of a setting that is not stored: no stored path holds it
// when an empty one is read back empty.
const char kNotStored[] = "\x01";

} // namespace

// Called while the dialog opens, after the other settings: the registered
// path, else the tools' default location when something is there; a stored
// setting wins over both, even an empty one. When none of the three gives a
// path, the comparison tools installed are looked for.
void CCompareDlg::LocateWinDiff()
{
    CString located = ReadRegisteredToolPath();
    if (located.IsEmpty()) {
        struct _stat st;
        if (::_stat(kToolCandidate, &st) == 0)
            located = kToolCandidate;
    }
    // A stored path that the code page cannot hold is shown exactly.
    CWinApp* pApp = AfxGetApp();
    m_strWinDiff = pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, located, &m_strWinDiffExact);
    if (located.IsEmpty() && m_strWinDiff.IsEmpty() && m_strWinDiffExact.GetLength() == 0
        && lstrcmpA(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, kNotStored), kNotStored) == 0)
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
    CWideString text;
    AfxFormatString2(text, IDS_USE_FOUND_TOOL, AfxWideFromAnsi(found));
    if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES)
        ::SetWindowTextA(GetDlgItem(IDC_WINDIFF), found);
}

// Called when the "&Ref" button next to the tool's path is clicked. The
// dialog starts at the path the edit shows, as the launch reads it.
void CCompareDlg::ChooseWinDiff()
{
    if (!UpdateData(TRUE))
        return;
    CFieldPath tool(GetDlgItem(IDC_WINDIFF));
    CFileDialog dlg(tool.GetPath(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "EXE Files(*.exe)|*.exe|All Files(*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    m_strWinDiff = dlg.GetPathName();
    UpdateData(FALSE);
}
