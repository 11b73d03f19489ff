// The framework's message boxes, captioned with the application's name.
#pragma once

#include "String.h"

// A message box with the text, captioned with the application's name and
// owned by the active window (else the main window).
int AfxMessageBox(const wchar_t* pszText, unsigned int nType);
// The same with string resource nIDPrompt.
int AfxMessageBox(unsigned int nIDPrompt, unsigned int nType);
