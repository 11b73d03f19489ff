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
