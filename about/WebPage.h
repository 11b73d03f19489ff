// Opening a web address in the user's browser.
#pragma once

#include "../framework/Wnd.h"

// Opens url through the shell; failing that, through the command registered
// for ".htm" files. Returns the shell's result when it was over 32, else the
// fallback's result, or the shell's when the fallback cannot be prepared.
int OpenWebPage(const char* url, int nShowCmd);

// Reads the default value of root\subKey as text into out (260 bytes, always
// terminated). 0 on success, else the error of opening the key.
LONG ReadRegDefault(HKEY root, const char* subKey, char* out);
