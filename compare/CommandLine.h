// The paths Pelorin is started with, read from its command line as the shell
// and terminals write it.
//
// The rule: blanks (spaces and tabs) outside double quotes separate the
// arguments; a double quote opens or closes a quoted part and is never part
// of an argument, since no path can hold one; a backslash is always itself.
// The shell quotes every path it passes, so a drive root arrives as "D:\":
// read by the C runtime's rules, where a backslash before a double quote
// makes the quote a character, "D:\" "E:\x" would be one argument,
// D:" E:\x. Read by this rule it is D:\ and E:\x. Where no backslash stands
// before a double quote the two rules agree. The program's own name, first
// on the line, is read by the same rule (the C runtime reads it so too).
#pragma once

template <class Ch>
inline bool IsCommandLineBlank(Ch c)
{
    return c == Ch(' ') || c == Ch('\t');
}

// The next argument of text[*pPos, len): its characters go to out, which
// has room for len - *pPos of them; gives their count, or -1 when only
// blanks are left. *pPos moves past the argument. An argument may be empty
// (""), and is still an argument.
template <class Ch>
int NextArgument(const Ch* text, int len, int* pPos, Ch* out)
{
    int i = *pPos;
    while (i < len && IsCommandLineBlank(text[i]))
        i++;
    if (i >= len) {
        *pPos = len;
        return -1;
    }
    int n = 0;
    bool quoted = false;
    for (; i < len && (quoted || !IsCommandLineBlank(text[i])); i++) {
        if (text[i] == Ch('"'))
            quoted = !quoted;
        else
            out[n++] = text[i];
    }
    *pPos = i;
    return n;
}

// A path that names its drive or its server ("X:\", "X:/", "\\", "//") is
// full; any other one is taken in the folder Pelorin was started in.
template <class Ch>
bool IsFullPath(const Ch* p, int len)
{
    if (len >= 2 && (p[0] == Ch('\\') || p[0] == Ch('/')) && (p[1] == Ch('\\') || p[1] == Ch('/')))
        return true;
    return len >= 3 && ((p[0] >= Ch('A') && p[0] <= Ch('Z')) || (p[0] >= Ch('a') && p[0] <= Ch('z')))
           && p[1] == Ch(':') && (p[2] == Ch('\\') || p[2] == Ch('/'));
}
