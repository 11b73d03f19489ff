// History texts at scale: splitting a stored text into the field's pieces
// and joining a field's state into one text, for 10 to 100,000 entries. The
// cost must grow linearly with the number of entries.
#include "compare/HistoryText.h"
#include "tests/support/LeadBytes.h"

#include <benchmark/benchmark.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
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
        benchmark::DoNotOptimize((const char*)history);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A history that the code page cannot hold, joined exactly in UTF-16.
void JoinHistoryExact(benchmark::State& state)
{
    std::vector<std::wstring> entries;
    for (int i = 0; i < (int)state.range(0); i++)
        entries.push_back(L"C:\\Users\\dev\\\u30bd\u30fc\u30b9\\\u0100-" + std::to_wstring(i) + L"\\src");
    for (auto _ : state) {
        CWideString history;
        history += L"C:\\current";
        for (const std::wstring& e : entries)
            AppendHistoryEntry(history, e.data(), (int)e.size());
        benchmark::DoNotOptimize((const wchar_t*)history);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The least disturbed of the repetitions decides whether the cost grows
// linearly; the median is shown beside it.
void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000);
    b->Unit(benchmark::kMicrosecond)->MinTime(0.2)->Repetitions(7)->ReportAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(SplitHistory)->Apply(Sizes);
BENCHMARK(JoinHistory)->Apply(Sizes);
BENCHMARK(JoinHistoryExact)->Apply(Sizes);

// Keeps the aggregates; the table is printed at the end.
class TableReporter : public benchmark::BenchmarkReporter
{
public:
    struct Result
    {
        std::string name, aggregate;
        long entries;
        double microseconds;
    };
    std::vector<Result> results;

    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate)
                results.push_back(Result{ r.run_name.function_name, r.aggregate_name, std::stol(r.run_name.args),
                                          r.GetAdjustedRealTime() });
    }
    double Get(const std::string& name, const std::string& aggregate, long entries) const
    {
        for (const Result& r : results)
            if (r.name == name && r.aggregate == aggregate && r.entries == entries)
                return r.microseconds;
        return 0;
    }
};

} // namespace

// The most that 100,000 entries may cost over 10,000 while the growth is
// linear (a quadratic one costs about 100 times). The exact UTF-16 text is
// four bytes a character natively, 14 MB at 100,000 entries: far past the
// caches, where the 1.4 MB of 10,000 entries still fit, so memory alone
// makes it dearer per entry.
double LimitOf(const char* name)
{
    return strcmp(name, "JoinHistoryExact") == 0 ? 20.0 : 12.0;
}

// bench_history [--json=PATH] [Google Benchmark options]: prints a table of
// the times (minimum and median of 7 repetitions) and the growth from
// 10,000 to 100,000 entries (LimitOf: linear), and writes the same
// figures to PATH. Exits with 1 when the growth is not linear.
int main(int argc, char** argv)
{
    std::string jsonPath;
    int kept = 1;
    for (int i = 1; i < argc; i++) {
        if (strncmp(argv[i], "--json=", 7) == 0)
            jsonPath = argv[i] + 7;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const char* names[] = { "SplitHistory", "JoinHistory", "JoinHistoryExact" };
    const char* aggregates[] = { "min", "median" };
    const long sizes[] = { 10, 1000, 10000, 100000 };
    bool linear = true;
    printf("History texts (microseconds, 7 repetitions)\n");
    printf("  %-23s %10s %10s %10s %10s %16s\n", "", "10", "1,000", "10,000", "100,000", "100,000/10,000");
    std::string json = "{\n  \"unit\": \"us\",\n";
    for (const char* name : names) {
        json += std::string("  \"") + name + "\": {";
        for (const char* aggregate : aggregates) {
            double t10k = reporter.Get(name, aggregate, 10000), t100k = reporter.Get(name, aggregate, 100000);
            double ratio = t10k > 0 ? t100k / t10k : 0;
            if (strcmp(aggregate, "min") == 0)
                linear = linear && ratio > 0 && ratio <= LimitOf(name);
            printf("  %-16s %-6s", name, aggregate);
            json += std::string(aggregate == aggregates[0] ? "" : ", ") + "\"" + aggregate + "\": {";
            for (long n : sizes) {
                double us = reporter.Get(name, aggregate, n);
                printf(" %10.2f", us);
                json += "\"" + std::to_string(n) + "\": " + std::to_string(us) + ", ";
            }
            printf(" %16.2f\n", ratio);
            json += "\"ratio_100000_to_10000\": " + std::to_string(ratio) + "}";
        }
        json += "},\n";
    }
    printf("  growth %s (limit: 100,000 entries at most 12 x 10,000, 20 x for the exact text, on the minimum)\n",
           linear ? "linear" : "NOT linear");
    json += std::string("  \"ratio_limit\": 12,\n  \"ratio_limit_exact\": 20,\n  \"linear\": ") + (linear ? "true" : "false") + "\n}\n";

    if (!jsonPath.empty()) {
        FILE* f = fopen(jsonPath.c_str(), "w");
        if (!f) {
            fprintf(stderr, "bench_history: cannot write %s\n", jsonPath.c_str());
            return 1;
        }
        fputs(json.c_str(), f);
        fclose(f);
    }
    return linear ? 0 : 1;
}
