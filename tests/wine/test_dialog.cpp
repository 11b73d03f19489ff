// The two windows as built from their templates: every control with its id,
// class, text, styles and place, in tab order; the main dialog's frame,
// font, placement, focus and icons; and Help when the viewer cannot start.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

struct Control
{
    int id;
    const char* cls;
    const char* text;          // NULL: not compared
    DWORD style;               // beyond WS_CHILD | WS_VISIBLE, within the mask below
    int x, y, cx, cy;          // dialog units
};

// The style bits that the templates decide.
const DWORD kStyleMask = WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | 0xFFFF;
const DWORD kEditBorder = 0x80000000;   // marks an edit with a border (see ExpectControls)

const Control kMainControls[] = {
    { -1, "Static", "&WinDiff", SS_LEFT | WS_GROUP, 6, 9, 22, 8 },
    { IDC_WINDIFF, "Edit", "", kEditBorder | ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, 32, 6, 226, 14 },
    { IDC_REF_WINDIFF, "Button", "&Ref", BS_PUSHBUTTON | WS_TABSTOP, 262, 5, 37, 14 },
    { IDC_SUBDIR, "Button", "&Include subdirectories", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 26, 80, 10 },
    { -1, "Static", "Dir&1", SS_LEFT | WS_GROUP, 7, 44, 13, 8 },
    { IDC_DIR1, "ComboBox", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 23, 41, 220, 95 },
    { IDC_BROWSE_DIR1, "Button", "Ref&3", BS_PUSHBUTTON | WS_TABSTOP, 247, 41, 25, 14 },
    { IDC_FILE_DIR1, "Button", "Ref&5", BS_PUSHBUTTON | WS_TABSTOP, 275, 41, 25, 14 },
    { -1, "Static", "Dir&2", SS_LEFT | WS_GROUP, 7, 63, 13, 8 },
    { IDC_DIR2, "ComboBox", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 23, 60, 220, 95 },
    { IDC_BROWSE_DIR2, "Button", "Ref&4", BS_PUSHBUTTON | WS_TABSTOP, 247, 60, 25, 14 },
    { IDC_FILE_DIR2, "Button", "Ref&6", BS_PUSHBUTTON | WS_TABSTOP, 275, 60, 25, 14 },
    { IDC_EXCHANGE, "Button", "&Exchange", BS_PUSHBUTTON | WS_TABSTOP, 156, 81, 37, 14 },
    { IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 214, 81, 37, 14 },
    { IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 261, 81, 37, 14 },
};

// The version window once set up: the version line is filled in, the icon
// control takes the icon's size and the link label is fitted to its text
// (so only their top-left corners are compared) and is told to notify.
const int kFitted = 0;
const Control kVersionControls[] = {
    { -1, "Static", NULL, SS_ICON, 12, 9, kFitted, kFitted },
    { IDC_VERSION_TEXT, "Static", "Pelorin Version 1.04", SS_LEFT | SS_NOPREFIX | WS_GROUP, 40, 10, 93, 8 },
    { -1, "Static", NULL, SS_LEFT | WS_GROUP, 40, 25, 107, 8 },
    { IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 167, 7, 27, 14 },
    { IDC_LINK, "Static", NULL, SS_LEFT | SS_NOTIFY | WS_GROUP, 13, 41, kFitted, kFitted },
};

// "ＭＳ Ｐゴシック" in code page 932.
const char kDialogFont[] = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

std::string ClassOf(HWND hWnd)
{
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    return cls;
}

RECT DialogUnits(HWND hDlg, int x, int y, int cx, int cy)
{
    RECT rc = { x, y, x + cx, y + cy };
    ::MapDialogRect(hDlg, &rc);
    return rc;
}

RECT RectInDialog(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

// The dialog's children, in tab (z) order, against the table.
void ExpectControls(HWND hDlg, const Control* expected, size_t count)
{
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    ASSERT_EQ(count, children.size());
    for (size_t i = 0; i < count; i++) {
        const Control& c = expected[i];
        HWND h = children[i];
        std::string what = "control " + std::to_string(i) + " (id " + std::to_string(c.id) + ")";
        EXPECT_EQ(c.id, (int)(short)::GetDlgCtrlID(h)) << what;
        EXPECT_STRCASEEQ(c.cls, ClassOf(h).c_str()) << what;
        if (c.text)
            EXPECT_EQ(c.text, Text(h)) << what;
        DWORD style = (DWORD)::GetWindowLongA(h, GWL_STYLE);
        DWORD exStyle = (DWORD)::GetWindowLongA(h, GWL_EXSTYLE);
        EXPECT_EQ((DWORD)(WS_CHILD | WS_VISIBLE), style & (WS_CHILD | WS_VISIBLE | WS_POPUP)) << what;
        bool combo = lstrcmpiA(c.cls, "ComboBox") == 0;
        DWORD want = c.style & kStyleMask;
        DWORD mask = kStyleMask;
        if (combo) {
            // A live combo box may have handed its scroll bar to its list
            // and gained CBS_HASSTRINGS; TemplateItems shows the template's.
            want &= ~(DWORD)WS_VSCROLL;
            mask &= ~(DWORD)(CBS_HASSTRINGS | WS_VSCROLL);
            EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES) << what;
        }
        EXPECT_EQ(want, style & mask) << what << std::hex << ": style " << style;
        if (c.style & kEditBorder)            // the dialog manager may turn the border into a sunken edge
            EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << what;

        // Position and size are each converted from dialog units.
        RECT pos = DialogUnits(hDlg, c.x, c.y, 0, 0);
        RECT size = DialogUnits(hDlg, 0, 0, c.cx, c.cy);
        RECT got = RectInDialog(h);
        EXPECT_EQ(pos.left, got.left) << what;
        EXPECT_EQ(pos.top, got.top) << what;
        if (c.cx == kFitted)
            continue;
        EXPECT_EQ(size.right, got.right - got.left) << what;
        if (!combo)   // a combo box's height in the template is its dropped-down list's
            EXPECT_EQ(size.bottom, got.bottom - got.top) << what;
    }
}

void ExpectFont(HWND hDlg)
{
    HFONT hFont = (HFONT)::SendMessageA(hDlg, WM_GETFONT, 0, 0);
    LOGFONTA lf;
    ASSERT_TRUE(hFont && ::GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_STREQ(kDialogFont, lf.lfFaceName);
    HDC hDC = ::GetDC(hDlg);
    EXPECT_EQ(-::MulDiv(9, ::GetDeviceCaps(hDC, LOGPIXELSY), 72), lf.lfHeight);
    ::ReleaseDC(hDlg, hDC);
}

void ExpectClientSize(HWND hDlg, int cx, int cy)
{
    RECT want = DialogUnits(hDlg, 0, 0, cx, cy);
    RECT client;
    ::GetClientRect(hDlg, &client);
    EXPECT_EQ(want.right, client.right);
    EXPECT_EQ(want.bottom, client.bottom);
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

// The items of template id in this executable's resources.
std::vector<TemplateItem> TemplateItems(int id)
{
    std::vector<TemplateItem> items;
    HRSRC hRes = ::FindResourceA(NULL, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    const WORD* p = hRes ? (const WORD*)::LockResource(::LoadResource(NULL, hRes)) : NULL;
    if (!p || p[1] != 0xFFFF)
        return items;
    DWORD style = *(const DWORD*)(p + 6);
    WORD count = p[8];
    p = SkipSzOrOrd(SkipSzOrOrd(p + 13));   // menu, class
    p = SkipSzOrOrd(p);                     // caption
    if (style & DS_SETFONT)
        p = SkipSzOrOrd(p + 3);             // size, weight, italic and charset, face
    for (WORD i = 0; i < count; i++) {
        p = (const WORD*)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
        TemplateItem item;
        item.exStyle = *(const DWORD*)(p + 2);
        item.style = *(const DWORD*)(p + 4);
        item.x = (short)p[6];
        item.y = (short)p[7];
        item.cx = (short)p[8];
        item.cy = (short)p[9];
        item.id = (int)*(const LONG*)(p + 10);
        p = SkipSzOrOrd(SkipSzOrOrd(p + 12));   // class, text
        p = (const WORD*)((const BYTE*)(p + 1) + *p);
        items.push_back(item);
    }
    return items;
}

} // namespace

// The stored templates themselves: every item's id, styles and place, and
// the combo boxes' dropped-down height, which no live window shows.
TEST(Templates, HoldEveryControlInTabOrder)
{
    struct Case { int id; const Control* controls; size_t count; } cases[] = {
        { IDD_COMPARE, kMainControls, sizeof(kMainControls) / sizeof(kMainControls[0]) },
        { IDD_VERSION, kVersionControls, sizeof(kVersionControls) / sizeof(kVersionControls[0]) },
    };
    for (const Case& t : cases) {
        std::vector<TemplateItem> items = TemplateItems(t.id);
        ASSERT_EQ(t.count, items.size()) << t.id;
        for (size_t i = 0; i < t.count; i++) {
            const Control& c = t.controls[i];
            const TemplateItem& item = items[i];
            std::string what = "template " + std::to_string(t.id) + " item " + std::to_string(i);
            EXPECT_EQ(c.id, item.id) << what;
            DWORD want = (c.style & kStyleMask) | WS_CHILD | WS_VISIBLE;
            if (c.style & kEditBorder)
                want |= WS_BORDER;
            if (c.id == IDC_LINK)
                want &= ~(DWORD)SS_NOTIFY;   // added when the label is set up
            EXPECT_EQ(want, item.style) << what << std::hex << ": style " << item.style;
            EXPECT_EQ(lstrcmpiA(c.cls, "ComboBox") == 0 ? (DWORD)WS_EX_ACCEPTFILES : 0u, item.exStyle) << what;
            EXPECT_EQ(c.x, item.x) << what;
            EXPECT_EQ(c.y, item.y) << what;
            // The icon and the link label are resized once shown; stored, they are 20 x 20 and 180 x 8.
            bool fitted = c.cx == kFitted;
            EXPECT_EQ(fitted ? (c.id == IDC_LINK ? 180 : 20) : c.cx, item.cx) << what;
            EXPECT_EQ(fitted ? (c.id == IDC_LINK ? 8 : 20) : c.cy, item.cy) << what;
        }
    }
}

TEST(MainDialog, IsBuiltFromItsTemplate)
{
    ClearSettings();
    Script s;
    s.Do([] {
        HWND hDlg = MainDialog();
        EXPECT_EQ("Pelorin", Text(hDlg));
        DWORD style = (DWORD)::GetWindowLongA(hDlg, GWL_STYLE);
        DWORD exStyle = (DWORD)::GetWindowLongA(hDlg, GWL_EXSTYLE);
        DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(frame, style & frame);
        // A fixed size, and no way to minimise or maximise it from its caption.
        EXPECT_EQ(0u, style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
        EXPECT_EQ((DWORD)(WS_EX_APPWINDOW | WS_EX_ACCEPTFILES), exStyle & (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES));
        ExpectClientSize(hDlg, 303, 101);
        ExpectFont(hDlg);
        ExpectControls(hDlg, kMainControls, sizeof(kMainControls) / sizeof(kMainControls[0]));
        // The path fields stop typing at their width; the tool path scrolls.
        EXPECT_EQ(0u, (DWORD)::GetWindowLongA(Ctl(IDC_DIR1), GWL_STYLE) & CBS_AUTOHSCROLL);
        EXPECT_EQ(0u, (DWORD)::GetWindowLongA(Ctl(IDC_DIR2), GWL_STYLE) & CBS_AUTOHSCROLL);
    });
    s.Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
}

TEST(VersionWindow, IsBuiltFromItsTemplate)
{
    Script s;
    s.Do([] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, IDM_VERSION, 0); })
        .WaitFor([] { return OtherDialog() != NULL; })
        .Do([] {
            HWND hDlg = OtherDialog();
            EXPECT_EQ("Pelorin\x82\xCC\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1", Text(hDlg));
            DWORD style = (DWORD)::GetWindowLongA(hDlg, GWL_STYLE);
            DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
            EXPECT_EQ(frame, style & frame);
            EXPECT_EQ(0u, style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            ExpectClientSize(hDlg, 202, 55);
            ExpectFont(hDlg);
            ExpectControls(hDlg, kVersionControls, sizeof(kVersionControls) / sizeof(kVersionControls[0]));
            // The icon control shows the application's icon.
            HWND hIcon = ::GetWindow(hDlg, GW_CHILD);
            EXPECT_TRUE(::SendMessageA(hIcon, STM_GETICON, 0, 0) != 0);
            ::PostMessageA(::GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
        })
        .WaitFor([] { return OtherDialog() == NULL; })
        .Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
}

// Shown centred in the work area, with the focus in the tool path edit, and
// the application icon as big, small and drag icon.
TEST(MainDialog, OpensCentredWithTheFocusInTheToolPath)
{
    ClearSettings();
    Script s;
    s.Do([] {
        HWND hDlg = MainDialog();
        EXPECT_TRUE(::IsWindowVisible(hDlg));
        RECT work, rc;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        ::GetWindowRect(hDlg, &rc);
        EXPECT_LE(abs((rc.left + rc.right) - (work.left + work.right)), 1);
        EXPECT_LE(abs((rc.top + rc.bottom) - (work.top + work.bottom)), 1);
        EXPECT_EQ(Ctl(IDC_WINDIFF), ::GetFocus());

        HICON hBig = (HICON)::SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0);
        EXPECT_TRUE(hBig != NULL);
        EXPECT_EQ(hBig, (HICON)::SendMessageA(hDlg, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(hBig, (HICON)::SendMessageA(hDlg, WM_QUERYDRAGICON, 0, 0));
        ICONINFO info;
        ASSERT_TRUE(::GetIconInfo(hBig, &info));
        BITMAP bm;
        ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(::GetSystemMetrics(SM_CXICON), bm.bmWidth);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    });
    s.Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
}

namespace {

BOOL WINAPI FailingWinHelp(HWND, LPCSTR, UINT, ULONG_PTR)
{
    return FALSE;
}

} // namespace

// When the help viewer cannot start, F1 tells so in a box captioned with the
// application's name, and the dialog goes on.
TEST(Help, ViewerThatCannotStartIsReported)
{
    void* real = ReplaceImport("WinHelpA", (void*)FailingWinHelp);
    ASSERT_TRUE(real != NULL);
    std::string caption, message;
    LONG_PTR iconShown = 0;
    Script s;
    s.Key(VK_F1)
        .WaitFor([] { return OtherDialog() != NULL; })
        .Do([&] {
            HWND hBox = OtherDialog();
            caption = Text(hBox);
            message = Text(::GetDlgItem(hBox, 0xFFFF));
            // The box's icon is a static control with SS_ICON (id 0x14 in the system's template).
            for (HWND h = ::GetWindow(hBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
                if ((::GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    iconShown = ::SendMessageA(h, STM_GETICON, 0, 0);
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        })
        .WaitFor([] { return OtherDialog() == NULL; })
        .Do([] { EXPECT_TRUE(::IsWindowEnabled(MainDialog())); })
        .Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    ReplaceImport("WinHelpA", real);
    EXPECT_EQ("uitests", caption);
    EXPECT_EQ("\xCD\xD9\xCC\xDF\x82\xCC\x8B\x4E\x93\xAE\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42", message);
    EXPECT_EQ((LONG_PTR)::LoadIconA(NULL, IDI_EXCLAMATION), iconShown);
}
