// CWideString: a UTF-16 text on the heap, however long, for the names the
// code page cannot hold. Built on wchar_t, which is UTF-16 on Windows (the
// system's WCHAR), and free of <windows.h>, so that it can be tested
// natively; the conversions from and to the code page are in CodePage.h.
#pragma once

#include <stddef.h>

class CWideString
{
public:
    CWideString() : m_p(0), m_nLength(0), m_nCapacity(0) {}
    CWideString(CWideString&& other);
    ~CWideString();

    // A writable buffer of at least nLength characters and a terminator.
    // The text keeps its old contents, as CString::GetBuffer keeps them, and
    // ends at its first zero character, wherever the caller puts it; NULL
    // when memory runs out.
    wchar_t* GetBuffer(int nLength);
    void Empty();
    operator const wchar_t*() const { return m_p ? m_p : L""; }
    int GetLength() const;
    // Appends n characters of p, up to a zero among them. The buffer
    // grows by half again, so that many appends cost time in proportion to
    // the text they make.
    CWideString& Append(const wchar_t* p, int n);
    CWideString& operator+=(const wchar_t* psz);

private:
    bool Reserve(int nLength);

    wchar_t* m_p;
    // The text's length, or -1 after GetBuffer: then the first zero ends it.
    mutable int m_nLength;
    int m_nCapacity;    // characters the buffer holds, terminator included
    CWideString(const CWideString&);
    CWideString& operator=(const CWideString&);
};
