// The parameter text handed to the comparison tool.
#pragma once

#include "../framework/Mbcs.h"

// "\"dir1\" \"dir2\" " followed by "-D" when subdirectories are not wanted,
// as the format "\"%s\" \"%s\" %s" would give it, for texts of any length;
// except that a run of backslashes that ends a path is doubled before its
// closing quote, so that a tool splitting its command line by the C
// runtime's rules receives the path itself ("C:\" arrives as C:\, not as
// C:"). A 0x5C that is the second byte of a double-byte character is no
// backslash. This is WinDiff's form.
CString BuildCompareParameters(const char* dir1, const char* dir2, bool bSubDir, const LeadByteTable& t);

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
CString BuildToolParameters(const char* toolPath, const char* dir1, const char* dir2, bool bSubDir,
                            const LeadByteTable& t, ToolVersion version = 0);

// Whether the parameter text for this tool depends on its version, which
// is then worth reading from its executable.
bool ToolWantsVersion(const char* toolPath, const LeadByteTable& t);
