#include "FolderPicker.h"
#include "../framework/WinApp.h"

#include <objbase.h>
#include <shlobj.h>
#include <string.h>

namespace {

// Called by the folder browser; once its window is ready, selects the folder
// whose path lpData points at. A path that names no folder selects nothing.
int CALLBACK InitialSelectionProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    (void)lParam;
    if (uMsg == BFFM_INITIALIZED)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, lpData);
    return 0;
}

} // namespace

int BrowseForFolder(HWND hOwner, const char* pszTitle, char* pszPath)
{
    // The browser's name buffer starts out as the initial path; it is also
    // what the selection callback reads.
    char szDisplayName[MAX_PATH];
    MbsCopyCut(szDisplayName, sizeof(szDisplayName), pszPath, AfxAnsiLeadBytes());

    BROWSEINFOA bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.hwndOwner = hOwner;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = pszTitle ? pszTitle : "Select Folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    bi.lpfn = InitialSelectionProc;
    bi.lParam = (LPARAM)szDisplayName;

    // The shell wants COM in the calling thread; leave it as it was found.
    HRESULT hrCom = ::CoInitialize(NULL);
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
    int nResult = 1;
    if (pidl) {
        // The shell writes at most MAX_PATH bytes, and a path too long for
        // them comes back cut and unterminated: take it only when a
        // terminator was written.
        char szChosen[MAX_PATH];
        memset(szChosen, 1, sizeof(szChosen));
        if (::SHGetPathFromIDListA(pidl, szChosen) && memchr(szChosen, 0, sizeof(szChosen))) {
            MbsCopyCut(pszPath, MAX_PATH, szChosen, AfxAnsiLeadBytes());
            nResult = 0;
        }
        ::CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    return nResult;
}
