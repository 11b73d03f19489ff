#include "LauncherApp.h"
#include "../compare/SettingsNames.h"
#include "../compare/CompareDlg.h"

const MsgMapEntry CLauncherApp::s_entries[] = {
    MapCommand(ID_HELP, Thunk<CWinApp, &CWinApp::OnHelp>),
};

const MsgMap CLauncherApp::messageMap = MakeMsgMap(&CWinApp::messageMap, s_entries);

CLauncherApp theApp;

CLauncherApp::CLauncherApp()
{
}

BOOL CLauncherApp::InitInstance()
{
    Enable3dControlsStatic();
    SetRegistryKey(PELORIN_REGISTRY_KEY);

    CCompareDlg dlg;
    m_pMainWnd = &dlg;
    dlg.ReadStartPaths();
    dlg.DoModal();

    // The dialog is gone; returning false ends the program.
    return FALSE;
}
