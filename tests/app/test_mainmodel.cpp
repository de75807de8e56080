// The main window's decisions without the window: golden calculations through
// the field texts, leave checks, input checks and the report command states.
#include "app/mainmodel.h"
#include "calc/money.h"
#include "support.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace accrua;
using app::Field;
using app::MainModel;
using app::Mode;
using desktop::MessageKind;

namespace {

text::Locale dollars()
{
    return testsupport::usDollars();
}

struct Harness {
    desktop::ScriptedMessageService messages;
    MainModel model{dollars(), messages};

    Harness() { model.resetAmountFields(); }

    // The user types a value and leaves the field.
    void type(Field f, const QString &value)
    {
        model.typeText(f, value);
        model.leaveField(f);
    }
    // The loan fields typed in tab order; nullptr leaves a field as it is.
    void typeLoan(Mode mode, const char *principal, const char *rate, const char *payment, const char *years,
                  const char *months)
    {
        model.selectMode(mode);
        for (auto [f, v] : {std::pair{Field::Principal, principal},
                            {Field::Interest, rate},
                            {Field::Payment, payment},
                            {Field::Years, years},
                            {Field::Months, months}}) {
            if (v)
                type(f, QLatin1String(v));
        }
    }
    QString text(Field f) const { return model.text(f); }
    QString lastMessage() const
    {
        return messages.shown().empty() ? QString() : messages.shown().back().text;
    }
    QString rowText(std::size_t row, int column) const
    {
        const calc::TPaymentObj &r = model.ScheduleRows().at(row);
        const calc::ShortText *t[] = {&r.PaymentText, &r.PrincipalText, &r.InterestText, &r.BalanceText};
        return QString::fromUtf16(t[column]->chars, t[column]->length);
    }
};

struct LoanCase {
    const char *name;
    Mode mode;
    const char *resolution;
    const char *principal, *rate, *payment, *years, *months;
    // expected
    const char *paymentText, *count, *lastPayment, *totalInterest, *totalPaid, *yearsText, *monthsText;
};

class LoanGolden : public ::testing::TestWithParam<LoanCase> {};

TEST_P(LoanGolden, FieldsAndScheduleAfterCalculate)
{
    const LoanCase &c = GetParam();
    Harness h;
    h.model.appSettings().PaymentResolution = QLatin1String(c.resolution);
    const bool termShown = c.mode != Mode::NumberOfPayments;
    h.typeLoan(c.mode, c.principal, c.rate, c.mode != Mode::PaymentAmount ? c.payment : nullptr,
               termShown ? c.years : nullptr, termShown ? c.months : nullptr);
    h.model.calculate();

    EXPECT_EQ(h.text(Field::Payment), QLatin1String(c.paymentText));
    EXPECT_EQ(h.text(Field::TotalNumberPayments), QLatin1String(c.count));
    ASSERT_EQ(h.model.ScheduleRows().size(), QString::fromLatin1(c.count).toUInt());
    EXPECT_EQ(h.rowText(h.model.ScheduleRows().size() - 1, 0), QLatin1String(c.lastPayment));
    EXPECT_EQ(h.text(Field::TotalInterest), QLatin1String(c.totalInterest));
    EXPECT_EQ(h.text(Field::TotalPayments), QLatin1String(c.totalPaid));
    EXPECT_EQ(h.text(Field::Years), QLatin1String(c.yearsText));
    EXPECT_EQ(h.text(Field::Months), QLatin1String(c.monthsText));
    EXPECT_TRUE(h.model.reportCommandsEnabled());
    // Each row's list text is its payment text, and the rows add up.
    calc::Money balance = calc::Money::fromValue(QString::fromLatin1(c.principal).toDouble());
    for (const calc::TPaymentObj &r : h.model.ScheduleRows()) {
        EXPECT_EQ(r.Principal + calc::Money::fromValue(r.Interest), r.Payment);
        EXPECT_EQ(balance - r.Principal, r.Balance);
        balance = r.Balance;
    }
}

const char *const kAmount = "INCREASEPAYMENTAMOUNT";
const char *const kCount = "INCREASEPAYMENTCOUNT";

INSTANTIATE_TEST_SUITE_P(
    Loans, LoanGolden,
    ::testing::Values(LoanCase{"RaisedOneCent", Mode::PaymentAmount, kAmount, "10000.00", "6", "", "1", "0",
                               "860.67", "12", "860.59", "327.96", "10327.96", "1", "0"},
                      LoanCase{"ExtraPayment", Mode::PaymentAmount, kCount, "10000.00", "6", "", "1", "0",
                               "860.66", "13", "0.04", "327.96", "10327.96", "1", "1"},
                      LoanCase{"ThirtyYearsRaised", Mode::PaymentAmount, kAmount, "100000.00", "7", "", "30",
                               "0", "665.31", "360", "655.91", "139502.20", "239502.20", "30", "0"},
                      LoanCase{"ThirtyYearsExtra", Mode::PaymentAmount, kCount, "100000.00", "7", "", "30",
                               "0", "665.30", "361", "3.03", "139511.03", "239511.03", "30", "1"},
                      LoanCase{"TwoYearsInMonths", Mode::PaymentAmount, kAmount, "5000.00", "12", "", "0",
                               "24", "235.37", "24", "235.29", "648.80", "5648.80", "2", "0"},
                      LoanCase{"CountOfPayments", Mode::NumberOfPayments, kAmount, "10000", "6", "1000", "",
                               "", "1000.00", "11", "284.81", "284.81", "10284.81", "0", "11"},
                      LoanCase{"AmortizationAsTyped", Mode::Amortization, kAmount, "10000.00", "6", "1000.00",
                               "0", "11", "1000.00", "11", "284.81", "284.81", "10284.81", "0", "11"}),
    [](const ::testing::TestParamInfo<LoanCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST(Amortization, QuestionAnsweredYesSetsTheTerm)
{
    Harness h;
    h.typeLoan(Mode::Amortization, "10000", "6", "1000", "1", "0");
    h.messages.queueAnswer(desktop::mrYes);
    h.model.calculate();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_EQ(h.messages.shown()[0].kind, MessageKind::Warning);
    EXPECT_EQ(
        h.messages.shown()[0].text,
        QStringLiteral("A loan of $10,000.00 at 6% interest with a payment of $1,000.00 can be completely "
                       "extinguished with 11 payments. Do you want to set the number of payments to 11 for "
                       "this amortization?"));
    EXPECT_EQ(h.text(Field::Years), QStringLiteral("0"));
    EXPECT_EQ(h.text(Field::Months), QStringLiteral("11"));
    EXPECT_EQ(h.model.ScheduleRows().size(), 11u);
    EXPECT_EQ(h.rowText(10, 1), QStringLiteral("283.39"));
    EXPECT_EQ(h.rowText(10, 2), QStringLiteral("1.42"));
    EXPECT_EQ(h.rowText(10, 3), QStringLiteral("0.00"));
}

TEST(Amortization, QuestionAnsweredNoKeepsTheTerm)
{
    struct Case {
        const char *years, *months;
        std::size_t rows;
        const char *totalPrincipal, *totalInterest, *totalPaid, *lastBalance;
    };
    const Case cases[] = {
        {"1", "0", 12, "10000.00", "284.81", "10284.81", "0.00"},
        {"0", "10", 10, "9716.61", "283.39", "10000.00", "283.39"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.typeLoan(Mode::Amortization, "10000", "6", "1000", c.years, c.months);
        h.messages.queueAnswer(desktop::mrNo);
        h.model.calculate();
        EXPECT_EQ(h.text(Field::Years), QLatin1String(c.years));
        ASSERT_EQ(h.model.ScheduleRows().size(), c.rows);
        EXPECT_EQ(h.text(Field::TotalPrincipal), QLatin1String(c.totalPrincipal));
        EXPECT_EQ(h.text(Field::TotalInterest), QLatin1String(c.totalInterest));
        EXPECT_EQ(h.text(Field::TotalPayments), QLatin1String(c.totalPaid));
        EXPECT_EQ(h.rowText(c.rows - 1, 3), QLatin1String(c.lastBalance));
    }
}

TEST(Amortization, RateShownAsTyped)
{
    Harness h;
    h.typeLoan(Mode::Amortization, "10000", "6.50", "1000", "5", nullptr);
    h.messages.queueAnswer(desktop::mrNo);
    h.model.calculate();
    ASSERT_FALSE(h.messages.shown().empty());
    EXPECT_TRUE(
        h.messages.shown()[0].text.startsWith(QStringLiteral("A loan of $10,000.00 at 6.50% interest")));
}

TEST(Loans, CannotBePaidOff)
{
    // Number of payments: message, fields kept, commands disabled. Amortization:
    // the same message, commands as they were.
    for (Mode mode : {Mode::NumberOfPayments, Mode::Amortization}) {
        Harness h;
        h.typeLoan(mode, "100000", "7", "500", "30", nullptr);
        const QString totalBefore = h.text(Field::TotalPayments);
        h.model.EnableReportCommands();
        h.model.calculate();
        EXPECT_EQ(h.lastMessage(),
                  QStringLiteral("A loan of $100,000.00 cannot be paid off with a payment of $500.00"));
        EXPECT_EQ(h.text(Field::TotalPayments), totalBefore);
        EXPECT_TRUE(h.model.ScheduleRows().empty());
        EXPECT_EQ(h.model.reportCommandsEnabled(), mode == Mode::Amortization);
    }
}

TEST(Loans, MendedFailuresChangeNoField)
{
    struct Case {
        const char *name;
        Mode mode;
        const char *principal, *rate, *payment, *years, *months;
        const char *message; // empty: an exception reaches the general error report
    };
    const Case cases[] = {
        {"zero term", Mode::PaymentAmount, "10000", "6", "0", "1", "-12", ""},
        {"too many payments", Mode::NumberOfPayments, "100000", "0.001", "0.09", "0", "0",
         "A loan of $100,000.00 at 0.001% interest with a payment of $0.09 would need more than 12000 "
         "payments."},
        {"too long a term", Mode::PaymentAmount, "100000", "7", "0", "1001", "0",
         "A loan of $100,000.00 at 7% interest with a payment of $583.33 would need more than 12000 "
         "payments."},
        {"too many to amortize", Mode::Amortization, "100000", "0.001", "0.09", "1", "0",
         "A loan of $100,000.00 at 0.001% interest with a payment of $0.09 would need more than 12000 "
         "payments."},
        {"out of range", Mode::NumberOfPayments, "900000000000000", "7000", "1", "0", "0",
         "A loan of $900,000,000,000,000.00 at 7000% interest with a payment of $1.00 is too large to "
         "calculate with."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.typeLoan(c.mode, c.principal, c.rate, c.payment, c.years, c.months);
        std::array<QString, app::kFieldCount> before;
        for (const auto &info : app::allFields())
            before[static_cast<std::size_t>(info.field)] = h.text(info.field);
        h.messages.queueAnswer(desktop::mrNo);
        const auto start = std::chrono::steady_clock::now();
        if (*c.message) {
            h.model.calculate();
            const QStringList parts = QString::fromLatin1(c.message).split(QLatin1Char('*'));
            EXPECT_TRUE(h.lastMessage().startsWith(parts.front()) && h.lastMessage().endsWith(parts.back()))
                << h.lastMessage().toStdString();
        } else {
            EXPECT_THROW(h.model.calculate(), calc::DivisionByZeroError);
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)); // no endless loop
        for (const auto &info : app::allFields())
            EXPECT_EQ(h.text(info.field), before[static_cast<std::size_t>(info.field)])
                << app::controlName(info.field).toStdString();
        EXPECT_TRUE(h.model.ScheduleRows().empty());
    }
}

TEST(Loans, NegativeTermEndsAfterOneMessage)
{
    Harness h;
    h.typeLoan(Mode::PaymentAmount, "10000", "6", nullptr, "-1", nullptr);
    h.model.calculate();
    ASSERT_EQ(h.messages.shown().size(), 1u);
    EXPECT_TRUE(h.lastMessage().startsWith(QStringLiteral("A loan of $10,000.00 cannot be paid off")));
    EXPECT_FALSE(h.model.reportCommandsEnabled());
}

TEST(LeaveChecks, NormaliseOrRefuse)
{
    struct Case {
        Field field;
        const char *typed;
        const char *after;
        const char *message; // empty: no message
    };
    const Case cases[] = {
        {Field::Principal, "1500", "1500.00", ""},
        {Field::Principal, "1500.5", "1500.50", ""},
        {Field::Principal, "1500.567", "1500.56", ""},
        {Field::Principal, " 1500 ", "1500.00", ""},
        {Field::Principal, "1,500", "1,500", "\"1,500\" is not a valid value!"},
        {Field::Principal, "", "", "\"\" is not a valid value!"},
        {Field::Payment, "12a", "12A", "\"12A\" is not a valid value!"},
        {Field::Interest, "abc", "0", "\"ABC\" is not a valid value!"},
        {Field::Interest, "6.5", "6.5", ""},
        {Field::Years, "2.5", "0", "\"2.5\" is not a valid value!"},
        {Field::Years, "-3", "-3", ""},
        {Field::Months, "$A", "$A", ""},
        {Field::DayPrincipal, "99.9", "99.90", ""},
        {Field::SaveMonths, "x", "0", "\"X\" is not a valid value!"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.type(c.field, QLatin1String(c.typed));
        EXPECT_EQ(h.text(c.field), QLatin1String(c.after)) << c.typed;
        EXPECT_EQ(h.lastMessage(), QLatin1String(c.message)) << c.typed;
    }
}

TEST(InputChecks, FirstFailureStopsTheCommand)
{
    struct Case {
        Mode mode;
        const char *principal, *rate, *payment, *years, *months;
        const char *message;
    };
    const Case cases[] = {
        {Mode::PaymentAmount, "0", "6", "0", "1", "0",
         "You must enter the principal balance in order to continue!"},
        {Mode::PaymentAmount, "100.00", "0", "0", "1", "0",
         "You must enter the interest rate in order to continue!"},
        {Mode::PaymentAmount, "100.00", "6", "0", "0", "0",
         "You must enter the number of years and/or months in order to continue!"},
        {Mode::Amortization, "100.00", "6", "0", "1", "0",
         "You must enter the payment amount in order to continue!"},
        {Mode::NumberOfPayments, "100.00", "6", "0", "X", "Y",
         "You must enter the payment amount in order to continue!"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.model.selectMode(c.mode);
        for (auto [f, v] : {std::pair{Field::Principal, c.principal},
                            {Field::Interest, c.rate},
                            {Field::Payment, c.payment},
                            {Field::Years, c.years},
                            {Field::Months, c.months}})
            h.model.typeText(f, QLatin1String(v));
        h.model.EnableReportCommands();
        h.model.calculate();
        EXPECT_EQ(h.lastMessage(), QLatin1String(c.message));
        // A failed check leaves the commands alone (the principal is already in
        // its two-decimal form, so rewriting it changes nothing).
        EXPECT_TRUE(h.model.reportCommandsEnabled());
    }
}

TEST(ReportCommands, StateMachine)
{
    Harness h;
    EXPECT_FALSE(h.model.reportCommandsEnabled());
    h.type(Field::Principal, QStringLiteral("10000"));
    h.type(Field::Interest, QStringLiteral("6"));
    h.type(Field::Years, QStringLiteral("1"));
    h.model.calculate();
    EXPECT_TRUE(h.model.reportCommandsEnabled());
    h.model.selectMode(Mode::SavingsInterest); // a menu choice changes nothing
    EXPECT_TRUE(h.model.reportCommandsEnabled());
    h.model.pageClicked(Mode::PaymentAmount); // a tab click disables
    EXPECT_FALSE(h.model.reportCommandsEnabled());
    h.model.calculate();
    EXPECT_TRUE(h.model.reportCommandsEnabled());
    h.model.typeText(Field::Months, QStringLiteral("1")); // an input change disables
    EXPECT_FALSE(h.model.reportCommandsEnabled());
    h.model.calculate();
    h.model.typeText(Field::SaveInterest, QStringLiteral("9")); // no change handler there
    EXPECT_TRUE(h.model.reportCommandsEnabled());
    h.model.typeText(Field::SaveAmount, QStringLiteral("9"));
    EXPECT_FALSE(h.model.reportCommandsEnabled());
}

TEST(Locale, ZeroAmountFollowsTheCurrencyDecimals)
{
    desktop::ScriptedMessageService messages;
    MainModel model(text::Locale(u',', u'.', 3, QStringLiteral("KD"), false), messages);
    model.resetAmountFields();
    EXPECT_EQ(model.text(Field::Principal), QStringLiteral("0,000"));
    EXPECT_EQ(model.text(Field::DailyRate), QStringLiteral("0,0"));
    EXPECT_EQ(model.text(Field::PaymentAnswer), QStringLiteral("0,00"));
    model.typeText(Field::Principal, QStringLiteral("1234,5"));
    model.leaveField(Field::Principal);
    EXPECT_EQ(model.text(Field::Principal), QStringLiteral("1234,50"));
}

TEST(Performance, WorstLoanCalculationsStayFast)
{
    // Payment barely above the interest at the bound: the raising loops only
    // count; the schedule is built once.
    Harness h;
    h.typeLoan(Mode::PaymentAmount, "1000000", "0.01", nullptr, "1000", nullptr);
    const auto start = std::chrono::steady_clock::now();
    h.model.calculate();
    EXPECT_EQ(h.text(Field::TotalNumberPayments), QStringLiteral("12000"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// ---- Daily Interest ----

TEST(Daily, DayCountFromThePickers)
{
    struct Case {
        QDate start, receive;
        const char *days;
    };
    const Case cases[] = {
        {{2004, 1, 1}, {2005, 1, 1}, "366"}, {{2003, 3, 1}, {2004, 3, 1}, "366"},
        {{2003, 1, 1}, {2004, 1, 1}, "365"}, {{2003, 5, 5}, {2003, 5, 5}, "0"},
        {{1900, 2, 1}, {1900, 3, 1}, "28"},  {{2000, 2, 1}, {2000, 3, 1}, "29"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.model.selectMode(Mode::DailyInterest);
        if (c.start <= h.model.receiveDate()) {
            h.model.datePickerChanged(true, c.start);
            h.model.datePickerChanged(false, c.receive);
        } else {
            h.model.datePickerChanged(false, c.receive);
            h.model.datePickerChanged(true, c.start);
        }
        EXPECT_EQ(h.text(Field::Days), QLatin1String(c.days));
        EXPECT_TRUE(h.messages.shown().empty());
    }
}

TEST(Daily, WrongOrderMovesTheOtherPicker)
{
    Harness h;
    h.model.datePickerChanged(true, QDate(2003, 3, 1)); // start after receive
    EXPECT_EQ(h.lastMessage(), QStringLiteral("The start date must be prior to or equal to the end date for "
                                              "calculating daily interest."));
    EXPECT_EQ(h.model.receiveDate(), QDate(2003, 3, 1));
    h.model.datePickerChanged(false, QDate(2003, 1, 1)); // receive before start
    EXPECT_EQ(h.model.startDate(), QDate(2003, 1, 1));
    EXPECT_EQ(h.text(Field::Days), QStringLiteral("0"));
}

TEST(Daily, WorkedExamples)
{
    struct Case {
        int base;
        const char *payment;
        const char *rate, *interest, *principalPayment, *accrued, *remaining;
    };
    const Case cases[] = {
        {365, "100", "0.136986301369863", "4.11", "95.89", "0.00", "904.11"},
        {365, "0", "0.136986301369863", "4.11", "0.00", "4.11", "1004.11"},
        {360, "100", "0.138888888888889", "4.17", "95.83", "0.00", "904.17"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.model.appSettings().AmortizedBase = c.base;
        h.model.selectMode(Mode::DailyInterest);
        h.type(Field::Days, QStringLiteral("30"));
        h.type(Field::DayPrincipal, QStringLiteral("1000"));
        h.type(Field::DayInterest, QStringLiteral("5"));
        h.type(Field::DayPayment, QLatin1String(c.payment));
        h.model.calculate();
        EXPECT_EQ(h.text(Field::DailyRate), QLatin1String(c.rate));
        EXPECT_EQ(h.text(Field::IntPerPeriod), QLatin1String(c.interest));
        EXPECT_EQ(h.text(Field::PrincipalPayment), QLatin1String(c.principalPayment));
        EXPECT_EQ(h.text(Field::IntAccrued), QLatin1String(c.accrued));
        EXPECT_EQ(h.text(Field::RemainingBalance), QLatin1String(c.remaining));
        EXPECT_TRUE(h.model.reportCommandsEnabled());
    }
}

TEST(Daily, ChecksInOrder)
{
    struct Case {
        const char *days, *principal, *rate, *payment;
        const char *message;
        Field field;
        const char *after; // the field's text afterwards
    };
    const Case cases[] = {
        {"X", "1", "1", "1", "\"X\" is not a valid number of days!", Field::Days, "X"},
        {"0", "1", "1", "1", "You must enter a valid number of days in order to continue!", Field::Days, "1"},
        {"5", "A", "1", "1", "\"A\" is not a valid value!", Field::DayPrincipal, "A"},
        {"5", "0", "1", "1", "You must enter the principal balance in order to continue!",
         Field::DayPrincipal, "0"},
        {"5", "1000.456", "X", "1", "\"X\" is not a valid value!", Field::DayPrincipal, "1000.46"},
        {"5", "1", "0", "1", "You must enter the interest rate in order to continue!", Field::DayInterest,
         "0"},
        {"5", "1", "1", "Q", "\"Q\" is not a valid value!", Field::DayPayment, "Q"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.model.selectMode(Mode::DailyInterest);
        for (auto [f, v] : {std::pair{Field::Days, c.days},
                            {Field::DayPrincipal, c.principal},
                            {Field::DayInterest, c.rate},
                            {Field::DayPayment, c.payment}})
            h.model.typeText(f, QLatin1String(v));
        h.model.calculate();
        EXPECT_EQ(h.lastMessage(), QLatin1String(c.message));
        EXPECT_EQ(h.text(c.field), QLatin1String(c.after));
        EXPECT_FALSE(h.model.reportCommandsEnabled());
    }
}

TEST(Daily, UnusableDayBaseIsRefused)
{
    Harness h;
    h.model.appSettings().AmortizedBase = 0;
    h.model.selectMode(Mode::DailyInterest);
    h.type(Field::Days, QStringLiteral("30"));
    h.type(Field::DayPrincipal, QStringLiteral("1000"));
    h.type(Field::DayInterest, QStringLiteral("5"));
    h.model.calculate();
    EXPECT_TRUE(h.lastMessage().contains(QStringLiteral("AMORTIZEDBASE")));
    EXPECT_TRUE(h.lastMessage().contains(QStringLiteral("0")));
    EXPECT_EQ(h.text(Field::IntPerPeriod), QStringLiteral("0.00"));
    EXPECT_FALSE(h.model.reportCommandsEnabled());
}

// ---- Savings Interest ----

TEST(Savings, WorkedExamples)
{
    struct Case {
        int compounding;
        const char *balance, *years, *months;
        std::vector<std::pair<const char *, const char *>> rows;
        const char *accrued, *ending;
    };
    const Case cases[] = {
        {2,
         "1000",
         "1",
         "0",
         {{"10.00", "1010.00"}, {"10.10", "1020.10"}, {"10.20", "1030.30"}, {"10.30", "1040.60"}},
         "40.60",
         "1040.60"},
        {1,
         "1000",
         "2",
         "6",
         {{"20.00", "1020.00"},
          {"20.40", "1040.40"},
          {"20.81", "1061.21"},
          {"21.22", "1082.43"},
          {"21.65", "1104.08"}},
         "104.08",
         "1104.08"},
        // Negative halves round away from zero: exactly -10.00 stays -10.00.
        {2, "-1000", "0", "3", {{"-10.00", "-1010.00"}}, "-10.00", "-1010.00"},
    };
    for (const Case &c : cases) {
        Harness h;
        h.model.selectMode(Mode::SavingsInterest);
        h.type(Field::SaveAmount, QLatin1String(c.balance));
        h.type(Field::SaveInterest, QStringLiteral("4"));
        h.model.setCompounding(c.compounding);
        h.type(Field::SaveYears, QLatin1String(c.years));
        h.type(Field::SaveMonths, QLatin1String(c.months));
        h.model.calculate();
        ASSERT_EQ(h.model.SavingsRows().size(), c.rows.size());
        for (std::size_t k = 0; k < c.rows.size(); ++k) {
            const calc::TSavingsObj &r = h.model.SavingsRows()[k];
            EXPECT_EQ(QString::fromUtf16(r.InterestText.chars, r.InterestText.length),
                      QLatin1String(c.rows[k].first));
            EXPECT_EQ(QString::fromUtf16(r.BalanceText.chars, r.BalanceText.length),
                      QLatin1String(c.rows[k].second));
        }
        EXPECT_EQ(h.text(Field::SaveIntAccrued), QLatin1String(c.accrued));
        EXPECT_EQ(h.text(Field::SaveEndBalance), QLatin1String(c.ending));
        EXPECT_TRUE(h.model.reportCommandsEnabled());
    }
}

TEST(Savings, MonthsRules)
{
    struct Case {
        int compounding;
        const char *months;
        bool passes;
    };
    const Case cases[] = {
        {1, "6", true},  {1, "06", false}, {1, " 6", false}, {3, "06", true}, {3, "12", false},
        {3, "11", true}, {2, "9", true},   {2, "4", false},  {0, "0", true},  {0, "1", false},
    };
    for (const Case &c : cases) {
        Harness h;
        h.model.selectMode(Mode::SavingsInterest);
        EXPECT_EQ(h.model.compounding(), 1); // "Bi-Yearly" at start
        h.model.typeText(Field::SaveAmount, QStringLiteral("100"));
        h.model.typeText(Field::SaveInterest, QStringLiteral("4"));
        h.model.setCompounding(c.compounding);
        h.model.typeText(Field::SaveYears, QStringLiteral("1"));
        h.model.typeText(Field::SaveMonths, QLatin1String(c.months));
        h.model.calculate();
        EXPECT_EQ(h.model.reportCommandsEnabled(), c.passes) << c.months;
        if (!c.passes) {
            EXPECT_EQ(h.messages.shown().back().kind, MessageKind::Information);
            EXPECT_EQ(h.text(Field::SaveMonths), QStringLiteral("0"));
        }
    }
    Harness h;
    h.model.typeText(Field::SaveAmount, QStringLiteral("100"));
    h.model.typeText(Field::SaveInterest, QStringLiteral("4"));
    h.model.typeText(Field::SaveYears, QStringLiteral("1"));
    h.model.typeText(Field::SaveMonths, QStringLiteral("3"));
    h.model.selectMode(Mode::SavingsInterest);
    h.model.calculate();
    EXPECT_EQ(h.lastMessage(),
              QStringLiteral("When calculating the interest earned on a loan compounded 2 times per "
                             "year,\nthe number of months must be 0 or 6!"));
}

TEST(Savings, ThousandYearsMonthly)
{
    Harness h;
    h.model.selectMode(Mode::SavingsInterest);
    h.type(Field::SaveAmount, QStringLiteral("1000"));
    h.type(Field::SaveInterest, QStringLiteral("0.5"));
    h.model.setCompounding(3);
    h.type(Field::SaveYears, QStringLiteral("1000"));
    h.model.calculate();
    EXPECT_EQ(h.model.SavingsRows().size(), 12000u);
}

} // namespace
