#include "text/locale.h"

#include <utility>

namespace accrua::text {

namespace {

QChar singleChar(const QString &text, QChar fallback)
{
    return text.size() == 1 ? text.front() : fallback;
}

// A two-digit year ("yy" standing alone) becomes "yyyy": amounts and dates in
// reports must not be ambiguous about the century. Quoted literals are kept.
QString widenYear(const QString &format)
{
    QString result;
    result.reserve(format.size() + 2);
    bool quoted = false;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            result += c;
            ++i;
            continue;
        }
        if (!quoted && c == u'y') {
            qsizetype run = 0;
            while (i + run < format.size() && format.at(i + run) == u'y')
                ++run;
            result += QString(run == 2 ? 4 : run, u'y');
            i += run;
            continue;
        }
        result += c;
        ++i;
    }
    return result;
}

bool isCLocale(const QLocale &locale)
{
    return locale.language() == QLocale::C || locale.name() == QLatin1String("C") ||
           locale.name() == QLatin1String("en_US_POSIX");
}

} // namespace

Locale::Locale(QChar decimalSeparator, QChar thousandsSeparator, int currencyDecimals, QString currencySymbol,
               bool symbolFirst, QString shortDateFormat)
    : m_decimal(decimalSeparator), m_thousands(thousandsSeparator),
      m_currencyDecimals(currencyDecimals < 0 ? 0 : currencyDecimals),
      m_currencySymbol(std::move(currencySymbol)), m_symbolFirst(symbolFirst),
      m_shortDateFormat(std::move(shortDateFormat))
{
    if (m_symbolFirst) {
        m_positive = {m_currencySymbol, QString()};
        m_negative = {QLatin1Char('-') + m_currencySymbol, QString()};
    } else {
        const QString suffix = m_currencySymbol.isEmpty() ? QString() : QLatin1Char(' ') + m_currencySymbol;
        m_positive = {QString(), suffix};
        m_negative = {QStringLiteral("-"), suffix};
    }
}

Locale Locale::fromQLocale(const QLocale &locale)
{
    const QChar decimal = singleChar(locale.decimalPoint(), u'.');
    const QChar thousands = singleChar(locale.groupSeparator(), decimal == u',' ? u'.' : u',');
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);

    // The currency decimals are what the locale itself writes for zero.
    // The separator sought follows a digit, so a symbol such as "Rs." is passed over.
    const QString zero = locale.toCurrencyString(0.0);
    const QString point = locale.decimalPoint();
    int decimals = 0;
    for (qsizetype at = zero.indexOf(point); at >= 0 && !point.isEmpty(); at = zero.indexOf(point, at + 1)) {
        if (at == 0 || !zero.at(at - 1).isDigit())
            continue;
        for (qsizetype i = at + point.size(); i < zero.size() && zero.at(i).isDigit(); ++i)
            ++decimals;
        break;
    }

    // The text around the number in the locale's own currency form of 1 and -1.
    const QString one = locale.toString(1.0, 'f', 2);
    const QString positive = locale.toCurrencyString(1.0, symbol, 2);
    const QString negative = locale.toCurrencyString(-1.0, symbol, 2);
    const qsizetype posAt = positive.indexOf(one);
    const qsizetype negAt = negative.indexOf(one);

    bool symbolFirst = true;
    if (posAt >= 0 && !symbol.isEmpty()) {
        const qsizetype symbolAt = positive.indexOf(symbol);
        symbolFirst = symbolAt >= 0 && symbolAt < posAt;
    }

    Locale result(decimal, thousands, decimals, symbol, symbolFirst,
                  widenYear(locale.dateFormat(QLocale::ShortFormat)));
    if (posAt >= 0 && negAt >= 0) {
        result.m_positive = {positive.left(posAt), positive.mid(posAt + one.size())};
        result.m_negative = {negative.left(negAt), negative.mid(negAt + one.size())};
    }
    return result;
}

Locale Locale::fromPlatformLocale(const QLocale &locale)
{
    if (isCLocale(locale))
        return fromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    return fromQLocale(locale);
}

Locale Locale::system()
{
    return fromPlatformLocale(QLocale::system());
}

QString Locale::zeroAmount() const
{
    return QLatin1Char('0') + m_decimal + QString(m_currencyDecimals, u'0');
}

} // namespace accrua::text
