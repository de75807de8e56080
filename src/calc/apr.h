// The annual percentage rate of a list of dated cash flows (advances and
// payments), by the two regulated methods:
//
// - US APR (Regulation Z, Appendix J, actuarial method): the unit period is
//   the most common interval between payments; every flow is whole unit
//   periods plus an odd fraction (simple interest) from the first advance;
//   the APR is the unit-period rate times the unit periods in a year.
// - EU APRC (Consumer Credit Directive, Annex I): the annual effective rate;
//   time in years from the first advance as whole months / 12 plus leftover
//   days / 365.
//
// Both solve their equation to 1e-10 or better, or say that they could not.
#pragma once

#include "calc/calendar.h"
#include "calc/money.h"

#include <span>

namespace accrua::calc {

struct CashFlow {
    Date date;
    Money amount; // positive
    bool advance = false;
};

enum class AprStatus {
    Solved,
    NoAdvanceOrPayment, // the list lacks an advance or a payment
    NotPositive,        // an amount of nothing or less
    BeforeAdvance,      // a flow dated before the first advance
    NotConverged,       // no rate solves the equation
};

struct AprResult {
    AprStatus status = AprStatus::NotConverged;
    Extended rate = 0;           // annual, a fraction (0.0969 for 9.69 %)
    Extended unitPeriodRate = 0; // the rate of one unit period (US) or of a year (EU)
    Extended unitsPerYear = 0;   // US: the unit periods in a year
};

// The flows in any order; the first advance is the earliest advance.
// `guess` (an annual rate near the answer) only saves iterations.
AprResult usApr(std::span<const CashFlow> flows, Extended guess = 0);
AprResult euAprc(std::span<const CashFlow> flows, Extended guess = 0);

} // namespace accrua::calc
