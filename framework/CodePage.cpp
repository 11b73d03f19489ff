#include "CodePage.h"

#include <string.h>

CWideString AfxWideFromAnsi(const char* pszAnsi)
{
    CWideString wide;
    int nAnsi = pszAnsi ? (int)strlen(pszAnsi) : 0;
    int n = nAnsi ? ::MultiByteToWideChar(CP_ACP, 0, pszAnsi, nAnsi, NULL, 0) : 0;
    WCHAR* p = wide.GetBuffer(n);
    if (p && n > 0)
        p[::MultiByteToWideChar(CP_ACP, 0, pszAnsi, nAnsi, p, n)] = 0;
    return wide;
}

bool AfxExactAnsi(const WCHAR* w, int n, CString& out)
{
    if (n == 0) {
        out.Empty();
        return true;
    }
    // No look-alikes; where the code page takes no such flag (UTF-8), the
    // round trip below still decides.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL bDefault = FALSE;
    int nAnsi = ::WideCharToMultiByte(CP_ACP, flags, w, n, NULL, 0, NULL, &bDefault);
    if (nAnsi <= 0 && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        flags = 0;
        nAnsi = ::WideCharToMultiByte(CP_ACP, 0, w, n, NULL, 0, NULL, NULL);
    }
    if (nAnsi <= 0 || bDefault)
        return false;
    CString ansi;
    char* p = ansi.GetBuffer(nAnsi);
    if (!p)
        return false;
    nAnsi = ::WideCharToMultiByte(CP_ACP, flags, w, n, p, nAnsi, NULL, flags ? &bDefault : NULL);
    ansi.ReleaseBuffer(nAnsi > 0 ? nAnsi : 0);
    if (nAnsi <= 0 || bDefault)
        return false;

    // It must read back as the very same characters.
    int nBack = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, nAnsi, NULL, 0);
    if (nBack != n)
        return false;
    CWideString back;
    WCHAR* pBack = back.GetBuffer(nBack);
    if (!pBack || ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, nAnsi, pBack, nBack) != n
        || memcmp(pBack, w, (size_t)n * sizeof(WCHAR)) != 0)
        return false;
    out = ansi;
    return true;
}

bool AfxShortAnsiPath(const WCHAR* pszWide, CString& path)
{
    DWORD n = ::GetShortPathNameW(pszWide ? pszWide : L"", NULL, 0);
    if (n == 0)
        return false;
    CWideString shortName;
    WCHAR* p = shortName.GetBuffer((int)n);
    if (!p)
        return false;
    DWORD got = ::GetShortPathNameW(pszWide ? pszWide : L"", p, n);
    return got > 0 && got < n && AfxExactAnsi(p, (int)got, path);
}

bool AfxAnsiPathFromWide(const WCHAR* pszWide, CString& path)
{
    if (!pszWide)
        pszWide = L"";
    return AfxExactAnsi(pszWide, lstrlenW(pszWide), path) || AfxShortAnsiPath(pszWide, path);
}
