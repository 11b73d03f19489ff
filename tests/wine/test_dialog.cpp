// The two windows as the templates of Pelorin.exe describe them and as they
// open, in the Japanese resource set or the English one by the user's
// language: every control with its id, class, text, styles and place, in tab
// order; the frames, font, placement, focus and icons; and F1.
#include "harness/Harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <stdio.h>

using namespace harness;

namespace {

struct Control
{
    int id;
    const char* cls;
    const char* text;          // NULL: not compared
    DWORD style;               // beyond WS_CHILD | WS_VISIBLE, within kStyleMask
    int x, y, cx, cy;          // dialog units
};

// The style bits that the templates decide.
const DWORD kStyleMask = WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | 0xFFFF;
const DWORD kEditBorder = 0x80000000;   // an edit with a border (WS_BORDER, or a sunken edge once shown)

const Control kMainControls[] = {
    { -1, "Static", "&WinDiff", SS_LEFT | WS_GROUP, 6, 9, 22, 8 },
    { IDC_WINDIFF, "Edit", "", kEditBorder | ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, 32, 6, 226, 14 },
    { IDC_REF_WINDIFF, "Button", "&Ref", BS_PUSHBUTTON | WS_TABSTOP, 262, 5, 37, 14 },
    { IDC_SUBDIR, "Button", "&Include subdirectories", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 26, 80, 10 },
    { -1, "Static", "Dir&1", SS_LEFT | WS_GROUP, 7, 44, 13, 8 },
    { IDC_DIR1, "ComboBox", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 23, 41, 220, 95 },
    { IDC_BROWSE_DIR1, "Button", "Ref&3", BS_PUSHBUTTON | WS_TABSTOP, 247, 41, 25, 14 },
    { IDC_FILE_DIR1, "Button", "Ref&5", BS_PUSHBUTTON | WS_TABSTOP, 275, 41, 25, 14 },
    { -1, "Static", "Dir&2", SS_LEFT | WS_GROUP, 7, 63, 13, 8 },
    { IDC_DIR2, "ComboBox", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 23, 60, 220, 95 },
    { IDC_BROWSE_DIR2, "Button", "Ref&4", BS_PUSHBUTTON | WS_TABSTOP, 247, 60, 25, 14 },
    { IDC_FILE_DIR2, "Button", "Ref&6", BS_PUSHBUTTON | WS_TABSTOP, 275, 60, 25, 14 },
    { IDC_EXCHANGE, "Button", "&Exchange", BS_PUSHBUTTON | WS_TABSTOP, 156, 81, 37, 14 },
    { IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 214, 81, 37, 14 },
    { IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 261, 81, 37, 14 },
};

// The version window once set up: the version line is filled in, the icon
// control takes the icon's size and the link label is fitted to its text
// (their sizes are compared elsewhere) and is told to notify.
const int kFitted = 0;
const Control kVersionControls[] = {
    { -1, "Static", NULL, SS_ICON, 12, 9, kFitted, kFitted },
    { IDC_VERSION_TEXT, "Static", "Pelorin Version 1.04", SS_LEFT | SS_NOPREFIX | WS_GROUP, 40, 10, 93, 8 },
    { -1, "Static", NULL, SS_LEFT | WS_GROUP, 40, 25, 107, 8 },
    { IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 167, 7, 27, 14 },
    { IDC_LINK, "Static", NULL, SS_LEFT | SS_NOTIFY | WS_GROUP, 13, 41, kFitted, kFitted },
};

struct Window
{
    int id;
    const Control* controls;
    size_t count;
    int cx, cy;
} const kWindows[] = {
    { IDD_COMPARE, kMainControls, sizeof(kMainControls) / sizeof(kMainControls[0]), 303, 101 },
    { IDD_VERSION, kVersionControls, sizeof(kVersionControls) / sizeof(kVersionControls[0]), 202, 55 },
};

// The two resource sets, in the same layout: the Japanese one for a Japanese
// user, the English one for every other, whatever the code page.
struct ResourceSet
{
    WORD lang;
    const wchar_t* captions[2];   // of kWindows
    DWORD fontStyle;           // DS_SETFONT, or DS_SHELLFONT for the system's dialog font
    int points;
    const wchar_t* face;
    const wchar_t* helpFailed;    // the box shown when help cannot start
} const kJapanese = {
    MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
    { L"Pelorin", L"Pelorin\x306E\xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831" },   // Pelorinのﾊﾞｰｼﾞｮﾝ情報
    DS_SETFONT, 9, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF",                        // ＭＳ Ｐゴシック
    // "ﾍﾙﾌﾟの起動に失敗しました。"
    L"\xFF8D\xFF99\xFF8C\xFF9F\x306E\x8D77\x52D5\x306B\x5931\x6557\x3057\x307E\x3057\x305F\x3002",
}, kEnglish = {
    MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), { L"Pelorin", L"About Pelorin" }, DS_SHELLFONT, 8, L"MS Shell Dlg",
    L"Failed to launch help.",
};

const ResourceSet& SetShown()
{
    return JapaneseUi() ? kJapanese : kEnglish;
}

// Dialog units of the program's window in pixels, each value converted on
// its own as the dialog manager converts a control's place and size.
RECT Pixels(HWND hDlg, int x, int y, int cx, int cy)
{
    return DialogRect(hDlg, x, y, cx - x, cy - y);
}

RECT RectInDialog(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

// A live window against its template: caption, frame, client size, font,
// and its children in tab (z) order.
void ExpectWindow(HWND hDlg, const Window& w)
{
    const ResourceSet& set = SetShown();
    EXPECT_EQ(set.captions[&w - kWindows], TextW(hDlg));
    DWORD style = (DWORD)::GetWindowLongA(hDlg, GWL_STYLE);
    DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    // A fixed size, and no way to minimise or maximise it from its caption.
    EXPECT_EQ(frame, style & (frame | WS_CHILD | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << w.id;
    RECT client, want = DialogRect(hDlg, 0, 0, w.cx, w.cy);
    ::GetClientRect(hDlg, &client);
    EXPECT_EQ(want.right, client.right) << w.id;
    EXPECT_EQ(want.bottom, client.bottom) << w.id;
    HDC hScreen = ::GetDC(NULL);
    int height = -::MulDiv(set.points, ::GetDeviceCaps(hScreen, LOGPIXELSY), 72);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(std::to_string(height) + " 0 " + ToAnsi(set.face, CP_UTF8), Agent("font " + Hex(hDlg))) << w.id;

    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    ASSERT_EQ(w.count, children.size()) << w.id;
    for (size_t i = 0; i < w.count; i++) {
        const Control& c = w.controls[i];
        HWND h = children[i];
        SCOPED_TRACE(testing::Message() << "window " << w.id << ", control " << i << " (id " << c.id << ")");
        EXPECT_EQ(c.id, (int)(short)::GetDlgCtrlID(h));
        char cls[64] = "";
        ::GetClassNameA(h, cls, sizeof(cls));
        EXPECT_STRCASEEQ(c.cls, cls);
        if (c.text)
            EXPECT_EQ(c.text, Text(h));
        style = (DWORD)::GetWindowLongA(h, GWL_STYLE);
        DWORD exStyle = (DWORD)::GetWindowLongA(h, GWL_EXSTYLE);
        EXPECT_EQ((DWORD)(WS_CHILD | WS_VISIBLE), style & (WS_CHILD | WS_VISIBLE | WS_POPUP));
        bool combo = lstrcmpiA(c.cls, "ComboBox") == 0;
        DWORD mask = kStyleMask;
        if (combo) {
            // A live combo box may have handed its scroll bar to its list
            // and gained CBS_HASSTRINGS; the template test sees the stored ones.
            mask &= ~(DWORD)(CBS_HASSTRINGS | WS_VSCROLL);
            EXPECT_EQ((DWORD)WS_EX_ACCEPTFILES, exStyle & WS_EX_ACCEPTFILES);
        }
        EXPECT_EQ(c.style & mask, style & mask) << std::hex << "style " << style;
        if (c.style & kEditBorder)
            EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << std::hex << style << " " << exStyle;

        RECT want = Pixels(hDlg, c.x, c.y, c.cx, c.cy);
        RECT got = RectInDialog(h);
        EXPECT_EQ(want.left, got.left);
        EXPECT_EQ(want.top, got.top);
        if (c.cx == kFitted)
            continue;
        EXPECT_EQ(want.right, got.right - got.left);
        if (!combo)   // a combo box's height in the template is its dropped-down list's
            EXPECT_EQ(want.bottom, got.bottom - got.top);
    }
}

// An item of a DIALOGEX template as stored in the resource.
struct TemplateItem
{
    DWORD style, exStyle;
    short x, y, cx, cy;
    int id;
};

const WORD* SkipSzOrOrd(const WORD* p)
{
    if (*p == 0xFFFF)
        return p + 2;
    while (*p++)
        ;
    return p;
}

// A DIALOGEX template of one language as stored: its font and its items.
struct Template
{
    DWORD fontStyle;
    int points;
    std::wstring face;
    std::vector<TemplateItem> items;
};

Template ReadTemplate(HMODULE hModule, int id, WORD lang)
{
    Template t = { 0, 0, std::wstring(), {} };
    HRSRC hRes = ::FindResourceExA(hModule, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(id), lang);
    const WORD* p = hRes ? (const WORD*)::LockResource(::LoadResource(hModule, hRes)) : NULL;
    if (!p || p[1] != 0xFFFF)
        return t;
    DWORD style = *(const DWORD*)(p + 6);
    WORD count = p[8];
    t.fontStyle = style & DS_SHELLFONT;
    p = SkipSzOrOrd(SkipSzOrOrd(SkipSzOrOrd(p + 13)));   // menu, class, caption
    if (style & DS_SETFONT) {
        t.points = p[0];
        t.face = (const wchar_t*)(p + 3);
        p = SkipSzOrOrd(p + 3);                            // size, weight, italic and charset, face
    }
    for (WORD i = 0; i < count; i++) {
        p = (const WORD*)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
        TemplateItem item = { *(const DWORD*)(p + 4), *(const DWORD*)(p + 2), (short)p[6], (short)p[7],
                              (short)p[8], (short)p[9], (int)*(const LONG*)(p + 10) };
        p = SkipSzOrOrd(SkipSzOrOrd(p + 12));   // class, text
        p = (const WORD*)((const BYTE*)(p + 1) + *p);
        t.items.push_back(item);
    }
    return t;
}

BOOL CALLBACK OnStringBlock(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        ((std::vector<WORD>*)param)->push_back((WORD)(ULONG_PTR)name);
    return TRUE;
}

// The ids of a language's strings, in order: "101 103 ...".
std::string StringIds(HMODULE hModule, WORD lang)
{
    std::vector<WORD> blocks;
    ::EnumResourceNamesA(hModule, (LPCSTR)RT_STRING, OnStringBlock, (LONG_PTR)&blocks);
    std::string ids;
    for (WORD block : blocks) {
        HRSRC hRes = ::FindResourceExA(hModule, (LPCSTR)RT_STRING, MAKEINTRESOURCEA(block), lang);
        const WORD* p = hRes ? (const WORD*)::LockResource(::LoadResource(hModule, hRes)) : NULL;
        for (int i = 0; p && i < 16; p += 1 + *p, i++)
            if (*p)
                ids += std::to_string((block - 1) * 16 + i) + " ";
    }
    return ids;
}

// A message's answer as the program's own thread gets it: sent from this
// process, WM_GETICON and WM_QUERYDRAGICON answer 0 under Wine.
std::string SendInside(HWND hWnd, UINT message, WPARAM wParam)
{
    char cmd[64];
    sprintf(cmd, " %x %llx 0", message, (unsigned long long)wParam);
    return Agent("send " + Hex(hWnd) + cmd);
}

} // namespace

// The stored templates of the real program, Japanese and English alike:
// every item's id, styles and place, and the combo boxes' dropped-down
// height, which no live window shows; and each language's font.
TEST(Templates, HoldEveryControlInTabOrder)
{
    HMODULE hExe = ::LoadLibraryExA((BuildDir() + "Pelorin.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hExe != NULL);
    for (const ResourceSet* set : { &kJapanese, &kEnglish }) {
        SCOPED_TRACE(testing::Message() << "language " << std::hex << set->lang << std::dec);
        for (const Window& w : kWindows) {
            Template t = ReadTemplate(hExe, w.id, set->lang);
            EXPECT_EQ(set->fontStyle, t.fontStyle) << w.id;
            EXPECT_EQ(set->points, t.points) << w.id;
            EXPECT_EQ(set->face, t.face) << w.id;
            ASSERT_EQ(w.count, t.items.size()) << w.id;
            for (size_t i = 0; i < w.count; i++) {
                const Control& c = w.controls[i];
                const TemplateItem& item = t.items[i];
                SCOPED_TRACE(testing::Message() << "template " << w.id << " item " << i);
                EXPECT_EQ(c.id, item.id);
                DWORD want = (c.style & kStyleMask) | WS_CHILD | WS_VISIBLE | (c.style & kEditBorder ? WS_BORDER : 0);
                if (c.id == IDC_LINK && w.id == IDD_VERSION)
                    want &= ~(DWORD)SS_NOTIFY;   // added when the label is set up
                EXPECT_EQ(want, item.style) << std::hex << "style " << item.style;
                EXPECT_EQ(lstrcmpiA(c.cls, "ComboBox") == 0 ? (DWORD)WS_EX_ACCEPTFILES : 0u, item.exStyle);
                EXPECT_EQ(c.x, item.x);
                EXPECT_EQ(c.y, item.y);
                // Stored, the icon is 20 x 20 and the link label 180 x 8.
                bool link = c.id == IDC_LINK && w.id == IDD_VERSION;
                EXPECT_EQ(c.cx != kFitted ? c.cx : link ? 180 : 20, item.cx);
                EXPECT_EQ(c.cy != kFitted ? c.cy : link ? 8 : 20, item.cy);
            }
        }
    }
    ::FreeLibrary(hExe);
}

// Every string of the Japanese set has an English text, and no other.
TEST(Templates, BothSetsHoldTheSameStrings)
{
    HMODULE hExe = ::LoadLibraryExA((BuildDir() + "Pelorin.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(hExe != NULL);
    std::string japanese = StringIds(hExe, kJapanese.lang);
    EXPECT_NE(std::string::npos, japanese.find("101 ")) << japanese;
    EXPECT_EQ(japanese, StringIds(hExe, kEnglish.lang));
    ::FreeLibrary(hExe);
}

// Both windows as they open: built from their templates, the main dialog
// centred in the work area with the focus in the tool path, the version
// window below; the application icon as big, small and drag icon and in the
// version window.
TEST(Windows, OpenAsTheirTemplatesDescribe)
{
    ClearSettings();
    RECT work = { 0, 0, 0, 0 }, rc = { 0, 0, 0, 0 };
    HWND focus = NULL, windiff = NULL;
    std::string icons[2], bigIcon, smallIcon, dragIcon;
    Script s;
    s.Do([&] {
        HWND hDlg = MainDialog();
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        EXPECT_EQ((DWORD)(WS_EX_APPWINDOW | WS_EX_ACCEPTFILES),
                  (DWORD)::GetWindowLongA(hDlg, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES));
        ExpectWindow(hDlg, kWindows[0]);
        // The path fields scroll as the user types, as the tool path does.
        EXPECT_EQ((DWORD)CBS_AUTOHSCROLL, (DWORD)::GetWindowLongA(Ctl(IDC_DIR1), GWL_STYLE) & CBS_AUTOHSCROLL);
        EXPECT_EQ((DWORD)CBS_AUTOHSCROLL, (DWORD)::GetWindowLongA(Ctl(IDC_DIR2), GWL_STYLE) & CBS_AUTOHSCROLL);
        POINT origin = { 0, 0 };
        MONITORINFO mi;
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoA(::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &mi);
        work = mi.rcWork;
        ::GetWindowRect(hDlg, &rc);
        focus = Focused();
        windiff = Ctl(IDC_WINDIFF);
        bigIcon = SendInside(hDlg, WM_GETICON, ICON_BIG);
        smallIcon = SendInside(hDlg, WM_GETICON, ICON_SMALL);
        dragIcon = SendInside(hDlg, WM_QUERYDRAGICON, 0);
        icons[0] = Agent("icon " + bigIcon);
        ::PostMessageA(hDlg, WM_SYSCOMMAND, IDM_VERSION, 0);
    })
        .WaitFor([] { return OtherDialog() != NULL; })
        .Do([&] {
            HWND hVer = OtherDialog();
            ExpectWindow(hVer, kWindows[1]);
            icons[1] = Agent("icon " + Hex((HICON)::SendMessageA(::GetWindow(hVer, GW_CHILD), STM_GETICON, 0, 0)));
            ::PostMessageA(::GetDlgItem(hVer, IDOK), BM_CLICK, 0, 0);
        })
        .WaitFor([] { return OtherDialog() == NULL; })
        .Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));

    // Centred as the program centres: halves rounded down.
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    EXPECT_EQ((work.left + work.right) / 2 - cx / 2, rc.left);
    EXPECT_EQ((work.top + work.bottom) / 2 - cy / 2, rc.top);
    EXPECT_EQ(windiff, focus);
    EXPECT_EQ(bigIcon, smallIcon);
    EXPECT_EQ(bigIcon, dragIcon);
    std::string icon = std::to_string(::GetSystemMetrics(SM_CXICON)) + " other";
    EXPECT_EQ(icon, icons[0]);
    EXPECT_EQ(icon, icons[1]);
}

// F1 asks for the topic of the window in use, in the help file beside the
// program: the main dialog's, and the version window's while it is open.
// When the viewer cannot start, a box with the framework's message, an
// exclamation icon and the application's name says so; the dialog goes on.
TEST(Help, F1AsksForTheTopicOfTheWindowInUse)
{
    std::string hooked[2], calls;
    BoxShown box;
    bool enabledAfter = false;
    Script s;
    s.Do([&] { hooked[0] = Agent("winhelp 1"); })
        .Key(VK_F1)
        .Do([] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, IDM_VERSION, 0); })
        .WaitFor([] { return OtherDialog() != NULL; })
        .Key(VK_F1)
        .Do([&] {
            calls = Agent("helpcalls");
            ::PostMessageA(::GetDlgItem(OtherDialog(), IDOK), BM_CLICK, 0, 0);
        })
        .WaitFor([] { return OtherDialog() == NULL; })
        .Do([&] { hooked[1] = Agent("winhelp 0"); })
        .Key(VK_F1)
        .WaitFor([] { return OtherDialog() != NULL; })
        .Do([&] {
            box = ReadMessageBox(OtherDialog());
            ::PostMessageA(OtherDialog(), WM_COMMAND, IDOK, 0);
        })
        .WaitFor([] { return OtherDialog() == NULL; })
        .Do([&] { enabledAfter = ::IsWindowEnabled(MainDialog()) != FALSE; })
        .Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    ASSERT_EQ("ok", hooked[0]);
    ASSERT_EQ("ok", hooked[1]);
    std::string file = BuildDir() + "Pelorin.HLP|1|";   // HELP_CONTEXT
    EXPECT_EQ(file + "20066\n" + file + "20064\n", calls);   // 0x20000 + 102, 0x20000 + 100
    EXPECT_EQ("Pelorin", box.caption);
    EXPECT_EQ(SetShown().helpFailed, box.message);
    EXPECT_EQ("exclamation", box.icon);
    EXPECT_TRUE(enabledAfter);
}
