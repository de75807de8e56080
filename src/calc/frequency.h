// Payment frequencies and compounding: how many periods a year has, the
// periodic rate of a nominal annual rate under any compounding, the number
// of payments in a term, and the date of each payment.
#pragma once

#include "calc/calendar.h"
#include "calc/money.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace accrua::calc {

enum class Frequency {
    Weekly,
    EveryTwoWeeks,
    EveryFourWeeks,
    SemiMonthly,
    Monthly,
    EveryTwoMonths,
    Quarterly,
    SemiAnnual,
    Annual,
};

inline constexpr std::array<Frequency, 9> kFrequencies = {
    Frequency::Monthly,   Frequency::SemiMonthly,    Frequency::EveryTwoWeeks,
    Frequency::Weekly,    Frequency::EveryFourWeeks, Frequency::EveryTwoMonths,
    Frequency::Quarterly, Frequency::SemiAnnual,     Frequency::Annual,
};

// Compounding periods a year; kSameAsPayments compounds once a payment period.
inline constexpr int kSameAsPayments = 0;
inline constexpr int kDaily = 365;

int periodsPerYear(Frequency f);
// The command-line names: "monthly", "semi-monthly", "every-2-weeks", ...
std::string_view frequencyName(Frequency f);
std::optional<Frequency> frequencyNamed(std::string_view name);
// "same", "daily" or a frequency's name, as periods a year.
std::optional<int> compoundingNamed(std::string_view name);
std::string_view compoundingName(int perYear);

// The rate of one payment period: the effective rate of the compounding
// over that period, (1 + j/m)^(m/p) - 1; j/p when compounding is the payment
// frequency. `annualRate` is a fraction (0.05 for 5 %).
Extended periodicRate(Extended annualRate, int compoundingPerYear, Frequency f);

// The payments of a term of years and months from `start`, to the nearest
// whole payment: months by the payments a year, weeks by the term's days.
std::int64_t paymentsInTerm(std::int64_t years, std::int64_t months, Frequency f, const Date &start);

// The date `index` periods after `first` (0: `first` itself). Month steps
// keep the day of `first`, clamped to the month's end; semi-monthly steps go
// to that day and 15 days later each month; weeks add days.
Date paymentDate(const Date &first, Frequency f, std::int64_t index);

} // namespace accrua::calc
