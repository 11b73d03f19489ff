// The Open File dialog.
#pragma once

#include "Wnd.h"

#include <commdlg.h>

class CFileDialog
{
public:
    // An Open File dialog. pszFileName is the initial file name, whole;
    // pszFilter: pairs of display text and pattern, each ended by "|", the
    // list ended by a further "|".
    CFileDialog(const wchar_t* pszFileName, DWORD dwFlags, const wchar_t* pszFilter = 0);

    // IDOK or IDCANCEL. The owner, the main window, is disabled while the
    // dialog is open.
    INT_PTR DoModal();
    // The chosen file's full path, after IDOK.
    CString GetPathName() const { return m_ofn.lpstrFile; }

    OPENFILENAMEW m_ofn;

private:
    enum { FILE_BUFFER = 32768 };   // long paths fit
    CString m_strFile;       // the file buffer
    CString m_strFilter;
    CFileDialog(const CFileDialog&);
    CFileDialog& operator=(const CFileDialog&);
};
