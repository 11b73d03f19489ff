// The version window, reached through the system menu, and its web link
// label: size, hover colours and capture, tooltip, DPI change, F1.
#include "harness/Harness.h"
#include "../../res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace harness;

namespace {

const char kMenuText[] = "Pelorin \x82\xCC\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1(&A)...";
const char kCaption[] = "Pelorin\x82\xCC\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1";
const COLORREF kLink = RGB(0, 0, 224);

HWND Version() { return OtherDialog(); }
HWND Label() { return ::GetDlgItem(Version(), IDC_LINK); }

// Chooses the system menu's version entry, as the menu would (command in
// wParam), and waits for the window.
Script& OpenVersion(Script& s, WPARAM nCmd = IDM_VERSION)
{
    return s.Do([nCmd]() { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, nCmd, 0); })
        .WaitFor([]() { return Version() != NULL; });
}

Script& CloseAll(Script& s)
{
    return s.Do([]() { ::PostMessageA(::GetDlgItem(Version(), IDOK), BM_CLICK, 0, 0); })
        .WaitFor([]() { return Version() == NULL; })
        .Click(IDCANCEL);
}

RECT RectInParent(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

SIZE TextExtent(HWND hWnd, HFONT hFont)
{
    SIZE size = { 0, 0 };
    std::string text = Text(hWnd);
    HDC hDC = ::GetDC(hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    ::GetTextExtentPoint32A(hDC, text.c_str(), (int)text.size(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return size;
}

// The label's own font, and that it is exactly as large as its text in it.
void ExpectFitsUnderlinedText(HWND hLabel, LONG lfHeight)
{
    HFONT hFont = (HFONT)::SendMessageA(hLabel, WM_GETFONT, 0, 0);
    LOGFONTA lf;
    ASSERT_TRUE(hFont && ::GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lfHeight, lf.lfHeight);
    SIZE text = TextExtent(hLabel, hFont);
    RECT rc = RectInParent(hLabel);
    EXPECT_EQ(text.cx, rc.right - rc.left);
    EXPECT_EQ(text.cy, rc.bottom - rc.top);
}

// Pixels of the label in colour c, as drawn on the screen.
int CountPixels(HWND hWnd, COLORREF c)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hDC = ::GetDC(hWnd);
    int n = 0;
    for (int y = 0; y < rc.bottom; y++)
        for (int x = 0; x < rc.right; x++)
            n += ::GetPixel(hDC, x, y) == c;
    ::ReleaseDC(hWnd, hDC);
    return n;
}

HWND FindTooltip()
{
    struct Find
    {
        static BOOL CALLBACK Proc(HWND hWnd, LPARAM lParam)
        {
            char cls[64] = "";
            ::GetClassNameA(hWnd, cls, sizeof(cls));
            if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0)
                return TRUE;
            *(HWND*)lParam = hWnd;
            return FALSE;
        }
    };
    HWND hTip = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), Find::Proc, (LPARAM)&hTip);
    return hTip;
}

// Whether a module is the side-by-side Common Controls 6 (its file version
// does not tell under Wine: it reads 5.80 there too).
bool IsCommonControls6(HMODULE hModule)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(hModule, path, sizeof(path));
    ::CharLowerA(path);
    std::string s(path);
    return s.find("microsoft.windows.common-controls_") != std::string::npos && s.find("_6.0.") != std::string::npos;
}

// WinHelpA as the program imports it, replaced by a recorder.
std::vector<ULONG_PTR> g_helpContexts;
BOOL WINAPI RecordWinHelp(HWND, LPCSTR, UINT uCommand, ULONG_PTR dwData)
{
    if (uCommand == HELP_CONTEXT)
        g_helpContexts.push_back(dwData);
    return TRUE;
}

void HookWinHelp()
{
    EXPECT_TRUE(ReplaceImport("WinHelpA", (void*)RecordWinHelp)) << "WinHelpA is not imported";
}

} // namespace

TEST(AboutMenu, SystemMenuEndsWithSeparatorAndVersionEntry)
{
    int count = 0;
    UINT lastId = 0, lastType = 0, prevType = 0;
    char text[128] = "";
    Script s;
    s.Do([&]() {
        HMENU hMenu = ::GetSystemMenu(MainDialog(), FALSE);
        count = ::GetMenuItemCount(hMenu);
        MENUITEMINFOA mii;
        ZeroMemory(&mii, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(hMenu, (UINT)count - 2, TRUE, &mii);
        prevType = mii.fType;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        ::GetMenuItemInfoA(hMenu, (UINT)count - 1, TRUE, &mii);
        lastId = mii.wID;
        lastType = mii.fType;
    }).Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    ASSERT_GE(count, 2);
    EXPECT_EQ((UINT)MFT_SEPARATOR, prevType & MFT_SEPARATOR);
    EXPECT_EQ((UINT)MFT_STRING, lastType);
    EXPECT_EQ((UINT)IDM_VERSION, lastId);
    EXPECT_STREQ(kMenuText, text);
}

// Every command 16 to 31 opens the window modally over the disabled main
// dialog; OK and Escape close it, and the main dialog comes back. Command
// 32 is not the entry.
TEST(AboutMenu, OpensModallyCentredWithVersionLine)
{
    struct Case { WPARAM cmd; bool closeByEscape; } cases[] = { { 0x10, false }, { 0x1F, true } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmd);
        bool mainEnabledWhileOpen = true, mainEnabledAfter = false;
        HWND owner = NULL, main = NULL;
        RECT rcVer = {}, rcMain = {};
        std::string caption, line;
        Script s;
        OpenVersion(s, c.cmd).Do([&]() {
            mainEnabledWhileOpen = ::IsWindowEnabled(MainDialog()) != FALSE;
            owner = ::GetWindow(Version(), GW_OWNER);
            main = MainDialog();
            ::GetWindowRect(Version(), &rcVer);
            ::GetWindowRect(MainDialog(), &rcMain);
            caption = Text(Version());
            line = Text(::GetDlgItem(Version(), IDC_VERSION_TEXT));
        });
        if (c.closeByEscape)
            s.Key(VK_ESCAPE);
        else
            s.Do([]() { ::PostMessageA(::GetDlgItem(Version(), IDOK), BM_CLICK, 0, 0); });
        s.WaitFor([]() { return Version() == NULL; })
            .Do([&]() { mainEnabledAfter = ::IsWindowEnabled(MainDialog()) != FALSE; })
            .Do([]() { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, 0x20, 0); })
            .Do([]() { EXPECT_EQ(NULL, Version()) << "command 32 opened a window"; })
            .Click(IDCANCEL);
        EXPECT_TRUE(RunProgram(s));
        EXPECT_FALSE(mainEnabledWhileOpen);
        EXPECT_TRUE(mainEnabledAfter);
        EXPECT_EQ(main, owner);
        EXPECT_NEAR((rcMain.left + rcMain.right) / 2, (rcVer.left + rcVer.right) / 2, 1);
        EXPECT_NEAR((rcMain.top + rcMain.bottom) / 2, (rcVer.top + rcVer.bottom) / 2, 1);
        EXPECT_EQ(kCaption, caption);
        EXPECT_EQ("Pelorin Version 1.04", line);
    }
}

// The label keeps its template position and becomes exactly as large as its
// text in the underlined copy of the dialog's font; it reports clicks.
TEST(LinkLabel, SizedToItsTextInTheUnderlinedDialogFont)
{
    Script s;
    OpenVersion(s).Do([]() {
        LOGFONTA dlgFont;
        ASSERT_TRUE(::GetObjectA((HFONT)::SendMessageA(Version(), WM_GETFONT, 0, 0), sizeof(dlgFont), &dlgFont));
        EXPECT_FALSE(dlgFont.lfUnderline);
        ExpectFitsUnderlinedText(Label(), dlgFont.lfHeight);
        RECT tmpl = { 13, 41, 13 + 180, 41 + 8 };
        ::MapDialogRect(Version(), &tmpl);
        RECT rc = RectInParent(Label());
        EXPECT_EQ(tmpl.left, rc.left);
        EXPECT_EQ(tmpl.top, rc.top);
        EXPECT_NE(tmpl.right, rc.right);
        EXPECT_TRUE(::GetWindowLongA(Label(), GWL_STYLE) & SS_NOTIFY);
        EXPECT_EQ("http://www.velmot.jp/pelorin/", Text(Label()));
    });
    CloseAll(s);
    EXPECT_TRUE(RunProgram(s));
}

// Mouse moves through the loop: entering takes the capture and shows the
// highlight colour; a move inside (right and bottom edges excluded) keeps
// it; leaving by any edge restores the link colour and frees the capture.
TEST(LinkLabel, HoverColourAndCapture)
{
    COLORREF hover = ::GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(kLink, hover);
    // A point from the left or right edge and from the top or bottom edge.
    struct Move { bool fromRight; int dx; bool fromBottom; int dy; bool over; };
    const Move moves[] = { { false, 2, false, 2, true },   { true, -1, true, -1, true },
                           { true, 0, false, 3, false },   { false, 0, false, 0, true },
                           { false, 3, true, 0, false },   { false, 0, false, 0, true },
                           { false, -1, false, 3, false }, { false, 5, false, 0, true },
                           { false, 5, false, -1, false } };
    Script s;
    s.Do([]() { ::SetCursorPos(0, 0); });
    OpenVersion(s).Do([=]() {
        EXPECT_EQ(NULL, ::GetCapture());
        EXPECT_GT(CountPixels(Label(), kLink), 0);
        EXPECT_EQ(0, CountPixels(Label(), hover));
    });
    for (size_t i = 0; i < sizeof(moves) / sizeof(moves[0]); i++) {
        const Move m = moves[i];
        s.Do([m]() {
            RECT rc;
            ::GetClientRect(Label(), &rc);
            int x = (m.fromRight ? rc.right : 0) + m.dx;
            int y = (m.fromBottom ? rc.bottom : 0) + m.dy;
            ::PostMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        });
        s.Do([i, m, hover]() {
            SCOPED_TRACE(testing::Message() << "move " << i);
            EXPECT_EQ(m.over ? Label() : NULL, ::GetCapture());
            EXPECT_GT(CountPixels(Label(), m.over ? hover : kLink), 0);
            EXPECT_EQ(0, CountPixels(Label(), m.over ? kLink : hover));
            // What the label answers its dialog: transparent, null brush.
            HDC hDC = ::CreateCompatibleDC(NULL);
            LRESULT brush = ::SendMessageA(Version(), WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)Label());
            EXPECT_EQ((LRESULT)::GetStockObject(NULL_BRUSH), brush);
            EXPECT_EQ(TRANSPARENT, ::GetBkMode(hDC));
            EXPECT_EQ(m.over ? hover : kLink, ::GetTextColor(hDC));
            ::DeleteDC(hDC);
        });
    }
    CloseAll(s);
    EXPECT_TRUE(RunProgram(s));
}

// With the mouse resting on the label the tooltip (Common Controls 6) shows
// the address; moving off hides it.
TEST(LinkLabel, TooltipShowsTheAddress)
{
    std::string tipText;
    bool cc6 = false;
    Script s;
    OpenVersion(s).Do([]() {
        POINT pt = { 4, 4 };
        ::ClientToScreen(Label(), &pt);
        ::SetCursorPos(pt.x, pt.y);
        ::PostMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    });
    s.WaitFor([]() { return FindTooltip() && ::IsWindowVisible(FindTooltip()); })
        .Do([&]() {
            char buf[512] = "";
            TOOLINFOA ti;
            ZeroMemory(&ti, sizeof(ti));
            ti.cbSize = TTTOOLINFOA_V1_SIZE;
            ti.lpszText = buf;
            if (::SendMessageA(FindTooltip(), TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti))
                tipText = buf;
            // The common controls that made the tooltip: the module of its procedure.
            HMODULE hComctl = NULL;
            ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 (LPCSTR)::GetWindowLongPtrW(FindTooltip(), GWLP_WNDPROC), &hComctl);
            cc6 = IsCommonControls6(hComctl);
            ::SetCursorPos(0, 0);
            ::PostMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
        })
        .WaitFor([]() { return !::IsWindowVisible(FindTooltip()); });
    CloseAll(s);
    EXPECT_TRUE(RunProgram(s));
    EXPECT_EQ("http://www.velmot.jp/pelorin/", tipText);
    EXPECT_TRUE(cc6);
}

// After a DPI change, told to the window or to the label, the label
// underlines the control's font as it is then and fits its text again.
TEST(LinkLabel, RefitsAfterDpiChange)
{
    const UINT messages[] = { 0x02E0 /* WM_DPICHANGED */, 0x02E3 /* WM_DPICHANGED_AFTERPARENT */ };
    for (UINT msg : messages) {
        SCOPED_TRACE(msg);
        HFONT hBig = NULL;
        RECT before = {}, after = {}, tool = {}, client = {};
        Script s;
        OpenVersion(s).Do([&]() {
            // The dialog manager's part: the label gets the scaled dialog font.
            LOGFONTA lf;
            ::GetObjectA((HFONT)::SendMessageA(Version(), WM_GETFONT, 0, 0), sizeof(lf), &lf);
            lf.lfHeight = lf.lfHeight * 3 / 2;
            hBig = ::CreateFontIndirectA(&lf);
            before = RectInParent(Label());
            ::SendMessageA(Label(), WM_SETFONT, (WPARAM)hBig, FALSE);
            RECT rcWnd;
            ::GetWindowRect(Version(), &rcWnd);
            if (msg == 0x02E0)
                ::SendMessageA(Version(), msg, MAKEWPARAM(144, 144), (LPARAM)&rcWnd);
            else
                ::SendMessageA(Label(), msg, 0, 0);
        }).Do([&]() {
            LOGFONTA lf;
            ::GetObjectA(hBig, sizeof(lf), &lf);
            ExpectFitsUnderlinedText(Label(), lf.lfHeight);
            after = RectInParent(Label());
            ::GetClientRect(Label(), &client);
            TOOLINFOA ti;
            ZeroMemory(&ti, sizeof(ti));
            ti.cbSize = TTTOOLINFOA_V1_SIZE;
            ti.hwnd = Label();
            ti.uId = 1;
            ::SendMessageA(FindTooltip(), TTM_GETTOOLINFOA, 0, (LPARAM)&ti);
            tool = ti.rect;
        });
        CloseAll(s);
        EXPECT_TRUE(RunProgram(s));
        ::DeleteObject(hBig);
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        EXPECT_GT(after.right - after.left, before.right - before.left);
        EXPECT_TRUE(::EqualRect(&client, &tool));
    }
}

// F1 asks for help on the window in use: the version window's topic while
// it is open, the main dialog's otherwise.
TEST(AboutMenu, F1AsksForTheVersionWindowsHelp)
{
    HookWinHelp();
    g_helpContexts.clear();
    Script s;
    s.Key(VK_F1);
    OpenVersion(s).Key(VK_F1);
    CloseAll(s);
    EXPECT_TRUE(RunProgram(s));
    ASSERT_EQ(2u, g_helpContexts.size());
    EXPECT_EQ(0x20000u + IDD_COMPARE, g_helpContexts[0]);
    EXPECT_EQ(0x20000u + IDD_VERSION, g_helpContexts[1]);
}
