#include "CompareDlg.h"
#include "../framework/WinApp.h"

#include <shellapi.h>

void CCompareDlg::ExchangePaths()
{
    CString strFirst = m_comboDir1.GetText();
    CString strSecond = m_comboDir2.GetText();
    m_comboDir1.SetTextAndRemember(strSecond);
    m_comboDir2.SetTextAndRemember(strFirst);
}

// One item fills the first path field, two items fill both; any other count
// is ignored. Only the texts change, the histories do not.
void CCompareDlg::OnDropFiles(HDROP hDrop)
{
    UINT nCount = ::DragQueryFileA(hDrop, 0xFFFFFFFF, NULL, 0);
    if (nCount == 1 || nCount == 2) {
        CRecentPathCombo* fields[2] = { &m_comboDir1, &m_comboDir2 };
        for (UINT i = 0; i < nCount; i++) {
            // The shell cuts a long name byte-wise, so read one byte more than
            // the path can hold: the cut below then sees whole characters.
            char szItem[MAX_PATH + 1];
            ZeroMemory(szItem, sizeof(szItem));
            ::DragQueryFileA(hDrop, i, szItem, sizeof(szItem));
            szItem[sizeof(szItem) - 1] = 0;

            char szPath[MAX_PATH];
            MbsCopyCut(szPath, sizeof(szPath), szItem, AfxAnsiLeadBytes());
            fields[i]->SetWindowText(szPath);
        }
    }
    ::DragFinish(hDrop);
}
