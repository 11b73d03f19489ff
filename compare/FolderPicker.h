// The shell's folder browser, opened on a given folder.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// Lets the user pick a file-system folder. pszPath is a buffer of at least
// MAX_PATH bytes: on entry the folder to select first (cut safely to fit the
// browser's 260-byte name buffer), on success the chosen folder. pszTitle is
// the line shown above the tree, "Select Folder" when NULL. hOwner may be
// NULL: the browser then has no owner and the program's other windows stay
// usable. Returns 0 when a folder was chosen, 1 otherwise (pszPath is then
// unchanged).
int BrowseForFolder(HWND hOwner, const char* pszTitle, char* pszPath);
