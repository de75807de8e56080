// The banded reports: a 12000-payment amortization report generated whole on
// the calling thread (budget 1.5 s) and on the engine's worker thread as a
// preview generates it (time to the first page, and the longest gap between
// two turns of the event loop meanwhile); then accrua-cli writing a 30-year
// loan's PDF as a whole process against LibreOffice Calc, run headless,
// turning the same 360 rows (as CSV) into a PDF, measured in pairs, with the
// peak resident memory of each process. Calc is looked for as "soffice" on
// the PATH; without it that benchmark is skipped.
#include "app/mainmodel.h"
#include "desktop/messages.h"
#include "reports/banded/reportinputs.h"
#include "reports/banded/reportoutput.h"
#include "reports/banded/reportsform.h"
#include "support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

extern char **environ;

namespace {

using namespace accrua;

// A model holding a 1000-year amortization: 12000 payments (the term kept
// when the program offers the shorter one that repays the loan).
struct LongLoan {
    desktop::ScriptedMessageService messages;
    app::MainModel model{testsupport::usDollars(), messages};
    LongLoan()
    {
        messages.setDefaultAnswer([](const desktop::ScriptedMessageService::Shown &shown) -> unsigned short {
            return shown.buttons.testFlag(desktop::MessageButton::No) ? desktop::mrNo : desktop::mrOk;
        });
        model.resetAmountFields();
        model.appSettings().ImagePath.clear();
        model.selectMode(app::Mode::Amortization);
        for (auto [f, v] : {std::pair{app::Field::Principal, "200000"},
                            {app::Field::Interest, "0.1"},
                            {app::Field::Payment, "26.42"},
                            {app::Field::Years, "1000"},
                            {app::Field::Months, "0"}}) {
            model.typeText(f, QLatin1String(v));
            model.leaveField(f);
        }
        model.calculate();
    }
};

LongLoan &longLoan()
{
    static LongLoan loan;
    return loan;
}

std::unique_ptr<reports::banded::TForm_Reports> filledForm()
{
    auto form = std::make_unique<reports::banded::TForm_Reports>(testsupport::usDollars(),
                                                                 [] { return QDate(2026, 1, 31); });
    reports::banded::fillAmortization(*form, longLoan().model, QStringLiteral("1/31/2026"),
                                      QStringLiteral("HOME LOAN"));
    return form;
}

void BM_Report12000PaymentsWhole(benchmark::State &state)
{
    testsupport::ensureGuiApp();
    if (longLoan().model.ScheduleRows().size() != 12000) {
        state.SkipWithError("the loan did not give 12000 payments");
        return;
    }
    int pages = 0;
    for (auto _ : state) {
        auto form = filledForm();
        pages = reports::banded::generatePages(form->BandReport)->pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Report12000PaymentsWhole)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// As a preview runs it: the worker generates while this thread turns its
// event loop; the first page's arrival and the longest pause between turns.
void BM_Report12000PaymentsOnWorker(benchmark::State &state)
{
    testsupport::ensureGuiApp();
    if (longLoan().model.ScheduleRows().size() != 12000) {
        state.SkipWithError("the loan did not give 12000 payments");
        return;
    }
    double firstPageMs = 0, longestGapMs = 0;
    for (auto _ : state) {
        auto form = filledForm();
        reports::eng::TRptPageList pages;
        reports::eng::ReportGenerator generator;
        QEventLoop loop;
        QElapsedTimer clock;
        double first = -1, gap = 0;
        qint64 lastTurn = 0;
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            const qint64 now = clock.nsecsElapsed();
            gap = std::max(gap, static_cast<double>(now - lastTurn) / 1e6);
            lastTurn = now;
        });
        QObject::connect(&generator, &reports::eng::ReportGenerator::pageAvailable, &loop, [&](int) {
            if (first < 0)
                first = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        });
        QObject::connect(&generator, &reports::eng::ReportGenerator::finished, &loop, &QEventLoop::quit);
        QObject::connect(&generator, &reports::eng::ReportGenerator::failed, &loop, &QEventLoop::quit);
        clock.start();
        tick.start();
        generator.start(form->BandReport, pages);
        loop.exec();
        tick.stop();
        firstPageMs = std::max(firstPageMs, first);
        longestGapMs = std::max(longestGapMs, gap);
    }
    state.counters["first_page_ms"] = firstPageMs;
    state.counters["longest_gap_ms"] = longestGapMs;
}
BENCHMARK(BM_Report12000PaymentsOnWorker)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

struct ProcessRun {
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0; // user + system, its waited-for children included
    double peakMb = 0;
};

// Runs a program to its end with output discarded: wall time and the peak
// resident memory the kernel reports for it (its waited-for children included).
ProcessRun runProcess(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ProcessRun run;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
            const auto secs = [](const timeval &t) {
                return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
            };
            run.cpuSeconds = secs(usage.ru_utime) + secs(usage.ru_stime);
            run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void BM_CliPdfAgainstCalcInPairs(benchmark::State &state)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        state.SkipWithError("LibreOffice Calc (soffice) is not installed");
        return;
    }
    QTemporaryDir dir;
    const std::string out = dir.path().toStdString();
    const std::vector<std::string> loan = {ACCRUA_CLI_PATH, "payment", "--principal", "200000", "--rate", "6",
                                           "--years",       "30",      "--months",    "0"};
    std::vector<std::string> csv = loan;
    csv.insert(csv.end(), {"--csv", out + "/rows.csv"});
    std::vector<std::string> cli = loan;
    cli.insert(cli.end(), {"--pdf", out + "/OUT.pdf"});
    const std::vector<std::string> calc = {soffice.toStdString(),
                                           "-env:UserInstallation=file://" + out + "/profile",
                                           "--headless",
                                           "--convert-to",
                                           "pdf",
                                           "--outdir",
                                           out + "/calc",
                                           out + "/rows.csv"};
    // The CSV to convert, and Calc's profile made before anything is timed.
    if (!runProcess(csv).ok || !runProcess(calc).ok) {
        state.SkipWithError("cannot prepare the comparison");
        return;
    }
    std::vector<double> cliSeconds, calcSeconds, cliCpu, calcCpu;
    double cliPeak = 0, calcPeak = 0;
    for (auto _ : state) {
        const ProcessRun a = runProcess(cli);
        const ProcessRun b = runProcess(calc);
        if (!a.ok || !b.ok) {
            state.SkipWithError("a run failed");
            return;
        }
        cliSeconds.push_back(a.seconds);
        calcSeconds.push_back(b.seconds);
        cliCpu.push_back(a.cpuSeconds);
        calcCpu.push_back(b.cpuSeconds);
        cliPeak = std::max(cliPeak, a.peakMb);
        calcPeak = std::max(calcPeak, b.peakMb);
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.counters["cli_ms"] = median(cliSeconds) * 1000;
    state.counters["calc_ms"] = median(calcSeconds) * 1000;
    state.counters["calc_over_cli"] = median(calcSeconds) / median(cliSeconds);
    // The processor time of each, which other load on the machine disturbs less.
    state.counters["cli_cpu_ms"] = median(cliCpu) * 1000;
    state.counters["calc_cpu_ms"] = median(calcCpu) * 1000;
    state.counters["cli_peak_mb"] = cliPeak;
    state.counters["calc_peak_mb"] = calcPeak;
}
BENCHMARK(BM_CliPdfAgainstCalcInPairs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(7);

} // namespace
