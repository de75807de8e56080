#include "calc/solver.h"

#include "calc/schedulemonths.h"

#include <algorithm>
#include <cstdint>

namespace accrua::calc {

namespace {

// The payment field as the solve sees it: each raise writes the payment as a
// text and the next pass reads that text back, so a pass counts with what
// the field shows, which past ten thousand billion is not the raised amount.
struct PaymentField {
    Extended value = 0;
    PaymentEntry entry = PaymentEntry::AsTyped;
    Money entered;
};

// The raising of the payment is bounded here, for every loop that raises
// it. The first raises go one cent at a time, each written into the field
// and read back as the field shows it; a loan that needs more (an extreme
// rate, or amounts past what the field's text can show to the cent) is
// settled by a doubling search and bisection on whole cents instead, which
// ends after some hundred trials at most.
constexpr int kCentByCentRaises = 100;

struct Raising {
    int done = 0;
    bool exhausted = false; // the cent-by-cent raises ran out or stopped moving
};

// One raise of the payment field by a cent; false (and nothing raised) when
// the cent-by-cent raising is to give way to the search.
bool raiseByOneCent(PaymentField &field, PaymentEntry writtenAs, Raising &raising)
{
    if (raising.exhausted || ++raising.done > kCentByCentRaises) {
        raising.exhausted = true;
        return false;
    }
    PaymentField raised = field;
    raised.entered = Money::fromValue(field.value + kOnePercent);
    raised.entry = writtenAs;
    raised.value = writtenAs == PaymentEntry::MoneyText ? valueOfMoneyText(raised.entered)
                                                        : valueOfGeneralText(raised.entered);
    // Past what the text shows to the cent, a raise reads back unchanged.
    if (!(raised.value > field.value)) {
        raising.exhausted = true;
        return false;
    }
    field = raised;
    return true;
}

// Counting in ten-thousandths can run past the month where the schedule, in
// cents, is paid off; the payments after it would pay nothing and are dropped.
void endAtPayoff(LoanOutcome &out, std::vector<Month> &months, Extended i, Money a, Money p)
{
    for (std::size_t j = 0; j + 1 < months.size(); ++j) {
        if (months[j].balance.count == 0) {
            out.count = static_cast<std::int64_t>(j + 1);
            out.term = termOfCount(out.count);
            out.totals = scheduleMonths(out.count, i, a, p, months);
            return;
        }
    }
}

LoanOutcome refused(LoanOutcome out, LoanStatus why, Money principal, Money payment)
{
    out.status = why;
    out.principal = principal;
    out.payment = payment;
    out.rows.clear();
    return out;
}

// Counts the payments of the field's payment from the principal up, raising
// the payment or adding a payment while a residual is left. Leaves the
// months of the schedule found in `months`; the rows are made once, by the
// caller, when it has stopped trying payments.
LoanOutcome countPayments(const LoanRequest &request, PaymentField &field, std::vector<Month> &months,
                          Raising &raising)
{
    LoanOutcome out;
    for (;;) {
        out.entry = field.entry;
        out.entered = field.entered;
        out.principal = Money::fromValue(request.principal);
        out.annualRate = request.ratePercent * kOnePercent;
        out.payment = Money::fromValue(field.value);
        out.monthlyRate = out.annualRate / 12;
        const Money p = out.principal;
        const Money a = out.payment;
        const Extended i = out.monthlyRate;

        if (!paymentExceedsInterest(p, i, a)) {
            out.status = LoanStatus::CannotBePaidOff;
            out.count = 0;
            return out;
        }
        const std::optional<std::int64_t> k = CountPayments(i, a, p);
        if (!k)
            return refused(out, LoanStatus::TooManyPayments, p, a);
        out.count = *k;
        out.term = termOfCount(*k);
        // Every pass builds its schedule, not only the last: an amount out of
        // range in any of them refuses the whole calculation.
        out.totals = scheduleMonths(out.count, i, a, p, months);

        // The schedule just built ends on the residual when it started from
        // the same payment, a whole number of cents.
        const Money residual = !months.empty() && RoundToCents(a) == a ? months.back().balance
                                                                       : ResidualBalance(out.count, i, a, p);
        if (residual.count > 0) {
            if (request.resolution == Resolution::IncreasePaymentAmount) {
                if (raiseByOneCent(field, PaymentEntry::MoneyText, raising))
                    continue;
                return out; // the search takes over
            }
            if (request.resolution == Resolution::IncreasePaymentCount) {
                if (out.count + 1 > kMaxPayments)
                    return refused(out, LoanStatus::TooManyPayments, p, a);
                out.count += 1;
                out.term = Term{static_cast<std::int32_t>(out.count / 12),
                                static_cast<std::int32_t>(out.count % 12)};
                out.totals = scheduleMonths(out.count, i, a, p, months);
            }
        }
        endAtPayoff(out, months, i, a, p);
        return out;
    }
}

std::int64_t termCount(const Term &term)
{
    return 12 * static_cast<std::int64_t>(term.years) + term.months;
}

constexpr std::int64_t kCent = Money::kScale / 100;

// Whether a payment, as its money text shows it, settles the loan: it pays
// the loan off, leaves no residual, and (when `requested` is 1 or more) takes
// no more payments than that.
bool settles(const LoanRequest &request, Money payment, std::int64_t requested)
{
    const Money p = Money::fromValue(request.principal);
    const Extended i = request.ratePercent * kOnePercent / 12;
    const Money a = Money::fromValue(valueOfMoneyText(payment));
    if (!paymentExceedsInterest(p, i, a))
        return false;
    const std::optional<std::int64_t> k = CountPayments(i, a, p);
    if (!k || ResidualBalance(*k, i, a, p).count > 0)
        return false;
    return requested < 1 || termCount(termOfCount(*k)) <= requested;
}

// The least whole-cent payment above `from` that settles the loan, searched
// by doubling steps and bisection up to the payment that repays principal and
// first interest at once; nothing when even that does not settle it.
std::optional<Money> searchPayment(const LoanRequest &request, Money from, std::int64_t requested)
{
    const Money p = Money::fromValue(request.principal);
    const Extended i = request.ratePercent * kOnePercent / 12;
    const Money whole = RoundToCents(Money::fromCount((1 + i) * p.asCount()));
    const std::int64_t top = std::max(whole.count, from.count);
    const Money cap = Money::fromRawCount(top > INT64_MAX - kCent ? top : top + kCent);
    std::int64_t low = from.count - from.count % kCent; // the last payment known not to settle
    std::int64_t step = kCent;
    std::int64_t high = std::min(low + step, cap.count);
    while (!settles(request, Money::fromRawCount(high), requested)) {
        if (high >= cap.count)
            return std::nullopt;
        low = high;
        step *= 2;
        high = std::min(low + step, cap.count);
    }
    while (high - low > kCent) {
        std::int64_t mid = low + (high - low) / 2;
        mid -= mid % kCent;
        if (mid <= low)
            mid = low + kCent;
        if (settles(request, Money::fromRawCount(mid), requested))
            high = mid;
        else
            low = mid;
    }
    return Money::fromRawCount(high);
}

// The last pass of a solve whose raising gave way to the search: the payment
// it found, written into the field as the loop that raised it last would
// have written it, counted once more for the schedule.
LoanOutcome settleBySearch(const LoanRequest &request, const PaymentField &stuck, std::int64_t requested,
                           std::vector<Month> &months)
{
    const Money from = Money::fromValue(stuck.value);
    const std::optional<Money> found = searchPayment(request, from, requested);
    if (!found) {
        return refused(LoanOutcome{}, LoanStatus::CannotBePaidOff, Money::fromValue(request.principal),
                       Money::fromValue(stuck.value));
    }
    PaymentField field;
    field.entered = *found;
    field.entry = PaymentEntry::MoneyText;
    // The term loop writes the general text; it raised last when the cent
    // below already left nothing over.
    const Money below = Money::fromRawCount(found->count - kCent);
    if (requested >= 1 && below > from && settles(request, below, 0))
        field.entry = PaymentEntry::GeneralText;
    field.value =
        field.entry == PaymentEntry::MoneyText ? valueOfMoneyText(*found) : valueOfGeneralText(*found);
    Raising none{kCentByCentRaises, true};
    return countPayments(request, field, months, none);
}

} // namespace

LoanOutcome solveNumberOfPayments(const LoanRequest &request)
{
    PaymentField field{request.payment, PaymentEntry::AsTyped, Money{}};
    std::vector<Month> months;
    Raising raising;
    LoanOutcome out = countPayments(request, field, months, raising);
    if (raising.exhausted && out.status == LoanStatus::Solved)
        out = settleBySearch(request, field, 0, months);
    if (out.status == LoanStatus::Solved)
        rowsOfMonths(months, request.decimalSeparator, out.rows, request.rowTexts);
    return out;
}

LoanOutcome solvePaymentAmount(const LoanRequest &request)
{
    const Money principal = Money::fromValue(request.principal);
    const Extended monthlyRate = request.ratePercent * kOnePercent / 12;
    const Money exact = annuityPayment(principal, monthlyRate, request.count);
    if (request.count > kMaxPayments)
        return refused(LoanOutcome{}, LoanStatus::TooManyPayments, principal, RoundToCents(exact));

    // The payment is shown in cents, half up, and counted as shown.
    const Money shown = RoundToCents(exact);
    PaymentField field{valueOfMoneyText(shown), PaymentEntry::MoneyText, shown};
    std::vector<Month> months;
    Raising raising;
    LoanOutcome out = countPayments(request, field, months, raising);
    // Rounding the payment down can make the count exceed the term asked
    // for: raise it until the term is met. A count that refuses the payment
    // ends the raising (a negative term would otherwise raise it forever),
    // and a term of no months at all is never met by raising.
    const bool raisesForTerm = request.resolution == Resolution::IncreasePaymentAmount && request.count >= 1;
    while (raisesForTerm && !raising.exhausted && out.status == LoanStatus::Solved &&
           request.count < termCount(out.term)) {
        if (!raiseByOneCent(field, PaymentEntry::GeneralText, raising))
            break;
        out = countPayments(request, field, months, raising);
    }
    if (raising.exhausted && out.status == LoanStatus::Solved)
        out = settleBySearch(request, field, raisesForTerm ? request.count : 0, months);
    if (out.status == LoanStatus::Solved)
        rowsOfMonths(months, request.decimalSeparator, out.rows, request.rowTexts);
    return out;
}

LoanOutcome planAmortization(const LoanRequest &request)
{
    const bool increaseCount = request.resolution == Resolution::IncreasePaymentCount;
    const std::optional<std::int64_t> estimate =
        EstimateAmortizationPayments(request.principal, request.ratePercent, request.payment, increaseCount);
    if (!estimate) {
        return refused(LoanOutcome{}, LoanStatus::TooManyPayments, Money::fromValue(request.principal),
                       Money::fromValue(request.payment));
    }
    if (*estimate == -1) {
        return refused(LoanOutcome{}, LoanStatus::CannotBePaidOff, Money::fromValue(request.principal),
                       Money::fromValue(request.payment));
    }
    if (*estimate != request.count) {
        LoanOutcome out;
        out.suggestedCount = *estimate;
        out.mustAsk = true;
        return out;
    }
    LoanOutcome out = amortizationSchedule(request);
    out.suggestedCount = *estimate;
    return out;
}

LoanOutcome amortizationSchedule(const LoanRequest &request)
{
    LoanOutcome out;
    out.principal = Money::fromValue(request.principal);
    out.payment = Money::fromValue(request.payment);
    out.annualRate = request.ratePercent * kOnePercent;
    out.monthlyRate = out.annualRate / 12;
    if (request.count > kMaxPayments)
        return refused(out, LoanStatus::TooManyPayments, out.principal, out.payment);
    out.count = request.count;
    if (request.rowTexts) {
        out.totals = BuildSchedule(out.count, out.monthlyRate, out.payment, out.principal,
                                   request.decimalSeparator, &out.rows);
    } else {
        std::vector<Month> months;
        out.totals = scheduleMonths(out.count, out.monthlyRate, out.payment, out.principal, months);
        rowsOfMonths(months, request.decimalSeparator, out.rows, false);
    }
    return out;
}

} // namespace accrua::calc
