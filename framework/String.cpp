#include "String.h"

#include <stdlib.h>
#include <string.h>

char CString::s_empty[1] = { 0 };

CString::CString() : m_pch(s_empty), m_nLength(0), m_nCapacity(0) {}

CString::CString(const char* psz) : m_pch(s_empty), m_nLength(0), m_nCapacity(0)
{
    if (psz)
        Append(psz, (int)strlen(psz));
}

CString::CString(const char* pch, int nLength) : m_pch(s_empty), m_nLength(0), m_nCapacity(0)
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

CString& CString::operator=(const char* psz)
{
    if (psz >= m_pch && psz <= m_pch + m_nLength) {   // a tail of this very text
        CString copy(psz);
        return *this = copy;
    }
    m_nLength = 0;
    m_pch[0] = 0;
    if (psz)
        Append(psz, (int)strlen(psz));
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

CString& CString::operator+=(const char* psz)
{
    return psz ? Append(psz, (int)strlen(psz)) : *this;
}

bool CString::Reserve(int nCapacity)
{
    if (nCapacity <= m_nCapacity)
        return true;
    if (nCapacity < 0 || nCapacity > 0x3FFFFFFF)
        return false;
    int nGrow = m_nCapacity + m_nCapacity / 2;      // amortised appends
    if (nGrow > nCapacity && nGrow <= 0x3FFFFFFF)
        nCapacity = nGrow;
    // realloc can often grow a large block in place, without copying it.
    char* p;
    if (m_pch == s_empty) {
        p = (char*)malloc((size_t)nCapacity + 1);
        if (p)
            p[0] = 0;
    } else {
        p = (char*)realloc(m_pch, (size_t)nCapacity + 1);
    }
    if (!p)
        return false;
    m_pch = p;
    m_nCapacity = nCapacity;
    return true;
}

CString& CString::Append(const char* pch, int nLength)
{
    if (!pch || nLength <= 0)
        return *this;
    if (nLength > 0x3FFFFFFF - m_nLength)
        return *this;
    // pch may point into our own buffer; keep it valid across Reserve.
    if (pch >= m_pch && pch < m_pch + m_nLength + 1 && m_nLength + nLength > m_nCapacity) {
        CString copy(pch, nLength);
        return Append(copy.m_pch, copy.m_nLength);
    }
    if (!Reserve(m_nLength + nLength))
        return *this;
    memmove(m_pch + m_nLength, pch, (size_t)nLength);
    m_nLength += nLength;
    m_pch[m_nLength] = 0;
    return *this;
}

char* CString::GetBuffer(int nMinLength)
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
        const void* z = memchr(m_pch, 0, (size_t)m_nCapacity + 1);
        nNewLength = z ? (int)((const char*)z - m_pch) : m_nCapacity;
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

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r.Append(b, b.GetLength());
    return r;
}
