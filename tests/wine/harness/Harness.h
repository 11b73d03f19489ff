// Driving the real program in a test: the real start-up and modal run of the
// main dialog in this process, with scripted steps running inside its own
// message loop; typed keys, clicks and drops posted so that they pass
// through that loop; the registry; copies of the program started as child
// processes; and the stand-in comparison tool.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace harness {

typedef std::function<void()> Step;
typedef std::function<bool()> Tick;   // true: done; false: run again on the next tick

// A script of steps. Each runs on its own timer tick inside the program's
// message loop, after the messages posted by the step before it have been
// handled.
class Script
{
public:
    Script& Do(Step step);
    // Types ANSI (CP932) text into the window with the focus, key by key.
    Script& Type(const std::string& text);
    // Presses and releases a key in the window with the focus.
    Script& Key(UINT vk);
    // Clicks a button of the main dialog (moves the focus like a mouse click).
    Script& Click(int id);
    // Puts the focus on a control of the main dialog (for a combo box, its edit part).
    Script& Focus(int id);
    // Waits until cond() holds (checked once per tick), at most timeoutMs.
    Script& WaitFor(std::function<bool()> cond, DWORD timeoutMs = 5000);
    const std::vector<Tick>& ticks() const { return m_ticks; }

private:
    std::vector<Tick> m_ticks;
};

// Runs the program (the application's InitInstance: the real dialog, its
// settings and its modal run) while the script runs. The last step normally
// ends the dialog (OK, Cancel...). Returns true when the program ended by
// itself within timeoutMs; otherwise closes every window it left open and
// returns false.
bool RunProgram(const Script& script, DWORD timeoutMs = 15000);

// The main dialog while it runs, and its controls.
HWND MainDialog();
HWND Ctl(int id);
// The edit part of a combo box.
HWND ComboEdit(int id);
// A visible dialog window (class "#32770") of this thread other than the
// main dialog, the newest first; NULL when none.
HWND OtherDialog();

std::string Text(HWND hWnd);
void SetText(HWND hWnd, const std::string& text);   // WM_SETTEXT, as a paste of the whole text would
std::vector<std::string> ComboItems(int id);
// A path field as the user sees it: its text and its list.
struct Field
{
    std::string text;
    std::vector<std::string> items;
};
Field ReadField(int id);
// The selection in a combo box's edit part, as character positions.
void ComboEditSel(int id, DWORD* start, DWORD* end);

// Posts a real WM_DROPFILES holding paths to hWnd.
void DropFiles(HWND hWnd, const std::vector<std::string>& paths, POINT pt, bool wide = false);

// This executable's settings key below HKEY_CURRENT_USER.
std::string SettingsKey();
void ClearSettings();
void SetValue(const std::string& name, DWORD type, const std::string& data);
void SetString(const std::string& name, const std::string& value);   // REG_SZ with its terminator
// The value's raw bytes; false when it does not exist.
bool GetValue(const std::string& name, DWORD* type, std::string* data);
// The value as a REG_SZ text without its terminator; fails the test when it
// is not a well-formed REG_SZ.
std::string GetString(const std::string& name);

// HKLM\SOFTWARE\Microsoft\Shared Tools\windiff.exe, value "Path". Restored
// by the guard's destructor.
class ToolPathGuard
{
public:
    ToolPathGuard();
    ~ToolPathGuard();
    void Set(DWORD type, const std::string& data);
    void Remove();

private:
    bool m_had;
    DWORD m_type;
    std::string m_data;
};

// The directory of this test executable, with a trailing backslash.
std::string BuildDir();
// A fresh scratch directory for this test process.
std::string ScratchDir();

// The stand-in comparison tool and the records of its starts.
std::string StandinPath();
void ResetStandinLog();
std::vector<std::string> StandinRecords();
// Waits until at least n records exist; returns them.
std::vector<std::string> WaitStandinRecords(size_t n, DWORD timeoutMs = 5000);
// A record's parameters: what follows the quoted program path and one space.
std::string Parameters(const std::string& record);

// A copy of the program under another name, started as a child process.
class Child
{
public:
    Child() : m_hDialog(NULL) { ZeroMemory(&m_pi, sizeof(m_pi)); }
    ~Child();
    // Copies Pelorin.exe to <scratch>\<name>.exe and starts it; waits for its
    // dialog to show. False when it did not show within timeoutMs.
    bool Start(const std::string& name, DWORD timeoutMs = 10000);
    HWND Dialog() const { return m_hDialog; }
    HWND Ctl(int id) const { return ::GetDlgItem(m_hDialog, id); }
    bool WaitExit(DWORD timeoutMs = 10000);
    bool Running() const;
    DWORD Pid() const { return m_pi.dwProcessId; }
    // Deletes HKCU\software\Velmot\<name> with everything below it.
    static void DeleteSettings(const std::string& name);

private:
    PROCESS_INFORMATION m_pi;
    HWND m_hDialog;
    Child(const Child&);
    Child& operator=(const Child&);
};

// Points this executable's import of a function (by name) at another
// function; returns the one it pointed at, NULL when it is not imported.
void* ReplaceImport(const char* name, void* replacement);

// Visible top-level windows of a process.
std::vector<HWND> ProcessWindows(DWORD pid);

} // namespace harness
