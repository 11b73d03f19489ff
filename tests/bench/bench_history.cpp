// History texts at scale: splitting a stored text into the field's pieces
// and joining a field's state into one text, for 10 to 100,000 entries. The
// cost must grow linearly with the number of entries.
#include "compare/HistoryText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Entries like real paths, with CP932 folder names ("表示" has a "\" trail
// byte, "ソース" a "|" one) so that the double-byte walk does its work.
std::vector<std::string> MakeEntries(int count)
{
    std::vector<std::string> entries;
    entries.reserve((size_t)count);
    for (int i = 0; i < count; i++)
        entries.push_back("C:\\Users\\dev\\" "\x95\x5C" "\x8E\xA6" "\\" "\x83\x7C" "\x81\x5B" "\x83\x58" "\\project-" +
                          std::to_string(i) + "\\src");
    return entries;
}

std::string JoinEntries(const std::vector<std::string>& entries)
{
    std::string text = "C:\\current";
    for (const std::string& e : entries)
        text += "|" + e;
    return text;
}

void SplitHistory(benchmark::State& state)
{
    const std::string text = JoinEntries(MakeEntries((int)state.range(0)));
    const LeadByteTable& t = Cp932LeadBytes();
    for (auto _ : state) {
        HistoryReader reader(text.data(), (int)text.size(), t);
        const char* piece;
        int len;
        long total = 0;
        while (reader.Next(piece, len))
            total += len;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * (int64_t)text.size());
}

void JoinHistory(benchmark::State& state)
{
    const std::vector<std::string> entries = MakeEntries((int)state.range(0));
    for (auto _ : state) {
        CString history("C:\\current");
        for (const std::string& e : entries)
            AppendHistoryEntry(history, e.data(), (int)e.size());
        benchmark::DoNotOptimize(history.GetString());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(SplitHistory)->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(JoinHistory)->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
