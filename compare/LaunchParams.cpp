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

// How a tool takes the two paths and the subdirectory choice.
enum ToolForm
{
    kWinDiffForm,    // "a" "b" and -D without subdirectories
    kWinMergeForm,   // /r "a" "b" with subdirectories, "a" "b" without
    kPathsOnlyForm,  // "a" "b": the tool's documentation names no option for subfolders
};

// The tools known by the file name of their executable. Where each form
// comes from:
// - WinMerge: its manual, "Command line" (https://manual.winmerge.org/en/Command_line.html):
//   "/r" compares all files in all subfolders; without it only the top level
//   of the two folders is compared. The synopsis puts options before the paths.
//   Since 2.16.32 WinMerge follows its own "Include subfolders" setting when
//   neither "/r" nor "/r-" is given, and "/r-" compares the top level only;
//   earlier releases reject "/r-" as an unknown option.
// - KDiff3: its handbook, "Command-Line Options"
//   (https://docs.kde.org/stable5/en/kdiff3/kdiff3/commandline.html): two
//   paths compare two folders; subfolders are the "Recursive folders" setting
//   of its Folder Merge options, which no command-line option names.
// - Meld: its manual page meld(1)
//   (https://manpages.ubuntu.com/manpages/noble/man1/meld.1.html): "meld
//   DIR1 DIR2" compares folders recursively; no option leaves subfolders out.
// - Beyond Compare: its "Command Line Reference"
//   (https://www.scootersoftware.com/v4help/command_line_reference.html): a
//   pair of folders opens a Folder Compare; no switch includes or leaves out
//   subfolders. BComp.exe takes the same parameters as BCompare.exe.
const struct
{
    const char* name;
    ToolForm form;
} kKnownTools[] = {
    { "windiff.exe", kWinDiffForm },    { "WinMergeU.exe", kWinMergeForm }, { "WinMerge.exe", kWinMergeForm },
    { "kdiff3.exe", kPathsOnlyForm },   { "Meld.exe", kPathsOnlyForm },     { "BCompare.exe", kPathsOnlyForm },
    { "BComp.exe", kPathsOnlyForm },
};

// Whether name[0, len) is known, ignoring the case of ASCII letters (a
// double-byte character matches no known name).
bool SameName(const char* name, int len, const char* known)
{
    if ((int)strlen(known) != len)
        return false;
    for (int i = 0; i < len; i++) {
        unsigned char a = (unsigned char)name[i], b = (unsigned char)known[i];
        if (a >= 'A' && a <= 'Z')
            a = (unsigned char)(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = (unsigned char)(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

ToolForm FormOfTool(const char* toolPath, const LeadByteTable& t)
{
    if (!toolPath)
        return kWinDiffForm;
    int len = (int)strlen(toolPath), start = 0;
    const char separators[] = { '\\', '/', ':' };
    for (char separator : separators) {
        int at = MbsFindLast(toolPath, len, separator, t);
        if (at + 1 > start)
            start = at + 1;
    }
    for (const auto& tool : kKnownTools) {
        if (SameName(toolPath + start, len - start, tool.name))
            return tool.form;
    }
    return kWinDiffForm;
}

// The first WinMerge that takes "/r-".
const ToolVersion kWinMergeNoSubfolders = MakeToolVersion(2, 16, 32, 0);

} // namespace

bool ToolWantsVersion(const char* toolPath, const LeadByteTable& t)
{
    return FormOfTool(toolPath, t) == kWinMergeForm;
}

CString BuildToolParameters(const char* toolPath, const char* dir1, const char* dir2, bool bSubDir,
                            const LeadByteTable& t, ToolVersion version)
{
    ToolForm form = FormOfTool(toolPath, t);
    if (form == kWinDiffForm)
        return BuildCompareParameters(dir1, dir2, bSubDir, t);
    CString params;
    if (form == kWinMergeForm && bSubDir)
        params += "/r ";
    else if (form == kWinMergeForm && version >= kWinMergeNoSubfolders)
        params += "/r- ";
    AppendQuoted(params, dir1, t);
    params += ' ';
    AppendQuoted(params, dir2, t);
    return params;
}

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
