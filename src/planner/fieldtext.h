// Texts of the planner's fields and results in the user's notation: typed
// texts read (with the reason when one is refused), values written back, and
// the grouped amounts, signed differences and dates of the results.
#pragma once

#include "calc/money.h"
#include "text/locale.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

namespace accrua::planner {

template <typename T> struct Parsed {
    std::optional<T> value;
    QString reason; // why the text was refused
};

// An amount of 0 or more: the decimal separator of the locale, thousands
// separators allowed, at most two decimals kept as cents are.
Parsed<calc::Money> parseAmount(const QString &text, const text::Locale &locale);
// A percentage from 0 to 1000.
Parsed<calc::Extended> parsePercent(const QString &text, const text::Locale &locale);
// A whole number from `low` to `high`.
Parsed<std::int64_t> parseCount(const QString &text, std::int64_t low, std::int64_t high);

// What the fields show: amounts with two decimals and no grouping (as the
// main window's fields), rates in general notation.
QString amountFieldText(calc::Money value, const text::Locale &locale);
QString percentFieldText(calc::Extended value, const text::Locale &locale);

// What the results show: grouped amounts ("1,234.50"), the same with a sign
// for differences ("+1,234.50", "-0.25", "0.00"), counts with a sign, rates
// as percentages with two or more decimals, dates in the short date format.
QString moneyText(calc::Money value, const text::Locale &locale);
QString signedMoneyText(calc::Money value, const text::Locale &locale);
QString signedCountText(std::int64_t value);
QString percentText(calc::Extended fraction, const text::Locale &locale, int decimals = 2);
QString dateText(const QDate &date, const text::Locale &locale);

} // namespace accrua::planner
