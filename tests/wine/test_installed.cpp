// Pelorin as its setup leaves it (run after the setup, with --installed).
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

// The target of Pelorin.lnk in a shell folder, read through the shell's link interface.
static std::string ShortcutTarget(int csidl)
{
    char target[MAX_PATH] = "";
    IShellLinkA* link = NULL;
    IPersistFile* file = NULL;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))
        && SUCCEEDED(file->Load(ToWide(ShellFolder(csidl) + "\\Pelorin.lnk").c_str(), STGM_READ)))
        link->GetPath(target, MAX_PATH, NULL, 0);
    for (IUnknown* object : { (IUnknown*)file, (IUnknown*)link })
        if (object)
            object->Release();
    return target;
}

TEST(Installed, ShortcutsAndEntryLeadToTheProgramThatOpensOnTwoFolders)
{
    ::CoInitialize(NULL);
    const std::string dir = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Pelorin", exe = dir + "\\Pelorin.exe";
    for (int csidl : { CSIDL_PROGRAMS, CSIDL_SENDTO })
        EXPECT_EQ(exe, ShortcutTarget(csidl)) << "shortcut in folder " << csidl;
    const std::string uninstall = "\"" + dir + "\\Uninstall.exe\"";
    const std::pair<const char*, std::string> entry[] = {
        { "DisplayName", "Pelorin" }, { "DisplayVersion", PELORIN_VERSION_TEXT }, { "Publisher", "Velmot" },
        { "DisplayIcon", exe }, { "UninstallString", uninstall },
        { "QuietUninstallString", uninstall + " /S" },
    };
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pelorin";
    for (const auto& value : entry) {
        char text[1024] = "";
        DWORD size = sizeof(text);
        ::RegGetValueA(HKEY_CURRENT_USER, key, value.first, RRF_RT_REG_SZ, NULL, text, &size);
        EXPECT_EQ(value.second, text) << value.first;
    }
    DWORD kb = 0, size = sizeof(kb);   // at least the size of the build's Pelorin.exe
    WIN32_FILE_ATTRIBUTE_DATA built = {};
    ::GetFileAttributesExA((BuildDir() + "Pelorin.exe").c_str(), GetFileExInfoStandard, &built);
    ::RegGetValueA(HKEY_CURRENT_USER, key, "EstimatedSize", RRF_RT_REG_DWORD, NULL, &kb, &size);
    EXPECT_GE(kb, built.nFileSizeLow / 1024) << "EstimatedSize";
    UseProgram(ShortcutTarget(CSIDL_SENDTO));
    const std::vector<std::string> folders = { ScratchDir() + "left", ScratchDir() + "right" };
    std::vector<std::string> shown;
    Script s;
    s.Do([&] { shown = { ReadField(IDC_DIR1).text, ReadField(IDC_DIR2).text }; }).Click(IDCANCEL);
    for (const std::string& folder : folders)
        ::CreateDirectoryA(folder.c_str(), NULL);
    ASSERT_TRUE(RunProgramWith(ToWide(" \"" + folders[0] + "\" \"" + folders[1] + "\""), s));
    EXPECT_EQ(folders, shown);
}
