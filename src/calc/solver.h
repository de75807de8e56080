// The loan solver: the three loan calculations of the main window as plain
// functions on amounts.
//
// A request carries the loan as its fields hold it (numbers, not texts); the
// outcome carries everything the window shows afterwards: the loan fields,
// what became of the payment field, the term, the totals and the schedule
// rows, or why there is nothing to show. Writing the texts, the messages and
// the amortization question belong to the caller.
#pragma once

#include "calc/loan.h"
#include "calc/money.h"

#include <cstdint>
#include <vector>

namespace accrua::calc {

// How a residual balance left by the last payment is resolved.
enum class Resolution {
    None,                  // left as it is
    IncreasePaymentAmount, // the payment rises a cent at a time until nothing is left
    IncreasePaymentCount,  // one more, smaller payment
};

struct LoanRequest {
    Extended principal = 0;   // the principal field's number
    Extended ratePercent = 0; // the annual rate in percent
    Extended payment = 0;     // the payment field's number (count and amortization)
    std::int64_t count = 0;   // 12 x years + months (payment amount and amortization)
    Resolution resolution = Resolution::IncreasePaymentAmount;
    char16_t decimalSeparator = u'.'; // of the row texts
    bool rowTexts = true;             // false: the rows carry their amounts only
};

enum class LoanStatus {
    Solved,
    CannotBePaidOff, // the payment does not exceed the first month's interest
    TooManyPayments, // more than kMaxPayments payments would be needed
};

// What the solve last wrote into the payment field.
enum class PaymentEntry {
    AsTyped,     // nothing: the field keeps its text
    MoneyText,   // the money text of `entered`
    GeneralText, // the general number text of `entered`
};

struct LoanOutcome {
    LoanStatus status = LoanStatus::Solved;
    Money principal;          // LoanPrincipal; on a refusal the principal it names
    Extended annualRate = 0;  // AnnualRate
    Extended monthlyRate = 0; // MonthlyRate
    Money payment;            // LoanPayment; on a refusal the payment it names
    PaymentEntry entry = PaymentEntry::AsTyped;
    Money entered;
    std::int64_t count = 0; // PaymentCount
    Term term;              // TermYears and TermMonths
    LoanTotals totals;
    std::vector<TPaymentObj> rows;
    // Amortization: the count that extinguishes the loan; mustAsk when it
    // differs from the count asked for, and the caller must ask which to use.
    std::int64_t suggestedCount = 0;
    bool mustAsk = false;
};

// The payment that repays the principal in request.count months, rounded to
// cents, then counted as solveNumberOfPayments counts it; with
// IncreasePaymentAmount the payment rises until the count is no longer above
// the term asked for. Throws DivisionByZeroError for a term of no months.
LoanOutcome solvePaymentAmount(const LoanRequest &request);

// The number of request.payment that repays the principal, the residual
// resolved as request.resolution says.
LoanOutcome solveNumberOfPayments(const LoanRequest &request);

// The count that extinguishes the loan (the annual rate held to four
// decimals). When it equals request.count the outcome holds that schedule;
// when it differs, mustAsk is set, no schedule is built, and the caller asks
// and then runs amortizationSchedule with the count chosen.
LoanOutcome planAmortization(const LoanRequest &request);

// The schedule of request.count payments of request.payment, whether or not
// they extinguish the loan.
LoanOutcome amortizationSchedule(const LoanRequest &request);

} // namespace accrua::calc
