// Pelorin started with paths on its command line, as the shell's Send To, a
// drop on its icon or a terminal starts it: the paths fill the fields as a
// drop would, the focus is where the next key belongs, and Enter hands the
// tool the paths.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace harness;

TEST(CommandLine, PathsGivenAtStartFillTheFields)
{
    const std::wstring base = ToWide(ScratchDir());   // C:\pt\, the folder Pelorin starts in
    const std::wstring names = base + L"\ud55c\uad6d \xd83d\xde00", cafe = base + L"caf\u00e9",
                       missing = base + L"\ud55c\uad6d-missing";
    for (const std::wstring& dir : { names, cafe })
        ::CreateDirectoryW(dir.c_str(), NULL);
    const std::wstring tool = ToWide(ScratchDir()) + L"WinMergeU.exe";   // reads its command line in Unicode
    ::CopyFileW(ToWide(StandinPath()).c_str(), tool.c_str(), FALSE);
    const std::wstring longPath = L"C:\\pt\\" + std::wstring(140, L'l') + L" " + std::wstring(140, L'm') + L"\\end";
    const std::wstring stored[2] = { L"C:\\stored one", L"C:\\stored two" };
    const struct Row
    {
        const char* what;
        std::wstring arguments;   // after the quoted program path, exactly
        std::wstring fields[2];   // what the fields show, exactly
        int focus;                // 0: the first tab stop, the tool's path
        std::wstring box = L"";   // a box before the dialog says this
    } rows[] = {
        { "two paths with spaces", L" \"C:\\My files\\left side\" \"D:\\right side\\\"",
          { L"C:\\My files\\left side", L"D:\\right side\\" }, IDOK },
        { "one path", L" \"C:\\one\"", { L"C:\\one", stored[1] }, IDC_DIR2 },
        { "two drive roots", L" \"C:\\\" \"D:\\\"", { L"C:\\", L"D:\\" }, IDOK },
        { "quoted by the C runtime's rules", L" \"C:\\a b\\\\\" D:\\\\", { L"C:\\a b\\", L"D:\\" }, IDOK },
        { "empty and blank ones between", L" C:\\one \"\" \" \t\" D:\\two", { L"C:\\one", L"D:\\two" }, IDOK },
        { "relative paths", L" \"rel dir\\sub\" ..\\pt\\.\\other", { base + L"rel dir\\sub", base + L"other" }, IDOK },
        { "three paths", L" \"C:\\a\" \"C:\\b\" \"C:\\c\"", { stored[0], stored[1] }, 0,
          JapaneseUi() ? L"\u30013 \u500b" : L" 3 paths" },   // "、3 個": how many it was given
        { "names no code page holds", L" \"" + names + L"\" \"" + cafe + L"\"", { names, cafe }, IDOK },
        { "one without a short name", L" \"" + missing + L"\" \"C:\\x\"", { missing, L"C:\\x" }, IDOK },
        { "a path of 300 characters", L" \"" + longPath + L"\" C:\\x", { longPath, L"C:\\x" }, IDOK },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ClearSettings();
        SetString("Dir1", stored[0]);
        SetString("Dir2", stored[1]);
        SetString("WinDiff", tool);
        SetString("SubDir", "1");
        ResetStandinLog();
        std::wstring shown[2];
        size_t items = 0;
        bool focused = false, unicode = true;   // every window a Unicode one
        Script s;
        s.Do([&] {
            shown[0] = TextW(ComboEdit(IDC_DIR1));
            shown[1] = TextW(ComboEdit(IDC_DIR2));
            items = ComboItems(IDC_DIR1).size() + ComboItems(IDC_DIR2).size();
            int id = row.focus ? row.focus : IDC_WINDIFF;
            focused = Focused() == (id == IDC_DIR2 ? ComboEdit(id) : Ctl(id));
            for (HWND h : { MainDialog(), Ctl(IDC_WINDIFF), Ctl(IDC_DIR1), ComboEdit(IDC_DIR1), Ctl(IDC_DIR2), ComboEdit(IDC_DIR2) })
                unicode = unicode && ::IsWindowUnicode(h);
        });
        s.Key(VK_RETURN);
        ASSERT_TRUE(RunProgramWith(row.arguments, s));

        std::vector<std::string> records = WaitStandinRecords(1);
        ASSERT_EQ(1u, records.size());
        std::vector<std::wstring> args = ExactArguments(records[0]);
        EXPECT_EQ((std::vector<std::wstring>{ tool, L"/r", row.fields[0], row.fields[1] }), args);
        EXPECT_EQ(row.fields[0], shown[0]);
        EXPECT_EQ(row.fields[1], shown[1]);
        EXPECT_EQ(0u, items) << "a history before OK";
        EXPECT_TRUE(focused) << "the focus is elsewhere";
        EXPECT_TRUE(unicode);
        std::vector<BoxShown> boxes = BoxesBeforeDialog();
        ASSERT_EQ(row.box.empty() ? 0u : 1u, boxes.size());
        if (!boxes.empty()) {
            EXPECT_EQ("Pelorin", boxes[0].caption);
            EXPECT_EQ("exclamation", boxes[0].icon);
            EXPECT_NE(std::wstring::npos, boxes[0].message.find(row.box)) << ToAnsi(boxes[0].message);
        }
        // Stored exactly; the field the focus left enters its history once.
        EXPECT_EQ(row.fields[1] + (row.focus == IDC_DIR2 ? L"|" + row.fields[1] : L""), GetStringExact("Dir2"));
    }
}
