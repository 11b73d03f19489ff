// The parameter text handed to the comparison tool.
#pragma once

#include "../framework/String.h"

// "\"dir1\" \"dir2\" " followed by "-D" when subdirectories are not wanted,
// as the format "\"%s\" \"%s\" %s" would give it, for texts of any length.
CString BuildCompareParameters(const char* dir1, const char* dir2, bool bSubDir);
