#include "calc/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace accrua::calc {

std::u16string formatGeneral(Extended value, char16_t decimalSeparator)
{
    if (std::isnan(value))
        return u"NAN";
    if (std::isinf(value))
        return value > 0 ? u"INF" : u"-INF";
    if (value == 0)
        return u"0";

    // 15 significant digits, correctly rounded from the extended value.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    const char *p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[16];
    int count = 0;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < 15)
            digits[count++] = *p;
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    std::u16string out;
    if (negative)
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
    const Money cents = roundToCents(value);
    // Up to 13 integer digits the general text shows every cent, so the
    // integer formatting below is the same text, only faster.
    constexpr std::int64_t kExactLimit = 100000000000000000LL; // 1E13 units in ten-thousandths
    if (cents.count >= kExactLimit || cents.count <= -kExactLimit)
        return normalizedGeneral(cents.value(), decimalSeparator);

    ShortText out;
    std::int64_t c = cents.count / 100; // whole cents
    const bool negative = c < 0;
    std::uint64_t u = negative ? static_cast<std::uint64_t>(-c) : static_cast<std::uint64_t>(c);
    char16_t tmp[24];
    int n = 0;
    tmp[n++] = char16_t(u'0' + u % 10);
    u /= 10;
    tmp[n++] = char16_t(u'0' + u % 10);
    u /= 10;
    tmp[n++] = decimalSeparator;
    do {
        tmp[n++] = char16_t(u'0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negative)
        tmp[n++] = u'-';
    for (int k = 0; k < n; ++k)
        out.chars[k] = tmp[n - 1 - k];
    out.length = static_cast<std::uint8_t>(n);
    return out;
}

} // namespace accrua::calc
