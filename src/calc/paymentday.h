// The calendar day a monthly payment falls on, shared by every report that
// dates its payments.
#pragma once

namespace accrua::calc {

// The origination day, moved back to the month's last day where the month is
// shorter (April 31 is April 30; February 30 is February 28, or 29 in a leap
// year, and 1900 and 2100 are not leap years). `month` is 1 to 12.
int paymentDay(int year, int month, int originationDay);

} // namespace accrua::calc
