#include "calc/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace accrua::calc {

namespace {

// The 15 significant digits of the general text, correctly rounded from the
// extended value: the value is 0.d1d2...d15 * 10^(exponent + 1).
struct SignificantDigits {
    char digits[15];
    int count = 0; // digits held, trailing zeros included
    int exponent = 0;
    bool negative = false;
};

SignificantDigits significantDigits(Extended value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    SignificantDigits out;
    const char *p = buffer;
    out.negative = *p == '-';
    if (out.negative)
        ++p;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && out.count < 15)
            out.digits[out.count++] = *p;
    }
    out.exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    return out;
}

} // namespace

std::u16string formatGeneral(Extended value, char16_t decimalSeparator)
{
    if (std::isnan(value))
        return u"NAN";
    if (std::isinf(value))
        return value > 0 ? u"INF" : u"-INF";
    if (value == 0)
        return u"0";

    const SignificantDigits sig = significantDigits(value);
    const char *digits = sig.digits;
    const int exponent = sig.exponent;
    int count = sig.count;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    std::u16string out;
    if (sig.negative)
        out += u'-';
    if (exponent >= 15 || exponent < -5) {
        out += char16_t(digits[0]);
        if (count > 1) {
            out += decimalSeparator;
            for (int k = 1; k < count; ++k)
                out += char16_t(digits[k]);
        }
        out += u'E';
        const std::string e = std::to_string(exponent);
        for (char c : e)
            out += char16_t(c);
        return out;
    }
    if (exponent < 0) {
        out += u'0';
        out += decimalSeparator;
        for (int k = 0; k < -exponent - 1; ++k)
            out += u'0';
        for (int k = 0; k < count; ++k)
            out += char16_t(digits[k]);
        return out;
    }
    for (int k = 0; k <= exponent; ++k)
        out += k < count ? char16_t(digits[k]) : u'0';
    if (count > exponent + 1) {
        out += decimalSeparator;
        for (int k = exponent + 1; k < count; ++k)
            out += char16_t(digits[k]);
    }
    return out;
}

namespace {

// Amounts below 1E13 units (in ten-thousandths) keep every cent in the general text.
constexpr std::int64_t kExactLimit = 100000000000000000LL;

// Two decimals exactly as the general text would give them after bringing it
// to two decimals: cut, never rounded again.
ShortText normalizedGeneral(Extended value, char16_t sep)
{
    const std::u16string general = formatGeneral(value, sep);
    std::u16string text = general;
    const auto pos = text.find(sep);
    if (pos == std::u16string::npos) {
        text += sep;
        text += u"00";
    } else {
        const auto decimals = text.size() - pos - 1;
        if (decimals == 0)
            text += u"00";
        else if (decimals == 1)
            text += u'0';
        else
            text.resize(pos + 3);
    }
    ShortText out;
    out.length = static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), sizeof out.chars / 2));
    std::memcpy(out.chars, text.data(), out.length * sizeof(char16_t));
    return out;
}

} // namespace

ShortText formatMoneyText(Money value, char16_t decimalSeparator)
{
    // Schedules are already in whole cents; rounding again would change nothing.
    const Money cents = value.count % 100 == 0 ? value : RoundToCents(value);
    // Up to 13 integer digits the general text shows every cent, so the
    // integer formatting below is the same text, only faster.
    if (cents.count >= kExactLimit || cents.count <= -kExactLimit)
        return normalizedGeneral(cents.value(), decimalSeparator);

    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    const bool negative = cents.count < 0;
    std::uint64_t whole = negative ? static_cast<std::uint64_t>(-(cents.count / 100))
                                   : static_cast<std::uint64_t>(cents.count / 100);
    const unsigned hundredths = static_cast<unsigned>(whole % 100);
    whole /= 100;
    int digits = 1;
    for (std::uint64_t w = whole; w >= 10; w /= 10)
        ++digits;

    // Written in place from the right: no buffer to copy afterwards.
    ShortText out;
    out.length = static_cast<std::uint8_t>(negative + digits + 3);
    char16_t *p = out.chars + out.length;
    *--p = char16_t(kPairs[2 * std::size_t{hundredths} + 1]);
    *--p = char16_t(kPairs[2 * std::size_t{hundredths}]);
    *--p = decimalSeparator;
    while (whole >= 100) {
        const unsigned pair = static_cast<unsigned>(whole % 100);
        whole /= 100;
        *--p = char16_t(kPairs[2 * std::size_t{pair} + 1]);
        *--p = char16_t(kPairs[2 * std::size_t{pair}]);
    }
    if (whole >= 10) {
        *--p = char16_t(kPairs[2 * whole + 1]);
        *--p = char16_t(kPairs[2 * whole]);
    } else {
        *--p = char16_t(u'0' + whole);
    }
    if (negative)
        *--p = u'-';
    return out;
}

Extended valueOfGeneralText(Money value)
{
    if (value.count == 0)
        return 0;
    // A money value has at most 15 integer digits and 4 decimals, so the
    // general text is d1...d15 * 10^(exponent - 14) with 10 to a power of at
    // most 18: an exact divisor, and one division rounds the way reading the
    // text does.
    const SignificantDigits sig = significantDigits(value.value());
    std::int64_t whole = 0;
    for (int k = 0; k < sig.count; ++k)
        whole = whole * 10 + (sig.digits[k] - '0');
    const int shift = sig.count - 1 - sig.exponent;
    Extended power = 1;
    for (int k = 0; k < (shift < 0 ? -shift : shift); ++k)
        power *= 10;
    const Extended magnitude =
        shift >= 0 ? static_cast<Extended>(whole) / power : static_cast<Extended>(whole) * power;
    return sig.negative ? -magnitude : magnitude;
}

Extended valueOfMoneyText(Money value)
{
    const Money cents = value.count % 100 == 0 ? value : RoundToCents(value);
    if (cents.count >= kExactLimit || cents.count <= -kExactLimit)
        return valueOfGeneralText(cents);
    return cents.value();
}

} // namespace accrua::calc
