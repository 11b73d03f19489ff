#include "BrowserCommand.h"

#include <string.h>

int BuildBrowserCommand(const char* openCommand, const char* url,
                        char* out, int outSize, const LeadByteTable& t)
{
    if (!out || outSize <= 0)
        return 0;
    if (!openCommand)
        openCommand = "";
    if (!url)
        url = "";

    int cmdLen = (int)strlen(openCommand);
    int cut = MbsFindStr(openCommand, cmdLen, "\"%1\"", 4, t);
    if (cut < 0)
        cut = MbsFindStr(openCommand, cmdLen, "%1", 2, t);
    if (cut >= 0)
        cmdLen = cut;

    int room = outSize - 1;
    int n = MbsSafeCut(openCommand, cmdLen, room, t);
    memcpy(out, openCommand, (size_t)n);
    if (n < room) {
        out[n++] = ' ';
        int urlLen = MbsSafeCut(url, (int)strlen(url), room - n, t);
        memcpy(out + n, url, (size_t)urlLen);
        n += urlLen;
    }
    out[n] = 0;
    return n;
}
