// The history text of a path field: the current text, then "|" and each list
// entry in list order. No escaping.
#pragma once

#include "../framework/String.h"

// Walks a history text piece by piece, exactly as the field restores it:
// the first piece is the field's text, every later piece a list entry (empty
// ones included). A separator at the very end starts no further piece.
class HistoryReader
{
public:
    HistoryReader(const wchar_t* text, int len);
    // The next piece; false when the text is used up.
    bool Next(const wchar_t*& piece, int& pieceLen);

private:
    const wchar_t* m_rest;
    int m_restLen;
};

// Appends one list entry: "|" and the entry.
void AppendHistoryEntry(CString& history, const wchar_t* entry, int entryLen);
