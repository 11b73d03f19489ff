// Stored settings and a registered tool path that are not what the program
// writes: wrong types, missing terminators, huge data. The program must
// show what it can, stay up, lose none of the other values, and store
// well-formed text values when it closes.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

#include <stdio.h>

using namespace harness;

namespace {

const char* const kValueNames[] = { "Dir1", "Dir2", "SubDir", "WinDiff" };

// What the program stores for values it was given as text.
struct Baseline
{
    const char* name;
    std::string stored;
    std::string saved;
};

const Baseline kBaseline[] = {
    { "Dir1", "C:\\one|C:\\one", "C:\\one|C:\\one" },
    { "Dir2", "|D:\\two", "|D:\\two" },
    { "SubDir", "1", "1" },
    { "WinDiff", "C:\\tool.exe", "C:\\tool.exe" },
};

std::string Sz(const std::string& text)
{
    return text + std::string(1, '\0');
}

std::string Dword(DWORD v)
{
    return std::string((const char*)&v, sizeof(v));
}

// A history text of at least n bytes: numbered entries.
std::string LongHistory(size_t n)
{
    std::string s = "C:\\big";
    char entry[32];
    for (int i = 0; s.size() < n; i++) {
        sprintf(entry, "|C:\\dir%06d", i);
        s += entry;
    }
    return s;
}

// ---------------------------------------------------------------------------
// In this process: one value at a time is of the wrong shape; what the
// program stores for it is the text it took from it (its data up to the
// first zero byte), and the other values come back unchanged.

struct BadValueCase
{
    const char* label;
    const char* name;
    DWORD type;
    std::string data;
    std::string saved;
};

const std::string k100KBHistory = LongHistory(100 * 1024);

// Entries longer than 511 characters, double-byte ones among them.
std::string LongEntryHistory()
{
    std::string dbcs;
    while (dbcs.size() < 1200)
        dbcs += "\x83\x7C";     // "ソ", trail byte "|"
    return "C:\\" + std::string(600, 't') + "|C:\\" + std::string(4000, 'u') + "|D:\\" + dbcs + "|E:\\short";
}

const BadValueCase kBadValueCases[] = {
    { "Dir1LongEntries", "Dir1", REG_SZ, Sz(LongEntryHistory()), LongEntryHistory() },
    { "Dir2LongEntries", "Dir2", REG_SZ, Sz(LongEntryHistory()), LongEntryHistory() },
    { "Dir1Dword", "Dir1", REG_DWORD, Dword(0x00782F41), "A/x" },
    { "Dir1BinaryWithoutTerminator", "Dir1", REG_BINARY, "C:\\bin|D:\\b", "C:\\bin|D:\\b" },
    { "Dir1MultiSz", "Dir1", REG_MULTI_SZ, std::string("C:\\m|D:\\n\0E:\\o\0\0", 16), "C:\\m|D:\\n" },
    { "Dir1Of100KB", "Dir1", REG_SZ, Sz(k100KBHistory), k100KBHistory },
    { "Dir2Dword", "Dir2", REG_DWORD, Dword(0x00782F41), "A/x" },
    { "Dir2BinaryWithoutTerminator", "Dir2", REG_BINARY, "|C:\\bin||D:\\b", "|C:\\bin||D:\\b" },
    { "Dir2MultiSz", "Dir2", REG_MULTI_SZ, std::string("|C:\\m\0E:\\o\0\0", 12), "|C:\\m" },
    { "Dir2Of100KB", "Dir2", REG_BINARY, k100KBHistory, k100KBHistory },
    { "SubDirDwordOne", "SubDir", REG_DWORD, Dword(1), "0" },          // the byte 1 is no digit
    { "SubDirBinaryWithoutTerminator", "SubDir", REG_BINARY, "1", "1" },
    { "SubDirMultiSz", "SubDir", REG_MULTI_SZ, std::string("0\0" "1\0\0", 5), "0" },
    { "SubDirOf100KB", "SubDir", REG_SZ, Sz(std::string(100 * 1024, ' ') + "1"), "1" },
    { "WinDiffDword", "WinDiff", REG_DWORD, Dword(0x00782F41), "A/x" },
    { "WinDiffBinaryWithoutTerminator", "WinDiff", REG_BINARY, "C:\\t\\w.exe", "C:\\t\\w.exe" },
    { "WinDiffMultiSz", "WinDiff", REG_MULTI_SZ, std::string("C:\\a.exe\0C:\\b.exe\0\0", 19), "C:\\a.exe" },
    { "WinDiffOf100KB", "WinDiff", REG_SZ, Sz("C:\\" + std::string(100 * 1024, 'w')),
      "C:\\" + std::string(100 * 1024, 'w') },
};

class BadValue : public ::testing::TestWithParam<BadValueCase>
{
};

TEST_P(BadValue, IsTakenAsTextAndTheOtherValuesAreKept)
{
    const BadValueCase& c = GetParam();
    ClearSettings();
    for (size_t i = 0; i < 4; i++)
        SetString(kBaseline[i].name, kBaseline[i].stored);
    SetValue(c.name, c.type, c.data);
    bool alive = false;
    Script s;
    s.Do([&] { alive = ::IsWindowVisible(MainDialog()) != FALSE; }).Click(IDCANCEL);
    ASSERT_TRUE(RunProgram(s));

    EXPECT_TRUE(alive);
    for (size_t i = 0; i < 4; i++) {
        std::string saved = GetString(kBaseline[i].name);   // fails unless well-formed REG_SZ
        if (std::string(kBaseline[i].name) == c.name)
            EXPECT_EQ(c.saved, saved) << c.name;
        else
            EXPECT_EQ(kBaseline[i].saved, saved) << kBaseline[i].name;
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, BadValue, ::testing::ValuesIn(kBadValueCases),
                         [](const ::testing::TestParamInfo<BadValueCase>& info) {
                             return std::string(info.param.label);
                         });

// ---------------------------------------------------------------------------
// The real program, started as a child process against every hostile state
// of every value and of the registered tool path, ended with Cancel.

const char kChildName[] = "PelorinHostile";

std::string ChildSettingsKey(const std::string& child)
{
    return "software\\Velmot\\" + child + "\\Settings";
}

void SetChildValue(const std::string& child, const std::string& name, DWORD type, const std::string& data)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, ChildSettingsKey(child).c_str(), 0, NULL, 0, KEY_WRITE,
                                               NULL, &hKey, NULL));
    ::RegSetValueExA(hKey, name.c_str(), 0, type, (const BYTE*)data.data(), (DWORD)data.size());
    ::RegCloseKey(hKey);
}

// The stored value, when it is a well-formed REG_SZ (terminated, no zero
// byte inside); a failure otherwise.
::testing::AssertionResult ChildValueIsText(const std::string& child, const std::string& name, std::string* text)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, ChildSettingsKey(child).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return ::testing::AssertionFailure() << "no settings key";
    DWORD type = 0, cb = 0;
    LONG r = ::RegQueryValueExA(hKey, name.c_str(), NULL, &type, NULL, &cb);
    std::string data(cb, '\0');
    if (r == ERROR_SUCCESS && cb)
        r = ::RegQueryValueExA(hKey, name.c_str(), NULL, &type, (BYTE*)&data[0], &cb);
    ::RegCloseKey(hKey);
    if (r != ERROR_SUCCESS)
        return ::testing::AssertionFailure() << name << " cannot be read";
    data.resize(cb);
    if (type != REG_SZ)
        return ::testing::AssertionFailure() << name << " has type " << type;
    if (data.empty() || data[data.size() - 1] != '\0')
        return ::testing::AssertionFailure() << name << " has no terminator";
    data.resize(data.size() - 1);
    if (data.find('\0') != std::string::npos)
        return ::testing::AssertionFailure() << name << " holds a zero byte";
    *text = data;
    return ::testing::AssertionSuccess();
}

struct Shape
{
    const char* label;
    DWORD type;
    std::string data;
};

// 1 MB of every byte but zero, lead bytes and "|" included, no terminator.
std::string Junk(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; i++)
        s[i] = (char)(1 + i % 255);
    return s;
}

// 1 MB of a history text of long entries, each with a double-byte character
// whose trail byte is "|".
std::string LongEntries(size_t n)
{
    std::string entry = "C:\\\x83\x7C" + std::string(4090, 'x') + "|";
    std::string s;
    while (s.size() < n)
        s += entry;
    return s;
}

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = {
        { "dword", REG_DWORD, Dword(0x7C837C83) },
        { "binary without terminator", REG_BINARY, "C:\\bin|D:\\\x83" },
        { "multi-string", REG_MULTI_SZ, std::string("C:\\m\0D:\\n\0\0", 11) },
        { "empty data", REG_SZ, "" },
        { "1 MB text", REG_SZ, Sz(LongEntries(1 << 20)) },
        { "1 MB binary", REG_BINARY, Junk(1 << 20) },
        { "text without terminator", REG_SZ, "C:\\no\\terminator" },
        { "lone lead byte at the end", REG_SZ, Sz("C:\\\x83\x7C\x83") },
    };
    return shapes;
}

// Two states per shape, one child process each: every settings value and
// the registered tool path in that shape at once; and the tool path alone,
// with no stored tool path (so that the located one is shown and stored) and
// the other values as the program writes them, which must be kept.
TEST(HostileSettings, EveryValueInEveryShapeLeavesTheProgramUpAndStoresText)
{
    ToolPathGuard tool;
    int tried = 0;
    const std::vector<Shape>& shapes = Shapes();
    for (size_t sh = 0; sh < shapes.size(); sh++) {
        const Shape& shape = shapes[sh];
        tool.Set(shape.type, shape.data);
        for (int pathOnly = 0; pathOnly < 2; pathOnly++) {
            SCOPED_TRACE(std::string(pathOnly ? "the tool path alone as " : "everything as ") + shape.label);
            Child::DeleteSettings(kChildName);
            for (int i = 0; i < 4; i++) {
                if (!pathOnly)
                    SetChildValue(kChildName, kValueNames[i], shape.type, shape.data);
                else if (i < 3)
                    SetChildValue(kChildName, kBaseline[i].name, REG_SZ, Sz(kBaseline[i].stored));
            }

            tried++;
            Child child;
            ASSERT_TRUE(child.Start(kChildName)) << "no dialog";
            HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, child.Pid());
            DWORD_PTR answer = 0;
            EXPECT_TRUE(::SendMessageTimeoutA(child.Dialog(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
                << "the dialog does not answer";
            ::PostMessageA(child.Dialog(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)child.Ctl(IDCANCEL));
            EXPECT_TRUE(child.WaitExit());
            DWORD code = 1;
            ::GetExitCodeProcess(hProcess, &code);
            ::CloseHandle(hProcess);
            EXPECT_EQ(0u, code) << "the program did not end normally";

            for (int i = 0; i < 4; i++) {
                std::string saved;
                EXPECT_TRUE(ChildValueIsText(kChildName, kValueNames[i], &saved));
                if (pathOnly && i < 3)
                    EXPECT_EQ(kBaseline[i].saved, saved) << kValueNames[i] << " was not kept";
            }
        }
    }
    Child::DeleteSettings(kChildName);
    printf("[ hostile  ] %d registry states tried\n", tried);
    ::testing::Test::RecordProperty("HostileStates", tried);
}

} // namespace
