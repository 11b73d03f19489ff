// The browser command: whatever the registered command, the address and the
// buffer size, the output fits, is terminated, and is the longest beginning
// of "command up to its placeholder, space, address" that ends on a
// character boundary.
#include "about/BrowserCommand.h"
#include "FuzzRef.h"

#include <stdint.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const LeadByteTable& t = PickTable(in.Byte());
    int outSize = in.Byte();
    outSize |= (in.Byte() & 3) << 8;   // 0 to 1023
    if (in.Byte() & 1)
        outSize = BROWSER_COMMAND_SIZE;
    const std::string command = in.Field();
    const std::string url = in.Field();

    std::unique_ptr<char[]> cmdExact(new char[command.size() + 1]);
    memcpy(cmdExact.get(), command.c_str(), command.size() + 1);
    std::unique_ptr<char[]> urlExact(new char[url.size() + 1]);
    memcpy(urlExact.get(), url.c_str(), url.size() + 1);
    std::unique_ptr<char[]> out(new char[outSize > 0 ? (size_t)outSize : 1]);

    int n = BuildBrowserCommand(cmdExact.get(), urlExact.get(), outSize > 0 ? out.get() : NULL, outSize, t);
    if (outSize <= 0) {
        FUZZ_CHECK(n == 0);
        return 0;
    }

    int cut = ref::FindStr(command, "\"%1\"", t);
    if (cut < 0)
        cut = ref::FindStr(command, "%1", t);
    const std::string full = (cut >= 0 ? command.substr(0, (size_t)cut) : command) + " " + url;
    const int expected = ref::SafeCut(full, outSize - 1, t);

    FUZZ_CHECK(n == expected);
    FUZZ_CHECK(out[(size_t)n] == 0);
    FUZZ_CHECK(memcmp(out.get(), full.data(), (size_t)n) == 0);
    return 0;
}
