#include "planner/fieldtext.h"

#include "text/numbers.h"

#include <QCoreApplication>

#include <cmath>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::FieldText)
};

// Thousands separators where the locale groups digits, and the blanks some
// locales group with, are dropped before the number is read.
QString withoutGrouping(const QString &text, const text::Locale &locale)
{
    QString out;
    out.reserve(text.size());
    const QChar group = locale.thousandsSeparator();
    for (QChar c : text) {
        if (c == group && group != locale.decimalSeparator())
            continue;
        if (c == QChar(0x00A0) || c == QChar(0x202F))
            continue;
        out += c;
    }
    return out.trimmed();
}

} // namespace

Parsed<calc::Money> parseAmount(const QString &text, const text::Locale &locale)
{
    const std::optional<calc::Extended> v = text::toFloat(withoutGrouping(text, locale), locale);
    if (!v || !std::isfinite(*v))
        return {std::nullopt, Text::tr("\"%1\" is not a valid amount").arg(text.trimmed())};
    if (*v < 0)
        return {std::nullopt, Text::tr("the amount must not be negative")};
    // Far below the money range's end, so totals of many payments still fit.
    if (*v > 1e12L)
        return {std::nullopt, Text::tr("the amount must be at most 1,000,000,000,000")};
    return {calc::RoundToCents(*v), {}};
}

Parsed<calc::Extended> parsePercent(const QString &text, const text::Locale &locale)
{
    const std::optional<calc::Extended> v = text::toFloat(withoutGrouping(text, locale), locale);
    if (!v || !std::isfinite(*v))
        return {std::nullopt, Text::tr("\"%1\" is not a valid rate").arg(text.trimmed())};
    if (*v < 0 || *v > 1000)
        return {std::nullopt, Text::tr("the rate must be from 0 to 1000 percent")};
    return {*v, {}};
}

Parsed<std::int64_t> parseCount(const QString &text, std::int64_t low, std::int64_t high)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return {std::nullopt, Text::tr("\"%1\" is not a whole number").arg(text.trimmed())};
    if (v < low || v > high)
        return {std::nullopt, Text::tr("the number must be from %1 to %2").arg(low).arg(high)};
    return {v, {}};
}

QString amountFieldText(calc::Money value, const text::Locale &locale)
{
    return text::FormatMoney(value, locale);
}

QString percentFieldText(calc::Extended value, const text::Locale &locale)
{
    return text::formatGeneral(value, locale);
}

QString moneyText(calc::Money value, const text::Locale &locale)
{
    const bool negative = value.count < 0;
    const calc::Money magnitude = calc::Money::fromRawCount(negative ? -value.count : value.count);
    const QString digits = text::GroupThousands(text::FormatMoney(magnitude, locale), locale);
    return negative ? u'-' + digits : digits;
}

QString signedMoneyText(calc::Money value, const text::Locale &locale)
{
    QString text = moneyText(value, locale);
    if (calc::RoundToCents(value).count > 0)
        return u'+' + text;
    if (calc::RoundToCents(value).count == 0)
        return moneyText(calc::Money{}, locale);
    return text;
}

QString signedCountText(std::int64_t value)
{
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

QString percentText(calc::Extended fraction, const text::Locale &locale, int decimals)
{
    // Rounded in extended precision, then spelled digit by digit.
    const calc::Extended scale = std::pow(10.0L, decimals);
    const long long units = std::llround(fraction * 100 * scale);
    const long long whole = (units < 0 ? -units : units) / static_cast<long long>(scale);
    const long long part = (units < 0 ? -units : units) % static_cast<long long>(scale);
    QString text = QString::number(whole);
    if (decimals > 0)
        text += locale.decimalSeparator() + QStringLiteral("%1").arg(part, decimals, 10, QLatin1Char('0'));
    return (units < 0 ? QStringLiteral("-") : QString()) + text + QStringLiteral(" %");
}

QString dateText(const QDate &date, const text::Locale &locale)
{
    return date.isValid() ? date.toString(locale.shortDateFormat()) : QString();
}

} // namespace accrua::planner
