#include "WebPage.h"

int OpenWebPage(const char* url, int nShowCmd)
{
    (void)url;
    (void)nShowCmd;
    return 0;
}

LONG ReadRegDefault(HKEY root, const char* subKey, char* out)
{
    (void)root;
    (void)subKey;
    out[0] = 0;
    return ERROR_FILE_NOT_FOUND;
}
