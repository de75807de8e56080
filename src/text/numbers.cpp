#include "text/numbers.h"

#include "calc/format.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace accrua::text {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

QString trimmedBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

// The parts of a floating text in the user's notation, as the scanner found them.
struct FloatParts {
    bool negative = false;
    QString integerDigits;
    QString fractionDigits;
    bool hasExponent = false;
    bool exponentNegative = false;
    QString exponentDigits;
};

// Hand-written so that only the user's decimal separator is honoured: the C
// library would take a period even where the user writes a comma.
std::optional<FloatParts> scanFloat(const QString &text, QChar decimal)
{
    const QString body = trimmedBlanks(text);
    FloatParts parts;
    qsizetype i = 0;
    const qsizetype n = body.size();
    if (i < n && (body.at(i) == u'+' || body.at(i) == u'-')) {
        parts.negative = body.at(i) == u'-';
        ++i;
    }
    const qsizetype intStart = i;
    while (i < n && isDigit(body.at(i)))
        ++i;
    parts.integerDigits = body.mid(intStart, i - intStart);
    if (i < n && body.at(i) == decimal) {
        ++i;
        const qsizetype fracStart = i;
        while (i < n && isDigit(body.at(i)))
            ++i;
        parts.fractionDigits = body.mid(fracStart, i - fracStart);
    }
    if (parts.integerDigits.isEmpty() && parts.fractionDigits.isEmpty())
        return std::nullopt;
    if (i < n && (body.at(i) == u'e' || body.at(i) == u'E')) {
        ++i;
        parts.hasExponent = true;
        if (i < n && (body.at(i) == u'+' || body.at(i) == u'-')) {
            parts.exponentNegative = body.at(i) == u'-';
            ++i;
        }
        const qsizetype expStart = i;
        while (i < n && isDigit(body.at(i)))
            ++i;
        parts.exponentDigits = body.mid(expStart, i - expStart);
        if (parts.exponentDigits.isEmpty())
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return parts;
}

locale_t cLocale()
{
    // Qt sets the process locale from the environment, so plain strtold would
    // expect the user's separator; the scanner has already normalised to ".".
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

std::optional<calc::Extended> valueOf(const FloatParts &parts)
{
    QByteArray ascii;
    ascii.reserve(parts.integerDigits.size() + parts.fractionDigits.size() + parts.exponentDigits.size() + 5);
    if (parts.negative)
        ascii += '-';
    ascii += parts.integerDigits.isEmpty() ? QByteArray("0") : parts.integerDigits.toLatin1();
    if (!parts.fractionDigits.isEmpty()) {
        ascii += '.';
        ascii += parts.fractionDigits.toLatin1();
    }
    if (parts.hasExponent) {
        ascii += 'e';
        if (parts.exponentNegative)
            ascii += '-';
        ascii += parts.exponentDigits.toLatin1();
    }
    const locale_t c = cLocale();
    if (c == locale_t(nullptr))
        return std::nullopt;
    char *end = nullptr;
    const calc::Extended value = strtold_l(ascii.constData(), &end, c);
    if (end != ascii.constData() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Decimal digits of a number and where its decimal point stands: the value is
// 0.digits * 10^point. Leading zeros are dropped; empty digits mean zero.
struct DecimalDigits {
    QString digits;
    long long point = 0;
};

DecimalDigits shiftedDigits(const FloatParts &parts)
{
    constexpr long long kExponentLimit = 1'000'000'000LL;
    long long exponent = 0;
    for (QChar c : parts.exponentDigits) {
        exponent = exponent * 10 + (c.unicode() - u'0');
        if (exponent > kExponentLimit) {
            exponent = kExponentLimit;
            break;
        }
    }
    if (parts.exponentNegative)
        exponent = -exponent;

    DecimalDigits result;
    result.digits = parts.integerDigits + parts.fractionDigits;
    result.point = parts.integerDigits.size() + exponent;
    qsizetype zeros = 0;
    while (zeros < result.digits.size() && result.digits.at(zeros) == u'0')
        ++zeros;
    result.digits.remove(0, zeros);
    result.point -= zeros;
    return result;
}

// The fixed-notation text of a scanned number with an exponent, shifted in the
// decimal text itself so that nothing is rounded on the way; only two decimals
// survive the caller, so no more than two are produced.
QString fixedFromExponent(const FloatParts &parts, QChar decimal)
{
    const DecimalDigits d = shiftedDigits(parts);
    QString integer;
    QString fraction;
    if (d.digits.isEmpty()) {
        integer = QStringLiteral("0");
    } else if (d.point <= 0) {
        integer = QStringLiteral("0");
        const long long leadingZeros = -d.point;
        if (leadingZeros < 2)
            fraction = QString(qsizetype(leadingZeros), u'0') + d.digits.left(2 - qsizetype(leadingZeros));
    } else {
        // Finite values have at most a few thousand integer digits.
        const qsizetype point = qsizetype(d.point);
        integer = d.digits.left(point);
        if (integer.size() < point)
            integer += QString(point - integer.size(), u'0');
        fraction = d.digits.mid(point, 2);
    }
    QString text = parts.negative ? QStringLiteral("-") : QString();
    text += integer;
    if (!fraction.isEmpty())
        text += decimal + fraction;
    return text;
}

QString twoDecimals(const QString &text, QChar decimal)
{
    const qsizetype point = text.indexOf(decimal);
    if (point < 0)
        return text + decimal + QStringLiteral("00");
    const qsizetype after = text.size() - point - 1;
    if (after == 0)
        return text + QStringLiteral("00");
    if (after == 1)
        return text + QLatin1Char('0');
    return text.left(point + 3);
}

// Groups of three from the right, the sign kept in front of the digits.
// Every third digit from the right gets a separator before it; a sign stays
// in front; `tail` follows as it is. Filled in place, in storage `out`
// already has when it is its own: reports group four numbers a row.
void groupDigits(QString &out, QStringView head, QChar thousands, QStringView tail = {})
{
    const qsizetype sign = !head.isEmpty() && (head.front() == u'-' || head.front() == u'+') ? 1 : 0;
    const qsizetype n = head.size() - sign;
    const qsizetype separators = n > 0 ? (n - 1) / 3 : 0;
    const qsizetype size = head.size() + separators + tail.size();
    if (out.size() != size || !out.isDetached())
        out.resize(size); // most rows of a column keep their width
    QChar *o = out.data();
    const QChar *digit = head.data();
    if (sign)
        *o++ = *digit++;
    // The first group holds what the groups of three leave over.
    qsizetype group = n - 3 * separators;
    for (qsizetype left = n; left > 0; group = 3) {
        left -= group;
        // By hand: a library copy of one to three characters costs a call.
        for (qsizetype k = 0; k < group; ++k)
            *o++ = *digit++;
        if (left > 0)
            *o++ = thousands;
    }
    for (QChar c : tail)
        *o++ = c;
}

QString groupDigits(QStringView head, QChar thousands, QStringView tail = {})
{
    QString result;
    groupDigits(result, head, thousands, tail);
    return result;
}

} // namespace

bool IsValidFloat(const QString &text, const Locale &locale)
{
    return toFloat(text, locale).has_value();
}

std::optional<calc::Extended> toFloat(const QString &text, const Locale &locale)
{
    const std::optional<FloatParts> parts = scanFloat(text, locale.decimalSeparator());
    if (!parts)
        return std::nullopt;
    return valueOf(*parts);
}

bool IsValidInteger(const QString &text)
{
    return toInteger(text).has_value();
}

std::optional<std::int32_t> toInteger(const QString &text)
{
    constexpr std::int64_t kMax = 0x7FFFFFFF;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (text.at(i) == u'$' || text.at(i) == u'x' || text.at(i) == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text.at(i) == u'0' && (text.at(i + 1) == u'x' || text.at(i + 1) == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return std::nullopt;
    // Decimal text may reach one past the positive limit for the most negative value.
    const std::int64_t limit = (base == 10 && negative) ? kMax + 1 : kMax;
    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit =
            base == 16 ? hexValue(text.at(i)) : (isDigit(text.at(i)) ? text.at(i).unicode() - u'0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

QString formatGeneral(calc::Extended value, const Locale &locale)
{
    const std::u16string text = calc::formatGeneral(value, locale.decimalSeparator().unicode());
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString NormalizeTwoDecimals(const QString &text, const Locale &locale)
{
    const QChar decimal = locale.decimalSeparator();
    const QString body = trimmedBlanks(text);
    const std::optional<FloatParts> parts = scanFloat(body, decimal);
    if (!parts || !valueOf(*parts))
        return QLatin1Char('0') + decimal + QStringLiteral("00");
    // Cutting "1.5E3" after two characters would leave "1.5E" and lose the value.
    if (parts->hasExponent)
        return twoDecimals(fixedFromExponent(*parts, decimal), decimal);
    return twoDecimals(body, decimal);
}

QString FormatMoney(calc::Money value, const Locale &locale)
{
    // The schedule's own formatter gives the same text without the detour
    // through the general text.
    const calc::ShortText text = calc::formatMoneyText(value, locale.decimalSeparator().unicode());
    return QString::fromUtf16(text.chars, text.length);
}

QString CurrencyText(calc::Extended amount, const Locale &locale)
{
    if (!std::isfinite(amount))
        return formatGeneral(amount, locale);
    // Cents in extended precision, halves away from zero.
    const calc::Extended cents = std::trunc(std::fabs(amount) * 100 + 0.5L);
    char buffer[5000]; // an integral long double has at most 4933 digits
    const int written = std::snprintf(buffer, sizeof buffer, "%.0Lf", cents);
    if (written <= 0 || written >= int(sizeof buffer))
        return formatGeneral(amount, locale);
    QString digits = QString::fromLatin1(buffer, written);
    if (digits.size() < 3)
        digits = QString(3 - digits.size(), u'0') + digits;
    const QString number = groupDigits(digits.left(digits.size() - 2), locale.thousandsSeparator()) +
                           locale.decimalSeparator() + digits.right(2);
    const Locale::CurrencyForm form =
        (amount < 0 && cents != 0) ? locale.negativeCurrencyForm() : locale.positiveCurrencyForm();
    return form.prefix + number + form.suffix;
}

QString GroupThousands(QStringView text, const Locale &locale)
{
    QString result;
    GroupThousands(text, locale, result);
    return result;
}

void GroupThousands(QStringView text, const Locale &locale, QString &into)
{
    const QChar decimal = locale.decimalSeparator();
    qsizetype point = 0;
    while (point < text.size() && text[point] != decimal)
        ++point;
    groupDigits(into, text.first(point), locale.thousandsSeparator(), text.sliced(point));
}

QString CompleteDecimals(const QString &text, const Locale &locale)
{
    const QChar decimal = locale.decimalSeparator();
    QString result = text;
    const qsizetype point = result.indexOf(decimal);
    if (point < 0)
        result += decimal + QStringLiteral("00");
    else if (result.size() - point - 1 == 1)
        result += QLatin1Char('0');
    if (result.startsWith(decimal))
        result.prepend(QLatin1Char('0'));
    else if (result.size() > 1 && (result.front() == u'-' || result.front() == u'+') &&
             result.at(1) == decimal)
        result.insert(1, QLatin1Char('0'));
    return result;
}

namespace {

// The fill as many times as "add the fill while shorter than length" adds it:
// a fill of several characters may overshoot the length, as it always did.
QString fillFor(const QString &text, const QString &fill, int length)
{
    if (fill.isEmpty() || text.size() >= length)
        return {};
    const qsizetype missing = length - text.size();
    return fill.repeated((missing + fill.size() - 1) / fill.size());
}

} // namespace

QString PadLeft(const QString &text, const QString &fill, int length)
{
    const QString padding = fillFor(text, fill, length);
    return padding.isEmpty() ? text : padding + text;
}

QString PadRight(const QString &text, const QString &fill, int length)
{
    const QString padding = fillFor(text, fill, length);
    return padding.isEmpty() ? text : text + padding;
}

} // namespace accrua::text
