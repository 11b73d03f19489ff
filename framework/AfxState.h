// Everything the framework keeps between calls, in one place. There is one
// such state, for the program's one user-interface thread. It is
// zero-initialised before any constructor runs and lives until the process
// ends; each member says who sets it. The windows (Wnd.cpp), the
// application object (WinApp.cpp) and the string loading (StringResource.cpp)
// keep theirs here, so none of them calls another for it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

class CWinApp;
class CWnd;
class CDialogLoopFilter;

struct AfxState
{
    // The application object: set by its constructor, cleared by its
    // destructor.
    CWinApp* pApp;
    // The program's module, where its resources are (CWinApp::m_hInstance):
    // set at start-up (CWinApp::InitApplication).
    HINSTANCE hInstance;
    // The application's main window (CWinApp::m_pMainWnd): set by the
    // application, cleared when that window is destroyed (AfxWndProc).
    CWnd* pMainWnd;
    // Every object attached to a window, most recent first: CWnd::Attach
    // adds one, CWnd::Detach (at the latest on WM_NCDESTROY) takes it out.
    CWnd* pFirstWnd;
    // The message AfxWndProc is handling now, for CWnd::Default; saved and
    // restored around each nested call.
    struct CurrentMsg
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } current;
    // The dialog whose data exchange runs: its control notifications are
    // dropped until UpdateData returns.
    HWND hLockoutNotifyWindow;
    // The message the framework's pre-translation (AfxPreTranslateMessage)
    // handles now, or none: set and restored around it.
    const MSG* pPreTranslating;
    // The thread's message filter that gives other dialog loops the
    // framework's pre-translation, and the innermost CDialogLoopFilter object
    // that wants it (each links to the one it nests in): the first installs
    // it, the last removes it.
    HHOOK hDialogLoopFilter;
    CDialogLoopFilter* pDialogLoopFilter;
};

AfxState& AfxGetState();
// The program's module: the one start-up set, else the executable's.
HINSTANCE AfxGetInstanceHandle();
