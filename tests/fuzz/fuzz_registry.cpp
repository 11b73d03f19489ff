// Any registry value that is no string value, of any type, read as text:
// the bytes before its first zero byte. Input: the type, then the data.
#include "framework/RegistryText.h"
#include "FuzzRef.h"

#include <stdint.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const unsigned long type = in.Byte();
    const std::string value = in.Rest();
    std::unique_ptr<char[]> exact(new char[value.size()]);
    memcpy(exact.get(), value.data(), value.size());

    // What a C string of the data holds; the type makes no difference.
    const std::string text = value.c_str();
    FUZZ_CHECK(ProfileTextLength(type, exact.get(), value.size()) == text.size());
    FUZZ_CHECK(ProfileTextLength(3, exact.get(), value.size()) == text.size());
    return 0;
}
