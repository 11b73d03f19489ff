#include "LaunchParams.h"

#include <string.h>

namespace {

// Appends "\"path\"", doubling the backslashes that end the path.
void AppendQuoted(CString& out, const char* path, const LeadByteTable& t)
{
    int len = path ? (int)strlen(path) : 0;
    out += '"';
    out.Append(path, len);
    // Where the run of backslashes that ends the path starts, walking by
    // characters: a 0x5C trail byte belongs to its double-byte character.
    int run = -1;
    for (int i = 0; i < len;) {
        int n = t.IsLead((unsigned char)path[i]) && i + 1 < len ? 2 : 1;
        if (n == 1 && path[i] == '\\') {
            if (run < 0)
                run = i;
        } else {
            run = -1;
        }
        i += n;
    }
    if (run >= 0)
        out.Append(path + run, len - run);
    out += '"';
}

} // namespace

CString BuildCompareParameters(const char* dir1, const char* dir2, bool bSubDir, const LeadByteTable& t)
{
    CString params;
    AppendQuoted(params, dir1, t);
    params += ' ';
    AppendQuoted(params, dir2, t);
    params += ' ';
    if (!bSubDir)
        params += "-D";
    return params;
}
