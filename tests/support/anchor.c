/* Keeps the wineserver and the virtual desktop alive for a whole test run,
   so that each test's Wine process starts warm. Before that it does once
   what the first window of a new prefix costs (the desktop, the display
   driver, the font list with the dialogs' font), and then creates the file
   named by its argument, if any: the run waits for that file, so that the
   first test does not pay for a cold prefix within its own time limit. */
#include <windows.h>

int main(int argc, char** argv)
{
    /* The dialogs' font, "ＭＳ Ｐゴシック". */
    static const WCHAR face[] = { 0xFF2D, 0xFF33, 0x20, 0xFF30, 0x30B4, 0x30B7, 0x30C3, 0x30AF, 0 };
    HWND hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 64, 16, NULL, NULL, NULL, NULL);
    HDC hdc = GetDC(hWnd);
    HFONT hFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    TEXTMETRICW tm;
    SIZE size;
    GetTextMetricsW(hdc, &tm);
    GetTextExtentPoint32W(hdc, face, 8, &size);
    SelectObject(hdc, hOld);
    DeleteObject(hFont);
    ReleaseDC(hWnd, hdc);
    DestroyWindow(hWnd);
    if (argc > 1)
        CloseHandle(CreateFileA(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    Sleep(INFINITE);
    return 0;
}
