#include "HistoryText.h"

#include <wchar.h>

HistoryReader::HistoryReader(const wchar_t* text, int len) : m_rest(text), m_restLen(text && len > 0 ? len : 0)
{
}

bool HistoryReader::Next(const wchar_t*& piece, int& pieceLen)
{
    if (m_restLen <= 0)
        return false;
    const wchar_t* sep = wmemchr(m_rest, L'|', (size_t)m_restLen);
    piece = m_rest;
    pieceLen = sep ? (int)(sep - m_rest) : m_restLen;
    // What is left: the last (length - piece - 1) characters, nothing when
    // that count is zero or less.
    int restLen = m_restLen - pieceLen - 1;
    if (restLen > 0) {
        m_rest += pieceLen + 1;
        m_restLen = restLen;
    } else {
        m_restLen = 0;
    }
    return true;
}

void AppendHistoryEntry(CString& history, const wchar_t* entry, int entryLen)
{
    history += L'|';
    history.Append(entry, entryLen);
}
