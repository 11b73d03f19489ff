#include "CompareDlg.h"

void CCompareDlg::LoadSettings()
{
}

void CCompareDlg::SaveSettings()
{
}
