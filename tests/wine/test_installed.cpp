// Pelorin as its setup leaves it (run after the setup, with --installed): the
// shortcuts, the entry, and the Send To target started with two folders.
#include "harness/Harness.h"
#include "resource.h"
#include "version.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using namespace harness;

static std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    ::SHGetFolderPathA(NULL, csidl, NULL, 0, path);
    return path;
}

// A shortcut's target, read through the shell's link interface.
static std::string LinkTarget(const std::string& link)
{
    char target[MAX_PATH] = "";
    IShellLinkA* shellLink = NULL;
    IPersistFile* file = NULL;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&shellLink))
        && SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, (void**)&file))
        && SUCCEEDED(file->Load(ToWide(link).c_str(), STGM_READ)))
        shellLink->GetPath(target, MAX_PATH, NULL, 0);
    if (file)
        file->Release();
    if (shellLink)
        shellLink->Release();
    return target;
}

TEST(Installed, ShortcutsAndEntryLeadToTheProgramThatOpensOnTwoFolders)
{
    if (!strstr(::GetCommandLineA(), " --installed"))
        GTEST_SKIP() << "runs after the setup";
    ::CoInitialize(NULL);
    const std::string dir = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Pelorin", exe = dir + "\\Pelorin.exe";
    for (int csidl : { CSIDL_PROGRAMS, CSIDL_SENDTO })
        EXPECT_EQ(exe, LinkTarget(ShellFolder(csidl) + "\\Pelorin.lnk")) << "shortcut in folder " << csidl;
    const std::string uninstall = "\"" + dir + "\\Uninstall.exe\" ";
    const std::pair<const char*, std::string> entry[] = {
        { "DisplayName", "Pelorin" }, { "DisplayVersion", PELORIN_VERSION_TEXT }, { "Publisher", "Velmot" },
        { "DisplayIcon", exe }, { "UninstallString", uninstall + "_?=" + dir },
        { "QuietUninstallString", uninstall + "/S _?=" + dir },
    };
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pelorin";
    for (const auto& value : entry) {
        char text[1024] = "";
        DWORD size = sizeof(text);
        ::RegGetValueA(HKEY_CURRENT_USER, key, value.first, RRF_RT_REG_SZ, NULL, text, &size);
        EXPECT_EQ(value.second, text) << value.first;
    }
    DWORD kb = 0, size = sizeof(kb);   // at least Pelorin.exe's 73 KB
    ::RegGetValueA(HKEY_CURRENT_USER, key, "EstimatedSize", RRF_RT_REG_DWORD, NULL, &kb, &size);
    EXPECT_GE(kb, 64u) << "EstimatedSize";
    UseProgram(LinkTarget(ShellFolder(CSIDL_SENDTO) + "\\Pelorin.lnk"));
    const std::string folders[2] = { ScratchDir() + "left", ScratchDir() + "right" };
    Field shown[2];
    Script s;
    s.Do([&] {
        shown[0] = ReadField(IDC_DIR1);
        shown[1] = ReadField(IDC_DIR2);
    });
    s.Click(IDCANCEL);
    ::CreateDirectoryA(folders[0].c_str(), NULL);
    ::CreateDirectoryA(folders[1].c_str(), NULL);
    ASSERT_TRUE(RunProgramWith(ToWide(" \"" + folders[0] + "\" \"" + folders[1] + "\""), s));
    EXPECT_EQ(folders[0], shown[0].text);
    EXPECT_EQ(folders[1], shown[1].text);
}
