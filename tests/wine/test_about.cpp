// The version window, reached through the system menu, and its web link
// label: size, hover colours and capture, tooltip, DPI change, and the click
// that opens the address through the shell or the ".htm" association.
#include "harness/Harness.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>
#include <functional>

using namespace harness;

namespace {

// The version entry of a Japanese user's system menu (Pelorin のﾊﾞｰｼﾞｮﾝ情報), and of any other's.
const wchar_t kMenuText[] = L"Pelorin \x306E\xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831(&A)...";
const wchar_t kMenuTextEnglish[] = L"&About Pelorin...";
const char kAddress[] = "http://www.velmot.jp/pelorin/";
const COLORREF kLink = RGB(0, 0, 224);

HWND Version() { return OtherDialog(); }
HWND Label() { return ::GetDlgItem(Version(), IDC_LINK); }
HWND Tooltip() { return FindThreadWindow(TOOLTIPS_CLASSA); }

// Chooses the system menu's version entry, as the menu would (the command
// in wParam), and waits for the window.
Script& OpenVersion(Script& s, WPARAM nCmd = IDM_VERSION)
{
    return s.Do([nCmd] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, nCmd, 0); })
        .WaitFor([] { return Version() != NULL; });
}

Script& CloseAll(Script& s)
{
    return s.Do([] { ::PostMessageA(::GetDlgItem(Version(), IDOK), BM_CLICK, 0, 0); })
        .WaitFor([] { return Version() == NULL; })
        .Click(IDCANCEL);
}

RECT RectInParent(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

// A size as the agent's "extent" writes it.
std::string SizeText(const RECT& rc)
{
    return std::to_string(rc.right - rc.left) + " " + std::to_string(rc.bottom - rc.top);
}

// A font as the agent's "font" writes it, underlined.
std::string Underlined(std::string font)
{
    size_t at = font.find(" 0 ");
    return at == std::string::npos ? "<not a plain font: " + font + ">" : font.replace(at, 3, " 1 ");
}

std::string ColourHex(COLORREF c)
{
    char buf[16];
    sprintf(buf, "%06lx", (unsigned long)c);
    return buf;
}

// Puts the mouse cursor at a point of the screen and waits until it is
// there: Wine does not always move it at the first request. The cursor is
// real: where it rests, the label hears of it when the capture changes.
Script& MoveCursor(Script& s, std::function<POINT()> where)
{
    return s.WaitFor([where] {
        POINT want = where(), now;
        ::GetCursorPos(&now);
        if (now.x == want.x && now.y == want.y)
            return true;
        ::SetCursorPos(want.x, want.y);
        return false;
    });
}

POINT ScreenOrigin()
{
    POINT pt = { 0, 0 };
    return pt;
}

// Pixels of the label in colour c, as drawn on the screen.
int LabelPixels(COLORREF c)
{
    return atoi(Agent("pixels " + Hex(Label()) + " " + ColourHex(c)).c_str());
}

} // namespace

// The system menu ends with a separator and the version entry. Every
// command 16 to 31 opens the version window modally, centred over the main
// dialog, which is disabled until OK or Escape closes it; command 32 opens
// nothing.
TEST(AboutMenu, EntryOpensTheVersionWindowModallyCentred)
{
    // The menu's last lines: a separator (MFT_SEPARATOR, command 0), then the entry.
    const std::string entry = "\n800 0 \n0 16 " + ToAnsi(JapaneseUi() ? kMenuText : kMenuTextEnglish, CP_UTF8) + "\n";
    struct Case { WPARAM cmd; bool closeByEscape; UINT cp; } cases[] = { { 0x10, false, kEveryRun }, { 0x1F, true, 932 } };
    ROWS_OF_THIS_RUN(run, cases);
    for (const Case& c : run) {
        SCOPED_TRACE(c.cmd);
        std::string menu;
        bool enabledWhileOpen = true, enabledAfter = false, ownedByMain = false;
        HWND opened32 = NULL;
        RECT rcVer = {}, rcMain = {};
        Script s;
        s.Do([&] { menu = Agent("sysmenu " + Hex(MainDialog())); });
        OpenVersion(s, c.cmd).Do([&] {
            enabledWhileOpen = ::IsWindowEnabled(MainDialog()) != FALSE;
            ownedByMain = ::GetWindow(Version(), GW_OWNER) == MainDialog();
            ::GetWindowRect(Version(), &rcVer);
            ::GetWindowRect(MainDialog(), &rcMain);
        });
        if (c.closeByEscape)
            s.Key(VK_ESCAPE);
        else
            s.Do([] { ::PostMessageA(::GetDlgItem(Version(), IDOK), BM_CLICK, 0, 0); });
        s.WaitFor([] { return Version() == NULL; })
            .Do([&] { enabledAfter = ::IsWindowEnabled(MainDialog()) != FALSE; })
            .Do([] { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, 0x20, 0); })
            .Do([&] { opened32 = Version(); })
            .Click(IDCANCEL);
        EXPECT_TRUE(RunProgram(s));
        EXPECT_EQ(entry, menu.substr(menu.size() - std::min(menu.size(), entry.size())));
        EXPECT_FALSE(enabledWhileOpen);
        EXPECT_TRUE(enabledAfter);
        EXPECT_TRUE(ownedByMain);
        EXPECT_EQ(NULL, opened32);
        // Centred as the program centres: halves rounded down.
        EXPECT_EQ((rcMain.left + rcMain.right) / 2 - (rcVer.right - rcVer.left) / 2, rcVer.left);
        EXPECT_EQ((rcMain.top + rcMain.bottom) / 2 - (rcVer.bottom - rcVer.top) / 2, rcVer.top);
    }
}

// Mouse moves through the loop: entering takes the capture and shows the
// highlight colour; a move inside (right and bottom edges excluded) keeps
// it; leaving by any edge restores the link colour and frees the capture.
// When another window takes the capture, or it is released or cancelled,
// the label shows the link colour again, and the next move in enters anew.
TEST(LinkLabel, HoverColourAndCapture)
{
    const COLORREF hover = ::GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(kLink, hover);
    enum Act { MOVE, GRAB, RELEASE, CANCEL };
    // A move to a point from the left or right edge and from the top or bottom edge.
    struct Step { Act act; bool fromRight; int dx; bool fromBottom; int dy; bool over; };
    const Step steps[] = {
        { MOVE, false, 2, false, 2, true },    { MOVE, true, -1, true, -1, true },  { MOVE, true, 0, false, 3, false },
        { MOVE, false, 0, false, 0, true },    { MOVE, false, 3, true, 0, false },  { MOVE, false, 0, false, 0, true },
        { MOVE, false, -1, false, 3, false },  { MOVE, false, 5, false, 0, true },  { MOVE, false, 5, false, -1, false },
        { MOVE, false, 2, false, 2, true },    { GRAB, false, 0, false, 0, false }, { MOVE, false, 2, false, 2, true },
        { RELEASE, false, 0, false, 0, false }, { MOVE, false, 2, false, 2, true }, { CANCEL, false, 0, false, 0, false },
        { MOVE, false, 2, false, 2, true },
    };
    Script s;
    MoveCursor(s, ScreenOrigin);
    // Drawn in the link colour once painted.
    OpenVersion(s).WaitFor([] { return LabelPixels(kLink) > 0; }).Do([=] {
        EXPECT_EQ(NULL, Captured());
        EXPECT_EQ(0, LabelPixels(hover));
    });
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); i++) {
        const Step m = steps[i];
        s.Do([m] {
            RECT rc;
            ::GetClientRect(Label(), &rc);
            int x = (m.fromRight ? rc.right : 0) + m.dx;
            int y = (m.fromBottom ? rc.bottom : 0) + m.dy;
            if (m.act == MOVE)
                ::PostMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            else if (m.act == GRAB)   // as when a button of the window is pressed
                Agent("capture " + Hex(::GetDlgItem(Version(), IDOK)));
            else if (m.act == RELEASE)
                Agent("capture 0");
            else
                ::PostMessageA(Label(), WM_CANCELMODE, 0, 0);
        });
        s.Do([i, m, hover] {
            SCOPED_TRACE(testing::Message() << "step " << i);
            EXPECT_EQ(m.over ? Label() : m.act == GRAB ? ::GetDlgItem(Version(), IDOK) : NULL, Captured());
            EXPECT_GT(LabelPixels(m.over ? hover : kLink), 0);
            EXPECT_EQ(0, LabelPixels(m.over ? kLink : hover));
            // What the label answers its dialog: null brush, transparent, its colour.
            EXPECT_EQ("1 1 " + ColourHex(m.over ? hover : kLink),
                      Agent("ctlcolor " + Hex(Version()) + " " + Hex(Label())));
        });
    }
    CloseAll(s);
    EXPECT_TRUE(RunProgram(s));
}

// With the mouse resting on the label, the tooltip of Common Controls 6
// shows the address over the label's client area; moving off hides it. The
// window, the label and the tooltip are Unicode windows.
TEST(LinkLabel, TooltipShowsTheAddress)
{
    std::string tip, module;
    bool unicode = false;
    RECT client = {};
    Script s;
    MoveCursor(OpenVersion(s), [] {
        POINT pt = { 4, 4 };
        ::ClientToScreen(Label(), &pt);
        return pt;
    }).Do([] { ::PostMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4)); });
    s.WaitFor([] { return Tooltip() && ::IsWindowVisible(Tooltip()); }).Do([&] {
        tip = Agent("tooltip " + Hex(Tooltip()) + " " + Hex(Label()) + " 1");
        module = Agent("module " + Hex(Tooltip()));
        ::GetClientRect(Label(), &client);
        unicode = ::IsWindowUnicode(Version()) && ::IsWindowUnicode(Label()) && ::IsWindowUnicode(Tooltip());
    });
    MoveCursor(s, ScreenOrigin)
        .Do([] { ::PostMessageA(Label(), WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1)); })
        .WaitFor([] { return !::IsWindowVisible(Tooltip()); });
    CloseAll(s);
    EXPECT_TRUE(RunProgram(s));
    EXPECT_EQ("0 0 " + std::to_string(client.right) + " " + std::to_string(client.bottom) + " " + kAddress, tip);
    EXPECT_TRUE(unicode);
    // The side-by-side assembly (its file version reads 5.80 under Wine too).
    ::CharLowerA(&module[0]);
    EXPECT_NE(std::string::npos, module.find("microsoft.windows.common-controls_")) << module;
    EXPECT_NE(std::string::npos, module.find("_6.0.")) << module;
}

// At set-up the label keeps its template position, becomes exactly as large
// as its text in the underlined copy of the dialog's font, and reports
// clicks. After a DPI change, told to the window or to the label, it
// underlines the control's font as it is then, fits its text again and
// moves its tooltip's area with it.
TEST(LinkLabel, FitsItsUnderlinedTextAtSetUpAndAfterDpiChange)
{
    for (bool toWindow : { true, false }) {
        SCOPED_TRACE(toWindow ? "WM_DPICHANGED" : "WM_DPICHANGED_AFTERPARENT");
        std::string dialogFont, height, text, fonts[2], extents[2], tip;
        RECT at = {}, rects[2] = {}, client = {};
        DWORD style = 0;
        Script s;
        OpenVersion(s).Do([&] {
            at = DialogRect(Version(), 13, 41, 0, 0);
            rects[0] = RectInParent(Label());
            fonts[0] = Agent("font " + Hex(Label()));
            extents[0] = Agent("extent " + Hex(Label()));
            style = (DWORD)::GetWindowLongA(Label(), GWL_STYLE);
            text = Text(Label());
            dialogFont = Agent("font " + Hex(Version()));
            // The dialog manager's part: the dialog's font half as large
            // again, given to each control (here the version line first).
            HWND hLine = ::GetDlgItem(Version(), IDC_VERSION_TEXT);
            height = Agent("setfont " + Hex(hLine) + " 3 2");
            std::string hFont = Agent("send " + Hex(hLine) + " 31 0 0");   // WM_GETFONT
            Agent("send " + Hex(Label()) + " 30 " + hFont + " 0");            // WM_SETFONT
            if (toWindow)
                Agent("dpichanged " + Hex(Version()) + " 144");
            else
                Agent("send " + Hex(Label()) + " 2e3 0 0");
        }).Do([&] {
            fonts[1] = Agent("font " + Hex(Label()));
            extents[1] = Agent("extent " + Hex(Label()));
            rects[1] = RectInParent(Label());
            ::GetClientRect(Label(), &client);
            tip = Agent("tooltip " + Hex(Tooltip()) + " " + Hex(Label()) + " 1");
        });
        CloseAll(s);
        EXPECT_TRUE(RunProgram(s));
        EXPECT_EQ(Underlined(dialogFont), fonts[0]);
        EXPECT_EQ(Underlined(height + dialogFont.substr(dialogFont.find(' '))), fonts[1]);
        for (int i = 0; i < 2; i++) {
            EXPECT_EQ(at.left, rects[i].left) << i;
            EXPECT_EQ(at.top, rects[i].top) << i;
            EXPECT_EQ(extents[i], SizeText(rects[i])) << i;
        }
        EXPECT_EQ((DWORD)SS_NOTIFY, style & SS_NOTIFY);
        EXPECT_EQ(kAddress, text);
        EXPECT_EQ("0 0 " + std::to_string(client.right) + " " + std::to_string(client.bottom) + " ", tip);
    }
}

// --- Opening the address ------------------------------------------------------

namespace {

const char kHtmClass[] = "Pelorin.Test.htm";

// The default value of a key of HKEY_CLASSES_ROOT, set for a test and put
// back by the destructor as it was, whatever failed; a key that did not
// exist is removed again.
class ClassesDefaultGuard
{
public:
    ClassesDefaultGuard(const std::string& key, const std::string& value) : m_key(key), m_type(REG_NONE)
    {
        HKEY hKey;
        m_had = ::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS;
        DWORD cb = 0;
        if (m_had && ::RegQueryValueExA(hKey, NULL, NULL, &m_type, NULL, &cb) == ERROR_SUCCESS) {
            m_old.assign(cb, '\0');
            ::RegQueryValueExA(hKey, NULL, NULL, &m_type, cb ? (BYTE*)&m_old[0] : NULL, &cb);
        }
        if (m_had)
            ::RegCloseKey(hKey);
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), NULL, REG_SZ, value.c_str(),
                                                   (DWORD)value.size() + 1)) << key;
    }
    ~ClassesDefaultGuard()
    {
        if (!m_had)
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, m_key.c_str());
        else if (m_type == REG_NONE)
            ::RegDeleteKeyValueA(HKEY_CLASSES_ROOT, m_key.c_str(), NULL);
        else
            ::RegSetKeyValueA(HKEY_CLASSES_ROOT, m_key.c_str(), NULL, m_type, m_old.data(), (DWORD)m_old.size());
    }

private:
    std::string m_key, m_old;
    bool m_had;
    DWORD m_type;
    ClassesDefaultGuard(const ClassesDefaultGuard&);
    ClassesDefaultGuard& operator=(const ClassesDefaultGuard&);
};

} // namespace

// A click on the link opens its address through the shell, which here
// starts the stand-in as the browser for http addresses; the ".htm"
// association is then not read. When the shell cannot start its browser,
// the command registered for ".htm" files starts, cut at its placeholder,
// with a space and the address after it.
TEST(WebPage, ClickOpensTheAddressThroughTheShellElseTheHtmCommand)
{
    const std::string standin = "\"" + StandinPath() + "\"";
    struct Case { std::string httpCommand, params; } cases[] = {
        { standin + " -shell \"%1\"", std::string("-shell \"") + kAddress + "\"" },
        { "\"C:\\no such folder\\browser.exe\" \"%1\"", std::string("-htm  ") + kAddress },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.httpCommand);
        ClassesDefaultGuard http("http\\shell\\open\\command", c.httpCommand), htm(".htm", kHtmClass),
            htmClass(kHtmClass, "Pelorin test page"),
            htmCommand(std::string(kHtmClass) + "\\shell\\open\\command", standin + " -htm \"%1\" -extra");
        ResetStandinLog();
        Script s;
        OpenVersion(s).Do([] {
            ::PostMessageA(Label(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            ::PostMessageA(Label(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        });
        s.WaitFor([] { return !StandinRecords().empty(); });
        CloseAll(s);
        EXPECT_TRUE(RunProgram(s));
        std::vector<std::string> records = WaitStandinRecords(1);
        ASSERT_EQ(1u, records.size());
        EXPECT_EQ(c.params, Parameters(records[0]));
    }
}
