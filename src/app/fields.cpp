#include "app/fields.h"

namespace accrua::app {

namespace {

using LC = LeaveCheck;
using CH = ChangeHandler;

constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {Field::Principal, "MaskEdit_Principal", LC::Amount, CH::PrincipalChange, true},
    {Field::Interest, "MaskEdit_Interest", LC::Rate, CH::PrincipalChange, true},
    {Field::Payment, "MaskEdit_Payment", LC::Amount, CH::PrincipalChange, true},
    {Field::Years, "MaskEdit_Years", LC::Count, CH::PrincipalChange, true},
    {Field::Months, "MaskEdit_Months", LC::Count, CH::PrincipalChange, true},
    {Field::TotalPayments, "MaskEdit_TotalPayments", LC::None, CH::None, false},
    {Field::TotalPrincipal, "MaskEdit_TotalPrincipal", LC::None, CH::None, false},
    {Field::TotalInterest, "MaskEdit_TotalInterest", LC::None, CH::None, false},
    {Field::TotalNumberPayments, "MaskEdit_TotalNumberPayments", LC::None, CH::None, false},
    {Field::PaymentAnswer, "MaskEdit_PaymentAnswer", LC::None, CH::None, false},
    {Field::YearsAnswer, "MaskEdit_YearsAnswer", LC::None, CH::None, false},
    {Field::MonthsAnswer, "MaskEdit_MonthsAnswer", LC::None, CH::None, false},
    {Field::Days, "MaskEdit_Days", LC::Count, CH::StartDateOLDChange, true},
    {Field::DayPrincipal, "MaskEdit_DayPrincipal", LC::Amount, CH::StartDateOLDChange, true},
    {Field::DayInterest, "MaskEdit_DayInterest", LC::Rate, CH::StartDateOLDChange, true},
    {Field::DayPayment, "MaskEdit_DayPayment", LC::Amount, CH::StartDateOLDChange, true},
    {Field::DailyRate, "MaskEdit_DailyRate", LC::None, CH::None, false},
    {Field::IntPerPeriod, "MaskEdit_IntPerPeriod", LC::None, CH::None, false},
    {Field::PrincipalPayment, "MaskEdit_PrincipalPayment", LC::None, CH::None, false},
    {Field::IntAccrued, "MaskEdit_IntAccrued", LC::None, CH::None, false},
    {Field::RemainingBalance, "MaskEdit_RemainingBalance", LC::None, CH::None, false},
    {Field::SaveAmount, "MaskEdit_SaveAmount", LC::Amount, CH::SaveAmountChange, true},
    {Field::SaveInterest, "MaskEdit_SaveInterest", LC::Rate, CH::None, true},
    {Field::SaveYears, "MaskEdit_SaveYears", LC::Count, CH::None, true},
    {Field::SaveMonths, "MaskEdit_SaveMonths", LC::Count, CH::None, true},
    {Field::SaveIntAccrued, "MaskEdit_SaveIntAccrued", LC::None, CH::None, false},
    {Field::SaveEndBalance, "MaskEdit_SaveEndBalance", LC::None, CH::None, false},
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
