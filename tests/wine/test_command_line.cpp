// Pelorin started with paths on its command line, as the shell's Send To, a
// drop on its icon or a terminal starts it: the paths fill the fields as a
// drop would, the focus is where the next key belongs, and Enter hands the
// tool the paths.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

typedef std::vector<std::string> Strings;

TEST(CommandLine, PathsGivenAtStartFillTheFields)
{
    const std::wstring base = ToWide(ScratchDir());   // C:\pt\, the folder Pelorin starts in
    const std::wstring cafe = base + L"cafe", cafeAccent = base + L"caf\u00e9",
                       missing = base + L"\ud55c\uad6d-missing";
    for (const std::wstring& dir : { cafe, cafeAccent })
        ::CreateDirectoryW(dir.c_str(), NULL);
    const std::string longPath = "C:\\pt\\" + std::string(140, 'l') + " " + std::string(140, 'm') + "\\end";
    const std::string stored[2] = { "C:\\stored one", "C:\\stored two" };
    const struct Row
    {
        const char* what;
        std::wstring arguments;   // after the quoted program path, exactly
        std::wstring fields[2];   // what the fields name; an item outside the code page by its short name
        int focus;                // 0: the first tab stop, the tool's path
        std::wstring box = L"";   // a box before the dialog says this
    } rows[] = {
        { "two paths with spaces", L" \"C:\\My files\\left side\" \"D:\\right side\\\"",
          { L"C:\\My files\\left side", L"D:\\right side\\" }, IDOK },
        { "one path", L" \"C:\\one\"", { L"C:\\one", ToWide(stored[1]) }, IDC_DIR2 },
        { "two drive roots", L" \"C:\\\" \"D:\\\"", { L"C:\\", L"D:\\" }, IDOK },
        { "quoted by the C runtime's rules", L" \"C:\\a b\\\\\" D:\\\\", { L"C:\\a b\\", L"D:\\" }, IDOK },
        { "empty and blank ones between", L" C:\\one \"\" \" \t\" D:\\two", { L"C:\\one", L"D:\\two" }, IDOK },
        { "relative paths", L" \"rel dir\\sub\" ..\\pt\\.\\other", { base + L"rel dir\\sub", base + L"other" }, IDOK },
        { "three paths", L" \"C:\\a\" \"C:\\b\" \"C:\\c\"", { ToWide(stored[0]), ToWide(stored[1]) }, 0,
          L"\u30013 \u500b" },   // "、3 個": how many it was given
        { "a name outside the code page", L" \"" + cafeAccent + L"\" \"" + cafe + L"\"", { cafeAccent, cafe }, IDOK },
        { "one without a short name", L" \"" + missing + L"\" \"C:\\x\"", { ToWide(stored[0]), ToWide(stored[1]) }, 0,
          missing },
        { "a path of 300 characters", L" \"" + ToWide(longPath) + L"\" C:\\x", { ToWide(longPath), L"C:\\x" }, IDOK },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ClearSettings();
        SetString("Dir1", stored[0]);
        SetString("Dir2", stored[1]);
        SetString("WinDiff", StandinPath());
        SetString("SubDir", "1");
        ResetStandinLog();
        Field shown[2];
        bool focused = false;
        Script s;
        s.Do([&] {
            shown[0] = ReadField(IDC_DIR1);
            shown[1] = ReadField(IDC_DIR2);
            int id = row.focus ? row.focus : IDC_WINDIFF;
            focused = Focused() == (id == IDC_DIR2 ? ComboEdit(id) : Ctl(id));
        });
        s.Key(VK_RETURN);
        ASSERT_TRUE(RunProgramWith(row.arguments, s));

        std::vector<std::string> records = WaitStandinRecords(1);
        ASSERT_EQ(1u, records.size());
        Strings tool = Arguments(records[0]);
        tool.erase(tool.begin());
        ASSERT_EQ(2u, tool.size()) << records[0];
        for (int i = 0; i < 2; i++) {
            const std::wstring& want = row.fields[i];
            if (ToWide(ToAnsi(want)) == want) {
                EXPECT_EQ(ToAnsi(want), shown[i].text);
            } else {
                EXPECT_TRUE(SameItem(shown[i].text, want)) << shown[i].text;
                EXPECT_FALSE(SameItem(shown[i].text, cafe)) << "a look-alike: " << shown[i].text;
            }
            EXPECT_EQ(Strings{}, shown[i].items) << "a history before OK";
            EXPECT_EQ(shown[i].text, tool[i]);
        }
        EXPECT_TRUE(focused) << "the focus is elsewhere";
        std::vector<BoxShown> boxes = BoxesBeforeDialog();
        ASSERT_EQ(row.box.empty() ? 0u : 1u, boxes.size());
        if (!boxes.empty()) {
            EXPECT_EQ("Pelorin", boxes[0].caption);
            EXPECT_EQ("exclamation", boxes[0].icon);
            EXPECT_NE(std::wstring::npos, boxes[0].message.find(row.box)) << ToAnsi(boxes[0].message);
        }
    }
}
