#include "WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // DLLs loaded by name come from the system folder only, never from the
    // folder Pelorin was started in (Downloads, say), where the system has
    // the call (Windows 8, and 7 with KB2533623). Looked up, not imported.
    typedef BOOL(WINAPI * SetDllDirs)(DWORD);
    HMODULE hKernel = ::GetModuleHandleW(L"kernel32.dll");
    if (SetDllDirs set = (SetDllDirs)(void*)::GetProcAddress(hKernel, "SetDefaultDllDirectories"))
        set(0x00000800);   // LOAD_LIBRARY_SEARCH_SYSTEM32
    return AfxWinMain(hInstance);
}
