#include "MessageBox.h"
#include "StringResource.h"
#include "WinApp.h"

int AfxMessageBox(const WCHAR* pszText, UINT nType)
{
    HWND hOwner = ::GetActiveWindow();
    if (!hOwner && AfxGetMainWnd())
        hOwner = AfxGetMainWnd()->m_hWnd;
    // The application's title from the resources, else its name.
    CString caption = AfxLoadString(AFX_IDS_APP_TITLE);
    if (caption.IsEmpty() && AfxGetApp())
        caption = AfxGetApp()->m_strAppName;
    return ::MessageBoxW(hOwner, pszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    AfxFormatString2(text, nIDPrompt);
    return AfxMessageBox(text, nType);
}
