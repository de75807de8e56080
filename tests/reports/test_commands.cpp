// The report commands with every dialog scripted: which report is made for
// which page, the loan information question and what is remembered of it,
// print, save and open, and errors reaching the message box.
#include "banded_fixture.h"
#include "scripted_files.h"

#include "reports/banded/reportoutput.h"
#include "reports/commands/commands.h"
#include "reports/commands/printjob.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include "pdf.h"

#include <gtest/gtest.h>

#include <deque>

using namespace accrua;
using namespace accrua::reportstest;
using reports::commands::ReportCommand;

using accrua::testsupport::pdfText;

namespace {

template <class Case> std::string caseName(const testing::TestParamInfo<Case> &param)
{
    return param.param.name;
}

// Confirms into a PDF file (print1.pdf, print2.pdf, ...) unless told to cancel.
class ScriptedPrintDialog : public desktop::PrintDialogService {
public:
    bool exec(QPrinter &printer, QWidget *) override
    {
        ++shown;
        if (!confirm)
            return false;
        // Every print goes to a PDF. With no printer installed Qt's dialog
        // leaves a PDF printer without a file: the command's fresh printer
        // has none, and no file name is ever set empty.
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (!noPrinter)
            printer.setOutputFileName(pdf(shown));
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        printer.setCopyCount(copies);
        return true;
    }
    // Prints go into PDF files only: no printer of the system counts.
    QStringList installedPrinters() const override { return {}; }
    QString pdf(int n) const { return dir + QStringLiteral("/print%1.pdf").arg(n); }

    QString dir;
    bool confirm = true;
    bool noPrinter = false;
    int from = 0, to = 0, copies = 1;
    int shown = 0;
};

// Generates the report as the engine would for a preview, remembers what its
// title block says, and presses Print when told to.
class ScriptedPreview : public reports::commands::PreviewService {
public:
    struct Shown {
        QString report;
        int pages = 0;
        QString loanType;
        QString date;
        QString title; // what a print of these pages is called
    };
    void previewReport(reports::eng::Report &report, std::function<void()> printRequest) override
    {
        const auto pages = reports::banded::generatePages(report);
        const auto *type = report.label(QStringLiteral("RptLabel_LoanType"));
        const auto *date = report.label(QStringLiteral("RptLabel_DateOfLoan"));
        shown.push_back({report.name(), pages->pageCount(), type ? type->caption : QString(),
                         date ? date->caption : QString(), report.title});
        if (pressPrint)
            printRequest();
        if (report.afterPreview)
            report.afterPreview();
    }
    void previewPages(reports::eng::Report &carrier, reports::eng::TRptPageList &pages) override
    {
        shown.push_back({carrier.name(), pages.pageCount(), {}, {}, carrier.title});
    }
    std::vector<Shown> shown;
    bool pressPrint = false;
};

struct Harness {
    Model m;
    settings::ScriptedLoanInfoService loanInfo{QStringLiteral("3/15/2026")};
    ScriptedFiles files;
    ScriptedPrintDialog printDialog;
    ScriptedPreview preview;
    QTemporaryDir dir;
    bool useDefaults = false;
    std::vector<ReportCommand> classic;
    int classicOpened = 0;
    reports::commands::ReportDispatcher dispatcher{services()};

    Harness()
    {
        testsupport::ensureWidgetsApp();
        printDialog.dir = dir.path();
        dispatcher.attach(m.model, nullptr, [this] { return useDefaults; });
        m.model.appSettings().LoanType = QStringLiteral("GENERAL LOAN");
    }
    reports::commands::ReportServices services()
    {
        reports::commands::ReportServices s;
        s.messages = &m.messages;
        s.loanInfo = &loanInfo;
        s.files = &files;
        s.printDialog = &printDialog;
        s.preview = &preview;
        s.today = [] { return QDate(2026, 3, 4); };
        s.buildClassicReport = [this](ReportCommand c) { classic.push_back(c); };
        s.openClassicReport = [this] { ++classicOpened; };
        return s;
    }
    std::vector<QString> errors() const
    {
        std::vector<QString> out;
        for (const auto &shown : m.messages.shown())
            if (shown.kind == desktop::MessageKind::Error)
                out.push_back(shown.text);
        return out;
    }
};

// ---- Print Preview on each page, with and without the loan question ----

struct PreviewCase {
    const char *name;
    Mode page;
    bool useDefaults;
    bool classicView;
    bool cancel;
    int asked;
    const char *report; // "" when nothing is previewed
    const char *loanType, *date;
    const char *lastType, *lastDate;
};

class PreviewCommand : public testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewCommand, AsksWhenNeededAndPreviewsThePagesReport)
{
    const PreviewCase &c = GetParam();
    Harness h;
    if (c.page == Mode::DailyInterest)
        h.m.daily(QDate(2026, 1, 1), QDate(2026, 2, 1), "1000", "5", "100");
    else if (c.page == Mode::SavingsInterest)
        h.m.savings("1000", "5", 0, 2, 0);
    else
        h.m.loan("10000", "6", 1, 0);
    h.useDefaults = c.useDefaults;
    h.m.model.appSettings().UseClassicView = c.classicView;
    if (c.cancel)
        h.loanInfo.queueAnswer({true, QStringLiteral("3/20/2026"), QStringLiteral("TYPED")});
    else
        h.loanInfo.queueAnswer({false, QStringLiteral("3/15/2026"), QStringLiteral("BOAT LOAN")});

    h.dispatcher.printPreview();

    EXPECT_EQ(static_cast<int>(h.loanInfo.asked().size()), c.asked);
    if (c.asked > 0) {
        EXPECT_EQ(h.loanInfo.asked().front(), QStringLiteral("GENERAL LOAN"));
    }
    if (*c.report) {
        ASSERT_EQ(h.preview.shown.size(), 1u);
        EXPECT_EQ(h.preview.shown[0].report, QLatin1String(c.report));
        EXPECT_GT(h.preview.shown[0].pages, 0);
        EXPECT_EQ(h.preview.shown[0].loanType, QLatin1String(c.loanType));
        EXPECT_EQ(h.preview.shown[0].date, QLatin1String(c.date));
    } else {
        EXPECT_TRUE(h.preview.shown.empty());
    }
    EXPECT_EQ(h.dispatcher.LastLoanType, QLatin1String(c.lastType));
    EXPECT_EQ(h.dispatcher.LastOriginationDate, QLatin1String(c.lastDate));
    EXPECT_EQ(h.classic.size(), c.classicView ? 1u : 0u);
    EXPECT_TRUE(h.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Pages, PreviewCommand,
                         testing::Values(PreviewCase{"UseDefaults", Mode::PaymentAmount, true, false, false,
                                                     0, "BandReport", "GENERAL LOAN", "3/4/2026", "", ""},
                                         PreviewCase{"LoanQuestion", Mode::PaymentAmount, false, false, false,
                                                     1, "BandReport", "BOAT LOAN", "3/15/2026", "BOAT LOAN",
                                                     "3/15/2026"},
                                         PreviewCase{"LoanQuestionCancelled", Mode::PaymentAmount, false,
                                                     false, true, 1, "", "", "", "TYPED", "3/20/2026"},
                                         PreviewCase{"Daily", Mode::DailyInterest, false, false, false, 0,
                                                     "BandReport_Daily", "", "", "", ""},
                                         PreviewCase{"Savings", Mode::SavingsInterest, false, false, false, 0,
                                                     "BandReport_Savings", "", "", "", ""},
                                         PreviewCase{"ClassicView", Mode::PaymentAmount, false, true, false,
                                                     0, "", "", "", "", ""}),
                         caseName<PreviewCase>);

// ---- Print ----

TEST(PrintCommand, CancelledDialogPrintsNothing)
{
    Harness h;
    h.m.loan("10000", "6", 1, 0);
    h.printDialog.confirm = false;
    h.dispatcher.print();
    EXPECT_EQ(h.printDialog.shown, 1);
    EXPECT_FALSE(QFile::exists(h.printDialog.pdf(1)));
}

TEST(PrintCommand, WithoutAPrinterSaysSo)
{
    Harness h;
    h.m.loan("10000", "6", 1, 0);
    h.printDialog.noPrinter = true;
    h.dispatcher.print();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0], QStringLiteral("There is no printer to print on."));
}

TEST(PrintCommand, ChosenRangeAndCopiesArePrinted)
{
    Harness h;
    h.m.loan("200000", "6", 30, 0); // 8 pages
    h.printDialog.from = 2;
    h.printDialog.to = 3;
    h.printDialog.copies = 2;
    h.dispatcher.print();
    // A PDF printer makes no copies of its own: each copy of the range is played.
    EXPECT_EQ(accrua::testsupport::pdfPageCount(h.printDialog.pdf(1)), 4);
    EXPECT_TRUE(h.errors().empty());
}

TEST(PrintCommand, PrintFromThePreviewReusesTheLoanInformation)
{
    Harness h;
    h.m.loan("10000", "6", 1, 0);
    h.loanInfo.queueAnswer({false, QStringLiteral("7/31/2025"), QStringLiteral("SAILING BOAT")});
    h.preview.pressPrint = true;
    h.dispatcher.printPreview();
    EXPECT_EQ(h.loanInfo.asked().size(), 1u);
    EXPECT_EQ(h.printDialog.shown, 1);
    const QString text = pdfText(h.printDialog.pdf(1));
    EXPECT_TRUE(text.contains(QStringLiteral("SAILING BOAT"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("7/31/2025")));
    EXPECT_TRUE(text.contains(QStringLiteral("2/28/2026"))) << "February row of an origination on the 31st";
}

// ---- Save and Open ----

TEST(SaveCommand, WritesAReportPageFileThatReopens)
{
    Harness h;
    h.m.loan("10000", "6", 1, 0);
    const QString file = h.dir.filePath(QStringLiteral("loan.ARP"));
    h.files.answers.push_back(file);
    h.dispatcher.save();
    ASSERT_EQ(h.files.asked.size(), 1u);
    EXPECT_EQ(h.files.asked[0].filter, QStringLiteral("Report File (*.ARP)"));
    EXPECT_EQ(h.files.asked[0].defaultSuffix, QStringLiteral("ARP"));
    EXPECT_TRUE(h.files.asked[0].centreOverParent);
    EXPECT_EQ(h.dispatcher.ReportFileName, file);
    EXPECT_EQ(h.loanInfo.asked().size(), 1u);

    h.files.answers.push_back(file);
    h.dispatcher.open();
    ASSERT_EQ(h.preview.shown.size(), 1u);
    EXPECT_EQ(h.preview.shown[0].report, QStringLiteral("BandReport_Empty"));
    EXPECT_EQ(h.preview.shown[0].pages, 1);
    EXPECT_EQ(h.preview.shown[0].title, QStringLiteral("loan"));
    EXPECT_TRUE(h.errors().empty());
}

TEST(SaveCommand, CancelledDialogAsksNothingMore)
{
    Harness h;
    h.m.loan("10000", "6", 1, 0);
    h.dispatcher.save();
    EXPECT_TRUE(h.loanInfo.asked().empty());
    EXPECT_TRUE(h.dispatcher.ReportFileName.isEmpty());
}

TEST(SaveCommand, FailedReportLeavesTheFileAndSaysWhy)
{
    Harness h;
    h.m.loan("10000", "6", 1, 0);
    const QString picture = h.dir.filePath(QStringLiteral("logo.jpg"));
    QFile bad(picture);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no jpeg here");
    bad.close();
    h.m.model.appSettings().ImagePath = picture;
    const QString file = h.dir.filePath(QStringLiteral("old.ARP"));
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    h.files.answers.push_back(file);
    h.dispatcher.save();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_FALSE(h.errors()[0].isEmpty());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

// A saved 30-year loan report (10 pages) whose page `page` has a record of a size no record can have.
QString damagedReport(Harness &h, int page)
{
    h.useDefaults = true;
    h.m.loan("200000", "6", 30, 0);
    const QString file = h.dir.filePath(QStringLiteral("report.ARP"));
    h.files.answers.push_back(file);
    h.dispatcher.save();
    QFile f(file);
    f.open(QIODevice::ReadWrite);
    QByteArray b = f.readAll();
    qint64 at = reports::eng::TRptPageList::kHeaderSize; // the page's record
    for (int n = 1; n < page; ++n)
        at = qFromLittleEndian<qint32>(b.constData() + at + 4);
    at += 8 + qFromLittleEndian<quint32>(b.constData() + at + 12); // past the metafile's header
    qToLittleEndian<quint32>(3, b.data() + at + 4);
    f.seek(0);
    f.write(b);
    return file;
}

struct OpenCase {
    const char *name;
    QByteArray content; // written to the file unless empty
    int damagedPage;    // of a saved 30-year loan report instead, when not 0
    const char *says;
};

class OpenFailure : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenFailure, ShowsTheErrorsOwnTextAndNoPreview)
{
    const OpenCase &c = GetParam();
    Harness h;
    const QString file = h.dir.filePath(QStringLiteral("report.ARP"));
    if (c.damagedPage > 0)
        damagedReport(h, c.damagedPage);
    else if (!c.content.isEmpty()) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
    }
    h.files.answers.push_back(file);
    h.dispatcher.open();
    EXPECT_TRUE(h.preview.shown.empty());
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_TRUE(h.errors()[0].contains(QStringLiteral("report.ARP"))) << h.errors()[0].toStdString();
    EXPECT_TRUE(h.errors()[0].contains(QLatin1String(c.says))) << h.errors()[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, OpenFailure,
                         testing::Values(OpenCase{"Missing", {}, 0, ""},
                                         OpenCase{"NotAReportFile", "hello, world", 0, ""},
                                         OpenCase{"APicture",
                                                  QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(300, '\0'), 0,
                                                  "is not an Accrua report file"},
                                         OpenCase{"DamagedFirstPage", {}, 1, "page 1 of 10"},
                                         OpenCase{"DamagedLastPage", {}, 10, "page 10 of 10"}),
                         caseName<OpenCase>);

// A page that cannot be played stops the print before the printer starts.
class DamagedPrint : public testing::TestWithParam<int> {};

TEST_P(DamagedPrint, SendsNothingToThePrinter)
{
    Harness h;
    reports::eng::TRptPageList pages;
    pages.LoadFromFile(damagedReport(h, GetParam()));
    QPrinter printer;
    printer.setOutputFileName(h.dir.filePath(QStringLiteral("o.pdf")));
    EXPECT_THROW(reports::commands::printPages(pages, printer, {}, {}, {}),
                 reports::commands::ReportPrintError);
    EXPECT_FALSE(QFile::exists(printer.outputFileName())) << "no blank sheet";
}

INSTANTIATE_TEST_SUITE_P(Pages, DamagedPrint, testing::Values(1, 10));

} // namespace
