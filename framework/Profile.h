// The application's profile in the registry: CWinApp's profile members
// (declared with the class in WinApp.h) and CProfileSection.
#pragma once

#include "WinApp.h"

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
