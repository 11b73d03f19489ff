#include "BrowserCommand.h"

#include <string.h>
#include <wchar.h>

namespace {

// Copies up to room characters of src to dst; returns how many.
inline int CopyPart(wchar_t* dst, int room, const wchar_t* src, int len)
{
    int n = len < room ? len : room;
    if (n > 0)
        memcpy(dst, src, (size_t)n * sizeof(wchar_t));
    return n > 0 ? n : 0;
}

} // namespace

int RegValueText(unsigned long type, const wchar_t* data, long cch, wchar_t* out)
{
    int n = 0;
    bool bText = type == REG_VALUE_SZ || type == REG_VALUE_EXPAND_SZ;
    // A value stored without its terminator fits only with room for one.
    if (bText && data && cch > 0 && cch <= REG_READ_SIZE && (data[cch - 1] == 0 || cch < REG_READ_SIZE)) {
        n = (int)wcsnlen(data, (size_t)cch);
        memmove(out, data, (size_t)n * sizeof(wchar_t));
    }
    out[n] = 0;
    return n;
}

int BuildBrowserCommand(const wchar_t* openCommand, const wchar_t* url, wchar_t* out, int outSize)
{
    if (!out || outSize <= 0)
        return 0;
    if (!openCommand)
        openCommand = L"";
    if (!url)
        url = L"";

    int cmdLen = (int)wcslen(openCommand);
    const wchar_t* cut = wcsstr(openCommand, L"\"%1\"");
    if (!cut)
        cut = wcsstr(openCommand, L"%1");
    if (cut)
        cmdLen = (int)(cut - openCommand);

    // The whole line is command, space, address, as much of it as the buffer
    // holds with its terminator; a surrogate pair stays whole.
    int n = CopyPart(out, outSize - 1, openCommand, cmdLen);
    n += CopyPart(out + n, outSize - 1 - n, L" ", 1);
    int nUrl = (int)wcslen(url);
    n += CopyPart(out + n, outSize - 1 - n, url, nUrl);
    if (n < cmdLen + 1 + nUrl && n > 0 && out[n - 1] >= 0xD800 && out[n - 1] <= 0xDBFF)
        n--;
    out[n] = 0;
    return n;
}
