// The browser command: whatever the registered command, the address and the
// buffer size, the output fits, is terminated, and is the longest beginning
// of "command up to its placeholder, space, address" that does not split a
// surrogate pair.
#include "about/BrowserCommand.h"
#include "FuzzRef.h"

#include <stdint.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    int outSize = in.Byte();
    outSize |= (in.Byte() & 3) << 8;   // 0 to 1023
    if (in.Byte() & 1)
        outSize = BROWSER_COMMAND_SIZE;
    const std::wstring command = in.Field();
    const std::wstring url = in.Field();

    std::unique_ptr<wchar_t[]> out(new wchar_t[outSize > 0 ? (size_t)outSize : 1]);
    int n = BuildBrowserCommand(command.c_str(), url.c_str(), outSize > 0 ? out.get() : NULL, outSize);
    if (outSize <= 0) {
        FUZZ_CHECK(n == 0);
        return 0;
    }

    size_t cut = command.find(L"\"%1\"");
    if (cut == std::wstring::npos)
        cut = command.find(L"%1");
    const std::wstring head = command.substr(0, cut) + L" ";
    const std::wstring full = head + url;
    size_t expected = full.size() < (size_t)outSize - 1 ? full.size() : (size_t)outSize - 1;
    if (expected < full.size() && expected > 0 && full[expected - 1] >= 0xD800 && full[expected - 1] <= 0xDBFF)
        expected--;

    FUZZ_CHECK(n == (int)expected);
    FUZZ_CHECK(out[(size_t)n] == 0);
    FUZZ_CHECK(full.compare(0, (size_t)n, out.get(), (size_t)n) == 0);
    return 0;
}
