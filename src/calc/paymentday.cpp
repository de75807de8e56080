#include "calc/paymentday.h"

#include "calc/daily.h"

namespace accrua::calc {

int paymentDay(int year, int month, int originationDay)
{
    if (month == 2 && originationDay > 28)
        return isLeapYear(year) ? 29 : 28;
    if ((month == 4 || month == 6 || month == 9 || month == 11) && originationDay == 31)
        return 30;
    return originationDay;
}

} // namespace accrua::calc
