#include "calc/paymentday.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace accrua::calc;

namespace {

struct DayCase {
    const char *name;
    int year, month, originationDay;
    int expected;
};

class PaymentDay : public testing::TestWithParam<DayCase> {};

TEST_P(PaymentDay, ClampsToTheMonthsLastDay)
{
    const DayCase &c = GetParam();
    EXPECT_EQ(paymentDay(c.year, c.month, c.originationDay), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, PaymentDay,
    testing::Values(
        DayCase{"Day31InApril", 2003, 4, 31, 30}, DayCase{"Day31InNovember", 2026, 11, 31, 30},
        DayCase{"Day30InJuneKept", 2026, 6, 30, 30}, DayCase{"Day31InJulyKept", 2003, 7, 31, 31},
        DayCase{"Day31InDecemberKept", 2026, 12, 31, 31}, DayCase{"Day30InCommonFebruary", 2003, 2, 30, 28},
        DayCase{"Day29InCommonFebruary", 2023, 2, 29, 28}, DayCase{"Day28InFebruaryKept", 2023, 2, 28, 28},
        DayCase{"Day29InLeapFebruary", 2004, 2, 29, 29}, DayCase{"Day31InLeapFebruary", 2024, 2, 31, 29},
        DayCase{"Day31In2000February", 2000, 2, 31, 29}, DayCase{"Day31In1900February", 1900, 2, 31, 28},
        DayCase{"Day29In2100February", 2100, 2, 29, 28}, DayCase{"Day30In2200February", 2200, 2, 30, 28},
        DayCase{"FirstOfMonthKept", 2026, 2, 1, 1}),
    [](const auto &row) { return std::string(row.param.name); });

// Every day of every month over four centuries against the standard library's
// calendar: the origination day, or the month's last day when it is shorter.
TEST(PaymentDayCalendar, AgreesWithTheProlepticGregorianCalendar)
{
    using namespace std::chrono;
    for (int y = 1600; y <= 2400; ++y)
        for (unsigned m = 1; m <= 12; ++m) {
            const unsigned last = unsigned(year_month_day_last(year(y), month_day_last(month(m))).day());
            for (unsigned d = 1; d <= 31; ++d)
                ASSERT_EQ(paymentDay(y, int(m), int(d)), int(d < last ? d : last))
                    << y << '-' << m << '-' << d;
        }
}

} // namespace
