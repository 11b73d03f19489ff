#include "CompareDlg.h"
#include "FieldPath.h"
#include "SettingsNames.h"
#include "ToolPath.h"
#include "../framework/FileDialog.h"
#include "../framework/WinApp.h"

#include <sys/stat.h>

namespace {

const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\windiff.exe";
const char kToolCandidate[] = "C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE";

// The path the development tools registered for the comparison tool
// (ToolPathFromValue); empty when there is none. A value too big for the
// buffer fails the query, and is not taken.
CString ReadRegisteredToolPath()
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return CString();
    char szPath[kToolPathBytes];
    DWORD dwType = 0;
    DWORD cb = sizeof(szPath);
    LONG lResult = ::RegQueryValueExA(hKey, "Path", NULL, &dwType, (LPBYTE)szPath, &cb);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return CString();
    return ToolPathFromValue(dwType, szPath, cb, AfxAnsiLeadBytes());
}

} // namespace

// Called while the dialog opens, after the other settings: the registered
// path, else the tools' default location when something is there; a stored
// setting wins over both, even an empty one.
void CCompareDlg::LocateWinDiff()
{
    CString located = ReadRegisteredToolPath();
    if (located.IsEmpty()) {
        struct _stat st;
        if (::_stat(kToolCandidate, &st) == 0)
            located = kToolCandidate;
    }
    // A stored path that the code page cannot hold is shown exactly.
    m_strWinDiff = AfxGetApp()->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, located, &m_strWinDiffExact);
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
