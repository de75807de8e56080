#include "calc/money.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace accrua::calc {

namespace {

constexpr Extended kTwo63 = 9223372036854775808.0L;

std::string describe(Extended value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
    return buffer;
}

} // namespace

MoneyRangeError::MoneyRangeError(Extended value)
    : std::runtime_error("The amount " + describe(value) + " is out of range"), m_value(value)
{
}

std::int64_t roundToInt64(Extended x)
{
    if (!std::isfinite(x) || x >= kTwo63 || x <= -kTwo63)
        throw MoneyRangeError(x / Money::kScale);
    // Next to 2^63 the extended type holds whole numbers only, so adding and
    // taking it away again rounds to the nearest integer, ties to even, in
    // the default rounding mode; much cheaper than nearbyintl, which saves
    // and restores the floating-point environment on every call.
    const Extended r = x >= 0 ? (x + kTwo63) - kTwo63 : (x - kTwo63) + kTwo63;
    if (r >= kTwo63 || r < -kTwo63)
        throw MoneyRangeError(x / Money::kScale);
    return static_cast<std::int64_t>(r);
}

Money Money::fromValue(Extended x)
{
    if (!std::isfinite(x))
        throw MoneyRangeError(x);
    const Extended scaled = x * kScale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kTwo63)
        throw MoneyRangeError(x);
    return Money{roundToInt64(scaled)};
}

Money Money::fromCount(Extended c)
{
    return Money{roundToInt64(c)};
}

Money operator+(Money a, Money b)
{
    std::int64_t r;
    if (__builtin_add_overflow(a.count, b.count, &r))
        throw MoneyRangeError(a.value() + b.value());
    return Money{r};
}

Money operator-(Money a, Money b)
{
    std::int64_t r;
    if (__builtin_sub_overflow(a.count, b.count, &r))
        throw MoneyRangeError(a.value() - b.value());
    return Money{r};
}

Money &Money::operator+=(Money o)
{
    *this = *this + o;
    return *this;
}

Money RoundToCents(Money m)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::int64_t c = m.count;
    if (c >= 0) {
        if (c > kMax - 50)
            throw MoneyRangeError(m.value());
        return Money{(c + 50) / 100 * 100};
    }
    // Halves of negative amounts round away from zero too, so that an exact
    // negative number of cents stays where it is.
    if (c < kMin + 50)
        throw MoneyRangeError(m.value());
    return Money{-((-c + 50) / 100 * 100)};
}

Money RoundToCents(Extended v)
{
    if (!std::isfinite(v))
        throw MoneyRangeError(v);
    const Extended cents = v >= 0 ? std::truncl(100 * v + 0.5L) : -std::truncl(-100 * v + 0.5L);
    const Extended count = cents * 100;
    if (!std::isfinite(count) || count >= kTwo63 || count < -kTwo63)
        throw MoneyRangeError(v);
    return Money{static_cast<std::int64_t>(count)};
}

Extended intPart(Extended x)
{
    return std::truncl(x);
}

Extended intPower(Extended x, std::int32_t n)
{
    std::int64_t e = n;
    const bool negative = e < 0;
    if (negative)
        e = -e;
    Extended result = 1;
    Extended base = x;
    while (e > 0) {
        if (e & 1)
            result *= base;
        e >>= 1;
        if (e > 0)
            base *= base;
    }
    return negative ? 1 / result : result;
}

} // namespace accrua::calc
