// Stand-in for the comparison tool: appends the command line it was started
// with to the file named by PELORIN_STANDIN_LOG, as one record (a 4-byte
// little-endian length, then the bytes), and exits. The record holds the
// line as an ANSI program reads it (GetCommandLineA), a zero byte, and the
// line as a Unicode program reads it (GetCommandLineW), in UTF-8.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    DWORD n = ::GetEnvironmentVariableA("PELORIN_STANDIN_LOG", path, sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return 1;
    static char cmd[40000];
    int nAnsi = lstrlenA(::GetCommandLineA());
    if (nAnsi > 20000)
        nAnsi = 20000;
    ::CopyMemory(cmd, ::GetCommandLineA(), (DWORD)nAnsi);
    cmd[nAnsi] = 0;
    int nUtf8 = ::WideCharToMultiByte(CP_UTF8, 0, ::GetCommandLineW(), -1, cmd + nAnsi + 1, 19000, NULL, NULL);
    DWORD len = (DWORD)(nAnsi + (nUtf8 > 0 ? nUtf8 : 1));
    HANDLE h = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 2;
    unsigned char record[4] = { (unsigned char)len, (unsigned char)(len >> 8), (unsigned char)(len >> 16),
                                (unsigned char)(len >> 24) };
    static char buf[4 + 40000];
    if (len > sizeof(buf) - 4)
        len = sizeof(buf) - 4;
    ::CopyMemory(buf, record, 4);
    ::CopyMemory(buf + 4, cmd, len);
    DWORD written = 0;
    ::WriteFile(h, buf, 4 + len, &written, NULL);   // one write: records never interleave
    ::CloseHandle(h);
    return 0;
}
