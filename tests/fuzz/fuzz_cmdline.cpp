// The command line Pelorin is started with, split into arguments. The input
// is UTF-16 text (two bytes a unit); its first unit chooses the check:
//   even: the rest is a command line: splitting it stays inside its buffer,
//         keeps no double quote, and gives what the C runtime gives wherever
//         no backslash stands before a double quote;
//   odd:  the rest is a list of paths split at zero units, without double
//         quotes: written as the shell writes them, each between quotes
//         (bit 1: a path without blanks bare, as typed in a terminal), they
//         come back exactly.
#include "compare/CommandLine.h"
#include "FuzzRef.h"

#include <stdint.h>

#include <string>
#include <vector>

namespace {

typedef std::u16string Text;

std::vector<Text> Split(const Text& line)
{
    // Exactly the room the rule promises, on the heap: a write past it is caught.
    std::vector<char16_t> out(line.size() + 1);
    std::vector<Text> args;
    int pos = 0;
    for (int n; (n = NextArgument(line.data(), (int)line.size(), &pos, out.data())) >= 0;) {
        FUZZ_CHECK(n <= (int)line.size() && pos <= (int)line.size());
        args.push_back(Text(out.data(), (size_t)n));
    }
    FUZZ_CHECK(pos == (int)line.size());
    return args;
}

bool HasBlank(const Text& s)
{
    return s.find(u' ') != Text::npos || s.find(u'\t') != Text::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const unsigned mode = data[0];
    Text rest;
    for (size_t i = 2; i + 1 < size; i += 2)
        rest += (char16_t)(data[i] | (data[i + 1] << 8));

    if (!(mode & 1)) {
        std::vector<Text> args = Split(rest);
        size_t total = 0;
        for (const Text& a : args) {
            FUZZ_CHECK(a.find(u'"') == Text::npos);
            total += a.size();
        }
        FUZZ_CHECK(total <= rest.size());
        if (rest.find(u"\\\"") == Text::npos)
            FUZZ_CHECK(args == ref::SplitLikeTheCRuntime(rest, [](char16_t) { return false; }));
        return 0;
    }

    std::vector<Text> paths;
    for (size_t start = 0;;) {
        size_t zero = rest.find(u'\0', start);
        Text path = rest.substr(start, zero == Text::npos ? Text::npos : zero - start);
        Text clean;
        for (char16_t c : path)
            if (c != u'"')
                clean += c;
        paths.push_back(clean);
        if (zero == Text::npos)
            break;
        start = zero + 1;
    }
    Text line = u"\"C:\\Program Files\\Pelorin\\Pelorin.exe\"";
    for (const Text& p : paths) {
        bool bare = (mode & 2) && !p.empty() && !HasBlank(p);
        line += bare ? u" " + p : u" \"" + p + u"\"";
    }
    std::vector<Text> expected = paths;
    expected.insert(expected.begin(), u"C:\\Program Files\\Pelorin\\Pelorin.exe");
    FUZZ_CHECK(Split(line) == expected);
    return 0;
}
