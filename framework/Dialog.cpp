#include "Dialog.h"
#include "AfxState.h"
#include "MessageBox.h"
#include "StringResource.h"
#include "WinApp.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWnd)
        m_bFailed = true;
    return hWnd;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd && !rControl.SubclassWindow(hWnd))
        pDX->m_bFailed = true;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageW(hWnd, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessageW(hWnd, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hWnd);
    else
        ::SetWindowTextW(hWnd, value);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    AfxState& state = AfxGetState();
    HWND hOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;
    DoDataExchange(&dx);
    state.hLockoutNotifyWindow = hOldLockout;
    if (dx.m_bFailed) {
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

const MsgMapEntry CDialog::s_entries[] = {
    MapCommand(IDOK, Thunk<CDialog, &CDialog::OnOK>),
    MapCommand(IDCANCEL, Thunk<CDialog, &CDialog::OnCancel>),
};

const MsgMap CDialog::messageMap = MakeMsgMap(&CWnd::messageMap, s_entries);

CDialog::CDialog(UINT nIDTemplate)
    : m_nIDTemplate(nIDTemplate), m_bContinueModal(false), m_nModalResult(-1)
{
}

CDialog::~CDialog()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal()
{
    // The owner: the main window (unless that is this dialog), always a
    // top-level window.
    HWND hParent = NULL;
    if (AfxGetMainWnd() && AfxGetMainWnd() != this)
        hParent = AfxGetMainWnd()->m_hWnd;
    while (hParent && (::GetWindowLongPtrW(hParent, GWL_STYLE) & WS_CHILD))
        hParent = ::GetParent(hParent);

    bool bEnableParent = false;
    if (hParent && ::IsWindowEnabled(hParent)) {
        ::EnableWindow(hParent, FALSE);
        bEnableParent = true;
    }

    m_bContinueModal = true;
    m_nModalResult = -1;
    HWND hWnd = ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), hParent,
                                     StaticDlgProc, (LPARAM)this);
    if (hWnd && m_bContinueModal) {
        // A template that is not visible on creation is shown now.
        if (!::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }

    // Hide before the owner comes back, then destroy.
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableParent)
        ::EnableWindow(hParent, TRUE);
    if (hParent && hWnd && ::GetActiveWindow() == hWnd)
        ::SetActiveWindow(hParent);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    return m_nModalResult;
}

// The dialog's own loop: every message is first offered to the windows it is
// meant for (AfxPreTranslateMessage), then translated and dispatched.
void CDialog::RunModalLoop()
{
    MSG msg;
    while (m_bContinueModal) {
        BOOL bRet = ::GetMessageW(&msg, NULL, 0, 0);
        if (bRet <= 0) {
            if (bRet == 0)
                ::PostQuitMessage((int)msg.wParam);     // leave it for an outer loop
            m_nModalResult = -1;
            break;
        }
        if (AfxPreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    // F1 without Shift, Ctrl or Alt asks the main window for help.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && ::GetKeyState(VK_SHIFT) >= 0
        && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0 && AfxGetMainWnd()
        && AfxGetMainWnd()->m_hWnd) {
        ::SendMessageW(AfxGetMainWnd()->m_hWnd, WM_COMMAND, ID_HELP, 0);
        return TRUE;
    }
    AfxState& state = AfxGetState();
    const MSG* pOuter = state.pPreTranslating;
    state.pPreTranslating = pMsg;
    BOOL bDone = CWnd::WalkPreTranslateTree(pMsg);
    state.pPreTranslating = pOuter;
    return bDone;
}

namespace {

bool SameMessage(const MSG* a, const MSG* b)
{
    return a && b && a->hwnd == b->hwnd && a->message == b->message && a->wParam == b->wParam
           && a->lParam == b->lParam && a->time == b->time;
}

// The thread's message filter while a CDialogLoopFilter lives. A dialog
// loop calls it (from IsDialogMessage) with each message before its own
// handling; a TRUE answer ends that message's handling. The framework's own
// pre-translation calls IsDialogMessage too: the message it handles at that
// moment is left to it.
LRESULT CALLBACK DialogLoopFilterProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    AfxState& state = AfxGetState();
    MSG* pMsg = (MSG*)lParam;
    if (nCode == MSGF_DIALOGBOX && pMsg && pMsg->hwnd && !SameMessage(pMsg, state.pPreTranslating)) {
        HWND hRoot = ::GetAncestor(pMsg->hwnd, GA_ROOT);
        if (hRoot && CWnd::FromHandlePermanent(hRoot) && ::IsWindowEnabled(hRoot) && AfxPreTranslateMessage(pMsg))
            return TRUE;
    }
    return ::CallNextHookEx(state.hDialogLoopFilter, nCode, wParam, lParam);
}

} // namespace

CDialogLoopFilter::CDialogLoopFilter()
    : m_pOuter(AfxGetState().pDialogLoopFilter), m_hDialog(NULL), m_bMainEnded(false)
{
    AfxState& state = AfxGetState();
    if (!m_pOuter)
        state.hDialogLoopFilter = ::SetWindowsHookExW(WH_MSGFILTER, DialogLoopFilterProc, NULL, ::GetCurrentThreadId());
    state.pDialogLoopFilter = this;
}

CDialogLoopFilter::~CDialogLoopFilter()
{
    AfxState& state = AfxGetState();
    state.pDialogLoopFilter = m_pOuter;
    if (!m_pOuter && state.hDialogLoopFilter) {
        ::UnhookWindowsHookEx(state.hDialogLoopFilter);
        state.hDialogLoopFilter = NULL;
    }
}

void CDialogLoopFilter::EndAll()
{
    for (CDialogLoopFilter* p = AfxGetState().pDialogLoopFilter; p; p = p->m_pOuter) {
        p->m_bMainEnded = true;
        if (p->m_hDialog && ::IsWindow(p->m_hDialog))
            ::SendMessageW(p->m_hDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           (LPARAM)::GetDlgItem(p->m_hDialog, IDCANCEL));
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bContinueModal = false;
    if (AfxGetMainWnd() == this)
        CDialogLoopFilter::EndAll();    // gone before the main window goes
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);   // also takes the focus from the controls
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if (message != WM_INITDIALOG)
        return FALSE;   // the dialog manager's defaults
    CDialog* pDlg = (CDialog*)lParam;
    if (!pDlg || pDlg->m_hWnd)
        return FALSE;
    // From here on the object's table sees every message first; the dialog
    // manager's procedure (which calls back here) is its default handling.
    pDlg->Attach(hWnd);
    pDlg->m_pfnSuper = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    BOOL bResult = pDlg->OnInitDialog();

    // A template without a position style is centred: over its owner, or in
    // the primary monitor's work area, and kept inside that work area.
    if (pDlg->m_hWnd && !(pDlg->GetStyle() & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN | WS_CHILD)))
        pDlg->CenterWindow();
    return bResult;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd
        && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

bool CDialog::OnCmdMsg(UINT nID, UINT nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return true;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode);
}
