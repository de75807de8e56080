// Daily interest: the day count between two dates and the interest a balance
// earns over a number of days, with how a payment at the end of the span
// divides into interest and principal. Plain arithmetic; the page's field
// checks and texts belong to the main window.
#pragma once

#include "calc/money.h"

#include <cstdint>

namespace accrua::calc {

// Gregorian leap year: divisible by 4, except centuries not divisible by 400.
bool isLeapYear(std::int64_t year);

// Days before the month plus the day of month; month must be 1..12
// (std::out_of_range otherwise).
int dayOfYear(std::int64_t year, int month, int day);

// Days from the first date to the second: 365 per year apart, plus the leap
// years from y1 up to y2 - 1, plus the difference of the days of the year.
// Equal dates give 0; a second date before the first gives a negative count
// (the caller refuses that order before asking).
std::int64_t dayCount(int y1, int m1, int d1, int y2, int m2, int d2);

struct DailyResult {
    Extended daily = 0;     // interest for one day, unrounded
    Money interest;         // interest for the span, four decimals
    Money principalPayment; // part of the payment that reduces the balance
    Money accrued;          // interest the payment did not cover
    Money remaining;        // balance after the payment
};

// principal: the value of the already normalised principal text; payment: the
// floating value of the payment text. Throws DivisionByZeroError for a day base
// of 0 and MoneyRangeError when an amount leaves the money range.
DailyResult CalculateDailyInterest(Extended principal, Extended ratePercent, std::int32_t days,
                                   Extended payment, std::int32_t dayBase);

} // namespace accrua::calc
