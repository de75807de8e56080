// The months of a loan schedule as bare amounts, for the solver inside calc:
// its passes keep the months of each schedule they try, and only the last
// one becomes rows with texts, without being computed again.
#pragma once

#include "calc/loan.h"
#include "calc/money.h"

#include <cstdint>
#include <vector>

namespace accrua::calc {

// One month of the schedule: interest to ten-thousandths (ties to even), then
// to cents; the payment lowered to what is owed; principal and balance in cents.
struct Month {
    Money payment;
    Money interest;
    Money principal;
    Money balance;
};

// BuildSchedule's months and totals (months are replaced).
LoanTotals scheduleMonths(std::int64_t n, Extended monthlyRate, Money payment, Money principal,
                          std::vector<Month> &months);

// The schedule rows of those months; without `texts` the texts stay empty.
void rowsOfMonths(const std::vector<Month> &months, char16_t decimalSeparator, std::vector<TPaymentObj> &rows,
                  bool texts = true);

} // namespace accrua::calc
