// Simple reference models the fuzzers compare the program's text logic with,
// and the fuzzer input read as fields of UTF-16 text.
#pragma once

#include "framework/String.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <memory>
#include <string>
#include <vector>

namespace ref {

// A command line split as a program built with the C runtime reads it: a
// run of backslashes before a double quote halves, and an odd run makes the
// quote a character; any other double quote opens or closes a quoted part;
// blanks outside quotes separate.
template <class S>
std::vector<S> SplitLikeTheCRuntime(const S& s)
{
    typedef typename S::value_type Ch;
    std::vector<S> args;
    size_t i = 0;
    while (true) {
        while (i < s.size() && (s[i] == Ch(' ') || s[i] == Ch('\t')))
            i++;
        if (i >= s.size())
            return args;
        S arg;
        bool quoted = false;
        while (i < s.size() && (quoted || (s[i] != Ch(' ') && s[i] != Ch('\t')))) {
            size_t slashes = 0;
            while (i < s.size() && s[i] == Ch('\\')) {
                slashes++;
                i++;
            }
            if (i < s.size() && s[i] == Ch('"')) {
                arg.append(slashes / 2, Ch('\\'));
                if (slashes % 2) {
                    arg += Ch('"');
                } else {
                    quoted = !quoted;
                }
                i++;
            } else {
                arg.append(slashes, Ch('\\'));
                if (!slashes)
                    arg += s[i++];
            }
        }
        args.push_back(arg);
    }
}

} // namespace ref

// Reads fuzzer input as a few fields.
class FuzzInput
{
public:
    FuzzInput(const unsigned char* data, size_t size) : m_p(data), m_end(data + size) {}
    unsigned char Byte() { return m_p < m_end ? *m_p++ : 0; }
    // Characters up to the next zero character (not included) or the end.
    std::wstring Field()
    {
        std::wstring s;
        while (m_p + 1 < m_end && (m_p[0] || m_p[1])) {
            s += (wchar_t)(m_p[0] | (m_p[1] << 8));
            m_p += 2;
        }
        m_p = m_p + 1 < m_end ? m_p + 2 : m_end;
        return s;
    }
    std::string Rest()
    {
        std::string s((const char*)m_p, (size_t)(m_end - m_p));
        m_p = m_end;
        return s;
    }

private:
    const unsigned char* m_p;
    const unsigned char* m_end;
};

// Bytes as UTF-16 text, two to a character, low byte first (any unpaired
// surrogates included); an odd last byte is left out.
inline std::wstring Units(const std::string& bytes)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += (wchar_t)((unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8));
    return text;
}

inline std::wstring Str(const CString& s)
{
    return std::wstring((const wchar_t*)s, (size_t)s.GetLength());
}

#define FUZZ_CHECK(cond)                                                     \
    do {                                                                     \
        if (!(cond)) {                                                       \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            abort();                                                         \
        }                                                                    \
    } while (0)
