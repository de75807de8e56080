// Generation end to end: pages recorded as metafiles into the page list, on
// the calling thread and on the worker with its queued notifications.
#include "engine/emf/emf.h"
#include "engine/layout/generator.h"
#include "engine/layout/layout.h"
#include "engine/layout/pagerecorder.h"
#include "engine/pagefile/pagelist.h"
#include "layout_support.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>
#include <thread>

using namespace accrua::engine::layout;
using namespace accrua::engine::emf;
using namespace accrua::engine::pagefile;
using accrua::engine::layout::testing::SyntheticReport;

namespace {

int plannedPages(int rows)
{
    SyntheticReport s(rows);
    PagePlan plan;
    ReportLayout layout(*s.report, plan);
    layout.run();
    return static_cast<int>(plan.pages.size());
}

} // namespace

class GeneratorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generatesOnCallingThread_data();
    void generatesOnCallingThread();
    void generationLeavesAfterPrintToPrinting();
    void workerSignalsInOrder();
    void cancelIsPromptAndSilent();
    void destroyingGeneratorWhileRunningIsSafe();
    void handlerErrorIsReported();
    void closePreviewRunsAfterPreview();
    void labelBoxesFollowAlignment_data();
    void labelBoxesFollowAlignment();
    void pictureIsClippedToItsFrame();
};

void GeneratorTest::generatesOnCallingThread_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("no rows") << 0;
    QTest::newRow("one page") << 20;
    QTest::newRow("several pages") << 300;
}

void GeneratorTest::generatesOnCallingThread()
{
    QFETCH(int, rows);
    SyntheticReport s(rows);
    TRptPageList pages;
    const int count = ReportGenerator::generate(*s.report, pages);
    QCOMPARE(count, plannedPages(rows));
    QCOMPARE(pages.pageCount(), count);
    QVERIFY(pages.isFinished());
    for (int n = 1; n <= count; ++n) {
        const auto body = pages.GetPage(n);
        QVERIFY(body.has_value());
        QString error;
        const auto info = EmfPlayer::inspect(*body, &error);
        QVERIFY2(info.has_value(), qPrintable(error));
        QCOMPARE(info->bytes, static_cast<quint32>(body->size()));
        const auto size = EmfPlayer::pageSize(*body);
        QVERIFY(size.has_value());
        QVERIFY(qAbs(size->width() - 816) < 1 && qAbs(size->height() - 1056) < 1);
    }
}

void GeneratorTest::generationLeavesAfterPrintToPrinting()
{
    // Saving generates too, and the save command releases the form itself.
    SyntheticReport s(60);
    TRptPageList pages;
    int calls = 0;
    s.report->afterPrint = [&] { ++calls; };
    ReportGenerator::generate(*s.report, pages);
    QVERIFY(pages.isFinished());
    QCOMPARE(calls, 0);
}

void GeneratorTest::workerSignalsInOrder()
{
    SyntheticReport s(500);
    TRptPageList pages;
    ReportGenerator generator;
    QSignalSpy pageSpy(&generator, &ReportGenerator::pageAvailable);
    QSignalSpy progressSpy(&generator, &ReportGenerator::progressUpdate);
    QSignalSpy finishedSpy(&generator, &ReportGenerator::finished);
    QSignalSpy failedSpy(&generator, &ReportGenerator::failed);
    std::thread::id handlerThread;
    s.report->beforePrint = [&] {
        handlerThread = std::this_thread::get_id();
        s.fed = 0;
    };
    std::thread::id signalThread;
    connect(&generator, &ReportGenerator::pageAvailable, this,
            [&] { signalThread = std::this_thread::get_id(); });

    generator.start(*s.report, pages);
    QVERIFY(generator.isRunning());
    QVERIFY(finishedSpy.wait(20000));
    QVERIFY(!generator.isRunning());
    QVERIFY(generator.hasFinished());
    QCOMPARE(failedSpy.count(), 0);

    const int expected = plannedPages(500);
    QCOMPARE(pages.pageCount(), expected);
    QVERIFY(pages.isFinished());
    QCOMPARE(pageSpy.count(), expected);
    for (int i = 0; i < pageSpy.count(); ++i)
        QCOMPARE(pageSpy.at(i).at(0).toInt(), i + 1);
    QCOMPARE(finishedSpy.at(0).at(0).toInt(), expected);
    QCOMPARE(generator.pageCount(), expected);

    QVERIFY(progressSpy.count() >= 3);
    QCOMPARE(progressSpy.first().at(0).toInt(), 0);
    QCOMPARE(progressSpy.last().at(0).toInt(), 100);
    int last = -1;
    for (const auto &args : progressSpy) {
        QVERIFY(args.at(0).toInt() >= last);
        last = args.at(0).toInt();
    }
    QVERIFY(handlerThread != std::this_thread::get_id());
    QVERIFY(signalThread == std::this_thread::get_id());
}

void GeneratorTest::cancelIsPromptAndSilent()
{
    SyntheticReport s(1 << 30); // far more than would ever be generated
    TRptPageList pages;
    ReportGenerator generator;
    QSignalSpy pageSpy(&generator, &ReportGenerator::pageAvailable);
    QSignalSpy finishedSpy(&generator, &ReportGenerator::finished);
    bool afterPrint = false;
    s.report->afterPrint = [&] { afterPrint = true; };

    generator.start(*s.report, pages);
    QVERIFY(pageSpy.wait(10000));
    QElapsedTimer timer;
    timer.start();
    generator.cancel();
    QVERIFY2(timer.elapsed() < 500, "cancel waited too long for the worker");
    QVERIFY(!generator.isRunning());

    const int seen = pageSpy.count();
    const int rowsThen = s.fed;
    QTest::qWait(100);
    QCoreApplication::processEvents();
    QCOMPARE(pageSpy.count(), seen);
    QCOMPARE(finishedSpy.count(), 0);
    QCOMPARE(s.fed, rowsThen);
    QVERIFY(!pages.isFinished());
    QVERIFY(!afterPrint);
    // Pages added before the cancel stay readable.
    QVERIFY(pages.pageCount() >= 1);
    QVERIFY(pages.GetPage(1).has_value());
}

void GeneratorTest::destroyingGeneratorWhileRunningIsSafe()
{
    SyntheticReport s(1 << 30);
    TRptPageList pages;
    auto generator = std::make_unique<ReportGenerator>();
    QSignalSpy pageSpy(generator.get(), &ReportGenerator::pageAvailable);
    generator->start(*s.report, pages);
    QVERIFY(pageSpy.wait(10000));
    generator.reset();
    const int rowsThen = s.fed;
    QTest::qWait(50);
    QCOMPARE(s.fed, rowsThen);
}

void GeneratorTest::handlerErrorIsReported()
{
    {
        SyntheticReport s(400);
        auto feed = s.report->needData;
        s.report->needData = [&] {
            if (s.fed == 150)
                throw std::runtime_error("Row 151 cannot be read.");
            return feed();
        };
        TRptPageList pages;
        ReportGenerator generator;
        QSignalSpy failedSpy(&generator, &ReportGenerator::failed);
        QSignalSpy finishedSpy(&generator, &ReportGenerator::finished);
        QSignalSpy progressSpy(&generator, &ReportGenerator::progressUpdate);
        generator.start(*s.report, pages);
        QVERIFY(failedSpy.wait(10000));
        QCOMPARE(failedSpy.at(0).at(0).toString(), QStringLiteral("Row 151 cannot be read."));
        QCOMPARE(generator.errorString(), QStringLiteral("Row 151 cannot be read."));
        QCOMPARE(progressSpy.last().at(0).toInt(), 100);
        QCOMPARE(finishedSpy.count(), 0);
        QVERIFY(!generator.isRunning());
        QVERIFY(!pages.isFinished());
    }
    {
        SyntheticReport s(10);
        s.report->band(QStringLiteral("RptSubDetail_Details"))->beforePrint = []() -> bool {
            throw std::logic_error("band handler failed");
        };
        TRptPageList pages;
        try {
            ReportGenerator::generate(*s.report, pages);
            QFAIL("the handler's exception was lost");
        } catch (const GenerationError &e) {
            QCOMPARE(e.message(), QStringLiteral("band handler failed"));
        }
    }
}

void GeneratorTest::closePreviewRunsAfterPreview()
{
    SyntheticReport s(1 << 30);
    TRptPageList pages;
    ReportGenerator generator;
    int afterPreview = 0;
    s.report->afterPreview = [&] { ++afterPreview; };
    QSignalSpy pageSpy(&generator, &ReportGenerator::pageAvailable);
    generator.start(*s.report, pages);
    QVERIFY(pageSpy.wait(10000));
    generator.closePreview();
    QVERIFY(!generator.isRunning());
    QCOMPARE(afterPreview, 1);
    generator.closePreview(); // the report is no longer attached
    QCOMPARE(afterPreview, 1);
}

void GeneratorTest::labelBoxesFollowAlignment_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("autoSize");
    QTest::newRow("left auto") << int(HAlign::Left) << true;
    QTest::newRow("right auto") << int(HAlign::Right) << true;
    QTest::newRow("centre auto") << int(HAlign::Center) << true;
    QTest::newRow("right fixed") << int(HAlign::Right) << false;
}

void GeneratorTest::labelBoxesFollowAlignment()
{
    QFETCH(int, align);
    QFETCH(bool, autoSize);
    Label label(QStringLiteral("l"));
    label.left = 208;
    label.top = 3;
    label.width = 100;
    label.alignment = static_cast<HAlign>(align);
    label.autoSize = autoSize;
    const FontSpec font{QStringLiteral("Courier New"), 8, false, false};
    const QString text = QStringLiteral("1,234.56");
    const double w = TextMetrics::width(font, text);
    QVERIFY(w > 10 && w < 100);
    const QRectF r = PageRecorder::labelRect(label, font, text);
    QCOMPARE(r.top(), 3.0);
    QCOMPARE(r.height(), TextMetrics::height(font));
    if (!autoSize) {
        QCOMPARE(r, QRectF(208, 3, 100, r.height()));
        return;
    }
    QCOMPARE(r.width(), w);
    switch (label.alignment) {
    case HAlign::Left:
        QCOMPARE(r.left(), 208.0);
        break;
    case HAlign::Right:
        QCOMPARE(r.right(), 308.0);
        break;
    case HAlign::Center:
        QCOMPARE(r.center().x(), 258.0);
        break;
    }
}

void GeneratorTest::pictureIsClippedToItsFrame()
{
    Report report;
    Band &title = report.addBand(BandKind::Title, QStringLiteral("T"), 100);
    Picture &centred = title.addPicture(QStringLiteral("P"), QRectF(265, 38, 190, 50));
    centred.center = true;
    centred.image = QImage(400, 400, QImage::Format_RGB32);
    centred.image.fill(Qt::red);
    Picture &off = title.addPicture(QStringLiteral("Q"), QRectF(0, 0, 50, 30));
    off.enabled = false;
    off.image = centred.image;

    QByteArray page;
    PageRecorder recorder(report, [&](const QByteArray &m, int) { page = m; });
    ReportLayout(report, recorder).run();
    QVERIFY(!page.isEmpty());

    QImage image(816, 1056, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QString error;
    QVERIFY2(EmfPlayer::play(page, painter, QRectF(0, 0, 816, 1056), &error), qPrintable(error));
    painter.end();
    // Frame at page (48 + 265, 48 + 38), 190 x 50.
    auto red = [&](int x, int y) {
        return image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 60;
    };
    QVERIFY(red(48 + 265 + 95, 48 + 38 + 25));
    QVERIFY(red(48 + 265 + 3, 48 + 38 + 3));
    QVERIFY(!red(48 + 265 - 4, 48 + 38 + 25));
    QVERIFY(!red(48 + 265 + 95, 48 + 38 + 54));
    QVERIFY(!red(48 + 265 + 95, 48 + 38 - 4));
    QVERIFY(!red(48 + 10, 48 + 10)); // the disabled picture
}

QTEST_MAIN(GeneratorTest)
#include "test_generator.moc"
