// Simple reference models the fuzzers compare the program's text logic with:
// the character starts of a text, found by the plainest possible walk.
#pragma once

#include "tests/support/LeadBytes.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <memory>
#include <string>
#include <vector>

namespace ref {

// starts[i]: a character begins at byte i; starts[len] is true as well.
// A lead byte takes the next byte as its second, if there is one.
inline std::vector<bool> CharStarts(const std::string& s, const LeadByteTable& t)
{
    std::vector<bool> starts(s.size() + 1, false);
    size_t i = 0;
    while (i < s.size()) {
        starts[i] = true;
        i += (t.IsLead((unsigned char)s[i]) && i + 1 < s.size()) ? 2 : 1;
    }
    starts[s.size()] = true;
    return starts;
}

// The byte at i is a whole one-byte character.
inline bool SingleChar(const std::string& s, const std::vector<bool>& starts, size_t i)
{
    return starts[i] && starts[i + 1];
}

inline int Find(const std::string& s, char ch, const LeadByteTable& t)
{
    std::vector<bool> st = CharStarts(s, t);
    for (size_t i = 0; i < s.size(); i++)
        if (s[i] == ch && SingleChar(s, st, i))
            return (int)i;
    return -1;
}

inline int FindLast(const std::string& s, char ch, const LeadByteTable& t)
{
    std::vector<bool> st = CharStarts(s, t);
    for (size_t i = s.size(); i-- > 0;)
        if (s[i] == ch && SingleChar(s, st, i))
            return (int)i;
    return -1;
}

inline int FindStr(const std::string& s, const std::string& sub, const LeadByteTable& t)
{
    std::vector<bool> st = CharStarts(s, t);
    for (size_t i = 0; i + sub.size() <= s.size(); i++)
        if (st[i] && st[i + sub.size()] && s.compare(i, sub.size(), sub) == 0)
            return (int)i;
    return -1;
}

inline int SafeCut(const std::string& s, int maxBytes, const LeadByteTable& t)
{
    std::vector<bool> st = CharStarts(s, t);
    int n = maxBytes < (int)s.size() ? maxBytes : (int)s.size();
    if (n < 0)
        n = 0;
    while (n > 0 && !st[(size_t)n])
        n--;
    return n;
}

// A command line split as a program built with the C runtime reads it: a
// run of backslashes before a double quote halves, and an odd run makes the
// quote a character; any other double quote opens or closes a quoted part;
// blanks outside quotes separate. isLead(c): c begins a two-byte character,
// which the walk takes whole.
template <class S, class IsLead>
std::vector<S> SplitLikeTheCRuntime(const S& s, IsLead isLead)
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
            if (isLead(s[i]) && i + 1 < s.size()) {
                arg += s.substr(i, 2);
                i += 2;
                continue;
            }
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
    // Bytes up to the next zero byte (not included) or the end.
    std::string Field()
    {
        const unsigned char* start = m_p;
        while (m_p < m_end && *m_p)
            m_p++;
        std::string s((const char*)start, (size_t)(m_p - start));
        if (m_p < m_end)
            m_p++;
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

inline const LeadByteTable& PickTable(unsigned char b)
{
    return b % 3 == 0 ? SingleByteLeadBytes() : b % 3 == 1 ? Cp932LeadBytes() : Cp936LeadBytes();
}

#define FUZZ_CHECK(cond)                                                     \
    do {                                                                     \
        if (!(cond)) {                                                       \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            abort();                                                         \
        }                                                                    \
    } while (0)
