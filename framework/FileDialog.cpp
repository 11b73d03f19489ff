#include "FileDialog.h"
#include "MessageBox.h"
#include "WinApp.h"

#include <string.h>

namespace {

// The dialog's own hook; the platform's defaults do everything.
UINT_PTR CALLBACK FileDialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

} // namespace

CFileDialog::CFileDialog(const char* pszFileName, DWORD dwFlags, const char* pszFilter)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpfnHook = FileDialogHook;

    // The initial name goes in whole, or not at all when it is longer than
    // any path: a cut name would name another file.
    CWideString initial(AfxWideFromAnsi(pszFileName));
    WCHAR* pFile = m_strFile.GetBuffer(FILE_BUFFER);
    if (pFile && initial.GetLength() < FILE_BUFFER)
        memcpy(pFile, (const WCHAR*)initial, ((size_t)initial.GetLength() + 1) * sizeof(WCHAR));
    m_ofn.lpstrFile = pFile;
    m_ofn.nMaxFile = pFile ? FILE_BUFFER : 0;

    if (pszFilter) {
        // "|" ends each piece; the dialog wants zero characters. A "|" that
        // is the trail byte of a double-byte character stays.
        CString filter(pszFilter);
        int n = filter.GetLength();
        char* p = filter.GetBuffer(n);
        if (p && n > 0) {
            MbsReplaceChar(p, n, '|', '\0', AfxAnsiLeadBytes());
            int nWide = ::MultiByteToWideChar(CP_ACP, 0, p, n, NULL, 0);
            WCHAR* pWide = m_strFilter.GetBuffer(nWide + 1);
            if (pWide) {
                pWide[::MultiByteToWideChar(CP_ACP, 0, p, n, pWide, nWide)] = 0;
                pWide[nWide] = 0;
                m_ofn.lpstrFilter = pWide;   // zeros inside are kept
            }
        }
    }
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* pOwner = AfxGetMainWnd();
    m_ofn.hwndOwner = pOwner ? pOwner->m_hWnd : NULL;
    m_ofn.hInstance = AfxGetInstanceHandle();
    if (!m_ofn.lpstrFile)
        return IDCANCEL;
    if (!::GetOpenFileNameW(&m_ofn))
        return IDCANCEL;
    m_ofn.lpstrFile[FILE_BUFFER - 1] = 0;
    if (!AfxAnsiPathFromWide(m_ofn.lpstrFile, m_strPathName)) {
        AfxReportUnusablePath(m_ofn.lpstrFile);
        return IDCANCEL;
    }
    return IDOK;
}
