// Generation: runs a report's layout, records its pages and adds them to a
// page list. Print and save generate on the calling thread (generate()); the
// preview generates on a worker thread (start()), and the generator, which
// lives in the user-interface thread, announces each new page and the
// progress through queued signals emitted on its own thread.
#pragma once

#include "engine/layout/report.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace accrua::engine::pagefile {
class TRptPageList;
}

namespace accrua::engine::layout {

// A handler or the page list failed while the report was generated.
class GenerationError : public std::runtime_error {
public:
    explicit GenerationError(const QString &message);
    QString message() const;
};

class ReportGenerator : public QObject {
    Q_OBJECT
public:
    explicit ReportGenerator(QObject *parent = nullptr);
    // Cancels a running generation and waits for the worker.
    ~ReportGenerator() override;

    // On the calling thread: a fresh report in pages, finished. Returns the
    // page count. A failure of a handler or of the page list is rethrown as
    // GenerationError carrying its text.
    static int generate(Report &report, pagefile::TRptPageList &pages);
    // The same without a page list: each finished page is handed to onPage
    // as soon as it is made and kept nowhere, for output that needs each
    // page once, in order.
    static int generateEach(Report &report,
                            const std::function<void(const QByteArray &metafile, int pageNumber)> &onPage);

    // On a worker thread. report and pages must stay alive until the
    // generation has ended (finished or failed was emitted) or cancel() has
    // returned. A generation still running is cancelled first.
    void start(Report &report, pagefile::TRptPageList &pages);
    // Stops the worker promptly and waits for it; no signal of that run is
    // emitted afterwards. Pages already added stay in the list, unfinished.
    void cancel();
    // The preview closed: cancels, then runs the report's after-preview event.
    void closePreview();

    bool isRunning() const { return m_running; }
    bool hasFinished() const { return m_finished; }
    QString errorString() const { return m_error; }
    int pageCount() const { return m_pages; }

Q_SIGNALS:
    void pageAvailable(int pageCount);
    // 0 when generation starts, 100 when it has finished.
    void progressUpdate(int percent);
    void finished(int pageCount);
    void failed(const QString &message);

protected:
    bool event(QEvent *event) override;

private:
    class Notice;
    void join();

    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    Report *m_report = nullptr;
    quint64 m_run = 0; // tags queued notifications so stale ones are dropped
    bool m_running = false;
    bool m_finished = false;
    int m_pages = 0;
    QString m_error;
};

} // namespace accrua::engine::layout
