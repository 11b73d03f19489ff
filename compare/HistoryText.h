// The history text of a path field: the current text, then "|" and each list
// entry in list order. No escaping; a "|" that is the trail byte of a
// double-byte character belongs to its character.
#pragma once

#include "../framework/Mbcs.h"
#include "../framework/WideString.h"

// Walks a history text piece by piece, exactly as the field restores it:
// the first piece is the field's text, every later piece a list entry (empty
// ones included). A separator at the very end starts no further piece.
class HistoryReader
{
public:
    HistoryReader(const char* text, int len, const LeadByteTable& t);
    // The next piece; false when the text is used up.
    bool Next(const char*& piece, int& pieceLen);

private:
    const char* m_rest;
    int m_restLen;
    const LeadByteTable& m_lead;
};

// Appends one list entry: "|" and the entry.
void AppendHistoryEntry(CString& history, const char* entry, int entryLen);
// The same for a history stored exactly, in UTF-16, which has no "|"
// inside a character.
void AppendHistoryEntry(CWideString& history, const wchar_t* entry, int entryLen);
