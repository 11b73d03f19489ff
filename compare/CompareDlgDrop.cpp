#include "CompareDlg.h"
#include "../framework/DropFiles.h"

// Called by the Exchange button. The texts move exactly as shown.
void CCompareDlg::ExchangePaths()
{
    CString strFirst = m_comboDir1.GetText(), strSecond = m_comboDir2.GetText();
    m_comboDir1.SetTextAndRemember(strSecond);
    m_comboDir2.SetTextAndRemember(strFirst);
}

// Called for items dropped on the dialog outside the path fields. One item
// fills the first path field, two items fill both; any other count is
// ignored. Only the texts change, the histories do not.
//
// A drop whose point lies on a path field is that field's, as the shell
// would have delivered it: Wine 10 sends every drop from the Linux desktop
// to the dialog itself, with the point in the dialog's client area.
//
// A disabled dialog (a modal window of it is open) takes no drop, as it
// takes no click; the drop is still released.
void CCompareDlg::OnDropFiles(HDROP hDrop)
{
    if (!::IsWindowEnabled(m_hWnd)) {
        CDropFiles ignored(hDrop);
        return;
    }
    POINT pt;
    if (::DragQueryPoint(hDrop, &pt)) {
        HWND hAt = ::ChildWindowFromPointEx(m_hWnd, pt, CWP_SKIPDISABLED | CWP_SKIPINVISIBLE);
        if (hAt && (hAt == m_comboDir1.m_hWnd || hAt == m_comboDir2.m_hWnd)) {
            ::SendMessageW(hAt, WM_DROPFILES, (WPARAM)hDrop, 0);
            return;
        }
    }
    CDropFiles drop(hDrop);
    UINT nCount = drop.GetCount();
    if (nCount != 1 && nCount != 2)
        return;
    m_comboDir1.SetWindowText(drop.GetPath(0));
    if (nCount == 2)
        m_comboDir2.SetWindowText(drop.GetPath(1));
}
