#include "FolderPicker.h"
#include "../framework/Dialog.h"
#include "../framework/WinApp.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

// The folder to select first, whether the browser reported a selection of
// that folder while it was asked for it, and the filter that serves it.
struct InitialSelection
{
    const WCHAR* pszFolder;   // as FolderToSelect gives it
    bool bFolder;             // it names an existing folder
    bool bSelected;
    CDialogLoopFilter* pBeside;
};

// How many times the browser is asked for the first selection at most.
const int kSelectionTries = 5;

// Ends the path at its last character that is not a backslash; a drive's
// root ("C:\") keeps its own.
void TrimBackslashes(WCHAR* p)
{
    int n = lstrlenW(p);
    while (n > 0 && p[n - 1] == L'\\' && !(n == 3 && p[1] == L':'))
        p[--n] = 0;
}

// The folder that text names as the browser names it: the full path, with
// no "." or ".." segment (the browser follows neither), short names as
// their long forms, no trailing backslash. Tells whether it is an existing
// folder; when it is not, folder is the full path, or the text itself.
bool FolderToSelect(const WCHAR* pszText, CString& folder)
{
    folder.Empty();
    folder += pszText;
    CString full;
    DWORD n = *pszText ? ::GetFullPathNameW(pszText, 0, NULL, NULL) : 0;
    WCHAR* p = n ? full.GetBuffer((int)n) : NULL;
    if (!p || ::GetFullPathNameW(pszText, n, p, NULL) >= n)
        return false;
    folder.Empty();
    folder += full;
    DWORD attributes = ::GetFileAttributesW(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    n = ::GetLongPathNameW(full, NULL, 0);
    p = n ? folder.GetBuffer((int)n) : NULL;
    if (!p || ::GetLongPathNameW(full, p, n) >= n) {
        folder.Empty();
        folder += full;
    }
    p = folder.GetBuffer(folder.GetLength());
    if (p)
        TrimBackslashes(p);
    folder.ReleaseBuffer();
    return true;
}

// Whether the item is the folder asked for, its path compared as the file
// system compares names: whole, without regard to case.
bool IsFolder(LPCITEMIDLIST pidl, const WCHAR* pszFolder)
{
    WCHAR szPath[MAX_PATH];
    if (!::SHGetPathFromIDListW(pidl, szPath))
        return false;
    szPath[MAX_PATH - 1] = 0;
    TrimBackslashes(szPath);
    return ::CompareStringOrdinal(szPath, -1, pszFolder, -1, TRUE) == CSTR_EQUAL;
}

// Called by the folder browser; once its window is ready, names it to its
// filter and selects the folder that the InitialSelection lpData points at
// holds. The browser finds the folder by matching its item IDs, which carry the folders' times, against
// those its tree read, so a request can select nothing. It is repeated, a
// few times at most, until the browser reports a selection of that very
// folder; a selection of any other item does not count. A path that names no
// existing folder is asked for once, and selects nothing.
int CALLBACK InitialSelectionProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    InitialSelection* pSelection = (InitialSelection*)lpData;
    if (uMsg == BFFM_SELCHANGED) {
        pSelection->bSelected = lParam && IsFolder((LPCITEMIDLIST)lParam, pSelection->pszFolder);
    } else if (uMsg == BFFM_INITIALIZED) {
        pSelection->pBeside->SetDialog(hWnd);
        int nTries = !*pSelection->pszFolder ? 0 : pSelection->bFolder ? kSelectionTries : 1;
        for (int i = 0; i < nTries && !pSelection->bSelected; i++)
            ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, (LPARAM)pSelection->pszFolder);
    }
    return 0;
}

} // namespace

int BrowseForFolder(HWND hOwner, const wchar_t* pszTitle, CString& path)
{
    CString folder;
    WCHAR szDisplayName[MAX_PATH] = L"";

    BROWSEINFOW bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.hwndOwner = hOwner;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = pszTitle ? pszTitle : L"Select Folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    // Without an owner the program's windows stay usable beside the
    // browser, their keys included, though its loop runs meanwhile; it is
    // cancelled when the main window's dialog ends, and gives nothing then.
    CDialogLoopFilter beside;
    InitialSelection selection = { NULL, false, false, &beside };
    selection.bFolder = FolderToSelect(path, folder);
    selection.pszFolder = folder;
    bi.lpfn = InitialSelectionProc;
    bi.lParam = (LPARAM)&selection;

    // The shell wants COM in the calling thread; leave it as it was found.
    HRESULT hrCom = ::CoInitialize(NULL);
    LPITEMIDLIST pidl = ::SHBrowseForFolderW(&bi);
    int nResult = 1;
    if (pidl && !beside.MainEnded()) {
        // The folder's path as the shell has it.
        WCHAR szChosen[MAX_PATH];
        szChosen[0] = 0;
        if (::SHGetPathFromIDListW(pidl, szChosen)) {
            szChosen[MAX_PATH - 1] = 0;
            path = szChosen;
            nResult = 0;
        }
    }
    if (pidl)
        ::CoTaskMemFree(pidl);
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    return nResult;
}
