#include "Profile.h"
#include "RegistryText.h"

#include <wchar.h>

void CWinApp::SetRegistryKey(const wchar_t* pszKey)
{
    m_strRegistryKey = pszKey;
    m_strProfileName = m_strAppName;
}

// HKEY_CURRENT_USER\software\<key>\<profile>\<section>, created below
// "software" where missing. Every key but the returned one is closed here.
HKEY CWinApp::GetSectionKey(const wchar_t* pszSection)
{
    if (m_strRegistryKey.IsEmpty())
        return NULL;
    const REGSAM access = KEY_WRITE | KEY_READ;
    HKEY hSoft = NULL, hCompany = NULL, hApp = NULL, hSection = NULL;
    DWORD dw;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"software", 0, access, &hSoft) == ERROR_SUCCESS) {
        if (::RegCreateKeyExW(hSoft, m_strRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, access,
                              NULL, &hCompany, &dw) == ERROR_SUCCESS) {
            if (::RegCreateKeyExW(hCompany, m_strProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                                  access, NULL, &hApp, &dw) == ERROR_SUCCESS) {
                if (::RegCreateKeyExW(hApp, pszSection, 0, NULL, REG_OPTION_NON_VOLATILE, access,
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

HKEY CWinApp::SectionKey(const wchar_t* pszSection, bool* pbOwn)
{
    *pbOwn = !m_pOpenSection || lstrcmpiW(m_pOpenSection->m_strSection, pszSection) != 0;
    return *pbOwn ? GetSectionKey(pszSection) : m_pOpenSection->m_hKey;
}

LONG AfxReadValueText(HKEY hKey, const wchar_t* pszName, CString& text, DWORD* pType, size_t nMaxUnits)
{
    DWORD type = REG_NONE, cb = 0;
    LONG lResult = ::RegQueryValueExW(hKey, pszName, NULL, &type, NULL, &cb);
    for (int tries = 0; lResult == ERROR_SUCCESS && tries < 4; tries++) {
        bool bString = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
        if ((bString ? cb / sizeof(WCHAR) : cb) > nMaxUnits || !ProfileValueReadable(cb))
            return ERROR_MORE_DATA;
        CString value;
        WCHAR* p = value.GetBuffer((int)(cb / sizeof(WCHAR)) + 1);
        if (!p)
            return ERROR_NOT_ENOUGH_MEMORY;
        DWORD cbRead = cb;
        lResult = ::RegQueryValueExW(hKey, pszName, NULL, &type, (LPBYTE)p, &cbRead);
        if (lResult == ERROR_MORE_DATA) {
            cb = cbRead;    // the value grew meanwhile: read it again
            lResult = ERROR_SUCCESS;
            continue;
        }
        if (lResult != ERROR_SUCCESS)
            break;
        if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            value.ReleaseBuffer((int)wcsnlen(p, cbRead / sizeof(WCHAR)));
            text = value;
        } else {
            // The bytes as the code page reads them.
            const char* pBytes = (const char*)p;
            int nBytes = (int)ProfileTextLength(type, pBytes, cbRead);
            CString decoded;
            WCHAR* q = decoded.GetBuffer(nBytes);
            if (!q)
                return ERROR_NOT_ENOUGH_MEMORY;
            int n = nBytes > 0 ? ::MultiByteToWideChar(CP_ACP, 0, pBytes, nBytes, q, nBytes + 1) : 0;
            decoded.ReleaseBuffer(n > 0 ? n : 0);
            text = decoded;
        }
        *pType = type;
        return ERROR_SUCCESS;
    }
    return lResult;
}

CString CWinApp::GetProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszDefault)
{
    bool bOwn;
    HKEY hKey = SectionKey(pszSection, &bOwn);
    CString text;
    DWORD type;
    bool bRead = hKey && AfxReadValueText(hKey, pszEntry, text, &type, (size_t)-1) == ERROR_SUCCESS;
    if (bOwn && hKey)
        ::RegCloseKey(hKey);
    return bRead ? text : CString(pszDefault);
}

BOOL CWinApp::WriteProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszValue)
{
    bool bOwn;
    HKEY hKey = SectionKey(pszSection, &bOwn);
    if (!hKey)
        return FALSE;
    if (!pszValue)
        pszValue = L"";
    LONG lResult = ::RegSetValueExW(hKey, pszEntry, 0, REG_SZ, (const BYTE*)pszValue,
                                    ((DWORD)lstrlenW(pszValue) + 1) * sizeof(WCHAR));
    if (bOwn)
        ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CProfileSection::CProfileSection(CWinApp* pApp, const wchar_t* pszSection)
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
