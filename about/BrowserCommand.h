// Building a browser command line from a registered open command.
#pragma once

#include "../framework/Mbcs.h"

enum { BROWSER_COMMAND_SIZE = 520 };

// The open command is cut at "\"%1\"" if it holds one, else at "%1" if it
// holds one (both searched on character boundaries); then a space and url
// are appended. The result always fits out[0, outSize) and is terminated;
// what does not fit is cut on a character boundary. Returns its length.
int BuildBrowserCommand(const char* openCommand, const char* url,
                        char* out, int outSize, const LeadByteTable& t);
