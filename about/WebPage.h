// Opening a web address in the user's browser.
#pragma once

#include "../framework/Wnd.h"
#include "BrowserCommand.h"

// Opens url through the shell; failing that, through the command registered
// for ".htm" files. Returns the shell's result when it was over 32, else the
// fallback's result, or the shell's when the fallback cannot be prepared.
int OpenWebPage(const wchar_t* url, int nShowCmd);

// Reads the default value of root\subKey as text into out (REG_READ_SIZE
// characters, always terminated; out may be subKey itself). 0 on success, else the
// error of opening the key, and out is untouched. A default value that is
// missing, not text, or too long for the buffer reads as empty text.
LONG ReadRegDefault(HKEY root, const wchar_t* subKey, wchar_t* out);
