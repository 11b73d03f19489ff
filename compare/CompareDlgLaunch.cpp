#include "CompareDlg.h"
#include "FieldPath.h"
#include "LaunchParams.h"
#include "../framework/MessageBox.h"
#include "../framework/StringResource.h"
#include "../framework/CodePage.h"
#include "../framework/WinApp.h"

#include <shellapi.h>

namespace {

// The system error behind a failed ShellExecute's result.
DWORD ErrorOfShellResult(INT_PTR nResult)
{
    switch (nResult) {
    case 0:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE:
        return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
        return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
        return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND:
        return ERROR_DLL_NOT_FOUND;
    default:
        return (DWORD)nResult;   // 2, 3, 5, 8 and 11 are the system's own numbers
    }
}

// The file version that the executable's version resource gives; 0 when
// it has none. Reads the file: only for a tool whose parameters depend on
// its version, and only at OK.
ToolVersion ReadToolVersion(const WCHAR* pszPath)
{
    DWORD dwIgnored = 0;
    DWORD cb = ::GetFileVersionInfoSizeW(pszPath, &dwIgnored);
    void* pData = cb ? ::LocalAlloc(LMEM_FIXED, cb) : NULL;
    VS_FIXEDFILEINFO* pInfo = NULL;
    UINT cbInfo = 0;
    ToolVersion version = 0;
    if (pData && ::GetFileVersionInfoW(pszPath, 0, cb, pData)
        && ::VerQueryValueW(pData, L"\\", (void**)&pInfo, &cbInfo) && pInfo && cbInfo >= sizeof(*pInfo)
        && pInfo->dwSignature == VS_FFI_SIGNATURE)
        version = (ToolVersion)pInfo->dwFileVersionMS << 32 | pInfo->dwFileVersionLS;
    if (pData)
        ::LocalFree(pData);
    return version;
}

// Whether the path names a folder once its environment variables are
// expanded (%windir%), as the shell expands them before it opens it.
bool NamesFolder(const CString& path)
{
    CWideString wide(AfxWideFromAnsi(path)), expanded;
    DWORD n = ::ExpandEnvironmentStringsW(wide, NULL, 0);
    WCHAR* p = n ? expanded.GetBuffer((int)n) : NULL;
    const WCHAR* pszPath = p && ::ExpandEnvironmentStringsW(wide, p, n) <= n ? p : (const WCHAR*)wide;
    DWORD dwAttributes = ::GetFileAttributesW(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Stand for "no tool path at all" and "the tool path names a folder" among
// the system's errors.
const DWORD kNoToolPath = (DWORD)-1;
const DWORD kToolIsFolder = (DWORD)-2;

} // namespace

// Called by OK and Enter. The tool's path and both paths are read as they
// are shown (CFieldPath): a path that the code page cannot hold and that
// has no short name is reported, and the dialog stays.
void CCompareDlg::LaunchComparison()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strWinDiff.IsEmpty() && ::GetWindowTextLengthW(GetDlgItem(IDC_WINDIFF)) == 0)
        OfferInstalledTool();
    CFieldPath tool(GetDlgItem(IDC_WINDIFF));
    CFieldPath dir1(m_comboDir1.GetEditCtrl());
    CFieldPath dir2(m_comboDir2.GetEditCtrl());
    const CFieldPath* fields[3] = { &tool, &dir1, &dir2 };
    const int ids[3] = { IDC_WINDIFF, IDC_DIR1, IDC_DIR2 };
    for (int i = 0; i < 3; i++) {
        if (fields[i]->GetKind() == CFieldPath::UNUSABLE) {
            AfxReportUnusablePath(fields[i]->GetShownPath());
            SendMessage(WM_NEXTDLGCTL, (WPARAM)GetDlgItem(ids[i]), TRUE);
            return;
        }
    }
    ToolVersion version = 0;
    if (ToolWantsVersion(tool.GetPath(), AfxAnsiLeadBytes()))
        version = ReadToolVersion(AfxWideFromAnsi(tool.GetPath()));
    CString params = BuildToolParameters(tool.GetPath(), dir1.GetPath(), dir2.GetPath(), m_bSubDir != 0,
                                           AfxAnsiLeadBytes(), version);
    DWORD dwError = StartTool(tool.GetPath(), params);
    if (dwError != 0) {
        ReportLaunchFailure(tool.GetShownPath(), dwError);
        return;
    }
    CDialog::OnOK();
}

DWORD CCompareDlg::StartTool(const CString& tool, const CString& params)
{
    if (tool.IsEmpty())
        return kNoToolPath;
    // A path longer than any the shell can start is not handed to it (some
    // shells do not survive one). Counted in characters, as the system
    // counts a path, not in bytes.
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, tool, tool.GetLength(), NULL, 0);
    if (nChars <= 0 || nChars >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    // The shell would open a folder in a file manager, which is no comparison.
    if (NamesFolder(tool))
        return kToolIsFolder;
    INT_PTR nResult = (INT_PTR)::ShellExecuteA(NULL, "open", tool, params, NULL, SW_SHOW);
    return nResult > 32 ? 0 : ErrorOfShellResult(nResult);
}

// Says that the tool could not start, with its path and the reason; then
// the focus goes to the tool's path with its text selected, ready for a
// correction.
void CCompareDlg::ReportLaunchFailure(const WCHAR* pszTool, DWORD dwError)
{
    CWideString reason;
    if (dwError == kNoToolPath || dwError == kToolIsFolder) {
        AfxFormatString2(reason, dwError == kNoToolPath ? IDS_NO_TOOL_PATH : IDS_TOOL_IS_FOLDER);
    } else {
        WCHAR* pText = NULL;
        DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   NULL, dwError, 0, (LPWSTR)&pText, 0, NULL);
        while (n > 0 && (pText[n - 1] == L'\r' || pText[n - 1] == L'\n' || pText[n - 1] == L' '))
            pText[--n] = 0;
        if (n > 0) {
            reason += pText;
        } else {
            WCHAR code[16];
            ::wsprintfW(code, L"%lu", (unsigned long)dwError);
            AfxFormatString2(reason, IDS_SYSTEM_ERROR, code);
        }
        if (pText)
            ::LocalFree(pText);
    }
    CWideString text;
    AfxFormatString2(text, IDS_LAUNCH_FAILED, pszTool, reason);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);

    HWND hTool = GetDlgItem(IDC_WINDIFF);
    if (hTool)
        SendMessage(WM_NEXTDLGCTL, (WPARAM)hTool, TRUE);
}
