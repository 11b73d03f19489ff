// The application manifest as built into Pelorin.exe, and the program on a
// 144-DPI screen: the windows grow with the system DPI and the version
// window's link label still fits its text.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <regex>

using namespace harness;

namespace {

// The RT_MANIFEST resources of an executable, read as data.
struct Manifests
{
    std::vector<ULONG_PTR> names;   // integer names; 0 for a string name
    std::vector<WORD> languages;    // of every name
    std::string xml;                // the first one
};

BOOL CALLBACK OnLanguage(HMODULE hModule, LPCSTR type, LPCSTR name, WORD lang, LONG_PTR param)
{
    Manifests* m = (Manifests*)param;
    m->languages.push_back(lang);
    HRSRC hRes = ::FindResourceExA(hModule, type, name, lang);
    const char* p = hRes ? (const char*)::LockResource(::LoadResource(hModule, hRes)) : NULL;
    if (p && m->languages.size() == 1)
        m->xml.assign(p, ::SizeofResource(hModule, hRes));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE hModule, LPCSTR type, LPSTR name, LONG_PTR param)
{
    ((Manifests*)param)->names.push_back(IS_INTRESOURCE(name) ? (ULONG_PTR)name : 0);
    ::EnumResourceLanguagesA(hModule, type, name, OnLanguage, param);
    return TRUE;
}

const char kKey[] = "Control Panel\\Desktop";

// HKCU\Control Panel\Desktop "LogPixels", the system DPI that Wine gives each
// process when it starts. A process already running keeps its DPI, this one
// included. The old state comes back in the destructor, whatever failed.
class LogPixelsGuard
{
public:
    explicit LogPixelsGuard(DWORD dpi) : m_old(0)
    {
        DWORD cb = sizeof(m_old);
        m_had = ::RegGetValueA(HKEY_CURRENT_USER, kKey, "LogPixels", RRF_RT_REG_DWORD, NULL, &m_old, &cb)
                == ERROR_SUCCESS;
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &dpi, sizeof(dpi)));
    }
    ~LogPixelsGuard()
    {
        if (m_had)
            ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &m_old, sizeof(m_old));
        else
            ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels");
    }

private:
    bool m_had;
    DWORD m_old;
    LogPixelsGuard(const LogPixelsGuard&);
    LogPixelsGuard& operator=(const LogPixelsGuard&);
};

// While it lives, this thread reads other windows in their own pixels.
// This test program has no manifest, so it is DPI-unaware: Windows (8.1 and
// later) and Wine 10 give such a thread the rectangles of a per-monitor
// aware window of another DPI scaled to 96 DPI. A system without per-thread
// awareness (Wine 8, older Windows) scales nothing.
class OwnPixels
{
public:
    OwnPixels() : m_set(NULL), m_old(NULL)
    {
        m_set = (SetContext)(void*)::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext");
        if (m_set)
            m_old = m_set((HANDLE)-4);   // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    }
    ~OwnPixels()
    {
        if (m_old)
            m_set(m_old);
    }

private:
    typedef HANDLE(WINAPI* SetContext)(HANDLE);
    SetContext m_set;
    HANDLE m_old;
    OwnPixels(const OwnPixels&);
    OwnPixels& operator=(const OwnPixels&);
};

SIZE SizeOf(const RECT& rc)
{
    SIZE s = { rc.right - rc.left, rc.bottom - rc.top };
    return s;
}

// One window of a copy of the program: its size, its client size, and the
// client size its template asks for at the copy's DPI.
struct Seen
{
    SIZE window, client, units;
};

Seen Look(HWND hWnd, int cx, int cy)
{
    OwnPixels own;
    RECT w, c;
    ::GetWindowRect(hWnd, &w);
    ::GetClientRect(hWnd, &c);
    Seen seen = { SizeOf(w), SizeOf(c), SizeOf(DialogRect(hWnd, 0, 0, cx, cy)) };
    return seen;
}

// What a user of a copy sees at one DPI: its dialog and version window, and
// the link label there with its font and its text's extent in that font.
struct Screen
{
    Seen dialog, version;
    std::string labelSize, labelExtent, labelFont, labelText;
};

Screen SeeCopy(const std::string& name)
{
    Screen seen;
    ClearSettings(name);
    Script s;
    s.Do([&] {
        seen.dialog = Look(MainDialog(), 303, 101);
        ::PostMessageA(MainDialog(), WM_SYSCOMMAND, IDM_VERSION, 0);
    })
        .WaitFor([] { return OtherDialog() != NULL; })
        .Do([&] {
            seen.version = Look(OtherDialog(), 202, 55);
            HWND hLabel = ::GetDlgItem(OtherDialog(), IDC_LINK);
            RECT rc;
            {
                OwnPixels own;
                ::GetClientRect(hLabel, &rc);
            }
            seen.labelSize = std::to_string(rc.right) + " " + std::to_string(rc.bottom);
            seen.labelExtent = Agent("extent " + Hex(hLabel));
            seen.labelFont = Agent("font " + Hex(hLabel));
            seen.labelText = Text(hLabel);
            ::PostMessageA(::GetDlgItem(OtherDialog(), IDOK), BM_CLICK, 0, 0);
        })
        .WaitFor([] { return OtherDialog() == NULL; })
        .Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s, 90000, name));
    ClearSettings(name);
    return seen;
}

// A window laid out from a dialog template at 144 DPI against the same at
// 96: its client area is 1.5 times as large, within the rounding of the
// dialog base units. Those are whole pixels taken from the font at each DPI
// (its average character width and its height), so each may lie up to half
// a pixel from the exact value; a dialog unit is a quarter of the width
// unit and an eighth of the height unit. For a template cx by cy units the
// error is at most (0.5 + 1.5 * 0.5) * cx / 4 pixels across, and
// (0.5 + 1.5 * 0.5) * cy / 8 down: the 303 x 101 main dialog may be 95 x 16
// pixels off, a program that does not scale at all is 265 x 82 off. The
// frame around it is the system's and grows with the caption font.
void ExpectScaledByHalfAgain(const Seen& at96, const Seen& at144, int cxUnits, int cyUnits)
{
    EXPECT_NEAR(at96.client.cx * 1.5, at144.client.cx, 1.25 * cxUnits / 4);
    EXPECT_NEAR(at96.client.cy * 1.5, at144.client.cy, 1.25 * cyUnits / 8);
    EXPECT_EQ(at144.window.cx - at144.client.cx, at96.window.cx - at96.client.cx) << "the side borders";
    EXPECT_GT(at144.window.cy - at144.client.cy, at96.window.cy - at96.client.cy) << "the caption";
}

} // namespace

// Pelorin.exe carries its manifest once, as resource 1 in one language (a
// second one, such as a toolchain's default manifest, would leave it to the
// loader which one counts), and the manifest declares, each in the place
// and namespace where Windows reads it: Common Controls 6 (visual styles and
// the link's tooltip), no elevation, the supported Windows versions, and DPI
// awareness (per monitor v2, else system-aware).
TEST(Manifest, EmbeddedOnceWithItsDeclarations)
{
    Manifests m;
    HMODULE hExe = ::LoadLibraryExA((BuildDir() + "Pelorin.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hExe != NULL);
    ::EnumResourceNamesA(hExe, RT_MANIFEST, OnName, (LONG_PTR)&m);
    ::FreeLibrary(hExe);
    EXPECT_EQ(std::vector<ULONG_PTR>(1, 1), m.names);   // CREATEPROCESS_MANIFEST_RESOURCE_ID
    EXPECT_EQ(1u, m.languages.size());

    // Without comments, and with white space only where it separates attributes.
    std::string xml = std::regex_replace(m.xml, std::regex("<!--[\\s\\S]*?-->"), "");
    xml = std::regex_replace(std::regex_replace(xml, std::regex(">\\s+<"), "><"), std::regex("\\s+"), " ");
    const char* const declarations[] = {
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
        "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
        "version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
        "</dependentAssembly></dependency>",
        "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security><requestedPrivileges>"
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/></requestedPrivileges></security></trustInfo>",
        // Vista, 7, 8, 8.1, 10 and 11.
        "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\"><application>"
        "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/><supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>"
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/><supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>"
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/></application></compatibility>",
        "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\"><windowsSettings>"
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, System</dpiAwareness>"
        "</windowsSettings></application>",
    };
    for (const char* d : declarations)
        EXPECT_NE(std::string::npos, xml.find(d)) << d << "\nin: " << xml;
    // Each is declared once: one of each element that Windows reads.
    for (const char* element : { "<dependency>", "<trustInfo ", "<compatibility ", "<dpiAware ", "<dpiAwareness " })
        EXPECT_EQ(xml.find(element), xml.rfind(element)) << element;
}

// On a 144-DPI screen the program lays out its windows at that DPI: the
// dialog and the version window are half as large again, and the link label
// is still exactly its text's size in the underlined dialog font, which is
// then 18 pixels high instead of 12. (Windows does this only for a program
// that declares itself DPI-aware, as the manifest above does, and stretches
// the others. Wine 10 reads the declaration as Windows does; Wine 8 gives
// every program the system DPI, so there this checks the layout only, and
// the manifest test the declaration.)
TEST(HighDpi, WindowsScaleAndLinkLabelFitsAt144)
{
    Screen at96 = SeeCopy("DpiAt96"), at144;
    {
        LogPixelsGuard dpi(144);
        at144 = SeeCopy("DpiAt144");
    }
    const std::string kFace = ToAnsi(L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF", CP_UTF8);   // ＭＳ Ｐゴシック, as the agent writes it
    struct Fit { const char* what; const Screen& seen; std::string font; } fits[] = {
        { "96 DPI", at96, "-12 1 " + kFace }, { "144 DPI", at144, "-18 1 " + kFace },
    };
    for (const Fit& f : fits) {
        SCOPED_TRACE(f.what);
        EXPECT_EQ(f.seen.dialog.units.cx, f.seen.dialog.client.cx);
        EXPECT_EQ(f.seen.dialog.units.cy, f.seen.dialog.client.cy);
        EXPECT_EQ(f.seen.version.units.cx, f.seen.version.client.cx);
        EXPECT_EQ(f.seen.version.units.cy, f.seen.version.client.cy);
        EXPECT_EQ(f.font, f.seen.labelFont);
        EXPECT_EQ(f.seen.labelExtent, f.seen.labelSize);
        EXPECT_EQ("http://www.velmot.jp/pelorin/", f.seen.labelText);
    }
    {
        SCOPED_TRACE("main dialog");
        ExpectScaledByHalfAgain(at96.dialog, at144.dialog, 303, 101);
    }
    {
        SCOPED_TRACE("version window");
        ExpectScaledByHalfAgain(at96.version, at144.version, 202, 55);
    }
}
