#include "app/fields.h"

#include <QCoreApplication>

namespace accrua::app {

namespace {

using LC = LeaveCheck;
using CH = OnChange;

constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {Field::Principal, "MaskEdit_Principal", QT_TRANSLATE_NOOP("accrua::app::Fields", "Principal Balance:"),
     LC::Amount, CH::DisableReports, true},
    {Field::Interest, "MaskEdit_Interest", QT_TRANSLATE_NOOP("accrua::app::Fields", "Interest Rate:"),
     LC::Rate, CH::DisableReports, true},
    {Field::Payment, "MaskEdit_Payment", QT_TRANSLATE_NOOP("accrua::app::Fields", "Payment Amount:"),
     LC::Amount, CH::DisableReports, true},
    {Field::Years, "MaskEdit_Years", QT_TRANSLATE_NOOP("accrua::app::Fields", "Number of Years"), LC::Count,
     CH::DisableReports, true},
    {Field::Months, "MaskEdit_Months", QT_TRANSLATE_NOOP("accrua::app::Fields", "Number of Months:"),
     LC::Count, CH::DisableReports, true},
    {Field::TotalPayments, "MaskEdit_TotalPayments",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Total Payments Paid:"), LC::None, CH::Nothing, false},
    {Field::TotalPrincipal, "MaskEdit_TotalPrincipal",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Total Principal Paid:"), LC::None, CH::Nothing, false},
    {Field::TotalInterest, "MaskEdit_TotalInterest",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Total Interest Paid:"), LC::None, CH::Nothing, false},
    {Field::TotalNumberPayments, "MaskEdit_TotalNumberPayments",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Total Number of Payments:"), LC::None, CH::Nothing, false},
    {Field::PaymentAnswer, "MaskEdit_PaymentAnswer", "", LC::None, CH::Nothing, false},
    {Field::YearsAnswer, "MaskEdit_YearsAnswer", QT_TRANSLATE_NOOP("accrua::app::Fields", "Years:"), LC::None,
     CH::Nothing, false},
    {Field::MonthsAnswer, "MaskEdit_MonthsAnswer", QT_TRANSLATE_NOOP("accrua::app::Fields", "Months:"),
     LC::None, CH::Nothing, false},
    {Field::Days, "MaskEdit_Days", QT_TRANSLATE_NOOP("accrua::app::Fields", "Number of Days:"), LC::Count,
     CH::DisableReports, true},
    {Field::DayPrincipal, "MaskEdit_DayPrincipal",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Principal Balance:"), LC::Amount, CH::DisableReports, true},
    {Field::DayInterest, "MaskEdit_DayInterest", QT_TRANSLATE_NOOP("accrua::app::Fields", "Interest Rate:"),
     LC::Rate, CH::DisableReports, true},
    {Field::DayPayment, "MaskEdit_DayPayment", QT_TRANSLATE_NOOP("accrua::app::Fields", "Payment Amount:"),
     LC::Amount, CH::DisableReports, true},
    {Field::DailyRate, "MaskEdit_DailyRate", QT_TRANSLATE_NOOP("accrua::app::Fields", "Daily Rate:"),
     LC::None, CH::Nothing, false},
    {Field::IntPerPeriod, "MaskEdit_IntPerPeriod",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Interest Per Period:"), LC::None, CH::Nothing, false},
    {Field::PrincipalPayment, "MaskEdit_PrincipalPayment",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Principal Payment:"), LC::None, CH::Nothing, false},
    {Field::IntAccrued, "MaskEdit_IntAccrued", QT_TRANSLATE_NOOP("accrua::app::Fields", "Interest Accrued:"),
     LC::None, CH::Nothing, false},
    {Field::RemainingBalance, "MaskEdit_RemainingBalance",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Remaining Balance:"), LC::None, CH::Nothing, false},
    {Field::SaveAmount, "MaskEdit_SaveAmount", QT_TRANSLATE_NOOP("accrua::app::Fields", "Beginning Balance:"),
     LC::Amount, CH::DisableReports, true},
    {Field::SaveInterest, "MaskEdit_SaveInterest", QT_TRANSLATE_NOOP("accrua::app::Fields", "Interest Rate:"),
     LC::Rate, CH::Nothing, true},
    {Field::SaveYears, "MaskEdit_SaveYears", QT_TRANSLATE_NOOP("accrua::app::Fields", "Years:"), LC::Count,
     CH::Nothing, true},
    {Field::SaveMonths, "MaskEdit_SaveMonths", QT_TRANSLATE_NOOP("accrua::app::Fields", "Months:"), LC::Count,
     CH::Nothing, true},
    {Field::SaveIntAccrued, "MaskEdit_SaveIntAccrued",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Interest Accrued:"), LC::None, CH::Nothing, false},
    {Field::SaveEndBalance, "MaskEdit_SaveEndBalance",
     QT_TRANSLATE_NOOP("accrua::app::Fields", "Ending Balance:"), LC::None, CH::Nothing, false},
}};

} // namespace

const FieldInfo &fieldInfo(Field field)
{
    return kFields[static_cast<std::size_t>(field)];
}

QString controlName(Field field)
{
    return QString::fromLatin1(fieldInfo(field).controlName);
}

QString fieldCaption(Field field)
{
    const char *caption = fieldInfo(field).caption;
    return *caption ? QCoreApplication::translate("accrua::app::Fields", caption) : QString();
}

std::optional<Field> fieldByControlName(const QString &name)
{
    for (const FieldInfo &info : kFields) {
        if (name == QLatin1String(info.controlName))
            return info.field;
    }
    return std::nullopt;
}

const std::array<FieldInfo, kFieldCount> &allFields()
{
    return kFields;
}

} // namespace accrua::app
