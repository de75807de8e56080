#include "calc/format.h"
#include "calc/solver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

using namespace accrua::calc;

namespace {

enum class Solve { PaymentAmount, NumberOfPayments, Amortization };

struct SolverCase {
    const char *name;
    Solve solve;
    Resolution resolution;
    Extended principal, rate, payment;
    std::int64_t count;
    // expected
    LoanStatus status;
    PaymentEntry entry;
    std::int64_t paymentCents; // LoanPayment (the payment a refusal names)
    std::int64_t rows;
    std::int32_t years, months;
    std::int64_t lastPaymentCents, totalInterestCents, totalPaidCents;
};

Money cents(std::int64_t c)
{
    return Money::fromRawCount(c * 100);
}

LoanOutcome run(const SolverCase &c, bool rowTexts = true)
{
    LoanRequest r;
    r.rowTexts = rowTexts;
    r.principal = c.principal;
    r.ratePercent = c.rate;
    r.payment = c.payment;
    r.count = c.count;
    r.resolution = c.resolution;
    switch (c.solve) {
    case Solve::PaymentAmount:
        return solvePaymentAmount(r);
    case Solve::NumberOfPayments:
        return solveNumberOfPayments(r);
    case Solve::Amortization:
        break;
    }
    return planAmortization(r);
}

class KnownLoans : public ::testing::TestWithParam<SolverCase> {};

TEST_P(KnownLoans, Outcome)
{
    const SolverCase &c = GetParam();
    const LoanOutcome out = run(c);
    ASSERT_EQ(out.status, c.status);
    EXPECT_EQ(out.payment, cents(c.paymentCents));
    if (c.status != LoanStatus::Solved)
        return;
    EXPECT_FALSE(out.mustAsk);
    EXPECT_EQ(out.entry, c.entry);
    if (c.entry != PaymentEntry::AsTyped) {
        EXPECT_EQ(out.entered, out.payment);
    }
    EXPECT_EQ(out.count, c.rows);
    ASSERT_EQ(static_cast<std::int64_t>(out.rows.size()), c.rows);
    if (c.solve != Solve::Amortization) {
        EXPECT_EQ(out.term.years, c.years);
        EXPECT_EQ(out.term.months, c.months);
    }
    EXPECT_EQ(out.rows.back().Payment, cents(c.lastPaymentCents));
    EXPECT_EQ(out.totals.TotalInterest, cents(c.totalInterestCents));
    EXPECT_EQ(out.totals.TotalPaid, cents(c.totalPaidCents));
}

// Rows wanted for their amounts only (a batch without rows) come out of the
// same arithmetic, without texts.
TEST_P(KnownLoans, RowsWithoutTextsHoldTheSameAmounts)
{
    const LoanOutcome with = run(GetParam());
    const LoanOutcome without = run(GetParam(), false);
    ASSERT_EQ(without.status, with.status);
    EXPECT_EQ(without.count, with.count);
    EXPECT_EQ(without.payment, with.payment);
    EXPECT_EQ(without.totals.TotalPaid, with.totals.TotalPaid);
    EXPECT_EQ(without.totals.TotalInterest, with.totals.TotalInterest);
    ASSERT_EQ(without.rows.size(), with.rows.size());
    for (std::size_t k = 0; k < with.rows.size(); ++k) {
        const TPaymentObj &a = with.rows[k], &b = without.rows[k];
        EXPECT_EQ(b.Payment, a.Payment) << k;
        EXPECT_EQ(b.Principal, a.Principal) << k;
        EXPECT_EQ(b.Interest, a.Interest) << k;
        EXPECT_EQ(b.Balance, a.Balance) << k;
        EXPECT_EQ(b.BalanceText.length + b.PaymentText.length, 0) << k;
        EXPECT_GT(a.BalanceText.length, 0) << k;
    }
}

constexpr auto kAmount = Resolution::IncreasePaymentAmount;
constexpr auto kCount = Resolution::IncreasePaymentCount;
constexpr auto kSolved = LoanStatus::Solved;

INSTANTIATE_TEST_SUITE_P(
    Solver, KnownLoans,
    ::testing::Values(
        // The count leaves 0.04 after twelve payments of 860.66: the count solve raises it.
        SolverCase{"PaymentRaisedByTheCount", Solve::PaymentAmount, kAmount, 10000, 6, 0, 12, kSolved,
                   PaymentEntry::MoneyText, 86067, 12, 1, 0, 86059, 32796, 1032796},
        SolverCase{"PaymentKeptOneMorePayment", Solve::PaymentAmount, kCount, 10000, 6, 0, 12, kSolved,
                   PaymentEntry::MoneyText, 86066, 13, 1, 1, 4, 32796, 1032796},
        // 665.30 needs 361 payments: the payment solve raises it to meet the term.
        SolverCase{"PaymentRaisedToMeetTheTerm", Solve::PaymentAmount, kAmount, 100000, 7, 0, 360, kSolved,
                   PaymentEntry::GeneralText, 66531, 360, 30, 0, 65591, 13950220, 23950220},
        SolverCase{"PaymentKeptTermExceeded", Solve::PaymentAmount, kCount, 100000, 7, 0, 360, kSolved,
                   PaymentEntry::MoneyText, 66530, 361, 30, 1, 303, 13951103, 23951103},
        SolverCase{"TwoYears", Solve::PaymentAmount, kAmount, 5000, 12, 0, 24, kSolved,
                   PaymentEntry::MoneyText, 23537, 24, 2, 0, 23529, 64880, 564880},
        SolverCase{"CountOfPayments", Solve::NumberOfPayments, kAmount, 10000, 6, 1000, 0, kSolved,
                   PaymentEntry::AsTyped, 100000, 11, 0, 11, 28481, 28481, 1028481},
        SolverCase{"AmortizationAsAsked", Solve::Amortization, kAmount, 10000, 6, 1000, 11, kSolved,
                   PaymentEntry::AsTyped, 100000, 11, 0, 0, 28481, 28481, 1028481},
        SolverCase{"CannotBePaidOff", Solve::NumberOfPayments, kAmount, 100000, 7, 500, 0,
                   LoanStatus::CannotBePaidOff, PaymentEntry::AsTyped, 50000, 0, 0, 0, 0, 0, 0},
        SolverCase{"AmortizationCannotBePaidOff", Solve::Amortization, kAmount, 100000, 7, 500, 360,
                   LoanStatus::CannotBePaidOff, PaymentEntry::AsTyped, 50000, 0, 0, 0, 0, 0, 0},
        SolverCase{"CountPastTheBound", Solve::NumberOfPayments, kAmount, 100000, 0.001L, 0.09L, 0,
                   LoanStatus::TooManyPayments, PaymentEntry::AsTyped, 9, 0, 0, 0, 0, 0, 0},
        // The refusal names the payment of the term asked for, in cents.
        SolverCase{"TermPastTheBound", Solve::PaymentAmount, kAmount, 100000, 7, 0, 12012,
                   LoanStatus::TooManyPayments, PaymentEntry::AsTyped, 58333, 0, 0, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<SolverCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST(Solver, AmortizationAsksWhenTheCountDiffers)
{
    // 10000 at 6 % with 1000 a month is paid off in 11 payments, not 12.
    LoanRequest r;
    r.principal = 10000;
    r.ratePercent = 6;
    r.payment = 1000;
    r.count = 12;
    const LoanOutcome plan = planAmortization(r);
    ASSERT_EQ(plan.status, LoanStatus::Solved);
    EXPECT_TRUE(plan.mustAsk);
    EXPECT_EQ(plan.suggestedCount, 11);
    EXPECT_TRUE(plan.rows.empty());

    // Kept at 12 the schedule ends in a zero row with the totals of 11.
    const LoanOutcome kept = amortizationSchedule(r);
    ASSERT_EQ(kept.rows.size(), 12u);
    EXPECT_EQ(kept.rows.back().Payment, Money{});
    EXPECT_EQ(kept.totals.TotalPaid, cents(1028481));
}

TEST(Solver, FieldValuesReadBackAsTheirTexts)
{
    // The raising loops count with what the payment field shows: the value
    // of the written text, which must be exactly what reading the text gives.
    std::mt19937_64 rng(5);
    for (int k = 0; k < 20000; ++k) {
        const std::int64_t magnitude = static_cast<std::int64_t>(rng() % 19);
        std::int64_t count = static_cast<std::int64_t>(rng() % 9000000000000000000ULL);
        for (std::int64_t d = 0; d < magnitude; ++d)
            count /= 10;
        if (rng() % 2)
            count = -count;
        const Money m = Money::fromRawCount(count);
        const std::u16string general = formatGeneral(m.value(), u'.');
        const std::string generalText(general.begin(), general.end());
        EXPECT_EQ(valueOfGeneralText(m), std::strtold(generalText.c_str(), nullptr)) << generalText;
        const ShortText money = formatMoneyText(m, u'.');
        const std::string moneyText(money.view().begin(), money.view().end());
        EXPECT_EQ(valueOfMoneyText(m), std::strtold(moneyText.c_str(), nullptr)) << moneyText;
    }
}

} // namespace
