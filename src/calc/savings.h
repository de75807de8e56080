// Savings interest: a balance compounded a fixed number of times per year over
// a term of years and months, one row per period. Plain arithmetic; the
// page's checks and the result field texts belong to the main window.
#pragma once

#include "calc/format.h"
#include "calc/money.h"

#include <cstdint>
#include <vector>

namespace accrua::calc {

// Compounding periods per year for the selected item of the compounding radio
// group: 0 Yearly 1, 1 Bi-Yearly 2, 2 Quarterly 4, 3 Monthly 12; none (-1) or
// anything else 1.
int periodsPerYear(int itemIndex);

// One compounding period; the texts are the money texts of the two amounts.
struct TSavingsObj {
    Money Balance;  // balance after this period's interest
    Money Interest; // interest credited in this period, whole cents
    ShortText BalanceText;
    ShortText InterestText;
};

struct SavingsResult {
    std::vector<TSavingsObj> rows; // period order, first period first
    Money total;                   // interest of all periods
    Money endBalance;              // balance after the last period
    std::int64_t periods = 0;      // rounded period count; rows are empty when <= 0
};

// Refused period counts above this, as loans are refused past kMaxPayments:
// a term that long is no savings plan, and its rows (and every report of
// them) would take memory without bound.
inline constexpr std::int64_t kMaxSavingsPeriods = 12'000;

// Throws std::length_error above kMaxSavingsPeriods, DivisionByZeroError for
// perYear 0 and MoneyRangeError when the balance leaves the money range.
SavingsResult CalculateSavingsInterest(Extended beginningBalance, Extended ratePercent, int perYear,
                                       std::int32_t years, std::int32_t months,
                                       char16_t decimalSeparator = u'.');

} // namespace accrua::calc
