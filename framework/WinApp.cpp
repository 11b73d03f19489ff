#include "WinApp.h"
#include "AfxState.h"
#include "CodePage.h"
#include "StringResource.h"

namespace {

void BuildAnsiLeadBytes()
{
    CPINFO cpi;
    if (!::GetCPInfo(CP_ACP, &cpi))
        cpi.LeadByte[0] = cpi.LeadByte[1] = 0;
    LeadBytesFromRanges(AfxGetState().ansiLead, cpi.LeadByte, MAX_LEADBYTES);
}

// The full path of the running module, however long.
CString ModulePath(HINSTANCE hInstance)
{
    CString path;
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        char* p = path.GetBuffer((int)size);
        if (!p)
            break;
        DWORD n = ::GetModuleFileNameA(hInstance, p, size);
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
    BuildAnsiLeadBytes();

    // The name: the application's title from the resources where the code
    // page holds it exactly (it names the profile's key), else the
    // executable's name.
    CString path = ModulePath(hInstance);
    CWideString title;
    AfxLoadString(AFX_IDS_APP_TITLE, title);
    if (title.GetLength() == 0 || !AfxExactAnsi(title, title.GetLength(), m_strAppName))
        m_strAppName = AppNameFromModulePath(path, AfxAnsiLeadBytes());

    // The help file: the same path with ".HLP" for the extension.
    int dot = MbsFindLast(path, path.GetLength(), '.', AfxAnsiLeadBytes());
    int sep = MbsFindLast(path, path.GetLength(), '\\', AfxAnsiLeadBytes());
    m_strHelpFilePath = (dot > sep) ? path.Left(dot) : path;
    m_strHelpFilePath += ".HLP";
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

const LeadByteTable& AfxAnsiLeadBytes()
{
    return AfxGetState().ansiLead;
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
