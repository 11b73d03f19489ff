#include "WebLinkLabel.h"
#include "LabelFit.h"
#include "WebPage.h"

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

const MsgMapEntry CWebLinkLabel::s_entries[] = {
    MapCtlColorReflect(Thunk<CWebLinkLabel, &CWebLinkLabel::CtlColor>),
    MapMessage(WM_MOUSEMOVE, Thunk<CWebLinkLabel, &CWebLinkLabel::OnMouseMove>),
    MapMessage(WM_CAPTURECHANGED, Thunk<CWebLinkLabel, &CWebLinkLabel::OnCaptureChanged>),
    MapReflect(STN_CLICKED, Thunk<CWebLinkLabel, &CWebLinkLabel::OnLinkClicked>),
    MapMessage(WM_DPICHANGED_AFTERPARENT, Thunk<CWebLinkLabel, &CWebLinkLabel::OnDpiChanged>),
};

const MsgMap CWebLinkLabel::messageMap = MakeMsgMap(&CStatic::messageMap, s_entries);

enum { LINK_TOOL_ID = 1 };

CWebLinkLabel::CWebLinkLabel()
    : m_bHover(FALSE), m_clrLink(RGB(0, 0, 224)), m_clrHover(::GetSysColor(COLOR_HIGHLIGHT))
{
}

CWebLinkLabel::~CWebLinkLabel()
{
}

// Called when the label is attached to its control.
void CWebLinkLabel::PreSubclassWindow()
{
    // Clicks are reported only with the notify style.
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (LONG_PTR)(GetStyle() | SS_NOTIFY));

    if (m_strTarget.IsEmpty())
        m_strTarget = GetWindowText();

    CreateLinkFont();
    FitToText();

    // The tooltip does not subclass the label: it hears of the mouse through
    // PreTranslateMessage only.
    if (m_tip.Create(this)) {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        m_tip.AddTool(this, m_strTarget, &rc, LINK_TOOL_ID);
    }

    CStatic::PreSubclassWindow();
}

void CWebLinkLabel::CreateLinkFont()
{
    // A control without a font of its own draws with the system font; it
    // then gets the underlined default GUI font, which suits a dialog better.
    LOGFONTW lf;
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (!hFont || !::GetObjectW(hFont, sizeof(lf), &lf)) {
        if (!::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf))
            return;
    }
    lf.lfUnderline = TRUE;
    HFONT hNew = ::CreateFontIndirectW(&lf);
    if (!hNew)
        return;

    // The control may be drawing with the old underlined font: it gets the
    // new one before the old one goes.
    HFONT hOld = m_fontLink.m_hObject;
    m_fontLink.m_hObject = hNew;
    SendMessage(WM_SETFONT, (WPARAM)hNew, TRUE);
    if (hOld)
        ::DeleteObject(hOld);
}

void CWebLinkLabel::FitToText()
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;

    DWORD dwStyle = GetStyle();
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    HWND hParent = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : NULL;
    ::MapWindowPoints(NULL, hParent, (POINT*)&rc, 2);

    CString text = GetWindowText();
    SIZE size = { 0, 0 };
    HDC hDC = ::GetDC(m_hWnd);
    if (!hDC)
        return;
    HFONT hFont = m_fontLink.m_hObject ? m_fontLink.m_hObject : (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOldFont = hFont ? ::SelectObject(hDC, hFont) : NULL;
    ::GetTextExtentPoint32W(hDC, text, text.GetLength(), &size);
    if (hOldFont)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);

    // Only the single bits count: SS_CENTER is 1, SS_RIGHT is 2.
    LabelRect r = { rc.left, rc.top, rc.right, rc.bottom };
    r = FitLabelRect(r, size.cx, size.cy, (dwStyle & SS_CENTERIMAGE) != 0, (dwStyle & SS_CENTER) != 0,
                     (dwStyle & SS_RIGHT) != 0);
    ::SetWindowPos(m_hWnd, NULL, (int)r.left, (int)r.top, (int)(r.right - r.left), (int)(r.bottom - r.top),
                   SWP_NOZORDER);
}

void CWebLinkLabel::OnDpiChanged()
{
    if (!m_hWnd)
        return;
    CreateLinkFont();
    FitToText();

    // The tooltip's area follows the label's new size.
    if (m_tip.m_hWnd) {
        TOOLINFOW ti;
        ZeroMemory(&ti, sizeof(ti));
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.hwnd = m_hWnd;
        ti.uId = LINK_TOOL_ID;
        ::GetClientRect(m_hWnd, &ti.rect);
        ::SendMessageW(m_tip.m_hWnd, TTM_NEWTOOLRECTW, 0, (LPARAM)&ti);
    }
}

BOOL CWebLinkLabel::PreTranslateMessage(MSG* pMsg)
{
    m_tip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CWebLinkLabel::CtlColor(HDC hDC, UINT nCtlColor)
{
    (void)nCtlColor;
    ::SetTextColor(hDC, m_bHover ? m_clrHover : m_clrLink);
    ::SetBkMode(hDC, TRANSPARENT);
    // The dialog's background shows through.
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CWebLinkLabel::OnMouseMove(UINT nFlags, POINT point)
{
    (void)nFlags;
    Default();

    if (m_bHover) {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        if (::PtInRect(&rc, point))
            return;
        m_bHover = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Redraw();
    } else {
        // The mouse has just come in: the capture tells when it leaves.
        m_bHover = TRUE;
        Redraw();
        ::SetCapture(m_hWnd);
    }
}

void CWebLinkLabel::OnCaptureChanged(UINT nUnused, LPARAM lParam)
{
    (void)nUnused;
    Default();
    // Another window took the mouse (a click elsewhere, a switch to another
    // program): the label hears of no more movement, so it leaves its hover
    // state now. Its own release when the mouse leaves comes here after it
    // has left that state already.
    if (m_bHover && (HWND)lParam != m_hWnd) {
        m_bHover = FALSE;
        Redraw();
    }
}

void CWebLinkLabel::OnLinkClicked()
{
    OpenWebPage(m_strTarget, SW_SHOW);
}

void CWebLinkLabel::Redraw()
{
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
