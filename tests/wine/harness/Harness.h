// Driving the real Pelorin.exe in a test. The program runs as a process of
// its own, built exactly as users get it. A script of steps runs beside it:
// typed keys, clicks and drops are posted so that they pass through the
// program's own message loop, and what only the program's thread can do
// (move the focus, set the keyboard state, build a drop, read its fonts and
// menus) is done by the test agent inside it (agent/AgentProtocol.h). After
// each step the script waits until the program has handled everything posted
// to it.
#pragma once

#include <windows.h>

#include <functional>
#include <source_location>
#include <string>
#include <vector>

namespace harness {

// Where a harness function was called from: its checks report that line.
typedef std::source_location Caller;

typedef std::function<void()> Step;
typedef std::function<bool()> Tick;   // true: done; false: run again a little later

class Script
{
public:
    Script& Do(Step step);
    // Types ANSI text (in the run's code page) into the window with the
    // focus, key by key.
    Script& Type(const std::string& text);
    // Types UTF-16 text key by key as an input method or the on-screen
    // keyboard sends it (VK_PACKET), so characters outside the code page
    // can be typed too.
    Script& TypeWide(const std::wstring& text);
    // Puts the text on the clipboard as CF_UNICODETEXT, as the shell's
    // address bar does, and presses Ctrl+V in the window with the focus.
    Script& Paste(const std::wstring& text);
    // Presses and releases a key in the window with the focus, with Shift
    // and Ctrl held when asked.
    Script& Key(UINT vk, bool shift = false, bool ctrl = false);
    // Clicks a button of the main dialog (moves the focus like a mouse click).
    Script& Click(int id);
    // Puts the focus on a control of the main dialog (for a combo box, its edit part).
    Script& Focus(int id);
    // Waits until cond() holds, at most timeoutMs; a timeout fails the test
    // and says what the program showed.
    Script& WaitFor(std::function<bool()> cond, DWORD timeoutMs = 10000, Caller where = Caller::current());
    const std::vector<Tick>& ticks() const { return m_ticks; }

private:
    std::vector<Tick> m_ticks;
};

// The run's locale, which LC_ALL chooses (scripts/wine-tests.sh): the whole
// suite runs in Japanese, code page 932; a short set runs again in English
// (1252) and in Chinese (936). A table row names the code page it holds in
// (932 unless it says otherwise, kEveryRun for all) in cp; RowsOfThisRun
// gives those of this run, and with none the test reports itself skipped
// and ends there: ROWS_OF_THIS_RUN(run, rows) declares run.
const UINT kEveryRun = 0;
bool InThisRun(UINT codePage);
template <typename Row, size_t N> std::vector<Row> RowsOfThisRun(const Row (&rows)[N])
{
    std::vector<Row> run;
    for (const Row& r : rows)
        if (InThisRun(r.cp))
            run.push_back(r);
    return run;
}
#define ROWS_OF_THIS_RUN(run, rows)                 \
    const auto run = harness::RowsOfThisRun(rows); \
    if (run.empty())                                \
    GTEST_SKIP() << "no row of the table holds in code page " << ::GetACP()
// Whether the user's interface language is Japanese: the program then shows
// its Japanese resources, and its English ones otherwise.
bool JapaneseUi();
// Posts a key press and release to the window with the focus (Script::Key also waits).
void PostKeyStroke(UINT vk);

// Starts the program (Pelorin.exe, or a copy named name.exe), runs the
// script beside it, and waits for it to end. The last step normally ends the
// dialog (OK, Cancel...). Returns true when the program ended by itself
// within timeoutMs; otherwise closes what it left open, ends it and returns
// false.
bool RunProgram(const Script& script, DWORD timeoutMs = 90000, const std::string& name = "Pelorin",
                Caller where = Caller::current());
// The same with Pelorin.exe started on a command line as the shell writes
// it: its quoted path, then the arguments exactly as given (with their
// leading blank). A message box the program shows before its dialog is
// read, closed with OK and kept for BoxesBeforeDialog().
bool RunProgramWith(const std::wstring& arguments, const Script& script, DWORD timeoutMs = 90000,
                    Caller where = Caller::current());

// Runs the program at this path from then on instead of the build's.
void UseProgram(const std::string& exe);

// Asks the agent inside the running program; see agent/Agent.cpp for the
// commands. data follows the command (a drop's names). A program that does
// not answer within 20 s fails the test; one that has ended (or never ran)
// gives kProgramEnded.
const char kProgramEnded[] = "<program ended>";
std::string Agent(const std::string& command, const std::string& data = std::string());
// Asks the agent and fails the test unless it replies expected; when mayEnd,
// a program that has ended by then is no failure.
void ExpectAgent(const std::string& command, const std::string& expected, bool mayEnd);
// What the program shows now, for failure messages: its visible windows
// and the window with the focus.
std::string ProgramState();
std::string Hex(const void* handle);

// The running program: its main dialog and controls.
HWND MainDialog();
HWND Ctl(int id);
// The edit part and the list part of a combo box.
HWND ComboEdit(int id);
HWND ComboList(int id);
// A visible dialog window (class "#32770") of the program other than the
// main dialog, the newest first; NULL when none.
HWND OtherDialog();
// The program's window with the focus, and the one that holds the mouse.
HWND Focused();
HWND Captured();
// A visible descendant of hParent of the class, with the text when given.
HWND FindChild(HWND hParent, const char* cls, const char* text = NULL);
// The first window of the program's thread of the class (any, visible or not).
HWND FindThreadWindow(const char* cls);
// Dialog units of a window of the program, in pixels.
RECT DialogRect(HWND hDlg, int x, int y, int cx, int cy);

std::string Text(HWND hWnd);
std::wstring TextW(HWND hWnd);
// Sets the text with WM_SETTEXT, as the program's own code would: no edit
// notification, so no completion. For setting a scene up; what a user types
// or pastes goes through Script::Type, TypeWide or Paste.
void SetText(HWND hWnd, const std::string& text);
// Empties an edit of the program's (a picker's name field) and gives it the
// focus, ready for typing.
void EmptyAndFocus(HWND hEdit);
std::vector<std::string> ComboItems(int id);
std::vector<std::wstring> ComboItemsW(int id);   // exactly
// A path field as the user sees it: its text and its list.
struct Field
{
    std::string text;
    std::vector<std::string> items;
};
Field ReadField(int id);

// A message box of the program as the user sees it: its caption, its
// message and the standard icon it shows ("exclamation", "hand"...).
struct BoxShown
{
    std::string caption;
    std::wstring message;
    std::string icon;
};
BoxShown ReadMessageBox(HWND hBox);
// The boxes the last program showed before its dialog opened.
std::vector<BoxShown> BoxesBeforeDialog();

// Whether a path (ANSI) names the same file or folder as another (UTF-16).
bool SameItem(const std::string& path, const std::wstring& other);

// Posts a real WM_DROPFILES holding paths to a window of the program, as
// the shell builds one (wide names, or ANSI ones); returns the drop handle.
std::string DropFiles(HWND hWnd, const std::vector<std::string>& paths, POINT pt, bool wide = true);
// Whether the program has taken the drop and released it (DragFinish).
bool DropTaken(const std::string& hDrop);

// The program's settings key below HKEY_CURRENT_USER (for a copy, its name's).
std::string SettingsKey(const std::string& name = "Pelorin");
void ClearSettings(const std::string& name = "Pelorin");
void SetValue(const std::string& name, DWORD type, const std::string& data, Caller where = Caller::current());
// REG_SZ with its terminator.
void SetString(const std::string& name, const std::string& value, Caller where = Caller::current());
// The same in UTF-16, as a session in another code page writes it.
void SetString(const std::string& name, const std::wstring& value, Caller where = Caller::current());
// The value's raw bytes; false when it does not exist.
bool GetValue(const std::string& name, DWORD* type, std::string* data);
// The value as a REG_SZ text without its terminator; fails the test when it
// is not a well-formed REG_SZ.
std::string GetString(const std::string& name, Caller where = Caller::current());
// The same read exactly, in UTF-16.
std::wstring GetStringExact(const std::string& name, Caller where = Caller::current());

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

// The directory of this test executable (and of Pelorin.exe), with a
// trailing backslash.
std::string BuildDir();
// The scratch directory, C:\pt\ (short and the same in every prefix, free of
// TEMP, the user name and the process ID), emptied at the first call of a
// test process; with a trailing backslash.
std::string ScratchDir();

// The stand-in comparison tool and the records of its starts.
std::string StandinPath();
void ResetStandinLog();
std::vector<std::string> StandinRecords();
// Waits until at least n records exist and no stand-in runs any more (so
// that a start in progress has been recorded); returns them. A timeout
// fails the test.
std::vector<std::string> WaitStandinRecords(size_t n, DWORD timeoutMs = 10000);
// A record's parameters: what follows the quoted program path and one space.
std::string Parameters(const std::string& record);
// A record's arguments as CommandLineToArgvW splits them, program first.
std::vector<std::string> Arguments(const std::string& record);
// The same exactly, as a Unicode tool reads them (bUnicode), or as an ANSI
// tool does.
std::vector<std::wstring> ExactArguments(const std::string& record, bool bUnicode = true);

std::string ToAnsi(const std::wstring& w, UINT codePage = CP_ACP);   // CP_UTF8: as the agent writes whole texts
std::wstring ToWide(const std::string& s);

} // namespace harness
