#include "WebPage.h"
#include "BrowserCommand.h"
#include "../framework/WinApp.h"

#include <string.h>

static_assert(REG_VALUE_SZ == REG_SZ && REG_VALUE_EXPAND_SZ == REG_EXPAND_SZ, "the registry's text types");

LONG ReadRegDefault(HKEY root, const char* subKey, char* out)
{
    HKEY hKey;
    LONG lResult = ::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;

    char buffer[REG_READ_SIZE];
    DWORD dwType = REG_NONE;
    LONG cb = 0;
    if (::RegQueryValueExA(hKey, NULL, NULL, &dwType, NULL, NULL) != ERROR_SUCCESS) {
        dwType = REG_NONE;
    } else {
        cb = sizeof(buffer);
        if (::RegQueryValueA(hKey, NULL, buffer, &cb) != ERROR_SUCCESS)
            cb = 0;
    }
    ::RegCloseKey(hKey);

    RegValueText(dwType, buffer, cb, out);
    return ERROR_SUCCESS;
}

int OpenWebPage(const char* url, int nShowCmd)
{
    int nResult = (int)(INT_PTR)::ShellExecuteA(NULL, "open", url, NULL, NULL, nShowCmd);
    if (nResult > 32)
        return nResult;

    // The browser's own command line, from the ".htm" file class. The key
    // name fits: a class name of at most 259 bytes and the suffix.
    char buffer[BROWSER_COMMAND_SIZE];
    if (ReadRegDefault(HKEY_CLASSES_ROOT, ".htm", buffer) != ERROR_SUCCESS)
        return nResult;
    strcat(buffer, "\\shell\\open\\command");
    char openCommand[REG_READ_SIZE];
    if (ReadRegDefault(HKEY_CLASSES_ROOT, buffer, openCommand) != ERROR_SUCCESS)
        return nResult;

    // The command is cut at its "%1", and a space and the address follow; an
    // address too long for the buffer is cut on a character boundary.
    BuildBrowserCommand(openCommand, url, buffer, sizeof(buffer), AfxAnsiLeadBytes());
    return (int)::WinExec(buffer, (UINT)nShowCmd);
}
