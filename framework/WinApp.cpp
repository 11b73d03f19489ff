#include "WinApp.h"
#include "AfxState.h"
#include "StringResource.h"

namespace {

// The full path of the running module, however long.
CString ModulePath(HINSTANCE hInstance)
{
    CString path;
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        WCHAR* p = path.GetBuffer((int)size);
        if (!p)
            break;
        DWORD n = ::GetModuleFileNameW(hInstance, p, size);
        if (n < size) {
            path.ReleaseBuffer((int)n);
            return path;
        }
    }
    path.Empty();
    return path;
}

} // namespace

const MsgMap CWinApp::messageMap = { &CCmdTarget::messageMap, 0, 0 };

CWinApp::CWinApp()
    : m_hInstance(AfxGetState().hInstance), m_pMainWnd(AfxGetState().pMainWnd), m_pOpenSection(0)
{
    AfxGetState().pApp = this;
}

CWinApp::~CWinApp()
{
    if (AfxGetState().pApp == this)
        AfxGetState().pApp = 0;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

bool CWinApp::InitApplication(HINSTANCE hInstance)
{
    m_hInstance = hInstance;

    // The name: the application's title from the resources, else the
    // executable's name; it names the profile's key.
    CString path = ModulePath(hInstance);
    m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_strAppName.IsEmpty())
        m_strAppName = AppNameFromModulePath(path);

    // The help file: the same path with ".HLP" for the extension.
    int dot = FindLast(path, path.GetLength(), L'.');
    int sep = FindLast(path, path.GetLength(), L'\\');
    m_strHelpFilePath = (dot > sep) ? path.Left(dot) : path;
    m_strHelpFilePath += L".HLP";
    return true;
}

CWinApp* AfxGetApp()
{
    return AfxGetState().pApp;
}

CWnd* AfxGetMainWnd()
{
    return AfxGetState().pMainWnd;
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->InitApplication(hInstance))
        return -1;
    if (!pApp->InitInstance())
        return 0;   // no message loop of our own: the program ends here
    return 0;
}
