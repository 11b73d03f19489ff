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

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt, const char* pszFileName, DWORD dwFlags,
                         const char* pszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = 0;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = pszDefExt;
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpfnHook = FileDialogHook;
    if (pszFileName)
        MbsCopyCut(m_szFileName, MAX_PATH, pszFileName, AfxAnsiLeadBytes());

    if (pszFilter) {
        // "|" ends each piece; the dialog wants zero bytes. A "|" that is the
        // trail byte of a double-byte character stays.
        m_strFilter = pszFilter;
        char* p = m_strFilter.GetBuffer(m_strFilter.GetLength());
        if (p) {
            MbsReplaceChar(p, m_strFilter.GetLength(), '|', '\0', AfxAnsiLeadBytes());
            m_ofn.lpstrFilter = p;   // the text keeps its length; zeros inside are kept
        }
    }
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = pOwner ? pOwner->m_hWnd : NULL;
    m_ofn.hInstance = AfxGetInstanceHandle();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (!bResult)
        m_szFileName[sizeof(m_szFileName) - 1] = 0;
    return bResult ? IDOK : IDCANCEL;
}
