#include "VersionDlg.h"
#include "../framework/StringResource.h"

#include <stdio.h>

void AddVersionMenuItem(HWND hWnd)
{
    HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
    if (!hMenu)
        return;
    CString text = AfxLoadString(IDS_VERSION_MENU);
    if (text.IsEmpty())
        return;
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuW(hMenu, MF_STRING, IDM_VERSION, text);
}

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

const MsgMapEntry CVersionDlg::s_entries[] = {
    MapMessage(WM_DPICHANGED, Thunk<CVersionDlg, &CVersionDlg::OnDpiChanged>),
};

const MsgMap CVersionDlg::messageMap = MakeMsgMap(&CDialog::messageMap, s_entries);

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
    // The C runtime's own formatter: the library's portable one would
    // add a third to the program's size.
    wchar_t text[64];
    _snwprintf(text, 63, L"Pelorin Version %.2f", PELORIN_VERSION * 0.01);
    text[63] = 0;
    ::SetDlgItemTextW(m_hWnd, IDC_VERSION_TEXT, text);
    return TRUE;
}

void CVersionDlg::OnDpiChanged(UINT nDpi, LPARAM lParam)
{
    (void)nDpi;
    (void)lParam;
    // The dialog manager scales the dialog and its fonts first, where it
    // does; the link then follows its control's font.
    Default();
    m_link.OnDpiChanged();
}
