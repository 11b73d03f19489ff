// How the program reads a registry value as text: the profile, the tool's
// registered path and the browser's association all take the same bytes.
// Free of <windows.h>, so that the rule can be tested natively.
#pragma once

#include <stddef.h>

// Whether a value of size bytes is read at all. A bigger one reads as
// missing, so that the caller's default applies: the text and its
// terminator must fit a CString.
bool ProfileValueReadable(size_t size);

// How many of a value's bytes are its text, whatever its registry type: the
// bytes before the first zero byte, or all of them when it has none.
size_t ProfileTextLength(unsigned long type, const char* data, size_t size);
