// Building a browser command line from a registered open command.
#pragma once

enum { BROWSER_COMMAND_SIZE = 520 };

// The buffer a registry text is read into, in characters, terminator included.
enum { REG_READ_SIZE = 260 };

// The registry's numbers for its two text types (REG_SZ, REG_EXPAND_SZ).
enum { REG_VALUE_SZ = 1, REG_VALUE_EXPAND_SZ = 2 };

// The text of a registry value as read into a REG_READ_SIZE buffer: type is
// its type (0 when there is no value), data[0, n) the characters read (n 0
// when they could not be read). Only a text value is taken, and only whole: a
// cut class name or command would start the wrong thing. out (REG_READ_SIZE
// characters; it may be data) gets the text up to its first zero, or, for a
// value that is not text or is too long for the buffer, empty text. Returns
// the length of out's text.
int RegValueText(unsigned long type, const wchar_t* data, long n, wchar_t* out);

// The open command is cut at "\"%1\"" if it holds one, else at "%1" if it
// holds one; then a space and url are appended. The result always fits
// out[0, outSize) and is terminated: when the whole line does not fit, out
// holds its longest beginning that does not split a surrogate pair. Returns
// the length of out's text.
int BuildBrowserCommand(const wchar_t* openCommand, const wchar_t* url, wchar_t* out, int outSize);
