// The page view (paging, zoom, scrolling, wheel, forwarded notifications)
// and printing, checked through PDF output read back with pdfinfo/pdftotext.
#include "engine/emf/pagesize.h"
#include "engine/layout/generator.h"
#include "engine/layout/layout.h"
#include "engine/pagefile/pagelist.h"
#include "engine/view/pageview.h"
#include "engine/view/printing.h"
#include "layout_support.h"
#include "support.h"

#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

using namespace accrua::engine::layout;
using namespace accrua::engine::view;
using namespace accrua::engine::emf;
using namespace accrua::engine::pagefile;
using accrua::engine::layout::testing::SyntheticReport;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &file)
{
    const QString info = run(QStringLiteral("pdfinfo"), {file});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Text of each page, split on the form feeds pdftotext puts between pages.
QStringList pdfTexts(const QString &file)
{
    QStringList pages =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")})
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

void sendWheel(QWidget *w, int delta)
{
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent event(pos, w->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

int plannedPages(int rows)
{
    SyntheticReport s(rows);
    PagePlan plan;
    ReportLayout(*s.report, plan).run();
    return static_cast<int>(plan.pages.size());
}

} // namespace

class ViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pagingIsClamped();
    void zoomAndScrolling();
    void wheelIsForwardedOrScrolls();
    void pagesAreCachedPerZoom();
    void paintingRendersOnAWorker();
    void damagedPagesDoNotBreakTheView();
    void followsGenerationOnWorker();
    void printsToPdf_data();
    void printsToPdf();
    void printErrors();
    void printReportRunsAfterPrint();

private:
    TRptPageList m_pages;
    PagePlan m_plan;
    int m_count = 0;
    QTemporaryDir m_dir;
};

void ViewTest::initTestCase()
{
    SyntheticReport s(200);
    m_count = ReportGenerator::generate(*s.report, m_pages);
    QVERIFY(m_count >= 4);
    SyntheticReport again(200);
    ReportLayout(*again.report, m_plan).run();
    QCOMPARE(static_cast<int>(m_plan.pages.size()), m_count);
    QVERIFY(m_dir.isValid());
}

void ViewTest::pagingIsClamped()
{
    PageView view;
    QCOMPARE(view.pageCount(), 0);
    QCOMPARE(view.currentPage(), 1);
    QVERIFY(view.currentImage().isNull());
    view.setPageList(&m_pages);
    QCOMPARE(view.pageCount(), m_count);
    QSignalSpy changed(&view, &PageView::currentPageChanged);
    view.setCurrentPage(3);
    QCOMPARE(view.currentPage(), 3);
    view.setCurrentPage(m_count + 5);
    QCOMPARE(view.currentPage(), m_count);
    view.setCurrentPage(0);
    QCOMPARE(view.currentPage(), 1);
    view.setCurrentPage(1);
    QCOMPARE(changed.count(), 3);
    view.setPageList(nullptr);
    QCOMPARE(view.pageCount(), 0);
    QCOMPARE(view.currentPage(), 1);
}

void ViewTest::zoomAndScrolling()
{
    PageView view;
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setPageList(&m_pages);
    QCOMPARE(view.zoom(), 100);
    view.setZoom(5);
    QCOMPARE(view.zoom(), PageView::kMinZoom);
    view.setZoom(1000);
    QCOMPARE(view.zoom(), PageView::kMaxZoom);

    view.setZoom(100);
    const QSize vp = view.viewport()->size();
    QCOMPARE(view.vScrollRange(), 1056 + 2 * PageView::kMargin - vp.height());
    QCOMPARE(view.hScrollRange(), 816 + 2 * PageView::kMargin - vp.width());
    view.setVScrollPosition(123);
    QCOMPARE(view.vScrollPosition(), 123);
    view.setVScrollPosition(1 << 20);
    QCOMPARE(view.vScrollPosition(), view.vScrollRange());
    view.setHScrollPosition(-5);
    QCOMPARE(view.hScrollPosition(), 0);
    QVERIFY(view.verticalScrollBar()->hasTracking());

    view.zoomToWidth();
    QTest::qWait(1);
    const int width = view.viewport()->width();
    const int pageWidth = qRound(816 * view.zoom() / 100.0);
    QVERIFY2(pageWidth + 2 * PageView::kMargin <= width, "page wider than the view at zoom to width");
    QVERIFY2(qRound(816 * (view.zoom() + 1) / 100.0) + 2 * PageView::kMargin > width - 20,
             "zoom to width leaves the page too narrow");
    QCOMPARE(view.hScrollRange(), 0);

    view.zoomToFit();
    const int pageHeight = qRound(1056 * view.zoom() / 100.0);
    QVERIFY(pageHeight + 2 * PageView::kMargin <= view.viewport()->height());
    QVERIFY(qRound(816 * view.zoom() / 100.0) + 2 * PageView::kMargin <= view.viewport()->width());
    QCOMPARE(view.vScrollRange(), 0);
}

void ViewTest::wheelIsForwardedOrScrolls()
{
    PageView view;
    view.resize(600, 400);
    view.setPageList(&m_pages);
    view.setVScrollPosition(100);
    sendWheel(view.viewport(), -120);
    QCOMPARE(view.vScrollPosition(), 132);
    sendWheel(view.viewport(), 120);
    QCOMPARE(view.vScrollPosition(), 100);

    QSignalSpy wheel(&view, &PageView::mouseWheel);
    sendWheel(view.viewport(), 120);
    QCOMPARE(wheel.count(), 1);
    QCOMPARE(wheel.at(0).at(0).toInt(), 120);
    QCOMPARE(view.vScrollPosition(), 100); // left to the listener
}

void ViewTest::pagesAreCachedPerZoom()
{
    PageView view;
    view.setPageList(&m_pages);
    view.setCurrentPage(2);
    const QImage first = view.currentImage();
    QVERIFY(!first.isNull());
    QCOMPARE(first.size(), QSize(816, 1056) * first.devicePixelRatio());
    QCOMPARE(view.currentImage().cacheKey(), first.cacheKey());
    QVERIFY(view.lastError().isEmpty());

    view.setZoom(50);
    const QImage half = view.currentImage();
    QCOMPARE(half.size(), QSize(408, 528) * half.devicePixelRatio());
    view.setZoom(100);
    QCOMPARE(view.currentImage().cacheKey(), first.cacheKey());
    // The page is drawn: something darker than paper in the title area.
    bool ink = false;
    for (int y = 48; y < 48 + 93 && !ink; ++y)
        for (int x = 48; x < 48 + 720 && !ink; ++x)
            ink = qGray(first.pixel(x, y)) < 128;
    QVERIFY(ink);
}

void ViewTest::paintingRendersOnAWorker()
{
    PageView view;
    view.resize(700, 500);
    view.setPageList(&m_pages);
    view.setCurrentPage(2);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.viewport()->repaint();
    QVERIFY(!view.currentPageReady()); // a blank sheet while the worker renders
    // Paging on before the first page is done: the page shown then follows.
    view.setCurrentPage(3);
    view.viewport()->repaint();
    QTRY_VERIFY(view.currentPageReady());
    PageView direct;
    direct.resize(700, 500);
    direct.setPageList(&m_pages);
    direct.setCurrentPage(3);
    QCOMPARE(view.currentImage(), direct.currentImage());
    // The next page is rendered ahead, unasked.
    auto nextReady = [&view] {
        view.setCurrentPage(4);
        const bool ready = view.currentPageReady();
        view.setCurrentPage(3);
        return ready;
    };
    QTRY_VERIFY(nextReady());
    view.setCurrentPage(2);
    QVERIFY(view.currentPageReady()); // kept from the first request
    QVERIFY(view.lastError().isEmpty());
}

void ViewTest::damagedPagesDoNotBreakTheView()
{
    const QByteArray good = *m_pages.GetPage(1);
    // A frame of some 20 km a side (rclFrame right and bottom, 0.01 mm).
    QByteArray huge = good;
    const qint32 big = 2000000000;
    memcpy(huge.data() + 32, &big, 4);
    memcpy(huge.data() + 36, &big, 4);
    QCOMPARE(pageSizeOf(huge), QSizeF(816, 1056));
    QCOMPARE(pageSizeOf(QByteArray("not a metafile")), QSizeF(816, 1056));
    // The second record claims a size that is not a multiple of 4.
    QByteArray broken = good;
    quint32 headerSize = 0;
    memcpy(&headerSize, broken.constData() + 4, 4);
    QVERIFY(headerSize + 8 <= quint32(broken.size()));
    const quint32 bad = 6;
    memcpy(broken.data() + headerSize + 4, &bad, 4);

    TRptPageList pages;
    pages.beginReport();
    pages.AddPage(huge);
    pages.AddPage(broken);
    pages.Finish();
    PageView view;
    view.setPageList(&pages);
    view.setZoom(PageView::kMaxZoom);
    QImage image = view.currentImage();
    QVERIFY(!image.isNull());
    QCOMPARE(view.pageSize(), QSizeF(816, 1056));
    view.setCurrentPage(2);
    image = view.currentImage();
    QVERIFY(!image.isNull());
    QVERIFY(!view.lastError().isEmpty());
    QVERIFY(qint64(image.width()) * image.height() <= 24LL * 1024 * 1024);

    PagePrinter printer;
    QVERIFY_THROWS_EXCEPTION(PrintError,
                             printer.printToPdf(pages, m_dir.filePath(QStringLiteral("bad.pdf"))));
}

void ViewTest::followsGenerationOnWorker()
{
    SyntheticReport s(400);
    TRptPageList pages;
    ReportGenerator generator;
    PageView view;
    view.setPageList(&pages);
    view.attachGenerator(&generator);
    QSignalSpy available(&view, &PageView::pageAvailable);
    QSignalSpy progress(&view, &PageView::progressUpdate);
    QSignalSpy done(&generator, &ReportGenerator::finished);
    generator.start(*s.report, pages);
    QVERIFY(done.wait(20000));
    QCOMPARE(available.count(), pages.pageCount());
    QCOMPARE(available.last().at(0).toInt(), pages.pageCount());
    QCOMPARE(view.pageCount(), pages.pageCount());
    QCOMPARE(progress.first().at(0).toInt(), 0);
    QCOMPARE(progress.last().at(0).toInt(), 100);
    view.setCurrentPage(view.pageCount());
    QVERIFY(!view.currentImage().isNull());
}

void ViewTest::printsToPdf_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("all pages") << 1 << 0;
    QTest::newRow("pages 2 to 3") << 2 << 3;
    QTest::newRow("range past the end") << 3 << 999;
}

void ViewTest::printsToPdf()
{
    QFETCH(int, first);
    QFETCH(int, last);
    if (!havePoppler())
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed");
    const QString file = m_dir.filePath(QStringLiteral("out-%1-%2.pdf").arg(first).arg(last));
    PagePrinter printer;
    printer.documentName = QStringLiteral("Synthetic schedule");
    printer.printToPdf(m_pages, file, first, last);

    const int to = (last == 0 || last > m_count) ? m_count : last;
    QCOMPARE(pdfPages(file), to - first + 1);
    const QStringList texts = pdfTexts(file);
    QCOMPARE(texts.size(), to - first + 1);
    for (int i = 0; i < texts.size(); ++i) {
        const int n = first + i;
        const QString &text = texts.at(i);
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Page\\s+%1\\b").arg(n))),
                 qPrintable(QStringLiteral("page %1 lacks its number:\n").arg(n) + text));
        QCOMPARE(text.contains(QLatin1String("Amortization Schedule")), n == 1);
        QVERIFY2(text.contains(QLatin1String("PAYMENT AMOUNT")), qPrintable(text));
        // Rows and totals appear on the pages the layout put them on.
        const auto &planned = m_plan.pages.at(static_cast<size_t>(n - 1));
        auto has = [&](const char *band) {
            return std::any_of(planned.begin(), planned.end(),
                               [&](const PlacedBand &b) { return b.band == QLatin1String(band); });
        };
        QCOMPARE(text.contains(QLatin1String("1,234.56")), has("RptSubDetail_Details"));
        QCOMPARE(text.contains(QLatin1String("YEARLY TOTALS")), has("RptSubDetail_Totals"));
    }
}

void ViewTest::printErrors()
{
    PagePrinter printer;
    TRptPageList empty;
    empty.beginReport();
    empty.Finish();
    QVERIFY_THROWS_EXCEPTION(PrintError, printer.printToPdf(empty, m_dir.filePath(QStringLiteral("e.pdf"))));
    QVERIFY_THROWS_EXCEPTION(PrintError,
                             printer.printToPdf(m_pages, QStringLiteral("/nonexistent-dir/x/out.pdf")));

    // Chosen from a list of its own, not from the machine's printers.
    const QStringList names{QStringLiteral("Office"), QStringLiteral("Laser \u2603")};
    PagePrinter listed([names] { return names; });
    QVERIFY(!listed.selectPrinter(QStringLiteral("No Such Printer")));
    QVERIFY(!listed.selectPrinter(2));
    QVERIFY(!listed.selectPrinter(-2));
    QCOMPARE(listed.printerIndex(), -1);
    QVERIFY(listed.selectPrinter(names.last()));
    QCOMPARE(listed.printerIndex(), 1);
    QCOMPARE(listed.printerName(), names.last());
    QVERIFY(listed.selectPrinter(0));
    QCOMPARE(listed.printerName(), names.first());
}

void ViewTest::printReportRunsAfterPrint()
{
    if (!havePoppler())
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed");
    enum Outcome { Printed, PrinterFails, HandlerFails };
    for (Outcome outcome : {Printed, PrinterFails, HandlerFails}) {
        // The report form releases itself in its after-print handler.
        auto s = std::make_unique<SyntheticReport>(150);
        int calls = 0;
        s->report->afterPrint = [&] {
            ++calls;
            s.reset();
        };
        if (outcome == HandlerFails)
            s->report->band(QStringLiteral("RptSubDetail_Details"))->afterPrint = [] {
                throw std::runtime_error("no row");
            };
        const QString file = outcome == PrinterFails ? QStringLiteral("/nonexistent-dir/x/out.pdf")
                                                     : m_dir.filePath(QStringLiteral("report.pdf"));
        const auto printer = accrua::testsupport::pdfPrinter(file);
        switch (outcome) {
        case Printed:
            PagePrinter::printReportOn(*s->report, *printer);
            QCOMPARE(pdfPages(file), plannedPages(150));
            QVERIFY(pdfTexts(file).first().contains(QLatin1String("Amortization Schedule")));
            break;
        case PrinterFails:
            QVERIFY_THROWS_EXCEPTION(PrintError, PagePrinter::printReportOn(*s->report, *printer));
            break;
        case HandlerFails:
            QVERIFY_THROWS_EXCEPTION(GenerationError, PagePrinter::printReportOn(*s->report, *printer));
            break;
        }
        QCOMPARE(calls, 1);
        QVERIFY(!s);
    }
}

QTEST_MAIN(ViewTest)
#include "test_view.moc"
