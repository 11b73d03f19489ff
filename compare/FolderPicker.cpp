#include "FolderPicker.h"
#include "../framework/CodePage.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

// Called by the folder browser; once its window is ready, selects the folder
// whose path lpData points at (UTF-16). A path that names no folder selects
// nothing.
int CALLBACK InitialSelectionProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    (void)lParam;
    if (uMsg == BFFM_INITIALIZED)
        ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, lpData);
    return 0;
}

} // namespace

int BrowseForFolder(HWND hOwner, const char* pszTitle, CString& path)
{
    CWideString initial(path);
    char szDisplayName[MAX_PATH] = "";

    BROWSEINFOA bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.hwndOwner = hOwner;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = pszTitle ? pszTitle : "Select Folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    bi.lpfn = InitialSelectionProc;
    bi.lParam = (LPARAM)(const WCHAR*)initial;

    // The shell wants COM in the calling thread; leave it as it was found.
    HRESULT hrCom = ::CoInitialize(NULL);
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
    int nResult = 1;
    if (pidl) {
        // The folder's path as the shell has it; the ANSI form only when it
        // names the same folder.
        WCHAR szChosen[MAX_PATH];
        szChosen[0] = 0;
        if (::SHGetPathFromIDListW(pidl, szChosen)) {
            szChosen[MAX_PATH - 1] = 0;
            if (AfxAnsiPathFromWide(szChosen, path))
                nResult = 0;
            else
                AfxReportUnusablePath(szChosen);
        }
        ::CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    return nResult;
}
