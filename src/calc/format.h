// Number texts made without Qt and without allocation where it matters: the
// schedule formats four amounts per row, thousands of rows per calculation.
#pragma once

#include "calc/money.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace accrua::calc {

// A short text held inline (no heap): amounts and counts.
struct ShortText {
    char16_t chars[24]; // the longest money text has 20 characters
    std::uint8_t length = 0;
    std::u16string_view view() const { return {chars, length}; }
    friend bool operator==(const ShortText &a, const ShortText &b) { return a.view() == b.view(); }
};

// General floating text: 15 significant digits, the given decimal separator,
// fixed notation for 1E-5 <= |v| < 1E15 and for 0, otherwise "1.5E20" style.
std::u16string formatGeneral(Extended value, char16_t decimalSeparator);

// The money text of a result field: cent-rounded, two decimals, no grouping.
ShortText formatMoneyText(Money value, char16_t decimalSeparator);

// The number a field holds after the program wrote an amount into it as
// money text or as general text and read the text back. Both texts keep at
// most 15 significant digits, so past ten thousand billion the number is not
// the amount.
Extended valueOfMoneyText(Money value);
Extended valueOfGeneralText(Money value);

} // namespace accrua::calc
