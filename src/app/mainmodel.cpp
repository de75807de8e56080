#include "app/mainmodel.h"

#include "calc/daily.h"
#include "calc/format.h"
#include "text/numbers.h"

#include <stdexcept>

namespace accrua::app {

using calc::Extended;
using calc::Money;
using desktop::MessageButton;
using desktop::MessageKind;

// A loan that would need more payments than the program computes.
class MainModel::LoanBoundExceeded : public std::runtime_error {
public:
    explicit LoanBoundExceeded(const QString &message)
        : std::runtime_error("loan bound exceeded"), text(message)
    {
    }
    QString text;
};

struct MainModel::Snapshot {
    std::array<QString, kFieldCount> texts;
    LoanFields loan;
};

MainModel::MainModel(text::Locale locale, desktop::MessageService &messages)
    : m_locale(std::move(locale)), m_messages(messages)
{
    const QString zero = m_locale.zeroAmount();
    const QString sep = m_locale.decimalSeparator();
    for (const FieldInfo &info : allFields())
        m_texts[static_cast<std::size_t>(info.field)] = QStringLiteral("0");
    for (Field f : {Field::Principal, Field::Payment, Field::TotalPayments, Field::TotalPrincipal,
                    Field::TotalInterest, Field::DayPrincipal, Field::DayPayment, Field::PrincipalPayment,
                    Field::RemainingBalance, Field::IntPerPeriod, Field::SaveAmount, Field::SaveIntAccrued,
                    Field::SaveEndBalance, Field::IntAccrued})
        m_texts[static_cast<std::size_t>(f)] = zero;
    m_texts[static_cast<std::size_t>(Field::DailyRate)] = QStringLiteral("0") + sep + QStringLiteral("0");
    m_texts[static_cast<std::size_t>(Field::PaymentAnswer)] =
        QStringLiteral("0") + sep + QStringLiteral("00");
}

void MainModel::resetAmountFields()
{
    const QString zero = m_locale.zeroAmount();
    const QString sep = m_locale.decimalSeparator();
    for (Field f : {Field::Principal, Field::Payment, Field::TotalPayments, Field::TotalPrincipal,
                    Field::TotalInterest, Field::DayPrincipal, Field::DayPayment, Field::PrincipalPayment,
                    Field::RemainingBalance, Field::IntPerPeriod, Field::SaveAmount, Field::SaveIntAccrued,
                    Field::SaveEndBalance, Field::IntAccrued})
        write(f, zero);
    write(Field::DailyRate, QStringLiteral("0") + sep + QStringLiteral("0"));
    write(Field::PaymentAnswer, QStringLiteral("0") + sep + QStringLiteral("00"));
}

QString MainModel::typeText(Field field, const QString &typed)
{
    QString upper = typed.toUpper();
    QString &slot = m_texts[static_cast<std::size_t>(field)];
    if (slot != upper) {
        slot = upper;
        runChangeHandler(field);
    }
    return upper;
}

void MainModel::write(Field field, const QString &value)
{
    QString &slot = m_texts[static_cast<std::size_t>(field)];
    if (slot == value)
        return;
    slot = value;
    if (m_view)
        m_view->fieldWritten(field, value);
    runChangeHandler(field);
}

void MainModel::runChangeHandler(Field field)
{
    if (fieldInfo(field).change == OnChange::DisableReports)
        DisableReportCommands();
}

void MainModel::EnableReportCommands()
{
    if (m_reportCommands)
        return;
    m_reportCommands = true;
    if (m_view)
        m_view->reportCommandsChanged(true);
}

void MainModel::DisableReportCommands()
{
    if (!m_reportCommands)
        return;
    m_reportCommands = false;
    if (m_view)
        m_view->reportCommandsChanged(false);
}

void MainModel::showWarning(const QString &message)
{
    m_messages.ShowMessageDialog(message, MessageKind::Warning, MessageButton::OK);
}

void MainModel::warn(const QString &message, Field focus)
{
    showWarning(message);
    if (m_view)
        m_view->focusField(focus);
}

bool MainModel::leaveField(Field field)
{
    const QString current = text(field);
    const QString refused = QLatin1Char('"') + current + QStringLiteral("\" is not a valid value!");
    switch (fieldInfo(field).leave) {
    case LeaveCheck::None:
        return true;
    case LeaveCheck::Amount:
        if (text::IsValidFloat(current, m_locale)) {
            // An amount no money value can hold is refused while the field
            // still shows it as typed, not rewritten into hundreds of digits.
            try {
                Money::fromValue(*text::toFloat(current, m_locale));
            } catch (const calc::MoneyRangeError &e) {
                warn(rangeMessage(e), field);
                return false;
            }
            write(field, text::NormalizeTwoDecimals(current, m_locale));
            return true;
        }
        warn(refused, field);
        return false;
    case LeaveCheck::Rate:
    case LeaveCheck::Count: {
        const bool valid = fieldInfo(field).leave == LeaveCheck::Rate ? text::IsValidFloat(current, m_locale)
                                                                      : text::IsValidInteger(current);
        if (valid)
            return true;
        // A refused rate or count does not stay: the field starts again at 0.
        showWarning(refused);
        write(field, QStringLiteral("0"));
        if (m_view)
            m_view->focusField(field);
        return false;
    }
    }
    return true;
}

void MainModel::selectMode(Mode mode)
{
    m_mode = mode;
    if (m_view)
        m_view->modeChanged(mode);
    if (isLoanMode(mode) && m_view)
        m_view->focusField(Field::Principal);
}

void MainModel::pageClicked(Mode mode)
{
    DisableReportCommands();
    selectMode(mode);
}

Extended MainModel::floatOf(Field field) const
{
    const auto value = text::toFloat(text(field), m_locale);
    if (!value)
        throw std::runtime_error(
            QString(QLatin1Char('\'') + text(field) + QStringLiteral("' is not a valid floating point value"))
                .toStdString());
    return *value;
}

std::int64_t MainModel::integerOf(Field field) const
{
    const auto value = text::toInteger(text(field));
    if (!value)
        throw std::runtime_error(
            QString(QLatin1Char('\'') + text(field) + QStringLiteral("' is not a valid integer value"))
                .toStdString());
    return *value;
}

QString MainModel::moneyText(Money value) const
{
    return text::FormatMoney(value, m_locale);
}

bool MainModel::requireNumber(Field field)
{
    if (text::IsValidFloat(text(field), m_locale))
        return true;
    warn(QLatin1Char('"') + text(field) + QStringLiteral("\" is not a valid value!"), field);
    return false;
}

bool MainModel::requireWholeNumber(Field field, const QString &what)
{
    // The same conversion as the leave check: " 6" is a whole number whose
    // text still differs from "6".
    if (text::IsValidInteger(text(field)))
        return true;
    warn(QLatin1Char('"') + text(field) + QStringLiteral("\" is not a valid number of ") + what +
             QLatin1Char('!'),
         field);
    return false;
}

bool MainModel::requireNonZero(Field field, const QString &what)
{
    if (floatOf(field) != 0)
        return true;
    warn(QStringLiteral("You must enter the ") + what + QStringLiteral(" in order to continue!"), field);
    return false;
}

bool MainModel::requireTerm(Field years, Field months)
{
    if (integerOf(years) != 0 || integerOf(months) != 0)
        return true;
    warn(QStringLiteral("You must enter the number of years and/or months in order to continue!"), years);
    return false;
}

void MainModel::rewriteAsMoney(Field field)
{
    write(field, moneyText(Money::fromValue(floatOf(field))));
}

bool MainModel::loanInputChecks()
{
    if (!requireNumber(Field::Principal) ||
        !requireNonZero(Field::Principal, QStringLiteral("principal balance")))
        return false;
    rewriteAsMoney(Field::Principal);
    if (!requireNumber(Field::Interest) || !requireNonZero(Field::Interest, QStringLiteral("interest rate")))
        return false;
    if (m_mode == Mode::PaymentAmount || m_mode == Mode::Amortization) {
        if (!requireWholeNumber(Field::Years, QStringLiteral("years")) ||
            !requireWholeNumber(Field::Months, QStringLiteral("months")) ||
            !requireTerm(Field::Years, Field::Months))
            return false;
    }
    if (m_mode == Mode::NumberOfPayments || m_mode == Mode::Amortization) {
        if (!requireNumber(Field::Payment) ||
            !requireNonZero(Field::Payment, QStringLiteral("payment amount")))
            return false;
    }
    return true;
}

void MainModel::calculate()
{
    switch (m_mode) {
    case Mode::DailyInterest:
        calculateDaily();
        return;
    case Mode::SavingsInterest:
        calculateSavings();
        return;
    default:
        calculateLoan();
        return;
    }
}

void MainModel::calculateLoan()
{
    try {
        if (!loanInputChecks())
            return;
    } catch (const calc::MoneyRangeError &e) {
        warn(rangeMessage(e), Field::Principal);
        return;
    }

    m_scheduleRows.clear();

    const Snapshot before{m_texts, m_loan};
    const auto restore = [&] {
        restoreTexts(before.texts);
        m_loan = before.loan;
        m_scheduleRows.clear();
    };

    bool stoppedAtFirstCheck = false;
    try {
        if (m_mode == Mode::NumberOfPayments)
            CalculateNumberOfPayments();
        else if (m_mode == Mode::PaymentAmount)
            CalculatePaymentAmount();
        else
            stoppedAtFirstCheck = !AmortizationCalculation();
    } catch (const LoanBoundExceeded &e) {
        restore();
        showWarning(e.text);
        if (m_mode == Mode::Amortization)
            return; // refused like a loan that cannot be paid off
        DisableReportCommands();
        return;
    } catch (const calc::MoneyRangeError &) {
        restore();
        // The value that overflowed is an intermediate one (a month's
        // interest, a balance); the user knows the loan by what was typed.
        showWarning(loanRangeMessage());
        DisableReportCommands();
        return;
    } catch (const calc::RateTooSmallError &) {
        restore();
        warn(QStringLiteral("The rate %1 is too small to calculate with.").arg(text(Field::Interest)),
             Field::Interest);
        DisableReportCommands();
        return;
    } catch (...) {
        // Any other failure goes to the general error report with nothing changed.
        restore();
        DisableReportCommands();
        throw;
    }
    if (stoppedAtFirstCheck)
        return;
    if (!m_scheduleRows.empty())
        EnableReportCommands();
    else
        DisableReportCommands();
}

QString MainModel::boundMessage(Extended principal, Extended payment) const
{
    return QStringLiteral("A loan of ") + text::CurrencyText(principal, m_locale) + QStringLiteral(" at ") +
           text(Field::Interest) + QStringLiteral("% interest with a payment of ") +
           text::CurrencyText(payment, m_locale) +
           QStringLiteral(" would need more than %1 payments.").arg(calc::kMaxPayments);
}

void MainModel::cannotBePaidOff(Money principal, Money payment)
{
    showWarning(QStringLiteral("A loan of ") + text::CurrencyText(principal.value(), m_locale) +
                QStringLiteral(" cannot be paid off with a payment of ") +
                text::CurrencyText(payment.value(), m_locale));
}

calc::Resolution MainModel::paymentResolution() const
{
    // Compared as exact text: anything else resolves nothing.
    if (m_settings.PaymentResolution == settings::kIncreasePaymentAmount)
        return calc::Resolution::IncreasePaymentAmount;
    if (m_settings.PaymentResolution == settings::kIncreasePaymentCount)
        return calc::Resolution::IncreasePaymentCount;
    return calc::Resolution::None;
}

bool MainModel::CalculateNumberOfPayments()
{
    calc::LoanRequest request;
    request.principal = floatOf(Field::Principal);
    request.ratePercent = floatOf(Field::Interest);
    request.payment = floatOf(Field::Payment);
    request.resolution = paymentResolution();
    request.decimalSeparator = m_locale.decimalSeparator().unicode();
    request.rowTexts = m_rowTexts;
    calc::LoanOutcome outcome = calc::solveNumberOfPayments(request);
    return showSolvedLoan(outcome);
}

void MainModel::CalculatePaymentAmount()
{
    calc::LoanRequest request;
    request.principal = floatOf(Field::Principal);
    request.ratePercent = floatOf(Field::Interest);
    request.count = 12 * integerOf(Field::Years) + integerOf(Field::Months);
    request.resolution = paymentResolution();
    request.decimalSeparator = m_locale.decimalSeparator().unicode();
    request.rowTexts = m_rowTexts;
    calc::LoanOutcome outcome = calc::solvePaymentAmount(request);
    showSolvedLoan(outcome);
}

bool MainModel::showSolvedLoan(calc::LoanOutcome &outcome)
{
    if (outcome.status == calc::LoanStatus::TooManyPayments)
        throw LoanBoundExceeded(boundMessage(outcome.principal.value(), outcome.payment.value()));

    switch (outcome.entry) {
    case calc::PaymentEntry::AsTyped:
        break;
    case calc::PaymentEntry::MoneyText:
        write(Field::Payment, moneyText(outcome.entered));
        break;
    case calc::PaymentEntry::GeneralText:
        write(Field::Payment, generalText(outcome.entered.value()));
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
    write(Field::Years, intText(m_loan.TermYears));
    write(Field::Months, intText(m_loan.TermMonths));
    write(Field::TotalNumberPayments, intText(12 * std::int64_t(m_loan.TermYears) + m_loan.TermMonths));
    return true;
}

bool MainModel::AmortizationCalculation()
{
    const Extended principal = floatOf(Field::Principal);
    const Extended rate = floatOf(Field::Interest);
    const Extended payment = floatOf(Field::Payment);
    const QString boundText = boundMessage(principal, payment);

    calc::LoanRequest request;
    request.principal = principal;
    request.ratePercent = rate;
    request.payment = payment;
    request.count = 12 * integerOf(Field::Years) + integerOf(Field::Months);
    request.resolution = paymentResolution();
    request.decimalSeparator = m_locale.decimalSeparator().unicode();
    request.rowTexts = m_rowTexts;
    calc::LoanOutcome plan = calc::planAmortization(request);
    if (plan.status == calc::LoanStatus::CannotBePaidOff) {
        cannotBePaidOff(plan.principal, plan.payment);
        return false;
    }
    if (plan.status == calc::LoanStatus::TooManyPayments)
        throw LoanBoundExceeded(boundText);

    if (plan.mustAsk) {
        const QString count = QString::number(plan.suggestedCount);
        const QString question =
            QStringLiteral("A loan of ") + text::CurrencyText(principal, m_locale) + QStringLiteral(" ") +
            QStringLiteral("at ") + text(Field::Interest) + QStringLiteral("% interest with a payment of ") +
            text::CurrencyText(payment, m_locale) + QStringLiteral(" can be completely extinguished with ") +
            count + QStringLiteral(" payments. Do you want to set the number of payments to ") + count +
            QStringLiteral(" for this amortization?");
        const auto answer = m_messages.ShowMessageDialog(question, MessageKind::Warning,
                                                         MessageButton::Yes | MessageButton::No);
        if (answer == desktop::mrYes) {
            write(Field::Years, generalText(calc::intPart(static_cast<Extended>(plan.suggestedCount) / 12)));
            write(Field::Months, QString::number(plan.suggestedCount % 12));
        }
        request.count = 12 * integerOf(Field::Years) + integerOf(Field::Months);
        plan = calc::amortizationSchedule(request);
        if (plan.status == calc::LoanStatus::TooManyPayments)
            throw LoanBoundExceeded(boundText);
    }

    // The loan fields of the other two modes stay: their answer fields keep
    // showing the last payment and term computed there.
    m_loan.PaymentCount = static_cast<std::int32_t>(plan.count);
    write(Field::TotalNumberPayments, intText(plan.count));
    m_loan.totals = plan.totals;
    m_scheduleRows = std::move(plan.rows);
    ShowLoanTotals();
    return true;
}

void MainModel::ShowLoanTotals()
{
    write(Field::TotalPayments, moneyText(m_loan.totals.TotalPaid));
    write(Field::TotalPrincipal, moneyText(m_loan.totals.TotalPrincipal));
    write(Field::TotalInterest, moneyText(m_loan.totals.TotalInterest));
    write(Field::TotalNumberPayments, intText(m_loan.PaymentCount));
    write(Field::YearsAnswer, intText(m_loan.TermYears));
    write(Field::MonthsAnswer, intText(m_loan.TermMonths));
    write(Field::PaymentAnswer, moneyText(m_loan.LoanPayment));
}

QString MainModel::generalText(Extended value) const
{
    return text::formatGeneral(value, m_locale);
}

QString MainModel::rangeMessage(const calc::MoneyRangeError &e) const
{
    return QStringLiteral("The amount %1 is too large to calculate with.").arg(generalText(e.value()));
}

QString MainModel::loanRangeMessage() const
{
    const auto amount = [&](Field f) {
        return text::CurrencyText(text::toFloat(text(f), m_locale).value_or(0), m_locale);
    };
    QString loan = QStringLiteral("A loan of ") + amount(Field::Principal) + QStringLiteral(" at ") +
                   text(Field::Interest) + QStringLiteral("% interest");
    if (m_mode != Mode::PaymentAmount)
        loan += QStringLiteral(" with a payment of ") + amount(Field::Payment);
    return loan + QStringLiteral(" is too large to calculate with.");
}

void MainModel::restoreTexts(const std::array<QString, kFieldCount> &texts)
{
    for (const FieldInfo &info : allFields())
        write(info.field, texts[static_cast<std::size_t>(info.field)]);
}

// ---- Daily Interest ----

void MainModel::datePickerChanged(bool startPicker, const QDate &date)
{
    (startPicker ? m_startDate : m_receiveDate) = date;
    if (m_receiveDate < m_startDate) {
        showWarning(QStringLiteral(
            "The start date must be prior to or equal to the end date for calculating daily interest."));
        if (startPicker)
            m_receiveDate = m_startDate;
        else
            m_startDate = m_receiveDate;
        if (m_view) {
            m_view->datesWritten(m_startDate, m_receiveDate);
            m_view->focusDatePicker(!startPicker);
        }
        return;
    }
    const std::int64_t days =
        calc::dayCount(m_startDate.year(), m_startDate.month(), m_startDate.day(), m_receiveDate.year(),
                       m_receiveDate.month(), m_receiveDate.day());
    write(Field::Days, QString::number(days));
}

void MainModel::dateRefused(bool startPicker, const QString &text)
{
    showWarning(QLatin1Char('"') + text + QStringLiteral("\" is not a valid value!"));
    if (m_view)
        m_view->focusDatePicker(startPicker);
}

bool MainModel::ValidateDailyInputs()
{
    if (!requireWholeNumber(Field::Days, QStringLiteral("days")))
        return false;
    if (integerOf(Field::Days) <= 0) {
        showWarning(QStringLiteral("You must enter a valid number of days in order to continue!"));
        write(Field::Days, QStringLiteral("1"));
        if (m_view)
            m_view->focusField(Field::Days);
        return false;
    }
    if (!requireNumber(Field::DayPrincipal) ||
        !requireNonZero(Field::DayPrincipal, QStringLiteral("principal balance")))
        return false;
    rewriteAsMoney(Field::DayPrincipal);
    return requireNumber(Field::DayInterest) &&
           requireNonZero(Field::DayInterest, QStringLiteral("interest rate")) &&
           requireNumber(Field::DayPayment);
}

void MainModel::CalculateDailyInterest()
{
    const calc::DailyResult r =
        calc::CalculateDailyInterest(floatOf(Field::DayPrincipal), floatOf(Field::DayInterest),
                                     static_cast<std::int32_t>(integerOf(Field::Days)),
                                     floatOf(Field::DayPayment), m_settings.AmortizedBase);
    write(Field::DailyRate, generalText(r.daily));
    write(Field::IntPerPeriod, moneyText(r.interest));
    write(Field::PrincipalPayment, moneyText(r.principalPayment));
    write(Field::IntAccrued, moneyText(r.accrued));
    write(Field::RemainingBalance, moneyText(r.remaining));
}

void MainModel::calculateDaily()
{
    const auto before = m_texts;
    try {
        if (!ValidateDailyInputs())
            return;
        // Only a hand-edited store can hold such a base; dividing by it is meaningless.
        if (m_settings.AmortizedBase <= 0) {
            showWarning(QStringLiteral("The stored day base (AMORTIZEDBASE) is %1; the number of days in a "
                                       "year must be greater than zero to calculate daily interest.")
                            .arg(m_settings.AmortizedBase));
            return;
        }
        CalculateDailyInterest();
    } catch (const calc::MoneyRangeError &e) {
        restoreTexts(before);
        showWarning(rangeMessage(e));
        return;
    }
    EnableReportCommands();
}

// ---- Savings Interest ----

QString MainModel::savingsBoundMessage() const
{
    const auto balance = text::toFloat(text(Field::SaveAmount), m_locale);
    return QStringLiteral("A balance of ") + text::CurrencyText(balance.value_or(0), m_locale) +
           QStringLiteral(" at ") + text(Field::SaveInterest) + QStringLiteral("% interest compounded ") +
           QString::number(calc::periodsPerYear(m_compounding)) + QStringLiteral(" times per year for ") +
           text(Field::SaveYears) + QStringLiteral(" years and ") + text(Field::SaveMonths) +
           QStringLiteral(" months would need more than %1 periods.").arg(calc::kMaxSavingsPeriods);
}

bool MainModel::ValidateSavingsInputs()
{
    if (!requireNumber(Field::SaveAmount) ||
        !requireNonZero(Field::SaveAmount, QStringLiteral("beginning balance")))
        return false;
    rewriteAsMoney(Field::SaveAmount);
    if (!requireNumber(Field::SaveInterest) ||
        !requireNonZero(Field::SaveInterest, QStringLiteral("interest rate")) ||
        !requireWholeNumber(Field::SaveYears, QStringLiteral("years")) ||
        !requireWholeNumber(Field::SaveMonths, QStringLiteral("months")) ||
        !requireTerm(Field::SaveYears, Field::SaveMonths))
        return false;

    const QString months = text(Field::SaveMonths);
    QStringList allowed;
    QString ending;
    bool fits = true;
    switch (m_compounding) {
    case 0:
        allowed = {QStringLiteral("0")};
        ending = QStringLiteral("0!");
        break;
    case 1:
        allowed = {QStringLiteral("0"), QStringLiteral("6")};
        ending = QStringLiteral("0 or 6!");
        break;
    case 2:
        allowed = {QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("9")};
        ending = QStringLiteral("0, 3, 6, or 9!");
        break;
    case 3: {
        const std::int64_t m = integerOf(Field::SaveMonths);
        fits = m >= 0 && m <= 11;
        ending = QStringLiteral("a number >= 0 and <= 11!");
        break;
    }
    default:
        return true;
    }
    if (!allowed.isEmpty())
        fits = allowed.contains(months); // compared as texts: "06" is not "6"
    if (!fits) {
        m_messages.ShowMessageDialog(
            QStringLiteral("When calculating the interest earned on a loan compounded ") +
                QString::number(calc::periodsPerYear(m_compounding)) + QStringLiteral(" times per year,") +
                QLatin1Char('\n') + QStringLiteral("the number of months must be ") + ending,
            MessageKind::Information, MessageButton::OK);
        write(Field::SaveMonths, QStringLiteral("0"));
        if (m_view)
            m_view->focusField(Field::SaveMonths);
        return false;
    }
    return true;
}

void MainModel::CalculateSavingsInterest()
{
    calc::SavingsResult r = calc::CalculateSavingsInterest(
        floatOf(Field::SaveAmount), floatOf(Field::SaveInterest), calc::periodsPerYear(m_compounding),
        static_cast<std::int32_t>(integerOf(Field::SaveYears)),
        static_cast<std::int32_t>(integerOf(Field::SaveMonths)), m_locale.decimalSeparator().unicode());
    m_savingsRows = std::move(r.rows);
    write(Field::SaveIntAccrued, moneyText(r.total));
    write(Field::SaveEndBalance, moneyText(r.endBalance));
}

void MainModel::calculateSavings()
{
    const auto before = m_texts;
    const auto rowsBefore = m_savingsRows;
    try {
        if (!ValidateSavingsInputs())
            return;
        m_savingsRows.clear();
        CalculateSavingsInterest();
    } catch (const calc::MoneyRangeError &e) {
        restoreTexts(before);
        m_savingsRows = rowsBefore;
        showWarning(rangeMessage(e));
        return;
    } catch (const std::length_error &) {
        m_savingsRows = rowsBefore;
        showWarning(savingsBoundMessage());
        return;
    }
    EnableReportCommands();
}

} // namespace accrua::app
