#include "CompareDlg.h"

void CCompareDlg::LocateWinDiff()
{
}

void CCompareDlg::ChooseWinDiff()
{
}
