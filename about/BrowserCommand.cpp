#include "BrowserCommand.h"
#include "../framework/RegistryText.h"

#include <string.h>

namespace {

// Copies up to room bytes of src to dst; returns how many.
inline int CopyPart(char* dst, int room, const char* src, int len)
{
    int n = len < room ? len : room;
    if (n > 0)
        memcpy(dst, src, (size_t)n);
    return n > 0 ? n : 0;
}

} // namespace

int RegValueText(unsigned long type, const char* data, long cb, char* out)
{
    int n = 0;
    bool bText = type == REG_VALUE_SZ || type == REG_VALUE_EXPAND_SZ;
    // A value stored without its terminator fits only with room for one.
    if (bText && data && cb > 0 && cb <= REG_READ_SIZE && (data[cb - 1] == 0 || cb < REG_READ_SIZE)) {
        n = (int)ProfileTextLength(type, data, (size_t)cb);
        memmove(out, data, (size_t)n);
    }
    out[n] = 0;
    return n;
}

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

    // The whole line is command, space, address. Copy as much of it as the
    // buffer holds including its last byte, one more than the text may use:
    // that byte tells whether the cut would split a double-byte character.
    int n = CopyPart(out, outSize, openCommand, cmdLen);
    n += CopyPart(out + n, outSize - n, " ", 1);
    n += CopyPart(out + n, outSize - n, url, (int)strlen(url));
    n = MbsSafeCut(out, n, outSize - 1, t);
    out[n] = 0;
    return n;
}
