// Measures Pelorin under Wine against the floor program, side by side in one
// process (so against one warm wineserver):
//   - start to interactive: from CreateProcess until the program's dialog is
//     visible, answers a sent message (its thread is pumping messages) and
//     WaitForInputIdle has returned (it waits for input with none pending).
//     Three rounds, each of runs starts of either program taken in turn; the
//     start ratio is the median of the rounds' ratios of medians, so that one
//     noisy round cannot decide it, and their spread is reported beside it;
//   - private bytes at that moment;
//   - OK to launch: from the OK click until the stand-in comparison program
//     runs (it has written its record);
//   - start to interactive with 10,000 entries stored in the first path field.
// Pelorin starts with ten history entries stored per field. Prints a table and
// writes the figures as JSON; a figure that was not measured is null.
//
// benchdrv <Pelorin.exe> <floor.exe> <standin.exe> <out.json> [runs [start-only]]
// runs: per program and round. "start-only" measures only the starts of the
// two programs (for comparing builds of either).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const DWORD kTimeoutMs = 30000;
const int kRounds = 3;

LARGE_INTEGER g_freq;

double Now()
{
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)g_freq.QuadPart;
}

struct Stats
{
    bool measured;
    double min, median, max;
};

Stats Summarise(std::vector<double> v)
{
    Stats s = { false, 0, 0, 0 };
    if (v.empty())
        return s;
    s.measured = true;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    s.min = v.front();
    s.max = v.back();
    s.median = (n % 2) ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return s;
}

// ---- Settings --------------------------------------------------------------

std::string g_settingsKey;   // below HKEY_CURRENT_USER

void SetString(const char* name, const std::string& value)
{
    HKEY hKey;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, g_settingsKey.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL)
        != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(hKey, name, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    ::RegCloseKey(hKey);
}

// A field's history text: its text, then "|" and each entry. The entries look
// like real paths, with CP932 folder names ("表示" has a "\" trail byte, "ソース"
// a "|" one).
std::string History(const char* field, int entries)
{
    std::string text = std::string("C:\\work\\") + field + "\\current";
    char number[16];
    for (int i = 0; i < entries; i++) {
        sprintf(number, "%d", i);
        text += std::string("|C:\\Users\\dev\\" "\x95\x5C\x8E\xA6" "\\" "\x83\x7C\x81\x5B\x83\x58" "\\") + field
                + "-project-" + number + "\\src";
    }
    return text;
}

void StoreSettings(int dir1Entries, const std::string& standin)
{
    SetString("Dir1", History("one", dir1Entries));
    SetString("Dir2", History("two", 10));
    SetString("SubDir", "1");
    SetString("WinDiff", standin);
}

// ---- Starting a program -----------------------------------------------------

struct FindDialog
{
    DWORD pid;
    HWND hWnd;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    FindDialog* f = (FindDialog*)lParam;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    char cls[16];
    if (pid == f->pid && ::IsWindowVisible(hWnd) && ::GetClassNameA(hWnd, cls, sizeof(cls))
        && lstrcmpA(cls, "#32770") == 0) {
        f->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

struct Started
{
    HANDLE hProcess;
    HWND hDlg;
    double ms;            // CreateProcess to interactive
    double privateBytes;  // at that moment
};

bool Start(const std::string& exe, Started& s)
{
    s.hProcess = NULL;
    s.hDlg = NULL;
    std::string cmd = "\"" + exe + "\"";
    std::string dir = exe.substr(0, exe.find_last_of("\\/") + 1);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;

    double t0 = Now();
    if (!::CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, dir.empty() ? NULL : dir.c_str(), &si,
                          &pi))
        return false;
    ::CloseHandle(pi.hThread);
    s.hProcess = pi.hProcess;

    // Visible: poll for the process's visible dialog, about once a millisecond.
    FindDialog f = { pi.dwProcessId, NULL };
    for (;;) {
        ::EnumWindows(FindDialogProc, (LPARAM)&f);
        if (f.hWnd)
            break;
        if (::WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0 || Now() - t0 > kTimeoutMs)
            return false;
    }
    // Idle for input: its thread takes a sent message, and waits for input.
    DWORD_PTR result;
    if (!::SendMessageTimeoutA(f.hWnd, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result))
        return false;
    if (::WaitForInputIdle(pi.hProcess, kTimeoutMs) != 0)
        return false;
    s.ms = Now() - t0;
    s.hDlg = f.hWnd;

    PROCESS_MEMORY_COUNTERS_EX pmc;
    ZeroMemory(&pmc, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    // Private bytes: the commit charge, which Windows reports both as
    // PrivateUsage and as PagefileUsage; Wine fills only the latter (from the
    // process's anonymous memory).
    if (::GetProcessMemoryInfo(pi.hProcess, (PROCESS_MEMORY_COUNTERS*)&pmc, sizeof(pmc)))
        s.privateBytes = (double)(pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage);
    else
        s.privateBytes = 0;
    return true;
}

void Kill(Started& s)
{
    if (!s.hProcess)
        return;
    ::TerminateProcess(s.hProcess, 0);
    ::WaitForSingleObject(s.hProcess, kTimeoutMs);
    ::CloseHandle(s.hProcess);
    s.hProcess = NULL;
}

// ---- Output -----------------------------------------------------------------

void PrintRow(const char* what, const Stats& s, double scale = 1.0)
{
    if (s.measured)
        printf("  %-34s %10.1f %10.1f %10.1f\n", what, s.min / scale, s.median / scale, s.max / scale);
    else
        printf("  %-34s %10s\n", what, "not measured");
}

// A figure as JSON: null when it was not measured.
std::string Json(bool measured, double value, const char* format = "%.3f")
{
    char buf[64] = "null";
    if (measured)
        sprintf(buf, format, value);
    return buf;
}

std::string JsonStats(const Stats& s)
{
    if (!s.measured)
        return "null";
    return "{\"min\": " + Json(true, s.min) + ", \"median\": " + Json(true, s.median) + ", \"max\": "
           + Json(true, s.max) + "}";
}

// The ratio of two medians; not measured when either is missing.
Stats Ratio(const Stats& a, const Stats& b)
{
    Stats r = { a.measured && b.measured && b.median > 0, 0, 0, 0 };
    if (r.measured)
        r.min = r.median = r.max = a.median / b.median;
    return r;
}

std::string BaseName(const std::string& path)
{
    size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: benchdrv Pelorin.exe floor.exe standin.exe out.json [runs]\n");
        return 2;
    }
    const std::string pelorin = argv[1], floorExe = argv[2], standin = argv[3];
    const char* outPath = argv[4];
    const int runs = argc > 5 ? atoi(argv[5]) : 20;
    const bool startOnly = argc > 6 && lstrcmpA(argv[6], "start-only") == 0;
    ::QueryPerformanceFrequency(&g_freq);
    g_settingsKey = "software\\Velmot\\" + BaseName(pelorin) + "\\Settings";

    char logPath[MAX_PATH];
    ::GetTempPathA(MAX_PATH, logPath);
    lstrcatA(logPath, "pelorin-bench-standin.log");
    ::SetEnvironmentVariableA("PELORIN_STANDIN_LOG", logPath);

    StoreSettings(10, standin);

    // Warm-up: the first starts load Wine's libraries and fonts.
    for (int i = 0; i < 2; i++) {
        Started s;
        Start(pelorin, s);
        Kill(s);
        Start(floorExe, s);
        Kill(s);
    }

    // Start to interactive: rounds of starts, alternating which program
    // goes first.
    std::vector<double> startP, startF, privP, privF;
    Stats roundP[kRounds], roundF[kRounds], roundRatio[kRounds];
    std::vector<double> ratios;
    int failures = 0;
    for (int r = 0; r < kRounds; r++) {
        std::vector<double> p, fl;
        for (int i = 0; i < runs; i++) {
            for (int k = 0; k < 2; k++) {
                bool isPelorin = (k == 0) == (i % 2 == 0);
                Started s;
                if (Start(isPelorin ? pelorin : floorExe, s)) {
                    (isPelorin ? p : fl).push_back(s.ms);
                    (isPelorin ? privP : privF).push_back(s.privateBytes);
                } else {
                    failures++;
                }
                Kill(s);
            }
        }
        startP.insert(startP.end(), p.begin(), p.end());
        startF.insert(startF.end(), fl.begin(), fl.end());
        roundP[r] = Summarise(p);
        roundF[r] = Summarise(fl);
        roundRatio[r] = Ratio(roundP[r], roundF[r]);
        if (roundRatio[r].measured)
            ratios.push_back(roundRatio[r].median);
    }
    // The rounds' ratios: their median is the start ratio, and their spread
    // (largest less smallest) says how far one round may stray.
    const Stats ratio = Summarise(ratios);
    const bool allRounds = (int)ratios.size() == kRounds;

    // OK to launch.
    std::vector<double> okLaunch;
    for (int i = 0; i < (startOnly ? 0 : runs); i++) {
        StoreSettings(10, standin);
        ::DeleteFileA(logPath);
        Started s;
        if (!Start(pelorin, s)) {
            failures++;
            Kill(s);
            continue;
        }
        HWND hOK = ::GetDlgItem(s.hDlg, IDOK);
        double t0 = Now();
        ::PostMessageA(hOK, BM_CLICK, 0, 0);
        bool launched = false;
        while (Now() - t0 < kTimeoutMs) {
            WIN32_FILE_ATTRIBUTE_DATA fad;
            if (::GetFileAttributesExA(logPath, GetFileExInfoStandard, &fad) && fad.nFileSizeLow > 0) {
                launched = true;
                break;
            }
            ::Sleep(1);
        }
        double t1 = Now();
        if (launched)
            okLaunch.push_back(t1 - t0);
        else
            failures++;
        // Pelorin ends by itself after the launch.
        if (::WaitForSingleObject(s.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
            failures++;
        Kill(s);
    }
    ::DeleteFileA(logPath);

    // Start with a long stored history in the first path field.
    std::vector<double> bigStart;
    StoreSettings(10000, standin);
    const int bigRuns = startOnly ? 0 : runs < 5 ? runs : 5 + (runs - 5) / 3;
    for (int i = 0; i < bigRuns; i++) {
        Started s;
        if (Start(pelorin, s))
            bigStart.push_back(s.ms);
        else
            failures++;
        Kill(s);
    }
    StoreSettings(10, standin);

    const Stats sp = Summarise(startP), sf = Summarise(startF), mp = Summarise(privP), mf = Summarise(privF),
                ok = Summarise(okLaunch), big = Summarise(bigStart);
    const Stats privRatio = Ratio(mp, mf);

    printf("Under Wine (%d-bit build), %d rounds of %d runs each, one warm wineserver\n", (int)sizeof(void*) * 8,
           kRounds, runs);
    printf("  %-34s %10s %10s %10s\n", "", "min", "median", "max");
    PrintRow("start to interactive, Pelorin (ms)", sp);
    PrintRow("start to interactive, floor (ms)", sf);
    for (int r = 0; r < kRounds; r++) {
        char label[64];
        sprintf(label, "round %d: Pelorin, floor (ms)", r + 1);
        printf("  %-34s %10s %10s %10s   ratio %s\n", label, Json(roundP[r].measured, roundP[r].median, "%.1f").c_str(),
               Json(roundF[r].measured, roundF[r].median, "%.1f").c_str(), "",
               Json(roundRatio[r].measured, roundRatio[r].median).c_str());
    }
    printf("  %-34s %10s %10s   spread %s%s\n", "start ratio Pelorin/floor", "",
           Json(allRounds, ratio.median).c_str(), Json(allRounds, ratio.max - ratio.min).c_str(),
           startOnly ? "" : "   (target: median <= 1.03)");
    PrintRow("private bytes, Pelorin (KB)", mp, 1024.0);
    PrintRow("private bytes, floor (KB)", mf, 1024.0);
    if (!startOnly) {
        PrintRow("OK to launch (ms)", ok);
        char label[64];
        sprintf(label, "start, 10,000 entries (ms, %d runs)", (int)bigStart.size());
        PrintRow(label, big);
    }
    if (failures)
        printf("  failed measurements: %d\n", failures);

    FILE* f = fopen(outPath, "w");
    if (!f) {
        fprintf(stderr, "benchdrv: cannot write %s\n", outPath);
        return 1;
    }
    fprintf(f, "{\n  \"rounds\": %d,\n  \"runs_per_round\": %d,\n  \"failures\": %d,\n", kRounds, runs, failures);
    fprintf(f, "  \"start_to_interactive_ms\": {\n");
    fprintf(f, "    \"pelorin\": %s,\n    \"floor\": %s,\n", JsonStats(sp).c_str(), JsonStats(sf).c_str());
    fprintf(f, "    \"rounds\": [");
    for (int r = 0; r < kRounds; r++)
        fprintf(f, "%s{\"pelorin_median\": %s, \"floor_median\": %s, \"ratio\": %s}", r ? ", " : "",
                Json(roundP[r].measured, roundP[r].median).c_str(), Json(roundF[r].measured, roundF[r].median).c_str(),
                Json(roundRatio[r].measured, roundRatio[r].median, "%.4f").c_str());
    fprintf(f, "],\n    \"ratio_median\": %s,\n    \"ratio_spread\": %s%s\n  },\n",
            Json(allRounds, ratio.median, "%.4f").c_str(), Json(allRounds, ratio.max - ratio.min, "%.4f").c_str(),
            startOnly ? "" : ",\n    \"target_ratio\": 1.03");
    fprintf(f, "  \"private_bytes\": {\n    \"pelorin\": %s,\n    \"floor\": %s,\n    \"ratio_of_medians\": %s\n  }",
            JsonStats(mp).c_str(), JsonStats(mf).c_str(), Json(privRatio.measured, privRatio.median, "%.4f").c_str());
    // What a start-only run does not measure is left out.
    if (!startOnly) {
        fprintf(f, ",\n  \"ok_to_launch_ms\": %s,\n", JsonStats(ok).c_str());
        fprintf(f, "  \"start_with_10000_history_ms\": {\"runs\": %d, \"stats\": %s}", (int)bigStart.size(),
                JsonStats(big).c_str());
    }
    fprintf(f, "\n}\n");
    fclose(f);
    return failures ? 1 : 0;
}
