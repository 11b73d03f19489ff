// Building a browser command line from a registered open command.
#pragma once

#include "../framework/Mbcs.h"

enum { BROWSER_COMMAND_SIZE = 520 };

// The buffer a registry text is read into, terminator included.
enum { REG_READ_SIZE = 260 };

// The registry's numbers for its two text types (REG_SZ, REG_EXPAND_SZ).
enum { REG_VALUE_SZ = 1, REG_VALUE_EXPAND_SZ = 2 };

// The text of a registry value as read into a REG_READ_SIZE buffer: type is
// its type (0 when there is no value), data[0, cb) the bytes read (cb 0 when
// they could not be read). Only a text value is taken, and only whole: a cut
// class name or command would start the wrong thing. out (REG_READ_SIZE
// bytes; it may be data) gets the text up to its first zero byte, or, for a
// value that is not text or is too long for the buffer, empty text. Returns
// the length of out's text.
int RegValueText(unsigned long type, const char* data, long cb, char* out);

// The open command is cut at "\"%1\"" if it holds one, else at "%1" if it
// holds one (both searched on character boundaries); then a space and url
// are appended. The result always fits out[0, outSize) and is terminated:
// when the whole line does not fit, out holds its longest beginning that
// ends on a character boundary. Returns the length of out's text.
int BuildBrowserCommand(const char* openCommand, const char* url,
                        char* out, int outSize, const LeadByteTable& t);
