// Paths between the ANSI code page the program works in and the UTF-16 the
// shell hands out, so that a path always keeps naming the same item; and
// the messages that show such paths.
#pragma once

#include "Wnd.h"

// A UTF-16 text on the heap, however long. Owns its buffer.
class CWideString
{
public:
    CWideString() : m_p(0), m_nCapacity(0) {}
    explicit CWideString(const char* pszAnsi);   // converted from the ANSI code page
    ~CWideString();

    // A writable buffer of at least nLength characters and a terminator.
    // The text keeps its old contents, as CString::GetBuffer keeps them;
    // NULL when memory runs out.
    WCHAR* GetBuffer(int nLength);
    void Empty();
    operator const WCHAR*() const { return m_p ? m_p : L""; }
    int GetLength() const;
    // Appends n characters of p (not searched for a terminator).
    CWideString& Append(const WCHAR* p, int n);
    CWideString& operator+=(const WCHAR* psz) { return Append(psz, psz ? lstrlenW(psz) : 0); }

private:
    WCHAR* m_p;
    int m_nCapacity;
    CWideString(const CWideString&);
    CWideString& operator=(const CWideString&);
};

// The ANSI form of a path, only when the code page holds it exactly: no
// look-alike ("best fit") character and no default character, so that it
// reads back as the same characters. Otherwise the item's short (8.3) name
// when that converts exactly, since it names the same item. False when
// neither does; path is then unchanged.
bool AfxAnsiPathFromWide(const WCHAR* pszWide, CString& path);

// The ANSI form of w[0, n) when the code page holds it exactly (see
// AfxAnsiPathFromWide); false otherwise, and out is then unchanged.
bool AfxExactAnsi(const WCHAR* w, int n, CString& out);

// A window's text exactly as it holds it, in UTF-16.
void AfxGetWindowTextWide(HWND hWnd, CWideString& text);

// Tells the user that an item cannot be used because the code page cannot
// hold its name: its name in a box with an exclamation icon.
void AfxReportUnusablePath(const WCHAR* pszWide);

// String resource nIDS with "%1" and "%2" replaced by the texts (which are
// not searched for further replacements).
void AfxFormatString2(CWideString& out, UINT nIDS, const WCHAR* psz1 = 0, const WCHAR* psz2 = 0);

// A message box with the text, captioned with the application's name and
// owned by the active window (else the main window). The framework's own
// boxes (AfxMessageBox with a string resource) come here too.
int AfxMessageBox(const WCHAR* pszText, UINT nType);
