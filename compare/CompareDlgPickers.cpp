#include "CompareDlg.h"
#include "FolderPicker.h"
#include "../framework/FileDialog.h"
#include "../framework/WinApp.h"

void CCompareDlg::PickPath(CRecentPathCombo& field, bool bWantFolder)
{
    char szPath[512];
    MbsCopyCut(szPath, sizeof(szPath), field.GetText(), AfxAnsiLeadBytes());

    if (bWantFolder) {
        // No owner: the dialog stays usable while the browser is open.
        if (BrowseForFolder(NULL, "Refer", szPath) != 0)
            return;
    } else {
        // No parent given: the main window owns the dialog and is disabled.
        CFileDialog dlg(TRUE, NULL, szPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, NULL);
        if (dlg.DoModal() != IDOK)
            return;
        MbsCopyCut(szPath, sizeof(szPath), dlg.GetPathName(), AfxAnsiLeadBytes());
    }
    field.SetTextAndRemember(szPath);
}
