#include "calc/loan.h"

#include "calc/schedulemonths.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace accrua::calc {

namespace {

inline Month chargeMonth(Extended i, Money payment, Money balance)
{
    Month m;
    m.interest = RoundToCents(Money::fromCount(i * balance.asCount()));
    m.payment = payment;
    const Money owed = m.interest + balance;
    if (m.payment > owed)
        m.payment = owed;
    m.principal = RoundToCents(m.payment - m.interest);
    m.balance = RoundToCents(balance - m.principal);
    return m;
}

// The months of BuildSchedule, each handed to `visit`, and their totals.
template <class Visit>
LoanTotals runSchedule(std::int64_t n, Extended monthlyRate, Money payment, Money principal, Visit &&visit)
{
    LoanTotals totals;
    Money a = RoundToCents(payment);
    Money balance = RoundToCents(principal);
    for (std::int64_t k = 0; k < n; ++k) {
        const Month m = chargeMonth(monthlyRate, a, balance);
        a = m.payment;
        balance = m.balance;
        visit(m);
        totals.TotalPrincipal += m.principal;
        totals.TotalInterest += m.interest;
        totals.TotalPaid += m.payment;
    }
    return totals;
}

TPaymentObj rowOf(const Month &m, char16_t sep)
{
    return TPaymentObj{m.payment,
                       m.principal,
                       m.interest.asCount() / Money::kScale,
                       m.balance,
                       formatMoneyText(m.payment, sep),
                       formatMoneyText(m.principal, sep),
                       formatMoneyText(m.interest, sep),
                       formatMoneyText(m.balance, sep)};
}

// The number of the first of n payments after which the schedule's balance
// is nothing, or n.
std::int64_t paidOffAfter(std::int64_t n, Extended i, Money payment, Money principal)
{
    Money balance = RoundToCents(principal);
    Money a = payment;
    for (std::int64_t k = 1; k <= n; ++k) {
        const Month m = chargeMonth(i, a, balance);
        a = m.payment;
        balance = m.balance;
        if (balance.count <= 0)
            return k;
    }
    return n;
}

} // namespace

bool paymentExceedsInterest(Money principal, Extended monthlyRate, Money payment)
{
    const Money grown = Money::fromCount((1 + monthlyRate) * principal.asCount());
    return principal > grown - payment;
}

Money ResidualBalance(std::int64_t n, Extended monthlyRate, Money payment, Money principal)
{
    Money balance = RoundToCents(principal);
    Money a = payment;
    for (std::int64_t k = 0; k < n; ++k) {
        const Month m = chargeMonth(monthlyRate, a, balance);
        a = m.payment;
        balance = m.balance;
    }
    return balance;
}

std::optional<std::int64_t> CountPayments(Extended monthlyRate, Money payment, Money principal,
                                          std::int64_t limit)
{
    const Extended growth = 1 + monthlyRate;
    const Extended a = payment.asCount();
    Extended b = principal.asCount();
    Extended t = 0;
    std::int64_t k = 0;
    do {
        t = growth * b / Money::kScale;
        b = static_cast<Extended>(roundToInt64(t * Money::kScale - a));
        ++k;
        if (k > limit)
            return std::nullopt;
    } while (!(a > growth * b));

    if (a == 0)
        throw DivisionByZeroError();
    const Extended g = static_cast<Extended>(k) + (t / a) * Money::kScale;
    // A final smaller payment is counted for what the last one leaves over;
    // a first payment that already repays everything (t below the payment)
    // leaves nothing, and a payment of nothing is no payment.
    const bool firstRepaysAll = k == 1 && t * Money::kScale <= a;
    if (g > intPart(g) + 0.0005L && !firstRepaysAll)
        ++k;
    if (k > limit)
        return std::nullopt;
    return k;
}

Term termOfCount(std::int64_t k)
{
    const Extended ratio = static_cast<Extended>(k) / 12;
    const Extended years = std::truncl(ratio);
    const Extended m = 12 * (ratio - years);
    const Extended months = std::nearbyintl(intPart(10 * m + 0.05L) / 10);
    return Term{static_cast<std::int32_t>(years), static_cast<std::int32_t>(months)};
}

LoanTotals BuildSchedule(std::int64_t n, Extended monthlyRate, Money payment, Money principal,
                         char16_t decimalSeparator, std::vector<TPaymentObj> *rows)
{
    if (!rows)
        return runSchedule(n, monthlyRate, payment, principal, [](const Month &) {});
    rows->clear();
    if (n > 0)
        rows->reserve(static_cast<std::size_t>(n));
    return runSchedule(n, monthlyRate, payment, principal,
                       [&](const Month &m) { rows->push_back(rowOf(m, decimalSeparator)); });
}

LoanTotals scheduleMonths(std::int64_t n, Extended monthlyRate, Money payment, Money principal,
                          std::vector<Month> &months)
{
    months.clear();
    if (n > 0)
        months.reserve(static_cast<std::size_t>(n));
    return runSchedule(n, monthlyRate, payment, principal, [&](const Month &m) { months.push_back(m); });
}

void rowsOfMonths(const std::vector<Month> &months, char16_t decimalSeparator, std::vector<TPaymentObj> &rows,
                  bool texts)
{
    rows.clear();
    rows.reserve(months.size());
    for (const Month &m : months) {
        if (texts)
            rows.push_back(rowOf(m, decimalSeparator));
        else
            rows.push_back(TPaymentObj{
                m.payment, m.principal, m.interest.asCount() / Money::kScale, m.balance, {}, {}, {}, {}});
    }
}

Money annuityPayment(Money principal, Extended monthlyRate, std::int64_t n)
{
    const Extended growth = 1 + monthlyRate;
    if (growth == 0)
        throw DivisionByZeroError();
    const Extended v = 1 / growth;
    const std::int32_t exponent =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(n, INT32_MIN, INT32_MAX));
    const double w = static_cast<double>(intPower(v, exponent));
    if (monthlyRate == 0)
        throw DivisionByZeroError();
    const Extended f = (1 - static_cast<Extended>(w)) / monthlyRate;
    // No months at all give a factor of zero; so does a rate too small to
    // move the discount factor, which is not the same failure.
    if (f == 0 && n != 0)
        throw RateTooSmallError();
    if (f == 0)
        throw DivisionByZeroError();
    return Money::fromCount(principal.asCount() / f);
}

std::optional<std::int64_t> EstimateAmortizationPayments(Extended principal, Extended ratePercent,
                                                         Extended payment, bool increaseCount,
                                                         std::int64_t limit)
{
    const Money p = Money::fromValue(principal);
    const Money annual = Money::fromValue(ratePercent * kOnePercent);
    const Extended i = annual.value() / 12;
    const Money a = Money::fromValue(payment);
    if (!paymentExceedsInterest(p, i, a))
        return -1;

    const Extended growth = 1 + i;
    std::int64_t k = 1;
    Money b = p;
    do {
        b = Money::fromCount(growth * b.asCount()) - a;
        ++k;
        if (k > limit)
            return std::nullopt;
    } while (!(a.asCount() > growth * b.asCount()));

    // The count includes a final smaller payment even when the payments
    // before it leave nothing, and counting in ten-thousandths can run past
    // the month where the schedule, in cents, is paid off: payments after
    // that would pay nothing, and are not counted.
    k = std::min(k, paidOffAfter(k, i, a, p));
    const Money residual = ResidualBalance(k, i, a, p);
    if (residual.count > 0 && increaseCount)
        ++k;
    if (k > limit)
        return std::nullopt;
    return k;
}

} // namespace accrua::calc
