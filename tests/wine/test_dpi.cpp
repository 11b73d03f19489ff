// The application manifest as built into the executables, and the program
// on a 144-DPI screen: the windows grow with the system DPI and the version
// window's link label still fits its text.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace harness;

namespace {

// --- The manifest ------------------------------------------------------------

// The RT_MANIFEST resources of an executable, read as data: this works for
// an executable of either architecture.
struct Manifests
{
    bool loaded;
    std::vector<ULONG_PTR> names;   // integer names; 0 for a string name
    std::vector<WORD> languages;    // of every name
    std::string xml;                // the first one
};

BOOL CALLBACK OnLanguage(HMODULE hModule, LPCSTR type, LPCSTR name, WORD lang, LONG_PTR param)
{
    Manifests* m = (Manifests*)param;
    m->languages.push_back(lang);
    if (m->languages.size() == 1) {
        HRSRC hRes = ::FindResourceExA(hModule, type, name, lang);
        HGLOBAL hData = hRes ? ::LoadResource(hModule, hRes) : NULL;
        const char* p = hData ? (const char*)::LockResource(hData) : NULL;
        if (p)
            m->xml.assign(p, ::SizeofResource(hModule, hRes));
    }
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE hModule, LPCSTR type, LPSTR name, LONG_PTR param)
{
    Manifests* m = (Manifests*)param;
    m->names.push_back(IS_INTRESOURCE(name) ? (ULONG_PTR)name : 0);
    ::EnumResourceLanguagesA(hModule, type, name, OnLanguage, param);
    return TRUE;
}

Manifests ReadManifests(const std::string& path)
{
    Manifests m;
    m.loaded = false;
    HMODULE hModule = ::LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!hModule)
        return m;
    m.loaded = true;
    ::EnumResourceNamesA(hModule, RT_MANIFEST, OnName, (LONG_PTR)&m);
    ::FreeLibrary(hModule);
    return m;
}

// Just enough XML for a manifest: elements by local name (any namespace
// prefix), their attributes and text.
typedef std::map<std::string, std::string> Attributes;

struct Element
{
    size_t start;   // of the start tag in the text searched
    std::string name;
    Attributes attributes;
    std::string inner;   // everything between the start and end tags
};

std::string LocalName(const std::string& qname)
{
    size_t colon = qname.find(':');
    return colon == std::string::npos ? qname : qname.substr(colon + 1);
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Every element named name inside xml, in document order; false in *wellFormed
// when a start tag and an end tag do not match.
std::vector<Element> Elements(const std::string& xml, const std::string& name, bool* wellFormed = NULL)
{
    struct Open
    {
        std::string name;
        size_t innerStart;
        Element element;
    };
    std::vector<Open> stack;
    std::vector<Element> found;
    bool ok = true;
    for (size_t pos = xml.find('<'); pos != std::string::npos && ok; pos = xml.find('<', pos)) {
        if (xml.compare(pos, 4, "<!--") == 0) {
            size_t end = xml.find("-->", pos);
            pos = end == std::string::npos ? end : end + 3;
            ok = end != std::string::npos;
            continue;
        }
        size_t end = xml.find('>', pos);
        if (end == std::string::npos) {
            ok = false;
            break;
        }
        std::string tag = xml.substr(pos + 1, end - pos - 1);
        size_t tagStart = pos;
        pos = end + 1;
        if (tag.empty() || tag[0] == '?')
            continue;
        if (tag[0] == '/') {
            std::string closing = LocalName(Trim(tag.substr(1)));
            if (stack.empty() || stack.back().name != closing) {
                ok = false;
                break;
            }
            Open open = stack.back();
            stack.pop_back();
            if (open.name == name) {
                open.element.inner = xml.substr(open.innerStart, tagStart - open.innerStart);
                found.push_back(open.element);
            }
            continue;
        }
        bool empty = tag[tag.size() - 1] == '/';
        if (empty)
            tag.resize(tag.size() - 1);
        size_t nameEnd = tag.find_first_of(" \t\r\n");
        Open open;
        open.element.start = tagStart;
        open.name = LocalName(tag.substr(0, nameEnd));
        open.innerStart = pos;
        open.element.name = open.name;
        // name="value" pairs
        for (size_t a = nameEnd; a != std::string::npos && a < tag.size();) {
            a = tag.find_first_not_of(" \t\r\n", a);
            if (a == std::string::npos)
                break;
            size_t eq = tag.find('=', a);
            size_t q1 = eq == std::string::npos ? eq : tag.find_first_of("\"'", eq);
            size_t q2 = q1 == std::string::npos ? q1 : tag.find(tag[q1], q1 + 1);
            if (q2 == std::string::npos) {
                ok = false;
                break;
            }
            open.element.attributes[Trim(tag.substr(a, eq - a))] = tag.substr(q1 + 1, q2 - q1 - 1);
            a = q2 + 1;
        }
        if (empty) {
            if (open.name == name)
                found.push_back(open.element);
        } else {
            stack.push_back(open);
        }
    }
    if (wellFormed)
        *wellFormed = ok && stack.empty();
    // An element is found when it closes: back into document order.
    std::sort(found.begin(), found.end(), [](const Element& a, const Element& b) { return a.start < b.start; });
    return found;
}

// The one element named name in xml; fails the test when there is not
// exactly one.
Element Only(const std::string& xml, const std::string& name)
{
    std::vector<Element> all = Elements(xml, name);
    EXPECT_EQ(1u, all.size()) << "elements <" << name << ">";
    return all.empty() ? Element() : all[0];
}

void ExpectManifestDeclarations(const std::string& xml)
{
    bool wellFormed = false;
    Elements(xml, "assembly", &wellFormed);
    EXPECT_TRUE(wellFormed) << xml;
    Element assembly = Only(xml, "assembly");
    EXPECT_EQ("urn:schemas-microsoft-com:asm.v1", assembly.attributes["xmlns"]);
    EXPECT_EQ("1.0", assembly.attributes["manifestVersion"]);

    // Common Controls 6: the visual styles and the tooltips of the link label.
    Element dependent = Only(Only(assembly.inner, "dependency").inner, "dependentAssembly");
    Attributes cc = Only(dependent.inner, "assemblyIdentity").attributes;
    EXPECT_EQ("win32", cc["type"]);
    EXPECT_EQ("Microsoft.Windows.Common-Controls", cc["name"]);
    EXPECT_EQ("6.0.0.0", cc["version"]);
    EXPECT_EQ("6595b64144ccf1df", cc["publicKeyToken"]);
    EXPECT_EQ("*", cc["processorArchitecture"]);   // one manifest for both builds

    // Runs as the user who started it; never asks for elevation.
    Element trust = Only(assembly.inner, "trustInfo");
    EXPECT_EQ("urn:schemas-microsoft-com:asm.v3", trust.attributes["xmlns"]);
    Attributes level = Only(trust.inner, "requestedExecutionLevel").attributes;
    EXPECT_EQ("asInvoker", level["level"]);
    EXPECT_EQ("false", level["uiAccess"]);

    // Vista, 7, 8, 8.1 and 10/11.
    Element compat = Only(assembly.inner, "compatibility");
    EXPECT_EQ("urn:schemas-microsoft-com:compatibility.v1", compat.attributes["xmlns"]);
    std::vector<std::string> ids;
    std::vector<Element> oses = Elements(compat.inner, "supportedOS");
    for (size_t i = 0; i < oses.size(); i++)
        ids.push_back(oses[i].attributes["Id"]);
    const char* const expected[] = { "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                     "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                     "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" };
    EXPECT_EQ(std::vector<std::string>(expected, expected + 5), ids);

    // DPI awareness: Windows reads each element only in its own namespace.
    std::vector<Element> apps = Elements(assembly.inner, "application");   // <compatibility>'s one too
    std::string settings;
    for (size_t i = 0; i < apps.size(); i++)
        if (apps[i].attributes["xmlns"] == "urn:schemas-microsoft-com:asm.v3")
            settings = Only(apps[i].inner, "windowsSettings").inner;
    Element aware = Only(settings, "dpiAware");
    EXPECT_EQ("http://schemas.microsoft.com/SMI/2005/WindowsSettings", aware.attributes["xmlns"]);
    EXPECT_EQ("true/pm", Trim(aware.inner));
    Element awareness = Only(settings, "dpiAwareness");
    EXPECT_EQ("http://schemas.microsoft.com/SMI/2016/WindowsSettings", awareness.attributes["xmlns"]);
    EXPECT_EQ("PerMonitorV2, PerMonitor", Trim(awareness.inner));
}

// --- 144 DPI -----------------------------------------------------------------

// HKCU\Control Panel\Desktop "LogPixels", the system DPI that Wine gives each
// process when it starts (before the machine-wide value under Hardware
// Profiles\Current\Software\Fonts). A process already running keeps its
// DPI, this one included; no restart of the wineserver or the desktop is
// needed. The old state comes back in the destructor, whatever failed.
class LogPixelsGuard
{
public:
    explicit LogPixelsGuard(DWORD dpi) : m_had(false), m_old(0)
    {
        HKEY hKey;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &hKey, NULL)
            != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot open HKCU\\" << kKey;
            return;
        }
        DWORD type = 0, cb = sizeof(m_old);
        m_had = ::RegQueryValueExA(hKey, "LogPixels", NULL, &type, (BYTE*)&m_old, &cb) == ERROR_SUCCESS
                && type == REG_DWORD;
        ::RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&dpi, sizeof(dpi));
        ::RegCloseKey(hKey);
    }
    ~LogPixelsGuard()
    {
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &hKey) != ERROR_SUCCESS)
            return;
        if (m_had)
            ::RegSetValueExA(hKey, "LogPixels", 0, REG_DWORD, (const BYTE*)&m_old, sizeof(m_old));
        else
            ::RegDeleteValueA(hKey, "LogPixels");
        ::RegCloseKey(hKey);
    }

private:
    static const char kKey[];
    bool m_had;
    DWORD m_old;
    LogPixelsGuard(const LogPixelsGuard&);
    LogPixelsGuard& operator=(const LogPixelsGuard&);
};
const char LogPixelsGuard::kKey[] = "Control Panel\\Desktop";

SIZE SizeOf(const RECT& rc)
{
    SIZE s = { rc.right - rc.left, rc.bottom - rc.top };
    return s;
}

SIZE WindowSize(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return SizeOf(rc);
}

SIZE ClientSize(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    return SizeOf(rc);
}

// What a user of a copy of the program sees at one DPI: its dialog, its
// version window and the link label there, each in screen pixels.
struct Seen
{
    SIZE dialog, dialogClient, version, versionClient, label;
    std::string labelText;
};

// The window of the child other than its dialog: the version window.
HWND ChildVersionWindow(const Child& child)
{
    std::vector<HWND> windows = ProcessWindows(child.Pid());
    for (size_t i = 0; i < windows.size(); i++)
        if (windows[i] != child.Dialog())
            return windows[i];
    return NULL;
}

// Starts a copy, opens its version window from the system menu as the menu
// would, reads the sizes and closes both windows.
bool Look(const std::string& name, Seen* seen)
{
    Child::DeleteSettings(name);
    Child child;
    if (!child.Start(name)) {
        ADD_FAILURE() << name << " did not show its dialog";
        return false;
    }
    seen->dialog = WindowSize(child.Dialog());
    seen->dialogClient = ClientSize(child.Dialog());
    ::PostMessageA(child.Dialog(), WM_SYSCOMMAND, IDM_VERSION, 0);
    HWND hVersion = NULL;
    for (DWORD start = ::GetTickCount(); !hVersion && ::GetTickCount() - start < 5000; ::Sleep(20))
        hVersion = ChildVersionWindow(child);
    bool ok = hVersion != NULL;
    if (ok) {
        seen->version = WindowSize(hVersion);
        seen->versionClient = ClientSize(hVersion);
        HWND hLabel = ::GetDlgItem(hVersion, IDC_LINK);
        seen->label = ClientSize(hLabel);
        seen->labelText = Text(hLabel);
        ::PostMessageA(::GetDlgItem(hVersion, IDOK), BM_CLICK, 0, 0);
    } else {
        ADD_FAILURE() << name << ": the version window did not open";
    }
    for (DWORD start = ::GetTickCount(); ChildVersionWindow(child) && ::GetTickCount() - start < 5000;)
        ::Sleep(20);
    ::PostMessageA(child.Dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(child.WaitExit()) << name;
    Child::DeleteSettings(name);
    return ok;
}

// The extent of text in the dialogs' font ("ＭＳ Ｐゴシック", 9 points) at a
// DPI, underlined as the link label draws it. GDI fonts belong to the
// process that made them, so the child's own font cannot be measured from
// here; the same font made here gives the same extent.
SIZE UnderlinedDialogTextExtent(const std::string& text, UINT dpi, HWND hOnScreen)
{
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = -::MulDiv(9, (int)dpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");   // ＭＳ Ｐゴシック
    HFONT hFont = ::CreateFontIndirectA(&lf);
    SIZE size = { 0, 0 };
    HDC hDC = ::GetDC(hOnScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    ::GetTextExtentPoint32A(hDC, text.c_str(), (int)text.size(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hOnScreen, hDC);
    ::DeleteObject(hFont);
    return size;
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
void ExpectScaledByHalfAgain(SIZE client96, SIZE client144, SIZE window96, SIZE window144, int cxUnits, int cyUnits)
{
    EXPECT_NEAR(client96.cx * 1.5, client144.cx, 1.25 * cxUnits / 4);
    EXPECT_NEAR(client96.cy * 1.5, client144.cy, 1.25 * cyUnits / 8);
    EXPECT_EQ(window144.cx - client144.cx, window96.cx - client96.cx) << "the side borders";
    EXPECT_GT(window144.cy - client144.cy, window96.cy - client96.cy) << "the caption";
}

} // namespace

// Pelorin.exe carries its manifest once, as resource 1 in one language: a
// second one (a toolchain's default manifest, or another language) would
// leave it to the loader which one counts. The 32-bit program, read as data,
// carries the same one.
TEST(Manifest, EmbeddedOnceWithItsDeclarations)
{
    struct Exe { const char* path; bool required; } exes[] = { { "Pelorin.exe", true },
                                                               { "..\\win32\\Pelorin.exe", false } };
    std::string first;
    for (const Exe& exe : exes) {
        SCOPED_TRACE(exe.path);
        std::string path = BuildDir() + exe.path;
        if (!exe.required && ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("note: %s is not built; only the 64-bit program was checked\n", path.c_str());
            continue;
        }
        Manifests m = ReadManifests(path);
        ASSERT_TRUE(m.loaded) << "cannot read the resources of " << path;
        ASSERT_EQ(std::vector<ULONG_PTR>(1, 1), m.names);   // CREATEPROCESS_MANIFEST_RESOURCE_ID
        EXPECT_EQ(1u, m.languages.size());
        ExpectManifestDeclarations(m.xml);
        if (first.empty())
            first = m.xml;
        else
            EXPECT_EQ(first, m.xml);
    }
}

// On a 144-DPI screen the program lays out its windows at that DPI: the
// dialog and the version window are half as large again, and the link label
// is still exactly its text's size in the underlined dialog font, which is
// then 18 pixels high instead of 12. (Windows does this only for a program
// that declares itself DPI-aware, as the manifest above does, and stretches
// the others; Wine gives every program the system DPI, so here this checks
// the layout, and the manifest test the declaration.)
TEST(HighDpi, WindowsScaleAndLinkLabelFitsAt144)
{
    Seen at96 = {}, at144 = {};
    ASSERT_TRUE(Look("DpiAt96", &at96));
    {
        LogPixelsGuard dpi(144);
        ASSERT_TRUE(Look("DpiAt144", &at144));
    }
    {
        SCOPED_TRACE("main dialog");
        ExpectScaledByHalfAgain(at96.dialogClient, at144.dialogClient, at96.dialog, at144.dialog, 303, 101);
    }
    {
        SCOPED_TRACE("version window");
        ExpectScaledByHalfAgain(at96.versionClient, at144.versionClient, at96.version, at144.version, 202, 55);
    }
    EXPECT_EQ("http://www.velmot.jp/pelorin/", at144.labelText);
    struct Fit { UINT dpi; SIZE label; } fits[] = { { 96, at96.label }, { 144, at144.label } };
    for (const Fit& f : fits) {
        SCOPED_TRACE(f.dpi);
        SIZE text = UnderlinedDialogTextExtent(at144.labelText, f.dpi, ::GetDesktopWindow());
        EXPECT_EQ(text.cx, f.label.cx);
        EXPECT_EQ(text.cy, f.label.cy);
    }
}
