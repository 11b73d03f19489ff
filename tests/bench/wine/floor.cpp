// The floor for the start-up benchmark: the main dialog's template, from
// the same resources as Pelorin, shown modally with a dialog procedure that
// does nothing. Nothing can start and become interactive faster. It has no
// way to end by itself; the benchmark ends it.
#include <windows.h>

#include "resource.h"

static INT_PTR CALLBACK FloorDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_COMPARE), NULL, FloorDlgProc, 0);
    return 0;
}
