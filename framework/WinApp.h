// The application object and the program's start-up. Its profile in the
// registry is in Profile.cpp, its Help command in Help.cpp.
#pragma once

#include "Wnd.h"
#include "AfxState.h"   // AfxGetInstanceHandle

// The framework's Help command.
enum { ID_HELP = 0xE146 };

class CProfileSection;

class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    virtual ~CWinApp();

    // Called once after start-up; false ends the program without a message loop.
    virtual BOOL InitInstance();

    // Sets the instance handle and derives the application name and the
    // help file path. Called before InitInstance.
    bool InitApplication(HINSTANCE hInstance);

    // The program's module and its main window; the framework's state keeps
    // them (AfxState), so that the main window is forgotten when that window
    // is destroyed.
    HINSTANCE& m_hInstance;
    CWnd*& m_pMainWnd;
    CString m_strAppName;       // the executable's name without path and extension
    CString m_strHelpFilePath;  // the executable's path with ".HLP"
    CString m_strRegistryKey;
    CString m_strProfileName;

    // Nothing to do on Windows 4 and later; kept for the start-up sequence.
    BOOL Enable3dControlsStatic() { return TRUE; }

    // The profile (Profile.cpp). From SetRegistryKey on it lives in
    // HKEY_CURRENT_USER\software\<key>\<application name>.
    void SetRegistryKey(const wchar_t* pszKey);
    // The value's text (AfxReadValueText), or pszDefault when the value is
    // missing, cannot be read or is too big to hold. The value is written
    // as REG_SZ, exactly. Each opens the section (creating the keys that
    // are missing) and closes it again, unless a CProfileSection keeps it
    // open.
    CString GetProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszDefault = 0);
    BOOL WriteProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszValue);

    // The Help command (Help.cpp): asks the viewer for the topic of the
    // window in use.
    void OnHelp();

    virtual const MsgMap* GetMessageMap() const { return &messageMap; }
    static const MsgMap messageMap;

private:
    friend class CProfileSection;
    HKEY GetSectionKey(const wchar_t* pszSection);
    // The section's key: the one kept open (*pbOwn false), else a new one.
    HKEY SectionKey(const wchar_t* pszSection, bool* pbOwn);
    CProfileSection* m_pOpenSection;
    CWinApp(const CWinApp&);
    CWinApp& operator=(const CWinApp&);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The process's whole life: start-up, InitInstance, exit.
int AfxWinMain(HINSTANCE hInstance);
