#include "Profile.h"
#include "CodePage.h"
#include "RegistryText.h"

#include <string.h>

void CWinApp::SetRegistryKey(const char* pszKey)
{
    m_strRegistryKey = pszKey;
    m_strProfileName = m_strAppName;
}

// HKEY_CURRENT_USER\software\<key>\<profile>\<section>, created below
// "software" where missing. Every key but the returned one is closed here.
HKEY CWinApp::GetSectionKey(const char* pszSection)
{
    if (m_strRegistryKey.IsEmpty())
        return NULL;
    const REGSAM access = KEY_WRITE | KEY_READ;
    HKEY hSoft = NULL, hCompany = NULL, hApp = NULL, hSection = NULL;
    DWORD dw;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, access, &hSoft) == ERROR_SUCCESS) {
        if (::RegCreateKeyExA(hSoft, m_strRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, access,
                              NULL, &hCompany, &dw) == ERROR_SUCCESS) {
            if (::RegCreateKeyExA(hCompany, m_strProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                                  access, NULL, &hApp, &dw) == ERROR_SUCCESS) {
                if (::RegCreateKeyExA(hApp, pszSection, 0, NULL, REG_OPTION_NON_VOLATILE, access,
                                      NULL, &hSection, &dw) != ERROR_SUCCESS)
                    hSection = NULL;
                ::RegCloseKey(hApp);
            }
            ::RegCloseKey(hCompany);
        }
        ::RegCloseKey(hSoft);
    }
    return hSection;
}

HKEY CWinApp::SectionKey(const char* pszSection, bool* pbOwn)
{
    *pbOwn = !m_pOpenSection || lstrcmpiA(m_pOpenSection->m_strSection, pszSection) != 0;
    return *pbOwn ? GetSectionKey(pszSection) : m_pOpenSection->m_hKey;
}

namespace {

// The value's text (ProfileTextLength), whatever its type; false (and text
// untouched) when it is missing, cannot be read or is too big to hold.
bool ReadProfileValue(HKEY hKey, const char* pszEntry, CString& text)
{
    CString value;
    DWORD type = 0, cb = 0;
    LONG lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, &type, NULL, &cb);
    for (int tries = 0; lResult == ERROR_SUCCESS || (lResult == ERROR_MORE_DATA && tries < 4); tries++) {
        if (!ProfileValueReadable(cb))
            return false;
        char* p = value.GetBuffer((int)cb + 1);
        if (!p)
            return false;
        DWORD cbRead = cb;
        lResult = ::RegQueryValueExA(hKey, pszEntry, NULL, &type, (LPBYTE)p, &cbRead);
        if (lResult == ERROR_SUCCESS) {
            value.ReleaseBuffer((int)ProfileTextLength(type, p, cbRead <= cb ? cbRead : cb));
            text = value;
            return true;
        }
        value.ReleaseBuffer(0);
        cb = cbRead;    // the value grew meanwhile: read it again
    }
    return false;
}

// A string value's text exactly, in UTF-16, up to its first zero; false
// when it is missing, is no string value, is too big to hold or grew while
// it was read.
bool ReadProfileValueExact(HKEY hKey, const char* pszEntry, CWideString& text)
{
    CWideString entry(AfxWideFromAnsi(pszEntry));
    DWORD type = 0, cb = 0;
    if (::RegQueryValueExW(hKey, entry, NULL, &type, NULL, &cb) != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ) || !ProfileValueReadable(cb))
        return false;
    WCHAR* p = text.GetBuffer((int)(cb / sizeof(WCHAR)));
    DWORD cbRead = cb;
    if (!p || ::RegQueryValueExW(hKey, entry, NULL, &type, (LPBYTE)p, &cbRead) != ERROR_SUCCESS || cbRead > cb
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    p[cbRead / sizeof(WCHAR)] = 0;     // terminated or not
    return true;
}

} // namespace

CString CWinApp::GetProfileString(const char* pszSection, const char* pszEntry, const char* pszDefault,
                                  CWideString* pExact)
{
    bool bOwn;
    HKEY hKey = SectionKey(pszSection, &bOwn);
    CString text;
    bool bRead = false;
    if (pExact) {
        // A string value is read once, exactly; it is given in the code page
        // only where that holds it exactly, else in *pExact alone.
        pExact->Empty();
        bRead = hKey && ReadProfileValueExact(hKey, pszEntry, *pExact);
        if (!bRead || AfxExactAnsi(*pExact, pExact->GetLength(), text))
            pExact->Empty();
    }
    if (!bRead)
        bRead = hKey && ReadProfileValue(hKey, pszEntry, text);
    if (bOwn && hKey)
        ::RegCloseKey(hKey);
    return bRead ? text : CString(pszDefault);
}

BOOL CWinApp::WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue)
{
    bool bOwn;
    HKEY hKey = SectionKey(pszSection, &bOwn);
    if (!hKey)
        return FALSE;
    if (!pszValue)
        pszValue = "";
    LONG lResult = ::RegSetValueExA(hKey, pszEntry, 0, REG_SZ, (const BYTE*)pszValue, (DWORD)strlen(pszValue) + 1);
    if (bOwn)
        ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const char* pszSection, const char* pszEntry, const WCHAR* pszValue)
{
    bool bOwn;
    HKEY hKey = SectionKey(pszSection, &bOwn);
    if (!hKey)
        return FALSE;
    if (!pszValue)
        pszValue = L"";
    CWideString entry(AfxWideFromAnsi(pszEntry));
    LONG lResult = ::RegSetValueExW(hKey, entry, 0, REG_SZ, (const BYTE*)pszValue,
                                    ((DWORD)lstrlenW(pszValue) + 1) * sizeof(WCHAR));
    if (bOwn)
        ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CProfileSection::CProfileSection(CWinApp* pApp, const char* pszSection)
    : m_pApp(pApp), m_strSection(pszSection), m_hKey(pApp ? pApp->GetSectionKey(pszSection) : NULL),
      m_pOuter(pApp ? pApp->m_pOpenSection : 0)
{
    if (pApp)
        pApp->m_pOpenSection = this;
}

CProfileSection::~CProfileSection()
{
    if (m_pApp)
        m_pApp->m_pOpenSection = m_pOuter;
    if (m_hKey)
        ::RegCloseKey(m_hKey);
}
