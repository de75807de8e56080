#include "calc/apr.h"
#include "calc/loan.h"
#include "calc/planner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

using namespace accrua::calc;

namespace {

Money money(Extended v)
{
    return Money::fromValue(v);
}

PlanRequest loan(Extended principal, Extended rate, std::int64_t payments)
{
    PlanRequest r;
    r.principal = money(principal);
    r.ratePercent = rate;
    r.payments = payments;
    r.advance = Date{2026, 1, 15};
    return r;
}

// Published worked examples; each figure is the source's own.
struct Published {
    const char *name;
    std::function<void(PlanRequest &)> adjust;
    Extended payment;
    Extended firstInterest = -1;
    std::int64_t savedPayments = 0;
    Extended savedInterest = 0;
    std::int64_t crossover = 0;
};

class PlanExamples : public testing::TestWithParam<Published> {};

TEST_P(PlanExamples, MatchTheirSource)
{
    const Published &c = GetParam();
    PlanRequest r;
    c.adjust(r);
    const PlanResult p = buildPlan(r);
    ASSERT_EQ(p.status, PlanStatus::Planned) << p.reason;
    EXPECT_EQ(p.payment, money(c.payment));
    if (c.firstInterest >= 0) {
        EXPECT_EQ(p.rows.front().interest, money(c.firstInterest));
    }
    if (c.savedPayments) {
        EXPECT_EQ(p.savedPayments, c.savedPayments);
    }
    // The source carries unrounded payments; cent-rounded payments and
    // interest move the saving by well under a unit.
    if (c.savedInterest > 0) {
        EXPECT_NEAR(static_cast<double>(p.savedInterest.value()), static_cast<double>(c.savedInterest), 1.0);
    }
    if (c.crossover) {
        EXPECT_EQ(p.crossover, c.crossover);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Published, PlanExamples,
    testing::Values(
        // A personal-finance program's public bug report: Canadian semi-annual compounding.
        Published{"SemiAnnual24Monthly",
                  [](PlanRequest &r) {
                      r = loan(100000, 5, 24);
                      r.compounding = 2;
                  },
                  4384.84L},
        // The README of the npm package mortgage-calculator-p, its Canadian mode.
        Published{"Canadian30Years",
                  [](PlanRequest &r) {
                      r = loan(250000, 4.88L, 360);
                      r.compounding = 2;
                  },
                  1316.37L, 1006.48L},
        // The Canadian textbook figure: 100,000 at 6 % compounded semi-annually over 25 years.
        Published{"Canadian25Years",
                  [](PlanRequest &r) {
                      r = loan(100000, 6, 300);
                      r.compounding = 2;
                  },
                  639.81L},
        // A public amortization library's tests: 200 extra a month on a 30-year loan.
        Published{"ExtraPaymentSavings",
                  [](PlanRequest &r) {
                      r = loan(180000, 4.25L, 360);
                      r.extra = RecurringExtra{money(200), 1, 1};
                  },
                  885.49L, -1, 109, 47047.19L, 56}),
    [](const testing::TestParamInfo<Published> &row) { return std::string(row.param.name); });

struct AprCase {
    const char *name;
    Extended amount;
    Extended payment;
    Extended percent;
    Date advance;
    Date first;
    std::int64_t count;
    int decimals;
    bool eu;
};

class AprExamples : public testing::TestWithParam<AprCase> {};

TEST_P(AprExamples, MatchTheirSource)
{
    const AprCase &c = GetParam();
    std::vector<CashFlow> flows{{c.advance, money(c.amount), true}};
    for (std::int64_t k = 0; k < c.count; ++k)
        flows.push_back({paymentDate(c.first, Frequency::Monthly, k), money(c.payment), false});
    const AprResult r = c.eu ? euAprc(flows) : usApr(flows);
    ASSERT_EQ(r.status, AprStatus::Solved);
    const Extended scale = std::pow(10.0L, c.decimals);
    EXPECT_EQ(std::round(r.rate * 100 * scale) / scale, c.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Published, AprExamples,
    testing::Values(
        // Regulation Z, Appendix J: a regular first period, a long first period, a single payment.
        AprCase{"AppendixJMonthly", 5000, 230, 9.69L, {1978, 1, 10}, {1978, 2, 10}, 24, 2, false},
        AprCase{"AppendixJLongFirstPeriod", 6000, 200, 11.82L, {1978, 2, 10}, {1978, 4, 1}, 36, 2, false},
        AprCase{"AppendixJSinglePayment", 1000, 1080, 11.45L, {1978, 1, 3}, {1978, 9, 15}, 1, 2, false},
        // The European Commission's worked example: 200,000 at 6 %, 240 months, a 2 % fee.
        AprCase{
            "CommissionMortgage", 196000, 1432.86L, 6.434412L, {2026, 1, 15}, {2026, 2, 15}, 240, 6, true}),
    [](const testing::TestParamInfo<AprCase> &row) { return std::string(row.param.name); });

// Without a fee the US APR is the nominal rate at every frequency, from a
// month's last day too: counting back from month ends leaves no odd days.
class AprOfPlainPlans : public testing::TestWithParam<Frequency> {};

TEST_P(AprOfPlainPlans, IsTheNominalRate)
{
    PlanRequest r = loan(100000, 6, paymentsInTerm(10, 0, GetParam(), Date{2026, 1, 31}));
    r.advance = Date{2026, 1, 31};
    r.frequency = GetParam();
    const PlanResult p = buildPlan(r);
    ASSERT_EQ(p.apr.status, AprStatus::Solved);
    // Payments in whole cents move it in the fifth decimal of a percent at most.
    EXPECT_NEAR(static_cast<double>(p.apr.rate), 0.06, 2e-7);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, AprOfPlainPlans, testing::ValuesIn(kFrequencies),
                         [](const testing::TestParamInfo<Frequency> &row) {
                             std::string name(frequencyName(row.param));
                             std::erase(name, '-');
                             return name;
                         });

struct Refused {
    const char *name;
    std::function<void(PlanRequest &)> adjust;
    PlanStatus status;
};

class PlanRefusals : public testing::TestWithParam<Refused> {};

TEST_P(PlanRefusals, ComputeNothing)
{
    PlanRequest r = loan(10000, 6, 12);
    GetParam().adjust(r);
    const PlanResult p = buildPlan(r);
    EXPECT_EQ(p.status, GetParam().status);
    EXPECT_FALSE(p.reason.empty());
    EXPECT_TRUE(p.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanRefusals,
    testing::Values(
        Refused{"NegativePrincipal", [](PlanRequest &r) { r.principal = money(-1); }, PlanStatus::Refused},
        Refused{"FeeNotBelowPrincipal", [](PlanRequest &r) { r.fee = r.principal; }, PlanStatus::Refused},
        Refused{"RateChangeAfterLast",
                [](PlanRequest &r) {
                    r.rateChanges = {{13, 7}};
                },
                PlanStatus::Refused},
        Refused{"LumpAfterLast",
                [](PlanRequest &r) {
                    r.lumps = {{13, money(100)}};
                },
                PlanStatus::Refused},
        Refused{"LumpRepaysAll",
                [](PlanRequest &r) {
                    r.lumps = {{0, r.principal}};
                },
                PlanStatus::Refused},
        Refused{"FirstPaymentBeforeAdvance",
                [](PlanRequest &r) {
                    r.firstPayment = Date{2026, 1, 1};
                },
                PlanStatus::Refused},
        Refused{"Weekly230Years",
                [](PlanRequest &r) {
                    r.frequency = Frequency::Weekly;
                    r.payments = paymentsInTerm(230, 0, Frequency::Weekly, r.advance);
                },
                PlanStatus::TooManyPayments},
        Refused{"PaymentBelowInterest", [](PlanRequest &r) { r.fixedPayment = money(50); },
                PlanStatus::CannotBePaidOff},
        Refused{"PaymentTooSmallForEver",
                [](PlanRequest &r) {
                    r.ratePercent = 0.01L;
                    r.fixedPayment = money(0.1L);
                },
                PlanStatus::TooManyPayments}),
    [](const testing::TestParamInfo<Refused> &row) { return std::string(row.param.name); });

struct Dated {
    const char *name;
    Frequency frequency;
    Date first;
    std::int64_t index;
    Date expected;
};

class PaymentDates : public testing::TestWithParam<Dated> {};

TEST_P(PaymentDates, FollowTheFrequency)
{
    const Dated &c = GetParam();
    EXPECT_EQ(paymentDate(c.first, c.frequency, c.index), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PaymentDates,
    testing::Values(Dated{"MonthEndClamped", Frequency::Monthly, {2026, 1, 31}, 1, {2026, 2, 28}},
                    Dated{"MonthEndKeptAfterClamp", Frequency::Monthly, {2026, 1, 31}, 2, {2026, 3, 31}},
                    Dated{"LeapFebruary", Frequency::Quarterly, {2023, 11, 30}, 1, {2024, 2, 29}},
                    Dated{"SemiMonthlySecond", Frequency::SemiMonthly, {2026, 1, 1}, 1, {2026, 1, 16}},
                    Dated{"SemiMonthlyNextMonth", Frequency::SemiMonthly, {2026, 1, 1}, 2, {2026, 2, 1}},
                    Dated{
                        "EveryTwoWeeksAcrossYear", Frequency::EveryTwoWeeks, {2026, 12, 25}, 1, {2027, 1, 8}},
                    Dated{"AnnualLeapDay", Frequency::Annual, {2024, 2, 29}, 1, {2025, 2, 28}}),
    [](const testing::TestParamInfo<Dated> &row) { return std::string(row.param.name); });

// Random plans: the rounding rule and the bookkeeping hold on every row.
TEST(PlanProperties, RandomPlansBalance)
{
    std::mt19937_64 rng(20261207);
    const auto pick = [&rng](std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(hi - lo + 1));
    };
    for (int trial = 0; trial < 400; ++trial) {
        PlanRequest r = loan(static_cast<Extended>(pick(1000, 50000000)) / 100,
                             static_cast<Extended>(pick(0, 2500)) / 100, 0);
        r.frequency = kFrequencies[static_cast<std::size_t>(pick(0, 8))];
        r.payments = pick(1, 600);
        r.repayment = pick(0, 3) == 0 ? Repayment::EqualPrincipal : Repayment::Annuity;
        r.extraMode = pick(0, 1) ? ExtraMode::LowerPayment : ExtraMode::Shorten;
        const bool plain = trial % 2 == 0;
        if (!plain) {
            r.compounding = pick(0, 1) ? kDaily : 2;
            if (pick(0, 1))
                r.extra = RecurringExtra{money(static_cast<Extended>(pick(1, 50000)) / 100),
                                         pick(1, r.payments), pick(1, 3)};
            if (pick(0, 1))
                r.lumps = {{pick(0, r.payments), RoundToCents(r.principal.value() / 10)}};
            if (pick(0, 1))
                r.rateChanges = {{pick(1, r.payments), static_cast<Extended>(pick(0, 2500)) / 100}};
            if (pick(0, 3) == 0 && r.ratePercent > 0)
                r.interestOnly = pick(0, r.payments);
        }
        const PlanResult p = buildPlan(r);
        if (p.status != PlanStatus::Planned)
            continue; // a payment below a cent, at most
        SCOPED_TRACE(trial);
        ASSERT_FALSE(p.rows.empty());
        EXPECT_EQ(p.rows.back().balance, Money{});
        EXPECT_EQ(p.totals.principal, r.principal);
        EXPECT_LE(p.payments, r.payments);
        for (const PlanRow &row : p.rows) {
            EXPECT_EQ(row.interest + row.principal, row.payment + row.extra) << row.number;
            EXPECT_GT((row.payment + row.extra).count, 0) << row.number;
            EXPECT_EQ(RoundToCents(row.payment), row.payment);
        }
        if (!plain || r.frequency != Frequency::Monthly || r.repayment != Repayment::Annuity)
            continue;
        // Monthly without extras: the loan schedule of the same payment, but
        // for the last payment, which takes the residue.
        std::vector<TPaymentObj> schedule;
        BuildSchedule(r.payments, r.ratePercent * kOnePercent / 12, p.payment, r.principal, u'.', &schedule);
        ASSERT_EQ(static_cast<std::int64_t>(schedule.size()), r.payments);
        for (std::size_t k = 0; k + 1 < p.rows.size(); ++k) {
            EXPECT_EQ(p.rows[k].payment, schedule[k].Payment) << k;
            EXPECT_EQ(p.rows[k].interest.value(), schedule[k].Interest) << k;
            EXPECT_EQ(p.rows[k].principal, schedule[k].Principal) << k;
            EXPECT_EQ(p.rows[k].balance, schedule[k].Balance) << k;
        }
    }
}

} // namespace
