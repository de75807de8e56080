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
    const QString refused =
        QCoreApplication::translate("accrua::app::MainModel", "\"%1\" is not a valid value!").arg(current);
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
            QCoreApplication::translate("accrua::app::MainModel", "'%1' is not a valid floating point value")
                .arg(text(field))
                .toStdString());
    return *value;
}

std::int64_t MainModel::integerOf(Field field) const
{
    const auto value = text::toInteger(text(field));
    if (!value)
        throw std::runtime_error(
            QCoreApplication::translate("accrua::app::MainModel", "'%1' is not a valid integer value")
                .arg(text(field))
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
    warn(QCoreApplication::translate("accrua::app::MainModel", "\"%1\" is not a valid value!")
             .arg(text(field)),
         field);
    return false;
}

bool MainModel::requireWholeNumber(Field field, const QString &what)
{
    // The same conversion as the leave check: " 6" is a whole number whose
    // text still differs from "6".
    if (text::IsValidInteger(text(field)))
        return true;
    warn(QCoreApplication::translate("accrua::app::MainModel", "\"%1\" is not a valid number of %2!")
             .arg(text(field), what),
         field);
    return false;
}

bool MainModel::requireNonZero(Field field, const QString &what)
{
    if (floatOf(field) != 0)
        return true;
    warn(QCoreApplication::translate("accrua::app::MainModel", "You must enter the %1 in order to continue!")
             .arg(what),
         field);
    return false;
}

bool MainModel::requireTerm(Field years, Field months)
{
    if (integerOf(years) != 0 || integerOf(months) != 0)
        return true;
    warn(
        QCoreApplication::translate("accrua::app::MainModel",
                                    "You must enter the number of years and/or months in order to continue!"),
        years);
    return false;
}

void MainModel::rewriteAsMoney(Field field)
{
    write(field, moneyText(Money::fromValue(floatOf(field))));
}

void MainModel::calculate()
{
    switch (m_mode) {
    case Mode::DailyInterest:
        m_dailyPage.calculate();
        return;
    case Mode::SavingsInterest:
        m_savingsPage.calculate();
        return;
    default:
        m_loanPage.calculate();
        return;
    }
}

QString MainModel::generalText(Extended value) const
{
    return text::formatGeneral(value, m_locale);
}

QString MainModel::rangeMessage(const calc::MoneyRangeError &e) const
{
    return QCoreApplication::translate("accrua::app::MainModel",
                                       "The amount %1 is too large to calculate with.")
        .arg(generalText(e.value()));
}

void MainModel::restoreTexts(const std::array<QString, kFieldCount> &texts)
{
    for (const FieldInfo &info : allFields())
        write(info.field, texts[static_cast<std::size_t>(info.field)]);
}

} // namespace accrua::app
