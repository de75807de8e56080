#include "app/dailymodel.h"

#include "app/mainmodel.h"
#include "calc/daily.h"

#include <QCoreApplication>

namespace accrua::app {

void DailyModel::datePickerChanged(bool startPicker, const QDate &date)
{
    MainModel &m = m_main;
    (startPicker ? m_startDate : m_receiveDate) = date;
    if (m_receiveDate < m_startDate) {
        m.showWarning(QCoreApplication::translate(
            "accrua::app::MainModel",
            "The start date must be prior to or equal to the end date for calculating daily interest."));
        if (startPicker)
            m_receiveDate = m_startDate;
        else
            m_startDate = m_receiveDate;
        if (m.m_view) {
            m.m_view->datesWritten(m_startDate, m_receiveDate);
            m.m_view->focusDatePicker(!startPicker);
        }
        return;
    }
    const std::int64_t days =
        calc::dayCount(m_startDate.year(), m_startDate.month(), m_startDate.day(), m_receiveDate.year(),
                       m_receiveDate.month(), m_receiveDate.day());
    m.write(Field::Days, QString::number(days));
}

void DailyModel::dateRefused(bool startPicker, const QString &text)
{
    MainModel &m = m_main;
    m.showWarning(
        QCoreApplication::translate("accrua::app::MainModel", "\"%1\" is not a valid value!").arg(text));
    if (m.m_view)
        m.m_view->focusDatePicker(startPicker);
}

bool DailyModel::ValidateDailyInputs()
{
    MainModel &m = m_main;
    if (!m.requireWholeNumber(Field::Days, QCoreApplication::translate("accrua::app::MainModel", "days")))
        return false;
    if (m.integerOf(Field::Days) <= 0) {
        m.showWarning(QCoreApplication::translate(
            "accrua::app::MainModel", "You must enter a valid number of days in order to continue!"));
        m.write(Field::Days, QStringLiteral("1"));
        if (m.m_view)
            m.m_view->focusField(Field::Days);
        return false;
    }
    if (!m.requireNumber(Field::DayPrincipal) ||
        !m.requireNonZero(Field::DayPrincipal,
                          QCoreApplication::translate("accrua::app::MainModel", "principal balance")))
        return false;
    m.rewriteAsMoney(Field::DayPrincipal);
    return m.requireNumber(Field::DayInterest) &&
           m.requireNonZero(Field::DayInterest,
                            QCoreApplication::translate("accrua::app::MainModel", "interest rate")) &&
           m.requireNumber(Field::DayPayment);
}

void DailyModel::CalculateDailyInterest()
{
    MainModel &m = m_main;
    const calc::DailyResult r =
        calc::CalculateDailyInterest(m.floatOf(Field::DayPrincipal), m.floatOf(Field::DayInterest),
                                     static_cast<std::int32_t>(m.integerOf(Field::Days)),
                                     m.floatOf(Field::DayPayment), m.m_settings.AmortizedBase);
    m.write(Field::DailyRate, m.generalText(r.daily));
    m.write(Field::IntPerPeriod, m.moneyText(r.interest));
    m.write(Field::PrincipalPayment, m.moneyText(r.principalPayment));
    m.write(Field::IntAccrued, m.moneyText(r.accrued));
    m.write(Field::RemainingBalance, m.moneyText(r.remaining));
}

void DailyModel::calculate()
{
    MainModel &m = m_main;
    const auto before = m.m_texts;
    try {
        if (!ValidateDailyInputs())
            return;
        // Only a hand-edited store can hold such a base; dividing by it is meaningless.
        if (m.m_settings.AmortizedBase <= 0) {
            m.showWarning(QCoreApplication::translate(
                              "accrua::app::MainModel",
                              "The stored day base (AMORTIZEDBASE) is %1; the number of days in a "
                              "year must be greater than zero to calculate daily interest.")
                              .arg(m.m_settings.AmortizedBase));
            return;
        }
        CalculateDailyInterest();
    } catch (const calc::MoneyRangeError &e) {
        m.restoreTexts(before);
        m.showWarning(m.rangeMessage(e));
        return;
    }
    m.EnableReportCommands();
}

} // namespace accrua::app
