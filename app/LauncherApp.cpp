#include "LauncherApp.h"
#include "SettingsNames.h"
#include "../compare/CompareDlg.h"

namespace {
const MsgMapEntry s_appEntries[] = {
    MapCommand(ID_HELP, Thunk<CWinApp, &CWinApp::OnHelp>),
};
} // namespace

const MsgMap CLauncherApp::messageMap = MakeMsgMap(&CWinApp::messageMap, s_appEntries);

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
    dlg.DoModal();

    // The dialog is gone; returning false ends the program.
    return FALSE;
}
