#include "calc/planner.h"

#include "calc/loan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace accrua::calc {

namespace {

std::string text(std::int64_t n)
{
    return std::to_string(n);
}

// The period's interest as the loan schedule charges it: to ten-thousandths
// (ties to even), then to cents. llrint rounds as Money::fromCount does in
// the default rounding mode, without switching the x87 rounding control on
// every row.
Money interestOn(Extended i, Money balance)
{
    const Extended count = i * balance.asCount();
    if (!(std::fabs(count) < 9.2e18L))
        throw MoneyRangeError(count / Money::kScale);
    return RoundToCents(Money::fromRawCount(std::llrint(count)));
}

// The level payment that takes `balance` to `target` in r payments, in cents.
Money levelPayment(Money balance, Money target, Extended i, std::int64_t r)
{
    const Extended n = static_cast<Extended>(r);
    if (i == 0)
        return RoundToCents((balance - target).value() / n);
    // 1 - (1 + i)^-r through expm1, so small rates keep their digits.
    const Extended log = std::log1pl(i);
    const Extended discount = std::exp(-n * log);
    const Extended annuity = -std::expm1l(-n * log) / i;
    return RoundToCents((balance.value() - target.value() * discount) / annuity);
}

// The payments `payment` still needs to repay `balance` at rate i (fractional).
Extended paymentsStillNeeded(Money balance, Money payment, Extended i)
{
    const Extended b = balance.value();
    const Extended a = payment.value();
    if (i == 0)
        return b / a;
    const Extended left = 1 - i * b / a;
    if (!(left > 0))
        return std::numeric_limits<Extended>::infinity();
    return -std::log(left) / std::log1pl(i);
}

Extended periodic(const PlanRequest &rq, Extended ratePercent)
{
    return periodicRate(ratePercent * kOnePercent, rq.compounding, rq.frequency);
}

// One pass over the payments: the plan itself, or its baseline without extras.
class Schedule {
public:
    // Without `dated` the rows carry no dates (a baseline only counts).
    Schedule(const PlanRequest &rq, bool withExtras, std::int64_t term, std::vector<PlanRow> &rows,
             bool dated)
        : m_rq(rq), m_extras(withExtras), m_fixed(rq.fixedPayment.has_value()), m_dated(dated), m_term(term),
          m_rows(rows)
    {
        m_changes = rq.rateChanges;
        std::stable_sort(m_changes.begin(), m_changes.end(),
                         [](const RateChange &a, const RateChange &b) { return a.from < b.from; });
        if (withExtras) {
            m_lumps = rq.lumps;
            std::stable_sort(m_lumps.begin(), m_lumps.end(),
                             [](const LumpSum &a, const LumpSum &b) { return a.payment < b.payment; });
        }
    }

    PlanStatus run(PlanResult &out);

private:
    Money extraAt(std::int64_t k)
    {
        Money extra;
        if (m_extras && m_rq.extra) {
            const RecurringExtra &e = *m_rq.extra;
            if (k >= e.from && (k - e.from) % e.every == 0)
                extra += e.amount;
        }
        while (m_lump < m_lumps.size() && m_lumps[m_lump].payment == k)
            extra += m_lumps[m_lump++].amount;
        return extra;
    }

    // The regular payment (annuity) or principal part (equal principal) from
    // payment k on.
    bool settle(std::int64_t k, Money balance, Extended iBefore, Extended i, PlanResult &out);

    const PlanRequest &m_rq;
    bool m_extras;
    bool m_fixed;
    bool m_dated;
    std::int64_t m_term;
    std::vector<PlanRow> &m_rows;
    std::vector<RateChange> m_changes;
    std::vector<LumpSum> m_lumps;
    std::size_t m_lump = 0;
    Money m_level; // the level payment, or the principal part
    bool m_needLevel = true;
    bool m_extrasPaid = false;
};

bool Schedule::settle(std::int64_t k, Money balance, Extended iBefore, Extended i, PlanResult &out)
{
    const std::int64_t horizon = m_rq.amortizePayments > 0 ? m_rq.amortizePayments : m_term;
    const std::int64_t remaining = std::max<std::int64_t>(horizon - k + 1, 1);
    const Money target = std::min(m_rq.balloon, balance);
    if (m_rq.repayment == Repayment::EqualPrincipal) {
        if (m_needLevel)
            m_level = RoundToCents((balance - target).value() / static_cast<Extended>(remaining));
    } else if (m_fixed && m_level.count == 0) {
        m_level = *m_rq.fixedPayment;
    } else if (m_fixed || (m_rq.extraMode == ExtraMode::Shorten && m_extrasPaid && !m_needLevel)) {
        // Keeping the payment has shortened the loan: a new rate is spread
        // over the payments the old payment still needed, not over the term.
        const Extended needed = paymentsStillNeeded(balance, m_level, iBefore);
        const Extended cap = m_fixed ? static_cast<Extended>(kMaxPayments) : static_cast<Extended>(remaining);
        const Extended r = std::clamp(std::ceil(needed - 0.01L), Extended{1}, cap);
        m_level = levelPayment(balance, m_fixed ? Money{} : target, i, static_cast<std::int64_t>(r));
    } else {
        m_level = levelPayment(balance, target, i, remaining);
    }
    m_needLevel = false;
    if (m_level.count <= 0 && balance > target) {
        out.reason = "the payment from payment " + text(k) + " rounds to less than a cent";
        return false;
    }
    return true;
}

PlanStatus Schedule::run(PlanResult &out)
{
    const PlanRequest &rq = m_rq;
    // Without a first payment date the payments count on from the advance, so
    // that month steps keep the advance's day (a loan of 31 January pays on
    // the last day of each month, not on the 28th after February).
    const Date anchor = rq.firstPayment.value_or(rq.advance);
    const std::int64_t shift = rq.firstPayment ? -1 : 0;
    Extended ratePercent = rq.ratePercent;
    Extended i = periodic(rq, ratePercent);
    out.periodicRate = i;
    Money balance = rq.principal;
    std::size_t change = 0;
    m_rows.clear();
    m_rows.reserve(static_cast<std::size_t>(std::min(m_term, std::int64_t{600})) + 1);

    // The totals are summed as raw counts: four sums a row through the
    // out-of-line money operators cost more than the row itself.
    std::int64_t interestSum = 0;
    std::int64_t principalSum = 0;
    std::int64_t extraSum = 0;
    const auto record = [&, this](const PlanRow &row) {
        m_rows.push_back(row);
        if (__builtin_add_overflow(interestSum, row.interest.count, &interestSum) ||
            __builtin_add_overflow(principalSum, row.principal.count, &principalSum) ||
            __builtin_add_overflow(extraSum, row.extra.count, &extraSum))
            throw MoneyRangeError(static_cast<Extended>(principalSum) / Money::kScale);
    };
    const auto totals = [&] {
        out.totals.interest = Money::fromRawCount(interestSum);
        out.totals.principal = Money::fromRawCount(principalSum);
        out.totals.extra = Money::fromRawCount(extraSum);
        out.totals.paid = out.totals.interest + out.totals.principal;
    };

    const Money atAdvance = extraAt(0);
    if (atAdvance.count > 0) {
        if (atAdvance >= balance) {
            out.reason = "the lump sum at the advance repays the whole principal";
            return PlanStatus::Refused;
        }
        balance = balance - atAdvance;
        record(PlanRow{0, rq.advance, ratePercent, Money{}, Money{}, atAdvance, atAdvance, balance});
        m_extrasPaid = true;
    }

    for (std::int64_t k = 1; k <= m_term; ++k) {
        const Extended iBefore = i;
        bool changed = false;
        while (change < m_changes.size() && m_changes[change].from == k) {
            ratePercent = m_changes[change++].ratePercent;
            i = periodic(rq, ratePercent);
            changed = true;
        }
        const Money interest = interestOn(i, balance);
        Money payment = interest;
        if (k > rq.interestOnly) {
            const bool amortizes = k == rq.interestOnly + 1;
            const bool reprice = changed && rq.repayment == Repayment::Annuity;
            if ((amortizes || m_needLevel || reprice) && !settle(k, balance, iBefore, i, out))
                return PlanStatus::Refused;
            payment = rq.repayment == Repayment::Annuity ? m_level : m_level + interest;
            if (m_fixed && payment <= interest) {
                out.reason = "the payment does not exceed the interest of payment " + text(k);
                return PlanStatus::CannotBePaidOff;
            }
            if (amortizes)
                out.payment = payment;
        } else if (k == 1) {
            out.payment = payment;
        }

        Money extra = extraAt(k);
        const Money owed = balance + interest;
        bool last = true;
        if (payment >= owed) {
            payment = owed;
            extra = Money{};
        } else if (payment + extra >= owed) {
            extra = owed - payment;
        } else if (k == m_term && !m_fixed) {
            payment = owed - extra; // the last payment takes the residue and any balloon
        } else {
            last = false;
        }
        const Money principal = payment + extra - interest;
        balance = last ? Money{} : balance - principal;
        record(PlanRow{k, m_dated ? paymentDate(anchor, rq.frequency, k + shift) : Date{}, ratePercent,
                       payment, interest, principal, extra, balance});
        if (out.crossover == 0 && principal > interest)
            out.crossover = k;
        if (last) {
            out.payments = k;
            out.lastPayment = payment;
            out.payoff = m_rows.back().date;
            totals();
            return PlanStatus::Planned;
        }
        if (extra.count > 0) {
            m_extrasPaid = true;
            if (rq.extraMode == ExtraMode::LowerPayment)
                m_needLevel = true;
        }
    }
    out.reason = "more than " + text(kMaxPayments) + " payments would be needed";
    return PlanStatus::TooManyPayments;
}

PlanResult refuse(PlanStatus status, std::string reason)
{
    PlanResult r;
    r.status = status;
    r.reason = std::move(reason);
    return r;
}

// What the request cannot mean, before anything is computed.
std::string invalid(const PlanRequest &rq)
{
    if (rq.principal.count <= 0)
        return "the principal must be more than 0";
    if (!std::isfinite(rq.ratePercent) || rq.ratePercent < 0 || rq.ratePercent > 1000)
        return "the rate must be from 0 to 1000 percent";
    for (const RateChange &c : rq.rateChanges) {
        if (!std::isfinite(c.ratePercent) || c.ratePercent < 0 || c.ratePercent > 1000)
            return "a changed rate must be from 0 to 1000 percent";
        if (c.from < 1)
            return "a rate change starts with payment 1 or later";
    }
    if (rq.fixedPayment) {
        if (rq.fixedPayment->count <= 0)
            return "the payment must be more than 0";
        if (rq.repayment == Repayment::EqualPrincipal)
            return "a fixed payment is an annuity; equal principal payments vary";
        if (rq.amortizePayments > 0 || rq.balloon.count > 0)
            return "a balloon needs a term, not a fixed payment";
        if (rq.extraMode == ExtraMode::LowerPayment)
            return "lowering the payment needs a term, not a fixed payment";
    } else if (rq.payments < 1) {
        return "the term must have at least one payment";
    }
    if (rq.interestOnly < 0 || (!rq.fixedPayment && rq.interestOnly > rq.payments))
        return "the interest-only payments must be from 0 to the number of payments";
    if (rq.interestOnly > 0 && rq.ratePercent == 0)
        return "interest-only payments at a rate of 0 would pay nothing";
    if (rq.amortizePayments > 0 && rq.amortizePayments < rq.payments)
        return "the amortization period must not be shorter than the term";
    if (rq.balloon.count < 0 || rq.balloon >= rq.principal)
        return "the balloon must be from 0 to less than the principal";
    if (rq.balloon.count > 0 && rq.amortizePayments > 0)
        return "give either an amortization period or a balloon amount";
    if (rq.extra) {
        if (rq.extra->amount.count <= 0)
            return "the extra payment must be more than 0";
        if (rq.extra->from < 1 || rq.extra->every < 1)
            return "extra payments start with payment 1 or later and recur every 1 or more payments";
    }
    for (const LumpSum &l : rq.lumps) {
        if (l.amount.count <= 0)
            return "a lump sum must be more than 0";
        if (l.payment < 0)
            return "a lump sum comes with payment 0 (the advance) or later";
    }
    if (rq.fee.count < 0 || rq.fee >= rq.principal)
        return "the fee must be from 0 to less than the principal";
    if (!isValidDate(rq.advance) || (rq.firstPayment && !isValidDate(*rq.firstPayment)))
        return "the dates must be valid dates";
    if (rq.firstPayment && *rq.firstPayment <= rq.advance)
        return "the first payment must come after the advance";
    return {};
}

// Lumps, extras and rate changes past the last payment of the term.
std::string pastTheTerm(const PlanRequest &rq, std::int64_t term)
{
    const std::string last = " comes after the last payment (" + text(term) + ")";
    for (const RateChange &c : rq.rateChanges) {
        if (c.from > term)
            return "the rate change with payment " + text(c.from) + last;
    }
    for (const LumpSum &l : rq.lumps) {
        if (l.payment > term)
            return "the lump sum with payment " + text(l.payment) + last;
    }
    if (rq.extra && rq.extra->from > term)
        return "the extra payment from payment " + text(rq.extra->from) + last;
    return {};
}

} // namespace

std::vector<CashFlow> planCashFlows(const PlanRequest &request, const std::vector<PlanRow> &rows)
{
    std::vector<CashFlow> flows;
    flows.reserve(rows.size() + 1);
    flows.push_back(CashFlow{request.advance, request.principal - request.fee, true});
    for (const PlanRow &row : rows)
        flows.push_back(CashFlow{row.date, row.payment + row.extra, false});
    return flows;
}

namespace {

// Every amount of the plan is in whole cents, as typed amounts are shown.
PlanRequest inCents(const PlanRequest &typed)
{
    PlanRequest r = typed;
    r.principal = RoundToCents(r.principal);
    if (r.fixedPayment)
        r.fixedPayment = RoundToCents(*r.fixedPayment);
    r.balloon = RoundToCents(r.balloon);
    if (r.extra)
        r.extra->amount = RoundToCents(r.extra->amount);
    for (LumpSum &l : r.lumps)
        l.amount = RoundToCents(l.amount);
    r.fee = RoundToCents(r.fee);
    return r;
}

} // namespace

PlanResult buildPlan(const PlanRequest &typed)
{
    const PlanRequest request = inCents(typed);
    if (std::string why = invalid(request); !why.empty())
        return refuse(PlanStatus::Refused, std::move(why));
    if (request.payments > kMaxPayments || request.amortizePayments > kMaxPayments)
        return refuse(PlanStatus::TooManyPayments,
                      "more than " + text(kMaxPayments) + " payments would be needed");

    const bool extras = request.extra.has_value() || !request.lumps.empty();
    PlanResult out;
    const std::int64_t term = request.fixedPayment ? kMaxPayments : request.payments;

    // A fixed payment's term is that of the plan without extras.
    PlanResult base;
    std::vector<PlanRow> baseRows;
    if (extras || request.fixedPayment) {
        const PlanStatus s = Schedule(request, false, term, baseRows, !extras).run(base);
        if (s != PlanStatus::Planned)
            return refuse(s, base.reason);
    }
    if (std::string why = pastTheTerm(request, request.fixedPayment ? base.payments : term); !why.empty())
        return refuse(PlanStatus::Refused, std::move(why));

    if (extras || !request.fixedPayment) {
        const PlanStatus s = Schedule(request, extras, term, out.rows, true).run(out);
        if (s != PlanStatus::Planned)
            return refuse(s, out.reason);
    } else {
        out = base; // its rows are in baseRows
        out.rows = std::move(baseRows);
    }

    if (extras) {
        out.hasBaseline = true;
        out.baselinePayments = base.payments;
        out.baselineInterest = base.totals.interest;
        out.savedInterest = base.totals.interest - out.totals.interest;
        out.savedPayments = base.payments - out.payments;
        for (const LumpSum &l : request.lumps) {
            if (l.payment > out.payments) {
                out.notes.push_back("the lump sum with payment " + text(l.payment) +
                                    " is not paid: the loan is paid off with payment " + text(out.payments));
            }
        }
    }

    const std::vector<CashFlow> flows = planCashFlows(request, out.rows);
    // The nominal rate is close to both answers: it saves the solver a few trials.
    const Extended nominal = request.ratePercent * kOnePercent;
    out.apr = usApr(flows, nominal);
    out.aprc = euAprc(flows, std::expm1l(periodsPerYear(request.frequency) * std::log1pl(out.periodicRate)));
    return out;
}

} // namespace accrua::calc
