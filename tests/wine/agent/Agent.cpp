// The test agent (see AgentProtocol.h): what the tests need done, or read,
// inside the running program. Each command is a line of words; handles are
// hexadecimal. The reply is text.
#include "AgentProtocol.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

UINT g_message;
HANDLE g_mapping, g_event;
AgentBlock* g_block;

// --- Reading a command --------------------------------------------------------

struct Args
{
    const char* p;
    std::string Word()
    {
        while (*p == ' ')
            p++;
        const char* start = p;
        while (*p && *p != ' ')
            p++;
        return std::string(start, p);
    }
    ULONG_PTR Handle() { return (ULONG_PTR)_strtoui64(Word().c_str(), NULL, 16); }
    HWND Window() { return (HWND)Handle(); }
    long Number() { return strtol(Word().c_str(), NULL, 10); }
    std::string Rest()
    {
        while (*p == ' ')
            p++;
        return p;
    }
};

std::string Format(const char* format, ...)
{
    char buf[1024];
    va_list args;
    va_start(args, format);
    _vsnprintf(buf, sizeof(buf) - 1, format, args);
    va_end(args);
    buf[sizeof(buf) - 1] = 0;
    return buf;
}

// --- What the commands read or do ---------------------------------------------

// A text as UTF-8, so that the answer holds it whole whatever the code page.
std::string Utf8(const WCHAR* w)
{
    char buf[1024] = "";
    return ::WideCharToMultiByte(CP_UTF8, 0, w, -1, buf, sizeof(buf), NULL, NULL) ? buf : "<too long>";
}

std::string TextExtent(HWND hWnd)
{
    int n = ::GetWindowTextLengthA(hWnd);
    std::string text((size_t)n + 1, '\0');
    n = ::GetWindowTextA(hWnd, &text[0], n + 1);
    HDC hDC = ::GetDC(hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0));
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32A(hDC, text.c_str(), n, &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return Format("%ld %ld", size.cx, size.cy);
}

const char* StandardIcon(HICON hIcon)
{
    struct Known { LPCSTR id; const char* name; } known[] = {
        { IDI_EXCLAMATION, "exclamation" }, { IDI_HAND, "hand" }, { IDI_ASTERISK, "asterisk" },
        { IDI_QUESTION, "question" }, { IDI_APPLICATION, "application" },
    };
    for (const Known& k : known)
        if (hIcon == ::LoadIconA(NULL, k.id))
            return k.name;
    return "other";
}

std::string IconInfo(HICON hIcon)
{
    ICONINFO info;
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return "none";
    BITMAP bm = {};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return Format("%ld %s", bm.bmWidth, StandardIcon(hIcon));
}

int CountPixels(HWND hWnd, COLORREF c)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hDC = ::GetDC(hWnd);
    int n = 0;
    for (int y = 0; y < rc.bottom; y++)
        for (int x = 0; x < rc.right; x++)
            n += ::GetPixel(hDC, x, y) == c;
    ::ReleaseDC(hWnd, hDC);
    return n;
}

// What a control answers its dialog's colour request.
std::string CtlColor(HWND hDlg, HWND hCtl)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    LRESULT brush = ::SendMessageA(hDlg, WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hCtl);
    std::string reply = Format("%d %d %06lx", brush == (LRESULT)::GetStockObject(NULL_BRUSH), ::GetBkMode(hDC),
                               (unsigned long)::GetTextColor(hDC));
    ::DeleteDC(hDC);
    return reply;
}

// The tool a tooltip shows for hWnd: its rectangle, and the text of the
// tool it shows now.
std::string Tooltip(HWND hTip, HWND hWnd, UINT_PTR id)
{
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = hWnd;
    ti.uId = id;
    ::SendMessageA(hTip, TTM_GETTOOLINFOA, 0, (LPARAM)&ti);
    RECT rc = ti.rect;
    char text[512] = "";
    ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.lpszText = text;
    ::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
    return Format("%ld %ld %ld %ld ", rc.left, rc.top, rc.right, rc.bottom) + text;
}

std::string WndProcModule(HWND hWnd)
{
    HMODULE hModule = NULL;
    char path[MAX_PATH] = "";
    if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCSTR)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC), &hModule))
        ::GetModuleFileNameA(hModule, path, sizeof(path));
    return path;
}

// One line per item: its type flags, command and text.
std::string SystemMenu(HWND hWnd)
{
    HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
    std::string reply;
    for (int i = 0; hMenu && i < ::GetMenuItemCount(hMenu); i++) {
        WCHAR text[256] = L"";
        MENUITEMINFOW mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text) / sizeof(text[0]);
        ::GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &mii);
        reply += Format("%x %u ", mii.fType, mii.wID) + Utf8(text) + "\n";
    }
    return reply;
}

std::string TreeItemText(HWND hTree, HTREEITEM hItem)
{
    char buf[MAX_PATH] = "";
    TVITEMA tv;
    ZeroMemory(&tv, sizeof(tv));
    tv.mask = TVIF_TEXT;
    tv.hItem = hItem;
    tv.pszText = buf;
    tv.cchTextMax = sizeof(buf);
    if (!hItem || !::SendMessageA(hTree, TVM_GETITEMA, 0, (LPARAM)&tv))
        return std::string();
    return buf;
}

// The selected item of a tree and the item it lies in: "parent/selected".
std::string TreeSelection(HWND hTree)
{
    HTREEITEM sel = (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    HTREEITEM parent = (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)sel);
    return TreeItemText(hTree, parent) + "/" + TreeItemText(hTree, sel);
}

std::string Ansi(const std::wstring& w, UINT codePage = CP_ACP)
{
    int n = ::WideCharToMultiByte(codePage, 0, w.data(), (int)w.size(), NULL, 0, NULL, NULL);
    std::string s((size_t)(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(codePage, 0, w.data(), (int)w.size(), &s[0], n, NULL, NULL);
    return s;
}

// The file an Open File dialog would open now: its folder and file name.
// The program opens its file dialogs with the Unicode functions, and they
// answer in that character set.
std::string FileDialogChoice(HWND hDlg)
{
    WCHAR folder[1024] = L"", name[1024] = L"";
    ::SendMessageW(hDlg, CDM_GETFOLDERPATH, 1024, (LPARAM)folder);
    ::SendMessageW(hDlg, CDM_GETSPEC, 1024, (LPARAM)name);
    std::wstring path = folder;
    if (!path.empty() && path[path.size() - 1] != L'\\')
        path += L"\\";
    return Ansi(path + name);
}

// A combo box's list entries, each ended by a zero byte. The count is asked
// of the combo box, as any reader asks it; the entries are read here, from
// the list part with wide messages: Wine carries neither long list entries
// between processes nor the combo box's own messages for them whole.
std::string ComboItems(HWND hCombo)
{
    std::string reply;
    COMBOBOXINFO cbi;
    ZeroMemory(&cbi, sizeof(cbi));
    cbi.cbSize = sizeof(cbi);
    ::GetComboBoxInfo(hCombo, &cbi);
    int count = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        int n = (int)::SendMessageW(cbi.hwndList, LB_GETTEXTLEN, i, 0);
        std::wstring w((size_t)(n > 0 ? n : 0) + 1, L'\0');
        n = (int)::SendMessageW(cbi.hwndList, LB_GETTEXT, i, (LPARAM)&w[0]);
        w.resize((size_t)(n > 0 ? n : 0));
        reply += Ansi(w, CP_UTF8) + '\0';   // whole, whatever the code page
    }
    return reply;
}

// --- The help viewer, as the program imports it --------------------------------

BOOL g_helpResult;
std::string g_helpCalls;

BOOL WINAPI RecordWinHelp(HWND, LPCWSTR pszFile, UINT uCommand, ULONG_PTR dwData)
{
    g_helpCalls += Format("%s|%u|%lx\n", Ansi(pszFile ? pszFile : L"").c_str(), uCommand, (unsigned long)dwData);
    return g_helpResult;
}

// Points the program's import of a function at another; false when the
// program does not import it.
bool ReplaceImport(const char* name, void* replacement)
{
    BYTE* base = (BYTE*)::GetModuleHandleA(NULL);
    IMAGE_NT_HEADERS* nt = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR* d = (IMAGE_IMPORT_DESCRIPTOR*)(base + dir.VirtualAddress); d->Name; d++) {
        IMAGE_THUNK_DATA* names = (IMAGE_THUNK_DATA*)(base + d->OriginalFirstThunk);
        IMAGE_THUNK_DATA* slots = (IMAGE_THUNK_DATA*)(base + d->FirstThunk);
        for (; names->u1.AddressOfData; names++, slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                || lstrcmpA((char*)((IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData))->Name, name))
                continue;
            DWORD protect;
            ::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protect);
            slots->u1.Function = (ULONG_PTR)replacement;
            ::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protect, &protect);
            return true;
        }
    }
    return false;
}

// --- Commands -----------------------------------------------------------------

std::string Run(const char* command, const char* data, size_t dataSize)
{
    Args a = { command };
    std::string verb = a.Word();
    if (verb == "sync")
        return "synced";
    if (verb == "focus") {
        // In the window or in a child of it (a combo box's edit part).
        HWND hWnd = a.Window();
        ::SetFocus(hWnd);
        HWND hFocus = ::GetFocus();
        return hFocus && (hFocus == hWnd || ::IsChild(hWnd, hFocus)) ? "ok" : Format("focus on %p", (void*)hFocus);
    }
    if (verb == "foreground") {
        HWND hWnd = a.Window();
        ::SetForegroundWindow(hWnd);
        ::SetActiveWindow(hWnd);
        return "ok";
    }
    if (verb == "shift" || verb == "ctrl") {
        BYTE state[256];
        ::GetKeyboardState(state);
        BYTE down = a.Number() ? 0x80 : 0;
        if (verb == "shift")
            state[VK_SHIFT] = state[VK_LSHIFT] = down;
        else
            state[VK_CONTROL] = state[VK_LCONTROL] = down;
        ::SetKeyboardState(state);
        return "ok";
    }
    if (verb == "drop") {
        // data: the names, each ended by a zero (two bytes for wide names),
        // and one more zero.
        HWND hWnd = a.Window();
        POINT pt;
        pt.x = a.Number();
        pt.y = a.Number();
        BOOL wide = a.Number() != 0;
        HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + dataSize);
        DROPFILES* df = (DROPFILES*)::GlobalLock(hDrop);
        df->pFiles = sizeof(DROPFILES);
        df->pt = pt;
        df->fWide = wide;
        memcpy(df + 1, data, dataSize);
        ::GlobalUnlock(hDrop);
        ::PostMessageA(hWnd, WM_DROPFILES, (WPARAM)hDrop, 0);
        return Format("%p", (void*)hDrop);
    }
    if (verb == "gflags")
        return Format("%x", ::GlobalFlags((HGLOBAL)a.Handle()));
    if (verb == "dlgrect") {
        HWND hWnd = a.Window();
        RECT rc;
        rc.left = a.Number();
        rc.top = a.Number();
        rc.right = a.Number();
        rc.bottom = a.Number();
        ::MapDialogRect(hWnd, &rc);
        return Format("%ld %ld %ld %ld", rc.left, rc.top, rc.right, rc.bottom);
    }
    if (verb == "font") {
        LOGFONTW lf;
        HFONT hFont = (HFONT)::SendMessageA(a.Window(), WM_GETFONT, 0, 0);
        if (!hFont || !::GetObjectW(hFont, sizeof(lf), &lf))
            return "none";
        return Format("%ld %d ", lf.lfHeight, lf.lfUnderline) + Utf8(lf.lfFaceName);
    }
    if (verb == "extent")
        return TextExtent(a.Window());
    if (verb == "icon")
        return IconInfo((HICON)a.Handle());
    if (verb == "pixels") {
        HWND hWnd = a.Window();
        return Format("%d", CountPixels(hWnd, (COLORREF)strtoul(a.Word().c_str(), NULL, 16)));
    }
    if (verb == "ctlcolor") {
        HWND hDlg = a.Window();
        return CtlColor(hDlg, a.Window());
    }
    if (verb == "tooltip") {
        HWND hTip = a.Window();
        HWND hWnd = a.Window();
        return Tooltip(hTip, hWnd, (UINT_PTR)a.Number());
    }
    if (verb == "module")
        return WndProcModule(a.Window());
    if (verb == "sysmenu")
        return SystemMenu(a.Window());
    if (verb == "tree")
        return TreeSelection(a.Window());
    if (verb == "filedlg")
        return FileDialogChoice(a.Window());
    if (verb == "items")
        return ComboItems(a.Window());
    if (verb == "comboparts") {
        // A combo box's edit part and list part (GetComboBoxInfo works only
        // within the process).
        COMBOBOXINFO cbi;
        ZeroMemory(&cbi, sizeof(cbi));
        cbi.cbSize = sizeof(cbi);
        ::GetComboBoxInfo(a.Window(), &cbi);
        return Format("%p %p", (void*)cbi.hwndItem, (void*)cbi.hwndList);
    }
    if (verb == "setfont") {
        // A copy of the window's font, its height scaled by num / den.
        HWND hWnd = a.Window();
        long num = a.Number(), den = a.Number();
        LOGFONTA lf;
        ::GetObjectA((HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0), sizeof(lf), &lf);
        lf.lfHeight = lf.lfHeight * num / den;
        ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::CreateFontIndirectA(&lf), FALSE);
        return Format("%ld", lf.lfHeight);
    }
    if (verb == "dpichanged") {
        // As the system tells a window that moved to a screen of that DPI.
        HWND hWnd = a.Window();
        UINT dpi = (UINT)a.Number();
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::SendMessageA(hWnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), (LPARAM)&rc);
        return "ok";
    }
    if (verb == "send") {
        // A message whose parameters are plain numbers.
        HWND hWnd = a.Window();
        UINT msg = (UINT)a.Handle();
        WPARAM w = (WPARAM)a.Handle();
        LPARAM l = (LPARAM)a.Handle();
        return Format("%p", (void*)::SendMessageA(hWnd, msg, w, l));
    }
    if (verb == "winhelp") {
        g_helpResult = a.Number() != 0;
        g_helpCalls.clear();
        return ReplaceImport("WinHelpW", (void*)RecordWinHelp) ? "ok" : "not imported";
    }
    if (verb == "helpcalls")
        return g_helpCalls;
    if (verb == "capture") {
        // The window takes the mouse capture, as a window pressed by the
        // mouse does; 0 releases it. Replies with the window that holds it.
        HWND hWnd = a.Window();
        if (hWnd)
            ::SetCapture(hWnd);
        else
            ::ReleaseCapture();
        return Format("%p", (void*)::GetCapture());
    }
    return "unknown command: " + verb;
}

void Answer(LONG request, const std::string& reply)
{
    // Never cut: a reply that does not fit says so.
    const std::string sent = reply.size() < sizeof(g_block->text) ? reply : Format("<%lu bytes: too long>", (unsigned long)reply.size());
    memcpy(g_block->text, sent.c_str(), sent.size() + 1);
    g_block->size = (DWORD)sent.size();
    ::InterlockedExchange(&g_block->answered, request);
    ::SetEvent(g_event);
}

bool Connect()
{
    if (g_block)
        return true;
    char block[64], event[64];
    AgentObjectNames(::GetCurrentProcessId(), block, event);
    g_mapping = ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, block);
    g_event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, event);
    if (g_mapping)
        g_block = (AgentBlock*)::MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(AgentBlock));
    return g_block && g_event;
}

// The request being answered: the reply is held back until the program has
// handled what came before the request.
struct Pending
{
    LONG request;
    std::string reply;
    bool sync;
    int taken;          // messages the thread took while the request waited
    UINT_PTR timer;
};
Pending g_pending;

// A queue that hands the thread this many messages without ever emptying is
// taken as one that never becomes idle.
const int kMaxTaken = 1000;

bool Waiting()
{
    return g_pending.request && g_pending.request == g_block->request && g_pending.request != g_block->answered;
}

void Finish(const std::string& reply)
{
    if (g_pending.timer)
        ::KillTimer(NULL, g_pending.timer);
    g_pending.timer = 0;
    Answer(g_pending.request, reply);
}

// Answers the pending request once the thread's queue holds no posted, sent
// or input message (timers and painting aside). The thread gets a timer's
// message only when nothing else waits, so what waits goes first.
void CALLBACK CheckIdle(HWND, UINT, UINT_PTR, DWORD)
{
    if (Waiting() && !HIWORD(::GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE | QS_INPUT)))
        Finish(g_pending.reply);
}

// Counts a message the thread took while a request waits. A queue that never
// empties gets the reply anyway, except for a sync, which says so.
void CountTaken()
{
    if (Waiting() && ++g_pending.taken >= kMaxTaken)
        Finish(g_pending.sync ? Format("not idle: the program took %d messages and its queue never emptied",
                                       g_pending.taken)
                              : g_pending.reply);
}

} // namespace

// Runs for every message the program's thread takes from its queue. The
// agent's message carries the request number in wParam.
extern "C" __declspec(dllexport) LRESULT CALLBACK AgentHook(int code, WPARAM wParam, LPARAM lParam)
{
    MSG* msg = (MSG*)lParam;
    if (!g_message)
        g_message = ::RegisterWindowMessageA(PELORIN_AGENT_MESSAGE);
    if (code == HC_ACTION && wParam == PM_REMOVE && Connect()) {
        if (msg->message != g_message) {
            CountTaken();
        } else {
            LONG request = (LONG)msg->wParam;
            msg->message = WM_NULL;
            if (request == g_block->request && request != g_block->answered && request != g_pending.request) {
                const char* command = g_block->text;
                size_t commandSize = strlen(command) + 1;
                if (g_pending.timer)
                    ::KillTimer(NULL, g_pending.timer);
                g_pending.request = request;
                g_pending.sync = strcmp(command, "sync") == 0;
                g_pending.taken = 0;
                g_pending.reply = Run(command, command + commandSize, g_block->size - commandSize);
                g_pending.timer = ::SetTimer(NULL, 0, 1, CheckIdle);
                CheckIdle(NULL, 0, 0, 0);
            }
        }
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}
