/* A top-level window and, in it, an edit control; both accept dropped
   files. Prints the edit's centre in screen coordinates to the file named
   on the command line, then, for each WM_DROPFILES, which window got it
   and its point; ends after the first drop or 30 s. */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>

static FILE *out;
static HWND top, edit;
static WNDPROC edit_proc;

static void report(HWND hwnd, HDROP drop)
{
    POINT pt;
    WCHAR name[MAX_PATH];
    BOOL client = DragQueryPoint(drop, &pt);
    DragQueryFileW(drop, 0, name, MAX_PATH);
    fprintf(out, "WM_DROPFILES to %s, point %ld,%ld (%s), %u item(s), first %ls\n",
            hwnd == edit ? "the edit" : hwnd == top ? "the top-level window" : "another window",
            pt.x, pt.y, client ? "client area" : "non-client", DragQueryFileW(drop, ~0u, NULL, 0), name);
    fflush(out);
    DragFinish(drop);
    PostQuitMessage(0);
}

static LRESULT CALLBACK edit_wndproc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DROPFILES) { report(hwnd, (HDROP)wp); return 0; }
    return CallWindowProcW(edit_proc, hwnd, msg, wp, lp);
}

static LRESULT CALLBACK top_wndproc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DROPFILES) { report(hwnd, (HDROP)wp); return 0; }
    if (msg == WM_TIMER) { fprintf(out, "no drop\n"); PostQuitMessage(1); return 0; }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int main(int argc, char **argv)
{
    WNDCLASSW wc = {0};
    RECT rc;
    POINT centre;
    MSG msg;

    if (argc < 2 || !(out = fopen(argv[1], "w"))) return 2;
    wc.lpfnWndProc = top_wndproc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"dropwin";
    RegisterClassW(&wc);
    top = CreateWindowExW(WS_EX_ACCEPTFILES, L"dropwin", L"dropwin", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                          100, 100, 400, 200, NULL, NULL, wc.hInstance, NULL);
    edit = CreateWindowExW(WS_EX_ACCEPTFILES | WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE,
                           150, 80, 200, 24, top, NULL, wc.hInstance, NULL);
    edit_proc = (WNDPROC)SetWindowLongPtrW(edit, GWLP_WNDPROC, (LONG_PTR)edit_wndproc);
    GetClientRect(edit, &rc);
    centre.x = rc.right / 2;
    centre.y = rc.bottom / 2;
    ClientToScreen(edit, &centre);
    fprintf(out, "edit centre %ld %ld\n", centre.x, centre.y);
    fflush(out);
    SetTimer(top, 1, 30000, NULL);
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    fclose(out);
    return (int)msg.wParam;
}
