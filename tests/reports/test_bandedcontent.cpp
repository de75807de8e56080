// The banded reports' content on the engine's page plan, without drawing:
// which band prints where, with which captions, and when the totals print.
#include "banded_fixture.h"

#include "reports/banded/reportinputs.h"
#include "text/numbers.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace accrua;
using namespace accrua::reportstest;
using reports::banded::TForm_Reports;

namespace {

const text::Locale kUs = testsupport::usDollars();

std::unique_ptr<TForm_Reports> newForm()
{
    return std::make_unique<TForm_Reports>(kUs, [] { return QDate(2026, 3, 4); });
}

QString text(const calc::ShortText &t)
{
    return QString::fromUtf16(t.chars, t.length);
}

QString total(calc::Money m)
{
    return text::GroupThousands(text::FormatMoney(m, kUs), kUs);
}

template <class Case> std::string caseName(const testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

// ---- amortization rows and totals ----

struct TotalsCase {
    const char *name;
    QDate origination;
    int years, months;
    bool printTotals;
    std::vector<int> totalsAfter; // row numbers the totals band follows
};

class AmortizationTotals : public testing::TestWithParam<TotalsCase> {};

TEST_P(AmortizationTotals, FollowDecemberRowsAndTheLastWithRunningSums)
{
    const TotalsCase &c = GetParam();
    Model m;
    m.loan("10000", "6", c.years, c.months);
    m.model.appSettings().PrintTotals = c.printTotals;
    const auto &rows = m.model.ScheduleRows();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.years * 12 + c.months));

    auto form = newForm();
    reports::banded::fillAmortization(*form, m.model, reports::banded::dateText(c.origination, kUs),
                                      QStringLiteral("AUTO"));
    const CaptureSink sink = layOut(form->BandReport);

    std::vector<int> totalsAfter;
    int row = 0;
    int yearStart = 1;
    int year = 0;
    for (const PrintedBand &b : sink.printed) {
        if (b.band == QLatin1String("RptSubDetail_Details")) {
            ++row;
            const calc::TPaymentObj &r = rows[static_cast<std::size_t>(row - 1)];
            const QDate date = c.origination.addMonths(row);
            EXPECT_EQ(b.caption("RptLabel_PMT"), QString::number(row));
            EXPECT_EQ(b.caption("RptLabel_DATE"), date.toString(QStringLiteral("M/d/yyyy"))) << row;
            EXPECT_EQ(b.caption("RptLabel_PAYMENT"), text::GroupThousands(text(r.PaymentText), kUs));
            EXPECT_EQ(b.caption("RptLabel_BALANCE"), text::GroupThousands(text(r.BalanceText), kUs));
            if (date.year() != year) {
                year = date.year();
                yearStart = row;
            }
        } else if (b.band == QLatin1String("RptSubDetail_Totals")) {
            totalsAfter.push_back(row);
            calc::Money yearly, overall, yearlyInterest;
            for (int k = 1; k <= row; ++k) {
                const calc::TPaymentObj &r = rows[static_cast<std::size_t>(k - 1)];
                overall += r.Payment;
                if (k >= yearStart) {
                    yearly += r.Payment;
                    yearlyInterest += calc::Money::fromValue(r.Interest);
                }
            }
            EXPECT_EQ(b.caption("RptLabel_YearlyPayment"), total(yearly)) << "after row " << row;
            EXPECT_EQ(b.caption("RptLabel_OverallPayment"), total(overall)) << "after row " << row;
            EXPECT_EQ(b.caption("RptLabel_YearlyInterest"), total(yearlyInterest)) << "after row " << row;
        }
    }
    EXPECT_EQ(row, static_cast<int>(rows.size()));
    EXPECT_EQ(totalsAfter, c.totalsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, AmortizationTotals,
    testing::Values(TotalsCase{"FirstPaymentInDecember", QDate(2026, 11, 15), 1, 2, true, {13, 14}},
                    TotalsCase{"TwelveRowsFromJanuary", QDate(2026, 12, 10), 1, 0, true, {12}},
                    TotalsCase{"MidYearDay31", QDate(2027, 5, 31), 2, 6, true, {7, 19, 30}},
                    TotalsCase{"CenturyFebruary", QDate(2099, 11, 30), 0, 6, true, {6}},
                    TotalsCase{"PrintTotalsOff", QDate(2027, 5, 31), 2, 6, false, {}}),
    caseName<TotalsCase>);

// ---- title blocks ----

struct TitleCase {
    const char *name;
    bool paymentPage; // the payment comes from the answer box
    const char *title;
    const char *payment;
};

class AmortizationTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(AmortizationTitle, ShowsTheResultBoxesGroupedAndTheRateWithPercent)
{
    const TitleCase &c = GetParam();
    Model m;
    m.loan("200000", "6.5", 30, 0, c.paymentPage ? nullptr : "1500");
    m.model.appSettings().Title = QLatin1String(c.title);
    m.model.appSettings().AmortizedBase = 360;
    auto form = newForm();
    reports::banded::fillAmortization(*form, m.model, QStringLiteral("1/31/2026"),
                                      QStringLiteral("boat on a lake"));
    const CaptureSink sink = layOut(form->BandReport);
    const auto title = sink.of("RptBand_Title");
    ASSERT_EQ(title.size(), 1u);
    const PrintedBand &t = title.front();
    EXPECT_EQ(t.page, 1);
    EXPECT_EQ(t.caption("RptLabel_Title"), QLatin1String(c.title));
    EXPECT_EQ(t.caption("RptLabel_LoanType"), QStringLiteral("boat on a lake"));
    EXPECT_EQ(t.caption("RptLabel_InterestRate"), QStringLiteral("6.5%"));
    EXPECT_EQ(t.caption("RptLabel_BeginningBalance"), QStringLiteral("200,000.00"));
    EXPECT_EQ(t.caption("RptLabel_MonthlyPayment"), QLatin1String(c.payment));
    EXPECT_EQ(t.caption("RptLabel_NumberOfPayments"), m.model.text(Field::TotalNumberPayments));
    EXPECT_EQ(t.caption("RptLabel_AmortizedBase"), QStringLiteral("360"));
    EXPECT_EQ(t.caption("RptLabel_DateOfLoan"), QStringLiteral("1/31/2026"));
}

INSTANTIATE_TEST_SUITE_P(Pages, AmortizationTitle,
                         testing::Values(TitleCase{"PaymentAnswer", true, "Schedule", "1,264.14"},
                                         TitleCase{"TypedPaymentEmptyTitle", false, "", "1,500.00"}),
                         caseName<TitleCase>);

TEST(AmortizationInputs, OriginationTextThatIsNoDateIsRefused)
{
    Model m;
    m.loan("1000", "5", 1, 0);
    auto form = newForm();
    EXPECT_THROW(reports::banded::fillAmortization(*form, m.model, QStringLiteral("31/31/2026"), QString()),
                 reports::banded::ReportInputError);
}

struct OriginationCase {
    const char *name;
    const char *dateFormat;
    QDate date;
};

class OriginationDate : public testing::TestWithParam<OriginationCase> {};

// The command line's --origination and today reach the report as dates: a
// short date format with a two-digit year must not move them a century.
TEST_P(OriginationDate, KnownAsADateKeepsItsCentury)
{
    const OriginationCase &c = GetParam();
    const text::Locale locale(u'.', u',', 2, QStringLiteral("$"), true, QString::fromLatin1(c.dateFormat));
    desktop::ScriptedMessageService messages;
    app::MainModel model(locale, messages);
    model.appSettings().ImagePath.clear();
    TForm_Reports form(locale, [] { return QDate(2026, 3, 4); });
    reports::banded::fillAmortization(form, model, c.date, QStringLiteral("HOME LOAN"));
    EXPECT_EQ(form.OriginationDate, c.date);
}

INSTANTIATE_TEST_SUITE_P(Formats, OriginationDate,
                         testing::Values(OriginationCase{"TwoDigitYear", "M/d/yy", QDate(2026, 2, 1)},
                                         OriginationCase{"TwoDigitYearLastCentury", "d.M.yy",
                                                         QDate(1999, 12, 31)},
                                         OriginationCase{"FourDigitYear", "M/d/yyyy", QDate(2026, 1, 31)}),
                         caseName<OriginationCase>);

// ---- savings ----

struct SavingsCase {
    const char *name;
    int compounding, years, months;
    bool printTotals;
    std::vector<const char *> years_; // YEAR texts of the first rows and the last
    std::vector<int> totalsAfter;
};

class SavingsReport : public testing::TestWithParam<SavingsCase> {};

TEST_P(SavingsReport, YearColumnTotalsAndUngroupedAmounts)
{
    const SavingsCase &c = GetParam();
    Model m;
    m.savings("250000", "5", c.compounding, c.years, c.months);
    m.model.appSettings().PrintSavingsTotals = c.printTotals;
    const auto &rows = m.model.SavingsRows();
    auto form = newForm();
    reports::banded::fillSavings(*form, m.model);
    const CaptureSink sink = layOut(form->BandReport_Savings);

    const PrintedBand title = sink.of("RptBand_SavingsTitle").at(0);
    EXPECT_EQ(title.caption("RptLabel_SavingsInterestRate"), QStringLiteral("5"));
    EXPECT_EQ(title.caption("RptLabel_SavingsBeginningBalance"), QStringLiteral("250,000.00"));
    EXPECT_EQ(title.caption("RptLabel_SavingsNumberOfPayments"), QString::number(rows.size()));

    const auto details = sink.of("RptSubDetail_Savings");
    ASSERT_EQ(details.size(), rows.size());
    for (std::size_t k = 0; k + 1 < c.years_.size(); ++k)
        EXPECT_EQ(details[k].caption("RptLabel_SavingsYear"), QLatin1String(c.years_[k]));
    EXPECT_EQ(details.back().caption("RptLabel_SavingsYear"), QLatin1String(c.years_.back()));
    for (std::size_t k = 0; k < rows.size(); ++k)
        EXPECT_EQ(details[k].caption("RptLabel_SavingsBalance"), text(rows[k].BalanceText)); // not grouped

    std::vector<int> totalsAfter;
    int row = 0;
    int yearStart = 1;
    for (const PrintedBand &b : sink.printed) {
        if (b.band == QLatin1String("RptSubDetail_Savings"))
            ++row;
        if (b.band != QLatin1String("RptSubDetail_SavingsTotals"))
            continue;
        totalsAfter.push_back(row);
        calc::Money yearly, overall;
        for (int k = 1; k <= row; ++k) {
            overall += rows[static_cast<std::size_t>(k - 1)].Interest;
            if (k >= yearStart)
                yearly += rows[static_cast<std::size_t>(k - 1)].Interest;
        }
        EXPECT_EQ(b.caption("RptLabel_SavingsYearlyInterest"), text::FormatMoney(yearly, kUs));
        EXPECT_EQ(b.caption("RptLabel_SavingsOverallInterest"), text::FormatMoney(overall, kUs));
        yearStart = row + 1;
    }
    EXPECT_EQ(totalsAfter, c.totalsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Compounding, SavingsReport,
    testing::Values(SavingsCase{"QuarterlyTenPeriods", 2, 2, 6, true, {"0.25", "0.50", "2.50"}, {4, 8, 10}},
                    SavingsCase{"Yearly", 0, 3, 0, true, {"1", "2", "3"}, {1, 2, 3}},
                    SavingsCase{"HalfYearly", 1, 1, 6, true, {"0.5", "1.0", "1.5"}, {2, 3}},
                    SavingsCase{"MonthlyEighteen", 3, 1, 6, true, {"0.0833", "0.1667", "1.5000"}, {12, 18}},
                    SavingsCase{"TotalsOff", 2, 2, 6, false, {"0.25", "2.50"}, {}}),
    caseName<SavingsCase>);

// ---- daily ----

TEST(DailyReport, TwelvePairsWithoutPercentAndGroupedAmounts)
{
    Model m;
    m.daily(QDate(2026, 1, 1), QDate(2026, 3, 2), "125000", "7.25", "2000");
    m.model.appSettings().DailyTitle = QStringLiteral("Interest");
    m.model.appSettings().DailySubtitle.clear();
    auto form = newForm();
    reports::banded::fillDaily(*form, m.model);
    const CaptureSink sink = layOut(form->BandReport_Daily);
    ASSERT_EQ(sink.pages, 1);
    const PrintedBand d = sink.of("RptBand_Daily").at(0);
    EXPECT_EQ(d.caption("RptLabel_DailyTitle"), QStringLiteral("Interest"));
    EXPECT_EQ(d.caption("RptLabel_DailySubtitle"), QString());
    EXPECT_EQ(d.caption("RptLabel_DailyStartDate"), QStringLiteral("1/1/2026"));
    EXPECT_EQ(d.caption("RptLabel_DailyReceiveDate"), QStringLiteral("3/2/2026"));
    EXPECT_EQ(d.caption("RptLabel_DailyTotalDays"), QStringLiteral("60"));
    EXPECT_EQ(d.caption("RptLabel_DailyAnnualInterestRate"), QStringLiteral("7.25"));
    EXPECT_EQ(d.caption("RptLabel_DailyBeginningBalance"), QStringLiteral("125,000.00"));
    EXPECT_EQ(d.caption("RptLabel_DailyRemainingBalance"),
              text::GroupThousands(m.model.text(Field::RemainingBalance), kUs));
    EXPECT_EQ(sink.of("RptBand_DailyFooter").size(), 1u);
}

// ---- pictures ----

struct ImageCase {
    const char *name;
    enum { Folder, Missing, Bitmap, Broken } path;
    bool printImage;
    bool loaded;
    bool throws;
};

class ReportImage : public testing::TestWithParam<ImageCase> {};

TEST_P(ReportImage, LoadedOnlyFromAReadablePictureFile)
{
    const ImageCase &c = GetParam();
    QTemporaryDir dir;
    QString path = dir.path();
    if (c.path == ImageCase::Missing)
        path += QStringLiteral("/none.bmp");
    if (c.path == ImageCase::Bitmap) {
        path += QStringLiteral("/logo.bmp");
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(path, "BMP"));
    }
    if (c.path == ImageCase::Broken) {
        path += QStringLiteral("/broken.bmp");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM not a bitmap at all");
    }
    Model m;
    m.savings("1000", "5", 0, 1, 0);
    m.model.appSettings().ImagePath = path;
    m.model.appSettings().PrintImage = c.printImage;
    auto form = newForm();
    if (c.throws) {
        EXPECT_THROW(reports::banded::fillSavings(*form, m.model), std::runtime_error);
        return;
    }
    reports::banded::fillSavings(*form, m.model);
    for (reports::eng::Picture *p : {form->RptImage, form->RptImage_Savings, form->RptImage_Daily})
        EXPECT_EQ(!p->image.isNull(), c.loaded) << p->name().toStdString();
    layOut(form->BandReport_Savings);
    EXPECT_EQ(form->RptImage_Savings->enabled, c.printImage);
}

INSTANTIATE_TEST_SUITE_P(Paths, ReportImage,
                         testing::Values(ImageCase{"Folder", ImageCase::Folder, true, false, false},
                                         ImageCase{"MissingFile", ImageCase::Missing, true, false, false},
                                         ImageCase{"Bitmap", ImageCase::Bitmap, true, true, false},
                                         ImageCase{"BitmapNotPrinted", ImageCase::Bitmap, false, true, false},
                                         ImageCase{"UnreadableFile", ImageCase::Broken, true, false, true}),
                         caseName<ImageCase>);

// ---- pages ----

constexpr double kFooterTop = 1056 - 48 - 18;

TEST(AmortizationPages, BandsBreakWholeAndTotalsMoveToTheNextPage)
{
    Model m;
    m.loan("200000", "6", 30, 0);
    bool totalsOpenedAPage = false;
    for (int month = 1; month <= 12; ++month) {
        auto form = newForm();
        reports::banded::fillAmortization(*form, m.model,
                                          reports::banded::dateText(QDate(2026, month, 1), kUs), QString());
        const CaptureSink sink = layOut(form->BandReport);
        ASSERT_GT(sink.pages, 5);
        EXPECT_EQ(sink.of("RptGroup_header").size(), 1u);
        EXPECT_EQ(static_cast<int>(sink.of("RptBand_Footer").size()), sink.pages);
        EXPECT_EQ(static_cast<int>(sink.of("RptBand_Header").size()), sink.pages - 1);
        for (std::size_t k = 0; k < sink.printed.size(); ++k) {
            const PrintedBand &b = sink.printed[k];
            if (b.band == QLatin1String("RptBand_Footer")) {
                EXPECT_DOUBLE_EQ(b.top, kFooterTop);
                continue;
            }
            EXPECT_LE(b.top + b.height, kFooterTop) << b.band.toStdString() << " on page " << b.page;
            if (b.band == QLatin1String("RptBand_Header")) {
                EXPECT_DOUBLE_EQ(b.top, 48);
                // What opens the page did not fit above the previous footer.
                const PrintedBand &last = sink.printed[k - 2];
                const PrintedBand &next = sink.printed[k + 1];
                EXPECT_GT(last.top + last.height + next.height, kFooterTop);
                totalsOpenedAPage |= next.band == QLatin1String("RptSubDetail_Totals");
            }
        }
    }
    EXPECT_TRUE(totalsOpenedAPage);
}

struct EmptyCase {
    const char *name;
    bool savings;
};

class EmptyRows : public testing::TestWithParam<EmptyCase> {};

TEST_P(EmptyRows, PrintTitleHeadingsAndFooterOnly)
{
    const std::vector<calc::TPaymentObj> none;
    const std::vector<reports::banded::SavingsRowType> noSavings;
    auto form = newForm();
    form->Rows = &none;
    form->SavingsRows = &noSavings;
    const CaptureSink sink = layOut(GetParam().savings ? form->BandReport_Savings : form->BandReport);
    std::vector<QString> bands;
    for (const PrintedBand &b : sink.printed)
        bands.push_back(b.band);
    const std::vector<QString> expected =
        GetParam().savings
            ? std::vector<QString>{QStringLiteral("RptBand_SavingsTitle"), QStringLiteral("RptGroup_Savings"),
                                   QStringLiteral("RptBand_SavingsFooter")}
            : std::vector<QString>{QStringLiteral("RptBand_Title"), QStringLiteral("RptGroup_header"),
                                   QStringLiteral("RptBand_Footer")};
    EXPECT_EQ(bands, expected);
}

INSTANTIATE_TEST_SUITE_P(Reports, EmptyRows,
                         testing::Values(EmptyCase{"Amortization", false}, EmptyCase{"Savings", true}),
                         caseName<EmptyCase>);

} // namespace
