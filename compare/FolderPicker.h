// The shell's folder browser, opened on a given folder.
#pragma once

#include "../framework/String.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// Lets the user pick a file-system folder. path holds, on entry, the folder
// to select first (whole, however long), and on success the chosen folder.
// pszTitle is the line shown above the tree, "Select Folder" when NULL.
// hOwner may be NULL: the browser then has no owner and the program's other
// windows stay usable; it is cancelled when the main window's dialog ends.
// Returns 0 when a folder was chosen while that dialog ran, 1 otherwise
// (path is then unchanged).
int BrowseForFolder(HWND hOwner, const wchar_t* pszTitle, CString& path);
