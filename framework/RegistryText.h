// How the program reads a registry value as text: the profile and the tool's
// registered paths take the same rule. A string value (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) is UTF-16 and is read as such; the bytes of
// any other type are text in the code page, as the system's ANSI functions
// hand them out, so that old and foreign values read as they always did.
// Free of <windows.h>, so that the rule can be tested natively.
#pragma once

#include <stddef.h>

// Whether a value of size bytes is read at all. A bigger one reads as
// missing, so that the caller's default applies: its text and a terminator
// must fit a CString.
bool ProfileValueReadable(size_t size);

// How many of the bytes of a value that is no string value are its text:
// the bytes before the first zero byte, or all of them when it has none.
size_t ProfileTextLength(unsigned long type, const char* data, size_t size);
