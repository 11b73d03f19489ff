#include "Controls.h"
#include "AfxState.h"

#include <stdlib.h>

// Read from the list part, which tells the entry's length first.
bool CComboBox::GetLBText(int nIndex, CString& text) const
{
    text.Empty();
    HWND hList = GetListBox();
    int nWide = hList ? (int)::SendMessageW(hList, LB_GETTEXTLEN, (WPARAM)nIndex, 0) : LB_ERR;
    if (nWide < 0)
        return false;
    WCHAR* p = text.GetBuffer(nWide);
    if (!p)
        return false;
    int nGot = (int)::SendMessageW(hList, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)p);
    text.ReleaseBuffer(nGot >= 0 && nGot <= nWide ? nGot : 0);
    return nGot >= 0 && nGot <= nWide;
}

namespace {

COMBOBOXINFO ComboParts(HWND hCombo)
{
    COMBOBOXINFO cbi;
    ZeroMemory(&cbi, sizeof(cbi));
    cbi.cbSize = sizeof(cbi);
    ::GetComboBoxInfo(hCombo, &cbi);
    return cbi;
}

} // namespace

HWND CComboBox::GetEditCtrl() const
{
    return ComboParts(m_hWnd).hwndItem;
}

HWND CComboBox::GetListBox() const
{
    return ComboParts(m_hWnd).hwndList;
}

void CFont::DeleteObject()
{
    if (m_hObject) {
        ::DeleteObject(m_hObject);
        m_hObject = NULL;
    }
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd)
{
    DestroyWindow();
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };   // registers the tooltip class
    ::InitCommonControlsEx(&icc);
    m_hWnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, NULL, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : NULL, NULL,
                               AfxGetInstanceHandle(), NULL);
    return m_hWnd != NULL;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const wchar_t* pszText, const RECT* pRect, UINT_PTR nIDTool)
{
    if (!m_hWnd || !pWnd)
        return FALSE;
    // The size of the version-1 structure works with every version of the
    // common controls, the version-6 ones included.
    TOOLINFOW ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    ti.hinst = AfxGetInstanceHandle();
    ti.lpszText = (LPWSTR)pszText;
    if (pRect)
        ti.rect = *pRect;
    return (BOOL)::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::RelayEvent(MSG* pMsg)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)pMsg);
}

void CToolTipCtrl::DestroyWindow()
{
    if (m_hWnd) {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        m_hWnd = NULL;
    }
}
