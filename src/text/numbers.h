// Text helpers for numbers and amounts, shared by the windows, the reports
// and the command line. Every helper reads the separators it needs from the
// Locale it is given; none keeps state.
#pragma once

#include "calc/money.h"
#include "text/locale.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace accrua::text {

// True when the whole text is a floating number in the user's notation:
// optional blanks around it, optional sign, digits with at most one decimal
// separator, optional exponent. No thousands separators; empty is no number.
bool IsValidFloat(const QString &text, const Locale &locale);
// The value of a text that IsValidFloat accepts (extended precision), else nothing.
std::optional<calc::Extended> toFloat(const QString &text, const Locale &locale);

// True when the text is a 32-bit signed integer: optional leading blanks,
// optional sign, decimal digits, or hexadecimal introduced by "$", "x", "X" or "0x".
bool IsValidInteger(const QString &text);
std::optional<std::int32_t> toInteger(const QString &text);

// General floating text: up to 15 significant digits, the decimal separator,
// no thousands separators, exponent only for very large or small values.
QString formatGeneral(calc::Extended value, const Locale &locale);

// The text with exactly two decimals (cut, not rounded); "0.00" when no number.
// A number written with an exponent is first spelled out: "1.5E3" -> "1500.00".
QString NormalizeTwoDecimals(const QString &text, const Locale &locale);
// Cent-rounded money text with exactly two decimals and no grouping.
QString FormatMoney(calc::Money value, const Locale &locale);
// The amount in the user's currency format with two decimals ("$100,000.00").
QString CurrencyText(calc::Extended amount, const Locale &locale);
// Thousands separators in the integer part: "1234567.89" -> "1,234,567.89".
QString GroupThousands(QStringView text, const Locale &locale);
// The same into `into`, reusing its storage when it is its own (text must not
// be a view of it).
void GroupThousands(QStringView text, const Locale &locale, QString &into);
// A leading zero and at least two decimals where missing: ".5" -> "0.50".
QString CompleteDecimals(const QString &text, const Locale &locale);

QString PadLeft(const QString &text, const QString &fill, int length);
QString PadRight(const QString &text, const QString &fill, int length);

} // namespace accrua::text
