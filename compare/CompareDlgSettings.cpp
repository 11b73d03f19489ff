#include "CompareDlg.h"
#include "FieldPath.h"
#include "ProfileValues.h"
#include "SettingsNames.h"
#include "../framework/Profile.h"

namespace {

// A history that the code page cannot hold is restored exactly.
void LoadHistory(CWinApp* pApp, const char* pszEntry, CRecentPathCombo& field)
{
    CWideString exact;
    CString history = pApp->GetProfileString(PELORIN_SECTION, pszEntry, "", &exact);
    if (exact.GetLength() > 0)
        field.SetHistoryExact(exact);
    else
        field.SetHistory(history);
}

// Written in UTF-16, so that the entries the code page cannot hold are kept;
// text that it holds is stored as its own bytes would be.
void SaveHistory(CWinApp* pApp, const char* pszEntry, const CRecentPathCombo& field)
{
    CWideString history;
    field.GetHistory(history);
    pApp->WriteProfileString(PELORIN_SECTION, pszEntry, (const WCHAR*)history);
}

} // namespace

// Called while the dialog opens: both path fields, then the subdirectory
// choice, then the comparison tool's path (LocateWinDiff), all four through
// one open key.
void CCompareDlg::LoadSettings()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CProfileSection open(pApp, PELORIN_SECTION);
    LoadHistory(pApp, PELORIN_ENTRY_DIR1, m_comboDir1);
    LoadHistory(pApp, PELORIN_ENTRY_DIR2, m_comboDir2);

    // A text that does not start with a number leaves the box off; a number
    // the box cannot show is put right when the box is filled.
    CString strSubDir = pApp->GetProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, "1");
    int nSubDir;
    if (ScanDecimalInt(strSubDir, &nSubDir))
        m_bSubDir = nSubDir;

    LocateWinDiff();
}

// Called while the dialog window is destroyed, however the dialog ended. A
// path is stored as it reads exactly, else as its short name; one that has
// neither (a name the code page cannot hold, of an item without a short
// name) exactly, in UTF-16, so that the next start shows it again. The
// histories keep their entries exactly (CRecentPathCombo::GetHistory).
void CCompareDlg::SaveSettings()
{
    UpdateData(TRUE);
    CFieldPath tool(GetDlgItem(IDC_WINDIFF));
    if (tool.GetKind() != CFieldPath::UNUSABLE)
        m_strWinDiff = tool.GetQuotedPath();

    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CProfileSection open(pApp, PELORIN_SECTION);
    SaveHistory(pApp, PELORIN_ENTRY_DIR1, m_comboDir1);
    SaveHistory(pApp, PELORIN_ENTRY_DIR2, m_comboDir2);
    pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_SUBDIR, m_bSubDir ? "1" : "0");
    if (tool.GetKind() != CFieldPath::UNUSABLE)
        pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, m_strWinDiff);
    else
        pApp->WriteProfileString(PELORIN_SECTION, PELORIN_ENTRY_WINDIFF, tool.GetText());
}
