#include "calc/savings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace accrua::calc;

namespace {

Money cents(std::int64_t c)
{
    return Money::fromRawCount(c * 100);
}

TEST(PeriodsPerYear, FollowsTheSelectedItem)
{
    const std::vector<std::pair<int, int>> table = {{0, 1},  {1, 2}, {2, 4}, {3, 12},
                                                    {-1, 1}, {4, 1}, {-7, 1}};
    for (const auto &[item, n] : table)
        EXPECT_EQ(periodsPerYear(item), n) << "item " << item;
}

struct SavingsCase {
    const char *name;
    Extended balance, rate;
    int n;
    std::int32_t years, months;
    std::vector<std::pair<std::int64_t, std::int64_t>> rows; // interest, balance in cents
    std::int64_t total, end;
};

class SavingsExamples : public ::testing::TestWithParam<SavingsCase> {};

TEST_P(SavingsExamples, RowsAndTotals)
{
    const SavingsCase &c = GetParam();
    const SavingsResult r = CalculateSavingsInterest(c.balance, c.rate, c.n, c.years, c.months);
    ASSERT_EQ(r.rows.size(), c.rows.size());
    EXPECT_EQ(std::max<std::int64_t>(r.periods, 0), static_cast<std::int64_t>(c.rows.size()));
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        EXPECT_EQ(r.rows[i].Interest, cents(c.rows[i].first)) << "row " << i;
        EXPECT_EQ(r.rows[i].Balance, cents(c.rows[i].second)) << "row " << i;
    }
    EXPECT_EQ(r.total, cents(c.total));
    EXPECT_EQ(r.endBalance, cents(c.end));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SavingsExamples,
    ::testing::Values(
        SavingsCase{"QuarterlyOneYear",
                    1000.00L,
                    4,
                    4,
                    1,
                    0,
                    {{1000, 101000}, {1010, 102010}, {1020, 103030}, {1030, 104060}},
                    4060,
                    104060},
        SavingsCase{"BiYearlyTwoAndAHalfYears",
                    1000.00L,
                    4,
                    2,
                    2,
                    6,
                    {{2000, 102000}, {2040, 104040}, {2081, 106121}, {2122, 108243}, {2165, 110408}},
                    10408,
                    110408},
        // -1000 x 0.01 is exactly -10 in extended; cents round halves away
        // from zero for negative amounts too, so the period credits -10.00.
        SavingsCase{"NegativeBalance", -1000.00L, 4, 4, 0, 3, {{-1000, -101000}}, -1000, -101000},
        // A term of no periods leaves the beginning balance standing.
        SavingsCase{"NegativeTerm", 1000.00L, 4, 4, -1, 0, {}, 0, 100000},
        SavingsCase{"NegativeRate", 1000.00L, -4, 4, 0, 6, {{-1000, 99000}, {-990, 98010}}, -1990, 98010}),
    [](const ::testing::TestParamInfo<SavingsCase> &paramInfo) { return std::string(paramInfo.param.name); });

// Fractions of a period left by terms the months check would refuse round to
// the nearest whole period, ties to even.
TEST(CalculateSavingsInterest, PeriodsRoundHalfToEven)
{
    struct Row {
        int n;
        std::int32_t years, months;
        std::int64_t periods;
    };
    const std::vector<Row> table = {{1, 0, 6, 0}, {1, 1, 6, 2}, {1, 0, 18, 2}, {2, 0, 3, 0},
                                    {2, 0, 9, 2}, {4, 0, 1, 0}, {4, 0, 2, 1},  {12, 1, 11, 23}};
    for (const Row &row : table) {
        const SavingsResult r = CalculateSavingsInterest(1000, 4, row.n, row.years, row.months);
        EXPECT_EQ(r.periods, row.periods) << row.n << " " << row.years << "y " << row.months << "m";
        EXPECT_EQ(static_cast<std::int64_t>(r.rows.size()), row.periods);
    }
}

TEST(CalculateSavingsInterest, ThousandYearsMonthly)
{
    const Extended begin = 100.00L;
    const SavingsResult r = CalculateSavingsInterest(begin, 1, 12, 1000, 0);
    ASSERT_EQ(r.periods, 12000);
    ASSERT_EQ(r.rows.size(), 12000u);
    Money previous = Money::fromValue(begin);
    Money sum{};
    for (const TSavingsObj &row : r.rows) {
        ASSERT_EQ(row.Balance, previous + row.Interest);
        ASSERT_EQ(row.Interest.count % 100, 0) << "interest in whole cents";
        previous = row.Balance;
        sum += row.Interest;
    }
    EXPECT_EQ(r.total, sum);
    EXPECT_EQ(r.endBalance, previous);
    // Cent rounding drifts a little from continuous compounding, not much.
    const long double exact = begin * std::pow(1.0L + 0.01L / 12, 12000.0L);
    EXPECT_NEAR(static_cast<double>(r.endBalance.value() / exact), 1.0, 1e-3);
}

TEST(CalculateSavingsInterest, RefusesUnboundedTerms)
{
    EXPECT_THROW(CalculateSavingsInterest(1000, 4, 12, 100000, 0), std::length_error);
    EXPECT_THROW(CalculateSavingsInterest(1000, 4, 12, 2147483647, 11), std::length_error);
    // The bound is the loans' bound: 1000 years of months, no more.
    EXPECT_EQ(CalculateSavingsInterest(1000, 0, 1, 12000, 0).rows.size(), 12000u);
    EXPECT_EQ(CalculateSavingsInterest(1000, 0.001L, 12, 1000, 0).rows.size(), 12000u);
    EXPECT_THROW(CalculateSavingsInterest(1000, 4, 12, 1000, 1), std::length_error);
    EXPECT_THROW(CalculateSavingsInterest(1000, 0.001L, 12, 83333, 0), std::length_error);
}

TEST(CalculateSavingsInterest, GuardsAgainstDivisionAndOverflow)
{
    EXPECT_THROW(CalculateSavingsInterest(1000, 4, 0, 1, 0), DivisionByZeroError);
    EXPECT_THROW(CalculateSavingsInterest(1e300L, 4, 1, 1, 0), MoneyRangeError);
}

} // namespace
