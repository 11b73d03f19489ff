#include "CompareDlg.h"
#include "FieldPath.h"
#include "LaunchParams.h"
#include "../framework/MessageBox.h"
#include "../framework/StringResource.h"
#include "../framework/WinApp.h"

#include <shellapi.h>
#include <stdlib.h>
#include <wchar.h>

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

// The path with its environment variables expanded (%windir%), as the
// shell expands them before it opens it.
CString ExpandedPath(const CString& path)
{
    CString expanded;
    DWORD n = ::ExpandEnvironmentStringsW(path, NULL, 0);
    WCHAR* p = n ? expanded.GetBuffer((int)n) : NULL;
    if (!p || ::ExpandEnvironmentStringsW(path, p, n) > n)
        return path;
    expanded.ReleaseBuffer();
    return expanded;
}

// Whether the path names a folder once its environment variables are
// expanded.
bool NamesFolder(const CString& path)
{
    DWORD dwAttributes = ::GetFileAttributesW(ExpandedPath(path));
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file version that the executable's version resource gives; 0 when
// it has none. Reads the file: only for a tool whose parameters depend on
// its version, and only at OK.
ToolVersion ReadToolVersion(const CString& tool)
{
    CString path = ExpandedPath(tool);
    DWORD dwIgnored = 0;
    DWORD cb = ::GetFileVersionInfoSizeW(path, &dwIgnored);
    void* pData = cb ? malloc(cb) : NULL;
    VS_FIXEDFILEINFO* pInfo = NULL;
    UINT cbInfo = 0;
    ToolVersion version = 0;
    if (pData && ::GetFileVersionInfoW(path, 0, cb, pData)
        && ::VerQueryValueW(pData, L"\\", (void**)&pInfo, &cbInfo) && pInfo && cbInfo >= sizeof(*pInfo)
        && pInfo->dwSignature == VS_FFI_SIGNATURE)
        version = (ToolVersion)pInfo->dwFileVersionMS << 32 | pInfo->dwFileVersionLS;
    free(pData);
    return version;
}

// Whether the code page holds the text exactly: it reads back as the very
// same characters, with no look-alike and no default character.
bool HeldByCodePage(const CString& text)
{
    int n = text.GetLength();
    if (n == 0)
        return true;
    int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, text, n, NULL, 0, NULL, NULL);
    char* pAnsi = nAnsi > 0 ? (char*)malloc((size_t)nAnsi) : NULL;
    CString back;
    WCHAR* pBack = back.GetBuffer(n);
    bool bSame = pAnsi && pBack && ::WideCharToMultiByte(CP_ACP, 0, text, n, pAnsi, nAnsi, NULL, NULL) == nAnsi
                 && ::MultiByteToWideChar(CP_ACP, 0, pAnsi, nAnsi, pBack, n) == n
                 && wmemcmp(pBack, text, (size_t)n) == 0;
    free(pAnsi);
    return bSame;
}

// The one place where a path crosses into the code page. WinMerge, KDiff3,
// Meld and Beyond Compare read their command line in Unicode and get every
// path exactly. WinDiff and programs Pelorin does not know may read it in
// the code page: they get each path as the code page holds it, else as its
// short (8.3) name where the code page holds that, else exactly, since an
// item without a short name has no other name (an ANSI tool fails on it
// either way, and a Unicode one works).
CString PathForTool(const CString& tool, const CString& path)
{
    if (ToolReadsUnicode(tool) || HeldByCodePage(path))
        return path;
    CString shortName;
    DWORD n = ::GetShortPathNameW(path, NULL, 0);
    WCHAR* p = n ? shortName.GetBuffer((int)n) : NULL;
    DWORD got = p ? ::GetShortPathNameW(path, p, n) : 0;
    shortName.ReleaseBuffer(got < n ? (int)got : 0);
    return got > 0 && got < n && HeldByCodePage(shortName) ? shortName : path;
}

// Stand for "no tool path at all" and "the tool path names a folder" among
// the system's errors.
const DWORD kNoToolPath = (DWORD)-1;
const DWORD kToolIsFolder = (DWORD)-2;

} // namespace

// Called by OK and Enter. The tool's path and both paths are read as they
// are shown (CFieldPath).
void CCompareDlg::LaunchComparison()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strWinDiff.IsEmpty())
        OfferInstalledTool();
    CString tool = CFieldPath(GetDlgItem(IDC_WINDIFF)).GetPath();
    CString dir1 = PathForTool(tool, CFieldPath(m_comboDir1.GetEditCtrl()).GetPath());
    CString dir2 = PathForTool(tool, CFieldPath(m_comboDir2.GetEditCtrl()).GetPath());
    ToolVersion version = ToolWantsVersion(tool) ? ReadToolVersion(tool) : 0;
    DWORD dwError = StartTool(tool, BuildToolParameters(tool, dir1, dir2, m_bSubDir != 0, version));
    if (dwError != 0) {
        ReportLaunchFailure(tool, dwError);
        return;
    }
    CDialog::OnOK();
}

DWORD CCompareDlg::StartTool(const CString& tool, const CString& params)
{
    if (tool.IsEmpty())
        return kNoToolPath;
    // A path longer than any the shell can start is not handed to it (some
    // shells do not survive one).
    if (tool.GetLength() >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    // The shell would open a folder in a file manager, which is no comparison.
    if (NamesFolder(tool))
        return kToolIsFolder;
    INT_PTR nResult = (INT_PTR)::ShellExecuteW(NULL, L"open", tool, params, NULL, SW_SHOW);
    return nResult > 32 ? 0 : ErrorOfShellResult(nResult);
}

// Says that the tool could not start, with its path and the reason; then
// the focus goes to the tool's path with its text selected, ready for a
// correction.
void CCompareDlg::ReportLaunchFailure(const wchar_t* pszTool, DWORD dwError)
{
    CString reason;
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
    CString text;
    AfxFormatString2(text, IDS_LAUNCH_FAILED, pszTool, reason);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);

    HWND hTool = GetDlgItem(IDC_WINDIFF);
    if (hTool)
        SendMessage(WM_NEXTDLGCTL, (WPARAM)hTool, TRUE);
}
