// The preview window with real widgets offscreen: navigation while pages
// arrive, zoom steps, keys and the wheel, Print with and without a print
// request, Open and Save with scripted dialogs, and closing while the engine
// is still generating.
#include "banded_fixture.h"
#include "scripted_files.h"

#include "engine/view/pageview.h"
#include "pdf.h"
#include "reports/preview/printpreview.h"
#include "settings/loaninfoservice.h"
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <stdexcept>
#include <thread>

using namespace accrua;
namespace eng = reports::eng;
using reportstest::ScriptedFiles;

using accrua::testsupport::pdfText;

namespace {

template <class Case> std::string caseName(const testing::TestParamInfo<Case> &param)
{
    return param.param.name;
}

// Ten rows of 96 pixels fill a Letter page between its half-inch margins.
constexpr int kRowsPerPage = 10;

// A report of whole pages of "Row n" lines; each row may take a while, and
// row `failAt` may throw.
struct SyntheticReport {
    explicit SyntheticReport(int pages, std::chrono::microseconds perRow = {}, int failAt = 0,
                             QString prefix = QStringLiteral("Row"))
        : rows(pages * kRowsPerPage)
    {
        report.title = QStringLiteral("Synthetic");
        report.expectedRows = rows;
        eng::Band &detail = report.addBand(eng::BandKind::Detail, QStringLiteral("Detail"), 96);
        eng::Label &label = detail.addLabel(QStringLiteral("Line"), 0, 0);
        report.needData = [this, &label, perRow, failAt, prefix] {
            if (next >= rows)
                return false;
            ++next;
            if (perRow.count() > 0)
                std::this_thread::sleep_for(perRow);
            if (next == failAt)
                throw std::runtime_error("The picture cannot be read.");
            label.setCaption(QStringLiteral("%1 %2").arg(prefix).arg(next));
            return true;
        };
        report.afterPreview = [this] { ++afterPreviews; };
    }
    eng::Report report{QStringLiteral("Synthetic")};
    int rows = 0;
    int next = 0;
    int afterPreviews = 0;
};

class ScriptedPrintDialog : public desktop::PrintDialogService {
public:
    bool exec(QPrinter &printer, QWidget *parent) override
    {
        ++shown;
        parents.push_back(parent);
        // Without a file a test's printer would be the machine's: cancelled instead.
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    // Prints go into PDF files only: no printer of the system counts.
    QStringList installedPrinters() const override { return {}; }
    QString pdf;
    int shown = 0;
    std::vector<QWidget *> parents;
};

bool waitFor(const std::function<bool()> &done, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Pages printed into the file, -1 when nothing was.
int pdfPages(const QString &path)
{
    return QFile::exists(path) ? accrua::testsupport::pdfPageCount(path) : -1;
}

// A preview window shown (not modally) on a report the engine generates on
// its worker, with scripted dialogs.
struct Previewed {
    explicit Previewed(int pageCount, std::chrono::microseconds perRow = {}, int failAt = 0)
        : synthetic(pageCount, perRow, failAt)
    {
        testsupport::ensureWidgetsApp();
        printDialog.pdf = dir.filePath(QStringLiteral("printed.pdf"));
        reports::preview::TZtPrintPreview::SetEnablePrint(true);
        reports::preview::TZtPrintPreview::SetPrintRequest([this] { ++printRequests; });
        generator.start(synthetic.report, pages);
        reports::preview::TRptPreviewInterface preview({&messages, &files, &printDialog}, nullptr);
        window = preview.Show({&pages, &synthetic.report, &generator, synthetic.report.title});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    ~Previewed()
    {
        delete window;
        reports::preview::TZtPrintPreview::SetPrintRequest({});
    }
    bool finish()
    {
        return waitFor([this] { return generator.hasFinished(); });
    }
    QString panel() const { return window->StatusPanel[1]->text(); }

    SyntheticReport synthetic;
    eng::TRptPageList pages;
    eng::ReportGenerator generator;
    desktop::ScriptedMessageService messages;
    ScriptedFiles files;
    ScriptedPrintDialog printDialog;
    QTemporaryDir dir;
    int printRequests = 0;
    reports::preview::TForm_Preview *window = nullptr;
};

// --- navigation -------------------------------------------------------------

struct NavigationCase {
    std::string name;
    int pages;
    std::vector<QAction * reports::preview::TForm_Preview::*> clicks;
    int page;
    bool backEnabled; // First and Previous
    bool fwdEnabled;  // Next and Last
};

class Navigation : public testing::TestWithParam<NavigationCase> {};

TEST_P(Navigation, ButtonsAndStatusFollowThePage)
{
    const NavigationCase &c = GetParam();
    Previewed p(c.pages);
    ASSERT_TRUE(p.finish());
    ASSERT_EQ(p.window->RptPreview->pageCount(), c.pages);
    for (QAction *reports::preview::TForm_Preview::*button : c.clicks)
        (p.window->*button)->trigger();
    EXPECT_EQ(p.window->RptPreview->currentPage(), c.page);
    EXPECT_EQ(p.window->ToolButton_First->isEnabled(), c.backEnabled);
    EXPECT_EQ(p.window->ToolButton_Prev->isEnabled(), c.backEnabled);
    EXPECT_EQ(p.window->ToolButton_Next->isEnabled(), c.fwdEnabled);
    EXPECT_EQ(p.window->ToolButton_Last->isEnabled(), c.fwdEnabled);
    EXPECT_EQ(p.panel(), QStringLiteral("Page %1 of %2").arg(c.page).arg(c.pages));
}

using F = reports::preview::TForm_Preview;
INSTANTIATE_TEST_SUITE_P(
    Preview, Navigation,
    testing::Values(
        NavigationCase{"OnePage", 1, {}, 1, false, false},
        NavigationCase{
            "OnePageNextDoesNothing", 1, {&F::ToolButton_Next, &F::ToolButton_Last}, 1, false, false},
        NavigationCase{"ManyAtFirst", 7, {}, 1, false, true},
        NavigationCase{"ManySecond", 7, {&F::ToolButton_Next}, 2, true, true},
        NavigationCase{"ManyPrevOnFirstDoesNothing", 7, {&F::ToolButton_Prev}, 1, false, true},
        NavigationCase{"ManyLast", 7, {&F::ToolButton_Last}, 7, true, false},
        NavigationCase{
            "ManyNextOnLastDoesNothing", 7, {&F::ToolButton_Last, &F::ToolButton_Next}, 7, true, false},
        NavigationCase{"ManyBackToFirst",
                       7,
                       {&F::ToolButton_Last, &F::ToolButton_Prev, &F::ToolButton_First},
                       1,
                       false,
                       true}),
    caseName<NavigationCase>);

TEST(Preview, PageCountGrowsWhilePagesArrive)
{
    Previewed p(6, std::chrono::microseconds(3000));
    // The window counts the pages it has been told of.
    ASSERT_TRUE(waitFor([&] { return !p.window->firstPagePending(); }));
    const int told = p.generator.pageCount();
    EXPECT_GE(told, 1);
    EXPECT_LT(told, 6);
    EXPECT_EQ(p.panel(), QStringLiteral("Page 1 of %1").arg(told));
    int progress = 0;
    ASSERT_TRUE(waitFor([&] {
        progress = std::max(progress, p.window->ProgressBar->value());
        return p.generator.hasFinished();
    }));
    EXPECT_GT(progress, 0);
    EXPECT_EQ(p.panel(), QStringLiteral("Page 1 of 6"));
    EXPECT_TRUE(p.window->ToolButton_Last->isEnabled());
    // Empty once nothing generates.
    EXPECT_TRUE(waitFor([&] { return p.window->ProgressBar->value() == 0; }));
}

// --- zoom -------------------------------------------------------------------

struct ZoomCase {
    std::string name;
    int ins;
    int outs;
};

class Zoom : public testing::TestWithParam<ZoomCase> {};

TEST_P(Zoom, StepsOfTenFromThePageWidth)
{
    const ZoomCase &c = GetParam();
    Previewed p(2);
    ASSERT_TRUE(p.finish());
    const int first = p.window->RptPreview->zoom();
    p.window->ToolButton_ZoomWidth->trigger();
    ASSERT_EQ(p.window->RptPreview->zoom(), first) << "the first page is shown at page width";
    ASSERT_NE(first, 100);
    for (int i = 0; i < c.ins; ++i)
        p.window->ToolButton_ZoomIn->trigger();
    for (int i = 0; i < c.outs; ++i)
        p.window->ToolButton_ZoomOut->trigger();
    EXPECT_EQ(p.window->RptPreview->zoom(), first + 10 * (c.ins - c.outs));
}

INSTANTIATE_TEST_SUITE_P(Preview, Zoom,
                         testing::Values(ZoomCase{"InOnce", 1, 0}, ZoomCase{"InThrice", 3, 0},
                                         ZoomCase{"OutOnce", 0, 1}, ZoomCase{"InTwiceOutOnce", 2, 1}),
                         caseName<ZoomCase>);

TEST(Preview, ZoomToFitShowsTheWholePage)
{
    Previewed p(1);
    ASSERT_TRUE(p.finish());
    p.window->ToolButton_ZoomPage->trigger();
    EXPECT_EQ(p.window->RptPreview->vScrollRange(), 0);
    EXPECT_EQ(p.window->RptPreview->hScrollRange(), 0);
}

// --- keys and wheel ---------------------------------------------------------

enum class Moved { Page, VScroll, HScroll, Closed };

struct KeyCase {
    std::string name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int startPage;
    Moved what;
    int expected; // the page, or the scroll change in tenths of the range
};

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, ReachTheWindowBeforeThePageView)
{
    const KeyCase &c = GetParam();
    Previewed p(7);
    ASSERT_TRUE(p.finish());
    engine::view::PageView *view = p.window->RptPreview;
    view->setZoom(250); // both scroll bars in play
    view->setCurrentPage(c.startPage);
    view->setVScrollPosition(view->vScrollRange() / 2);
    view->setHScrollPosition(view->hScrollRange() / 2);
    const int v = view->vScrollPosition();
    const int h = view->hScrollPosition();
    QTest::keyClick(view->viewport(), c.key, c.modifiers);
    switch (c.what) {
    case Moved::Page:
        EXPECT_EQ(view->currentPage(), c.expected);
        EXPECT_EQ(p.panel(), QStringLiteral("Page %1 of 7").arg(c.expected));
        EXPECT_EQ(view->vScrollPosition(), v) << "the view did not scroll instead";
        break;
    case Moved::VScroll:
        EXPECT_EQ(view->vScrollPosition() - v, c.expected * std::lround(view->vScrollRange() / 10.0));
        EXPECT_EQ(view->currentPage(), c.startPage);
        break;
    case Moved::HScroll:
        EXPECT_EQ(view->hScrollPosition() - h, c.expected * std::lround(view->hScrollRange() / 10.0));
        break;
    case Moved::Closed:
        EXPECT_FALSE(p.window->isVisible());
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Preview, Keys,
    testing::Values(KeyCase{"PageDown", Qt::Key_PageDown, Qt::NoModifier, 3, Moved::Page, 4},
                    KeyCase{"PageUp", Qt::Key_PageUp, Qt::NoModifier, 3, Moved::Page, 2},
                    KeyCase{"PageUpOnFirst", Qt::Key_PageUp, Qt::NoModifier, 1, Moved::Page, 1},
                    KeyCase{"PageDownOnLast", Qt::Key_PageDown, Qt::NoModifier, 7, Moved::Page, 7},
                    KeyCase{"Home", Qt::Key_Home, Qt::NoModifier, 5, Moved::Page, 1},
                    KeyCase{"End", Qt::Key_End, Qt::NoModifier, 2, Moved::Page, 7},
                    KeyCase{"AltDown", Qt::Key_Down, Qt::AltModifier, 3, Moved::VScroll, 1},
                    KeyCase{"AltUp", Qt::Key_Up, Qt::AltModifier, 3, Moved::VScroll, -1},
                    KeyCase{"AltRight", Qt::Key_Right, Qt::AltModifier, 3, Moved::HScroll, 1},
                    KeyCase{"AltLeft", Qt::Key_Left, Qt::AltModifier, 3, Moved::HScroll, -1},
                    KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, 3, Moved::Closed, 0}),
    caseName<KeyCase>);

struct WheelCase {
    std::string name;
    int delta;
    bool onView; // over the page view, or over the window's toolbar
    int moved;
};

class Wheel : public testing::TestWithParam<WheelCase> {};

TEST_P(Wheel, ScrollsThirtyTwoPixels)
{
    const WheelCase &c = GetParam();
    Previewed p(1);
    ASSERT_TRUE(p.finish());
    engine::view::PageView *view = p.window->RptPreview;
    view->setZoom(200);
    view->setVScrollPosition(view->vScrollRange() / 2);
    const int v = view->vScrollPosition();
    QWidget *target = c.onView ? view->viewport() : static_cast<QWidget *>(p.window);
    QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, c.delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    EXPECT_EQ(view->vScrollPosition() - v, c.moved);
}

INSTANTIATE_TEST_SUITE_P(Preview, Wheel,
                         testing::Values(WheelCase{"ForwardOnView", 120, true, -32},
                                         WheelCase{"BackOnView", -120, true, 32},
                                         WheelCase{"ForwardOnWindow", 120, false, -32},
                                         WheelCase{"BackOnWindow", -120, false, 32}),
                         caseName<WheelCase>);

// --- keyboard ---------------------------------------------------------------

// Keys reach the commands (no keys: Ctrl and the wheel), Tab reaches
// Close, and the first status panel tells the zoom.
struct ShortcutCase {
    std::string name;
    const char *keys; // portable text
    int zoomStep, saveDialogs, printRequests;
};

class Shortcuts : public testing::TestWithParam<ShortcutCase> {};

TEST_P(Shortcuts, WorkTheWindow)
{
    const ShortcutCase &c = GetParam();
    Previewed p(2);
    ASSERT_TRUE(p.finish());
    p.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.window));
    const int zoom = p.window->RptPreview->zoom();
    QWidget *view = p.window->RptPreview->viewport();
    QWheelEvent wheel(QPointF(5, 5), view->mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    *c.keys ? QTest::keySequence(p.window, QKeySequence(QLatin1String(c.keys)))
            : void(QApplication::sendEvent(view, &wheel));
    EXPECT_EQ(p.window->RptPreview->zoom() - zoom, c.zoomStep);
    EXPECT_EQ(p.window->StatusPanel[0]->text(), QStringLiteral("%1%").arg(p.window->RptPreview->zoom()));
    EXPECT_EQ(static_cast<int>(p.files.asked.size()), c.saveDialogs);
    EXPECT_EQ(p.printRequests, c.printRequests);
    p.window->RptPreview->setFocus();
    for (int k = 0; k < 20 && QApplication::focusWidget() != p.window->Button_Close; ++k)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), p.window->Button_Close);
}

INSTANTIATE_TEST_SUITE_P(Preview, Shortcuts,
                         testing::Values(ShortcutCase{"CtrlS", "Ctrl+S", 0, 1, 0},
                                         ShortcutCase{"CtrlP", "Ctrl+P", 0, 0, 1},
                                         ShortcutCase{"CtrlPlus", "Ctrl++", 10, 0, 0},
                                         ShortcutCase{"CtrlMinus", "Ctrl+-", -10, 0, 0},
                                         ShortcutCase{"CtrlWheel", "", 10, 0, 0}),
                         caseName<ShortcutCase>);

// --- print, open, save ------------------------------------------------------

struct PrintCase {
    std::string name;
    bool openFirst;
    int requests; // print requests made
    int dialogs;  // the window's own print dialog shown
    int pdfPages; // pages printed by the window, -1 none
    const char *pdfHas;
};

class Print : public testing::TestWithParam<PrintCase> {};

TEST_P(Print, RegeneratesThroughTheRequestOrPrintsTheLoadedPages)
{
    const PrintCase &c = GetParam();
    Previewed p(2);
    ASSERT_TRUE(p.finish());
    if (c.openFirst) {
        // A three-page report page file, made by another report.
        SyntheticReport other(3, {}, 0, QStringLiteral("Saved"));
        eng::TRptPageList saved;
        eng::ReportGenerator::generate(other.report, saved);
        const QString file = p.dir.filePath(QStringLiteral("three.ARP"));
        saved.SaveToFile(file);
        p.files.answers.push_back(file);
        p.window->ToolButton_OpenClick();
        ASSERT_EQ(p.window->RptPreview->pageCount(), 3);
        EXPECT_EQ(p.panel(), QStringLiteral("Page 1 of 3"));
        EXPECT_TRUE(p.window->ToolButton_Print->isEnabled());
    }
    p.window->ToolButton_Print->trigger();
    EXPECT_EQ(p.printRequests, c.requests);
    EXPECT_EQ(p.printDialog.shown, c.dialogs);
    if (c.dialogs > 0) {
        EXPECT_EQ(p.printDialog.parents.front(), p.window) << "the dialog belongs to the preview";
    }
    EXPECT_EQ(pdfPages(p.printDialog.pdf), c.pdfPages);
    if (c.pdfHas) {
        EXPECT_TRUE(pdfText(p.printDialog.pdf).contains(QLatin1String(c.pdfHas)));
    }
    EXPECT_TRUE(p.messages.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Preview, Print,
                         testing::Values(PrintCase{"GeneratedReport", false, 1, 0, -1, nullptr},
                                         PrintCase{"AfterOpen", true, 0, 1, 3, "Saved 30"}),
                         caseName<PrintCase>);

TEST(Preview, OpenOfAMissingFileSaysSoAndChangesNothing)
{
    Previewed p(4);
    ASSERT_TRUE(p.finish());
    p.window->ToolButton_Next->trigger();
    const QString missing = p.dir.filePath(QStringLiteral("nowhere.ARP"));
    p.files.answers.push_back(missing);
    p.window->ToolButton_Open->trigger();
    ASSERT_EQ(p.files.asked.size(), 1u);
    EXPECT_EQ(p.files.asked[0].title, QStringLiteral("Open"));
    EXPECT_EQ(p.files.asked[0].filter, QStringLiteral("Report file (*.ARP)"));
    ASSERT_EQ(p.messages.shown().size(), 1u);
    EXPECT_EQ(p.messages.shown()[0].text, QStringLiteral("File \"%1\" does not exist").arg(missing));
    EXPECT_EQ(p.messages.shown()[0].kind, desktop::MessageKind::Plain);
    EXPECT_EQ(p.panel(), QStringLiteral("Page 2 of 4"));
    p.window->ToolButton_Print->trigger();
    EXPECT_EQ(p.printRequests, 1) << "the print request is kept";
}

TEST(Preview, OpenOfABrokenFileKeepsThePages)
{
    Previewed p(4);
    ASSERT_TRUE(p.finish());
    const QString broken = p.dir.filePath(QStringLiteral("broken.ARP"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(300, 'x'));
    f.close();
    p.files.answers.push_back(broken);
    p.window->ToolButton_OpenClick();
    ASSERT_EQ(p.messages.shown().size(), 1u);
    EXPECT_EQ(p.messages.shown()[0].kind, desktop::MessageKind::Error);
    EXPECT_EQ(p.panel(), QStringLiteral("Page 1 of 4"));
}

TEST(Preview, SaveWhileGeneratingWritesTheWholeReport)
{
    Previewed p(5, std::chrono::microseconds(2000));
    const QString file = p.dir.filePath(QStringLiteral("saved.ARP"));
    p.files.answers.push_back(file);
    ASSERT_TRUE(waitFor([&] { return p.window->RptPreview->pageCount() >= 1; }));
    ASSERT_FALSE(p.generator.hasFinished());
    p.window->ToolButton_SaveClick();
    ASSERT_EQ(p.files.asked.size(), 1u);
    EXPECT_EQ(p.files.asked[0].title, QStringLiteral("Save"));
    EXPECT_EQ(p.files.asked[0].defaultSuffix, QStringLiteral("ARP"));
    EXPECT_TRUE(p.messages.shown().empty());
    eng::TRptPageList reopened;
    reopened.LoadFromFile(file);
    EXPECT_EQ(reopened.pageCount(), 5);
    EXPECT_EQ(reopened.GetPage(5), p.pages.GetPage(5));
}

TEST(Preview, SaveThatFailsSaysWhy)
{
    Previewed p(2);
    ASSERT_TRUE(p.finish());
    const QString file = p.dir.filePath(QStringLiteral("no folder/kept.ARP"));
    p.files.answers.push_back(file);
    p.window->ToolButton_SaveClick();
    ASSERT_EQ(p.messages.shown().size(), 1u);
    EXPECT_EQ(p.messages.shown()[0].kind, desktop::MessageKind::Error);
    EXPECT_TRUE(p.messages.shown()[0].text.contains(QStringLiteral("kept.ARP")));
    EXPECT_TRUE(p.window->isVisible());
}

TEST(Preview, GenerationFailureShowsTheErrorAndCloses)
{
    Previewed p(3, {}, 15);
    ASSERT_TRUE(waitFor([&] { return !p.window->isVisible(); }));
    ASSERT_EQ(p.messages.shown().size(), 1u);
    EXPECT_EQ(p.messages.shown()[0].text, QStringLiteral("The picture cannot be read."));
    EXPECT_FALSE(p.pages.isFinished());
    EXPECT_EQ(p.synthetic.afterPreviews, 1);
}

// --- modal preview through the component -----------------------------------

TEST(Preview, EscapeClosesWhilePagesAreStillGenerating)
{
    testsupport::ensureWidgetsApp();
    desktop::ScriptedMessageService messages;
    ScriptedFiles files;
    ScriptedPrintDialog printDialog;
    reports::preview::TZtPrintPreview component({&messages, &files, &printDialog});
    component.Execute(nullptr);
    // About 20 seconds of rows, were they all generated.
    SyntheticReport slow(200, std::chrono::microseconds(10000));
    int pagesWhenClosed = 0;
    component.previewInterface()->onShown = [&](reports::preview::TForm_Preview &window) {
        EXPECT_TRUE(window.isModal());
        QTimer::singleShot(0, &window, [&window, &pagesWhenClosed] {
            waitFor([&] { return window.RptPreview->pageCount() >= 1; });
            EXPECT_TRUE(window.isGenerating());
            pagesWhenClosed = window.RptPreview->pageCount();
            QTest::keyClick(window.RptPreview->viewport(), Qt::Key_Escape);
        });
    };
    bool requested = false;
    QElapsedTimer timer;
    timer.start();
    component.previewReport(slow.report, [&] { requested = true; });
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_GE(pagesWhenClosed, 1);
    EXPECT_LT(slow.next, slow.rows) << "generation stopped";
    EXPECT_EQ(slow.afterPreviews, 1);
    EXPECT_FALSE(reports::preview::TZtPrintPreview::PrintRequest()) << "no request outlives its preview";
    EXPECT_FALSE(requested);
}

TEST(Preview, PreviewOfPagesClearsThePrintRequest)
{
    testsupport::ensureWidgetsApp();
    desktop::ScriptedMessageService messages;
    ScriptedFiles files;
    ScriptedPrintDialog printDialog;
    QTemporaryDir dir;
    printDialog.pdf = dir.filePath(QStringLiteral("p.pdf"));
    reports::preview::TZtPrintPreview component({&messages, &files, &printDialog});
    component.Execute(nullptr);
    SyntheticReport two(2);
    eng::TRptPageList pages;
    eng::ReportGenerator::generate(two.report, pages);
    reports::preview::TZtPrintPreview::SetPrintRequest([] { FAIL() << "no request for loaded pages"; });
    reports::preview::TZtPrintPreview::SetEnablePrint(false);
    int zoom = 0;
    QString panel;
    component.previewInterface()->onShown = [&](reports::preview::TForm_Preview &window) {
        QTimer::singleShot(0, &window, [&] {
            zoom = window.RptPreview->zoom();
            panel = window.StatusPanel[1]->text();
            window.ToolButton_Print->trigger();
            window.close();
        });
    };
    eng::Report carrier;
    component.previewPages(carrier, pages);
    EXPECT_NE(zoom, 100) << "shown at page width";
    EXPECT_EQ(panel, QStringLiteral("Page 1 of 2"));
    EXPECT_EQ(printDialog.shown, 1);
    EXPECT_EQ(pdfPages(printDialog.pdf), 2);
}

// The program's own pairing: the dispatcher previews through the component,
// and the preview's Print regenerates the report through the dispatcher with
// the date and purpose entered for the preview.
TEST(Preview, PrintFromThePreviewOfALoanUsesTheDispatcher)
{
    testsupport::ensureWidgetsApp();
    reportstest::Model m;
    m.loan("200000", "6", 30, 0);
    ScriptedFiles files;
    ScriptedPrintDialog windowDialog;
    ScriptedPrintDialog dispatcherDialog;
    QTemporaryDir dir;
    dispatcherDialog.pdf = dir.filePath(QStringLiteral("loan.pdf"));
    settings::ScriptedLoanInfoService loanInfo(QStringLiteral("3/15/2026"));
    loanInfo.queueAnswer({false, QStringLiteral("3/15/2026"), QStringLiteral("BOAT LOAN")});
    reports::preview::TZtPrintPreview component({&m.messages, &files, &windowDialog});
    component.Execute(nullptr);
    reports::commands::ReportServices services;
    services.messages = &m.messages;
    services.loanInfo = &loanInfo;
    services.files = &files;
    services.printDialog = &dispatcherDialog;
    services.preview = &component;
    reports::commands::ReportDispatcher dispatcher(services);
    dispatcher.attach(m.model, nullptr, [] { return false; });
    int shownPages = 0;
    component.previewInterface()->onShown = [&](reports::preview::TForm_Preview &window) {
        QTimer::singleShot(0, &window, [&] {
            waitFor([&] { return !window.isGenerating(); });
            shownPages = window.RptPreview->pageCount();
            window.ToolButton_Print->trigger();
            window.close();
        });
    };
    dispatcher.MenuItem_PrintPreviewClick(reports::commands::ReportCommand::PrintPreview);
    EXPECT_EQ(loanInfo.asked().size(), 1) << "asked once, for the preview";
    EXPECT_EQ(windowDialog.shown, 0);
    EXPECT_EQ(dispatcherDialog.shown, 1);
    ASSERT_GT(shownPages, 1);
    EXPECT_EQ(pdfPages(dispatcherDialog.pdf), shownPages);
    const QString text = pdfText(dispatcherDialog.pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("BOAT LOAN")));
    EXPECT_TRUE(text.contains(QStringLiteral("3/15/2026")));
    EXPECT_TRUE(m.messages.shown().empty());
}

} // namespace
