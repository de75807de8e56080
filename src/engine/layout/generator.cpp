#include "engine/layout/generator.h"

#include "engine/layout/layout.h"
#include "engine/layout/pagerecorder.h"
#include "engine/pagefile/pagelist.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <exception>

namespace accrua::engine::layout {

GenerationError::GenerationError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString GenerationError::message() const
{
    return QString::fromUtf8(what());
}

namespace {

// Adds each finished page to the list and finishes the list before the
// report's after-print event runs.
class ListRecorder : public PageRecorder {
public:
    ListRecorder(const Report &report, pagefile::TRptPageList &pages, std::function<void(int)> onPage)
        : PageRecorder(report,
                       [&pages, onPage = std::move(onPage)](const QByteArray &metafile, int n) {
                           pages.AddPage(metafile);
                           if (onPage)
                               onPage(n);
                       }),
          m_pages(pages)
    {
    }
    void finishReport() override { m_pages.Finish(); }

private:
    pagefile::TRptPageList &m_pages;
};

bool runInto(Report &report, pagefile::TRptPageList &pages, const std::atomic<bool> *cancel,
             std::function<void(int)> onPage, std::function<void(int)> onRow)
{
    pages.beginReport(false);
    ListRecorder recorder(report, pages, std::move(onPage));
    ReportLayout layout(report, recorder);
    layout.setCancelFlag(cancel);
    layout.setRowObserver(std::move(onRow));
    return layout.run();
}

QString describe(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        return text.isEmpty() ? QStringLiteral("The report could not be generated.") : text;
    } catch (...) {
        return QStringLiteral("The report could not be generated (unknown error).");
    }
}

} // namespace

// One notification from the worker, delivered through the event queue.
class ReportGenerator::Notice : public QEvent {
public:
    enum What { Page, Progress, Finished, Failed };
    Notice(quint64 runId, What kind, int amount, QString text)
        : QEvent(type()), run(runId), what(kind), value(amount), message(std::move(text))
    {
    }
    static QEvent::Type type()
    {
        static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
        return t;
    }
    const quint64 run;
    const What what;
    const int value;
    const QString message;
};

ReportGenerator::ReportGenerator(QObject *parent) : QObject(parent) {}

ReportGenerator::~ReportGenerator()
{
    cancel();
}

int ReportGenerator::generate(Report &report, pagefile::TRptPageList &pages)
{
    int count = 0;
    try {
        runInto(report, pages, nullptr, [&count](int n) { count = n; }, {});
    } catch (...) {
        throw GenerationError(describe(std::current_exception()));
    }
    return count;
}

int ReportGenerator::generateEach(
    Report &report, const std::function<void(const QByteArray &metafile, int pageNumber)> &onPage)
{
    int count = 0;
    try {
        PageRecorder recorder(report, [&](const QByteArray &metafile, int n) {
            onPage(metafile, n);
            count = n;
        });
        ReportLayout layout(report, recorder);
        layout.run();
    } catch (...) {
        throw GenerationError(describe(std::current_exception()));
    }
    return count;
}

void ReportGenerator::start(Report &report, pagefile::TRptPageList &pages)
{
    cancel();
    const quint64 run = ++m_run;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_report = &report;
    m_running = true;
    m_finished = false;
    m_pages = 0;
    m_error.clear();
    Q_EMIT progressUpdate(0);

    m_worker = std::thread([this, run, flag = m_cancel, &report, &pages] {
        // Everything the worker tells the generator goes through its event
        // queue, so signals are emitted on the generator's own thread.
        auto post = [this, run](Notice::What what, int value, const QString &message = {}) {
            QCoreApplication::postEvent(this, new Notice(run, what, value, message));
        };
        int lastPercent = 0;
        auto onPage = [&](int n) { post(Notice::Page, n); };
        auto onRow = [&](int rows) {
            const int expected = report.expectedRows;
            if (expected <= 0)
                return;
            const int percent = static_cast<int>(std::clamp<long long>(100LL * rows / expected, 0, 99));
            if (percent == lastPercent)
                return;
            lastPercent = percent;
            post(Notice::Progress, percent);
        };
        try {
            if (runInto(report, pages, flag.get(), onPage, onRow))
                post(Notice::Finished, 0);
        } catch (...) {
            post(Notice::Failed, 0, describe(std::current_exception()));
        }
    });
}

bool ReportGenerator::event(QEvent *event)
{
    if (event->type() != Notice::type())
        return QObject::event(event);
    const auto *notice = static_cast<const Notice *>(event);
    if (notice->run != m_run)
        return true; // from a run that was cancelled
    switch (notice->what) {
    case Notice::Page:
        m_pages = notice->value;
        Q_EMIT pageAvailable(notice->value);
        break;
    case Notice::Progress:
        Q_EMIT progressUpdate(notice->value);
        break;
    case Notice::Finished:
        join();
        m_running = false;
        m_finished = true;
        Q_EMIT progressUpdate(100);
        Q_EMIT finished(m_pages);
        break;
    case Notice::Failed:
        join();
        m_running = false;
        m_error = notice->message;
        Q_EMIT progressUpdate(100);
        Q_EMIT failed(notice->message);
        break;
    }
    return true;
}

void ReportGenerator::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void ReportGenerator::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
    join();
    // Whatever that run still had queued is now stale.
    ++m_run;
    m_running = false;
}

void ReportGenerator::closePreview()
{
    cancel();
    Report *report = m_report;
    m_report = nullptr;
    // A copy, since the handler may release the report that holds it.
    if (report && report->afterPreview) {
        const auto handler = report->afterPreview;
        handler();
    }
}

} // namespace accrua::engine::layout
