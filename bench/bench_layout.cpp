// Report generation: a synthetic report of the amortization shape (title,
// column heading, six-label detail rows, yearly totals, page footer), about
// 50 rows a page, laid out, recorded as metafiles and added to a page list.
#include "layout_support.h"

#include "engine/layout/generator.h"
#include "engine/layout/layout.h"
#include "engine/layout/pagerecorder.h"
#include "engine/pagefile/pagelist.h"
#include "support.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>

using namespace accrua::engine::layout;
using namespace accrua::engine::pagefile;
using accrua::engine::layout::testing::SyntheticReport;

namespace {

// Resident set high-water mark in kilobytes, from /proc/self/status.
long peakRssKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

long currentRssKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Lets the high-water mark start again from the current size (Linux 4.0+).
void resetPeakRss()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

// Yearly totals every 60 rows keep the pages at about 50 detail lines.
constexpr int kTotalsEvery = 60;

// The number of rows that fills exactly `pages` pages (the last one full).
int rowsForPages(int pages)
{
    auto count = [](int rows) {
        SyntheticReport s(rows, kTotalsEvery);
        PagePlan plan;
        ReportLayout(*s.report, plan).run();
        return static_cast<int>(plan.pages.size());
    };
    int lo = 1, hi = pages * 80;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (count(mid) <= pages)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int rows240()
{
    static const int rows = rowsForPages(240);
    return rows;
}

void BM_Generate240Pages(benchmark::State &state)
{
    accrua::testsupport::ensureGuiApp();
    int pages = 0;
    const int rows = rows240();
    for (auto _ : state) {
        SyntheticReport s(rows, kTotalsEvery);
        TRptPageList list;
        pages = ReportGenerator::generate(*s.report, list);
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["rows"] = rows;
    state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Generate240Pages)->Unit(benchmark::kMillisecond)->MinTime(3);

// From the start of generation until the first page is in the list.
void BM_FirstPageAvailable(benchmark::State &state)
{
    accrua::testsupport::ensureGuiApp();
    const int rows = rows240();
    for (auto _ : state) {
        SyntheticReport s(rows, kTotalsEvery);
        TRptPageList list;
        std::atomic<bool> stop{false};
        const auto start = std::chrono::steady_clock::now();
        list.beginReport(false);
        PageRecorder recorder(*s.report, [&](const QByteArray &page, int) {
            list.AddPage(page);
            stop = true;
        });
        ReportLayout layout(*s.report, recorder);
        layout.setCancelFlag(&stop);
        layout.run();
        const auto end = std::chrono::steady_clock::now();
        if (list.pageCount() != 1)
            state.SkipWithError("the first page did not arrive");
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_FirstPageAvailable)->Unit(benchmark::kMillisecond)->UseManualTime();

// Peak memory while 1000 pages are generated; the page stream spills to its
// temporary file, so the pages themselves do not stay in memory.
void BM_PeakMemory1000Pages(benchmark::State &state)
{
    accrua::testsupport::ensureGuiApp();
    int pages = 0;
    long before = 0, peak = 0;
    const int rows = rowsForPages(1000);
    for (auto _ : state) {
        SyntheticReport s(rows, kTotalsEvery);
        TRptPageList list;
        before = currentRssKb();
        resetPeakRss();
        pages = ReportGenerator::generate(*s.report, list);
        peak = peakRssKb();
    }
    state.counters["pages"] = pages;
    state.counters["rss_before_MB"] = before / 1024.0;
    state.counters["peak_rss_MB"] = peak / 1024.0;
}
BENCHMARK(BM_PeakMemory1000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
