// Loan arithmetic: monthly payments at one twelfth of the annual rate, every
// amount in whole cents. These are the steps the solver (calc/solver.h)
// strings together; all are pure.
#pragma once

#include "calc/format.h"
#include "calc/money.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace accrua::calc {

// More payments than this (1000 years) are refused instead of computed.
inline constexpr std::int64_t kMaxPayments = 12000;

// One schedule row (one payment); the texts are the money texts of the four amounts.
struct TPaymentObj {
    Money Payment;
    Money Principal;
    Extended Interest = 0; // currency units (the whole-cent money value / 10000)
    Money Balance;
    ShortText PaymentText;
    ShortText PrincipalText;
    ShortText InterestText;
    ShortText BalanceText;
};

struct LoanTotals {
    Money TotalPrincipal;
    Money TotalInterest;
    Money TotalPaid;
};

// True when the payment exceeds the first month's interest: P > M((1 + i) P) - A.
bool paymentExceedsInterest(Money principal, Extended monthlyRate, Money payment);

// The balance left after n cent-rounded payments (interest charged as the
// schedule charges it).
Money ResidualBalance(std::int64_t n, Extended monthlyRate, Money payment, Money principal);

// The number of payments that repays the principal, or nothing when more
// than `limit` payments would be needed.
std::optional<std::int64_t> CountPayments(Extended monthlyRate, Money payment, Money principal,
                                          std::int64_t limit = kMaxPayments);

struct Term {
    std::int32_t years = 0;
    std::int32_t months = 0;
};
// TermYears and TermMonths of a payment count, computed as the established
// floating formula does.
Term termOfCount(std::int64_t k);

// The n rows of the schedule (nothing when n <= 0) and their totals. Without
// `rows` only the totals are computed; with it the rows carry their texts.
LoanTotals BuildSchedule(std::int64_t n, Extended monthlyRate, Money payment, Money principal,
                         char16_t decimalSeparator, std::vector<TPaymentObj> *rows);

// The payment of the annuity formula for n months, rounded to ten-thousandths
// (throws DivisionByZeroError when the annuity factor is zero).
Money annuityPayment(Money principal, Extended monthlyRate, std::int64_t n);

// The number of payments that extinguishes the loan; -1 when the payment does
// not exceed the first month's interest, nothing past `limit`. The annual
// rate is held as money (four decimals) for this estimate.
std::optional<std::int64_t> EstimateAmortizationPayments(Extended principal, Extended ratePercent,
                                                         Extended payment, bool increaseCount,
                                                         std::int64_t limit = kMaxPayments);

} // namespace accrua::calc
