#include "HistoryText.h"

HistoryReader::HistoryReader(const char* text, int len, const LeadByteTable& t)
    : m_rest(text), m_restLen(text && len > 0 ? len : 0), m_lead(t)
{
}

bool HistoryReader::Next(const char*& piece, int& pieceLen)
{
    if (m_restLen <= 0)
        return false;
    int sep = MbsFind(m_rest, m_restLen, '|', m_lead);
    piece = m_rest;
    pieceLen = sep >= 0 ? sep : m_restLen;
    // What is left: the last (length - piece - 1) bytes, nothing when that
    // count is zero or less.
    int restLen = m_restLen - pieceLen - 1;
    if (restLen > 0) {
        m_rest += pieceLen + 1;
        m_restLen = restLen;
    } else {
        m_restLen = 0;
    }
    return true;
}

void AppendHistoryEntry(CString& history, const char* entry, int entryLen)
{
    history += '|';
    history.Append(entry, entryLen);
}

void AppendHistoryEntry(CWideString& history, const wchar_t* entry, int entryLen)
{
    history.Append(L"|", 1);
    history.Append(entry, entryLen);
}
