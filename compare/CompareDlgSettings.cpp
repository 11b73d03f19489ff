#include "CompareDlg.h"
#include "ProfileValues.h"
#include "SettingsNames.h"
#include "../framework/WinApp.h"

// Called while the dialog opens: both path fields, then the subdirectory
// choice, then the comparison tool's path (LocateWinDiff), all four through
// one open key.
void CCompareDlg::LoadSettings()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CProfileSection open(pApp, PELORIN_SECTION);
    m_comboDir1.SetHistory(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR1, ""));
    m_comboDir2.SetHistory(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR2, ""));

    // A text that does not start with a number leaves the box off; a number
    // the box cannot show is put right when the box is filled.
    CString strSubDir = pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, "1");
    int nSubDir;
    if (ScanDecimalInt(strSubDir, &nSubDir))
        m_bSubDir = nSubDir;

    LocateWinDiff();
}

// Called while the dialog window is destroyed, however the dialog ended. The
// tool's path is stored as it reads exactly, else as its short name; one
// that has neither leaves the stored path as it was.
void CCompareDlg::SaveSettings()
{
    UpdateData(TRUE);
    CWideString shown;
    bool bToolPath = ReadPathText(GetDlgItem(IDC_WINDIFF), false, m_strWinDiff, shown);

    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CProfileSection open(pApp, PELORIN_SECTION);
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR1, m_comboDir1.GetHistory());
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR2, m_comboDir2.GetHistory());
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, m_bSubDir ? "1" : "0");
    if (bToolPath)
        pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, m_strWinDiff);
}
