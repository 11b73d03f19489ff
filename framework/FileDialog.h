// The Open File dialog.
#pragma once

#include "Wnd.h"

#include <commdlg.h>

class CFileDialog
{
public:
    // pszFilter: pairs of display text and pattern, each ended by "|", the
    // list ended by a further "|". pszFileName is cut to fit the 260-byte
    // file buffer.
    CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt = 0, const char* pszFileName = 0,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* pszFilter = 0,
                CWnd* pParentWnd = 0);

    // IDOK or IDCANCEL. The owner (the parent, else the main window) is
    // disabled while the dialog is open.
    INT_PTR DoModal();
    CString GetPathName() const { return CString(m_szFileName); }

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_strFilter;
    char m_szFileName[MAX_PATH];
    CFileDialog(const CFileDialog&);
    CFileDialog& operator=(const CFileDialog&);
};
