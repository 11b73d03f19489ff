#include "CompareDlg.h"
#include "ProfileValues.h"
#include "SettingsNames.h"
#include "../framework/WinApp.h"

// Called while the dialog opens: both path fields, then the subdirectory
// choice. The comparison tool's path follows in LocateWinDiff.
void CCompareDlg::LoadSettings()
{
    CWinApp* pApp = AfxGetApp();
    m_comboDir1.SetHistory(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR1, ""));
    m_comboDir2.SetHistory(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR2, ""));

    // A text that does not start with a number leaves the box off; a number
    // the box cannot show is put right when the box is filled.
    CString strSubDir = pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, "1");
    int nSubDir;
    if (ScanDecimalInt(strSubDir, &nSubDir))
        m_bSubDir = nSubDir;
}

// Called while the dialog window is destroyed, however the dialog ended.
void CCompareDlg::SaveSettings()
{
    UpdateData(TRUE);

    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR1, m_comboDir1.GetHistory());
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR2, m_comboDir2.GetHistory());
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, m_bSubDir ? "1" : "0");
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, m_strWinDiff);
}
