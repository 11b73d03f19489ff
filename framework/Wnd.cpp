#include "Wnd.h"
#include "AfxState.h"

const MsgMap CCmdTarget::messageMap = { 0, 0, 0 };
const MsgMap CWnd::messageMap = { &CCmdTarget::messageMap, 0, 0 };

const MsgMap* CCmdTarget::GetMessageMap() const
{
    return &messageMap;
}

bool CCmdTarget::Dispatch(int nKind, UINT nMessage, UINT nID, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    for (const MsgMap* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap) {
        for (int i = 0; i < pMap->nEntries; i++) {
            const MsgMapEntry& e = pMap->pEntries[i];
            if (e.nKind == nKind && e.nMessage == nMessage && (nKind != MK_COMMAND || e.nID == nID)) {
                *pResult = e.pfn(this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

bool CCmdTarget::OnCmdMsg(UINT nID, UINT nCode)
{
    LRESULT r;
    return Dispatch(MK_COMMAND, nCode, nID, 0, 0, &r);
}

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL), m_pNextWnd(0) {}

CWnd::~CWnd()
{
    if (m_hWnd) {
        // The window outlives its object: give it back its own procedure.
        if ((WNDPROC)::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == AfxWndProc && m_pfnSuper)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return 0;
    // A program of a few windows needs no more than a short list.
    for (CWnd* p = AfxGetState().pFirstWnd; p; p = p->m_pNextWnd)
        if (p->m_hWnd == hWnd)
            return p;
    return 0;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    AfxState& state = AfxGetState();
    m_pNextWnd = state.pFirstWnd;
    state.pFirstWnd = this;
}

void CWnd::Detach()
{
    for (CWnd** pp = &AfxGetState().pFirstWnd; *pp; pp = &(*pp)->m_pNextWnd) {
        if (*pp == this) {
            *pp = m_pNextWnd;
            break;
        }
    }
    m_pNextWnd = 0;
    m_hWnd = NULL;
    m_pfnSuper = NULL;
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return false;
    Attach(hWnd);
    PreSubclassWindow();
    // In the wide form, so that the window stays a Unicode window.
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    return true;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    (void)pMsg;
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd;) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
            break;
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return true;
        }
        return false;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        CWnd* pChild = FromHandlePermanent((HWND)lParam);
        if (pChild && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return true;
    }
    return Dispatch(MK_MESSAGE, message, 0, wParam, lParam, pResult);
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hCtl = (HWND)lParam;
    if (hCtl) {
        if (AfxGetState().hLockoutNotifyWindow == m_hWnd)
            return true;            // a data exchange is running: drop it
        CWnd* pChild = FromHandlePermanent(hCtl);
        LRESULT r;
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &r))
            return true;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    (void)lParam;
    if (message == WM_COMMAND)
        return Dispatch(MK_REFLECT, HIWORD(wParam), 0, wParam, lParam, pResult);
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        LRESULT r = 0;
        if (Dispatch(MK_CTLCOLOR_REFLECT, 0, 0, wParam, (LPARAM)(message - WM_CTLCOLORMSGBOX), &r) && r) {
            *pResult = r;
            return true;
        }
    }
    return false;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const AfxState::CurrentMsg& current = AfxGetState().current;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

CString AfxGetWindowText(HWND hWnd)
{
    CString text;
    int n = hWnd ? ::GetWindowTextLengthW(hWnd) : 0;
    WCHAR* p = n > 0 ? text.GetBuffer(n) : 0;
    if (p) {
        int got = ::GetWindowTextW(hWnd, p, n + 1);
        text.ReleaseBuffer(got > 0 && got <= n ? got : 0);
    }
    return text;
}

void CWnd::CenterWindow()
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner && (!::IsWindowVisible(hOwner) || ::IsIconic(hOwner)))
        hOwner = NULL;

    MONITORINFO mi;
    mi.cbSize = sizeof(mi);
    POINT origin = { 0, 0 };
    HMONITOR hMon = hOwner ? ::MonitorFromWindow(hOwner, MONITOR_DEFAULTTONEAREST)
                           : ::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
    RECT rcArea;
    if (!::GetMonitorInfoW(hMon, &mi) )
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    else
        rcArea = mi.rcWork;

    RECT rcCenter = rcArea;
    if (hOwner)
        ::GetWindowRect(hOwner, &rcCenter);

    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    int cx = rcDlg.right - rcDlg.left;
    int cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    AfxState& state = AfxGetState();
    AfxState::CurrentMsg saved = state.current;
    state.current.message = message;
    state.current.wParam = wParam;
    state.current.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    state.current = saved;

    if (message == WM_NCDESTROY) {
        if (state.pMainWnd == pWnd)
            state.pMainWnd = 0;
        pWnd->Detach();
    }
    return lResult;
}
