// Opening the link's address: the shell first, then the command registered
// for ".htm" files, started with the address; and the registry reads behind it.
#include "harness/Harness.h"
#include "../../res/resource.h"
#include "../../about/WebLinkLabel.h"
#include "../../about/WebPage.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

const char kClass[] = "Pelorin.Test.htm";
const char kScheme[] = "pelorin-shell";

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

void SetDefault(const std::string& key, const std::string& value)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL,
                                               &hKey, NULL));
    ::RegSetValueExA(hKey, NULL, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    ::RegCloseKey(hKey);
}

// Points ".htm" at a class of ours for the test's life, then puts back what
// was there; removes the class and the URL scheme it may register.
class HtmAssociation
{
public:
    HtmAssociation() : m_had(false), m_type(REG_NONE)
    {
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return;
        m_had = true;
        char buf[1024];
        DWORD cb = sizeof(buf);
        if (::RegQueryValueExA(hKey, NULL, NULL, &m_type, (BYTE*)buf, &cb) == ERROR_SUCCESS)
            m_old.assign(buf, cb);
        else
            m_type = REG_NONE;
        ::RegCloseKey(hKey);
    }
    ~HtmAssociation()
    {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kScheme);
        HKEY hKey;
        if (!m_had) {
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
        } else if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_WRITE, &hKey) == ERROR_SUCCESS) {
            if (m_type == REG_NONE)
                ::RegDeleteValueA(hKey, NULL);
            else
                ::RegSetValueExA(hKey, NULL, 0, m_type, (const BYTE*)m_old.data(), (DWORD)m_old.size());
            ::RegCloseKey(hKey);
        }
    }
    // ".htm" names the class; the class's open command is given when not NULL.
    void Set(const char* pszOpenCommand)
    {
        SetDefault(".htm", kClass);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
        if (pszOpenCommand)
            SetDefault(std::string(kClass) + "\\shell\\open\\command", pszOpenCommand);
        else
            SetDefault(kClass, "no command");
    }

private:
    bool m_had;
    DWORD m_type;
    std::string m_old;
};

} // namespace

// A click on the link whose address the shell cannot open starts the
// browser registered for ".htm" files with the address.
TEST(WebPage, ClickFallsBackToTheHtmAssociation)
{
    HtmAssociation assoc;
    assoc.Set((Quoted(StandinPath()) + " \"%1\"").c_str());
    ResetStandinLog();
    const char kUrl[] = "pelorin-test://www.velmot.jp/pelorin/";
    Script s;
    s.Do([]() { ::PostMessageA(MainDialog(), WM_SYSCOMMAND, IDM_VERSION, 0); })
        .WaitFor([]() { return OtherDialog() != NULL; })
        .Do([&]() {
            HWND hLabel = ::GetDlgItem(OtherDialog(), IDC_LINK);
            CWebLinkLabel* pLink = static_cast<CWebLinkLabel*>(CWnd::FromHandlePermanent(hLabel));
            ASSERT_TRUE(pLink != NULL);
            pLink->m_strTarget = kUrl;
            ::PostMessageA(hLabel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            ::PostMessageA(hLabel, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        })
        .WaitFor([]() { return !StandinRecords().empty(); })
        .Do([]() { ::PostMessageA(::GetDlgItem(OtherDialog(), IDOK), BM_CLICK, 0, 0); })
        .WaitFor([]() { return OtherDialog() == NULL; })
        .Click(IDCANCEL);
    EXPECT_TRUE(RunProgram(s));
    std::vector<std::string> records = StandinRecords();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(std::string(" ") + kUrl, Parameters(records[0]));
}

// The registered command, read from the registry, becomes the command line
// that is started: cut at "%1", then a space and the address, double-byte
// addresses byte for byte, long ones cut on a character boundary.
TEST(WebPage, BuildsTheCommandLineFromTheRegisteredCommand)
{
    std::string longUrl = "pelorin-test://";
    for (int i = 0; i < 300; i++)
        longUrl += "\x95\x5C";   // 表: its trail byte is a backslash
    struct Case { const char* tail; std::string url; std::string params; } cases[] = {
        { " -new", "pelorin-test://a", "-new pelorin-test://a" },
        { " \"%1\" -extra", "pelorin-test://a", " pelorin-test://a" },
        { " \"%1\"", "pelorin-test://\x93\xFA\x96\x7B/\x95\x5C", " pelorin-test://\x93\xFA\x96\x7B/\x95\x5C" },
        { " \"%1\"", longUrl, "" },
    };
    HtmAssociation assoc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        assoc.Set((Quoted(StandinPath()) + c.tail).c_str());
        ResetStandinLog();
        EXPECT_GT(OpenWebPage(c.url.c_str(), SW_SHOW), 31);
        std::vector<std::string> records = WaitStandinRecords(1);
        ASSERT_EQ(1u, records.size());
        if (!c.params.empty()) {
            EXPECT_EQ(c.params, Parameters(records[0]));
            continue;
        }
        // Cut to fit the 520-byte command buffer, between two characters.
        std::string params = Parameters(records[0]);
        EXPECT_GE(records[0].size(), 518u);
        EXPECT_LE(records[0].size(), 519u);
        ASSERT_EQ(' ', params[0]);
        std::string cut = params.substr(1);
        EXPECT_EQ(longUrl.substr(0, cut.size()), cut);
        EXPECT_EQ(1u, cut.size() % 2);   // the 15-byte scheme, then whole characters
    }
}

// The shell comes first: an address it can open never reaches ".htm". When
// the fallback cannot be prepared, nothing starts and the shell's answer
// is returned.
TEST(WebPage, ShellFirstAndFailuresStartNothing)
{
    HtmAssociation assoc;
    assoc.Set((Quoted(StandinPath()) + " -htm \"%1\"").c_str());
    SetDefault(kScheme, "URL:Pelorin test");
    SetDefault(std::string(kScheme) + "\\shell\\open\\command", Quoted(StandinPath()) + " -shell \"%1\"");
    ResetStandinLog();
    EXPECT_GT(OpenWebPage("pelorin-shell://a", SW_SHOW), 32);
    std::vector<std::string> records = WaitStandinRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("-shell \"pelorin-shell://a\"", Parameters(records[0]));

    ResetStandinLog();
    assoc.Set(NULL);     // a class without an open command
    int shell = (int)(INT_PTR)::ShellExecuteA(NULL, "open", "pelorin-test://a", NULL, NULL, SW_SHOW);
    ASSERT_LE(shell, 32);
    EXPECT_EQ(shell, OpenWebPage("pelorin-test://a", SW_SHOW));
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    EXPECT_EQ(shell, OpenWebPage("pelorin-test://a", SW_SHOW));
    ::Sleep(300);
    EXPECT_TRUE(StandinRecords().empty());
}

// The default value as text, always terminated within 260 bytes; a value
// that is missing, not text or too long reads as empty; a missing key
// returns its error and leaves the output alone.
TEST(WebPage, ReadRegDefaultIsSafeForAnyValue)
{
    const char kKey[] = "Software\\Velmot\\PelorinAboutTest";
    std::string s259(259, 'a'), s260(260, 'b');
    std::string dbcs;
    for (int i = 0; i < 129; i++)
        dbcs += "\x95\x5C";
    struct Case { bool set; DWORD type; std::string data; std::string expected; } cases[] = {
        { true, REG_SZ, std::string("iexplore\0", 9), "iexplore" },
        { true, REG_SZ, std::string("noterm", 6), "noterm" },
        { true, REG_SZ, s259 + '\0', s259 },
        { true, REG_SZ, s260 + '\0', "" },
        { true, REG_SZ, s260, "" },
        { true, REG_SZ, dbcs + '\0', dbcs },
        { true, REG_SZ, std::string(), "" },
        { true, REG_DWORD, std::string("\x41\x41\x41\x00", 4), "" },
        { true, REG_BINARY, std::string("\x41\x42\x43", 3), "" },
        { false, REG_NONE, std::string(), "" },   // no default value at all
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL));
        if (c.set)
            ::RegSetValueExA(hKey, NULL, 0, c.type, (const BYTE*)c.data.data(), (DWORD)c.data.size());
        ::RegCloseKey(hKey);
        char out[600];
        memset(out, 0x7F, sizeof(out));
        EXPECT_EQ(ERROR_SUCCESS, ReadRegDefault(HKEY_CURRENT_USER, kKey, out));
        EXPECT_EQ(c.expected, std::string(out, strnlen(out, 260)));
        EXPECT_LT(strnlen(out, 260), 260u);
        EXPECT_EQ(std::string(340, '\x7F'), std::string(out + 260, 340));
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey);

    char out[260] = "untouched";
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRegDefault(HKEY_CURRENT_USER, kKey, out));
    EXPECT_STREQ("untouched", out);
}
