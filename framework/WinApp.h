// The application object, its start-up, the per-user profile in the
// registry, and the framework's help, string resources and message boxes.
#pragma once

#include "Wnd.h"
#include "Mbcs.h"

// The framework's own string resources and commands.
enum
{
    AFX_IDS_APP_TITLE = 0xE000,
    AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xF107,
    AFX_IDP_INTERNAL_FAILURE = 0xF108,
    AFX_IDP_PATH_UNUSABLE = 0xF120,     // "%1": a name the code page cannot hold
    ID_HELP = 0xE146
};

class CProfileSection;

class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    virtual ~CWinApp();

    // Called once after start-up; false ends the program without a message loop.
    virtual BOOL InitInstance();

    // Sets the instance handle and derives the application name, the help
    // file path and the ANSI lead-byte table. Called before InitInstance.
    bool InitApplication(HINSTANCE hInstance);

    HINSTANCE m_hInstance;
    // The main window; the framework's state keeps it (AfxState), so that it
    // is forgotten when that window is destroyed.
    CWnd*& m_pMainWnd;
    CString m_strAppName;       // the executable's name without path and extension
    CString m_strHelpFilePath;  // the executable's path with ".HLP"
    CString m_strRegistryKey;
    CString m_strProfileName;

    // Nothing to do on Windows 4 and later; kept for the start-up sequence.
    BOOL Enable3dControlsStatic() { return TRUE; }
    // From here on the profile lives in
    // HKEY_CURRENT_USER\software\<key>\<application name>.
    void SetRegistryKey(const char* pszKey);

    // The value's text (ProfileTextLength), or pszDefault when the value is
    // missing, cannot be read or is too big to hold. Given pExact, a string
    // value that the code page cannot hold exactly comes back there, in
    // UTF-16, and the text is then empty; otherwise *pExact is emptied. Each
    // opens the section (creating the keys that are missing) and closes it
    // again, unless a CProfileSection keeps it open.
    CString GetProfileString(const char* pszSection, const char* pszEntry, const char* pszDefault = 0,
                             CWideString* pExact = 0);
    BOOL WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue);
    // A text that the code page cannot hold, written exactly in UTF-16.
    BOOL WriteProfileString(const char* pszSection, const char* pszEntry, const WCHAR* pszValue);

    // The Help command: asks the viewer for the topic of the window in use.
    void OnHelp();

    virtual const MsgMap* GetMessageMap() const { return &messageMap; }
    static const MsgMap messageMap;

private:
    friend class CProfileSection;
    HKEY GetSectionKey(const char* pszSection);
    // The section's key: the one kept open (*pbOwn false), else a new one.
    HKEY SectionKey(const char* pszSection, bool* pbOwn);
    CProfileSection* m_pOpenSection;
    CWinApp(const CWinApp&);
    CWinApp& operator=(const CWinApp&);
};

// Keeps one section of the profile open while it lives, so that a load or a
// save of several values goes through one open key: the application's
// GetProfileString and WriteProfileString use it for that section. The key
// is opened (created where missing) when the object is made and closed when
// it goes.
class CProfileSection
{
public:
    CProfileSection(CWinApp* pApp, const char* pszSection);
    ~CProfileSection();

private:
    friend class CWinApp;
    CWinApp* m_pApp;
    CString m_strSection;
    HKEY m_hKey;
    CProfileSection* m_pOuter;      // the section kept open before this one
    CProfileSection(const CProfileSection&);
    CProfileSection& operator=(const CProfileSection&);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// The lead bytes of the system's ANSI code page.
const LeadByteTable& AfxAnsiLeadBytes();
// Loads string resource nID; empty when there is none.
CString AfxLoadString(UINT nID);
// String resource nIDS with "%1" and "%2" replaced by the texts (which are
// not searched for further replacements).
void AfxFormatString2(CWideString& out, UINT nIDS, const WCHAR* psz1 = 0, const WCHAR* psz2 = 0);
// A message box with the text, captioned with the application's name and
// owned by the active window (else the main window).
int AfxMessageBox(const WCHAR* pszText, UINT nType);
// The same with string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType);
// Tells the user that an item cannot be used because the code page cannot
// hold its name: its name in a box with an exclamation icon.
void AfxReportUnusablePath(const WCHAR* pszWide);
// The process's whole life: start-up, InitInstance, exit.
int AfxWinMain(HINSTANCE hInstance);
