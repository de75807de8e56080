// Page file throughput: the splay-tree body code both ways, random page reads
// of a 1000-page report, and adding 1000 pages with memory bounded by the spill.
#include "engine/pagefile/pagelist.h"
#include "engine/pagefile/rptcompress.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/resource.h>

using namespace accrua::engine::pagefile;

namespace {

void putU32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian<quint32>(v, b);
    out.append(b, 4);
}

// A metafile shaped like a schedule page: header, then text-like comment
// records (50 lines of six labels), then end of file.
QByteArray schedulePage(int page, int lines = 50)
{
    QByteArray records;
    for (int line = 0; line < lines; ++line) {
        for (int label = 0; label < 6; ++label) {
            const QByteArray text = QByteArray::number(page * 1000 + line * 10 + label) + " 12,345.67";
            QByteArray wide;
            for (char c : text) {
                wide.append(c);
                wide.append('\0');
            }
            wide.append(QByteArray((4 - wide.size() % 4) % 4, '\0'));
            putU32(records, 70);
            putU32(records, static_cast<quint32>(12 + 64 + wide.size()));
            putU32(records, static_cast<quint32>(64 + wide.size()));
            QByteArray fixed(64, '\0');
            qToLittleEndian<quint32>(static_cast<quint32>(label * 120), fixed.data());
            qToLittleEndian<quint32>(static_cast<quint32>(100 + line * 17), fixed.data() + 4);
            records += fixed + wide;
        }
    }
    const quint32 total = static_cast<quint32>(108 + records.size() + 20);
    QByteArray h;
    for (quint32 v :
         {1u, 108u, 0u, 0u, 815u, 1055u, 0u,   0u,   21590u, 27940u, 0x464D4520u, 0x10000u, total,  2u + 300u,
          1u, 0u,   0u, 0u, 816u, 1056u, 216u, 279u, 0u,     0u,     0u,          215900u,  279400u})
        putU32(h, v);
    QByteArray out = h + records;
    for (quint32 v : {14u, 20u, 0u, 16u, 20u})
        putU32(out, v);
    return out;
}

QByteArray codingInput(bool random)
{
    if (!random) {
        QByteArray data;
        for (int p = 1; data.size() < (1 << 20); ++p)
            data += schedulePage(p);
        return data.left(1 << 20);
    }
    QRandomGenerator rng(5);
    QByteArray data(1 << 20, Qt::Uninitialized);
    for (char &c : data)
        c = static_cast<char>(rng.bounded(256));
    return data;
}

void BM_AddPage1000(benchmark::State &state)
{
    const QByteArray page = schedulePage(1);
    qint64 peakMemory = 0;
    for (auto _ : state) {
        TRptPageList list;
        list.beginReport();
        for (int n = 0; n < 1000; ++n) {
            list.AddPage(page);
            peakMemory = qMax(peakMemory, list.memoryBytes());
        }
        list.Finish();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["stream_memory_peak_bytes"] = static_cast<double>(peakMemory);
    state.counters["process_peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["page_bytes"] = static_cast<double>(page.size());
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_AddPage1000)->Unit(benchmark::kMillisecond);

void BM_SplayCode(benchmark::State &state)
{
    const QByteArray data = codingInput(state.range(0) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(TRptCompress::codeAll(data));
    state.SetBytesProcessed(state.iterations() * data.size());
    state.SetLabel(state.range(0) ? "random bytes" : "schedule pages");
}
BENCHMARK(BM_SplayCode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SplayDecode(benchmark::State &state)
{
    const QByteArray data = codingInput(state.range(0) != 0);
    const QByteArray coded = TRptCompress::codeAll(data);
    for (auto _ : state)
        benchmark::DoNotOptimize(TRptCompress::decodeAll(coded.constData(), coded.size(), data.size()));
    state.SetBytesProcessed(state.iterations() * data.size());
    state.counters["coded_ratio"] = static_cast<double>(coded.size()) / data.size();
    state.SetLabel(state.range(0) ? "random bytes" : "schedule pages");
}
BENCHMARK(BM_SplayDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Random pages of a 1000-page report: arg 0 selects where the stream lives
// (0 the spilled temporary file, 1 an opened file), arg 1 the lines per page.
void BM_GetPageRandom(benchmark::State &state)
{
    const int lines = static_cast<int>(state.range(1));
    TRptPageList list;
    list.beginReport();
    for (int n = 1; n <= 1000; ++n)
        list.AddPage(schedulePage(n, lines));
    list.Finish();
    QTemporaryDir dir;
    if (state.range(0) == 1) {
        const QString name = dir.filePath(QStringLiteral("bench.arp"));
        list.SaveToFile(name);
        list.LoadFromFile(name);
    }
    QRandomGenerator rng(9);
    qint64 bytes = 0;
    for (auto _ : state) {
        const auto page = list.GetPage(1 + static_cast<int>(rng.bounded(1000)));
        bytes += page->size();
        benchmark::DoNotOptimize(page);
    }
    state.SetBytesProcessed(bytes);
    state.SetLabel(state.range(0) ? "opened file" : "spilled stream");
}
BENCHMARK(BM_GetPageRandom)->Args({0, 50})->Args({1, 50})->Args({1, 1})->Unit(benchmark::kMicrosecond);

// The longest walks: alternately page 2 and page 999 (the first and last
// pages have direct offsets), each found by walking from the other.
void BM_GetPageFarthest(benchmark::State &state)
{
    TRptPageList list;
    list.beginReport();
    for (int n = 1; n <= 1000; ++n)
        list.AddPage(schedulePage(n, 1));
    list.Finish();
    bool far = false;
    for (auto _ : state) {
        far = !far;
        benchmark::DoNotOptimize(list.GetPage(far ? 999 : 2));
    }
}
BENCHMARK(BM_GetPageFarthest)->Unit(benchmark::kMicrosecond);

} // namespace
