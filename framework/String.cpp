#include "String.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

wchar_t CString::s_empty[1] = { 0 };

CString::CString() : m_pch(s_empty), m_nLength(0), m_nCapacity(0) {}

CString::CString(const wchar_t* psz) : m_pch(s_empty), m_nLength(0), m_nCapacity(0)
{
    if (psz)
        Append(psz, (int)wcslen(psz));
}

CString::CString(const wchar_t* pch, int nLength) : m_pch(s_empty), m_nLength(0), m_nCapacity(0)
{
    if (pch && nLength > 0)
        Append(pch, nLength);
}

CString::CString(const CString& other) : m_pch(s_empty), m_nLength(0), m_nCapacity(0)
{
    Append(other.m_pch, other.m_nLength);
}

CString::~CString()
{
    if (m_pch != s_empty)
        free(m_pch);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other) {
        m_nLength = 0;
        m_pch[0] = 0;
        Append(other.m_pch, other.m_nLength);
    }
    return *this;
}

CString& CString::operator=(const wchar_t* psz)
{
    if (psz >= m_pch && psz <= m_pch + m_nLength) {   // a tail of this very text
        CString copy(psz);
        return *this = copy;
    }
    m_nLength = 0;
    m_pch[0] = 0;
    if (psz)
        Append(psz, (int)wcslen(psz));
    return *this;
}

void CString::Empty()
{
    if (m_pch != s_empty)
        free(m_pch);
    m_pch = s_empty;
    m_nLength = 0;
    m_nCapacity = 0;
}

CString& CString::operator+=(const wchar_t* psz)
{
    return psz ? Append(psz, (int)wcslen(psz)) : *this;
}

bool CString::Reserve(int nCapacity)
{
    if (nCapacity <= m_nCapacity)
        return true;
    if (nCapacity < 0 || nCapacity > kMaxLength)
        return false;
    int nGrow = m_nCapacity + m_nCapacity / 2;      // amortised appends
    if (nGrow > nCapacity && nGrow <= kMaxLength)
        nCapacity = nGrow;
    // realloc can often grow a large block in place, without copying it.
    wchar_t* p;
    if (m_pch == s_empty) {
        p = (wchar_t*)malloc(((size_t)nCapacity + 1) * sizeof(wchar_t));
        if (p)
            p[0] = 0;
    } else {
        p = (wchar_t*)realloc(m_pch, ((size_t)nCapacity + 1) * sizeof(wchar_t));
    }
    if (!p)
        return false;
    m_pch = p;
    m_nCapacity = nCapacity;
    return true;
}

CString& CString::Append(const wchar_t* pch, int nLength)
{
    if (!pch || nLength <= 0)
        return *this;
    if (nLength > kMaxLength - m_nLength)
        return *this;
    // pch may point into our own buffer; keep it valid across Reserve.
    if (pch >= m_pch && pch < m_pch + m_nLength + 1 && m_nLength + nLength > m_nCapacity) {
        CString copy(pch, nLength);
        return Append(copy.m_pch, copy.m_nLength);
    }
    if (!Reserve(m_nLength + nLength))
        return *this;
    memmove(m_pch + m_nLength, pch, (size_t)nLength * sizeof(wchar_t));
    m_nLength += nLength;
    m_pch[m_nLength] = 0;
    return *this;
}

wchar_t* CString::GetBuffer(int nMinLength)
{
    if (nMinLength < m_nLength)
        nMinLength = m_nLength;
    if (!Reserve(nMinLength < 1 ? 1 : nMinLength))
        return 0;
    return m_pch;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pch == s_empty)
        return;
    if (nNewLength < 0) {
        const wchar_t* z = wmemchr(m_pch, 0, (size_t)m_nCapacity + 1);
        nNewLength = z ? (int)(z - m_pch) : m_nCapacity;
    }
    if (nNewLength > m_nCapacity)
        nNewLength = m_nCapacity;
    m_nLength = nNewLength;
    m_pch[m_nLength] = 0;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pch, nCount);
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString r(a);
    r.Append(b, b.GetLength());
    return r;
}

int FindLast(const wchar_t* s, int len, wchar_t ch)
{
    for (int i = len - 1; i >= 0; i--)
        if (s[i] == ch)
            return i;
    return -1;
}

CString AppNameFromModulePath(const wchar_t* path)
{
    if (!path)
        return CString();
    int len = (int)wcslen(path);
    int start = 0;
    for (int i = 0; i < len; i++)
        if (path[i] == L'\\' || path[i] == L'/' || path[i] == L':')
            start = i + 1;
    int dot = FindLast(path + start, len - start, L'.');
    return CString(path + start, dot >= 0 ? dot : len - start);
}
