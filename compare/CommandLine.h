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
// The arguments after it are paths: one that is empty or only blanks names
// nothing (a batch file's "%~2" given no second argument) and is left out,
// and a run of backslashes at the end of one is one, since callers that
// quote by the C runtime's rules write the folder C:\a b\ as "C:\a b\\".
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

// The next path of text[*pPos, len), as NextArgument reads it, with the
// arguments that are empty or only blanks left out and a run of backslashes
// at its end made one (a drive root keeps its own: D:\); -1 when no path
// is left.
template <class Ch>
int NextPath(const Ch* text, int len, int* pPos, Ch* out)
{
    for (int n; (n = NextArgument(text, len, pPos, out)) >= 0;) {
        while (n >= 2 && out[n - 1] == Ch('\\') && out[n - 2] == Ch('\\'))
            n--;
        for (int i = 0; i < n; i++)
            if (!IsCommandLineBlank(out[i]))
                return n;
    }
    return -1;
}
