#include "FolderPicker.h"
#include "../framework/CodePage.h"
#include "../framework/WinApp.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

// The folder to select first, and whether the browser reported a selection
// while it was asked for one.
struct InitialSelection
{
    const WCHAR* pszPath;
    bool bSelected;
};

// How many times the browser is asked for the first selection.
const int kSelectionTries = 3;

// Called by the folder browser; once its window is ready, selects the folder
// whose path the InitialSelection that lpData points at holds. The browser
// matches the folder's item IDs, which carry the folders' times, against
// those of its tree, and the tree's first reading of a folder can change its
// access time under it: the first request then selects nothing. So the
// request is repeated, a few times at most, until the browser reports a
// selection. A path that names no folder selects nothing.
int CALLBACK InitialSelectionProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    InitialSelection* pSelection = (InitialSelection*)lpData;
    if (uMsg == BFFM_SELCHANGED && lParam) {
        pSelection->bSelected = true;
    } else if (uMsg == BFFM_INITIALIZED) {
        for (int i = 0; i < kSelectionTries; i++) {
            pSelection->bSelected = false;
            ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, (LPARAM)pSelection->pszPath);
            if (pSelection->bSelected)
                break;
        }
    }
    return 0;
}

} // namespace

int BrowseForFolder(HWND hOwner, const char* pszTitle, CString& path)
{
    CWideString initial(AfxWideFromAnsi(path));
    char szDisplayName[MAX_PATH] = "";

    BROWSEINFOA bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.hwndOwner = hOwner;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = pszTitle ? pszTitle : "Select Folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    InitialSelection selection = { initial, false };
    bi.lpfn = InitialSelectionProc;
    bi.lParam = (LPARAM)&selection;

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
