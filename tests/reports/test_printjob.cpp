// The print path of the report commands and the preview: the pages, copies
// and collation a print dialog leaves on the printer, played onto a PDF file
// (never a real printer) and read back page by page.
#include "reports/commands/printjob.h"

#include "pdf.h"
#include "support.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <string>
#include <vector>

using namespace accrua;
using namespace accrua::reports;

namespace {

constexpr int kPages = 4;

// Four pages that say which they are; the third is landscape.
void addNumberedPages(eng::TRptPageList &pages)
{
    pages.beginReport();
    for (int n = 1; n <= kPages; ++n) {
        const QSizeF size = n == 3 ? QSizeF(1056, 816) : QSizeF(816, 1056);
        eng::EmfWriter writer(size);
        writer.drawText(QRectF(96, 96, 400, 40), eng::HAlign::Left, eng::FontSpec{},
                        QStringLiteral("Sheet %1").arg(n));
        pages.AddPage(writer.finish());
    }
    pages.Finish();
}

// The sheet numbers of a PDF, in order.
std::vector<int> sheetsOf(const QString &pdf)
{
    std::vector<int> sheets;
    static const QRegularExpression sheet(QStringLiteral("Sheet (\\d+)"));
    for (const QString &text : testsupport::pdfPageTexts(pdf)) {
        const QRegularExpressionMatch m = sheet.match(text);
        sheets.push_back(m.hasMatch() ? m.captured(1).toInt() : 0);
    }
    return sheets;
}

struct PrintCase {
    const char *name;
    int from, to; // the dialog's page range; 0: all pages
    int copies;
    bool collate;
    std::vector<int> sheets;
};

class PrintJob : public testing::TestWithParam<PrintCase> {
protected:
    static void SetUpTestSuite() { testsupport::ensureGuiApp(); }
    QTemporaryDir dir;
};

TEST_P(PrintJob, PlaysTheChosenPagesAndCopiesInOrder)
{
    const PrintCase &c = GetParam();
    eng::TRptPageList pages;
    addNumberedPages(pages);
    const QString file = dir.filePath(QStringLiteral("out.pdf"));
    const auto printer = testsupport::pdfPrinter(file);
    if (c.from > 0) {
        printer->setPrintRange(QPrinter::PageRange);
        printer->setFromTo(c.from, c.to);
    }
    printer->setCopyCount(c.copies);
    printer->setCollateCopies(c.collate);

    commands::printPages(pages, *printer, commands::printChoiceOf(*printer), QStringLiteral("Numbers"), {});
    EXPECT_EQ(sheetsOf(file), c.sheets);
    EXPECT_EQ(testsupport::pdfPageCount(file), static_cast<int>(c.sheets.size()));
}

INSTANTIATE_TEST_SUITE_P(Choices, PrintJob,
                         testing::Values(PrintCase{"AllPagesOnce", 0, 0, 1, true, {1, 2, 3, 4}},
                                         PrintCase{"RangeOnce", 2, 3, 1, true, {2, 3}},
                                         PrintCase{"RangeCollated", 2, 3, 2, true, {2, 3, 2, 3}},
                                         PrintCase{"RangeUncollated", 2, 3, 2, false, {2, 2, 3, 3}},
                                         PrintCase{"RangePastTheEnd", 3, 9, 1, true, {3, 4}},
                                         PrintCase{"AllUncollated", 0, 0, 2, false, {1, 1, 2, 2, 3, 3, 4, 4}},
                                         PrintCase{"OnePageThrice", 4, 4, 3, true, {4, 4, 4}}),
                         [](const testing::TestParamInfo<PrintCase> &row) {
                             return std::string(row.param.name);
                         });

struct RefusalCase {
    const char *name;
    int from, to;
    bool noFile;
    const char *message;
};

class PrintRefusal : public testing::TestWithParam<RefusalCase> {
protected:
    static void SetUpTestSuite() { testsupport::ensureGuiApp(); }
    QTemporaryDir dir;
};

TEST_P(PrintRefusal, PrintsNothingAndSaysWhy)
{
    const RefusalCase &c = GetParam();
    eng::TRptPageList pages;
    addNumberedPages(pages);
    const QString file = dir.filePath(QStringLiteral("out.pdf"));
    // What Qt's dialog leaves when no printer is installed: a PDF printer
    // without a file.
    const auto printer = c.noFile ? testsupport::pdfPrinterWithoutFile() : testsupport::pdfPrinter(file);
    printer->setPrintRange(QPrinter::PageRange);
    printer->setFromTo(c.from, c.to);
    try {
        commands::printPages(pages, *printer, commands::printChoiceOf(*printer), QString(), {});
        FAIL() << "printed";
    } catch (const commands::ReportPrintError &e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
    }
    EXPECT_FALSE(QFile::exists(file));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, PrintRefusal,
    testing::Values(RefusalCase{"RangeBeyondTheLastPage", 5, 6, false, "There are no pages to print."},
                    RefusalCase{"NoPrinter", 1, 2, true, "There is no printer to print on."}),
    [](const testing::TestParamInfo<RefusalCase> &row) { return std::string(row.param.name); });

// The printer the dialog left counts only when it is a PDF file or a printer
// the seam lists: the machine's own printers never decide a test.
struct ChosenCase {
    const char *name;
    commands::ChosenPrinter chosen;
    QStringList installed;
    bool printable;
};

class PrinterToPrintOn : public testing::TestWithParam<ChosenCase> {};

TEST_P(PrinterToPrintOn, CountsOnlyAFileOrAListedPrinter)
{
    EXPECT_EQ(commands::printerChosen(GetParam().chosen, GetParam().installed), GetParam().printable);
}

INSTANTIATE_TEST_SUITE_P(
    Printers, PrinterToPrintOn,
    testing::Values(
        ChosenCase{"PdfFile", {true, QStringLiteral("a.pdf"), {}}, {}, true},
        ChosenCase{"PdfWithoutFile", {true, {}, QStringLiteral("Office")}, {QStringLiteral("Office")}, false},
        ChosenCase{"InstalledPrinter",
                   {false, {}, QStringLiteral("Office")},
                   {QStringLiteral("Laser"), QStringLiteral("Office")},
                   true},
        ChosenCase{"PrinterGoneSinceTheDialog",
                   {false, {}, QStringLiteral("Office")},
                   {QStringLiteral("Laser")},
                   false},
        ChosenCase{"NoPrinterNamed", {false, {}, {}}, {QString()}, false}),
    [](const testing::TestParamInfo<ChosenCase> &row) { return std::string(row.param.name); });

} // namespace
