// History texts at scale: splitting a stored text into the field's pieces
// and joining a field's state into one text, for 10 to 100,000 entries. The
// cost must grow linearly with the number of entries.
#include "compare/HistoryText.h"

#include <benchmark/benchmark.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Entries like real paths, with names no single code page holds.
std::vector<std::wstring> MakeEntries(int count)
{
    std::vector<std::wstring> entries;
    entries.reserve((size_t)count);
    for (int i = 0; i < count; i++)
        entries.push_back(L"C:\\Users\\dev\\\u8868\u793A\\\uD55C\uAD6D \xD83D\xDE00\\project-" + std::to_wstring(i) + L"\\src");
    return entries;
}

void SplitHistory(benchmark::State& state)
{
    std::wstring text = L"C:\\current";
    for (const std::wstring& e : MakeEntries((int)state.range(0)))
        text += L"|" + e;
    for (auto _ : state) {
        HistoryReader reader(text.data(), (int)text.size());
        const wchar_t* piece;
        int len;
        long total = 0;
        while (reader.Next(piece, len))
            total += len;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * (int64_t)(text.size() * 2));
}

void JoinHistory(benchmark::State& state)
{
    const std::vector<std::wstring> entries = MakeEntries((int)state.range(0));
    for (auto _ : state) {
        CString history(L"C:\\current");
        for (const std::wstring& e : entries)
            AppendHistoryEntry(history, e.data(), (int)e.size());
        benchmark::DoNotOptimize((const wchar_t*)history);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The sizes; the growth is fitted over all but the first.
const long kSizes[] = { 10, 1000, 3000, 10000, 30000, 100000 };

// The least disturbed of the repetitions decides whether the cost grows
// linearly; the median is shown beside it. The repetitions of all sizes run
// interleaved in random order (main): a burst of load strikes no one size.
void Sizes(benchmark::internal::Benchmark* b)
{
    for (long n : kSizes)
        b->Arg(n);
    b->Unit(benchmark::kMicrosecond)->MinTime(0.1)->Repetitions(9)->ReportAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(SplitHistory)->Apply(Sizes);
BENCHMARK(JoinHistory)->Apply(Sizes);

// Keeps the aggregates of the thread's CPU time, which other processes
// inflate far less than wall-clock time; the table is printed at the end.
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
                                          r.GetAdjustedCPUTime() });
    }
    double Get(const std::string& name, const std::string& aggregate, long entries) const
    {
        for (const Result& r : results)
            if (r.name == name && r.aggregate == aggregate && r.entries == entries)
                return r.microseconds;
        return 0;
    }
    // How the cost grows: the least-squares slope of log time over log
    // entries, 1,000 to 100,000 (1 linear, 2 quadratic; NaN when a time is
    // missing). Over five sizes, one noisy size moves it by a fraction.
    double Slope(const std::string& name, const std::string& aggregate) const
    {
        double sx = 0, sy = 0, sxx = 0, sxy = 0, n = 0;
        for (size_t i = 1; i < sizeof(kSizes) / sizeof(kSizes[0]); i++, n++) {
            double x = log((double)kSizes[i]), y = log(Get(name, aggregate, kSizes[i]));
            sx += x, sy += y, sxx += x * x, sxy += x * y;
        }
        return (n * sxy - sx * sy) / (n * sxx - sx * sx);
    }
};

} // namespace

// The steepest growth taken as linear. The text is four bytes a character
// natively, 14 MB at 100,000 entries: far past the caches, where the 140 KB
// of 1,000 entries fit, so memory alone makes it dearer per entry as it
// grows (slopes of 1.02 to 1.15 measured, under load).
const double kLinearLimit = 1.4;

// bench_history [--json=PATH] [Google Benchmark options]: prints a table of
// the CPU times (minimum and median of 9 repetitions) and their growth
// (TableReporter::Slope, at most kLinearLimit on the minimum), and writes the
// same figures to PATH. Exits with 1 when the growth is not linear.
int main(int argc, char** argv)
{
    std::string jsonPath;
    std::vector<char*> args = { argv[0], (char*)"--benchmark_enable_random_interleaving=true" };
    for (int i = 1; i < argc; i++) {
        if (strncmp(argv[i], "--json=", 7) == 0)
            jsonPath = argv[i] + 7;
        else
            args.push_back(argv[i]);
    }
    argc = (int)args.size();
    benchmark::Initialize(&argc, args.data());
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const char* names[] = { "SplitHistory", "JoinHistory" };
    const char* aggregates[] = { "min", "median" };
    bool linear = true;
    printf("History texts (microseconds of CPU time, 9 repetitions)\n");
    printf("  %-23s %10s %10s %10s %10s %10s %10s %6s\n", "", "10", "1,000", "3,000", "10,000", "30,000", "100,000",
           "slope");
    std::string json = "{\n  \"unit\": \"us of CPU time\",\n";
    for (const char* name : names) {
        json += std::string("  \"") + name + "\": {";
        for (const char* aggregate : aggregates) {
            double slope = reporter.Slope(name, aggregate);
            if (aggregate == aggregates[0])
                linear = linear && slope <= kLinearLimit;   // false for not a number
            printf("  %-16s %-6s", name, aggregate);
            json += std::string(aggregate == aggregates[0] ? "" : ", ") + "\"" + aggregate + "\": {";
            for (long n : kSizes) {
                double us = reporter.Get(name, aggregate, n);
                printf(" %10.2f", us);
                json += "\"" + std::to_string(n) + "\": " + std::to_string(us) + ", ";
            }
            printf(" %6.3f\n", slope);
            json += "\"slope\": " + (slope == slope ? std::to_string(slope) : "null") + "}";
        }
        json += "},\n";
    }
    printf("  growth %s (limit: a slope of log time over log entries, 1,000 to 100,000, of at most 1.25 on the "
           "minimum, 1.4 for the exact text; linear 1, quadratic 2)\n",
           linear ? "linear" : "NOT linear");
    json += "  \"slope_limit\": 1.25,\n  \"slope_limit_exact\": 1.4,\n  \"linear\": " + std::string(linear ? "true" : "false")
            + "\n}\n";

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
