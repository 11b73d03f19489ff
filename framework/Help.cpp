#include "WinApp.h"
#include "MessageBox.h"
#include "StringResource.h"

void CWinApp::OnHelp()
{
    // The topic of the dialog in use: the window with the focus, or its owners.
    DWORD dwContext = 0;
    HWND hWnd = ::GetFocus();
    if (!hWnd)
        hWnd = ::GetActiveWindow();
    for (; hWnd && !dwContext; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd)
            dwContext = pWnd->GetHelpContext();
    }
    if (!dwContext && m_pMainWnd)
        dwContext = m_pMainWnd->GetHelpContext();

    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : NULL;
    if (!::WinHelpW(hMain, m_strHelpFilePath, HELP_CONTEXT, dwContext))
        AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP, MB_OK | MB_ICONEXCLAMATION);
}
