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
void CCompareDlg::OnDropFiles(HDROP hDrop)
{
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
