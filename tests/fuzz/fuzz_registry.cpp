// Any registry value, of any type, read as the settings' text and as the
// comparison tool's registered path, compared with plain models. Input: the
// lead-byte table's pick, the type, then the value's data.
#include "compare/ToolPath.h"
#include "framework/RegistryText.h"
#include "FuzzRef.h"

#include <stdint.h>

static std::string Str(const CString& s)
{
    return std::string((const char*)s, (size_t)s.GetLength());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const LeadByteTable& t = PickTable(in.Byte());
    const unsigned long type = in.Byte();
    const std::string value = in.Rest();
    std::unique_ptr<char[]> exact(new char[value.size()]);
    memcpy(exact.get(), value.data(), value.size());

    // The settings' text: what a C string of the data holds; the type makes
    // no difference.
    const std::string text = value.c_str();
    FUZZ_CHECK(ProfileTextLength(type, exact.get(), value.size()) == text.size());
    FUZZ_CHECK(ProfileTextLength(1, exact.get(), value.size()) == text.size());

    // The tool's path: that text when the data fits 512 bytes with a zero
    // byte after the text, less a lead byte left alone at its end.
    std::string expected;
    bool fits = text.size() < value.size() ? value.size() <= 512 : value.size() < 512;
    if (fits) {
        expected = text;
        if (!expected.empty() && t.IsLead((unsigned char)expected.back())
            && ref::CharStarts(expected, t)[expected.size() - 1])
            expected.erase(expected.size() - 1);
    }
    FUZZ_CHECK(Str(ToolPathFromValue(type, exact.get(), value.size(), t)) == expected);
    FUZZ_CHECK(Str(ToolPathFromValue(1, exact.get(), value.size(), t)) == expected);
    return 0;
}
