/* Helper of scripts/screenshots.sh, run beside Pelorin on the same Wine
   desktop:
     shotctl main      waits for the main dialog; prints its rectangle
     shotctl version   opens the version window as the system menu does
                       (WM_SYSCOMMAND 16) and prints its rectangle
     shotctl close     closes both windows
     shotctl setup     waits for the setup's window; prints its rectangle
     shotctl next      presses the setup's Next, Install or Finish button
   A rectangle is printed as "WIDTHxHEIGHT+LEFT+TOP" in desktop pixels,
   ready for ImageMagick's -crop. Exits with 1 when a window did not show. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#define VERSION_COMMAND 0x0010

static HWND MainDialog(void)
{
    return FindWindowA("#32770", "Pelorin");
}

struct Search
{
    DWORD pid;
    HWND main;
    HWND found;
};

static BOOL CALLBACK FindOther(HWND hWnd, LPARAM lParam)
{
    struct Search* s = (struct Search*)lParam;
    DWORD pid = 0;
    char cls[32] = "";
    GetWindowThreadProcessId(hWnd, &pid);
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (pid == s->pid && hWnd != s->main && IsWindowVisible(hWnd) && strcmp(cls, "#32770") == 0) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

/* The program's visible dialog other than the main one. */
static HWND VersionWindow(HWND hMain)
{
    struct Search s;
    s.pid = 0;
    s.main = hMain;
    s.found = NULL;
    GetWindowThreadProcessId(hMain, &s.pid);
    EnumWindows(FindOther, (LPARAM)&s);
    return s.found;
}

static HWND WaitFor(HWND (*find)(HWND), HWND arg)
{
    DWORD start = GetTickCount();
    HWND hWnd;
    while (!(hWnd = find(arg)) && GetTickCount() - start < 15000)
        Sleep(50);
    return hWnd;
}

static HWND FindMain(HWND unused)
{
    (void)unused;
    HWND hWnd = MainDialog();
    return hWnd && IsWindowVisible(hWnd) ? hWnd : NULL;
}

/* The setup's window: a dialog captioned "Pelorin <version> ..." in
   either language. */
static BOOL CALLBACK FindSetup(HWND hWnd, LPARAM lParam)
{
    char cls[32] = "", title[16] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    GetWindowTextA(hWnd, title, sizeof(title));
    if (IsWindowVisible(hWnd) && strcmp(cls, "#32770") == 0 && strncmp(title, "Pelorin ", 8) == 0) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

static HWND SetupWindow(HWND unused)
{
    HWND found = NULL;
    (void)unused;
    EnumWindows(FindSetup, (LPARAM)&found);
    return found;
}

static int PrintRect(HWND hWnd)
{
    RECT rc;
    if (!hWnd) {
        fprintf(stderr, "shotctl: the window did not show\n");
        return 1;
    }
    SetForegroundWindow(hWnd);
    GetWindowRect(hWnd, &rc);
    printf("%ldx%ld+%ld+%ld\n", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
    return 0;
}

int main(int argc, char** argv)
{
    const char* what = argc > 1 ? argv[1] : "";
    if (strcmp(what, "setup") == 0)
        return PrintRect(WaitFor(SetupWindow, NULL));
    if (strcmp(what, "next") == 0)
        return !PostMessageA(GetDlgItem(WaitFor(SetupWindow, NULL), IDOK), BM_CLICK, 0, 0);
    HWND hMain = WaitFor(FindMain, NULL);
    if (strcmp(what, "main") == 0)
        return PrintRect(hMain);
    if (!hMain) {
        fprintf(stderr, "shotctl: Pelorin's dialog did not show\n");
        return 1;
    }
    if (strcmp(what, "version") == 0) {
        PostMessageA(hMain, WM_SYSCOMMAND, VERSION_COMMAND, 0);
        return PrintRect(WaitFor(VersionWindow, hMain));
    }
    if (strcmp(what, "close") == 0) {
        HWND hVersion = VersionWindow(hMain);
        if (hVersion)
            PostMessageA(hVersion, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(hMain, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    fprintf(stderr, "usage: shotctl main|version|close|setup|next\n");
    return 2;
}
