#include "WebPage.h"
#include "BrowserCommand.h"
#include "../framework/WinApp.h"

#include <wchar.h>

static_assert(REG_VALUE_SZ == REG_SZ && REG_VALUE_EXPAND_SZ == REG_EXPAND_SZ, "the registry's text types");

LONG ReadRegDefault(HKEY root, const wchar_t* subKey, wchar_t* out)
{
    HKEY hKey;
    LONG lResult = ::RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;

    WCHAR buffer[REG_READ_SIZE];
    DWORD dwType = REG_NONE;
    DWORD cb = sizeof(buffer);
    if (::RegQueryValueExW(hKey, NULL, NULL, &dwType, (LPBYTE)buffer, &cb) != ERROR_SUCCESS)
        cb = 0;
    ::RegCloseKey(hKey);

    RegValueText(dwType, buffer, (long)(cb / sizeof(WCHAR)), out);
    return ERROR_SUCCESS;
}

int OpenWebPage(const wchar_t* url, int nShowCmd)
{
    int nResult = (int)(INT_PTR)::ShellExecuteW(NULL, L"open", url, NULL, NULL, nShowCmd);
    if (nResult > 32)
        return nResult;

    // The browser's own command line, from the ".htm" file class. The key
    // name fits: a class name of at most 259 characters and the suffix.
    WCHAR buffer[BROWSER_COMMAND_SIZE];
    if (ReadRegDefault(HKEY_CLASSES_ROOT, L".htm", buffer) != ERROR_SUCCESS)
        return nResult;
    wcscat(buffer, L"\\shell\\open\\command");
    WCHAR openCommand[REG_READ_SIZE];
    if (ReadRegDefault(HKEY_CLASSES_ROOT, buffer, openCommand) != ERROR_SUCCESS)
        return nResult;

    // The command is cut at its "%1", and a space and the address follow; an
    // address too long for the buffer is cut.
    BuildBrowserCommand(openCommand, url, buffer, BROWSER_COMMAND_SIZE);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = (WORD)nShowCmd;
    PROCESS_INFORMATION pi;
    if (!::CreateProcessW(NULL, buffer, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return 0;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return 33;
}
