#include "text/locale.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <vector>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace accrua::text {
namespace {

using calc::Extended;

// Period decimal, comma grouping, "$" first, two currency decimals.
const Locale kUs(u'.', u',', 2, QStringLiteral("$"), true);
// Comma decimal, period grouping, three currency decimals, symbol after.
const Locale kKd(u',', u'.', 3, QStringLiteral("KD"), false);

Locale english()
{
    return Locale::fromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
}
Locale german()
{
    return Locale::fromQLocale(QLocale(QLocale::German, QLocale::Germany));
}
const Locale kEn = english();
const Locale kDe = german();

TEST(Locale, ConventionsOfFixedAndQtLocales)
{
    struct Row {
        const char *name;
        Locale locale;
        QChar decimal, thousands;
        int decimals;
        QString symbol;
        bool first;
        QString date, zero;
    };
    const std::vector<Row> rows{
        {"fixed us", kUs, u'.', u',', 2, "$", true, "M/d/yyyy", "0.00"},
        {"fixed kd", kKd, u',', u'.', 3, "KD", false, "M/d/yyyy", "0,000"},
        {"en_US", english(), u'.', u',', 2, "$", true, "M/d/yyyy", "0.00"},
        {"de_DE", german(), u',', u'.', 2, QStringLiteral("\u20AC"), false, "dd.MM.yyyy", "0,00"},
        {"ja_JP", Locale::fromQLocale(QLocale(QLocale::Japanese, QLocale::Japan)), u'.', u',', 0,
         QStringLiteral("\uFFE5"), true, "yyyy/MM/dd", "0."},
        {"C falls back", Locale::fromPlatformLocale(QLocale::c()), u'.', u',', 2, "$", true, "M/d/yyyy",
         "0.00"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.locale.decimalSeparator(), r.decimal);
        EXPECT_EQ(r.locale.thousandsSeparator(), r.thousands);
        EXPECT_EQ(r.locale.currencyDecimals(), r.decimals);
        EXPECT_EQ(r.locale.currencySymbol(), r.symbol);
        EXPECT_EQ(r.locale.currencySymbolFirst(), r.first);
        EXPECT_EQ(r.locale.shortDateFormat(), r.date);
        EXPECT_EQ(r.locale.zeroAmount(), r.zero);
    }
    // Kuwaiti dinars have three decimals in the locale's own currency text.
    EXPECT_EQ(Locale::fromQLocale(QLocale(QLocale::Arabic, QLocale::Kuwait)).currencyDecimals(), 3);
    // Whatever the machine's locale, system() yields usable separators.
    const Locale system = Locale::system();
    EXPECT_NE(system.decimalSeparator(), system.thousandsSeparator());
}

struct FloatRow {
    const Locale *locale;
    const char *text;
    std::optional<Extended> value;
};

TEST(Text, FloatGrammarAndValue)
{
    const std::optional<Extended> no;
    const std::vector<FloatRow> rows{
        {&kUs, "1500", 1500.0L},  {&kUs, "1500.5", 1500.5L}, {&kUs, "  1500  ", 1500.0L},
        {&kUs, "\t7\t", 7.0L},    {&kUs, "-3", -3.0L},       {&kUs, "+2.5", 2.5L},
        {&kUs, "1.", 1.0L},       {&kUs, ".5", 0.5L},        {&kUs, "0.1", 0.1L},
        {&kUs, "1.5E3", 1500.0L}, {&kUs, "1e-3", 1e-3L},     {&kUs, "2E+2", 200.0L},
        {&kUs, "-.5e1", -5.0L},   {&kUs, "1E4000", 1e4000L}, {&kUs, "1E-5000", 0.0L},
        {&kUs, "1,500", no},      {&kUs, "1,5", no},         {&kUs, "", no},
        {&kUs, "   ", no},        {&kUs, ".", no},           {&kUs, "-", no},
        {&kUs, "abc", no},        {&kUs, "12a", no},         {&kUs, "1.2.3", no},
        {&kUs, "1E", no},         {&kUs, "1E+", no},         {&kUs, "E5", no},
        {&kUs, "1 000", no},      {&kUs, "--1", no},         {&kUs, "0x10", no},
        {&kUs, "inf", no},        {&kUs, "nan", no},         {&kUs, "1E5000", no},
        {&kUs, "-1E5000", no},    {&kUs, "1.5e3.5", no},     {&kKd, "1,5", 1.5L},
        {&kKd, ",25", 0.25L},     {&kKd, "-2,5E2", -250.0L}, {&kKd, "1.5", no},
        {&kKd, "1.500", no},      {&kKd, "1.500,5", no},     {&kEn, "1500.5", 1500.5L},
        {&kEn, "1,500", no},      {&kDe, "1500,5", 1500.5L}, {&kDe, "1500.5", no},
        {&kDe, "1.500", no},
    };
    for (const FloatRow &r : rows) {
        SCOPED_TRACE(r.text);
        const QString text = QString::fromLatin1(r.text);
        EXPECT_EQ(IsValidFloat(text, *r.locale), r.value.has_value());
        EXPECT_EQ(toFloat(text, *r.locale), r.value);
    }
}

TEST(Text, IntegerGrammarAndRange)
{
    const std::optional<std::int32_t> no;
    const std::vector<std::pair<const char *, std::optional<std::int32_t>>> rows{
        {"0", 0},
        {"123", 123},
        {"  42", 42},
        {"-3", -3},
        {"+7", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"0000000000000000000042", 42},
        {"$FF", 255},
        {"xff", 255},
        {"X1A", 26},
        {"0x10", 16},
        {"0X7FFFFFFF", INT32_MAX},
        {"-$10", -16},
        {"-0x7fffffff", -INT32_MAX},
        {"2147483648", no},
        {"-2147483649", no},
        {"99999999999999999999", no},
        {"0x80000000", no},
        {"-$80000000", no},
        {"$100000000", no},
        {"$", no},
        {"0x", no},
        {"x", no},
        {"", no},
        {"   ", no},
        {"42 ", no},
        {"2.5", no},
        {"1e3", no},
        {"12a", no},
        {"$G", no},
        {"- 5", no},
        {"+-5", no},
        {"0x-5", no},
        {"ABC", no},
    };
    for (const auto &[text, value] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IsValidInteger(QString::fromLatin1(text)), value.has_value());
        EXPECT_EQ(toInteger(QString::fromLatin1(text)), value);
    }
}

TEST(Text, FormatGeneralFifteenDigits)
{
    const std::vector<std::pair<Extended, const char *>> rows{
        {0.0L, "0"},
        {-0.0L, "0"},
        {1234.5L, "1234.5"},
        {860.67L, "860.67"},
        {0.1369863013698630137L, "0.136986301369863"},
        {100.0L, "100"},
        {-2.5L, "-2.5"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {1e-5L, "0.00001"},
        {1e-6L, "1E-6"},
        {-1.5e-7L, "-1.5E-7"},
        {1e14L, "100000000000000"},
        {123456789012345.0L, "123456789012345"},
        {999999999999999.9L, "1E15"},
        {1e15L, "1E15"},
        {1.5e20L, "1.5E20"},
        {1.234567890123456789e300L, "1.23456789012346E300"},
        {std::numeric_limits<Extended>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<Extended>::infinity(), "-INF"},
    };
    for (const auto &[value, text] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(formatGeneral(value, kUs), QString::fromLatin1(text));
    }
    EXPECT_EQ(formatGeneral(1234.5L, kKd), QStringLiteral("1234,5"));
    EXPECT_EQ(formatGeneral(1.5e20L, kKd), QStringLiteral("1,5E20"));
    EXPECT_EQ(formatGeneral(860.67L, kDe), QStringLiteral("860,67"));
    EXPECT_EQ(formatGeneral(860.67L, kEn), QStringLiteral("860.67"));
}

TEST(Text, NormalizeTwoDecimalsCutsAndFallsBack)
{
    const std::vector<std::tuple<const Locale *, const char *, const char *>> rows{
        {&kUs, "1500", "1500.00"},
        {&kUs, "1500.5", "1500.50"},
        {&kUs, "1500.567", "1500.56"},
        {&kUs, "  1500  ", "1500.00"},
        {&kUs, "12.349", "12.34"},
        {&kUs, "1.", "1.00"},
        {&kUs, ".5", ".50"},
        {&kUs, "-3", "-3.00"},
        {&kUs, "abc", "0.00"},
        {&kUs, "", "0.00"},
        {&kUs, "1,500", "0.00"},
        {&kUs, "1E5000", "0.00"},
        // A value with an exponent keeps its value in fixed notation.
        {&kUs, "1.5E3", "1500.00"},
        {&kUs, "1.2345e1", "12.34"},
        {&kUs, "5E-1", "0.50"},
        {&kUs, "1E-7", "0.00"},
        {&kUs, "-1.5E3", "-1500.00"},
        {&kUs, "0E999999999999", "0.00"},
        {&kUs, "0.0001234E4", "1.23"},
        {&kUs, "1E20", "100000000000000000000.00"},
        {&kKd, "1500,5", "1500,50"},
        {&kKd, "1500.5", "0,00"},
        {&kKd, "1,5E3", "1500,00"},
        {&kKd, "7", "7,00"},
        {&kEn, "1500.567", "1500.56"},
        {&kDe, "1500,567", "1500,56"},
        {&kDe, "1500.5", "0,00"},
    };
    for (const auto &[locale, text, normal] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(NormalizeTwoDecimals(QString::fromLatin1(text), *locale), QString::fromLatin1(normal));
    }
}

TEST(Text, FormatMoneyRoundsToCents)
{
    const std::vector<std::tuple<const Locale *, std::int64_t, const char *>> rows{
        {&kUs, 12345000, "1234.50"},      {&kUs, 0, "0.00"},         {&kUs, 123450, "12.35"},
        {&kUs, 10000000, "1000.00"},      {&kUs, 40, "0.00"},        {&kUs, 50, "0.01"},
        {&kUs, 9999999990, "1000000.00"}, {&kUs, -123400, "-12.34"}, {&kKd, 123450, "12,35"},
        {&kKd, 12345000, "1234,50"},      {&kDe, 123450, "12,35"},   {&kEn, 12345000, "1234.50"},
    };
    for (const auto &[locale, count, text] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FormatMoney(calc::Money::fromRawCount(count), *locale), QString::fromLatin1(text));
    }
}

TEST(Text, CurrencyTextOfFixedLocales)
{
    const std::vector<std::tuple<const Locale *, Extended, QString>> rows{
        {&kUs, 100000.0L, "$100,000.00"},
        {&kUs, -5.0L, "-$5.00"},
        {&kUs, 0.0L, "$0.00"},
        {&kUs, 0.125L, "$0.13"},
        {&kUs, -0.125L, "-$0.13"},
        {&kUs, 1234.625L, "$1,234.63"},
        {&kUs, 0.004L, "$0.00"},
        {&kUs, -0.004L, "$0.00"},
        {&kUs, 123.0L, "$123.00"},
        {&kUs, 1234567.891L, "$1,234,567.89"},
        {&kUs, 1e20L, "$100,000,000,000,000,000,000.00"},
        {&kKd, 100000.0L, "100.000,00 KD"},
        {&kKd, -5.0L, "-5,00 KD"},
        {&kKd, 0.125L, "0,13 KD"},
        {&kKd, -1234567.5L, "-1.234.567,50 KD"},
    };
    for (const auto &[locale, amount, text] : rows) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(CurrencyText(amount, *locale), text);
    }
    // Not finite: some text, no crash.
    EXPECT_FALSE(CurrencyText(std::numeric_limits<Extended>::infinity(), kUs).isEmpty());
}

TEST(Text, CurrencyTextFollowsQtLocaleForm)
{
    const std::vector<QLocale> locales{
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France), QLocale(QLocale::German, QLocale::Switzerland)};
    // Values that are no halves, so Qt's own rounding cannot differ from ours.
    const std::vector<double> values{100000.0, -5.0, 0.0, 1234567.89, -0.5, 12.3};
    for (const QLocale &qt : locales) {
        const Locale locale = Locale::fromQLocale(qt);
        for (double v : values) {
            SCOPED_TRACE(qt.name().toStdString() + " " + std::to_string(v));
            EXPECT_EQ(CurrencyText(v, locale), qt.toCurrencyString(v, qt.currencySymbol(), 2));
        }
    }
    EXPECT_EQ(CurrencyText(-5.0L, kEn), QStringLiteral("($5.00)"));
    EXPECT_EQ(CurrencyText(0.125L, kEn), QStringLiteral("$0.13"));
    EXPECT_EQ(CurrencyText(-1234.625L, kDe), QStringLiteral("-1.234,63\u00A0\u20AC"));
}

TEST(Text, GroupThousandsKeepsSignAndTail)
{
    const std::vector<std::tuple<const Locale *, const char *, const char *>> rows{
        {&kUs, "1234567.89", "1,234,567.89"},
        {&kUs, "123456", "123,456"},
        {&kUs, "-123456", "-123,456"},
        {&kUs, "-123", "-123"},
        {&kUs, "100.00", "100.00"},
        {&kUs, "1000.00", "1,000.00"},
        {&kUs, "999999", "999,999"},
        {&kUs, "1234", "1,234"},
        {&kUs, "12", "12"},
        {&kUs, "", ""},
        {&kUs, ".5", ".5"},
        {&kUs, "-1234.5678", "-1,234.5678"},
        {&kKd, "1234567,89", "1.234.567,89"},
        {&kKd, "-1000", "-1.000"},
        {&kEn, "1234567.89", "1,234,567.89"},
        {&kDe, "-1234567,89", "-1.234.567,89"},
    };
    // Into a reused string, every other time while a copy still holds its text.
    QString reused = QStringLiteral("a text longer than any of the rows");
    QString previous = reused;
    bool keepCopy = true;
    for (const auto &[locale, text, grouped] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(GroupThousands(QString::fromLatin1(text), *locale), QString::fromLatin1(grouped));
        const QString copy = keepCopy ? reused : QString();
        GroupThousands(QString::fromLatin1(text), *locale, reused);
        EXPECT_EQ(reused, QString::fromLatin1(grouped));
        if (keepCopy) {
            EXPECT_EQ(copy, previous);
        }
        keepCopy = !keepCopy;
        previous = QString::fromLatin1(grouped);
    }
}

TEST(Text, CompleteDecimalsAddsMissingZeros)
{
    const std::vector<std::tuple<const Locale *, const char *, const char *>> rows{
        {&kUs, "5", "5.00"},    {&kUs, "5.5", "5.50"},  {&kUs, ".5", "0.50"},  {&kUs, "5.123", "5.123"},
        {&kUs, "5.12", "5.12"}, {&kUs, "-.5", "-0.50"}, {&kUs, "-5", "-5.00"}, {&kKd, "5", "5,00"},
        {&kKd, ",5", "0,50"},   {&kDe, ",5", "0,50"},   {&kEn, "5.5", "5.50"},
    };
    for (const auto &[locale, text, complete] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CompleteDecimals(QString::fromLatin1(text), *locale), QString::fromLatin1(complete));
    }
}

TEST(Text, PadToLength)
{
    struct Row {
        const char *text, *fill;
        int length;
        const char *left, *right;
    };
    const std::vector<Row> rows{
        {"5", " ", 3, "  5", "5  "},         {"abcd", " ", 3, "abcd", "abcd"},
        {"abc", "*", 3, "abc", "abc"},       {"", "*", 2, "**", "**"},
        {"ab", "xy", 5, "xyxyab", "abxyxy"}, {"ab", "", 5, "ab", "ab"},
        {"ab", "*", -1, "ab", "ab"},         {"a", "xyz", 3, "xyza", "axyz"},
        {"", "ab", 3, "abab", "abab"},       {"7", "0", 12, "000000000007", "700000000000"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        const QString text = QString::fromLatin1(r.text), fill = QString::fromLatin1(r.fill);
        EXPECT_EQ(PadLeft(text, fill, r.length), QString::fromLatin1(r.left));
        EXPECT_EQ(PadRight(text, fill, r.length), QString::fromLatin1(r.right));
    }
}

} // namespace
} // namespace accrua::text
