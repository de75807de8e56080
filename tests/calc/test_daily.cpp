#include "calc/daily.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>

using namespace accrua::calc;

namespace {

Money cents(std::int64_t c)
{
    return Money::fromRawCount(c * 100);
}

std::string general15(Extended v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", v);
    return buf;
}

struct Span {
    int y1, m1, d1, y2, m2, d2;
    std::int64_t days;
};

class DayCountTest : public ::testing::TestWithParam<Span> {};

TEST_P(DayCountTest, CountsDaysBetweenDates)
{
    const Span s = GetParam();
    EXPECT_EQ(dayCount(s.y1, s.m1, s.d1, s.y2, s.m2, s.d2), s.days);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, DayCountTest,
    ::testing::Values(Span{2004, 1, 1, 2005, 1, 1, 366}, Span{2003, 3, 1, 2004, 3, 1, 366},
                      Span{2003, 1, 1, 2004, 1, 1, 365}, Span{2003, 2, 12, 2003, 2, 12, 0},
                      Span{2004, 2, 28, 2004, 3, 1, 2}, Span{2003, 12, 31, 2004, 1, 1, 1},
                      // Centuries: only those divisible by 400 leap.
                      Span{1900, 2, 28, 1900, 3, 1, 1}, Span{2000, 2, 28, 2000, 3, 1, 2},
                      Span{2100, 2, 28, 2100, 3, 1, 1}, Span{1900, 1, 1, 1901, 1, 1, 365},
                      Span{2000, 1, 1, 2001, 1, 1, 366}, Span{2100, 1, 1, 2101, 1, 1, 365},
                      Span{1899, 3, 1, 1901, 3, 1, 730}, Span{1999, 3, 1, 2001, 3, 1, 731}));

// Against the standard library's proleptic Gregorian calendar on random pairs
// across several centuries, including years far outside 1901..2099.
TEST(DayCount, MatchesCalendarArithmetic)
{
    using namespace std::chrono;
    std::mt19937 gen(20041);
    std::uniform_int_distribution<int> dayOffset(-200 * 366, 200 * 366);
    const sys_days base = sys_days{year{2000} / 1 / 1};
    for (int i = 0; i < 20000; ++i) {
        sys_days a = base + days{dayOffset(gen)};
        sys_days b = base + days{dayOffset(gen)};
        if (b < a)
            std::swap(a, b);
        const year_month_day ya{a}, yb{b};
        const std::int64_t got = dayCount(int(ya.year()), unsigned(ya.month()), unsigned(ya.day()),
                                          int(yb.year()), unsigned(yb.month()), unsigned(yb.day()));
        ASSERT_EQ(got, (b - a).count()) << int(ya.year()) << "-" << unsigned(ya.month()) << "-"
                                        << unsigned(ya.day()) << " to " << int(yb.year());
    }
}

TEST(DayCount, ExtremeYearsDoNotOverflowOrLoop)
{
    const std::int64_t span = dayCount(-2147483647 - 1, 1, 1, 2147483647, 12, 31);
    // About 365.2425 days per year over 2^32 years.
    EXPECT_GT(span, 1568000000000LL);
    EXPECT_LT(span, 1569000000000LL);
}

TEST(DayCount, RefusesMonthsOutsideTheYear)
{
    EXPECT_THROW(dayCount(2004, 0, 1, 2004, 1, 1), std::out_of_range);
    EXPECT_THROW(dayCount(2004, 1, 1, 2004, 13, 1), std::out_of_range);
}

struct DailyCase {
    const char *name;
    Extended principal, rate;
    std::int32_t days;
    Extended payment;
    std::int32_t base;
    const char *daily;
    std::int64_t interestCount;                     // ten-thousandths
    std::int64_t principalPaid, accrued, remaining; // cents
};

class DailyInterestTest : public ::testing::TestWithParam<DailyCase> {};

TEST_P(DailyInterestTest, Results)
{
    const DailyCase c = GetParam();
    const DailyResult r = CalculateDailyInterest(c.principal, c.rate, c.days, c.payment, c.base);
    EXPECT_EQ(general15(r.daily), c.daily);
    EXPECT_EQ(r.interest, Money::fromRawCount(c.interestCount));
    EXPECT_EQ(r.principalPayment, cents(c.principalPaid));
    EXPECT_EQ(r.accrued, cents(c.accrued));
    EXPECT_EQ(r.remaining, cents(c.remaining));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DailyInterestTest,
    ::testing::Values(
        DailyCase{"PaymentCoversInterest", 1000.00L, 5, 30, 100.00L, 365, "0.136986301369863", 41096, 9589, 0,
                  90411},
        DailyCase{"NoPayment", 1000.00L, 5, 30, 0, 365, "0.136986301369863", 41096, 0, 411, 100411},
        DailyCase{"ShortPayment", 1000.00L, 5, 30, 1.00L, 365, "0.136986301369863", 41096, 0, 311, 100311},
        DailyCase{"Base360", 1000.00L, 5, 30, 100.00L, 360, "0.138888888888889", 41667, 9583, 0, 90417},
        DailyCase{"Base366", 1000.00L, 5, 1, 0, 366, "0.136612021857923", 1366, 0, 14, 100014},
        DailyCase{"Overpayment", 1000.00L, 5, 30, 2000.00L, 365, "0.136986301369863", 41096, 199589, 0,
                  -99589}),
    [](const ::testing::TestParamInfo<DailyCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST(DailyInterest, ZeroDayBaseIsRefused)
{
    EXPECT_THROW(CalculateDailyInterest(1000, 5, 30, 100, 0), DivisionByZeroError);
}

TEST(DailyInterest, AmountsBeyondMoneyRangeAreRefused)
{
    EXPECT_THROW(CalculateDailyInterest(1e300L, 5, 30, 0, 365), MoneyRangeError);
    EXPECT_THROW(CalculateDailyInterest(1000, 5, 30, 1e300L, 365), MoneyRangeError);
}

} // namespace
