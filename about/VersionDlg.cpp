#include "VersionDlg.h"
#include "../framework/WinApp.h"

#include <stdio.h>

void AddVersionMenuItem(HWND hWnd)
{
    HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
    if (!hMenu)
        return;
    CString text = AfxLoadString(IDS_VERSION_MENU);
    if (text.IsEmpty())
        return;
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING, IDM_VERSION, text);
}

CVersionDlg::CVersionDlg() : CDialog(IDD)
{
}

CVersionDlg::~CVersionDlg()
{
}

void CVersionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK, m_link);
}

BOOL CVersionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    char text[64];
    snprintf(text, sizeof(text), "Pelorin Version %.2f", PELORIN_VERSION * 0.01);
    ::SetDlgItemTextA(m_hWnd, IDC_VERSION_TEXT, text);
    return TRUE;
}
