// Calendar dates without Qt, for the planner's payment dates and the day
// counts of the APR: proleptic Gregorian dates, their serial day numbers and
// the month steps that keep a day of the month (clamped to the month's end).
#pragma once

#include <compare>
#include <cstdint>

namespace accrua::calc {

struct Date {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31

    friend constexpr bool operator==(const Date &, const Date &) = default;
    friend constexpr auto operator<=>(const Date &, const Date &) = default;
};

int daysInMonth(int year, int month);
bool isValidDate(const Date &d);

// Days since 1970-01-01 (negative before), and back.
std::int64_t serialDay(const Date &d);
Date dateOfSerial(std::int64_t serial);

// The date `months` months on (or back), on `day` of that month or on its
// last day when the month is shorter.
Date addMonths(const Date &from, std::int64_t months, int day);
inline Date addMonths(const Date &from, std::int64_t months)
{
    return addMonths(from, months, from.day);
}
Date addDays(const Date &from, std::int64_t days);

} // namespace accrua::calc
