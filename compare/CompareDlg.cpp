#include "CompareDlg.h"
#include "../about/VersionDlg.h"
#include "../framework/WinApp.h"

const MsgMapEntry CCompareDlg::s_entries[] = {
    MapMessage(WM_SYSCOMMAND, Thunk<CCompareDlg, &CCompareDlg::OnSysCommand>),
    MapMessage(WM_PAINT, Thunk<CCompareDlg, &CCompareDlg::OnPaint>),
    MapMessage(WM_QUERYDRAGICON, Thunk<CCompareDlg, &CCompareDlg::OnQueryDragIcon>),
    MapCommand(IDC_BROWSE_DIR1, Thunk<CCompareDlg, &CCompareDlg::OnBrowseDir1>),
    MapCommand(IDC_BROWSE_DIR2, Thunk<CCompareDlg, &CCompareDlg::OnBrowseDir2>),
    MapMessage(WM_DESTROY, Thunk<CCompareDlg, &CCompareDlg::OnDestroy>),
    MapCommand(IDC_REF_WINDIFF, Thunk<CCompareDlg, &CCompareDlg::ChooseWinDiff>),
    MapCommand(IDC_FILE_DIR1, Thunk<CCompareDlg, &CCompareDlg::OnFileDir1>),
    MapCommand(IDC_FILE_DIR2, Thunk<CCompareDlg, &CCompareDlg::OnFileDir2>),
    MapCommand(IDC_EXCHANGE, Thunk<CCompareDlg, &CCompareDlg::ExchangePaths>),
    MapMessage(WM_DROPFILES, Thunk<CCompareDlg, &CCompareDlg::OnDropFiles>),
    MapMessage(WM_QUERYENDSESSION, Thunk<CCompareDlg, &CCompareDlg::OnQueryEndSession>),
    MapMessage(WM_ENDSESSION, Thunk<CCompareDlg, &CCompareDlg::OnEndSession>),
};

const MsgMap CCompareDlg::messageMap = MakeMsgMap(&CDialog::messageMap, s_entries);

CCompareDlg::CCompareDlg()
    : CDialog(IDD), m_bSubDir(0),
      m_appIcon(::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_APPICON))),
      m_nStartPaths(0)
{
}

CCompareDlg::~CCompareDlg()
{
}

void CCompareDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIR2, m_comboDir2);
    DDX_Control(pDX, IDC_DIR1, m_comboDir1);
    DDX_Check(pDX, IDC_SUBDIR, m_bSubDir);
    DDX_Text(pDX, IDC_WINDIFF, m_strWinDiff);
}

BOOL CCompareDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    AddVersionMenuItem(m_hWnd);

    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_appIcon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_appIcon);

    LoadSettings();

    UpdateData(FALSE);
    if (ShowStartPaths())
        return FALSE;   // the focus is set
    return TRUE;    // the focus goes to the first tab stop, the tool's path
}

void CCompareDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    (void)lParam;
    if ((nID & 0xFFF0) == IDM_VERSION) {
        CVersionDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

// Minimised, the window shows its icon centred in the client area.
void CCompareDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)hdc, 0);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    int x = (rc.right - rc.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rc.bottom - rc.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(hdc, x, y, m_appIcon);
    ::EndPaint(m_hWnd, &ps);
}

HCURSOR CCompareDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_appIcon;
}

void CCompareDlg::OnDestroy()
{
    SaveSettings();
    Default();
}

// Windows asks whether the session may end: it may.
BOOL CCompareDlg::OnQueryEndSession()
{
    return TRUE;
}

// Windows ends the session, and the program with it, without closing the
// dialog: what a close would save is saved now. A close takes the focus
// from the path field that holds it, which enters its text into its
// history first; so does this, so that a close after this would save the
// same values.
void CCompareDlg::OnEndSession(UINT bEnding, LPARAM lParam)
{
    (void)lParam;
    if (!bEnding)
        return;
    HWND hFocus = ::GetFocus();
    CRecentPathCombo* fields[2] = { &m_comboDir1, &m_comboDir2 };
    for (int i = 0; i < 2; i++) {
        HWND hField = fields[i]->m_hWnd;
        if (hField && hFocus && (hFocus == hField || ::IsChild(hField, hFocus)))
            fields[i]->AddToHistory();
    }
    SaveSettings();
}
