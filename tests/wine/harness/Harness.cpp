#include "Harness.h"
#include "../agent/AgentProtocol.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

namespace harness {

namespace {

// The reply of a request that got none (the failure is reported once).
const char kNoAnswer[] = "<no answer>";

// The program while a script runs.
struct Program
{
    PROCESS_INFORMATION pi;
    DWORD tid;          // its user-interface thread
    HWND hDialog;
    HANDLE hMapping, hAnswered;
    AgentBlock* block;
    HHOOK hHook;
};
Program g_program;
std::vector<BoxShown> g_boxesBeforeDialog;
HMODULE g_agent;
UINT g_agentMessage;
std::string g_programPath;   // empty: the build's Pelorin.exe

// The windows of a class (with the text, when given; visible ones only, when
// asked) that EnumThreadWindows or EnumChildWindows finds.
struct WindowSearch
{
    const char* cls;
    const char* text;   // NULL: any
    bool visible;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
{
    WindowSearch* s = (WindowSearch*)lParam;
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, s->cls) == 0 && (!s->visible || ::IsWindowVisible(hWnd)) && (!s->text || Text(hWnd) == s->text))
        s->found.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> ProgramWindows(const char* cls, bool visibleOnly)
{
    WindowSearch s = { cls, NULL, visibleOnly, {} };
    if (g_program.tid)
        ::EnumThreadWindows(g_program.tid, Collect, (LPARAM)&s);
    return s.found;
}

bool Running()
{
    return g_program.pi.hProcess && ::WaitForSingleObject(g_program.pi.hProcess, 0) == WAIT_TIMEOUT;
}

// Puts the agent into the running program, once.
bool PutAgentIn(const std::string& name)
{
    Program& p = g_program;
    if (p.hHook)
        return true;
    char blockName[64], eventName[64];
    AgentObjectNames(p.pi.dwProcessId, blockName, eventName);
    p.hMapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(AgentBlock), blockName);
    p.hAnswered = ::CreateEventA(NULL, FALSE, FALSE, eventName);
    p.block = p.hMapping ? (AgentBlock*)::MapViewOfFile(p.hMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0) : NULL;
    if (!g_agent) {
        g_agent = ::LoadLibraryA((BuildDir() + "agent.dll").c_str());
        g_agentMessage = ::RegisterWindowMessageA(PELORIN_AGENT_MESSAGE);
    }
    HOOKPROC proc = g_agent ? (HOOKPROC)::GetProcAddress(g_agent, PELORIN_AGENT_HOOK) : NULL;
    p.hHook = proc ? ::SetWindowsHookExA(WH_GETMESSAGE, proc, g_agent, p.tid) : NULL;
    if (!p.block || !p.hAnswered || !p.hHook) {
        ADD_FAILURE() << "cannot put the agent into " << name << ".exe: no "
                      << (!p.block ? "shared block" : !p.hAnswered ? "event" : "hook") << ", error " << ::GetLastError()
                      << "; " << ProgramState();
        return false;
    }
    return true;
}

// Starts the program on its quoted path and the arguments, and waits for
// its dialog, reading and closing any box shown before it; then puts the
// agent in.
bool Start(const std::string& name, const std::wstring& arguments)
{
    std::string exe = g_programPath.empty() ? BuildDir() + "Pelorin.exe" : g_programPath;
    if (name != "Pelorin") {
        exe = ScratchDir() + name + ".exe";
        if (!::CopyFileA((BuildDir() + "Pelorin.exe").c_str(), exe.c_str(), FALSE)) {
            ADD_FAILURE() << "cannot copy Pelorin.exe to " << exe;
            return false;
        }
    }
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    std::wstring cmd = L"\"" + ToWide(exe) + L"\"" + arguments;
    Program& p = g_program;
    g_boxesBeforeDialog.clear();
    if (!::CreateProcessW(ToWide(exe).c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, ToWide(ScratchDir()).c_str(), &si,
                          &p.pi)) {
        ADD_FAILURE() << "cannot start " << exe;
        return false;
    }
    ::WaitForInputIdle(p.pi.hProcess, 20000);
    for (DWORD start = ::GetTickCount(); !p.hDialog && ::GetTickCount() - start < 20000 && Running();) {
        p.tid = p.pi.dwThreadId;
        std::vector<HWND> dialogs = ProgramWindows("#32770", true);
        for (size_t i = 0; i < dialogs.size() && !p.hDialog; i++)
            if (::GetDlgItem(dialogs[i], IDC_DIR1))
                p.hDialog = dialogs[i];
        if (p.hDialog)
            break;
        if (dialogs.empty() || !PutAgentIn(name)) {
            ::Sleep(20);
            continue;
        }
        g_boxesBeforeDialog.push_back(ReadMessageBox(dialogs[0]));
        ::PostMessageA(dialogs[0], WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 250 && ::IsWindow(dialogs[0]); i++)
            ::Sleep(20);
    }
    if (!p.hDialog) {
        DWORD code = 0;
        ::GetExitCodeProcess(p.pi.hProcess, &code);
        ADD_FAILURE() << name << ".exe showed no dialog; "
                      << (Running() ? ProgramState() : "it ended with exit code " + Hex((void*)(ULONG_PTR)code));
        return false;
    }
    return PutAgentIn(name);
}

// Ends what the program left open, newest dialog first, then the program.
void Stop(bool timedOut)
{
    Program& p = g_program;
    for (int round = 0; timedOut && round < 10 && Running(); round++) {
        std::vector<HWND> dialogs = ProgramWindows("#32770", true);
        for (size_t i = 0; i < dialogs.size(); i++) {
            if (::IsWindowEnabled(dialogs[i])) {
                ::PostMessageA(dialogs[i], WM_COMMAND, IDCANCEL, 0);
                break;
            }
        }
        ::WaitForSingleObject(p.pi.hProcess, 500);
    }
    if (Running()) {
        ::TerminateProcess(p.pi.hProcess, 1);
        ::WaitForSingleObject(p.pi.hProcess, 5000);
    }
    if (p.hHook)
        ::UnhookWindowsHookEx(p.hHook);
    if (p.block)
        ::UnmapViewOfFile(p.block);
    if (p.hMapping)
        ::CloseHandle(p.hMapping);
    if (p.hAnswered)
        ::CloseHandle(p.hAnswered);
    if (p.pi.hProcess) {
        ::CloseHandle(p.pi.hProcess);
        ::CloseHandle(p.pi.hThread);
    }
    ZeroMemory(&p, sizeof(p));
}

// Fails the test when a call failed (error: its result, or ErrorOf a BOOL
// one), unless with the error that is fine for it (a file or key already
// gone, a folder already there). Returns whether it succeeded.
bool ExpectDone(const std::string& call, LONG error, LONG fine = ERROR_SUCCESS)
{
    if (error != ERROR_SUCCESS && error != fine)
        ADD_FAILURE() << call << " failed, error " << error;
    return error == ERROR_SUCCESS;
}

LONG ErrorOf(BOOL ok)
{
    return ok ? ERROR_SUCCESS : (LONG)::GetLastError();
}

// Posts to a window of the program; none (no focus, no such control) fails,
// unless a window that is gone is fine for the message.
bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LONG fine = ERROR_SUCCESS)
{
    return ExpectDone("PostMessageW(" + Hex(hWnd) + ", " + std::to_string(msg) + ")",
                      hWnd ? ErrorOf(::PostMessageW(hWnd, msg, wParam, lParam)) : ERROR_INVALID_WINDOW_HANDLE, fine);
}

} // namespace

void PostKeyStroke(UINT vk)
{
    HWND hFocus = Focused();
    UINT scan = ::MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
    // The key-down may close its window (Escape, Enter) before the key-up
    // is posted: that key-up then has no window to go to.
    if (Post(hFocus, WM_KEYDOWN, vk, (LPARAM)(1 | (scan << 16))))
        Post(hFocus, WM_KEYUP, vk, (LPARAM)(1 | (scan << 16) | (1u << 30) | (1u << 31)), ERROR_INVALID_WINDOW_HANDLE);
}

bool InThisRun(UINT codePage)
{
    return codePage == kEveryRun || codePage == ::GetACP();
}

bool JapaneseUi()
{
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

std::string Agent(const std::string& command, const std::string& data)
{
    Program& p = g_program;
    if (!p.block || !Running())
        return kProgramEnded;
    if (!ExpectDone("Agent(\"" + command.substr(0, 40) + "\", " + std::to_string(data.size()) + " bytes)",
                    command.size() + 1 + data.size() > sizeof(p.block->text) ? ERROR_INSUFFICIENT_BUFFER : 0))
        return kNoAnswer;
    static LONG s_request;
    LONG request = ++s_request;
    memcpy(p.block->text, command.c_str(), command.size() + 1);
    memcpy(p.block->text + command.size() + 1, data.data(), data.size());
    p.block->size = (DWORD)(command.size() + 1 + data.size());
    p.block->request = request;
    ::ResetEvent(p.hAnswered);
    ::PostThreadMessageA(p.tid, g_agentMessage, (WPARAM)request, 0);
    HANDLE waits[2] = { p.hAnswered, p.pi.hProcess };
    for (DWORD start = ::GetTickCount(); p.block->answered != request;) {
        DWORD left = 20000 - (::GetTickCount() - start);
        if ((LONG)left > 0 && ::WaitForMultipleObjects(2, waits, FALSE, left) == WAIT_OBJECT_0)
            continue;
        if (p.block->answered == request)
            break;
        if (!Running())
            return kProgramEnded;
        ADD_FAILURE() << "the agent gave no answer to \"" << command << "\" within 20 s; " << ProgramState();
        return kNoAnswer;
    }
    return std::string(p.block->text, p.block->size);
}

void ExpectAgent(const std::string& command, const std::string& expected, bool mayEnd)
{
    std::string reply = Agent(command);
    if (reply != expected && reply != kNoAnswer && !(mayEnd && reply == kProgramEnded))
        ADD_FAILURE() << "the agent answered \"" << command << "\" with \"" << reply << "\", not \"" << expected
                      << "\"";
}

static void Sync()
{
    ExpectAgent("sync", "synced", true);
}

namespace {
// A window's class and title, read without a message: the program may hang.
std::string Describe(HWND hWnd)
{
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    WCHAR title[81] = L"";
    ::InternalGetWindowText(hWnd, title, 81);
    return std::string(cls) + " " + std::to_string(::GetDlgCtrlID(hWnd)) + " \"" + ToAnsi(title) + "\""
           + (::IsWindowEnabled(hWnd) ? "" : " (disabled)");
}

BOOL CALLBACK DescribeShown(HWND hWnd, LPARAM lParam)
{
    std::string& text = *(std::string*)lParam;
    if (::IsWindowVisible(hWnd))
        text += (text.empty() ? "" : ", ") + Describe(hWnd);
    return TRUE;
}
} // namespace

std::string ProgramState()
{
    if (!Running())
        return "the program has ended";
    std::string shown;
    ::EnumThreadWindows(g_program.tid, DescribeShown, (LPARAM)&shown);
    HWND hFocus = Focused();
    return "the program shows " + (shown.empty() ? std::string("no window") : shown) + "; the focus is on "
           + (hFocus ? Describe(hFocus) : std::string("no window"));
}

std::string Hex(const void* handle)
{
    char buf[32];
    sprintf(buf, "%llx", (unsigned long long)(ULONG_PTR)handle);
    return buf;
}

Script& Script::Do(Step step)
{
    m_ticks.push_back([step]() {
        step();
        return true;
    });
    return *this;
}

Script& Script::Type(const std::string& text)
{
    for (size_t i = 0; i < text.size(); i++) {
        unsigned char c = (unsigned char)text[i];
        int len = ::IsDBCSLeadByte(c) && i + 1 < text.size() ? 2 : 1;
        SHORT vks = len == 1 ? ::VkKeyScanA((CHAR)c) : -1;
        if (vks == -1) {
            // A character no key makes here: as the input method sends it.
            WCHAR w = 0;
            ::MultiByteToWideChar(CP_ACP, 0, text.c_str() + i, len, &w, 1);
            Do([w]() { Post(Focused(), WM_CHAR, w, 1); });
        } else {
            Key(LOBYTE(vks), (HIBYTE(vks) & 1) != 0);
        }
        i += len - 1;
    }
    return *this;
}

Script& Script::TypeWide(const std::wstring& text)
{
    for (WCHAR w : text) {
        Do([w]() {
            // TranslateMessage makes the WM_CHAR from the key's packet.
            HWND hFocus = Focused();
            if (Post(hFocus, WM_KEYDOWN, VK_PACKET, (LPARAM)(1 | ((DWORD)w << 16))))
                Post(hFocus, WM_KEYUP, VK_PACKET, (LPARAM)(1 | ((DWORD)w << 16) | (3u << 30)));
            Sync();
        });
    }
    return *this;
}

Script& Script::Paste(const std::wstring& text)
{
    Do([text]() {
        bool put = false;
        for (int i = 0; i < 50 && !put; i++) {
            if (::OpenClipboard(NULL)) {
                ::EmptyClipboard();
                HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
                if (WCHAR* p = h ? (WCHAR*)::GlobalLock(h) : NULL) {
                    memcpy(p, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
                    ::GlobalUnlock(h);
                    put = ::SetClipboardData(CF_UNICODETEXT, h) != NULL;
                }
                if (!put && h)
                    ::GlobalFree(h);
                ::CloseClipboard();
            }
            if (!put)
                ::Sleep(20);
        }
        if (!put)
            ADD_FAILURE() << "cannot put the text on the clipboard, error " << ::GetLastError();
    });
    return Key('V', false, true);
}

Script& Script::Key(UINT vk, bool shift, bool ctrl)
{
    return Do([vk, shift, ctrl]() {
        if (shift)
            ExpectAgent("shift 1", "ok", false);
        if (ctrl)
            ExpectAgent("ctrl 1", "ok", false);
        PostKeyStroke(vk);
        Sync();
        // The key may have ended the program.
        if (shift)
            ExpectAgent("shift 0", "ok", true);
        if (ctrl)
            ExpectAgent("ctrl 0", "ok", true);
    });
}

Script& Script::Click(int id)
{
    return Do([id]() { Post(Ctl(id), BM_CLICK, 0, 0); });
}

Script& Script::Focus(int id)
{
    return Do([id]() { ExpectAgent("focus " + Hex(Ctl(id)), "ok", false); });
}

Script& Script::WaitFor(std::function<bool()> cond, DWORD timeoutMs, Caller where)
{
    std::shared_ptr<DWORD> start = std::make_shared<DWORD>(0);
    m_ticks.push_back([cond, timeoutMs, start, where]() {
        if (!*start)
            *start = ::GetTickCount() | 1;
        if (cond())
            return true;
        if ((LONG)(::GetTickCount() - *start) > (LONG)timeoutMs) {
            ADD_FAILURE_AT(where.file_name(), (int)where.line())
                << "a condition did not come true within " << timeoutMs << " ms; " << ProgramState();
            return true;
        }
        ::Sleep(20);
        return false;
    });
    return *this;
}

static bool Run(const Script& script, DWORD timeoutMs, const std::string& name, const std::wstring& arguments,
                Caller where)
{
    ::testing::ScopedTrace trace(where.file_name(), (int)where.line(), "the program run");
    DWORD deadline = ::GetTickCount() + timeoutMs;
    if (!Start(name, arguments)) {
        Stop(true);
        return false;
    }
    // In front, as after a user started it.
    ExpectAgent("foreground " + Hex(MainDialog()), "ok", false);
    const std::vector<Tick>& ticks = script.ticks();
    size_t next = 0;
    bool timedOut = false;
    while (next < ticks.size() && Running()) {
        if ((LONG)(::GetTickCount() - deadline) >= 0) {
            timedOut = true;
            break;
        }
        if (ticks[next]()) {
            next++;
            Sync();
        }
    }
    if (!timedOut) {
        LONG left = (LONG)(deadline - ::GetTickCount());
        timedOut = ::WaitForSingleObject(g_program.pi.hProcess, left > 0 ? (DWORD)left : 0) != WAIT_OBJECT_0;
    }
    EXPECT_FALSE(timedOut) << name << " did not end within " << timeoutMs << " ms (step " << next << " of "
                           << ticks.size() << ")";
    EXPECT_EQ(ticks.size(), next) << name << " ended before its script did";
    DWORD code = 0;
    ExpectDone("GetExitCodeProcess", ErrorOf(::GetExitCodeProcess(g_program.pi.hProcess, &code)));
    EXPECT_TRUE(timedOut || code == 0) << name << " ended with " << std::hex << code;
    Stop(timedOut);
    return !timedOut;
}

bool RunProgram(const Script& script, DWORD timeoutMs, const std::string& name, Caller where)
{
    return Run(script, timeoutMs, name, std::wstring(), where);
}

bool RunProgramWith(const std::wstring& arguments, const Script& script, DWORD timeoutMs, Caller where)
{
    return Run(script, timeoutMs, "Pelorin", arguments, where);
}

void UseProgram(const std::string& exe) { g_programPath = exe; }

std::vector<BoxShown> BoxesBeforeDialog()
{
    return g_boxesBeforeDialog;
}

HWND MainDialog()
{
    return ::IsWindow(g_program.hDialog) ? g_program.hDialog : NULL;
}

HWND Ctl(int id)
{
    return ::GetDlgItem(MainDialog(), id);
}

// Reads n numbers from the agent's reply to command; fails the test when it
// holds fewer.
template <typename... T>
static void Scan(const std::string& command, const char* format, int n, T*... values)
{
    std::string reply = Agent(command);
    if (sscanf(reply.c_str(), format, values...) != n)
        ADD_FAILURE() << "the agent answered \"" << command << "\" with \"" << reply << "\"";
}

static HWND ComboPart(int id, int part)
{
    unsigned long long parts[2] = { 0, 0 };
    Scan("comboparts " + Hex(Ctl(id)), "%llx %llx", 2, &parts[0], &parts[1]);
    return (HWND)(ULONG_PTR)parts[part];
}

HWND ComboEdit(int id)
{
    return ComboPart(id, 0);
}

HWND ComboList(int id)
{
    return ComboPart(id, 1);
}

HWND OtherDialog()
{
    std::vector<HWND> dialogs = ProgramWindows("#32770", true);
    for (size_t i = 0; i < dialogs.size(); i++)
        if (dialogs[i] != g_program.hDialog)
            return dialogs[i];
    return NULL;
}

static GUITHREADINFO ThreadInfo()
{
    GUITHREADINFO gti;
    ZeroMemory(&gti, sizeof(gti));
    gti.cbSize = sizeof(gti);
    // A program that ends meanwhile is no failure.
    if (LONG error = ErrorOf(::GetGUIThreadInfo(g_program.tid, &gti)))
        ExpectDone("GetGUIThreadInfo", ::WaitForSingleObject(g_program.pi.hProcess, 1000) == WAIT_TIMEOUT ? error : 0);
    return gti;
}

HWND Focused()
{
    return ThreadInfo().hwndFocus;
}

HWND Captured()
{
    return ThreadInfo().hwndCapture;
}

HWND FindChild(HWND hParent, const char* cls, const char* text)
{
    WindowSearch s = { cls, text, true, {} };
    ::EnumChildWindows(hParent, Collect, (LPARAM)&s);
    return s.found.empty() ? NULL : s.found[0];
}

HWND FindThreadWindow(const char* cls)
{
    std::vector<HWND> found = ProgramWindows(cls, false);
    return found.empty() ? NULL : found[0];
}

RECT DialogRect(HWND hDlg, int x, int y, int cx, int cy)
{
    RECT rc = { 0, 0, 0, 0 };
    char cmd[128];
    sprintf(cmd, "dlgrect %s %d %d %d %d", Hex(hDlg).c_str(), x, y, x + cx, y + cy);
    Scan(cmd, "%ld %ld %ld %ld", 4, &rc.left, &rc.top, &rc.right, &rc.bottom);
    return rc;
}

std::string ToAnsi(const std::wstring& w, UINT codePage)
{
    if (w.empty())
        return std::string();
    int n = ::WideCharToMultiByte(codePage, 0, w.data(), (int)w.size(), NULL, 0, NULL, NULL);
    std::string s((size_t)n, '\0');
    ::WideCharToMultiByte(codePage, 0, w.data(), (int)w.size(), &s[0], n, NULL, NULL);
    return s;
}

std::wstring ToWide(const std::string& s)
{
    if (s.empty())
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), (int)s.size(), NULL, 0);
    std::wstring w((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

// Asked with messages: another process's window text is not read by
// GetWindowText.
// With a time limit: a program that does not answer fails the test instead
// of hanging the run.
static LRESULT Send(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(hWnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result) && ::IsWindow(hWnd))
        ADD_FAILURE() << "message " << std::hex << msg << " to window " << hWnd << " got no answer";
    return (LRESULT)result;
}

std::wstring TextW(HWND hWnd)
{
    int n = (int)Send(hWnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring w((size_t)(n < 0 ? 0 : n) + 1, L'\0');
    n = (int)Send(hWnd, WM_GETTEXT, w.size(), (LPARAM)&w[0]);
    w.resize((size_t)(n < 0 ? 0 : n));
    return w;
}

std::string Text(HWND hWnd)
{
    return ToAnsi(TextW(hWnd));
}

BoxShown ReadMessageBox(HWND hBox)
{
    BoxShown box = { Text(hBox), TextW(::GetDlgItem(hBox, 0xFFFF)), std::string() };
    for (HWND h = ::GetWindow(hBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if ((::GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        std::string icon = Agent("icon " + Hex((HICON)Send(h, STM_GETICON, 0, 0)));
        box.icon = icon.substr(icon.find(' ') + 1);
    }
    return box;
}

bool SameItem(const std::string& path, const std::wstring& other)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::wstring names[2] = { ToWide(path), other };
    for (int i = 0; i < 2; i++) {
        HANDLE h = ::CreateFileW(names[i].c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        BOOL ok = ::GetFileInformationByHandle(h, &info[i]);
        ::CloseHandle(h);
        if (!ok)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber
           && info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

void SetText(HWND hWnd, const std::string& text)
{
    Send(hWnd, WM_SETTEXT, 0, (LPARAM)ToWide(text).c_str());
}

void EmptyAndFocus(HWND hEdit)
{
    SetText(hEdit, "");
    ExpectAgent("focus " + Hex(hEdit), "ok", false);
}

static std::wstring FromUtf8(const std::string& s)
{
    std::wstring w((size_t)::MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), NULL, 0), L'\0');
    if (!w.empty())
        ::MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], (int)w.size());
    return w;
}

std::vector<std::wstring> ComboItemsW(int id)
{
    std::vector<std::wstring> items;
    std::string all = Agent("items " + Hex(Ctl(id)));
    for (size_t start = 0, zero; (zero = all.find('\0', start)) != std::string::npos; start = zero + 1)
        items.push_back(FromUtf8(all.substr(start, zero - start)));
    return items;
}

std::vector<std::string> ComboItems(int id)
{
    std::vector<std::string> items;
    for (const std::wstring& item : ComboItemsW(id))
        items.push_back(ToAnsi(item));
    return items;
}

Field ReadField(int id)
{
    Field f = { Text(Ctl(id)), ComboItems(id) };
    return f;
}

std::string DropFiles(HWND hWnd, const std::vector<std::string>& paths, POINT pt, bool wide)
{
    std::string list;
    for (size_t i = 0; i < paths.size(); i++) {
        if (wide) {
            std::wstring w = ToWide(paths[i]) + L'\0';
            list.append((const char*)w.data(), w.size() * sizeof(WCHAR));
        } else {
            list += paths[i] + '\0';
        }
    }
    list.append(wide ? 2 : 1, '\0');
    char cmd[128];
    sprintf(cmd, "drop %s %ld %ld %d", Hex(hWnd).c_str(), pt.x, pt.y, wide ? 1 : 0);
    return Agent(cmd, list);
}

bool DropTaken(const std::string& hDrop)
{
    return strtoul(Agent("gflags " + hDrop).c_str(), NULL, 16) == GMEM_INVALID_HANDLE;
}

std::string SettingsKey(const std::string& name)
{
    return "software\\Velmot\\" + name + "\\Settings";
}

void ClearSettings(const std::string& name)
{
    const std::string key = "software\\Velmot\\" + name;
    ExpectDone("RegDeleteTreeA(HKCU\\" + key + ")", ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()), ERROR_FILE_NOT_FOUND);
}

void SetValue(const std::string& name, DWORD type, const std::string& data, Caller where)
{
    ::testing::ScopedTrace trace(where.file_name(), (int)where.line(), name);
    ExpectDone("RegSetKeyValueA(HKCU\\" + SettingsKey() + ", " + name + ")",
               ::RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey().c_str(), name.c_str(), type, data.data(), (DWORD)data.size()));
}

void SetString(const std::string& name, const std::string& value, Caller where)
{
    SetValue(name, REG_SZ, value + std::string(1, '\0'), where);
}

void SetString(const std::string& name, const std::wstring& value, Caller where)
{
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, ToWide(SettingsKey()).c_str(), ToWide(name).c_str(),
                                               REG_SZ, value.c_str(), (DWORD)((value.size() + 1) * sizeof(WCHAR))))
        << where.file_name() << ":" << where.line() << " " << name;
}

static bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD* type, std::string* data)
{
    HKEY hKey;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cb = 0;
    LONG r = ::RegQueryValueExA(hKey, name.c_str(), NULL, type, NULL, &cb);
    if (r == ERROR_SUCCESS) {
        data->assign(cb, '\0');
        r = ::RegQueryValueExA(hKey, name.c_str(), NULL, type, cb ? (BYTE*)&(*data)[0] : NULL, &cb);
        data->resize(cb);
    }
    ::RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

bool GetValue(const std::string& name, DWORD* type, std::string* data)
{
    return ReadValue(HKEY_CURRENT_USER, SettingsKey(), name, type, data);
}

std::string GetString(const std::string& name, Caller where)
{
    ::testing::ScopedTrace trace(where.file_name(), (int)where.line(), name);
    DWORD type = 0;
    std::string data;
    if (!GetValue(name, &type, &data)) {
        ADD_FAILURE() << "no value " << name;
        return std::string();
    }
    EXPECT_EQ((DWORD)REG_SZ, type) << name;
    if (data.empty() || data[data.size() - 1] != '\0') {
        ADD_FAILURE() << name << " has no terminator";
        return data;
    }
    data.resize(data.size() - 1);
    EXPECT_EQ(std::string::npos, data.find('\0')) << name << " holds a zero byte";
    return data;
}

std::wstring GetStringExact(const std::string& name, Caller where)
{
    HKEY hKey;
    std::wstring w;
    DWORD type = 0, cb = 0;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(SettingsKey()).c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        if (::RegQueryValueExW(hKey, ToWide(name).c_str(), NULL, &type, NULL, &cb) == ERROR_SUCCESS) {
            w.assign(cb / sizeof(WCHAR), L'\0');
            if (::RegQueryValueExW(hKey, ToWide(name).c_str(), NULL, &type, (BYTE*)&w[0], &cb) != ERROR_SUCCESS)
                type = REG_NONE;
            w.resize(cb / sizeof(WCHAR));
        }
        ::RegCloseKey(hKey);
    }
    if (type != REG_SZ || w.empty() || w.back() != L'\0')
        ADD_FAILURE_AT(where.file_name(), (int)where.line()) << name << " is no terminated REG_SZ (type " << type << ")";
    else
        w.pop_back();
    return w;
}

static const char* const kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\windiff.exe";

ToolPathGuard::ToolPathGuard() : m_had(false), m_type(0)
{
    m_had = ReadValue(HKEY_LOCAL_MACHINE, kToolKey, "Path", &m_type, &m_data);
}

ToolPathGuard::~ToolPathGuard()
{
    if (m_had)
        Set(m_type, m_data);
    else
        Remove();
}

void ToolPathGuard::Set(DWORD type, const std::string& data)
{
    ExpectDone(std::string("RegSetKeyValueA(HKLM\\") + kToolKey + ", Path)",
               ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, kToolKey, "Path", type, data.data(), (DWORD)data.size()));
}

void ToolPathGuard::Remove()
{
    ExpectDone(std::string("RegDeleteKeyValueA(HKLM\\") + kToolKey + ", Path)",
               ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kToolKey, "Path"), ERROR_FILE_NOT_FOUND);
}

std::string BuildDir()
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, path, sizeof(path));
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ScratchDir()
{
    static const char root[] = "C:\\pt\\";
    static const LONG error = [] {
        // What an earlier run left, gone: the shell wants a double-NUL list.
        char from[] = "C:\\pt\0";
        SHFILEOPSTRUCTA op;
        ZeroMemory(&op, sizeof(op));
        op.wFunc = FO_DELETE;
        op.pFrom = from;
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        ::SHFileOperationA(&op);
        return ErrorOf(::CreateDirectoryA(root, NULL));
    }();
    ExpectDone(std::string("CreateDirectoryA(") + root + ")", error, ERROR_ALREADY_EXISTS);
    return root;
}

std::string StandinPath()
{
    return BuildDir() + "standin.exe";
}

static std::string StandinLog()
{
    return ScratchDir() + "standin.log";
}

void ResetStandinLog()
{
    ExpectDone("DeleteFileA(" + StandinLog() + ")", ErrorOf(::DeleteFileA(StandinLog().c_str())), ERROR_FILE_NOT_FOUND);
    ::SetEnvironmentVariableA("PELORIN_STANDIN_LOG", StandinLog().c_str());
}

std::vector<std::string> StandinRecords()
{
    std::vector<std::string> records;
    std::ifstream f(StandinLog().c_str(), std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    for (size_t pos = 0; pos + 4 <= all.size();) {
        size_t len = (unsigned char)all[pos] | ((unsigned char)all[pos + 1] << 8)
                     | ((unsigned char)all[pos + 2] << 16) | ((size_t)(unsigned char)all[pos + 3] << 24);
        if (pos + 4 + len > all.size())
            break;
        records.push_back(all.substr(pos + 4, len));
        pos += 4 + len;
    }
    return records;
}

// Whether a stand-in, started by anyone, still runs (it records its start
// and ends): standin.exe, or a copy of it that a test made in the scratch
// folder under a tool's name (which the next row may copy over).
static bool StandinRunning()
{
    HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof(pe);
    bool found = false;
    const std::string scratch = ScratchDir();
    for (BOOL ok = ::Process32First(hSnap, &pe); ok && !found; ok = ::Process32Next(hSnap, &pe)) {
        char image[MAX_PATH] = "";
        DWORD n = MAX_PATH;
        HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pe.th32ProcessID);
        found = lstrcmpiA(pe.szExeFile, "standin.exe") == 0
                || (h && ::QueryFullProcessImageNameA(h, 0, image, &n) && !_strnicmp(image, scratch.c_str(), scratch.size()));
        if (h)
            ::CloseHandle(h);
    }
    ::CloseHandle(hSnap);
    return found;
}

std::vector<std::string> WaitStandinRecords(size_t n, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    std::vector<std::string> records = StandinRecords();
    while (records.size() < n || StandinRunning()) {
        if (::GetTickCount() - start >= timeoutMs) {
            ADD_FAILURE() << "the stand-in recorded " << records.size() << " start(s), not " << n << ", or still ran, after "
                          << timeoutMs << " ms";
            break;
        }
        ::Sleep(20);
        records = StandinRecords();
    }
    return records;
}

std::string Parameters(const std::string& whole)
{
    const std::string record = whole.c_str();
    if (record.empty() || record[0] != '"')
        return "<no quoted program path: " + record + ">";
    size_t close = record.find('"', 1);
    if (close == std::string::npos || close + 1 >= record.size() || record[close + 1] != ' ')
        return "<unexpected command line: " + record + ">";
    return record.substr(close + 2);
}

std::vector<std::string> Arguments(const std::string& record)
{
    std::vector<std::string> args;
    for (const std::wstring& arg : ExactArguments(record.c_str(), false))
        args.push_back(ToAnsi(arg));
    return args;
}

std::vector<std::wstring> ExactArguments(const std::string& record, bool bUnicode)
{
    const size_t ansi = strlen(record.c_str());
    std::wstring line = bUnicode ? FromUtf8(record.substr(std::min(record.size(), ansi + 1))) : ToWide(record.c_str());
    line.resize(wcslen(line.c_str()));
    std::vector<std::wstring> args;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &argc);
    for (int i = 0; argv && i < argc; i++)
        args.push_back(argv[i]);
    ::LocalFree(argv);
    return args;
}

} // namespace harness
