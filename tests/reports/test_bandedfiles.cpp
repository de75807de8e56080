// The banded reports as files: a PDF per report whose text pdftotext reads
// back, the report page file reopening with the same pages, and failed
// writes leaving the target as it was.
#include "banded_fixture.h"

#include "engine/pdf/document.h"
#include "reports/banded/reportinputs.h"
#include "reports/banded/reportoutput.h"
#include "text/numbers.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "pdf.h"

#include <gtest/gtest.h>

using namespace accrua;
using namespace accrua::reportstest;
using reports::banded::TForm_Reports;

using accrua::testsupport::pdfText;

namespace {

template <class Case> std::string caseName(const testing::TestParamInfo<Case> &param)
{
    return param.param.name;
}

const text::Locale kUs = testsupport::usDollars();

// A line holding the texts in this order, blanks between.
QRegularExpression lineOf(const QStringList &texts)
{
    QStringList escaped;
    for (const QString &t : texts)
        escaped << QRegularExpression::escape(t);
    return QRegularExpression(escaped.join(QStringLiteral("\\s+")));
}

struct PdfCase {
    const char *name;
    reports::banded::ReportKind kind;
    std::vector<QStringList> lines; // besides the first row's line
    bool secondPage;
};

class ReportPdf : public testing::TestWithParam<PdfCase> {
protected:
    void SetUp() override { testsupport::ensureGuiApp(); }
};

TEST_P(ReportPdf, TextOfTitleRowsTotalsAndPagesReadsBack)
{
    const PdfCase &c = GetParam();
    Model m;
    QStringList firstRow;
    QStringList lastTotals{QStringLiteral("OVERALL TOTALS")};
    switch (c.kind) {
    case reports::banded::ReportKind::Amortization: {
        m.loan("200000", "6", 30, 0);
        const calc::TPaymentObj &r = m.model.ScheduleRows().front();
        const auto g = [](const calc::ShortText &t) {
            return text::GroupThousands(QString::fromUtf16(t.chars, t.length), kUs);
        };
        firstRow = {QStringLiteral("1"), QStringLiteral("2/15/2026"), g(r.PaymentText),
                    g(r.PrincipalText),  g(r.InterestText),           g(r.BalanceText)};
        calc::Money paid;
        for (const calc::TPaymentObj &row : m.model.ScheduleRows())
            paid += row.Payment;
        lastTotals = {QStringLiteral("OVERALL TOTALS"),
                      text::GroupThousands(text::FormatMoney(paid, kUs), kUs)};
        break;
    }
    case reports::banded::ReportKind::Savings: {
        m.savings("10000", "4", 3, 10, 0);
        const auto &r = m.model.SavingsRows().front();
        firstRow = {QStringLiteral("1"), QStringLiteral("0.0833"),
                    QString::fromUtf16(r.InterestText.chars, r.InterestText.length),
                    QString::fromUtf16(r.BalanceText.chars, r.BalanceText.length)};
        break;
    }
    case reports::banded::ReportKind::Daily:
        m.daily(QDate(2026, 1, 1), QDate(2026, 3, 2), "125000", "7.25", "2000");
        firstRow = {QStringLiteral("START DATE:"), QStringLiteral("1/1/2026")};
        lastTotals = {QStringLiteral("REMAINING BALANCE:")};
        break;
    }
    TForm_Reports form(kUs, [] { return QDate(2026, 1, 15); });
    if (c.kind == reports::banded::ReportKind::Amortization)
        reports::banded::fillAmortization(form, m.model, QStringLiteral("1/15/2026"),
                                          QStringLiteral("HOME LOAN"));
    else if (c.kind == reports::banded::ReportKind::Savings)
        reports::banded::fillSavings(form, m.model);
    else
        reports::banded::fillDaily(form, m.model);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const auto pages = reports::banded::generatePages(reports::banded::reportOf(form, c.kind));
    reports::banded::savePdf(*pages, pdf, QStringLiteral("Report"));
    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.contains(lineOf(firstRow))) << text.left(2000).toStdString();
    EXPECT_TRUE(text.contains(lineOf(lastTotals))) << lastTotals.join(u' ').toStdString();
    for (const QStringList &line : c.lines)
        EXPECT_TRUE(text.contains(lineOf(line))) << line.join(u' ').toStdString();
    EXPECT_EQ(text.contains(lineOf({QStringLiteral("Page"), QStringLiteral("2")})), c.secondPage);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("Page\\s+\\d+"))), pages->pageCount());
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportPdf,
    testing::Values(PdfCase{"Amortization",
                            reports::banded::ReportKind::Amortization,
                            {{QStringLiteral("Amortization Schedule")},
                             {QStringLiteral("HOME LOAN")},
                             {QStringLiteral("INTEREST RATE:"), QStringLiteral("6%")},
                             {QStringLiteral("BEGINNING BALANCE:"), QStringLiteral("200,000.00")},
                             {QStringLiteral("PMT"), QStringLiteral("DATE"), QStringLiteral("PAYMENT AMOUNT"),
                              QStringLiteral("PRINCIPAL"), QStringLiteral("INTEREST"),
                              QStringLiteral("BALANCE")},
                             {QStringLiteral("YEARLY TOTALS")},
                             {QStringLiteral("YEARLY TOTALS")}},
                            true},
                    PdfCase{"Savings",
                            reports::banded::ReportKind::Savings,
                            {{QStringLiteral("Compounded Interest")},
                             {QStringLiteral("INTEREST RATE:"), QStringLiteral("4")},
                             {QStringLiteral("PMT"), QStringLiteral("YEAR"), QStringLiteral("INTEREST"),
                              QStringLiteral("BALANCE")},
                             {QStringLiteral("OVERALL TOTALS")}},
                            true},
                    PdfCase{"Daily",
                            reports::banded::ReportKind::Daily,
                            {{QStringLiteral("Daily Interest")},
                             {QStringLiteral("TOTAL DAYS:"), QStringLiteral("60")},
                             {QStringLiteral("BEGINNING BALANCE:"), QStringLiteral("125,000.00")}},
                            false}),
    caseName<PdfCase>);

// The reports as PDFs from the direct writer read by pdftotext exactly as the
// PDFs Qt's engine makes of the same pages, fonts embedded as subsets.
struct GoldenCase {
    const char *name;
    reports::banded::ReportKind kind;
    bool picture;
};

class GoldenPdf : public testing::TestWithParam<GoldenCase> {
protected:
    void SetUp() override
    {
        testsupport::ensureGuiApp();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
    }
};

TEST_P(GoldenPdf, ReadsAsQtsPdfOfTheSamePages)
{
    const GoldenCase &c = GetParam();
    QTemporaryDir dir;
    Model m;
    if (c.picture) {
        QImage logo(120, 60, QImage::Format_RGB32);
        logo.fill(QColor(30, 90, 160));
        const QString path = dir.filePath(QStringLiteral("logo.bmp"));
        ASSERT_TRUE(logo.save(path, "BMP"));
        m.model.appSettings().ImagePath = path;
        m.model.appSettings().PrintImage = true;
    }
    if (c.kind == reports::banded::ReportKind::Amortization)
        m.loan("200000", "6", 30, 0);
    else if (c.kind == reports::banded::ReportKind::Savings)
        m.savings("10000", "4", 3, 10, 0);
    else
        m.daily(QDate(2026, 1, 1), QDate(2026, 3, 2), "125000", "7.25", "2000");
    // A form gives one report: each output gets a fresh one.
    const auto filledForm = [&] {
        auto form = std::make_unique<TForm_Reports>(kUs, [] { return QDate(2026, 1, 15); });
        if (c.kind == reports::banded::ReportKind::Amortization)
            reports::banded::fillAmortization(*form, m.model, QStringLiteral("1/15/2026"),
                                              QStringLiteral("HOME LOAN"));
        else if (c.kind == reports::banded::ReportKind::Savings)
            reports::banded::fillSavings(*form, m.model);
        else
            reports::banded::fillDaily(*form, m.model);
        return form;
    };
    const auto form = filledForm();
    const auto fresh = filledForm();
    const auto pages = reports::banded::generatePages(reports::banded::reportOf(*form, c.kind));
    const QString ours = dir.filePath(QStringLiteral("ours.pdf")),
                  qt = dir.filePath(QStringLiteral("qt.pdf"));
    reports::banded::savePdf(*pages, ours, reports::banded::reportOf(*form, c.kind).title);
    QFile qtFile(qt);
    ASSERT_TRUE(qtFile.open(QIODevice::WriteOnly));
    ASSERT_FALSE(engine::pdf::writeDocumentThroughQt(
        engine::pdf::allPages(pages->pageCount()), [&](int n) { return pages->GetPage(n); }, qtFile,
        QStringLiteral("Report")));
    qtFile.close();

    const QString text = pdfText(ours);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text, pdfText(qt));
    // Made again with its pages played as they come: the same file.
    const QString streamed = dir.filePath(QStringLiteral("streamed.pdf"));
    reports::banded::generatePdf(reports::banded::reportOf(*fresh, c.kind), streamed);
    QFile a(ours), b(streamed);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {ours});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QList<QByteArray> lines = fonts.readAllStandardOutput().split('\n').mid(2);
    for (const QByteArray &line : lines) {
        if (!line.trimmed().isEmpty()) {
            EXPECT_TRUE(line.contains("+Liberation") && line.simplified().contains("yes yes yes"))
                << line.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, GoldenPdf,
    testing::Values(GoldenCase{"Amortization", reports::banded::ReportKind::Amortization, false},
                    GoldenCase{"AmortizationWithPicture", reports::banded::ReportKind::Amortization, true},
                    GoldenCase{"Savings", reports::banded::ReportKind::Savings, false},
                    GoldenCase{"Daily", reports::banded::ReportKind::Daily, false}),
    caseName<GoldenCase>);

TEST(ReportPageFile, SavedFileReopensWithTheSamePages)
{
    testsupport::ensureGuiApp();
    Model m;
    m.loan("200000", "6", 30, 0);
    TForm_Reports form(kUs, [] { return QDate(2026, 1, 15); });
    reports::banded::fillAmortization(form, m.model, QStringLiteral("1/15/2026"),
                                      QStringLiteral("HOME LOAN"));
    const auto pages = reports::banded::generatePages(form.BandReport);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("loan.ARP"));
    pages->SaveToFile(file);
    reports::eng::TRptPageList reopened;
    reopened.LoadFromFile(file);
    ASSERT_EQ(reopened.pageCount(), pages->pageCount());
    for (int n = 1; n <= pages->pageCount(); ++n)
        EXPECT_EQ(reopened.GetPage(n), pages->GetPage(n)) << "page " << n;
}

TEST(ReportOutput, FailedWritesLeaveTheTargetAsItWas)
{
    testsupport::ensureGuiApp();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("old.pdf"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();

    const reports::eng::TRptPageList nothing; // no pages: the PDF cannot be made
    EXPECT_THROW(reports::banded::savePdf(nothing, target, QString()), reports::banded::ReportOutputError);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old content"));
}

} // namespace
