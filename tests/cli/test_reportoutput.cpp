// accrua-cli's report outputs: --pdf, --arp, --csv and --classic for every calculation,
// --origination and --purpose standing for the loan question, --setting
// reaching the report, and failures that name the file and write nothing.
#include "cli/cli.h"

#include "engine/pagefile/pagelist.h"
#include "pdf.h"
#include "reports/classic/rtf.h"
#include "support.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using accrua::testsupport::pdfText;

namespace {

using accrua::cli::Services;

QByteArray contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct OutputCase {
    const char *name;
    QStringList args;      // the command; the outputs are appended
    QStringList pdfTexts;  // found in the PDF's text
    QStringList pdfAbsent; // not found there
    const char *csvHeader; // first line of the CSV
    int csvLines;          // lines after the header
};

// Runs accrua-cli in process with a store of its own and a fixed today.
template <class Case> class CliRun : public testing::TestWithParam<Case> {
protected:
    int run(const QStringList &args)
    {
        QTextStream o(&out), e(&err);
        const int status = accrua::cli::run(args, o, e, services);
        o.flush();
        e.flush();
        return status;
    }
    QTemporaryDir dir;
    Services services{accrua::testsupport::usDollars(),
                      accrua::settings::FileSettingsFactory(dir.filePath(QStringLiteral("Accrua.conf"))),
                      [] { return QDate(2026, 5, 31); }};
    QString out, err;
};

class CliReports : public CliRun<OutputCase> {
protected:
    void SetUp() override { accrua::testsupport::ensureGuiApp(); }
};

TEST_P(CliReports, WritesTheReportAsPdfPageFileAndCsv)
{
    const OutputCase &c = GetParam();
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    const QString arp = dir.filePath(QStringLiteral("r.ARP"));
    const QString csv = dir.filePath(QStringLiteral("r.csv"));
    ASSERT_EQ(run(c.args + QStringList{QStringLiteral("--pdf"), pdf, QStringLiteral("--arp"), arp,
                                       QStringLiteral("--csv"), csv}),
              0)
        << err.toStdString();

    const QString text = pdfText(pdf);
    for (const QString &t : c.pdfTexts)
        EXPECT_TRUE(text.contains(t)) << t.toStdString();
    for (const QString &t : c.pdfAbsent)
        EXPECT_FALSE(text.contains(t)) << t.toStdString();

    accrua::engine::pagefile::TRptPageList pages;
    pages.LoadFromFile(arp);
    EXPECT_EQ(pages.pageCount(), static_cast<int>(text.count(QLatin1Char('\f'))));

    const QList<QByteArray> lines = contents(csv).trimmed().split('\n');
    EXPECT_EQ(lines.front(), QByteArray(c.csvHeader));
    EXPECT_EQ(lines.size() - 1, c.csvLines);
}

const QStringList kLoan = {
    QStringLiteral("payment"), QStringLiteral("--principal"), QStringLiteral("200000"),
    QStringLiteral("--rate"),  QStringLiteral("6"),           QStringLiteral("--years"),
    QStringLiteral("30"),      QStringLiteral("--months"),    QStringLiteral("0")};

INSTANTIATE_TEST_SUITE_P(
    Commands, CliReports,
    testing::Values(
        OutputCase{"LoanQuestionAnswered",
                   kLoan + QStringList{QStringLiteral("--origination"), QStringLiteral("2027-01-31"),
                                       QStringLiteral("--purpose"), QStringLiteral("Cabin by the lake")},
                   {QStringLiteral("Cabin by the lake"), QStringLiteral("1/31/2027"),
                    QStringLiteral("2/28/2027"), QStringLiteral("YEARLY TOTALS"), QStringLiteral("Page 2")},
                   {},
                   "PMT,DATE,PAYMENT,PRINCIPAL,INTEREST,BALANCE",
                   360},
        OutputCase{"LoanDefaultsWithoutTotals",
                   kLoan + QStringList{QStringLiteral("--setting"), QStringLiteral("PRINTTOTALS=FALSE")},
                   {QStringLiteral("GENERAL LOAN"), QStringLiteral("5/31/2026"), QStringLiteral("6/30/2026")},
                   {QStringLiteral("YEARLY TOTALS")},
                   "PMT,DATE,PAYMENT,PRINCIPAL,INTEREST,BALANCE",
                   360},
        OutputCase{
            "Savings",
            {QStringLiteral("savings"), QStringLiteral("--balance"), QStringLiteral("1000"),
             QStringLiteral("--rate"), QStringLiteral("5"), QStringLiteral("--compounded"),
             QStringLiteral("quarterly"), QStringLiteral("--years"), QStringLiteral("2"),
             QStringLiteral("--months"), QStringLiteral("6")},
            {QStringLiteral("Compounded Interest"), QStringLiteral("2.50"), QStringLiteral("OVERALL TOTALS")},
            {},
            "PERIOD,YEAR,INTEREST,BALANCE",
            10},
        OutputCase{"Daily",
                   {QStringLiteral("daily"), QStringLiteral("--principal"), QStringLiteral("125000"),
                    QStringLiteral("--rate"), QStringLiteral("7.25"), QStringLiteral("--payment"),
                    QStringLiteral("2000"), QStringLiteral("--start"), QStringLiteral("2026-01-01"),
                    QStringLiteral("--receive"), QStringLiteral("2026-03-02")},
                   {QStringLiteral("125,000.00"), QStringLiteral("TOTAL DAYS:"), QStringLiteral("Page 1")},
                   {},
                   "START,RECEIVE,DAYS,PRINCIPAL,RATE,PAYMENT,DAILY_RATE,INTEREST,PRINCIPAL_PAYMENT,"
                   "INTEREST_ACCRUED,REMAINING_BALANCE",
                   1}),
    [](const testing::TestParamInfo<OutputCase> &param) { return std::string(param.param.name); });

struct FailureCase {
    const char *name;
    QStringList extra;
    int status;
    const char *errContains; // in stderr; "%DIR%" stands for the temporary folder
};

class CliReportFailures : public CliReports {};

TEST_F(CliReportFailures, RefusalsWriteNothingAndNameTheFile)
{
    const QString pdf = dir.filePath(QStringLiteral("kept.pdf"));
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const QString picture = dir.filePath(QStringLiteral("logo.jpg"));
    QFile bad(picture);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();

    const std::vector<FailureCase> cases = {
        {"BadOrigination",
         {QStringLiteral("--origination"), QStringLiteral("2026-02-30"), QStringLiteral("--pdf"), pdf},
         2,
         "--origination"},
        {"CsvAndJsonOnStdout",
         {QStringLiteral("--csv"), QStringLiteral("-"), QStringLiteral("--json")},
         2,
         "--json"},
        {"UnreadablePicture",
         {QStringLiteral("--setting"), QStringLiteral("IMAGEPATH=") + picture, QStringLiteral("--pdf"), pdf},
         1,
         "kept.pdf"},
        {"MissingFolder", {QStringLiteral("--pdf"), dir.filePath(QStringLiteral("none/r.pdf"))}, 1, "none"},
    };
    for (const FailureCase &c : cases) {
        out.clear();
        err.clear();
        EXPECT_EQ(run(kLoan + c.extra), c.status) << c.name;
        EXPECT_TRUE(err.contains(QLatin1String(c.errContains))) << c.name << ": " << err.toStdString();
        EXPECT_EQ(contents(pdf), QByteArray("old")) << c.name;
    }
}

// --classic writes the classic report as rich text; --classic - prints the
// same lines as plain text in place of the table.
struct ClassicCase {
    const char *name;
    QStringList args;
    QStringList lines; // lines the report has, with their line numbers below
    std::vector<int> at;
    const char *courier; // the fixed-pitch font's name as the layout writes it
};

class CliClassic : public CliRun<ClassicCase> {
protected:
    void SetUp() override { accrua::testsupport::ensureGuiApp(); }
};

TEST_P(CliClassic, WritesTheClassicReport)
{
    const ClassicCase &c = GetParam();
    const QString file = dir.filePath(QStringLiteral("classic.TXT"));
    ASSERT_EQ(run(c.args + QStringList{QStringLiteral("--classic"), file}), 0) << err.toStdString();
    accrua::reports::classic::RtfFormat format;
    accrua::reports::classic::ClassicLines lines;
    ASSERT_TRUE(format.readFile(file, lines)) << format.errorString().toStdString();
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[0].attributes,
              (accrua::reports::classic::ClassicAttributes{QStringLiteral("Arial"), 12, true, false}));
    EXPECT_EQ(lines.back().attributes.fontName, QLatin1String(c.courier));
    for (std::size_t i = 0; i < c.at.size(); ++i)
        EXPECT_EQ(lines[c.at[i]].text.trimmed().toStdString(), c.lines[qsizetype(i)].toStdString())
            << c.at[i];

    out.clear();
    ASSERT_EQ(run(c.args + QStringList{QStringLiteral("--classic"), QStringLiteral("-")}), 0)
        << err.toStdString();
    EXPECT_EQ(out.toStdString(), accrua::reports::classic::plainText(lines).toStdString())
        << "the table gives way to the report's lines";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliClassic,
    testing::Values(
        ClassicCase{
            "Loan",
            kLoan + QStringList{QStringLiteral("--origination"), QStringLiteral("2027-01-31"),
                                QStringLiteral("--purpose"), QStringLiteral("Cabin by the lake")},
            {QStringLiteral("Amortization Schedule"), QStringLiteral("Cabin by the lake"),
             QStringLiteral("1      2/28/2027       1,199.11             199.11         1,000.00        "
                            "199,800.89")},
            {0, 2, 8},
            "courier new"},
        ClassicCase{"LoanDefaults", kLoan, {QStringLiteral("GENERAL LOAN")}, {2}, "courier new"},
        ClassicCase{"Savings",
                    {QStringLiteral("savings"), QStringLiteral("--balance"), QStringLiteral("1000"),
                     QStringLiteral("--rate"), QStringLiteral("5"), QStringLiteral("--compounded"),
                     QStringLiteral("quarterly"), QStringLiteral("--years"), QStringLiteral("2"),
                     QStringLiteral("--months"), QStringLiteral("6")},
                    {QStringLiteral("Interest Earned on Deposit"),
                     QStringLiteral("1.   0.25              12.50          1,012.50")},
                    {0, 6},
                    "Courier New"},
        ClassicCase{"Daily",
                    {QStringLiteral("daily"), QStringLiteral("--principal"), QStringLiteral("125000"),
                     QStringLiteral("--rate"), QStringLiteral("7.25"), QStringLiteral("--payment"),
                     QStringLiteral("2000"), QStringLiteral("--start"), QStringLiteral("2026-01-01"),
                     QStringLiteral("--receive"), QStringLiteral("2026-03-02")},
                    {QStringLiteral("Daily Interest Results"), QStringLiteral("Start Date : 1/1/2026"),
                     QStringLiteral("Beginning Balance :      125,000.00")},
                    {0, 3, 13},
                    "courier new"}),
    [](const testing::TestParamInfo<ClassicCase> &param) { return std::string(param.param.name); });

TEST_F(CliReportFailures, ClassicRefusals)
{
    const QString kept = dir.filePath(QStringLiteral("kept.TXT"));
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const std::vector<FailureCase> cases = {
        {"ClassicAndJsonOnStdout",
         {QStringLiteral("--classic"), QStringLiteral("-"), QStringLiteral("--json")},
         2,
         "--classic -"},
        {"ClassicAndCsvOnStdout",
         {QStringLiteral("--classic"), QStringLiteral("-"), QStringLiteral("--csv"), QStringLiteral("-")},
         2,
         "--classic -"},
        {"NoFileName", {QStringLiteral("--classic"), QString()}, 2, "--classic needs a file name"},
        {"MissingFolder",
         {QStringLiteral("--classic"), dir.filePath(QStringLiteral("none/r.TXT"))},
         1,
         "none"},
    };
    for (const FailureCase &c : cases) {
        out.clear();
        err.clear();
        EXPECT_EQ(run(kLoan + c.extra), c.status) << c.name;
        EXPECT_TRUE(err.contains(QLatin1String(c.errContains))) << c.name << ": " << err.toStdString();
        EXPECT_EQ(contents(kept), QByteArray("old")) << c.name;
    }
}

} // namespace
