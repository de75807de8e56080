#include "calc/savings.h"

#include <stdexcept>

namespace accrua::calc {

int periodsPerYear(int itemIndex)
{
    switch (itemIndex) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 4;
    case 3:
        return 12;
    default:
        return 1;
    }
}

SavingsResult CalculateSavingsInterest(Extended beginningBalance, Extended ratePercent, int perYear,
                                       std::int32_t years, std::int32_t months, char16_t decimalSeparator)
{
    if (perYear == 0)
        throw DivisionByZeroError();

    const Extended n = static_cast<Extended>(perYear);
    SavingsResult result;
    // Whole for every term the months check lets through; rounding guards the rest.
    result.periods =
        roundToInt64(static_cast<Extended>(years) * n + (static_cast<Extended>(months) / 12.0L) * n);
    if (result.periods > kMaxSavingsPeriods)
        throw std::length_error("too many savings periods");

    Money balance = Money::fromValue(beginningBalance);
    const Extended ratePerPeriod = ratePercent * kOnePercent / n;
    Money total{};
    if (result.periods > 0)
        result.rows.reserve(static_cast<std::size_t>(result.periods));
    for (std::int64_t i = 0; i < result.periods; ++i) {
        const Money interest = RoundToCents(ratePerPeriod * balance.value());
        balance += interest;
        total += interest;
        result.rows.push_back(TSavingsObj{balance, interest, formatMoneyText(balance, decimalSeparator),
                                          formatMoneyText(interest, decimalSeparator)});
    }
    result.total = total;
    result.endBalance = balance;
    return result;
}

} // namespace accrua::calc
