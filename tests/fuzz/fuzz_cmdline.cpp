// The command line Pelorin is started with, split into its program name and
// its paths. The input is UTF-16 text after one byte that chooses the check:
//   even: the text is a command line: the split stays inside its buffer,
//         keeps no double quote, and gives what the C runtime gives, each
//         argument after the first AsPath, where no \ stands before a ";
//   odd:  the text is a list of paths split at zero units, quotes left out:
//         written as the shell writes them, each between quotes (bit 1: a
//         path without blanks bare, as typed), they come back as paths.
#include "compare/CommandLine.h"
#include "FuzzRef.h"

#include <stdint.h>

typedef std::u16string Text;

static std::vector<Text> Split(const Text& line)
{
    std::vector<char16_t> out(line.size() + 1);   // the room the rule promises, on the heap
    std::vector<Text> args;
    int pos = 0, n = NextArgument(line.data(), (int)line.size(), &pos, out.data());
    for (; n >= 0; n = NextPath(line.data(), (int)line.size(), &pos, out.data())) {
        args.push_back(Text(out.data(), (size_t)n));
        FUZZ_CHECK(pos <= (int)line.size() && args.back().find(u'"') == Text::npos);
    }
    FUZZ_CHECK(pos == (int)line.size());
    return args;
}

// An argument as a path: none when empty or blank, a run of backslashes at its end made one.
static void AsPath(Text arg, std::vector<Text>& paths)
{
    while (arg.size() >= 2 && arg[arg.size() - 1] == u'\\' && arg[arg.size() - 2] == u'\\')
        arg.pop_back();
    if (arg.find_first_not_of(u" \t") != Text::npos)
        paths.push_back(arg);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    Text text;
    for (size_t i = 1; i + 1 < size; i += 2)
        text += (char16_t)(data[i] | (data[i + 1] << 8));
    if (!(data[0] & 1)) {
        std::vector<Text> args = Split(text), expected;
        for (const Text& arg : ref::SplitLikeTheCRuntime(text))
            expected.empty() ? expected.push_back(arg) : AsPath(arg, expected);
        FUZZ_CHECK(text.find(u"\\\"") != Text::npos || args == expected);
        return 0;
    }
    std::vector<Text> expected(1, u"C:\\Program Files\\Pelorin.exe");
    Text line = u"\"" + expected[0] + u"\"", path;
    for (size_t i = 0; i <= text.size(); i++) {
        if (i < text.size() && text[i] != u'\0') {
            if (text[i] != u'"')
                path += text[i];
            continue;
        }
        bool bare = (data[0] & 2) && !path.empty() && path.find_first_of(u" \t") == Text::npos;
        line += bare ? u" " + path : u" \"" + path + u"\"";
        AsPath(path, expected);
        path.clear();
    }
    FUZZ_CHECK(Split(line) == expected);
    return 0;
}
