#include "CompareDlg.h"

void CCompareDlg::PickPath(CRecentPathCombo& field, bool bWantFolder)
{
    (void)field;
    (void)bWantFolder;
}
