#include "app/loanmodel.h"

#include "app/mainmodel.h"
#include "calc/format.h"
#include "text/numbers.h"

#include <QCoreApplication>

#include <stdexcept>

namespace accrua::app {

using calc::Extended;
using calc::Money;
using desktop::MessageButton;
using desktop::MessageKind;

// A loan that would need more payments than the program computes.
class LoanModel::BoundExceeded : public std::runtime_error {
public:
    explicit BoundExceeded(const QString &message) : std::runtime_error("loan bound exceeded"), text(message)
    {
    }
    QString text;
};

bool LoanModel::loanInputChecks()
{
    MainModel &m = m_main;
    if (!m.requireNumber(Field::Principal) ||
        !m.requireNonZero(Field::Principal,
                          QCoreApplication::translate("accrua::app::MainModel", "principal balance")))
        return false;
    m.rewriteAsMoney(Field::Principal);
    if (!m.requireNumber(Field::Interest) ||
        !m.requireNonZero(Field::Interest,
                          QCoreApplication::translate("accrua::app::MainModel", "interest rate")))
        return false;
    if (m.m_mode == Mode::PaymentAmount || m.m_mode == Mode::Amortization) {
        if (!m.requireWholeNumber(Field::Years,
                                  QCoreApplication::translate("accrua::app::MainModel", "years")) ||
            !m.requireWholeNumber(Field::Months,
                                  QCoreApplication::translate("accrua::app::MainModel", "months")) ||
            !m.requireTerm(Field::Years, Field::Months))
            return false;
    }
    if (m.m_mode == Mode::NumberOfPayments || m.m_mode == Mode::Amortization) {
        if (!m.requireNumber(Field::Payment) ||
            !m.requireNonZero(Field::Payment,
                              QCoreApplication::translate("accrua::app::MainModel", "payment amount")))
            return false;
    }
    return true;
}

void LoanModel::calculate()
{
    MainModel &m = m_main;
    try {
        if (!loanInputChecks())
            return;
    } catch (const calc::MoneyRangeError &e) {
        m.warn(m.rangeMessage(e), Field::Principal);
        return;
    }

    m_scheduleRows.clear();

    const auto textsBefore = m.m_texts;
    const LoanFields loanBefore = m_loan;
    const auto restore = [&] {
        m.restoreTexts(textsBefore);
        m_loan = loanBefore;
        m_scheduleRows.clear();
    };

    bool stoppedAtFirstCheck = false;
    try {
        if (m.m_mode == Mode::NumberOfPayments)
            CalculateNumberOfPayments();
        else if (m.m_mode == Mode::PaymentAmount)
            CalculatePaymentAmount();
        else
            stoppedAtFirstCheck = !AmortizationCalculation();
    } catch (const BoundExceeded &e) {
        restore();
        m.showWarning(e.text);
        if (m.m_mode == Mode::Amortization)
            return; // refused like a loan that cannot be paid off
        m.DisableReportCommands();
        return;
    } catch (const calc::MoneyRangeError &) {
        restore();
        // The value that overflowed is an intermediate one (a month's
        // interest, a balance); the user knows the loan by what was typed.
        m.showWarning(loanRangeMessage());
        m.DisableReportCommands();
        return;
    } catch (const calc::RateTooSmallError &) {
        restore();
        m.warn(QCoreApplication::translate("accrua::app::MainModel",
                                           "The rate %1 is too small to calculate with.")
                   .arg(m.text(Field::Interest)),
               Field::Interest);
        m.DisableReportCommands();
        return;
    } catch (...) {
        // Any other failure goes to the general error report with nothing changed.
        restore();
        m.DisableReportCommands();
        throw;
    }
    if (stoppedAtFirstCheck)
        return;
    if (!m_scheduleRows.empty())
        m.EnableReportCommands();
    else
        m.DisableReportCommands();
}

QString LoanModel::boundMessage(Extended principal, Extended payment) const
{
    const text::Locale &locale = m_main.m_locale;
    return QCoreApplication::translate(
               "accrua::app::MainModel",
               "A loan of %1 at %2% interest with a payment of %3 would need more than %4 payments.")
        .arg(text::CurrencyText(principal, locale), m_main.text(Field::Interest),
             text::CurrencyText(payment, locale), QString::number(calc::kMaxPayments));
}

void LoanModel::cannotBePaidOff(Money principal, Money payment)
{
    const text::Locale &locale = m_main.m_locale;
    m_main.showWarning(
        QCoreApplication::translate("accrua::app::MainModel",
                                    "A loan of %1 cannot be paid off with a payment of %2")
            .arg(text::CurrencyText(principal.value(), locale), text::CurrencyText(payment.value(), locale)));
}

calc::Resolution LoanModel::paymentResolution() const
{
    // Compared as exact text: anything else resolves nothing.
    const QString &resolution = m_main.m_settings.PaymentResolution;
    if (resolution == settings::kIncreasePaymentAmount)
        return calc::Resolution::IncreasePaymentAmount;
    if (resolution == settings::kIncreasePaymentCount)
        return calc::Resolution::IncreasePaymentCount;
    return calc::Resolution::None;
}

bool LoanModel::CalculateNumberOfPayments()
{
    calc::LoanRequest request;
    request.principal = m_main.floatOf(Field::Principal);
    request.ratePercent = m_main.floatOf(Field::Interest);
    request.payment = m_main.floatOf(Field::Payment);
    request.resolution = paymentResolution();
    request.decimalSeparator = m_main.m_locale.decimalSeparator().unicode();
    request.rowTexts = m_rowTexts;
    calc::LoanOutcome outcome = calc::solveNumberOfPayments(request);
    return showSolvedLoan(outcome);
}

void LoanModel::CalculatePaymentAmount()
{
    calc::LoanRequest request;
    request.principal = m_main.floatOf(Field::Principal);
    request.ratePercent = m_main.floatOf(Field::Interest);
    request.count = 12 * m_main.integerOf(Field::Years) + m_main.integerOf(Field::Months);
    request.resolution = paymentResolution();
    request.decimalSeparator = m_main.m_locale.decimalSeparator().unicode();
    request.rowTexts = m_rowTexts;
    calc::LoanOutcome outcome = calc::solvePaymentAmount(request);
    showSolvedLoan(outcome);
}

bool LoanModel::showSolvedLoan(calc::LoanOutcome &outcome)
{
    MainModel &m = m_main;
    if (outcome.status == calc::LoanStatus::TooManyPayments)
        throw BoundExceeded(boundMessage(outcome.principal.value(), outcome.payment.value()));

    switch (outcome.entry) {
    case calc::PaymentEntry::AsTyped:
        break;
    case calc::PaymentEntry::MoneyText:
        m.write(Field::Payment, m.moneyText(outcome.entered));
        break;
    case calc::PaymentEntry::GeneralText:
        m.write(Field::Payment, m.generalText(outcome.entered.value()));
        break;
    }
    m_loan.LoanPrincipal = outcome.principal;
    m_loan.AnnualRate = outcome.annualRate;
    m_loan.MonthlyRate = outcome.monthlyRate;
    m_loan.LoanPayment = outcome.payment;
    if (outcome.status == calc::LoanStatus::CannotBePaidOff) {
        m_loan.PaymentCount = 0;
        cannotBePaidOff(outcome.principal, outcome.payment);
        return false;
    }

    m_loan.TermYears = outcome.term.years;
    m_loan.TermMonths = outcome.term.months;
    m_loan.PaymentCount = static_cast<std::int32_t>(outcome.count);
    m_loan.totals = outcome.totals;
    m_scheduleRows = std::move(outcome.rows);
    ShowLoanTotals();
    m.write(Field::Years, m.intText(m_loan.TermYears));
    m.write(Field::Months, m.intText(m_loan.TermMonths));
    m.write(Field::TotalNumberPayments, m.intText(12 * std::int64_t(m_loan.TermYears) + m_loan.TermMonths));
    return true;
}

bool LoanModel::AmortizationCalculation()
{
    MainModel &m = m_main;
    const Extended principal = m.floatOf(Field::Principal);
    const Extended rate = m.floatOf(Field::Interest);
    const Extended payment = m.floatOf(Field::Payment);
    const QString boundText = boundMessage(principal, payment);

    calc::LoanRequest request;
    request.principal = principal;
    request.ratePercent = rate;
    request.payment = payment;
    request.count = 12 * m.integerOf(Field::Years) + m.integerOf(Field::Months);
    request.resolution = paymentResolution();
    request.decimalSeparator = m.m_locale.decimalSeparator().unicode();
    request.rowTexts = m_rowTexts;
    calc::LoanOutcome plan = calc::planAmortization(request);
    if (plan.status == calc::LoanStatus::CannotBePaidOff) {
        cannotBePaidOff(plan.principal, plan.payment);
        return false;
    }
    if (plan.status == calc::LoanStatus::TooManyPayments)
        throw BoundExceeded(boundText);

    if (plan.mustAsk) {
        const QString count = QString::number(plan.suggestedCount);
        const QString question =
            QCoreApplication::translate(
                "accrua::app::MainModel",
                "A loan of %1 at %2% interest with a payment of %3 can be completely extinguished "
                "with %4 payments. Do you want to set the number of payments to %4 "
                "for this amortization?")
                .arg(text::CurrencyText(principal, m.m_locale), m.text(Field::Interest),
                     text::CurrencyText(payment, m.m_locale), count);
        const auto answer = m.m_messages.ShowMessageDialog(question, MessageKind::Warning,
                                                           MessageButton::Yes | MessageButton::No);
        if (answer == desktop::mrYes) {
            m.write(Field::Years,
                    m.generalText(calc::intPart(static_cast<Extended>(plan.suggestedCount) / 12)));
            m.write(Field::Months, QString::number(plan.suggestedCount % 12));
        }
        request.count = 12 * m.integerOf(Field::Years) + m.integerOf(Field::Months);
        plan = calc::amortizationSchedule(request);
        if (plan.status == calc::LoanStatus::TooManyPayments)
            throw BoundExceeded(boundText);
    }

    // The loan fields of the other two modes stay: their answer fields keep
    // showing the last payment and term computed there.
    m_loan.PaymentCount = static_cast<std::int32_t>(plan.count);
    m.write(Field::TotalNumberPayments, m.intText(plan.count));
    m_loan.totals = plan.totals;
    m_scheduleRows = std::move(plan.rows);
    ShowLoanTotals();
    return true;
}

void LoanModel::ShowLoanTotals()
{
    MainModel &m = m_main;
    m.write(Field::TotalPayments, m.moneyText(m_loan.totals.TotalPaid));
    m.write(Field::TotalPrincipal, m.moneyText(m_loan.totals.TotalPrincipal));
    m.write(Field::TotalInterest, m.moneyText(m_loan.totals.TotalInterest));
    m.write(Field::TotalNumberPayments, m.intText(m_loan.PaymentCount));
    m.write(Field::YearsAnswer, m.intText(m_loan.TermYears));
    m.write(Field::MonthsAnswer, m.intText(m_loan.TermMonths));
    m.write(Field::PaymentAnswer, m.moneyText(m_loan.LoanPayment));
}

QString LoanModel::loanRangeMessage() const
{
    const MainModel &m = m_main;
    const auto amount = [&](Field f) {
        return text::CurrencyText(text::toFloat(m.text(f), m.m_locale).value_or(0), m.m_locale);
    };
    if (m.m_mode == Mode::PaymentAmount)
        return QCoreApplication::translate("accrua::app::MainModel",
                                           "A loan of %1 at %2% interest is too large to calculate with.")
            .arg(amount(Field::Principal), m.text(Field::Interest));
    return QCoreApplication::translate(
               "accrua::app::MainModel",
               "A loan of %1 at %2% interest with a payment of %3 is too large to calculate with.")
        .arg(amount(Field::Principal), m.text(Field::Interest), amount(Field::Payment));
}

} // namespace accrua::app
