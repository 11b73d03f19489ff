// CString: the program's one text type. UTF-16 on Windows (wchar_t, the
// system's WCHAR), so that every path, window text and registry value
// passes through the program exactly; lengths and positions are in
// characters. Deliberately free of <windows.h> so that the text logic built
// on it can be tested natively.
#pragma once

#include <stddef.h>

class CString
{
public:
    CString();
    CString(const wchar_t* psz);                 // NULL is taken as empty
    CString(const wchar_t* pch, int nLength);    // exactly nLength characters (may hold zeros)
    CString(const CString& other);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const wchar_t* psz);

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    operator const wchar_t*() const { return m_pch; }

    void Empty();
    CString& operator+=(const wchar_t* psz);
    CString& operator+=(wchar_t ch) { return Append(&ch, 1); }
    CString& Append(const wchar_t* pch, int nLength);

    // Writable buffer of at least nMinLength characters plus a terminator.
    // The text keeps its old contents; call ReleaseBuffer afterwards. NULL
    // when memory runs out.
    wchar_t* GetBuffer(int nMinLength);
    // nNewLength < 0: the text ends at its first zero (within the buffer).
    void ReleaseBuffer(int nNewLength = -1);

    // The first nCount characters.
    CString Left(int nCount) const;

    // The most characters a text holds.
    enum { kMaxLength = 0x1FFFFFFF };

private:
    bool Reserve(int nCapacity);   // false when memory runs out; the text is kept

    wchar_t* m_pch;     // always terminated; points at s_empty when nothing is held
    int m_nLength;
    int m_nCapacity;    // characters usable for text, terminator not counted; 0 for s_empty
    static wchar_t s_empty[1];
};

CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);

// Offset of the last ch in s[0, len); -1 when there is none.
int FindLast(const wchar_t* s, int len, wchar_t ch);

// The application name from the executable's full path: cut at the last "."
// (when it stands after the last separator) and keep what follows the last
// "\", "/" or ":".
CString AppNameFromModulePath(const wchar_t* path);
