#include "calc/daily.h"

#include <array>
#include <stdexcept>

namespace accrua::calc {

namespace {

constexpr std::array<int, 12> kDaysBeforeMonth = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Floor division: the leap-year counts below must also hold for years <= 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Leap years among all years before `year`, relative to a fixed origin; only
// differences of it are meaningful. Closed form, so hostile years cost nothing.
std::int64_t leapYearsBefore(std::int64_t year)
{
    const std::int64_t y = year - 1;
    return floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400);
}

} // namespace

bool isLeapYear(std::int64_t year)
{
    return (year % 4 == 0) && ((year % 100 != 0) || (year % 400 == 0));
}

int dayOfYear(std::int64_t year, int month, int day)
{
    if (month < 1 || month > 12)
        throw std::out_of_range("month out of range");
    int before = kDaysBeforeMonth[static_cast<std::size_t>(month - 1)];
    if (month > 2 && isLeapYear(year))
        ++before;
    return before + day;
}

std::int64_t dayCount(int y1, int m1, int d1, int y2, int m2, int d2)
{
    const std::int64_t leaps = leapYearsBefore(y2) - leapYearsBefore(y1);
    return 365 * (static_cast<std::int64_t>(y2) - y1) + leaps + dayOfYear(y2, m2, d2) - dayOfYear(y1, m1, d1);
}

DailyResult CalculateDailyInterest(Extended principal, Extended ratePercent, std::int32_t days,
                                   Extended payment, std::int32_t dayBase)
{
    if (dayBase == 0)
        throw DivisionByZeroError();

    DailyResult r;
    const Extended rate = ratePercent * kOnePercent;
    const Money yearly = Money::fromValue(principal * rate);
    r.daily = yearly.value() / static_cast<Extended>(dayBase);
    r.interest = Money::fromValue(static_cast<Extended>(days) * r.daily);
    const Money interestCents = RoundToCents(r.interest);

    // The payment enters as typed, not first converted to money.
    Money principalPayment = RoundToCents(payment - interestCents.value());
    Money remaining = RoundToCents(principal - principalPayment.value());
    Money accrued{};
    if (principalPayment < Money{}) {
        // The payment does not cover the interest: the shortfall accrues on
        // the balance, measured against the unrounded span interest.
        accrued = RoundToCents(r.interest.value() - payment);
        remaining = Money::fromValue(principal + accrued.value());
        principalPayment = Money{};
    }
    r.principalPayment = principalPayment;
    r.accrued = accrued;
    r.remaining = remaining;
    return r;
}

} // namespace accrua::calc
