#include "app/savingsmodel.h"

#include "app/mainmodel.h"
#include "text/numbers.h"

#include <QCoreApplication>

#include <stdexcept>

namespace accrua::app {

QString SavingsModel::savingsBoundMessage() const
{
    const MainModel &m = m_main;
    const auto balance = text::toFloat(m.text(Field::SaveAmount), m.m_locale);
    return QCoreApplication::translate(
               "accrua::app::MainModel",
               "A balance of %1 at %2% interest compounded %3 times per year for %4 years "
               "and %5 months would need more than %6 periods.")
        .arg(text::CurrencyText(balance.value_or(0), m.m_locale), m.text(Field::SaveInterest),
             QString::number(calc::periodsPerYear(m_compounding)), m.text(Field::SaveYears),
             m.text(Field::SaveMonths), QString::number(calc::kMaxSavingsPeriods));
}

bool SavingsModel::ValidateSavingsInputs()
{
    MainModel &m = m_main;
    if (!m.requireNumber(Field::SaveAmount) ||
        !m.requireNonZero(Field::SaveAmount,
                          QCoreApplication::translate("accrua::app::MainModel", "beginning balance")))
        return false;
    m.rewriteAsMoney(Field::SaveAmount);
    if (!m.requireNumber(Field::SaveInterest) ||
        !m.requireNonZero(Field::SaveInterest,
                          QCoreApplication::translate("accrua::app::MainModel", "interest rate")) ||
        !m.requireWholeNumber(Field::SaveYears,
                              QCoreApplication::translate("accrua::app::MainModel", "years")) ||
        !m.requireWholeNumber(Field::SaveMonths,
                              QCoreApplication::translate("accrua::app::MainModel", "months")) ||
        !m.requireTerm(Field::SaveYears, Field::SaveMonths))
        return false;

    const QString months = m.text(Field::SaveMonths);
    QStringList allowed;
    QString ending;
    bool fits = true;
    switch (m_compounding) {
    case 0:
        allowed = {QStringLiteral("0")};
        ending = QCoreApplication::translate("accrua::app::MainModel", "0!");
        break;
    case 1:
        allowed = {QStringLiteral("0"), QStringLiteral("6")};
        ending = QCoreApplication::translate("accrua::app::MainModel", "0 or 6!");
        break;
    case 2:
        allowed = {QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("9")};
        ending = QCoreApplication::translate("accrua::app::MainModel", "0, 3, 6, or 9!");
        break;
    case 3: {
        const std::int64_t count = m.integerOf(Field::SaveMonths);
        fits = count >= 0 && count <= 11;
        ending = QCoreApplication::translate("accrua::app::MainModel", "a number >= 0 and <= 11!");
        break;
    }
    default:
        return true;
    }
    if (!allowed.isEmpty())
        fits = allowed.contains(months); // compared as texts: "06" is not "6"
    if (!fits) {
        m.m_messages.ShowMessageDialog(
            QCoreApplication::translate(
                "accrua::app::MainModel",
                "When calculating the interest earned on a loan compounded %1 times per "
                "year,\nthe number of months must be %2")
                .arg(QString::number(calc::periodsPerYear(m_compounding)), ending),
            desktop::MessageKind::Information, desktop::MessageButton::OK);
        m.write(Field::SaveMonths, QStringLiteral("0"));
        if (m.m_view)
            m.m_view->focusField(Field::SaveMonths);
        return false;
    }
    return true;
}

void SavingsModel::CalculateSavingsInterest()
{
    MainModel &m = m_main;
    calc::SavingsResult r = calc::CalculateSavingsInterest(
        m.floatOf(Field::SaveAmount), m.floatOf(Field::SaveInterest), calc::periodsPerYear(m_compounding),
        static_cast<std::int32_t>(m.integerOf(Field::SaveYears)),
        static_cast<std::int32_t>(m.integerOf(Field::SaveMonths)), m.m_locale.decimalSeparator().unicode());
    m_savingsRows = std::move(r.rows);
    m.write(Field::SaveIntAccrued, m.moneyText(r.total));
    m.write(Field::SaveEndBalance, m.moneyText(r.endBalance));
}

void SavingsModel::calculate()
{
    MainModel &m = m_main;
    const auto before = m.m_texts;
    const auto rowsBefore = m_savingsRows;
    try {
        if (!ValidateSavingsInputs())
            return;
        m_savingsRows.clear();
        CalculateSavingsInterest();
    } catch (const calc::MoneyRangeError &e) {
        m.restoreTexts(before);
        m_savingsRows = rowsBefore;
        m.showWarning(m.rangeMessage(e));
        return;
    } catch (const std::length_error &) {
        m_savingsRows = rowsBefore;
        m.showWarning(savingsBoundMessage());
        return;
    }
    m.EnableReportCommands();
}

} // namespace accrua::app
