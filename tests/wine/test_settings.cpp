// The settings: what a start shows of them, what a close stores, whose key
// they live in, and values in shapes the program never writes.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <stdio.h>

using namespace harness;

namespace {

#define SO "\x83\x7C"   // ソ: its second byte is a "|"

// What the dialog shows of the settings.
struct Shown
{
    Field dir1, dir2;
    int check;
    std::string windiff;
};

Shown ReadShown()
{
    Shown s = { ReadField(IDC_DIR1), ReadField(IDC_DIR2), (int)::SendMessageA(Ctl(IDC_SUBDIR), BM_GETCHECK, 0, 0),
                Text(Ctl(IDC_WINDIFF)) };
    return s;
}

void ExpectShown(const Shown& expected, const Shown& actual)
{
    EXPECT_EQ(expected.dir1.text, actual.dir1.text);
    EXPECT_EQ(expected.dir1.items, actual.dir1.items);
    EXPECT_EQ(expected.dir2.text, actual.dir2.text);
    EXPECT_EQ(expected.dir2.items, actual.dir2.items);
    EXPECT_EQ(expected.check, actual.check);
    EXPECT_EQ(expected.windiff, actual.windiff);
}

// The four stored values, in the order Dir1, Dir2, SubDir, WinDiff.
void ExpectStored(const std::string& dir1, const std::string& dir2, const std::string& subDir,
                  const std::string& windiff)
{
    EXPECT_EQ(dir1, GetString("Dir1"));
    EXPECT_EQ(dir2, GetString("Dir2"));
    EXPECT_EQ(subDir, GetString("SubDir"));
    EXPECT_EQ(windiff, GetString("WinDiff"));
}

// Starts the program, reads what it shows, and cancels; first pastes into
// the first path field when asked, and clicks OK, which finds no tool.
Shown ShowStored(const std::wstring& paste1 = L"")
{
    Shown shown = Shown();
    Script s;
    s.Do([&] { shown = ReadShown(); });
    if (!paste1.empty()) {
        s.Focus(IDC_DIR1).Paste(paste1).Click(IDOK).WaitFor([] { return OtherDialog() != NULL; });
        s.Do([] { ::PostMessageA(OtherDialog(), WM_COMMAND, IDOK, 0); }).WaitFor([] { return !OtherDialog(); });
    }
    s.Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    return shown;
}

TEST(Settings, FirstStartShowsTheDefaultsAndStoresThem)
{
    ToolPathGuard tool;
    tool.Set(REG_SZ, std::string("C:\\tools\\windiff.exe", 21));
    ClearSettings();
    Shown expected = { { "", {} }, { "", {} }, BST_CHECKED, "C:\\tools\\windiff.exe" };
    ExpectShown(expected, ShowStored());
    ExpectStored("", "", "1", "C:\\tools\\windiff.exe");
}

// However the dialog ends, it stores all four values as they were; the path
// field that held the focus has entered its text into its list by then. A
// folder picker open beside it closes first, so that its folder (C:\pt)
// cannot be chosen after the end. The next start shows what was stored. Only
// Enter starts the tool, once in each half; by then any other start would be
// recorded too.
TEST(Settings, EveryEndingStoresWhatWasShownForTheNextStart)
{
    const std::string windiff = StandinPath(), dir2 = ScratchDir();
    const char* const endings[] = { "Cancel", "Escape", "close box", "Enter" };   // Enter: OK, the tool starts
    void (*const end[])() = { [] { ::PostMessageA(Ctl(IDCANCEL), BM_CLICK, 0, 0); }, [] { PostKeyStroke(VK_ESCAPE); },
                              [] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, SC_CLOSE, 0); },
                              [] { PostKeyStroke(VK_RETURN); } };
    ResetStandinLog();
    for (int e = 0; e < 8; e++) {
        SCOPED_TRACE(std::string(endings[e % 4]) + (e < 4 ? "" : " beside a folder picker"));
        ClearSettings();
        bool answered = false;
        Script s;
        s.Focus(IDC_WINDIFF).Paste(ToWide(windiff));
        s.Click(IDC_SUBDIR);   // on by default: now off
        s.Focus(IDC_DIR2).Paste(ToWide(dir2));
        if (e >= 4)
            s.Click(IDC_BROWSE_DIR2).WaitFor([] { return OtherDialog() != NULL; });
        s.Focus(IDC_DIR1).Type("C:\\typed").Do([&] {
            end[e % 4]();
            for (int i = 0; e >= 4 && i < 250 && ::IsWindowVisible(MainDialog()); i++)
                ::Sleep(20);
            if (HWND ok = e >= 4 ? ::GetDlgItem(OtherDialog(), IDOK) : NULL)
                answered = ::PostMessageA(ok, BM_CLICK, 0, 0);   // the picker, if still open, is answered
        });
        ASSERT_TRUE(RunProgram(s));
        EXPECT_FALSE(answered) << "the picker outlived the dialog";

        ExpectStored("C:\\typed|C:\\typed", dir2 + "|" + dir2, "0", windiff);
    }
    EXPECT_EQ(2u, WaitStandinRecords(2).size()) << "starts of the tool";

    Shown expected = { { "C:\\typed", { "C:\\typed" } }, { dir2, { dir2 } }, BST_UNCHECKED, windiff };
    ExpectShown(expected, ShowStored());
    ExpectStored("C:\\typed|C:\\typed", dir2 + "|" + dir2, "0", windiff);
}

// Stored texts as the user left them or as another program wrote them: a
// history splits only at separators that are whole characters (the current
// text in front of the list, empty entries kept, a separator at the very end
// lost), and "SubDir" is read as a number, of which the box shows only 0
// and 1. Names no code page holds are shown and stored back exactly (a
// drive that is gone, an item with a short name), and so is a pasted name
// that is no item; the focus passing through a field of ten such entries
// keeps all ten.
TEST(Settings, StoredTextsAreShownAndStoredBack)
{
    const std::wstring kana = L"\uFF76\uFF85", pasted = L"C:\\nope\\\uD55C\uAD6D", folder = ToWide(ScratchDir()) + kana;
    ::CreateDirectoryW(folder.c_str(), NULL);   // it has a short name
    const std::wstring written = L"C:\\plain|C:\\plain|D:\\" + kana + L"\\gone|" + folder + L"|C:\\plain2";
    std::wstring ten = pasted;
    Field tenShown = { ToAnsi(pasted), {} };
    for (int i = 0; i < 10; i++) {
        std::wstring entry = i ? folder + L"\\\uD55C\uAD6D \xD83D\xDE00 Zo\u00EB \u8868" + std::to_wstring(i) : pasted;
        ten += L"|" + entry;
        tenShown.items.push_back(ToAnsi(entry));
    }
    struct
    {
        std::wstring dir1, dir2, paste1;
        std::string subDir;
        Shown shown;
        std::wstring saved1, saved2;
        std::string savedSubDir;
        UINT cp = 932;
    } cases[] = {
        { ToWide("C:\\" SO "|C:\\" SO "|D:\\old"), L"A||B|", L"", "5",
          { { "C:\\" SO, { "C:\\" SO, "D:\\old" } }, { "A", { "", "B" } }, BST_UNCHECKED, "" },
          ToWide("C:\\" SO "|C:\\" SO "|D:\\old"), L"A||B", "0" },
        { L"|A|B", L"", L"", " \t+1abc", { { "", { "A", "B" } }, { "", {} }, BST_CHECKED, "" }, L"|A|B", L"", "1",
          kEveryRun },
        { written, folder + L"|E:\\a", pasted, "1",
          { { "C:\\plain", { "C:\\plain", ToAnsi(L"D:\\" + kana + L"\\gone"), ToAnsi(folder), "C:\\plain2" } },
            { ToAnsi(folder), { "E:\\a" } }, BST_CHECKED, "" },
          pasted + L"|" + pasted + written.substr(8), folder + L"|E:\\a", "1", kEveryRun },
        { ten, L"", pasted, "0", { tenShown, { "", {} }, BST_UNCHECKED, "" }, ten, L"", "0", kEveryRun },
    };
    ROWS_OF_THIS_RUN(run, cases);
    for (const auto& c : run) {
        SCOPED_TRACE("SubDir \"" + c.subDir + "\"");
        ClearSettings();
        SetString("Dir1", c.dir1);
        SetString("Dir2", c.dir2);
        SetString("SubDir", c.subDir);
        SetString("WinDiff", "");
        ExpectShown(c.shown, ShowStored(c.paste1));
        EXPECT_EQ(c.saved1, GetStringExact("Dir1"));
        EXPECT_EQ(c.saved2, GetStringExact("Dir2"));
        EXPECT_EQ(c.savedSubDir, GetString("SubDir"));
        EXPECT_EQ("", GetString("WinDiff"));
    }
}

// A value of the renamed copy's own key, as a text; "<none>" when missing.
std::string CopyString(const std::string& copy, const char* name)
{
    char data[256] = "";
    DWORD size = sizeof(data);
    if (::RegGetValueA(HKEY_CURRENT_USER, SettingsKey(copy).c_str(), name, RRF_RT_REG_SZ, NULL, data, &size))
        return "<none>";
    return data;
}

// The key is named after the executable without its extension (cut at the
// last dot): a renamed copy starts as on a first start, and leaves the
// settings of Pelorin.exe alone.
TEST(Settings, RenamedCopyKeepsSettingsOfItsOwn)
{
    const char kCopy[] = "Pel.orin";   // Pel.orin.exe
    ClearSettings();
    ClearSettings(kCopy);
    SetString("Dir1", "C:\\mine|C:\\mine");
    Shown shown = Shown();
    Script s;
    s.Do([&] { shown = ReadShown(); }).Focus(IDC_DIR2).Paste(L"D:\\renamed").Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s, 90000, kCopy));

    EXPECT_EQ("", shown.dir1.text);
    EXPECT_EQ(BST_CHECKED, shown.check);
    EXPECT_EQ("", CopyString(kCopy, "Dir1"));
    EXPECT_EQ("D:\\renamed|D:\\renamed", CopyString(kCopy, "Dir2"));
    EXPECT_EQ("C:\\mine|C:\\mine", GetString("Dir1"));
    DWORD type;
    std::string data;
    EXPECT_FALSE(GetValue("Dir2", &type, &data));
    ClearSettings(kCopy);
}

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char cls[16];
    if (::IsWindowVisible(hWnd) && ::GetClassNameA(hWnd, cls, sizeof(cls)) && lstrcmpA(cls, "#32770") == 0) {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Nothing keeps a second instance from starting: two run side by side, each
// with its own window, and each ends on its own.
TEST(Settings, TwoInstancesRunSideBySide)
{
    ClearSettings();
    PROCESS_INFORMATION pi[2];
    HWND hDlg[2] = { NULL, NULL };
    const std::string exe = BuildDir() + "Pelorin.exe";
    for (int i = 0; i < 2; i++) {
        STARTUPINFOA si = { sizeof(si) };
        std::string cmd = "\"" + exe + "\"";
        ASSERT_TRUE(::CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi[i]));
        for (DWORD start = ::GetTickCount(); !hDlg[i] && ::GetTickCount() - start < 20000; ::Sleep(20))
            ::EnumThreadWindows(pi[i].dwThreadId, FindDialog, (LPARAM)&hDlg[i]);
    }
    EXPECT_TRUE(hDlg[0] && hDlg[1] && hDlg[0] != hDlg[1]) << hDlg[0] << " " << hDlg[1];
    for (int i = 0; i < 2 && hDlg[0] && hDlg[1]; i++) {
        ::PostMessageA(hDlg[i], WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi[i].hProcess, 20000)) << i;
        if (i == 0)
            EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(pi[1].hProcess, 1000)) << "the second ended with the first";
    }
    for (int i = 0; i < 2; i++) {
        ::TerminateProcess(pi[i].hProcess, 1);
        ::WaitForSingleObject(pi[i].hProcess, 5000);   // its file free for the next test
        ::CloseHandle(pi[i].hProcess);
        ::CloseHandle(pi[i].hThread);
    }
}

// Values of other types are read as their data up to the first zero byte,
// shown, and stored back as well-formed texts.
TEST(HostileSettings, ValuesOfOtherTypesAreReadAsText)
{
    ClearSettings();
    SetValue("Dir1", REG_MULTI_SZ, std::string("C:\\m|D:\\n\0E:\\o\0\0", 16));
    SetValue("Dir2", REG_BINARY, "|C:\\bin||D:\\b");      // no terminator
    SetValue("SubDir", REG_DWORD, std::string("\1\0\0\0", 4));   // the byte 1 is no digit
    SetValue("WinDiff", REG_DWORD, std::string("A/x\0", 4));   // 0x00782F41
    Shown expected = { { "C:\\m", { "D:\\n" } }, { "", { "C:\\bin", "", "D:\\b" } }, BST_UNCHECKED, "A/x" };
    ExpectShown(expected, ShowStored());
    ExpectStored("C:\\m|D:\\n", "|C:\\bin||D:\\b", "0", "A/x");
}

// A history of a megabyte, entries of thousands of characters with
// double-byte ones among them, a tool path far longer than any path buffer
// and a number behind 100 KB of spaces: all taken whole and stored back
// unchanged. The lists are checked through what is stored: under Wine, a
// list item of a thousand characters or more cannot be read from another
// process (the program under test gets no answer back to the reader, or
// ends).
TEST(HostileSettings, HugeValuesAndLongFieldsAreKeptWhole)
{
    const std::string text1 = "C:\\" SO + std::string(4090, 'x');
    std::string dir1 = text1;
    int entries = 0;
    for (; dir1.size() < (1u << 20); entries++) {
        char number[16];
        sprintf(number, "%04d", entries);
        dir1 += "|" + text1 + number;
    }
    std::string dbcs;
    while (dbcs.size() < 1200)
        dbcs += SO;
    const std::string text2 = "C:\\" + std::string(4000, 'u');
    const std::string dir2 = text2 + "|D:\\" + dbcs + "|E:\\short";
    const std::string windiff = "C:\\" + std::string(4000, 'w') + ".exe";

    ClearSettings();
    SetString("Dir1", dir1);
    SetString("Dir2", dir2);
    SetString("SubDir", std::string(100 * 1024, ' ') + "1");
    SetString("WinDiff", windiff);
    std::string shown[3];
    int counts[2] = { -1, -1 }, check = -1;
    Script s;
    s.Do([&] {
        shown[0] = Text(Ctl(IDC_DIR1));
        shown[1] = Text(Ctl(IDC_DIR2));
        shown[2] = Text(Ctl(IDC_WINDIFF));
        counts[0] = (int)::SendMessageW(Ctl(IDC_DIR1), CB_GETCOUNT, 0, 0);
        counts[1] = (int)::SendMessageW(Ctl(IDC_DIR2), CB_GETCOUNT, 0, 0);
        check = (int)::SendMessageW(Ctl(IDC_SUBDIR), BM_GETCHECK, 0, 0);
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ(text1, shown[0]);
    EXPECT_EQ(text2, shown[1]);
    EXPECT_EQ(windiff, shown[2]);
    EXPECT_EQ(entries, counts[0]);
    EXPECT_EQ(2, counts[1]);
    EXPECT_EQ(BST_CHECKED, check);
    ExpectStored(dir1, dir2, "1", windiff);
}

} // namespace
