#include "CompareDlg.h"
#include "FieldPath.h"
#include "FolderPicker.h"
#include "../framework/FileDialog.h"

// Called by the four Ref buttons of the path fields. The picker starts at
// the path the field shows (without enclosing quotes).
void CCompareDlg::PickPath(CRecentPathCombo& field, bool bWantFolder)
{
    CString path = CFieldPath(field.GetEditCtrl()).GetPath();
    if (bWantFolder) {
        // No owner: the dialog stays usable while the browser is open.
        if (BrowseForFolder(NULL, L"Refer", path) != 0)
            return;
    } else {
        // The main window owns the dialog and is disabled.
        CFileDialog dlg(path, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
        if (dlg.DoModal() != IDOK)
            return;
        path = dlg.GetPathName();
    }
    field.SetTextAndRemember(path);
}
