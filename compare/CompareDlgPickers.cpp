#include "CompareDlg.h"
#include "FolderPicker.h"
#include "../framework/FileDialog.h"

// Called by the four Ref buttons of the path fields.
void CCompareDlg::PickPath(CRecentPathCombo& field, bool bWantFolder)
{
    CString path = field.GetText();
    if (bWantFolder) {
        // No owner: the dialog stays usable while the browser is open.
        if (BrowseForFolder(NULL, "Refer", path) != 0)
            return;
    } else {
        // No parent given: the main window owns the dialog and is disabled.
        CFileDialog dlg(TRUE, NULL, path, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, NULL);
        if (dlg.DoModal() != IDOK)
            return;
        path = dlg.GetPathName();
    }
    field.SetTextAndRemember(path);
}
