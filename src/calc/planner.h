// The loan planner: one request (principal, rate, term or payment, payment
// frequency and compounding, repayment kind, interest-only payments, a
// balloon, extra payments, rate changes, a prepaid fee and the dates) in,
// the whole schedule out, with its totals, the crossover payment, the US APR
// and EU APRC of its cash flows and, with extra payments, what they save
// against the same plan without them.
//
// Rounding: every payment and every period's interest in whole cents; the
// last payment pays what is left (balance and its interest), so there is no
// payment after the term, no row of nothing, and the balance ends at 0.00.
#pragma once

#include "calc/apr.h"
#include "calc/calendar.h"
#include "calc/frequency.h"
#include "calc/money.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace accrua::calc {

enum class Repayment { Annuity, EqualPrincipal };
enum class ExtraMode { Shorten, LowerPayment };

// `amount` with payment `from` and every `every`-th payment after it.
struct RecurringExtra {
    Money amount;
    std::int64_t from = 1;
    std::int64_t every = 1;
};

// A lump sum with payment `payment` (0: at the advance, before any interest).
struct LumpSum {
    std::int64_t payment = 0;
    Money amount;
};

// From payment `from` on, the nominal annual rate `ratePercent`.
struct RateChange {
    std::int64_t from = 1;
    Extended ratePercent = 0;
};

struct PlanRequest {
    Money principal;
    Extended ratePercent = 0;
    std::int64_t payments = 0;         // the term in payments; 0 with a fixed payment
    std::optional<Money> fixedPayment; // the term is solved for this payment
    Frequency frequency = Frequency::Monthly;
    int compounding = kSameAsPayments; // periods a year
    Repayment repayment = Repayment::Annuity;
    std::int64_t interestOnly = 0;     // the first payments pay interest only
    std::int64_t amortizePayments = 0; // a longer amortization (balloon); 0: the term
    Money balloon;                     // left due with the last payment
    std::optional<RecurringExtra> extra;
    std::vector<LumpSum> lumps;
    ExtraMode extraMode = ExtraMode::Shorten;
    std::vector<RateChange> rateChanges;
    Money fee; // prepaid finance charge, paid at the advance
    Date advance;
    std::optional<Date> firstPayment; // default: one period after the advance
};

struct PlanRow {
    std::int64_t number = 0; // 0: a lump sum at the advance
    Date date;
    Extended ratePercent = 0;
    Money payment;
    Money interest;
    Money principal; // extra included: interest + principal = payment + extra
    Money extra;
    Money balance;
};

enum class PlanStatus {
    Planned,
    Refused,         // the request does not make a plan (see `reason`)
    CannotBePaidOff, // the payment does not exceed the interest
    TooManyPayments, // more than kMaxPayments payments
};

struct PlanTotals {
    Money paid; // payments and extras
    Money interest;
    Money principal;
    Money extra;
};

struct PlanResult {
    PlanStatus status = PlanStatus::Planned;
    std::string reason; // why it was refused, in words
    std::vector<PlanRow> rows;
    Money payment;             // the regular payment (the first amortizing one)
    std::int64_t payments = 0; // rows numbered 1 and up
    Money lastPayment;         // its regular part; extras stay in the row's `extra`
    PlanTotals totals;
    Date payoff;
    Extended periodicRate = 0;  // of the first period
    std::int64_t crossover = 0; // 0: none
    AprResult apr;
    AprResult aprc;
    bool hasBaseline = false; // extras were given
    std::int64_t baselinePayments = 0;
    Money baselineInterest;
    Money savedInterest;
    std::int64_t savedPayments = 0;
    std::vector<std::string> notes; // extras that came after the payoff
};

// The plan of the request, or its refusal. Amounts out of the money range
// throw MoneyRangeError.
PlanResult buildPlan(const PlanRequest &request);

// The cash flows of a plan for its APR: the advance less the fee, then each
// payment with its extra on its date.
std::vector<CashFlow> planCashFlows(const PlanRequest &request, const std::vector<PlanRow> &rows);

} // namespace accrua::calc
