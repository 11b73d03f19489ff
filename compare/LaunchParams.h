// The parameter text handed to the comparison tool.
#pragma once

#include "../framework/String.h"

// "\"dir1\" \"dir2\" " followed by "-D" when subdirectories are not wanted,
// as the format "\"%s\" \"%s\" %s" would give it, for texts of any length;
// except that a run of backslashes that ends a path is doubled before its
// closing quote, so that a tool splitting its command line by the C
// runtime's rules receives the path itself ("C:\" arrives as C:\, not as
// C:"). This is WinDiff's form.
CString BuildCompareParameters(const wchar_t* dir1, const wchar_t* dir2, bool bSubDir);

// A tool's version as its executable's version resource gives it, the four
// parts of the file version from the most significant (2.16.50.0 is
// MakeToolVersion(2, 16, 50, 0)); 0 when it has none.
typedef unsigned long long ToolVersion;
inline ToolVersion MakeToolVersion(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return (ToolVersion)(a & 0xFFFF) << 48 | (ToolVersion)(b & 0xFFFF) << 32 | (ToolVersion)(c & 0xFFFF) << 16
           | (d & 0xFFFF);
}

// The parameter text for the tool that toolPath names, chosen by the file
// name of its executable (any case, in any folder): WinMerge, KDiff3, Meld
// and Beyond Compare get the two paths, quoted as above, with only the
// options their own documentation names; WinDiff and every other program
// (a wrapper script included) get WinDiff's form. Only WinMerge's text
// depends on its version (ToolWantsVersion).
CString BuildToolParameters(const wchar_t* toolPath, const wchar_t* dir1, const wchar_t* dir2, bool bSubDir,
                            ToolVersion version = 0);

// Whether the parameter text for this tool depends on its version, which
// is then worth reading from its executable.
bool ToolWantsVersion(const wchar_t* toolPath);

// Whether the tool is one of those known to read its command line in
// Unicode (WinMerge, KDiff3, Meld, Beyond Compare); WinDiff and unknown
// programs may read it in the code page.
bool ToolReadsUnicode(const wchar_t* toolPath);
