#include "CompareDlg.h"
#include "../framework/DropFiles.h"

// Called by the Exchange button. The texts move exactly as shown.
void CCompareDlg::ExchangePaths()
{
    CWideString strFirst, strSecond;
    m_comboDir1.GetShownText(strFirst);
    m_comboDir2.GetShownText(strSecond);
    m_comboDir1.SetTextAndRemember(strSecond);
    m_comboDir2.SetTextAndRemember(strFirst);
}

// Called for items dropped on the dialog outside the path fields. One item
// fills the first path field, two items fill both; any other count is
// ignored. Only the texts change, the histories do not. A drop of which one
// item cannot be used changes neither field.
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
            ::SendMessageA(hAt, WM_DROPFILES, (WPARAM)hDrop, 0);
            return;
        }
    }
    CDropFiles drop(hDrop);
    UINT nCount = drop.GetCount();
    if (nCount != 1 && nCount != 2)
        return;
    CString paths[2];
    for (UINT i = 0; i < nCount; i++) {
        if (!drop.GetPath(i, paths[i]))
            return;
    }
    m_comboDir1.SetWindowText(paths[0]);
    if (nCount == 2)
        m_comboDir2.SetWindowText(paths[1]);
}
