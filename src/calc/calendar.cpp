#include "calc/calendar.h"

#include "calc/daily.h"
#include "calc/paymentday.h"

namespace accrua::calc {

int daysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return kDays[(month - 1) % 12];
}

bool isValidDate(const Date &d)
{
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

// Civil-day arithmetic on 400-year eras (each exactly 146097 days).
std::int64_t serialDay(const Date &d)
{
    const std::int64_t y = d.month <= 2 ? std::int64_t{d.year} - 1 : d.year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (d.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date dateOfSerial(std::int64_t serial)
{
    const std::int64_t z = serial + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return Date{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

Date addMonths(const Date &from, std::int64_t months, int day)
{
    const std::int64_t index = std::int64_t{from.year} * 12 + (from.month - 1) + months;
    const std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    const int month = static_cast<int>(index - year * 12) + 1;
    const int y = static_cast<int>(year);
    return Date{y, month, paymentDay(y, month, day)};
}

Date addDays(const Date &from, std::int64_t days)
{
    return dateOfSerial(serialDay(from) + days);
}

} // namespace accrua::calc
