// A path as it is written in a path field or the tool path edit.
#pragma once

// The shell's "Copy as path" puts a path between double quotes, which no
// path can contain. A text that begins and ends with a double quote and
// holds no other one is therefore the path inside the quotes; any other
// text is the path as it stands. Gives the path's place in text[0, len).
template <class Ch>
void PathInText(const Ch* text, int len, int* pFirst, int* pCount)
{
    *pFirst = 0;
    *pCount = len;
    if (len < 2 || text[0] != Ch('"') || text[len - 1] != Ch('"'))
        return;
    for (int i = 1; i < len - 1; i++) {
        if (text[i] == Ch('"'))
            return;
    }
    *pFirst = 1;
    *pCount = len - 2;
}

// Whether an edit of a field added text at its end and nothing else: before
// the edit the selection [nSelStart, nSelEnd) of before[0, nBefore) (the
// caret, when empty) reached the end of the text, and the text now is what
// stood before that selection followed by more. A removal, however it was
// made, and any change inside the text add nothing at the end.
template <class Ch>
bool AddsOnlyAtEnd(const Ch* before, int nBefore, int nSelStart, int nSelEnd, const Ch* now, int nNow)
{
    if (nSelStart < 0 || nSelStart > nSelEnd || nSelEnd != nBefore || nNow <= nSelStart)
        return false;
    for (int i = 0; i < nSelStart; i++) {
        if (now[i] != before[i])
            return false;
    }
    return true;
}
