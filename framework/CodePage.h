// Texts between the ANSI code page the program works in and the UTF-16 the
// system hands out, so that a path always keeps naming the same item. Knows
// nothing of the application or its windows.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "String.h"
#include "WideString.h"

// The UTF-16 form of a text in the ANSI code page; NULL is taken as empty.
CWideString AfxWideFromAnsi(const char* pszAnsi);

// The ANSI form of w[0, n) when the code page holds it exactly: no
// look-alike ("best fit") character and no default character, so that it
// reads back as the same characters. False otherwise; out is then
// unchanged.
bool AfxExactAnsi(const WCHAR* w, int n, CString& out);

// The ANSI form of the item's short (8.3) name when that converts exactly
// (AfxExactAnsi), since it names the same item. False when the item has
// none, or the code page cannot hold it; path is then unchanged.
bool AfxShortAnsiPath(const WCHAR* pszWide, CString& path);

// The ANSI form of a path: exactly (AfxExactAnsi), else its short name
// (AfxShortAnsiPath). False when neither exists; path is then unchanged.
bool AfxAnsiPathFromWide(const WCHAR* pszWide, CString& path);
