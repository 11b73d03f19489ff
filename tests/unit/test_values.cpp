// Registry values read as the settings' text and as the comparison tool's
// registered path, and the stored "SubDir" value read with "%d" semantics.
#include "compare/ProfileValues.h"
#include "compare/ToolPath.h"
#include "framework/RegistryText.h"
#include "tests/support/LeadBytes.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <stdint.h>
#include <string.h>
#include <memory>
#include <string>

namespace {

// Registry value types, by number.
enum { kSz = 1, kExpandSz = 2, kBinary = 3, kDword = 4, kMultiSz = 7 };

#define SO "\x83\x7C"   // ソ: its second byte is a "|"

std::string Bytes(const char* data, size_t size)
{
    return std::string(data, size);
}

// A value's data in a block of exactly its size: a read past it is caught.
std::unique_ptr<char[]> Exact(const std::string& data)
{
    std::unique_ptr<char[]> p(new char[data.size()]);
    memcpy(p.get(), data.data(), data.size());
    return p;
}

std::string Str(const CString& s)
{
    return std::string((const char*)s, (size_t)s.GetLength());
}

TEST(RegistryValues, ProfileTextIsTheDataUpToItsFirstZeroWhateverTheType)
{
    struct { unsigned long type; std::string data, text; } cases[] = {
        { kSz, Bytes("C:\\a|C:\\a\0", 10), "C:\\a|C:\\a" },
        { kSz, "", "" },
        { kSz, Bytes("\0", 1), "" },
        { kSz, "no terminator", "no terminator" },
        { kExpandSz, Bytes("%TEMP%\0", 7), "%TEMP%" },
        { kBinary, Bytes("1\0garbage", 9), "1" },
        { kDword, Bytes("A/x\0", 4), "A/x" },
        { kDword, Bytes("\x01\0\0\0", 4), "\x01" },
        { kMultiSz, Bytes("C:\\m\0D:\\n\0\0", 11), "C:\\m" },
        { 0xFFFF, "|" SO "|\x83", "|" SO "|\x83" },      // double-byte text is not looked at
    };
    for (const auto& c : cases) {
        std::unique_ptr<char[]> data = Exact(c.data);
        EXPECT_EQ(c.text, std::string(data.get(), ProfileTextLength(c.type, data.get(), c.data.size())))
            << "type " << c.type;
    }
    // What is read must fit a text with its terminator; bigger values read
    // as missing.
    EXPECT_TRUE(ProfileValueReadable(0));
    EXPECT_TRUE(ProfileValueReadable(100 << 20));
    EXPECT_FALSE(ProfileValueReadable((size_t)INT_MAX));
    EXPECT_FALSE(ProfileValueReadable(SIZE_MAX));
}

TEST(RegistryValues, ToolPathIsTakenWholeOrNotAtAll)
{
    const std::string c511 = "C:\\" + std::string(508, 'c');    // 511 bytes: room for the terminator
    struct { unsigned long type; std::string data, path; } cases[] = {
        { kSz, Bytes("C:\\t\\windiff.exe\0", 17), "C:\\t\\windiff.exe" },
        { kSz, "C:\\sz\\windiff.exe", "C:\\sz\\windiff.exe" },
        { kSz, "", "" },
        { kSz, Bytes("\0", 1), "" },
        { kDword, "DCBA", "DCBA" },
        { kDword, Bytes("A/x\0", 4), "A/x" },
        { kMultiSz, Bytes("C:\\a.exe\0C:\\b.exe\0\0", 19), "C:\\a.exe" },
        { kSz, c511 + '\0', c511 },
        { kBinary, c511, c511 },
        { kBinary, c511 + 'x', "" },                                // 512 bytes, no terminator
        { kSz, c511 + "x" + '\0', "" },                            // 513 bytes
        { kBinary, Bytes("C:\\early.exe\0", 13) + std::string(600, 'b'), "" },   // too big, however short its text
        { kSz, std::string(509, 'd') + "\x93\xFA", std::string(509, 'd') + "\x93\xFA" },   // 日 ends 511 bytes
        { kSz, std::string(510, 'd') + "\x93\xFA", "" },
        // A lone lead byte at the end is dropped; a trail byte that could be
        // a lead byte is kept with its character.
        { kBinary, "C:\\" SO "\\\x83", "C:\\" SO "\\" },
        { kSz, Bytes("C:\\\x83\0x", 6), "C:\\" },
        { kSz, "\x83", "" },
        { kSz, "C:\\\x81\x81", "C:\\\x81\x81" },
        { kSz, "C:\\\x81\x81\x81", "C:\\\x81\x81" },
    };
    for (const auto& c : cases) {
        std::unique_ptr<char[]> data = Exact(c.data);
        EXPECT_EQ(c.path, Str(ToolPathFromValue(c.type, data.get(), c.data.size(), Cp932LeadBytes())))
            << "type " << c.type << ", " << c.data.size() << " bytes";
    }
    // Without lead bytes, 0x83 is a character of its own.
    EXPECT_EQ("C:\\\x83", Str(ToolPathFromValue(kBinary, "C:\\\x83", 4, SingleByteLeadBytes())));
    // A value reported bigger than the buffer is refused without reading it.
    std::unique_ptr<char[]> buffer = Exact(std::string(kToolPathBytes, 'e'));
    EXPECT_EQ("", Str(ToolPathFromValue(kSz, buffer.get(), 100000, Cp932LeadBytes())));
}

TEST(ScanDecimalInt, PercentDSemantics)
{
    struct { const char* text; bool ok; int value; } cases[] = {
        { "", false, 0 },
        { "1", true, 1 },
        { "0", true, 0 },
        { "2", true, 2 },
        { " 5", true, 5 },
        { "\t\r\n\v\f 7", true, 7 },
        { "+1", true, 1 },
        { "-0", true, 0 },
        { "-1", true, -1 },
        { "1abc", true, 1 },
        { "12 34", true, 12 },
        { "007", true, 7 },
        { "abc", false, 0 },
        { "+", false, 0 },
        { "-", false, 0 },
        { "+-1", false, 0 },
        { "- 1", false, 0 },
        { " ", false, 0 },
        { "0x1F", true, 0 },
        { "\x82\x50", false, 0 },                // a full-width digit is no digit
        { "2147483647", true, INT_MAX },
        { "-2147483648", true, INT_MIN },
        { "2147483648", true, INT_MAX },          // out of range: saturates
        { "-2147483649", true, INT_MIN },
        { "99999999999999999999999999999999", true, INT_MAX },
        { "-99999999999999999999999999999999", true, INT_MIN },
    };
    for (const auto& c : cases) {
        int value = 12345;
        EXPECT_EQ(c.ok, ScanDecimalInt(c.text, &value)) << '"' << c.text << '"';
        EXPECT_EQ(c.ok ? c.value : 12345, value) << '"' << c.text << '"';   // untouched on failure
    }
    int value = 3;
    EXPECT_FALSE(ScanDecimalInt(NULL, &value));
    EXPECT_EQ(3, value);
}

} // namespace
