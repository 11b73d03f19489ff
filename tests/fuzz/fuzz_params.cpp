// The parameter text for the comparison tool, read back as a tool reads its
// command line: by the C runtime's rules (a backslash run before a quote
// halves, a quote opens or closes a quoted part), walking code page 932
// or 936 characters. Two paths without quotes must come back exactly, with "-D"
// only when subdirectories are off (WinDiff's form), or "/r" before them when
// they are on (WinMerge's; "/r-" when off, from 2.16.32), or alone (KDiff3's,
// Beyond Compare's).
#include "compare/LaunchParams.h"
#include "FuzzRef.h"

#include <stdint.h>

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // First byte: the option, the code page and the tool; the rest: the two paths, split at the first
    // zero byte. A path ends at a zero byte, and holds no quote here.
    const bool subDir = data[0] & 1;
    std::string rest((const char*)data + 1, size - 1);
    std::string dir1 = rest.substr(0, rest.find('\0'));
    std::string dir2 = rest.size() > dir1.size() ? rest.substr(dir1.size() + 1) : std::string();
    dir2 = dir2.c_str();
    if (dir1.find('"') != std::string::npos || dir2.find('"') != std::string::npos)
        return 0;

    const LeadByteTable& t = (data[0] & 2) ? Cp936LeadBytes() : Cp932LeadBytes();
    const char* const tools[4] = { "C:\\t\\standin.exe", "WinMergeU.exe", "kdiff3.exe", "BComp.exe" };
    const int tool = (data[0] >> 2) & 3;
    const ToolVersion version = (data[0] & 16) ? MakeToolVersion(2, 16, 50, 0) : 0;   // WinMerge with "/r-"
    CString params = BuildToolParameters(tools[tool], dir1.c_str(), dir2.c_str(), subDir, t, version);
    std::string text((const char*)params, (size_t)params.GetLength());
    std::vector<std::string> args = ref::SplitLikeTheCRuntime(text, [&t](unsigned char c) { return t.IsLead(c); });

    // A path ending in a lead byte would swallow its closing quote as a
    // trail byte: no program could read that back.
    bool cleanEnds = (dir1.empty() || !t.IsLead((unsigned char)dir1.back()))
                     && (dir2.empty() || !t.IsLead((unsigned char)dir2.back()));
    if (!cleanEnds)
        return 0;
    std::vector<std::string> expected = { dir1, dir2 };
    if (tool == 0 && !subDir)
        expected.push_back("-D");
    if (tool == 1 && (subDir || version))
        expected.insert(expected.begin(), subDir ? "/r" : "/r-");
    FUZZ_CHECK(args == expected);
    return 0;
}
