#include "calc/frequency.h"

#include <cmath>

namespace accrua::calc {

namespace {

struct FrequencyInfo {
    std::string_view name;
    Frequency frequency;
    int perYear;
    int months; // the step in months, or 0
    int days;   // the step in days, or 0
};

constexpr FrequencyInfo kInfo[] = {
    {"weekly", Frequency::Weekly, 52, 0, 7},
    {"every-2-weeks", Frequency::EveryTwoWeeks, 26, 0, 14},
    {"every-4-weeks", Frequency::EveryFourWeeks, 13, 0, 28},
    {"semi-monthly", Frequency::SemiMonthly, 24, 0, 0},
    {"monthly", Frequency::Monthly, 12, 1, 0},
    {"every-2-months", Frequency::EveryTwoMonths, 6, 2, 0},
    {"quarterly", Frequency::Quarterly, 4, 3, 0},
    {"semi-annual", Frequency::SemiAnnual, 2, 6, 0},
    {"annual", Frequency::Annual, 1, 12, 0},
};

const FrequencyInfo &info(Frequency f)
{
    return kInfo[static_cast<int>(f)];
}

constexpr int kSemiMonthDays = 15;

} // namespace

int periodsPerYear(Frequency f)
{
    return info(f).perYear;
}

std::string_view frequencyName(Frequency f)
{
    return info(f).name;
}

std::optional<Frequency> frequencyNamed(std::string_view name)
{
    for (const FrequencyInfo &i : kInfo) {
        if (i.name == name)
            return i.frequency;
    }
    return std::nullopt;
}

std::optional<int> compoundingNamed(std::string_view name)
{
    if (name == "same")
        return kSameAsPayments;
    if (name == "daily")
        return kDaily;
    if (const auto f = frequencyNamed(name))
        return periodsPerYear(*f);
    return std::nullopt;
}

std::string_view compoundingName(int perYear)
{
    if (perYear == kSameAsPayments)
        return "same";
    if (perYear == kDaily)
        return "daily";
    for (const FrequencyInfo &i : kInfo) {
        if (i.perYear == perYear)
            return i.name;
    }
    return "same";
}

Extended periodicRate(Extended annualRate, int compoundingPerYear, Frequency f)
{
    const int p = periodsPerYear(f);
    if (compoundingPerYear == kSameAsPayments || compoundingPerYear == p)
        return annualRate / p;
    const Extended m = compoundingPerYear;
    // log1p/expm1 keep the small rates of short periods exact to the last digits.
    return std::expm1l(m / p * std::log1pl(annualRate / m));
}

std::int64_t paymentsInTerm(std::int64_t years, std::int64_t months, Frequency f, const Date &start)
{
    const std::int64_t totalMonths = 12 * years + months;
    const FrequencyInfo &i = info(f);
    // Past ten thousand years the count is only there to be refused.
    if (!i.days || totalMonths > 120000 || totalMonths < 0)
        return (totalMonths * i.perYear * 2 + 12) / 24;
    const std::int64_t days = serialDay(addMonths(start, totalMonths)) - serialDay(start);
    const std::int64_t step = i.days;
    return (2 * days + step) / (2 * step);
}

Date paymentDate(const Date &first, Frequency f, std::int64_t index)
{
    const FrequencyInfo &i = info(f);
    if (i.months)
        return addMonths(first, index * i.months, first.day);
    if (i.days)
        return addDays(first, index * i.days);
    const Date onDay = addMonths(first, index / 2, first.day);
    return index % 2 == 0 ? onDay : addDays(onDay, kSemiMonthDays);
}

} // namespace accrua::calc
