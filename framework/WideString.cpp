#include "WideString.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

CWideString::CWideString(CWideString&& other)
    : m_p(other.m_p), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity)
{
    other.m_p = 0;
    other.m_nLength = 0;
    other.m_nCapacity = 0;
}

CWideString::~CWideString()
{
    free(m_p);
}

// Room for nLength characters and a terminator; the text is kept.
bool CWideString::Reserve(int nLength)
{
    if (nLength < m_nCapacity)
        return true;
    if (nLength < 0 || nLength >= 0x3FFFFFFF)
        return false;
    int nCapacity = nLength + 1;
    int nGrow = m_nCapacity + m_nCapacity / 2;      // amortised appends
    if (nGrow > nCapacity && nGrow <= 0x3FFFFFFF)
        nCapacity = nGrow;
    wchar_t* p = (wchar_t*)realloc(m_p, (size_t)nCapacity * sizeof(wchar_t));
    if (!p)
        return false;
    if (!m_p)
        p[0] = 0;
    m_p = p;
    m_nCapacity = nCapacity;
    return true;
}

wchar_t* CWideString::GetBuffer(int nLength)
{
    if (!Reserve(nLength < 0 ? 0 : nLength))
        return 0;
    m_nLength = -1;     // the caller may write anything
    return m_p;
}

void CWideString::Empty()
{
    if (m_p)
        m_p[0] = 0;
    m_nLength = 0;
}

int CWideString::GetLength() const
{
    if (m_nLength < 0)
        m_nLength = (int)wcsnlen(m_p, (size_t)m_nCapacity);
    return m_nLength;
}

CWideString& CWideString::Append(const wchar_t* p, int n)
{
    int nOld = GetLength();
    if (!p || n <= 0 || n >= 0x3FFFFFFF - nOld)
        return *this;
    // The text ends at its first zero.
    if (const wchar_t* z = wmemchr(p, 0, (size_t)n))
        n = (int)(z - p);
    // p may point into our own buffer; keep it valid across Reserve.
    if (m_p && p >= m_p && p < m_p + m_nCapacity && nOld + n >= m_nCapacity) {
        CWideString copy;
        copy.Append(p, n);
        return Append(copy.m_p, n);
    }
    if (!Reserve(nOld + n))
        return *this;
    memmove(m_p + nOld, p, (size_t)n * sizeof(wchar_t));
    m_nLength = nOld + n;
    m_p[m_nLength] = 0;
    return *this;
}

CWideString& CWideString::operator+=(const wchar_t* psz)
{
    return psz ? Append(psz, (int)wcslen(psz)) : *this;
}
