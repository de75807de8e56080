#include "calc/format.h"
#include "calc/loan.h"
#include "calc/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

using namespace accrua::calc;

namespace {

std::string utf8(std::u16string_view s)
{
    return std::string(s.begin(), s.end()); // test texts are ASCII
}

Money cents(std::int64_t c)
{
    return Money::fromRawCount(c * 100);
}

} // namespace

TEST(Money, ConversionRoundsTiesToEven)
{
    struct Case {
        Extended value;
        std::int64_t count;
    };
    const Case cases[] = {
        {0.00005L, 0},   {0.00015L, 2},       {0.00025L, 2},      {-0.00005L, 0},
        {-0.00015L, -2}, {1234.5L, 12345000}, {860.66L, 8606600},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Money::fromValue(c.value).count, c.count) << static_cast<double>(c.value);
    EXPECT_EQ(Money::fromCount(712.5L).count, 712);
    EXPECT_EQ(Money::fromCount(713.5L).count, 714);

    // Whole-number rounding across the range, halves to the even neighbour.
    struct Rounding {
        Extended value;
        std::int64_t expected;
    };
    const Rounding roundings[] = {
        {2.5L, 2},
        {3.5L, 4},
        {-2.5L, -2},
        {-3.5L, -4},
        {0.49999999999999999L, 0},
        {-0.5L, 0},
        {1e18L + 0.5L, 1000000000000000000LL},
        {-1e18L - 1.5L, -1000000000000000002LL},
        {9223372036854775806.0L, 9223372036854775806LL},
        {-9223372036854775807.0L, -9223372036854775807LL},
    };
    for (const Rounding &r : roundings)
        EXPECT_EQ(roundToInt64(r.value), r.expected) << static_cast<double>(r.value);
    EXPECT_THROW(roundToInt64(9223372036854775808.0L), MoneyRangeError);
    EXPECT_THROW(roundToInt64(-9223372036854775808.5L), MoneyRangeError);
}

TEST(Money, OutOfRangeIsRefusedNotUndefined)
{
    EXPECT_THROW(Money::fromValue(1e20L), MoneyRangeError);
    EXPECT_THROW(Money::fromValue(-1e20L), MoneyRangeError);
    EXPECT_THROW(Money::fromValue(std::numeric_limits<Extended>::infinity()), MoneyRangeError);
    EXPECT_THROW(Money::fromValue(std::numeric_limits<Extended>::quiet_NaN()), MoneyRangeError);
    EXPECT_THROW(Money::fromRawCount(std::numeric_limits<std::int64_t>::max()) + Money::fromRawCount(1),
                 MoneyRangeError);
    EXPECT_NO_THROW(Money::fromValue(9.2e14L));
}

TEST(Money, RoundToCentsHalvesAwayFromZero)
{
    struct Case {
        std::int64_t count;
        std::int64_t expected;
    };
    const Case cases[] = {
        {23450, 23500},     {23449, 23400}, {-23450, -23500}, {-23449, -23400}, {-100000, -100000},
        {-958900, -958900}, {49, 0},        {-49, 0},         {50, 100},        {-50, -100},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RoundToCents(Money::fromRawCount(c.count)).count, c.expected) << c.count;
    // The floating form rounds the unrounded product straight to cents.
    EXPECT_EQ(RoundToCents(2.345L).count, 23500);
    EXPECT_EQ(RoundToCents(-2.345L).count, -23500);
    EXPECT_EQ(RoundToCents(-10.0L).count, -100000);
    EXPECT_EQ(RoundToCents(0.004999L).count, 0);
}

TEST(Money, IntPowerBySquaring)
{
    EXPECT_EQ(intPower(2.0L, 0), 1.0L);
    EXPECT_EQ(intPower(2.0L, 10), 1024.0L);
    EXPECT_EQ(intPower(2.0L, -2), 0.25L);
    EXPECT_NEAR(static_cast<double>(intPower(1.005L, 360)), std::pow(1.005, 360), 1e-9);
}

TEST(Format, GeneralText)
{
    struct Case {
        Extended value;
        const char *text;
    };
    const Case cases[] = {
        {0, "0"},
        {1234.5L, "1234.5"},
        {860.67L, "860.67"},
        {50.0L / 365, "0.136986301369863"},
        {50.0L / 360, "0.138888888888889"},
        {1e20L, "1E20"},
        {1.5e-6L, "1.5E-6"},
        {0.00001L, "0.00001"},
        {-0.25L, "-0.25"},
        {123456789012345.0L, "123456789012345"},
        {1e15L, "1E15"},
        {11.0L, "11"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(utf8(formatGeneral(c.value, u'.')), c.text);
    EXPECT_EQ(utf8(formatGeneral(0.5L, u',')), "0,5");
}

TEST(Format, MoneyTextMatchesGeneralTextBroughtToTwoDecimals)
{
    struct Case {
        std::int64_t count;
        const char *text;
    };
    const Case cases[] = {
        {12345000, "1234.50"},
        {0, "0.00"},
        {123450, "12.35"},
        {-958900, "-95.89"},
        {-100, "-0.01"},
        {99999999999999900LL, "9999999999999.99"},
        {99999999999999990LL, "10000000000000.00"},
        {123456789012345600LL, "12345678901234.60"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(utf8(formatMoneyText(Money::fromRawCount(c.count), u'.').view()), c.text) << c.count;
    EXPECT_EQ(utf8(formatMoneyText(Money::fromRawCount(12345000), u',').view()), "1234,50");

    // The fast integer path agrees with the general text on random amounts.
    std::mt19937_64 rng(7);
    for (int k = 0; k < 20000; ++k) {
        const std::int64_t c = static_cast<std::int64_t>(rng() % 2000000000000000ULL) - 1000000000000000LL;
        const Money m = Money::fromRawCount(c);
        std::u16string general = formatGeneral(RoundToCents(m).value(), u'.');
        const auto dot = general.find(u'.');
        if (dot == std::u16string::npos)
            general += u".00";
        else if (general.size() - dot == 2)
            general += u'0';
        EXPECT_EQ(utf8(formatMoneyText(m, u'.').view()), utf8(general)) << c;
    }
}

TEST(Loan, AmortizationEstimates)
{
    struct Case {
        Extended principal, rate, payment;
        bool increaseCount;
        std::int64_t expected;
    };
    const Case cases[] = {
        {10000, 6, 860.66L, false, 13},
        {10000, 6, 860.66L, true, 13},
        {10000, 6, 1000, false, 11},
        {100000, 7.125L, 700, false, 319},
        {100000, 7, 500, false, -1},
        // One payment repays it all; a second would pay 0.00 on a zero balance.
        {10000, 6, 20000, false, 1},
    };
    for (const Case &c : cases) {
        const auto k = EstimateAmortizationPayments(c.principal, c.rate, c.payment, c.increaseCount);
        ASSERT_TRUE(k.has_value());
        EXPECT_EQ(*k, c.expected) << static_cast<double>(c.principal) << " "
                                  << static_cast<double>(c.payment);
    }
    // A payment barely above the interest at a tiny rate needs millions of
    // payments: refused, not computed.
    EXPECT_FALSE(EstimateAmortizationPayments(100000, 0.001L, 0.01L, false).has_value());
}

TEST(Loan, ScheduleRowsAndTotals)
{
    // 10000.00 at 6 %, 1000.00 a month: eleven rows, the last 284.81.
    const Extended i = 6 * kOnePercent / 12;
    std::vector<TPaymentObj> rows;
    LoanTotals t = BuildSchedule(11, i, cents(100000), cents(1000000), u'.', &rows);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows.back().Payment, cents(28481));
    EXPECT_EQ(rows.back().Principal, cents(28339));
    EXPECT_EQ(rows.back().Interest, 1.42L);
    EXPECT_EQ(rows.back().Balance, cents(0));
    EXPECT_EQ(utf8(rows.back().PaymentText.view()), "284.81");
    EXPECT_EQ(utf8(rows.back().InterestText.view()), "1.42");
    EXPECT_EQ(t.TotalPrincipal, cents(1000000));
    EXPECT_EQ(t.TotalInterest, cents(28481));
    EXPECT_EQ(t.TotalPaid, cents(1028481));

    // Twelve rows: the twelfth is all zeros and the totals stay.
    t = BuildSchedule(12, i, cents(100000), cents(1000000), u',', &rows);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows.back().Payment, cents(0));
    EXPECT_EQ(rows.back().Balance, cents(0));
    EXPECT_EQ(utf8(rows.back().BalanceText.view()), "0,00");
    EXPECT_EQ(t.TotalPaid, cents(1028481));

    // Ten rows leave the balance owing.
    t = BuildSchedule(10, i, cents(100000), cents(1000000), u'.', &rows);
    EXPECT_EQ(rows.back().Principal, cents(99361));
    EXPECT_EQ(rows.back().Interest, 6.39L);
    EXPECT_EQ(rows.back().Balance, cents(28339));
    EXPECT_EQ(t.TotalPrincipal, cents(971661));
    EXPECT_EQ(t.TotalInterest, cents(28339));
    EXPECT_EQ(t.TotalPaid, cents(1000000));

    // Every row's parts add up, every balance follows from the one before,
    // and the totals without rows are the same.
    const Extended i7 = 7 * kOnePercent / 12;
    t = BuildSchedule(360, i7, cents(66531), cents(10000000), u'.', &rows);
    Money previous = cents(10000000);
    for (const TPaymentObj &r : rows) {
        EXPECT_EQ(r.Principal + Money::fromValue(r.Interest), r.Payment);
        EXPECT_EQ(previous - r.Principal, r.Balance);
        previous = r.Balance;
    }
    const LoanTotals bare = BuildSchedule(360, i7, cents(66531), cents(10000000), u'.', nullptr);
    EXPECT_EQ(bare.TotalPaid, t.TotalPaid);
    EXPECT_EQ(bare.TotalInterest, t.TotalInterest);
    EXPECT_TRUE(BuildSchedule(0, i, cents(100), cents(1000), u'.', &rows).TotalPaid == Money{});
    EXPECT_TRUE(rows.empty());
}

TEST(Loan, ResidualBalanceMatchesTheSchedule)
{
    // The residual check must see exactly what the schedule will show.
    std::mt19937_64 rng(11);
    std::vector<TPaymentObj> rows;
    for (int k = 0; k < 300; ++k) {
        const Money p = cents(100000 + static_cast<std::int64_t>(rng() % 50000000));
        const Extended i = (1 + rng() % 1500) / 100.0L * kOnePercent / 12;
        const std::int64_t n = 12 + static_cast<std::int64_t>(rng() % 348);
        const Money a = Money::fromCount(
            p.asCount() / ((1 - std::pow(1 / (1 + static_cast<double>(i)), n)) / static_cast<double>(i)));
        const Money ac = RoundToCents(a);
        BuildSchedule(n, i, ac, p, u'.', &rows);
        EXPECT_EQ(ResidualBalance(n, i, ac, p), rows.back().Balance);
    }
}

TEST(Loan, CountAndTerm)
{
    const Extended i = 6 * kOnePercent / 12;
    // 860.66 leaves 0.04 after twelve payments: too little for the count, left to the residual rule.
    EXPECT_EQ(CountPayments(i, cents(86066), cents(1000000)).value(), 12);
    EXPECT_EQ(CountPayments(i, cents(86067), cents(1000000)).value(), 12);
    EXPECT_FALSE(CountPayments(0.0001L / 12, cents(1), cents(10000000)).has_value());
    for (std::int64_t k : {0, 1, 11, 12, 13, 359, 360, 361, 11999, 12000}) {
        const Term t = termOfCount(k);
        EXPECT_EQ(t.years, k / 12) << k;
        EXPECT_EQ(t.months, k % 12) << k;
    }
}

TEST(Loan, AnnuityPayment)
{
    EXPECT_EQ(annuityPayment(cents(1000000), 6 * kOnePercent / 12, 12).count, 8606643);
    EXPECT_EQ(annuityPayment(cents(10000000), 7 * kOnePercent / 12, 360).count, 6653025);
    EXPECT_THROW(annuityPayment(cents(1000000), 6 * kOnePercent / 12, 0), DivisionByZeroError);
    EXPECT_THROW(annuityPayment(cents(1000000), -1, 12), DivisionByZeroError);
}
