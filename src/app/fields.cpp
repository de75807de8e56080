#include "app/fields.h"

namespace accrua::app {

namespace {

using LC = LeaveCheck;
using CH = OnChange;

constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {Field::Principal, "MaskEdit_Principal", "Principal Balance:", LC::Amount, CH::DisableReports, true},
    {Field::Interest, "MaskEdit_Interest", "Interest Rate:", LC::Rate, CH::DisableReports, true},
    {Field::Payment, "MaskEdit_Payment", "Payment Amount:", LC::Amount, CH::DisableReports, true},
    {Field::Years, "MaskEdit_Years", "Number of Years", LC::Count, CH::DisableReports, true},
    {Field::Months, "MaskEdit_Months", "Number of Months:", LC::Count, CH::DisableReports, true},
    {Field::TotalPayments, "MaskEdit_TotalPayments", "Total Payments Paid:", LC::None, CH::Nothing, false},
    {Field::TotalPrincipal, "MaskEdit_TotalPrincipal", "Total Principal Paid:", LC::None, CH::Nothing, false},
    {Field::TotalInterest, "MaskEdit_TotalInterest", "Total Interest Paid:", LC::None, CH::Nothing, false},
    {Field::TotalNumberPayments, "MaskEdit_TotalNumberPayments", "Total Number of Payments:", LC::None,
     CH::Nothing, false},
    {Field::PaymentAnswer, "MaskEdit_PaymentAnswer", "", LC::None, CH::Nothing, false},
    {Field::YearsAnswer, "MaskEdit_YearsAnswer", "Years:", LC::None, CH::Nothing, false},
    {Field::MonthsAnswer, "MaskEdit_MonthsAnswer", "Months:", LC::None, CH::Nothing, false},
    {Field::Days, "MaskEdit_Days", "Number of Days:", LC::Count, CH::DisableReports, true},
    {Field::DayPrincipal, "MaskEdit_DayPrincipal", "Principal Balance:", LC::Amount, CH::DisableReports,
     true},
    {Field::DayInterest, "MaskEdit_DayInterest", "Interest Rate:", LC::Rate, CH::DisableReports, true},
    {Field::DayPayment, "MaskEdit_DayPayment", "Payment Amount:", LC::Amount, CH::DisableReports, true},
    {Field::DailyRate, "MaskEdit_DailyRate", "Daily Rate:", LC::None, CH::Nothing, false},
    {Field::IntPerPeriod, "MaskEdit_IntPerPeriod", "Interest Per Period:", LC::None, CH::Nothing, false},
    {Field::PrincipalPayment, "MaskEdit_PrincipalPayment", "Principal Payment:", LC::None, CH::Nothing,
     false},
    {Field::IntAccrued, "MaskEdit_IntAccrued", "Interest Accrued:", LC::None, CH::Nothing, false},
    {Field::RemainingBalance, "MaskEdit_RemainingBalance", "Remaining Balance:", LC::None, CH::Nothing,
     false},
    {Field::SaveAmount, "MaskEdit_SaveAmount", "Beginning Balance:", LC::Amount, CH::DisableReports, true},
    {Field::SaveInterest, "MaskEdit_SaveInterest", "Interest Rate:", LC::Rate, CH::Nothing, true},
    {Field::SaveYears, "MaskEdit_SaveYears", "Years:", LC::Count, CH::Nothing, true},
    {Field::SaveMonths, "MaskEdit_SaveMonths", "Months:", LC::Count, CH::Nothing, true},
    {Field::SaveIntAccrued, "MaskEdit_SaveIntAccrued", "Interest Accrued:", LC::None, CH::Nothing, false},
    {Field::SaveEndBalance, "MaskEdit_SaveEndBalance", "Ending Balance:", LC::None, CH::Nothing, false},
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
    return QString::fromLatin1(fieldInfo(field).caption);
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
