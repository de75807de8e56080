// The user's number and date conventions, read once from the platform.
//
// Every text helper takes a Locale so that tests can inject fixed ones; the
// program builds one from QLocale::system() at start.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

namespace accrua::text {

class Locale {
public:
    // The user's locale (honours regional overrides where the platform has them).
    static Locale system();
    // What system() makes of a platform locale: the C/POSIX locale carries no
    // user conventions, so US English conventions stand in for it.
    static Locale fromPlatformLocale(const QLocale &locale);
    // Separators, currency format and date format of a Qt locale; the currency
    // decimals are read off the locale's own currency text of zero.
    static Locale fromQLocale(const QLocale &locale);

    // A fixed locale for tests and the CLI: `currencySymbol` before the amount
    // when `symbolFirst`, otherwise after it separated by a blank.
    Locale(QChar decimalSeparator, QChar thousandsSeparator, int currencyDecimals, QString currencySymbol,
           bool symbolFirst = true, QString shortDateFormat = QStringLiteral("M/d/yyyy"));

    QChar decimalSeparator() const { return m_decimal; }
    QChar thousandsSeparator() const { return m_thousands; }
    int currencyDecimals() const { return m_currencyDecimals; }
    QString currencySymbol() const { return m_currencySymbol; }
    bool currencySymbolFirst() const { return m_symbolFirst; }
    // Short date format with a four-digit year (a QDate format string).
    QString shortDateFormat() const { return m_shortDateFormat; }

    // "0", the decimal separator and currencyDecimals() zeros ("0.00").
    QString zeroAmount() const;

    // The texts around the digits of a currency amount: "$" and "" for "$5.00",
    // "-$" and "" for "-$5.00", "(" and " €)" for "(5,00 €)".
    struct CurrencyForm {
        QString prefix;
        QString suffix;
    };
    CurrencyForm positiveCurrencyForm() const { return m_positive; }
    CurrencyForm negativeCurrencyForm() const { return m_negative; }

private:
    QChar m_decimal;
    QChar m_thousands;
    int m_currencyDecimals;
    QString m_currencySymbol;
    bool m_symbolFirst;
    QString m_shortDateFormat;
    CurrencyForm m_positive;
    CurrencyForm m_negative;
};

} // namespace accrua::text
