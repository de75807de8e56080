// Money and the extended-precision helpers every calculation shares.
//
// Amounts are Money: a signed 64-bit count of ten-thousandths of the currency
// unit. Rates and intermediate results are `Extended` (80-bit long double on
// x86-64). Floating values become Money by rounding x * 10000 to the nearest
// integer, ties to even; values outside the 64-bit range are refused with
// MoneyRangeError rather than converted with undefined behaviour.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace accrua::calc {

using Extended = long double;

// The extended constant nearest 0.01: rates typed in percent are multiplied by
// it, never divided by 100, so results match the established arithmetic.
inline constexpr Extended kOnePercent = 0.01L;

// A floating value that cannot be held as money (too large, infinite or NaN).
class MoneyRangeError : public std::runtime_error {
public:
    explicit MoneyRangeError(Extended value);
    Extended value() const { return m_value; }

private:
    Extended m_value;
};

// A division by zero in the arithmetic (reported as "Division by zero.").
class DivisionByZeroError : public std::runtime_error {
public:
    DivisionByZeroError() : std::runtime_error("Division by zero") {}
};

// A rate so close to zero that the annuity arithmetic cannot tell it from
// none: the payment formula would divide by zero.
class RateTooSmallError : public std::runtime_error {
public:
    RateTooSmallError() : std::runtime_error("rate too small") {}
};

struct Money {
    std::int64_t count = 0; // ten-thousandths

    static constexpr std::int64_t kScale = 10000;

    // M(x): x * 10000 rounded to the nearest integer, ties to even.
    static Money fromValue(Extended x);
    // M(c) on a value already in ten-thousandths: rounded, ties to even.
    static Money fromCount(Extended c);
    static constexpr Money fromRawCount(std::int64_t c) { return Money{c}; }

    Extended value() const { return static_cast<Extended>(count) / kScale; }
    Extended asCount() const { return static_cast<Extended>(count); }

    friend constexpr bool operator==(Money a, Money b) = default;
    friend constexpr auto operator<=>(Money a, Money b) = default;
    friend Money operator+(Money a, Money b);
    friend Money operator-(Money a, Money b);
    Money &operator+=(Money o);
};

// Nearest integer, ties to even, in extended precision; throws MoneyRangeError
// when the result does not fit in 64 bits.
std::int64_t roundToInt64(Extended x);

// RoundToCents on a money value: whole cents, halves away from zero.
Money RoundToCents(Money m);
// RoundToCents of an unrounded floating amount in currency units.
Money RoundToCents(Extended v);

// Int(x): truncation toward zero, staying a floating value.
Extended intPart(Extended x);

// x to the integer power n by repeated squaring (reciprocal for negative n).
Extended intPower(Extended x, std::int32_t n);

} // namespace accrua::calc
