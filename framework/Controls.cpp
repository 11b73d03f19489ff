#include "Controls.h"
#include "WinApp.h"

CString CComboBox::GetLBText(int nIndex) const
{
    CString s;
    int n = (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)nIndex);
    if (n < 0)
        return s;
    char* p = s.GetBuffer(n);
    if (!p)
        return s;
    p[0] = 0;
    LRESULT r = SendMessage(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)p);
    s.ReleaseBuffer(r < 0 ? 0 : -1);
    return s;
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* pLogFont)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(pLogFont);
    return m_hObject != NULL;
}

void CFont::DeleteObject()
{
    if (m_hObject) {
        ::DeleteObject(m_hObject);
        m_hObject = NULL;
    }
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    DestroyWindow();
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };   // registers the tooltip class
    ::InitCommonControlsEx(&icc);
    m_hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : NULL, NULL,
                               AfxGetInstanceHandle(), NULL);
    return m_hWnd != NULL;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* pszText, const RECT* pRect, UINT_PTR nIDTool)
{
    if (!m_hWnd || !pWnd)
        return FALSE;
    // The size of the version-1 structure works with every version of the
    // common controls, the version-6 ones included.
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    ti.hinst = AfxGetInstanceHandle();
    ti.lpszText = (LPSTR)pszText;
    if (pRect)
        ti.rect = *pRect;
    return (BOOL)::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::RelayEvent(MSG* pMsg)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)pMsg);
}

void CToolTipCtrl::DestroyWindow()
{
    if (m_hWnd) {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        m_hWnd = NULL;
    }
}
