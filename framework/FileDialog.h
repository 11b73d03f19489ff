// The Open File dialog.
#pragma once

#include "CodePage.h"

#include <commdlg.h>

class CFileDialog
{
public:
    // An Open File dialog. pszFileName is the initial file name, whole;
    // pszFilter: pairs of display text and pattern, each ended by "|", the
    // list ended by a further "|".
    CFileDialog(const char* pszFileName, DWORD dwFlags, const char* pszFilter = 0);

    // IDOK or IDCANCEL. The owner, the main window, is disabled while the
    // dialog is open. A chosen file whose name the code
    // page cannot hold is reported to the user and gives IDCANCEL.
    INT_PTR DoModal();
    // The chosen file's full path, after IDOK.
    CString GetPathName() const { return m_strPathName; }

    // The dialog works in UTF-16, so that a chosen name reaches the program
    // as it is and long paths fit.
    OPENFILENAMEW m_ofn;

private:
    enum { FILE_BUFFER = 32768 };
    CWideString m_strFile;       // the file buffer
    CWideString m_strFilter;
    CString m_strPathName;
    CFileDialog(const CFileDialog&);
    CFileDialog& operator=(const CFileDialog&);
};
