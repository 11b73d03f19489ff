// CString: the text type that carries window texts, registry values and
// paths through the program. Bytes in the ANSI code page; lengths are in
// bytes. Deliberately free of <windows.h> so that the text logic built on it
// can be tested natively.
#pragma once

#include <stddef.h>

class CString
{
public:
    CString();
    CString(const char* psz);                 // NULL is taken as empty
    CString(const char* pch, int nLength);    // exactly nLength bytes (may hold zeros)
    CString(const CString& other);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* psz);

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    operator const char*() const { return m_pch; }

    void Empty();
    CString& operator+=(const char* psz);
    CString& operator+=(char ch) { return Append(&ch, 1); }
    CString& Append(const char* pch, int nLength);

    // Writable buffer of at least nMinLength bytes plus a terminator. The
    // text keeps its old contents; call ReleaseBuffer afterwards.
    char* GetBuffer(int nMinLength);
    // nNewLength < 0: the text ends at its first zero byte (within the buffer).
    void ReleaseBuffer(int nNewLength = -1);

    // The first nCount bytes.
    CString Left(int nCount) const;

private:
    bool Reserve(int nCapacity);   // false when memory runs out; the text is kept

    char* m_pch;        // always terminated; points at s_empty when nothing is held
    int m_nLength;
    int m_nCapacity;    // bytes usable for text, terminator not counted; 0 for s_empty
    static char s_empty[1];
};

CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
