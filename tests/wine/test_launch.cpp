// OK starts the comparison tool (the stand-in, which records its command
// line) with the two paths and the option, and closes; a tool that cannot
// start is reported and the dialog stays; ending the Windows session saves
// what the dialog shows.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

typedef std::vector<std::string> Strings;

// The dialog with the tool pasted, the box as given and the field texts as
// stored (a path field does not scroll: a wider text is never typed whole),
// each field focused once, so that it enters its text in its history.
Script Prepared(const std::string& tool, bool subDir, const std::string& dir1, const std::string& dir2)
{
    SetString("Dir1", dir1);
    SetString("Dir2", dir2);
    Script s;
    s.Focus(IDC_WINDIFF).Paste(ToWide(tool));
    if (!subDir)
        s.Click(IDC_SUBDIR);
    return s.Focus(IDC_DIR1).Focus(IDC_DIR2);
}

// What the stand-in received from one OK: its parameters and its
// arguments as the C runtime splits them (the program first).
struct Launched
{
    std::string parameters;
    Strings arguments;
    std::vector<std::wstring> exact;   // as a Unicode program reads them
};

Launched LaunchWith(Script s, int key = 0, DWORD timeoutMs = 90000)
{
    ResetStandinLog();
    if (key)
        s.Key((UINT)key);
    else
        s.Click(IDOK);
    Launched l;
    if (!RunProgram(s, timeoutMs))
        return l;
    std::vector<std::string> records = WaitStandinRecords(1);
    EXPECT_EQ(1u, records.size());
    if (!records.empty()) {
        l.parameters = Parameters(records[0]);
        l.arguments = Arguments(records[0]);
        l.arguments.erase(l.arguments.begin());
        l.exact = ExactArguments(records[0]);
        l.exact.erase(l.exact.begin());
    }
    return l;
}

} // namespace

// The parameter text is "\"dir1\" \"dir2\" " and "-D" without subdirectories,
// the texts as they stand however long; a path that ends in backslashes has
// them doubled, so that the tool receives the path itself.
// A tool known by its file name (the stand-in so named) gets its own form:
// a row of each form that only a known tool gets (every tool's is a native test).
TEST(Launch, HandsTheToolTheQuotedPathsAndTheOption)
{
    const std::string longA(4000, 'a'), longB = "C:\\" + std::string(3997, 'b');
    const struct
    {
        bool subDir;
        std::string dir1, dir2, parameters;
        Strings arguments;
        UINT cp = 932;
        std::string exe = "";   // the stand-in as it is
        std::string version = "";   // of the stand-in's copy that poses as that release
    } cases[] = {
        { false, "", "", "\"\" \"\" -D", { "", "", "-D" }, kEveryRun },
        { true, "C:\\", "D:\\a b", "/r \"C:\\\\\" \"D:\\a b\"", { "/r", "C:\\", "D:\\a b" }, kEveryRun, "WinMergeU.exe" },
        { false, "C:\\", "D:\\a b", "\"C:\\\\\" \"D:\\a b\"", {}, kEveryRun, "KDiff3.exe" },
        { false, "C:\\", "D:\\a b", "/r- \"C:\\\\\" \"D:\\a b\"", { "/r-", "C:\\", "D:\\a b" }, kEveryRun, "WinMergeU.exe", "2.16.50" },
        { false, "C:\\", "D:\\a b", "\"C:\\\\\" \"D:\\a b\"", {}, kEveryRun, "WinMergeU.exe", "2.16.20" },
        { true, "C:\\left", "D:\\right", "\"C:\\left\" \"D:\\right\" ", { "C:\\left", "D:\\right" }, kEveryRun },
        // As they stand, quotes included: what a tool then makes of them is its own matter.
        { false, " C:\\a b\\\"q\" ", "C:\\\x83\x5C\x83\x74\x83\x67", "\" C:\\a b\\\"q\" \" \"C:\\\x83\x5C\x83\x74\x83\x67\" -D", {} },
        { true, "C:\\", "C:\\work dir\\", "\"C:\\\\\" \"C:\\work dir\\\\\" ", { "C:\\", "C:\\work dir\\" }, kEveryRun },
        { false, "C:\\\x95\x5C", "D:\\\x95\x5C\\", "\"C:\\\x95\x5C\" \"D:\\\x95\x5C\\\\\" -D",   // 表: trail byte 0x5C
          { "C:\\\x95\x5C", "D:\\\x95\x5C\\", "-D" } },
        { true, longA, longB, "\"" + longA + "\" \"" + longB + "\" ", { longA, longB }, kEveryRun },
        // 936 leads with 0xA1-0xDF too: 誠 (D5 5C) ends in 0x5C, 中 is D6 D0.
        { false, "C:\\\xD6\xD0\xD5\x5C", "D:\\\xD5\x5C\\", "\"C:\\\xD6\xD0\xD5\x5C\" \"D:\\\xD5\x5C\\\\\" -D",
          { "C:\\\xD6\xD0\xD5\x5C", "D:\\\xD5\x5C\\", "-D" }, 936 },
    };
    ROWS_OF_THIS_RUN(run, cases);
    for (const auto& c : run) {
        SCOPED_TRACE(c.exe + " " + c.parameters.substr(0, 60));
        ClearSettings();
        const std::string tool = c.exe.empty() ? StandinPath() : ScratchDir() + c.exe;
        const std::string from = c.version.empty() ? StandinPath() : BuildDir() + "standin-" + c.version + ".exe";
        ASSERT_TRUE(tool == StandinPath() || ::CopyFileA(from.c_str(), tool.c_str(), FALSE));
        Launched l = LaunchWith(Prepared(tool, c.subDir, c.dir1, c.dir2));
        EXPECT_EQ(c.parameters, l.parameters);
        if (!c.arguments.empty())
            EXPECT_EQ(c.arguments, l.arguments);
        // Stored as shown, however long; OK took the focus from the second field.
        EXPECT_EQ(c.dir1.empty() ? "" : c.dir1 + "|" + c.dir1, GetString("Dir1"));
        EXPECT_EQ(c.dir2.empty() ? "" : c.dir2 + "|" + c.dir2, GetString("Dir2"));
    }
}

// Texts pasted (Unicode, as the shell's address bar and its "Copy as path"
// give them) or typed key by key are shown, stored and shown again at the
// next start exactly; a quoted path reaches the tool as one argument; 200
// typed characters whole, the end in view (a completed tail included). The
// stand-in is a tool Pelorin does not know, which may read its command line
// in the code page: a name the code page cannot hold reaches it as its short
// name, never as a look-alike ("cafe" beside "café"), and exactly where the
// item has no short name.
TEST(Launch, PastedAndTypedPathsReachTheToolAsShown)
{
    const std::wstring u = ToWide(ScratchDir()) + L"u\\", cafe = u + L"caf\u00e9", names = u + L"\ud55c\uad6d \xd83d\xde00",
                       missing = u + L"\ud55c-missing";
    for (const std::wstring& dir : { u, u + L"cafe", cafe, names })
        ::CreateDirectoryW(dir.c_str(), NULL);
    ::CopyFileW(ToWide(StandinPath()).c_str(), (cafe + L"\\standin.exe").c_str(), FALSE);
    auto forTool = [](const std::wstring& path) {   // as the code page holds it, else its short name
        WCHAR shortName[MAX_PATH] = L"";
        ::GetShortPathNameW(path.c_str(), shortName, MAX_PATH);
        return ToWide(ToAnsi(path)) == path ? path : std::wstring(shortName);
    };
    ASSERT_NE(std::wstring::npos, forTool(names).find(L'~')) << ToAnsi(forTool(names));
    const std::string long200 = "C:\\" + std::string(196, 'p') + "\\e";
    enum { kType, kTypeWide, kPaste };
    const struct
    {
        int id, route;
        std::wstring text;
        std::string dir1, dir2;
        std::vector<std::wstring> arguments;
        std::wstring stored;   // the field's value, or WinDiff for the tool
        UINT cp = kEveryRun;
    } cases[] = {
        { IDC_DIR1, kPaste, cafe, "", "C:\\pt", { forTool(cafe), L"C:\\pt" }, cafe + L"|" + cafe },
        { IDC_DIR2, kTypeWide, names, "C:\\x", "", { L"C:\\x", forTool(names) }, names + L"|" + names },
        { IDC_DIR1, kPaste, L"\"C:\\q\\a b\"", "", "C:\\pt", { L"C:\\q\\a b", L"C:\\pt" }, L"\"C:\\q\\a b\"|C:\\q\\a b" },
        { IDC_DIR1, kType, ToWide(long200), "", "", { ToWide(long200), ToWide(long200) }, ToWide(long200 + "|" + long200) },
        { IDC_WINDIFF, kPaste, L"\"" + cafe + L"\\standin.exe\"", "C:\\x", "C:\\pt", { L"C:\\x", L"C:\\pt" },
          L"\"" + cafe + L"\\standin.exe\"" },
        { IDC_DIR1, kPaste, missing, "|E:\\a|E:\\b", "C:\\pt", { missing, L"C:\\pt" }, missing + L"|" + missing + L"|E:\\a|E:\\b" },
    };
    ROWS_OF_THIS_RUN(run, cases);
    for (const auto& c : run) {
        SCOPED_TRACE(ToAnsi(c.text).substr(0, 40));
        ClearSettings();
        if (c.route == kType)
            SetString("Dir2", "|" + long200 + "\\end");
        bool scrolledToEnd = false;    // the first character out of view, the last in it
        std::wstring shown;
        Script s = Prepared(c.id == IDC_WINDIFF ? "" : StandinPath(), true, c.dir1, c.dir2);
        s.Focus(c.id);
        if (c.route == kPaste)
            s.Paste(c.text);
        else if (c.route == kTypeWide)
            s.TypeWide(c.text);
        else
            s.Type(ToAnsi(c.text)).Focus(IDC_DIR2).Type(long200);   // completed: "\end" selected
        s.Do([&] {
            HWND edit = c.id == IDC_WINDIFF ? Ctl(c.id) : ComboEdit(c.route == kType ? IDC_DIR2 : c.id);
            RECT rc;
            ::GetClientRect(edit, &rc);
            int n = (int)::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
            short first = (short)LOWORD(::SendMessageW(edit, EM_POSFROMCHAR, 0, 0));
            short last = (short)LOWORD(::SendMessageW(edit, EM_POSFROMCHAR, n - 1, 0));
            scrolledToEnd = first < 0 && last >= 0 && last < rc.right;
            shown = TextW(c.id == IDC_WINDIFF ? Ctl(c.id) : ComboEdit(c.id));
        });
        if (c.route == kType)
            s.Key(VK_DELETE);
        EXPECT_EQ(c.arguments, LaunchWith(s, 0, 120000).exact);
        EXPECT_EQ(c.text, shown);
        EXPECT_TRUE(scrolledToEnd || c.route != kType);
        EXPECT_EQ(c.stored, GetStringExact(c.id == IDC_WINDIFF ? "WinDiff" : c.id == IDC_DIR1 ? "Dir1" : "Dir2"));
        // Shown again exactly at the next start, the list included.
        std::wstring again;
        Script next;
        next.Do([&] {
            again = TextW(c.id == IDC_WINDIFF ? Ctl(c.id) : ComboEdit(c.id));
            for (const std::wstring& item : c.id == IDC_WINDIFF ? std::vector<std::wstring>{} : ComboItemsW(c.id))
                again += L"|" + item;
        }).Click(IDCANCEL);
        ASSERT_TRUE(RunProgram(next));
        EXPECT_EQ(c.stored, again);
    }
}

// Enter launches from the tool path edit, from the check box and from a
// path field whose list is closed: OK is the default button. A tool in a
// folder of 150 Japanese characters (a path of about 350 bytes, under the
// 260 characters a path may have) starts.
TEST(Launch, EnterLaunchesAndLongDoubleBytePathsStart)
{
    std::string folder = ScratchDir();
    for (int i = 0; i < 150; i++)
        folder += "\x93\xFA";   // 日
    ::CreateDirectoryA(folder.c_str(), NULL);
    const std::string tool = folder + "\\standin.exe";
    ASSERT_TRUE(::CopyFileA(StandinPath().c_str(), tool.c_str(), FALSE));
    ASSERT_GT(tool.size(), 259u);
    ASSERT_LT(ToWide(tool).size(), 260u);

    for (int id : { IDC_WINDIFF, IDC_SUBDIR, IDC_DIR1 }) {
        ClearSettings();
        Script s = Prepared(id == IDC_DIR1 ? tool : StandinPath(), false, "a", "b");
        s.Focus(id);
        Launched l = LaunchWith(s, VK_RETURN);
        EXPECT_EQ("\"a\" \"b\" -D", l.parameters) << id;
    }
}

// A tool path that is empty, names nothing, is too long for the shell or
// names a folder, also through a variable (the shell would open it in a
// file manager): a box says that the tool could not start, with its path
// and the reason; the dialog stays, the focus goes to the tool's path with
// its text selected, nothing starts, and the path is stored as it was.
TEST(Launch, ToolThatCannotStartIsReportedAndTheDialogStays)
{
    // The stand-in's own path, 300 characters long or one more with ".\"
    // steps: handed to the shell whole, it would start.
    std::string longStandin = BuildDir();
    while (longStandin.size() < 300 - 11)
        longStandin += ".\\";
    const Strings tools = { "",
                            "C:\\no such folder\\windiff.exe",
                            "C:\\" + std::string(256, 't'),    // 259 characters
                            "C:\\" + std::string(257, 't'),    // 260
                            longStandin + "standin.exe",
                            ScratchDir() + "tools",
                            ScratchDir() + "tools\\",
                            "%SystemDrive%" + ScratchDir().substr(2) + "tools",   // as the shell expands it
                            "C:\\" + std::string(3997, 't') };
    ::CreateDirectoryA((ScratchDir() + "tools").c_str(), NULL);
    std::vector<BoxShown> boxes(tools.size());
    std::vector<bool> focused(tools.size()), selected(tools.size()), open(tools.size());
    ClearSettings();
    ResetStandinLog();
    Script s = Prepared("", true, "a", "b");
    for (size_t i = 0; i < tools.size(); i++) {
        // The tool's path has the focus, its text selected, as the box before left it.
        s.Focus(IDC_WINDIFF).Paste(ToWide(tools[i])).Click(IDOK);
        s.WaitFor([] { return OtherDialog() != NULL; }).Do([&, i] {
            boxes[i] = ReadMessageBox(OtherDialog());
            ::PostMessageA(OtherDialog(), WM_COMMAND, IDOK, 0);
        });
        s.WaitFor([] { return OtherDialog() == NULL; }).Do([&, i] {
            open[i] = ::IsWindowVisible(MainDialog()) && ::IsWindowEnabled(MainDialog());
            focused[i] = Focused() == Ctl(IDC_WINDIFF);
            LRESULT sel = ::SendMessageA(Ctl(IDC_WINDIFF), EM_GETSEL, 0, 0);
            selected[i] = LOWORD(sel) == 0 && HIWORD(sel) == tools[i].size();
        });
    }
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s, 90000));

    EXPECT_EQ(Strings{}, WaitStandinRecords(0));
    for (size_t i = 0; i < tools.size(); i++) {
        SCOPED_TRACE(tools[i].size());
        EXPECT_EQ("Pelorin", boxes[i].caption);
        EXPECT_EQ("exclamation", boxes[i].icon);
        // "...\n\n「path」\n\nreason"
        std::wstring quoted = L"\u300c" + ToWide(tools[i]) + L"\u300d\n\n";
        size_t at = boxes[i].message.find(quoted);
        ASSERT_NE(std::wstring::npos, at) << ToAnsi(boxes[i].message);
        EXPECT_GT(boxes[i].message.size(), at + quoted.size()) << "no reason given";
        bool folder = tools[i].find(ScratchDir().substr(2) + "tools") != std::string::npos;
        EXPECT_EQ(folder, boxes[i].message.find(L"\u30d5\u30a9\u30eb\u30c0") != std::wstring::npos)
            << "the reason names a folder for a folder only: " << ToAnsi(boxes[i].message);
        EXPECT_TRUE(open[i]);
        EXPECT_TRUE(focused[i]);
        EXPECT_TRUE(selected[i]);
    }
    for (const wchar_t* name : { L"WinDiff", L"WinMerge", L"KDiff3", L"Meld", L"Beyond Compare" })
        EXPECT_NE(std::wstring::npos, boxes[0].message.find(name)) << "the empty path's reason";
    EXPECT_EQ(tools.back(), GetString("WinDiff"));
}

// When Windows ends the session the dialog is not closed, but what a close
// would store is stored: the focused field's text enters its history as at
// a close, and a close after that stores the same values.
TEST(Session, EndingTheSessionStoresWhatTheDialogShows)
{
    ClearSettings();
    LRESULT answer = 0;
    std::string atEnd[4];
    const char* const names[4] = { "Dir1", "Dir2", "SubDir", "WinDiff" };
    Script s = Prepared("C:\\tools\\diff.exe", false, "C:\\old", "D:\\second");
    s.Focus(IDC_DIR1).Do([] { SetText(Ctl(IDC_DIR1), ""); }).Type("C:\\typed").Do([&] {
        answer = ::SendMessageA(MainDialog(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        ::SendMessageA(MainDialog(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        for (int i = 0; i < 4; i++)
            atEnd[i] = GetString(names[i]);
    });
    s.Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_EQ(TRUE, answer);
    EXPECT_EQ("C:\\typed|C:\\typed|C:\\old", atEnd[0]);
    EXPECT_EQ("D:\\second|D:\\second", atEnd[1]);
    EXPECT_EQ("0", atEnd[2]);
    EXPECT_EQ("C:\\tools\\diff.exe", atEnd[3]);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(atEnd[i], GetString(names[i])) << names[i];
}
