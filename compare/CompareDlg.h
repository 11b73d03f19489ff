// The main window: the comparison tool's path, the two paths to compare and
// the subdirectory choice; OK starts the comparison. The class is defined
// over these files:
//   CompareDlg.cpp          routing table, opening, system menu, painting, closing
//   CompareDlgLaunch.cpp    OK: starting the comparison tool
//   CompareDlgSettings.cpp  loading and saving the settings
//   CompareDlgLocator.cpp   finding and choosing the comparison tool
//   CompareDlgPickers.cpp   the folder and file pickers of the path fields
//   CompareDlgDrop.cpp      the Exchange button and items dropped on the dialog
//   CompareDlgCommandLine.cpp  the paths Pelorin was started with
#pragma once

#include "../framework/Dialog.h"
#include "../framework/WinApp.h"
#include "../res/resource.h"
#include "RecentPathCombo.h"

class CCompareDlg : public CDialog
{
    DECLARE_MESSAGE_MAP()

public:
    CCompareDlg();
    virtual ~CCompareDlg();

    enum { IDD = IDD_COMPARE };

    CRecentPathCombo m_comboDir2;   // control 1003, "Dir&2"
    CRecentPathCombo m_comboDir1;   // control 1002, "Dir&1"
    int m_bSubDir;                  // check box 1000
    CString m_strWinDiff;           // edit 1007
    HICON m_appIcon;

    // Reads the paths Pelorin was started with, before the dialog opens:
    // it may have to say first why it takes none.
    void ReadStartPaths();

private:
    // The paths Pelorin was started with, as the fields take them.
    CString m_startPaths[2];
    int m_nStartPaths;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK() { LaunchComparison(); }

    // Starts the comparison tool on the two paths, then ends the dialog; when
    // the tool cannot start, says why and leaves the dialog open.
    void LaunchComparison();
    // Starts the tool; 0, or the reason it could not start.
    DWORD StartTool(const CString& tool, const CString& params);
    void ReportLaunchFailure(const wchar_t* pszTool, DWORD dwError);

    // Settings: loaded while the dialog opens, saved while it is destroyed.
    void LoadSettings();
    void SaveSettings();
    // Finds the comparison tool; a stored setting wins (read while the
    // settings are loaded).
    void LocateWinDiff();
    // Offers a comparison tool found installed when the tool's path is empty
    // at OK.
    void OfferInstalledTool();
    // Lets the user pick the comparison tool's executable.
    void ChooseWinDiff();

    // The path pickers.
    void PickPath(CRecentPathCombo& field, bool bWantFolder);
    void OnBrowseDir1() { PickPath(m_comboDir1, true); }
    void OnBrowseDir2() { PickPath(m_comboDir2, true); }
    void OnFileDir1() { PickPath(m_comboDir1, false); }
    void OnFileDir2() { PickPath(m_comboDir2, false); }

    // Swaps the two paths.
    void ExchangePaths();
    // One or two items dropped on the dialog fill the path fields; a drop on
    // a path field goes to that field.
    void OnDropFiles(HDROP hDrop);
    // Fills the fields with the paths Pelorin was started with and moves the
    // focus on; false when there are none.
    bool ShowStartPaths();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    BOOL OnQueryEndSession();
    void OnEndSession(UINT bEnding, LPARAM lParam);
};
