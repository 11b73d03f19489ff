#include "CompareDlg.h"
#include "SettingsNames.h"
#include "../framework/FileDialog.h"
#include "../framework/WinApp.h"

#include <string.h>
#include <sys/stat.h>

namespace {

const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\windiff.exe";
const char kToolCandidate[] = "C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE";

// The path the development tools registered for the comparison tool, read
// into szPath (512 bytes). Whatever the value's type, its data up to the
// first zero byte is taken; data without a zero ends where it ends. A value
// that does not fit the buffer with a terminator is not taken at all: a path
// cut short would name some other file.
void ReadRegisteredToolPath(char (&szPath)[512])
{
    szPath[0] = 0;
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    DWORD dwType = 0;
    DWORD cb = sizeof(szPath);
    LONG lResult = ::RegQueryValueExA(hKey, "Path", NULL, &dwType, (LPBYTE)szPath, &cb);
    ::RegCloseKey(hKey);

    if (lResult != ERROR_SUCCESS || cb > sizeof(szPath)) {
        szPath[0] = 0;
        return;
    }
    const char* pZero = (const char*)memchr(szPath, 0, cb);
    if (pZero) {
        cb = (DWORD)(pZero - szPath);
    } else if (cb == sizeof(szPath)) {
        szPath[0] = 0;      // 512 bytes of text leave no room for the terminator
        return;
    }
    // A lead byte without its trail byte at the end is no character: drop it.
    const LeadByteTable& lead = AfxAnsiLeadBytes();
    if (cb > 0 && lead.IsLead((unsigned char)szPath[cb - 1])
        && MbsSafeCut(szPath, (int)cb, (int)cb - 1, lead) == (int)cb - 1)
        cb--;
    szPath[cb] = 0;
}

} // namespace

// Called while the dialog opens, after the settings: the registered path,
// else the tools' default location when something is there; a stored
// setting wins over both, even an empty one.
void CCompareDlg::LocateWinDiff()
{
    char szLocated[512];
    ReadRegisteredToolPath(szLocated);
    if (szLocated[0] == 0) {
        struct _stat st;
        if (::_stat(kToolCandidate, &st) == 0)
            strcpy(szLocated, kToolCandidate);
    }
    m_strWinDiff = AfxGetApp()->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, szLocated);
}

// Called when the "&Ref" button next to the tool's path is clicked.
void CCompareDlg::ChooseWinDiff()
{
    if (!UpdateData(TRUE))
        return;
    CFileDialog dlg(TRUE, NULL, m_strWinDiff, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "EXE Files(*.exe)|*.exe|All Files(*.*)|*.*||", this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strWinDiff = dlg.GetPathName();
    UpdateData(FALSE);
}
