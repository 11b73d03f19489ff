/* Keeps the wineserver and the virtual desktop alive for a whole test run,
   so that each test's Wine process starts warm. */
#include <windows.h>

int main(void)
{
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
