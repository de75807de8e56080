// The preview window on a 12000-payment amortization report: time from the
// Print Preview command until the first page is painted, the longest wait of
// the user-interface thread between event-loop turns while the engine
// generates the pages, and Next Page at page-width zoom on a report of 300
// pages and more.
//
// Runs offscreen unless a display is named (QT_QPA_PLATFORM or DISPLAY), so
// it can also be measured on a real desktop-sized screen under Xvfb.
#include "banded_fixture.h"

#include "engine/view/pageview.h"
#include "reports/preview/printpreview.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <ctime>

using namespace accrua;
using namespace accrua::reportstest;
namespace eng = accrua::reports::eng;

namespace {

void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_preview";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// 12000 monthly payments, the most a loan may have: a thousand years at a
// small rate, the payment typed.
struct BigLoan {
    Model m;
    BigLoan()
    {
        m.model.appSettings().LoanType = QStringLiteral("BENCHMARK LOAN");
        m.loan("1200010", "0.5", 1000, 0, "503.40");
    }
    std::size_t rows() const { return m.model.ScheduleRows().size(); }
};

BigLoan &bigLoan()
{
    static BigLoan loan;
    return loan;
}

// The dispatcher with the real preview component; Use Defaults on, so no
// loan information question comes between the command and the window.
struct Commands {
    desktop::ScriptedMessageService messages;
    reports::preview::TZtPrintPreview preview{{&messages, nullptr, nullptr}};
    reports::commands::ReportDispatcher dispatcher{services()};

    explicit Commands(const app::MainModel &model)
    {
        preview.Execute(nullptr);
        dispatcher.attach(model, nullptr, [] { return true; });
    }
    reports::commands::ReportServices services()
    {
        reports::commands::ReportServices s;
        s.messages = &messages;
        s.preview = &preview;
        return s;
    }
};

// Notes when the page view first paints a rendered page (not the blank
// sheet it shows while the page is rendered on a worker).
class FirstPaint : public QObject {
public:
    FirstPaint(engine::view::PageView *view, std::function<void()> painted)
        : m_view(view), m_painted(std::move(painted))
    {
        view->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_painted && m_view->pageCount() > 0 &&
            m_view->currentPageReady()) {
            // Let the page be painted first.
            QTimer::singleShot(0, m_view, std::exchange(m_painted, {}));
        }
        return false;
    }

private:
    engine::view::PageView *m_view;
    std::function<void()> m_painted;
};

void BM_FirstPageOnScreen12000(benchmark::State &state)
{
    ensureApp();
    BigLoan &loan = bigLoan();
    if (loan.rows() != 12000) {
        state.SkipWithError(("the loan has " + std::to_string(loan.rows()) + " payments, not 12000").c_str());
        return;
    }
    Commands c(loan.m.model);
    for (auto _ : state) {
        QElapsedTimer timer;
        double ms = -1;
        std::unique_ptr<FirstPaint> watch;
        c.preview.previewInterface()->onShown = [&](reports::preview::TForm_Preview &window) {
            watch = std::make_unique<FirstPaint>(window.RptPreview, [&] {
                ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
                window.close();
            });
        };
        timer.start();
        c.dispatcher.MenuItem_PrintPreviewClick(reports::commands::ReportCommand::PrintPreview);
        watch.reset();
        if (ms < 0) {
            state.SkipWithError("no page was painted");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["rows"] = static_cast<double>(loan.rows());
}
BENCHMARK(BM_FirstPageOnScreen12000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// CPU time of the calling thread: what the thread itself spent, however many
// other processes the machine is running.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The longest time between two turns of the event loop, from the window
// showing until the last page has arrived.
void BM_LongestUiGapWhileGenerating(benchmark::State &state)
{
    ensureApp();
    BigLoan &loan = bigLoan();
    Commands c(loan.m.model);
    double worst = 0;
    double worstCpu = 0; // the user-interface thread's own CPU time in its longest gap
    int over30 = 0;
    double generation = 0;
    int pages = 0;
    for (auto _ : state) {
        double longest = 0;
        QElapsedTimer since;
        QElapsedTimer total;
        double cpuSince = 0;
        QTimer tick;
        tick.setInterval(0);
        c.preview.previewInterface()->onShown = [&](reports::preview::TForm_Preview &window) {
            since.start();
            total.start();
            cpuSince = threadCpuMs();
            QObject::connect(&tick, &QTimer::timeout, &window, [&] {
                const double gap = static_cast<double>(since.nsecsElapsed()) / 1e6;
                const double cpu = threadCpuMs() - cpuSince;
                if (gap > 30)
                    ++over30;
                if (gap > longest) {
                    longest = gap;
                    worstCpu = std::max(worstCpu, cpu);
                }
                since.restart();
                cpuSince = threadCpuMs();
                if (!window.isGenerating()) {
                    generation = static_cast<double>(total.nsecsElapsed()) / 1e6;
                    pages = window.RptPreview->pageCount();
                    tick.stop();
                    window.close();
                }
            });
            tick.start();
        };
        c.dispatcher.MenuItem_PrintPreviewClick(reports::commands::ReportCommand::PrintPreview);
        state.SetIterationTime(longest / 1000.0);
        worst = std::max(worst, longest);
    }
    state.counters["worst_gap_ms"] = worst;
    state.counters["worst_gap_cpu_ms"] = worstCpu;
    state.counters["gaps_over_30ms"] = over30;
    state.counters["all_pages_ms"] = generation;
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LongestUiGapWhileGenerating)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// Until the page view has painted its current page, rendered.
void waitUntilShown(engine::view::PageView &view)
{
    view.viewport()->repaint(); // asks for the page
    while (!view.currentPageReady())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    view.viewport()->repaint();
}

// Next Page, painted, at page-width zoom on a report of 300 pages or more.
void BM_NextPageAtPageWidth(benchmark::State &state)
{
    ensureApp();
    BigLoan &loan = bigLoan();
    reports::banded::TForm_Reports form(loan.m.model.locale(), [] { return QDate(2026, 3, 4); });
    reports::banded::fillAmortization(form, loan.m.model, QStringLiteral("3/4/2026"),
                                      QStringLiteral("BENCHMARK LOAN"));
    eng::TRptPageList pages;
    eng::ReportGenerator::generate(form.BandReport, pages);
    if (pages.pageCount() < 300) {
        state.SkipWithError("the report has fewer than 300 pages");
        return;
    }
    desktop::ScriptedMessageService messages;
    reports::preview::TRptPreviewInterface preview({&messages, nullptr, nullptr}, nullptr);
    reports::preview::TForm_Preview *window = preview.Show({&pages, nullptr, nullptr, QString()});
    if (!QTest::qWaitForWindowExposed(window)) {
        state.SkipWithError("the window was not shown");
        return;
    }
    window->ToolButton_ZoomWidthClick();
    waitUntilShown(*window->RptPreview);
    {
        QElapsedTimer t;
        t.start();
        window->RptPreview->setCurrentPage(5);
        const QImage image = window->RptPreview->currentImage();
        state.counters["render_ms"] = static_cast<double>(t.nsecsElapsed()) / 1e6;
        t.restart();
        window->RptPreview->viewport()->repaint();
        state.counters["paint_cached_ms"] = static_cast<double>(t.nsecsElapsed()) / 1e6;
        window->ToolButton_FirstClick();
    }
    for (auto _ : state) {
        if (window->RptPreview->currentPage() == window->RptPreview->pageCount()) {
            state.PauseTiming();
            window->ToolButton_FirstClick();
            waitUntilShown(*window->RptPreview);
            state.ResumeTiming();
        }
        if (state.range(0) > 0) {
            // The user reads the page before turning it.
            state.PauseTiming();
            QTest::qWait(static_cast<int>(state.range(0)));
            state.ResumeTiming();
        }
        window->ToolButton_NextClick();
        waitUntilShown(*window->RptPreview);
    }
    state.counters["pages"] = pages.pageCount();
    state.counters["zoom"] = window->RptPreview->zoom();
    state.counters["view_width"] = window->RptPreview->viewport()->width();
    window->close();
}
// Argument: milliseconds between a page shown and the next press (0: back
// to back, every page rendered while waited for; 150: the next page has
// been rendered ahead meanwhile).
BENCHMARK(BM_NextPageAtPageWidth)->Unit(benchmark::kMillisecond)->Iterations(299)->Arg(0)->Arg(150);

} // namespace
