// OK starts the comparison tool with the two paths and the option, and
// closes; a tool that cannot start shows nothing. Copies of the program run
// side by side, and a renamed copy keeps settings of its own.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

// Top-level windows activated on this thread while the hook is set: a
// message box or any other window the program would show.
int g_activations;
HHOOK g_hook;

LRESULT CALLBACK CountActivations(int code, WPARAM wParam, LPARAM lParam)
{
    // (Hiding the dialog at its end activates no window at all: wParam 0.)
    if (code == HCBT_ACTIVATE && wParam && !(::GetWindowLongA((HWND)wParam, GWL_STYLE) & WS_CHILD))
        g_activations++;
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

// The dialog with the stand-in as the tool, the box as given and the two
// field texts, then the keys or clicks that end it.
Script Prepared(const std::string& tool, bool subDir, const std::string& dir1, const std::string& dir2)
{
    Script s;
    s.Do([=] {
        SetText(Ctl(IDC_WINDIFF), tool);
        ::SendMessageA(Ctl(IDC_SUBDIR), BM_SETCHECK, subDir ? BST_CHECKED : BST_UNCHECKED, 0);
        SetText(Ctl(IDC_DIR1), dir1);
        SetText(Ctl(IDC_DIR2), dir2);
    });
    return s;
}

struct LaunchCase
{
    const char* name;
    bool subDir;
    std::string dir1, dir2;
    std::string parameters;
};

const LaunchCase kLaunchCases[] = {
    // Two empty quoted arguments and the option: eight characters.
    { "EmptyWithoutSubdirectories", false, "", "", "\"\" \"\" -D" },
    // With subdirectories a space follows the second closing quote.
    { "WithSubdirectories", true, "C:\\left", "D:\\right", "\"C:\\left\" \"D:\\right\" " },
    // Texts go as they stand: spaces, quotes and double-byte characters.
    { "TextsAsTheyStand", false, " C:\\a b\\\"q\" ", "C:\\\x83\x5C\x83\x74\x83\x67",
      "\" C:\\a b\\\"q\" \" \"C:\\\x83\x5C\x83\x74\x83\x67\" -D" },
    // 4,000 characters in each field reach the tool whole.
    { "LongTexts", true, std::string(4000, 'a'), "C:\\" + std::string(3997, 'b'),
      "\"" + std::string(4000, 'a') + "\" \"C:\\" + std::string(3997, 'b') + "\" " },
};

class Launch : public ::testing::TestWithParam<LaunchCase>
{
};

void PrintTo(const LaunchCase& c, std::ostream* os)
{
    *os << c.name;
}

} // namespace

TEST_P(Launch, HandsTheToolTheQuotedPathsAndTheOption)
{
    const LaunchCase& c = GetParam();
    ClearSettings();
    ResetStandinLog();
    Script s = Prepared(StandinPath(), c.subDir, c.dir1, c.dir2);
    s.Click(IDOK);
    ASSERT_TRUE(RunProgram(s));
    std::vector<std::string> records = WaitStandinRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(c.parameters, Parameters(records[0]));
    // Stored as shown, however long.
    EXPECT_TRUE(c.dir1 == GetString("Dir1"));
    EXPECT_TRUE(c.dir2 == GetString("Dir2"));
}

INSTANTIATE_TEST_SUITE_P(Texts, Launch, ::testing::ValuesIn(kLaunchCases),
                         [](const ::testing::TestParamInfo<LaunchCase>& info) { return std::string(info.param.name); });

// Enter launches from the tool path edit and from the check box: OK is the
// default button.
TEST(Launch, EnterInTheToolPathOrOnTheCheckBoxLaunches)
{
    for (int id : { IDC_WINDIFF, IDC_SUBDIR }) {
        ClearSettings();
        ResetStandinLog();
        Script s = Prepared(StandinPath(), false, "a", "b");
        s.Focus(id).Key(VK_RETURN);
        ASSERT_TRUE(RunProgram(s)) << id;
        std::vector<std::string> records = WaitStandinRecords(1);
        ASSERT_EQ(1u, records.size()) << id;
        EXPECT_EQ("\"a\" \"b\" -D", Parameters(records[0])) << id;
    }
}

// A tool path that is empty, names no file, or is 4,000 characters long:
// the dialog still closes, shows nothing, and stores the path as it was.
TEST(Launch, ToolThatCannotStartShowsNothingAndTheDialogCloses)
{
    const std::string tools[] = { "", "C:\\no such folder\\windiff.exe", "C:\\" + std::string(256, 't'),
                                  "C:\\" + std::string(257, 't'), "C:\\" + std::string(3997, 't') };
    for (const std::string& tool : tools) {
        ClearSettings();
        ResetStandinLog();
        Script s = Prepared(tool, true, "a", "b");
        s.Do([] {
            g_activations = 0;
            g_hook = ::SetWindowsHookExA(WH_CBT, CountActivations, NULL, ::GetCurrentThreadId());
        });
        s.Click(IDOK);
        bool ended = RunProgram(s, 10000);
        ::UnhookWindowsHookEx(g_hook);
        EXPECT_TRUE(ended) << tool.size();
        EXPECT_EQ(0, g_activations) << tool.size();
        EXPECT_EQ(tool, GetString("WinDiff"));
        EXPECT_EQ("a", GetString("Dir1"));
    }
    EXPECT_TRUE(StandinRecords().empty());
}

// Two copies run side by side, each with its own window and its own
// texts; each ends on its own.
TEST(Instances, TwoRunSideBySide)
{
    Child::DeleteSettings("Pelorin");
    Child first, second;
    ASSERT_TRUE(first.Start("Pelorin"));
    ASSERT_TRUE(second.Start("Pelorin"));
    EXPECT_NE(first.Pid(), second.Pid());
    EXPECT_NE(first.Dialog(), second.Dialog());
    EXPECT_TRUE(::IsWindowEnabled(first.Dialog()));
    EXPECT_TRUE(::IsWindowEnabled(second.Dialog()));

    ::SendMessageA(first.Ctl(IDC_DIR1), WM_SETTEXT, 0, (LPARAM)"C:\\first");
    EXPECT_EQ("", Text(second.Ctl(IDC_DIR1)));

    ::PostMessageA(first.Dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(first.WaitExit());
    EXPECT_TRUE(second.Running());
    EXPECT_TRUE(::IsWindowVisible(second.Dialog()));
    ::PostMessageA(second.Dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(second.WaitExit());
    Child::DeleteSettings("Pelorin");
}

// The settings key follows the executable's name without its extension (cut
// at the last dot): a renamed copy starts as on a first start and leaves
// the other copies' settings alone.
TEST(Instances, RenamedCopyKeepsSettingsOfItsOwn)
{
    const char* kRenamed = "Pel.orin";   // "Pel.orin.exe"
    Child::DeleteSettings(kRenamed);
    Child::DeleteSettings("Pelorin");
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "software\\Velmot\\Pelorin\\Settings", 0, NULL, 0,
                                               KEY_WRITE, NULL, &hKey, NULL));
    ::RegSetValueExA(hKey, "Dir1", 0, REG_SZ, (const BYTE*)"C:\\mine|C:\\mine", 16);
    ::RegCloseKey(hKey);

    Child renamed;
    ASSERT_TRUE(renamed.Start(kRenamed));
    EXPECT_EQ("", Text(renamed.Ctl(IDC_DIR1)));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(renamed.Ctl(IDC_SUBDIR), BM_GETCHECK, 0, 0));
    ::SendMessageA(renamed.Ctl(IDC_DIR2), WM_SETTEXT, 0, (LPARAM)"D:\\renamed");
    ::PostMessageA(renamed.Dialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(renamed.WaitExit());

    char data[64] = "";
    DWORD size = sizeof(data);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, "software\\Velmot\\Pel.orin\\Settings", "Dir2",
                                            RRF_RT_REG_SZ, NULL, data, &size));
    EXPECT_STREQ("D:\\renamed", data);
    size = sizeof(data);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, "software\\Velmot\\Pelorin\\Settings", "Dir1",
                                            RRF_RT_REG_SZ, NULL, data, &size));
    EXPECT_STREQ("C:\\mine|C:\\mine", data);
    Child::DeleteSettings(kRenamed);
    Child::DeleteSettings("Pelorin");
}
