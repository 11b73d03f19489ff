// The Open File dialog.
#pragma once

#include "CodePage.h"

#include <commdlg.h>

class CFileDialog
{
public:
    // pszFilter: pairs of display text and pattern, each ended by "|", the
    // list ended by a further "|". pszFileName is the initial file name,
    // whole.
    CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt = 0, const char* pszFileName = 0,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* pszFilter = 0,
                CWnd* pParentWnd = 0);

    // IDOK or IDCANCEL. The owner (the parent, else the main window) is
    // disabled while the dialog is open. A chosen file whose name the code
    // page cannot hold is reported to the user and gives IDCANCEL.
    INT_PTR DoModal();
    // The chosen file's full path, after IDOK.
    CString GetPathName() const { return m_strPathName; }

    // The dialog works in UTF-16, so that a chosen name reaches the program
    // as it is and long paths fit.
    OPENFILENAMEW m_ofn;

private:
    enum { FILE_BUFFER = 32768 };
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CWideString m_strFile;       // the file buffer
    CWideString m_strFilter;
    CWideString m_strDefExt;
    CString m_strPathName;
    CFileDialog(const CFileDialog&);
    CFileDialog& operator=(const CFileDialog&);
};
