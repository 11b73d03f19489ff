#include "FileDialog.h"
#include "WinApp.h"

#include <string.h>

namespace {

// The dialog's own hook; the platform's defaults do everything.
UINT_PTR CALLBACK FileDialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

} // namespace

CFileDialog::CFileDialog(const wchar_t* pszFileName, DWORD dwFlags, const wchar_t* pszFilter)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpfnHook = FileDialogHook;

    // The initial name goes in whole, or not at all when it is longer than
    // any path: a cut name would name another file.
    CString initial(pszFileName);
    WCHAR* pFile = m_strFile.GetBuffer(FILE_BUFFER);
    if (pFile)
        pFile[0] = 0;
    if (pFile && initial.GetLength() < FILE_BUFFER)
        memcpy(pFile, (const WCHAR*)initial, ((size_t)initial.GetLength() + 1) * sizeof(WCHAR));
    m_ofn.lpstrFile = pFile;
    m_ofn.nMaxFile = pFile ? FILE_BUFFER : 0;

    if (pszFilter) {
        // "|" ends each piece; the dialog wants zero characters, and one
        // more after the last piece.
        m_strFilter = pszFilter;
        int n = m_strFilter.GetLength();
        WCHAR* p = m_strFilter.GetBuffer(n + 1);
        if (p) {
            for (int i = 0; i < n; i++)
                if (p[i] == L'|')
                    p[i] = 0;
            p[n + 1] = 0;
            m_ofn.lpstrFilter = p;   // zeros inside are kept
        }
    }
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* pOwner = AfxGetMainWnd();
    m_ofn.hwndOwner = pOwner ? pOwner->m_hWnd : NULL;
    m_ofn.hInstance = AfxGetInstanceHandle();
    if (!m_ofn.lpstrFile || !::GetOpenFileNameW(&m_ofn))
        return IDCANCEL;
    m_ofn.lpstrFile[FILE_BUFFER - 1] = 0;
    return IDOK;
}
