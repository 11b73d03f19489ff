#include "CompareDlg.h"
#include "LaunchParams.h"

#include <shellapi.h>

void CCompareDlg::LaunchComparison()
{
    if (!UpdateData(TRUE))
        return;

    CString params = BuildCompareParameters(m_comboDir1.GetText(), m_comboDir2.GetText(), m_bSubDir != 0);
    // The result is not examined: whatever happens, the dialog closes. A
    // tool path longer than any path the shell can start is not handed to
    // it (some shells do not survive one); that too is a start that failed.
    if (m_strWinDiff.GetLength() < MAX_PATH)
        ::ShellExecuteA(NULL, "open", m_strWinDiff, params, NULL, SW_SHOW);

    CDialog::OnOK();
}
