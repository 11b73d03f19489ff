// The framework's message boxes: UTF-16 texts, captioned with the
// application's name.
#pragma once

#include "WideString.h"

// A message box with the text, captioned with the application's name and
// owned by the active window (else the main window).
int AfxMessageBox(const wchar_t* pszText, unsigned int nType);
// The same with string resource nIDPrompt.
int AfxMessageBox(unsigned int nIDPrompt, unsigned int nType);
// Tells the user that an item cannot be used because the code page cannot
// hold its name: its name in a box with an exclamation icon.
void AfxReportUnusablePath(const wchar_t* pszWide);
