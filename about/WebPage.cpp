#include "WebPage.h"
#include "BrowserCommand.h"
#include "../framework/WinApp.h"

#include <string.h>

LONG ReadRegDefault(HKEY root, const char* subKey, char* out)
{
    HKEY hKey;
    LONG lResult = ::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;

    // Only a text value is taken, and only whole: a cut class name or
    // command would start the wrong thing.
    char buffer[REG_READ_SIZE];
    DWORD dwType = REG_NONE;
    LONG cb = sizeof(buffer);
    bool bText = ::RegQueryValueExA(hKey, NULL, NULL, &dwType, NULL, NULL) == ERROR_SUCCESS
                 && (dwType == REG_SZ || dwType == REG_EXPAND_SZ);
    if (!bText || ::RegQueryValueA(hKey, NULL, buffer, &cb) != ERROR_SUCCESS || cb <= 0)
        buffer[0] = 0;
    else if (buffer[cb - 1] != 0 && cb < (LONG)sizeof(buffer))
        buffer[cb] = 0;                 // stored without its terminator
    else if (buffer[cb - 1] != 0)
        buffer[0] = 0;                  // a full buffer without a terminator: too long
    ::RegCloseKey(hKey);

    memcpy(out, buffer, strlen(buffer) + 1);
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
