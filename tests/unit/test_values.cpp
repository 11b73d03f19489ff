// Registry values that are no string values read as text, and the stored
// "SubDir" value read with "%d" semantics.
#include "compare/ProfileValues.h"
#include "framework/RegistryText.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <stdint.h>
#include <string.h>
#include <memory>
#include <string>

namespace {

// Registry value types, by number.
enum { kSz = 1, kExpandSz = 2, kBinary = 3, kDword = 4, kMultiSz = 7 };

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

TEST(RegistryValues, TextIsTheDataUpToItsFirstZeroByte)
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
        { 0xFFFF, "|\x83\x7C|\x83", "|\x83\x7C|\x83" },     // code-page text is not looked at
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

TEST(ScanDecimalInt, PercentDSemantics)
{
    struct { const wchar_t* text; bool ok; int value; } cases[] = {
        { L"", false, 0 },
        { L"1", true, 1 },
        { L"0", true, 0 },
        { L"2", true, 2 },
        { L" 5", true, 5 },
        { L"\t\r\n\v\f 7", true, 7 },
        { L"+1", true, 1 },
        { L"-0", true, 0 },
        { L"-1", true, -1 },
        { L"1abc", true, 1 },
        { L"12 34", true, 12 },
        { L"007", true, 7 },
        { L"abc", false, 0 },
        { L"+", false, 0 },
        { L"-", false, 0 },
        { L"+-1", false, 0 },
        { L"- 1", false, 0 },
        { L" ", false, 0 },
        { L"0x1F", true, 0 },
        { L"\uFF11", false, 0 },                  // a full-width digit is no digit
        { L"2147483647", true, INT_MAX },
        { L"-2147483648", true, INT_MIN },
        { L"2147483648", true, INT_MAX },          // out of range: saturates
        { L"-2147483649", true, INT_MIN },
        { L"99999999999999999999999999999999", true, INT_MAX },
        { L"-99999999999999999999999999999999", true, INT_MIN },
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
