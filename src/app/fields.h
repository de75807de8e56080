// The text fields of the main window, by control name. The window's widgets
// and the command line both address fields through this list.
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace accrua::app {

enum class Field {
    // loan pages: inputs
    Principal,
    Interest,
    Payment,
    Years,
    Months,
    // loan pages: results
    TotalPayments,
    TotalPrincipal,
    TotalInterest,
    TotalNumberPayments,
    PaymentAnswer,
    YearsAnswer,
    MonthsAnswer,
    // Daily Interest page
    Days,
    DayPrincipal,
    DayInterest,
    DayPayment,
    DailyRate,
    IntPerPeriod,
    PrincipalPayment,
    IntAccrued,
    RemainingBalance,
    // Savings Interest page
    SaveAmount,
    SaveInterest,
    SaveYears,
    SaveMonths,
    SaveIntAccrued,
    SaveEndBalance,
};

inline constexpr int kFieldCount = static_cast<int>(Field::SaveEndBalance) + 1;

// The five modes, in page order; the checked Calculate-menu item.
enum class Mode { PaymentAmount, NumberOfPayments, Amortization, DailyInterest, SavingsInterest };

inline constexpr bool isLoanMode(Mode m)
{
    return m == Mode::PaymentAmount || m == Mode::NumberOfPayments || m == Mode::Amortization;
}

// What happens when the focus leaves a field.
enum class LeaveCheck { None, Amount, Rate, Count };
// What a change of the field's text does. The three change handlers of the
// pages (MaskEdit_PrincipalChange, MaskEdit_StartDateOLDChange,
// MaskEdit_SaveAmountChange) all do the same: a report must not show results
// of inputs that have changed since.
enum class OnChange { Nothing, DisableReports };

struct FieldInfo {
    Field field;
    const char *controlName; // "MaskEdit_Principal"
    const char *caption;     // the label the window shows with it; "" for none
    LeaveCheck leave;
    OnChange change;
    bool input;
};

const FieldInfo &fieldInfo(Field field);
QString controlName(Field field);
QString fieldCaption(Field field);
std::optional<Field> fieldByControlName(const QString &name);
const std::array<FieldInfo, kFieldCount> &allFields();

// Captions of the controls that are no text fields.
inline constexpr char kStartDateCaption[] = QT_TRANSLATE_NOOP("accrua::app::Fields", "Start Date:");
inline constexpr char kReceiveDateCaption[] = QT_TRANSLATE_NOOP("accrua::app::Fields", "Receive Date:");
inline constexpr char kCompoundedCaption[] = QT_TRANSLATE_NOOP("accrua::app::Fields", "Compounded");
// The compounding choices in item order: MainModel::compounding() indexes them.
inline constexpr std::array<const char *, 4> kCompoundingItems{
    QT_TRANSLATE_NOOP("accrua::app::Fields", "Yearly"), QT_TRANSLATE_NOOP("accrua::app::Fields", "Bi-Yearly"),
    QT_TRANSLATE_NOOP("accrua::app::Fields", "Quarterly"),
    QT_TRANSLATE_NOOP("accrua::app::Fields", "Monthly")};

} // namespace accrua::app
