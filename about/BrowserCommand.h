// Building a browser command line from a registered open command.
#pragma once

#include "../framework/Mbcs.h"

enum { BROWSER_COMMAND_SIZE = 520 };

// The open command is cut at "\"%1\"" if it holds one, else at "%1" if it
// holds one (both searched on character boundaries); then a space and url
// are appended. The result always fits out[0, outSize) and is terminated:
// when the whole line does not fit, out holds its longest beginning that
// ends on a character boundary. Returns the length of out's text.
int BuildBrowserCommand(const char* openCommand, const char* url,
                        char* out, int outSize, const LeadByteTable& t);
