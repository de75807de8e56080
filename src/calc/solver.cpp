#include "calc/solver.h"

#include "calc/schedulemonths.h"

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

// Every raise of the payment, by either loop, passes here.
void raiseByOneCent(PaymentField &field, PaymentEntry writtenAs)
{
    field.entered = Money::fromValue(field.value + kOnePercent);
    field.entry = writtenAs;
    field.value = writtenAs == PaymentEntry::MoneyText ? valueOfMoneyText(field.entered)
                                                       : valueOfGeneralText(field.entered);
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
LoanOutcome countPayments(const LoanRequest &request, PaymentField &field, std::vector<Month> &months)
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

        const Money residual = ResidualBalance(out.count, i, a, p);
        if (residual.count > 0) {
            if (request.resolution == Resolution::IncreasePaymentAmount) {
                raiseByOneCent(field, PaymentEntry::MoneyText);
                continue;
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
        return out;
    }
}

std::int64_t termCount(const Term &term)
{
    return 12 * static_cast<std::int64_t>(term.years) + term.months;
}

} // namespace

LoanOutcome solveNumberOfPayments(const LoanRequest &request)
{
    PaymentField field{request.payment, PaymentEntry::AsTyped, Money{}};
    std::vector<Month> months;
    LoanOutcome out = countPayments(request, field, months);
    if (out.status == LoanStatus::Solved)
        rowsOfMonths(months, request.decimalSeparator, out.rows);
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
    LoanOutcome out = countPayments(request, field, months);
    // Rounding the payment down can make the count exceed the term asked
    // for: raise it until the term is met. A count that refuses the payment
    // ends the raising (a negative term would otherwise raise it forever),
    // and a term of no months at all is never met by raising.
    while (request.resolution == Resolution::IncreasePaymentAmount && out.status == LoanStatus::Solved &&
           request.count >= 1 && request.count < termCount(out.term)) {
        raiseByOneCent(field, PaymentEntry::GeneralText);
        out = countPayments(request, field, months);
    }
    if (out.status == LoanStatus::Solved)
        rowsOfMonths(months, request.decimalSeparator, out.rows);
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
    out.totals = BuildSchedule(out.count, out.monthlyRate, out.payment, out.principal,
                               request.decimalSeparator, &out.rows);
    return out;
}

} // namespace accrua::calc
