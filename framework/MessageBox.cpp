#include "MessageBox.h"
#include "CodePage.h"
#include "StringResource.h"
#include "WinApp.h"

int AfxMessageBox(const WCHAR* pszText, UINT nType)
{
    HWND hOwner = ::GetActiveWindow();
    if (!hOwner && AfxGetMainWnd())
        hOwner = AfxGetMainWnd()->m_hWnd;
    // The application's title from the resources, else its name.
    CWideString caption;
    AfxLoadString(AFX_IDS_APP_TITLE, caption);
    if (caption.GetLength() == 0 && AfxGetApp())
        caption += AfxWideFromAnsi(AfxGetApp()->m_strAppName);
    return ::MessageBoxW(hOwner, pszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CWideString text;
    AfxFormatString2(text, nIDPrompt);
    return AfxMessageBox(text, nType);
}

void AfxReportUnusablePath(const WCHAR* pszWide)
{
    CWideString text;
    AfxFormatString2(text, AFX_IDP_PATH_UNUSABLE, pszWide);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}
