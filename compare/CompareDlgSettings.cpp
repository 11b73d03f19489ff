#include "CompareDlg.h"
#include "ProfileValues.h"
#include "SettingsNames.h"
#include "../framework/Profile.h"

// Called while the dialog opens: both path fields, then the subdirectory
// choice, then the comparison tool's path (LocateWinDiff), all four through
// one open key, each read once.
void CCompareDlg::LoadSettings()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CProfileSection open(pApp, PELORIN_SECTION);
    m_comboDir1.SetHistory(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR1, L""));
    m_comboDir2.SetHistory(pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR2, L""));

    // A text that does not start with a number leaves the box off; a number
    // the box cannot show is put right when the box is filled.
    CString strSubDir = pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, L"1");
    int nSubDir;
    if (ScanDecimalInt(strSubDir, &nSubDir))
        m_bSubDir = nSubDir;

    LocateWinDiff();
}

// Called while the dialog window is destroyed, however the dialog ended.
// Every text is stored exactly as shown.
void CCompareDlg::SaveSettings()
{
    UpdateData(TRUE);
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CProfileSection open(pApp, PELORIN_SECTION);
    CString history;
    m_comboDir1.GetHistory(history);
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR1, history);
    m_comboDir2.GetHistory(history);
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_DIR2, history);
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, m_bSubDir ? L"1" : L"0");
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, m_strWinDiff);
}
