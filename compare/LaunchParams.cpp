#include "LaunchParams.h"

#include <wchar.h>

namespace {

// Appends "\"path\"", doubling the backslashes that end the path.
void AppendQuoted(CString& out, const wchar_t* path)
{
    int len = path ? (int)wcslen(path) : 0;
    out += L'"';
    out.Append(path, len);
    // The run of backslashes that ends the path.
    int run = len;
    while (run > 0 && path[run - 1] == L'\\')
        run--;
    out.Append(path + run, len - run);
    out += L'"';
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
    const wchar_t* name;
    ToolForm form;
} kKnownTools[] = {
    { L"windiff.exe", kWinDiffForm },  { L"WinMergeU.exe", kWinMergeForm }, { L"WinMerge.exe", kWinMergeForm },
    { L"kdiff3.exe", kPathsOnlyForm }, { L"Meld.exe", kPathsOnlyForm },     { L"BCompare.exe", kPathsOnlyForm },
    { L"BComp.exe", kPathsOnlyForm },
};

// Whether name[0, len) is known, ignoring the case of ASCII letters.
bool SameName(const wchar_t* name, int len, const wchar_t* known)
{
    if ((int)wcslen(known) != len)
        return false;
    for (int i = 0; i < len; i++) {
        wchar_t a = name[i], b = known[i];
        if (a >= L'A' && a <= L'Z')
            a = (wchar_t)(a - L'A' + L'a');
        if (b >= L'A' && b <= L'Z')
            b = (wchar_t)(b - L'A' + L'a');
        if (a != b)
            return false;
    }
    return true;
}

ToolForm FormOfTool(const wchar_t* toolPath)
{
    if (!toolPath)
        return kWinDiffForm;
    int len = (int)wcslen(toolPath), start = 0;
    for (int i = 0; i < len; i++)
        if (toolPath[i] == L'\\' || toolPath[i] == L'/' || toolPath[i] == L':')
            start = i + 1;
    for (const auto& tool : kKnownTools) {
        if (SameName(toolPath + start, len - start, tool.name))
            return tool.form;
    }
    return kWinDiffForm;
}

// The first WinMerge that takes "/r-".
const ToolVersion kWinMergeNoSubfolders = MakeToolVersion(2, 16, 32, 0);

} // namespace

bool ToolWantsVersion(const wchar_t* toolPath)
{
    return FormOfTool(toolPath) == kWinMergeForm;
}

bool ToolReadsUnicode(const wchar_t* toolPath)
{
    return FormOfTool(toolPath) != kWinDiffForm;
}

CString BuildToolParameters(const wchar_t* toolPath, const wchar_t* dir1, const wchar_t* dir2, bool bSubDir,
                            ToolVersion version)
{
    ToolForm form = FormOfTool(toolPath);
    if (form == kWinDiffForm)
        return BuildCompareParameters(dir1, dir2, bSubDir);
    CString params;
    if (form == kWinMergeForm && bSubDir)
        params += L"/r ";
    else if (form == kWinMergeForm && version >= kWinMergeNoSubfolders)
        params += L"/r- ";
    AppendQuoted(params, dir1);
    params += L' ';
    AppendQuoted(params, dir2);
    return params;
}

CString BuildCompareParameters(const wchar_t* dir1, const wchar_t* dir2, bool bSubDir)
{
    CString params;
    AppendQuoted(params, dir1);
    params += L' ';
    AppendQuoted(params, dir2);
    params += L' ';
    if (!bSubDir)
        params += L"-D";
    return params;
}
