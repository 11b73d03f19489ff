// The parameter text for the comparison tool, read back as a tool reads its
// command line: by the C runtime's rules (a backslash run before a quote
// halves, a quote opens or closes a quoted part). Two paths without quotes
// must come back exactly, with "-D" only when subdirectories are off
// (WinDiff's form), or "/r" before them when they are on (WinMerge's), or
// alone (KDiff3's, Beyond Compare's).
#include "compare/LaunchParams.h"
#include "FuzzRef.h"

#include <stdint.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // First byte: the option and the tool; the rest: the two paths, UTF-16,
    // split at the first zero character. A path holds no quote here.
    FuzzInput in(data, size);
    const unsigned char options = in.Byte();
    const bool subDir = options & 1;
    const std::wstring dir1 = in.Field(), dir2 = in.Field();
    if (dir1.find(L'"') != std::wstring::npos || dir2.find(L'"') != std::wstring::npos)
        return 0;

    const wchar_t* const tools[4] = { L"C:\\t\\standin.exe", L"WinMergeU.exe", L"kdiff3.exe", L"BComp.exe" };
    const int tool = (options >> 2) & 3;
    std::vector<std::wstring> args = ref::SplitLikeTheCRuntime(Str(BuildToolParameters(tools[tool], dir1.c_str(), dir2.c_str(), subDir)));

    std::vector<std::wstring> expected = { dir1, dir2 };
    if (tool == 0 && !subDir)
        expected.push_back(L"-D");
    if (tool == 1 && subDir)
        expected.insert(expected.begin(), L"/r");
    FUZZ_CHECK(args == expected);
    return 0;
}
