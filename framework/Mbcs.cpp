#include "Mbcs.h"

#include <string.h>

namespace {

// The length of the character at s[i]: 2 for a lead byte with a byte after
// it, else 1.
inline int CharLen(const char* s, int len, int i, const LeadByteTable& t)
{
    return (t.IsLead((unsigned char)s[i]) && i + 1 < len) ? 2 : 1;
}

} // namespace

void LeadBytesFromRanges(LeadByteTable& t, const unsigned char* ranges, int count)
{
    memset(t.lead, 0, sizeof(t.lead));
    for (int i = 0; i + 1 < count && (ranges[i] || ranges[i + 1]); i += 2)
        for (int b = ranges[i]; b <= ranges[i + 1]; b++)
            t.lead[b] = true;
}

int MbsFind(const char* s, int len, char ch, const LeadByteTable& t)
{
    // The history text is split with this: keep the loop tight.
    int i = 0;
    while (i < len) {
        unsigned char c = (unsigned char)s[i];
        if (t.lead[c] && i + 1 < len) {
            i += 2;
            continue;
        }
        if (c == (unsigned char)ch)
            return i;
        i++;
    }
    return -1;
}

int MbsFindLast(const char* s, int len, char ch, const LeadByteTable& t)
{
    int found = -1;
    for (int i = 0; i < len; i += CharLen(s, len, i, t))
        if (s[i] == ch && CharLen(s, len, i, t) == 1)
            found = i;
    return found;
}

int MbsFindStr(const char* s, int len, const char* sub, int subLen, const LeadByteTable& t)
{
    if (subLen <= 0)
        return 0;
    for (int i = 0; i + subLen <= len; i += CharLen(s, len, i, t)) {
        if (memcmp(s + i, sub, (size_t)subLen) != 0)
            continue;
        // The match must end on a character boundary too, or it would take
        // the first half of a double-byte character for a match.
        int end = i;
        while (end < i + subLen)
            end += CharLen(s, len, end, t);
        if (end == i + subLen)
            return i;
    }
    return -1;
}

void MbsReplaceChar(char* s, int len, char from, char to, const LeadByteTable& t)
{
    // The walk steps by the text as it was: the replacement may be a lead byte.
    for (int i = 0, n; i < len; i += n) {
        n = CharLen(s, len, i, t);
        if (n == 1 && s[i] == from)
            s[i] = to;
    }
}

int MbsSafeCut(const char* s, int len, int maxBytes, const LeadByteTable& t)
{
    if (maxBytes <= 0 || len <= 0)
        return 0;
    if (len <= maxBytes)
        return len;
    int i = 0;
    while (i < len) {
        int n = CharLen(s, len, i, t);
        if (i + n > maxBytes)
            break;
        i += n;
    }
    return i;
}

CString AppNameFromModulePath(const char* path, const LeadByteTable& t)
{
    if (!path)
        return CString();
    int len = (int)strlen(path);
    int start = 0;
    for (int i = 0; i < len; i += CharLen(path, len, i, t)) {
        char c = path[i];
        if (CharLen(path, len, i, t) == 1 && (c == '\\' || c == '/' || c == ':'))
            start = i + 1;
    }
    int dot = MbsFindLast(path + start, len - start, '.', t);
    int end = dot >= 0 ? start + dot : len;
    return CString(path + start, end - start);
}
