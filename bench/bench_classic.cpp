// The classic amortization report of a 12000-payment schedule: building its
// lines, filling the classic window's text control, writing it as rich text
// and reading it back.
#include "reports/classic/classicpreview.h"
#include "reports/classic/classicreport.h"
#include "reports/classic/rtf.h"
#include "support.h"

#include <QApplication>
#include <QBuffer>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

using namespace accrua;
using namespace accrua::reports::classic;

namespace {

// A model holding a calculated 1000-year loan (12000 payments), made once.
const app::MainModel &longLoan()
{
    static desktop::ScriptedMessageService messages;
    static app::MainModel *model = [] {
        auto *m = new app::MainModel(testsupport::usDollars(), messages);
        m->resetAmountFields();
        for (auto [field, text] : {std::pair{app::Field::Principal, "250000"},
                                   {app::Field::Interest, "0.2"},
                                   {app::Field::Years, "1000"},
                                   {app::Field::Months, "0"}}) {
            m->typeText(field, QString::fromLatin1(text));
            m->leaveField(field);
        }
        m->calculate();
        return m;
    }();
    return *model;
}

const LoanInformation kLoan{QStringLiteral("1/15/2004"), QDate(2004, 1, 15), QStringLiteral("HOME LOAN")};

ClassicLines report()
{
    return buildClassicReportOf(longLoan(), app::Mode::PaymentAmount, false, kLoan);
}

void BM_BuildAmortization12000(benchmark::State &state)
{
    if (longLoan().ScheduleRows().size() != 12000)
        state.SkipWithError("the schedule does not have 12000 rows");
    for (auto _ : state)
        benchmark::DoNotOptimize(report());
    state.counters["lines"] = double(report().size());
}
BENCHMARK(BM_BuildAmortization12000)->Unit(benchmark::kMillisecond);

// Lines into the window's text control until the window has painted.
void BM_FillWindow12000(benchmark::State &state)
{
    testsupport::ensureWidgetsApp();
    const ClassicLines lines = report();
    desktop::ScriptedMessageService messages;
    QtClassicDialogs dialogs;
    TForm_OldPreview window(messages, dialogs);
    window.show();
    for (auto _ : state) {
        window.setLines({});
        QApplication::processEvents();
        window.setLines(lines);
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["blocks"] = window.RichEdit_Preview->document()->blockCount();
}
BENCHMARK(BM_FillWindow12000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WriteRtf12000(benchmark::State &state)
{
    const ClassicLines lines = report();
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        RtfFormat format;
        if (!format.write(buffer, lines))
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = double(RtfFormat::toRtf(lines).size());
}
BENCHMARK(BM_WriteRtf12000)->Unit(benchmark::kMillisecond);

void BM_ReadRtf12000(benchmark::State &state)
{
    const ClassicLines lines = report();
    const QByteArray bytes = RtfFormat::toRtf(lines);
    for (auto _ : state) {
        RtfFormat format;
        ClassicLines read;
        if (!format.readData(bytes, read) || read.size() != lines.size())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.data());
    }
}
BENCHMARK(BM_ReadRtf12000)->Unit(benchmark::kMillisecond);

} // namespace
