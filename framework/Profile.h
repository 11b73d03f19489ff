// The application's profile in the registry: CWinApp's profile members
// (declared with the class in WinApp.h), CProfileSection, and how any
// registry value is read as text.
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
    CProfileSection(CWinApp* pApp, const wchar_t* pszSection);
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

// A registry value as text (RegistryText.h): a string value exactly, up to
// its first zero; any other type's bytes up to the first zero byte, taken
// as text in the code page. A value of more than nMaxUnits characters (of a
// string value) or bytes (of any other) is not read, and neither is one
// ProfileValueReadable refuses. ERROR_SUCCESS, with the text and the type,
// or the reason, with text untouched.
LONG AfxReadValueText(HKEY hKey, const wchar_t* pszName, CString& text, DWORD* pType, size_t nMaxUnits);
