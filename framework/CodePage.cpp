#include "CodePage.h"
#include "WinApp.h"

#include <stdlib.h>
#include <string.h>

CWideString::CWideString(const char* pszAnsi) : m_p(0), m_nCapacity(0)
{
    int nAnsi = pszAnsi ? (int)strlen(pszAnsi) : 0;
    int n = nAnsi ? ::MultiByteToWideChar(CP_ACP, 0, pszAnsi, nAnsi, NULL, 0) : 0;
    WCHAR* p = GetBuffer(n);
    if (p && n > 0)
        p[::MultiByteToWideChar(CP_ACP, 0, pszAnsi, nAnsi, p, n)] = 0;
}

CWideString::~CWideString()
{
    free(m_p);
}

WCHAR* CWideString::GetBuffer(int nLength)
{
    if (nLength < 0)
        nLength = 0;
    if (nLength >= m_nCapacity) {
        WCHAR* p = (WCHAR*)realloc(m_p, ((size_t)nLength + 1) * sizeof(WCHAR));
        if (!p)
            return 0;
        if (!m_p)
            p[0] = 0;
        m_p = p;
        m_nCapacity = nLength + 1;
    }
    return m_p;
}

void CWideString::Empty()
{
    if (m_p)
        m_p[0] = 0;
}

int CWideString::GetLength() const
{
    return m_p ? lstrlenW(m_p) : 0;
}

CWideString& CWideString::Append(const WCHAR* p, int n)
{
    int nOld = GetLength();
    if (n <= 0)
        return *this;
    WCHAR* pNew = (WCHAR*)malloc(((size_t)nOld + n + 1) * sizeof(WCHAR));
    if (!pNew)
        return *this;
    if (nOld)
        memcpy(pNew, m_p, (size_t)nOld * sizeof(WCHAR));
    memcpy(pNew + nOld, p, (size_t)n * sizeof(WCHAR));
    pNew[nOld + n] = 0;
    free(m_p);
    m_p = pNew;
    m_nCapacity = nOld + n + 1;
    return *this;
}

// The exact ANSI form of w[0, n), or false.
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

void AfxGetWindowTextWide(HWND hWnd, CWideString& text)
{
    text.Empty();
    int n = hWnd ? ::GetWindowTextLengthW(hWnd) : 0;
    WCHAR* p = n > 0 ? text.GetBuffer(n) : 0;
    if (p) {
        int got = ::GetWindowTextW(hWnd, p, n + 1);
        p[got > 0 && got <= n ? got : 0] = 0;
    }
}

bool AfxAnsiPathFromWide(const WCHAR* pszWide, CString& path)
{
    if (!pszWide)
        pszWide = L"";
    if (AfxExactAnsi(pszWide, lstrlenW(pszWide), path))
        return true;
    DWORD n = ::GetShortPathNameW(pszWide, NULL, 0);
    if (n == 0)
        return false;
    CWideString shortName;
    WCHAR* p = shortName.GetBuffer((int)n);
    if (!p)
        return false;
    DWORD got = ::GetShortPathNameW(pszWide, p, n);
    return got > 0 && got < n && AfxExactAnsi(p, (int)got, path);
}

void AfxFormatString2(CWideString& out, UINT nIDS, const WCHAR* psz1, const WCHAR* psz2)
{
    // The resource's own text, not terminated.
    const WCHAR* pRes = 0;
    int nRes = ::LoadStringW(AfxGetInstanceHandle(), nIDS, (LPWSTR)&pRes, 0);
    const WCHAR* inserts[2] = { psz1 ? psz1 : L"", psz2 ? psz2 : L"" };
    out.Empty();
    int start = 0;
    for (int i = 0; i + 1 < nRes; i++) {
        if (pRes[i] == L'%' && (pRes[i + 1] == L'1' || pRes[i + 1] == L'2')) {
            out.Append(pRes + start, i - start);
            out += inserts[pRes[i + 1] - L'1'];
            start = ++i + 1;
        }
    }
    out.Append(pRes + start, nRes - start);
}

int AfxMessageBox(const WCHAR* pszText, UINT nType)
{
    HWND hOwner = ::GetActiveWindow();
    if (!hOwner && AfxGetMainWnd())
        hOwner = AfxGetMainWnd()->m_hWnd;
    CWideString caption(AfxGetApp() ? (const char*)AfxGetApp()->m_strAppName : "");
    return ::MessageBoxW(hOwner, pszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CWideString text;
    AfxFormatString2(text, nIDPrompt);
    return AfxMessageBox(text, nType);
}

void AfxReportUnusablePath(const WCHAR* pszWide)
{
    CWideString text;
    AfxFormatString2(text, AFX_IDP_PATH_UNUSABLE, pszWide);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}
