// The "SubDir" value is read like "%d": compared with strtoll, clamped to
// the int range.
#include "compare/ProfileValues.h"
#include "FuzzRef.h"

#include <errno.h>
#include <limits.h>
#include <stdint.h>
#include <stdio.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The registry text ends at its first zero byte; give it no more room.
    std::string text((const char*)data, size);
    text = text.c_str();
    std::unique_ptr<wchar_t[]> exact(new wchar_t[text.size() + 1]);
    for (size_t i = 0; i <= text.size(); i++)
        exact[i] = (wchar_t)(unsigned char)text[i];

    const int untouched = 0x5A5A5A5A;
    int value = untouched;
    bool ok = ScanDecimalInt(exact.get(), &value);

    // strtoll also takes the white space and sign "%d" takes, but the
    // locale's notion of white space must be the C one: it is here.
    char* end = NULL;
    errno = 0;
    long long expected = strtoll(text.c_str(), &end, 10);
    bool expectedOk = end != text.c_str();
    if (expected > INT_MAX)
        expected = INT_MAX;
    if (expected < INT_MIN)
        expected = INT_MIN;

    FUZZ_CHECK(ok == expectedOk);
    FUZZ_CHECK(value == (ok ? (int)expected : untouched));
    return 0;
}
