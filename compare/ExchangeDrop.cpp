#include "CompareDlg.h"

#include <shellapi.h>

void CCompareDlg::ExchangePaths()
{
}

void CCompareDlg::OnDropFiles(HDROP hDrop)
{
    ::DragFinish(hDrop);
}
