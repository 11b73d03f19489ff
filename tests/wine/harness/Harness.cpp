#include "Harness.h"

#include "../../../app/LauncherApp.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include <memory>

namespace harness {

namespace {

struct Runner
{
    std::vector<Tick> ticks;
    size_t next;
    DWORD deadline;
    bool timedOut;
};
Runner g_run;

BOOL CALLBACK CollectDialogs(HWND hWnd, LPARAM lParam)
{
    char cls[32];
    if (::IsWindowVisible(hWnd) && ::GetClassNameA(hWnd, cls, sizeof(cls)) && lstrcmpA(cls, "#32770") == 0)
        ((std::vector<HWND>*)lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> ThreadDialogs()
{
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialogs, (LPARAM)&found);
    return found;
}

// Closes what the program left open: the newest dialog first.
void CloseEverything()
{
    std::vector<HWND> dialogs = ThreadDialogs();
    for (size_t i = 0; i < dialogs.size(); i++) {
        if (::IsWindowEnabled(dialogs[i])) {
            ::PostMessageA(dialogs[i], WM_COMMAND, IDCANCEL, 0);
            return;
        }
    }
    if (MainDialog())
        ::PostMessageA(MainDialog(), WM_COMMAND, IDCANCEL, 0);
}

VOID CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (::GetTickCount() >= g_run.deadline) {
        g_run.timedOut = true;
        CloseEverything();
        return;
    }
    if (g_run.next < g_run.ticks.size()) {
        size_t i = g_run.next;
        if (g_run.ticks[i]())
            g_run.next = i + 1;
    }
}

void SetShift(bool shift)
{
    BYTE state[256];
    ZeroMemory(state, sizeof(state));
    if (shift)
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(state);
}

void PostKeyStroke(HWND hWnd, UINT vk)
{
    UINT scan = ::MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
    ::PostMessageW(hWnd, WM_KEYDOWN, vk, (LPARAM)(1 | (scan << 16)));
    ::PostMessageW(hWnd, WM_KEYUP, vk, (LPARAM)(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

std::string AppName()
{
    return std::string(theApp.m_strAppName);
}

} // namespace

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
    // Keys that need the same Shift state go into one step: the state is set
    // now and read by the loop's TranslateMessage when the keys arrive.
    struct Key
    {
        UINT vk;       // 0: a double-byte character posted as WM_CHAR
        WCHAR ch;
        bool shift;
    };
    std::vector<Key> keys;
    for (size_t i = 0; i < text.size(); i++) {
        unsigned char c = (unsigned char)text[i];
        if (::IsDBCSLeadByte(c) && i + 1 < text.size()) {
            WCHAR w = 0;
            ::MultiByteToWideChar(CP_ACP, 0, text.c_str() + i, 2, &w, 1);
            Key k = { 0, w, false };
            keys.push_back(k);
            i++;
            continue;
        }
        SHORT vks = ::VkKeyScanA((CHAR)c);
        if (vks == -1) {
            WCHAR w = 0;
            ::MultiByteToWideChar(CP_ACP, 0, text.c_str() + i, 1, &w, 1);
            Key k = { 0, w, false };
            keys.push_back(k);
        } else {
            Key k = { (UINT)LOBYTE(vks), 0, (HIBYTE(vks) & 1) != 0 };
            keys.push_back(k);
        }
    }
    for (size_t i = 0; i < keys.size();) {
        size_t j = i;
        // A character posted as WM_CHAR would overtake the characters that
        // the loop still has to make from the key strokes before it: it
        // goes in a step of its own.
        if (keys[i].vk == 0)
            j = i + 1;
        else
            while (j < keys.size() && keys[j].vk != 0 && keys[j].shift == keys[i].shift)
                j++;
        std::vector<Key> run(keys.begin() + (long)i, keys.begin() + (long)j);
        Do([run]() {
            SetShift(run[0].shift);
            HWND hFocus = ::GetFocus();
            for (size_t k = 0; k < run.size(); k++) {
                if (run[k].vk)
                    PostKeyStroke(hFocus, run[k].vk);
                else
                    ::PostMessageW(hFocus, WM_CHAR, run[k].ch, 1);
            }
        });
        i = j;
    }
    return Do([]() { SetShift(false); });
}

Script& Script::Key(UINT vk)
{
    return Do([vk]() {
        SetShift(false);
        PostKeyStroke(::GetFocus(), vk);
    });
}

Script& Script::Click(int id)
{
    return Do([id]() { ::PostMessageA(Ctl(id), BM_CLICK, 0, 0); });
}

Script& Script::Focus(int id)
{
    return Do([id]() { ::SetFocus(Ctl(id)); });
}

Script& Script::WaitFor(std::function<bool()> cond, DWORD timeoutMs)
{
    std::shared_ptr<DWORD> start = std::make_shared<DWORD>(0);
    m_ticks.push_back([cond, timeoutMs, start]() {
        if (!*start)
            *start = ::GetTickCount() | 1;
        if (cond())
            return true;
        if ((LONG)(::GetTickCount() - *start) > (LONG)timeoutMs) {   // start may lie 1 ms ahead
            ADD_FAILURE() << "a condition did not come true within " << timeoutMs << " ms";
            return true;
        }
        return false;
    });
    return *this;
}

bool RunProgram(const Script& script, DWORD timeoutMs)
{
    g_run.ticks.clear();
    // The dialog in front, as after a user started it.
    g_run.ticks.push_back([]() {
        if (MainDialog())
            ::SetForegroundWindow(MainDialog());
        return true;
    });
    g_run.ticks.insert(g_run.ticks.end(), script.ticks().begin(), script.ticks().end());
    g_run.next = 0;
    g_run.timedOut = false;
    g_run.deadline = ::GetTickCount() + timeoutMs;

    UINT_PTR timer = ::SetTimer(NULL, 0, 20, OnTick);
    theApp.InitInstance();
    ::KillTimer(NULL, timer);
    SetShift(false);

    EXPECT_FALSE(g_run.timedOut) << "the program did not end within " << timeoutMs << " ms (step "
                                 << g_run.next << " of " << g_run.ticks.size() << ")";
    EXPECT_EQ(g_run.ticks.size(), g_run.next) << "the program ended before its script did";
    return !g_run.timedOut;
}

HWND MainDialog()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain ? pMain->m_hWnd : NULL;
}

HWND Ctl(int id)
{
    return ::GetDlgItem(MainDialog(), id);
}

HWND ComboEdit(int id)
{
    COMBOBOXINFO cbi;
    ZeroMemory(&cbi, sizeof(cbi));
    cbi.cbSize = sizeof(cbi);
    ::GetComboBoxInfo(Ctl(id), &cbi);
    return cbi.hwndItem;
}

HWND OtherDialog()
{
    std::vector<HWND> dialogs = ThreadDialogs();
    for (size_t i = 0; i < dialogs.size(); i++)
        if (dialogs[i] != MainDialog())
            return dialogs[i];
    return NULL;
}

std::string Text(HWND hWnd)
{
    int n = ::GetWindowTextLengthA(hWnd);
    std::string s((size_t)n + 1, '\0');
    n = ::GetWindowTextA(hWnd, &s[0], n + 1);
    s.resize((size_t)(n < 0 ? 0 : n));
    return s;
}

Field ReadField(int id)
{
    Field f = { Text(Ctl(id)), ComboItems(id) };
    return f;
}

void SetText(HWND hWnd, const std::string& text)
{
    ::SendMessageA(hWnd, WM_SETTEXT, 0, (LPARAM)text.c_str());
}

std::vector<std::string> ComboItems(int id)
{
    // Read wide and converted here: Wine converts the ANSI list messages
    // through a fixed buffer that long entries overrun.
    std::vector<std::string> items;
    HWND hCombo = Ctl(id);
    int count = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        int n = (int)::SendMessageW(hCombo, CB_GETLBTEXTLEN, i, 0);
        std::vector<WCHAR> w((size_t)(n < 0 ? 0 : n) + 1, 0);
        ::SendMessageW(hCombo, CB_GETLBTEXT, i, (LPARAM)&w[0]);
        int len = ::WideCharToMultiByte(CP_ACP, 0, &w[0], -1, NULL, 0, NULL, NULL);
        std::string s((size_t)(len > 0 ? len : 1), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, &w[0], -1, &s[0], len, NULL, NULL);
        s.resize(strlen(s.c_str()));
        items.push_back(s);
    }
    return items;
}

void ComboEditSel(int id, DWORD* start, DWORD* end)
{
    ::SendMessageA(Ctl(id), CB_GETEDITSEL, (WPARAM)start, (LPARAM)end);
}

void DropFiles(HWND hWnd, const std::vector<std::string>& paths, POINT pt, bool wide)
{
    std::vector<char> list;
    for (size_t i = 0; i < paths.size(); i++) {
        if (wide) {
            int n = ::MultiByteToWideChar(CP_ACP, 0, paths[i].c_str(), -1, NULL, 0);
            std::vector<WCHAR> w((size_t)n);
            ::MultiByteToWideChar(CP_ACP, 0, paths[i].c_str(), -1, &w[0], n);
            list.insert(list.end(), (const char*)&w[0], (const char*)&w[0] + n * sizeof(WCHAR));
        } else {
            list.insert(list.end(), paths[i].begin(), paths[i].end());
            list.push_back('\0');
        }
    }
    list.insert(list.end(), wide ? 2 : 1, '\0');
    HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    DROPFILES* df = (DROPFILES*)::GlobalLock(hDrop);
    df->pFiles = sizeof(DROPFILES);
    df->pt = pt;
    df->fNC = FALSE;
    df->fWide = wide;
    memcpy(df + 1, &list[0], list.size());
    ::GlobalUnlock(hDrop);
    ::PostMessageA(hWnd, WM_DROPFILES, (WPARAM)hDrop, 0);
}

std::string SettingsKey()
{
    return "software\\Velmot\\" + AppName() + "\\Settings";
}

void ClearSettings()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ("software\\Velmot\\" + AppName()).c_str());
}

void SetValue(const std::string& name, DWORD type, const std::string& data)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, NULL, 0,
                                               KEY_WRITE, NULL, &hKey, NULL));
    ::RegSetValueExA(hKey, name.c_str(), 0, type, (const BYTE*)data.data(), (DWORD)data.size());
    ::RegCloseKey(hKey);
}

void SetString(const std::string& name, const std::string& value)
{
    SetValue(name, REG_SZ, value + std::string(1, '\0'));
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

std::string GetString(const std::string& name)
{
    DWORD type = 0;
    std::string data;
    if (!GetValue(name, &type, &data)) {
        ADD_FAILURE() << "no value " << name;
        return std::string();
    }
    EXPECT_EQ((DWORD)REG_SZ, type) << name;
    EXPECT_FALSE(data.empty()) << name << " has no terminator";
    if (data.empty())
        return data;
    EXPECT_EQ('\0', data[data.size() - 1]) << name << " has no terminator";
    data.resize(data.size() - 1);
    EXPECT_EQ(std::string::npos, data.find('\0')) << name << " holds a zero byte";
    return data;
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
    HKEY hKey;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot write HKLM\\" << kToolKey;
        return;
    }
    ::RegSetValueExA(hKey, "Path", 0, type, (const BYTE*)data.data(), (DWORD)data.size());
    ::RegCloseKey(hKey);
}

void ToolPathGuard::Remove()
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, KEY_WRITE, &hKey) == ERROR_SUCCESS) {
        ::RegDeleteValueA(hKey, "Path");
        ::RegCloseKey(hKey);
    }
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
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof(temp), temp);
    char name[64];
    sprintf(name, "pelorin-tests-%lu\\", (unsigned long)::GetCurrentProcessId());
    std::string dir = std::string(temp) + name;
    ::CreateDirectoryA(dir.c_str(), NULL);
    return dir;
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
    ::DeleteFileA(StandinLog().c_str());
    ::SetEnvironmentVariableA("PELORIN_STANDIN_LOG", StandinLog().c_str());
}

std::vector<std::string> StandinRecords()
{
    std::vector<std::string> records;
    FILE* f = fopen(StandinLog().c_str(), "rb");
    if (!f)
        return records;
    std::string all;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        all.append(buf, n);
    fclose(f);
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

std::vector<std::string> WaitStandinRecords(size_t n, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    std::vector<std::string> records = StandinRecords();
    while (records.size() < n && ::GetTickCount() - start < timeoutMs) {
        ::Sleep(20);
        records = StandinRecords();
    }
    return records;
}

std::string Parameters(const std::string& record)
{
    // "<program path>" then one space, then the parameters.
    if (record.empty() || record[0] != '"')
        return "<no quoted program path: " + record + ">";
    size_t close = record.find('"', 1);
    if (close == std::string::npos || close + 1 >= record.size() || record[close + 1] != ' ')
        return "<unexpected command line: " + record + ">";
    return record.substr(close + 2);
}

Child::~Child()
{
    if (m_pi.hProcess) {
        if (Running()) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
        }
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

bool Child::Start(const std::string& name, DWORD timeoutMs)
{
    // A second start under the same name runs the same copy.
    std::string exe = ScratchDir() + name + ".exe";
    if (::GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES
        && !::CopyFileA((BuildDir() + "Pelorin.exe").c_str(), exe.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy Pelorin.exe to " << exe;
        return false;
    }
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    std::string cmd = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, ScratchDir().c_str(), &si, &m_pi)) {
        ADD_FAILURE() << "cannot start " << exe;
        return false;
    }
    ::WaitForInputIdle(m_pi.hProcess, timeoutMs);
    DWORD start = ::GetTickCount();
    do {
        std::vector<HWND> windows = ProcessWindows(m_pi.dwProcessId);
        for (size_t i = 0; i < windows.size(); i++) {
            char cls[32];
            if (::GetClassNameA(windows[i], cls, sizeof(cls)) && lstrcmpA(cls, "#32770") == 0) {
                m_hDialog = windows[i];
                return true;
            }
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs && Running());
    return false;
}

bool Child::WaitExit(DWORD timeoutMs)
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool Child::Running() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

void Child::DeleteSettings(const std::string& name)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ("software\\Velmot\\" + name).c_str());
}

struct ProcessWindowSearch
{
    DWORD pid;
    std::vector<HWND>* found;
};

static BOOL CALLBACK CollectProcessWindows(HWND hWnd, LPARAM lParam)
{
    ProcessWindowSearch* s = (ProcessWindowSearch*)lParam;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == s->pid && ::IsWindowVisible(hWnd))
        s->found->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD pid)
{
    std::vector<HWND> found;
    ProcessWindowSearch s = { pid, &found };
    ::EnumWindows(CollectProcessWindows, (LPARAM)&s);
    return found;
}

void* ReplaceImport(const char* name, void* replacement)
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
            void* old = (void*)slots->u1.Function;
            DWORD protect;
            ::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protect);
            slots->u1.Function = (ULONG_PTR)replacement;
            ::VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protect, &protect);
            return old;
        }
    }
    return NULL;
}

} // namespace harness
