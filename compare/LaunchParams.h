// The parameter text handed to the comparison tool.
#pragma once

#include "../framework/Mbcs.h"

// "\"dir1\" \"dir2\" " followed by "-D" when subdirectories are not wanted,
// as the format "\"%s\" \"%s\" %s" would give it, for texts of any length;
// except that a run of backslashes that ends a path is doubled before its
// closing quote, so that a tool splitting its command line by the C
// runtime's rules receives the path itself ("C:\" arrives as C:\, not as
// C:"). A 0x5C that is the second byte of a double-byte character is no
// backslash.
CString BuildCompareParameters(const char* dir1, const char* dir2, bool bSubDir, const LeadByteTable& t);
