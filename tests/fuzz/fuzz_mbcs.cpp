// The double-byte aware searches and cuts against the reference walk; every
// buffer is allocated at its exact size so that AddressSanitizer sees any
// read or write past it.
#include "FuzzRef.h"

#include <stdint.h>
#include <stdio.h>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const LeadByteTable& t = PickTable(in.Byte());
    const char ch = (char)in.Byte();
    const int maxBytes = (int)in.Byte() - 8;   // a few negative values too
    const std::string sub = in.Field();
    const std::string s = in.Rest();           // may hold zero bytes
    const int len = (int)s.size();

    std::unique_ptr<char[]> exact(new char[s.size() + 1]);
    memcpy(exact.get(), s.data(), s.size());
    const char* p = exact.get();
    std::unique_ptr<char[]> subExact(new char[sub.size() + 1]);
    memcpy(subExact.get(), sub.data(), sub.size());

    FUZZ_CHECK(MbsFind(p, len, ch, t) == ref::Find(s, ch, t));
    FUZZ_CHECK(MbsFindLast(p, len, ch, t) == ref::FindLast(s, ch, t));
    FUZZ_CHECK(MbsFindStr(p, len, subExact.get(), (int)sub.size(), t) == ref::FindStr(s, sub, t));

    int cut = MbsSafeCut(p, len, maxBytes, t);
    FUZZ_CHECK(cut == ref::SafeCut(s, maxBytes, t));

    // Replacing a character changes exactly the bytes that are that character.
    {
        std::unique_ptr<char[]> copy(new char[s.size() + 1]);
        memcpy(copy.get(), s.data(), s.size());
        MbsReplaceChar(copy.get(), len, ch, (char)~ch, t);
        std::vector<bool> st = ref::CharStarts(s, t);
        for (size_t i = 0; i < s.size(); i++) {
            bool hit = s[i] == ch && ref::SingleChar(s, st, i);
            FUZZ_CHECK(copy[i] == (hit ? (char)~ch : s[i]));
        }
    }

    // The application name: what follows the last separator, up to the last
    // dot after it.
    {
        const std::string path(s.c_str());
        std::vector<bool> st = ref::CharStarts(path, t);
        size_t start = 0;
        for (size_t i = 0; i < path.size(); i++)
            if ((path[i] == '\\' || path[i] == '/' || path[i] == ':') && ref::SingleChar(path, st, i))
                start = i + 1;
        size_t end = path.size();
        for (size_t i = start; i < path.size(); i++)
            if (path[i] == '.' && ref::SingleChar(path, st, i))
                end = i;
        CString name = AppNameFromModulePath(path.c_str(), t);
        FUZZ_CHECK(std::string((const char*)name, (size_t)name.GetLength()) == path.substr(start, end - start));
    }
    return 0;
}
