#include "calc/apr.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace accrua::calc {

namespace {

constexpr Extended kTolerance = 1e-13L; // on the rate solved for
constexpr int kMaxIterations = 200;

// Where a flow sits in time: whole periods and a fraction beyond them; after
// placing, a run of `count` equal flows one whole period apart.
struct Timed {
    std::int64_t whole = 0;
    Extended fraction = 0;
    Extended amount = 0; // payments positive, advances negative
    std::int64_t count = 1;
};

// Sums over a run of n flows one period apart, for a discount factor b per
// period: S = sum b^k and K = sum k b^k (k = 0 .. n-1), given b^n and 1 - b.
struct RunSums {
    Extended s;
    Extended k;
};

RunSums runSums(std::int64_t n, Extended b, Extended bn, Extended oneMinusB)
{
    if (n == 1)
        return {1, 0};
    const Extended nn = static_cast<Extended>(n);
    if (std::fabs(oneMinusB) < 1e-9L)
        return {nn, nn * (nn - 1) / 2};
    const Extended s = (1 - bn) / oneMinusB;
    // K only steers the iteration; near b = 1 its closed form loses digits,
    // and the value of b = 1 serves.
    const Extended k = std::fabs(oneMinusB) < 1e-4L
                           ? nn * (nn - 1) / 2
                           : (b - nn * bn + (nn - 1) * bn * b) / (oneMinusB * oneMinusB);
    return {s, k};
}

struct Checked {
    AprStatus status = AprStatus::Solved;
    Date start;                 // the first advance
    std::vector<Date> payments; // in date order
};

Checked check(std::span<const CashFlow> flows)
{
    Checked c;
    bool anyAdvance = false;
    for (const CashFlow &f : flows) {
        if (f.amount.count <= 0) {
            c.status = AprStatus::NotPositive;
            return c;
        }
        if (f.advance && (!anyAdvance || f.date < c.start))
            c.start = f.date;
        anyAdvance = anyAdvance || f.advance;
        if (!f.advance)
            c.payments.push_back(f.date);
    }
    if (!anyAdvance || c.payments.empty()) {
        c.status = AprStatus::NoAdvanceOrPayment;
        return c;
    }
    for (const CashFlow &f : flows) {
        if (f.date < c.start) {
            c.status = AprStatus::BeforeAdvance;
            return c;
        }
    }
    if (!std::is_sorted(c.payments.begin(), c.payments.end()))
        std::sort(c.payments.begin(), c.payments.end());
    return c;
}

std::int64_t monthsBetween(const Date &a, const Date &b)
{
    return (std::int64_t{b.year} - a.year) * 12 + (b.month - a.month);
}

bool isMonthEnd(const Date &d)
{
    return d.day == daysInMonth(d.year, d.month);
}

// The safeguarded Newton iteration on a rate x > -1: `eval` gives the value
// and slope of a function that falls as the rate rises (present value of the
// payments less that of the advances). Bisects when a step leaves what is
// known to bracket the root.
template <class Eval> std::optional<Extended> solveRate(Eval &&eval, Extended start)
{
    Extended lo = -1 + 1e-9L;
    Extended hi = std::numeric_limits<Extended>::infinity();
    Extended x = std::isfinite(start) && start > lo ? start : 0;
    for (int k = 0; k < kMaxIterations; ++k) {
        const auto [value, slope] = eval(x);
        if (!std::isfinite(value))
            return std::nullopt;
        if (value == 0)
            return x;
        if (value > 0)
            lo = x;
        else
            hi = x;
        Extended next = slope != 0 ? x - value / slope : std::numeric_limits<Extended>::quiet_NaN();
        if (!(next > lo && next < hi))
            next = std::isfinite(hi) ? (lo + hi) / 2 : std::max(2 * x, x + 1);
        if (std::fabs(next - x) <= kTolerance * (1 + std::fabs(x)))
            return next;
        x = next;
    }
    return std::nullopt;
}

// v^n of a rising sequence of n, a few multiplications a flow.
class PowerWalk {
public:
    explicit PowerWalk(Extended base) : m_base(base) {}
    Extended at(std::int64_t n)
    {
        if (n < m_n || n - m_n > 32) {
            m_n = n;
            m_power =
                intPower(m_base, static_cast<std::int32_t>(std::clamp<std::int64_t>(n, -1000000, 1000000)));
            return m_power;
        }
        while (m_n < n) {
            m_power *= m_base;
            ++m_n;
        }
        return m_power;
    }

private:
    Extended m_base;
    Extended m_power = 1;
    std::int64_t m_n = 0;
};

// --- US: the unit period -----------------------------------------------------

enum class UnitKind { Months, SemiMonth, Weeks, Days };

struct Unit {
    UnitKind kind = UnitKind::Months;
    std::int64_t size = 1; // months, weeks or days

    Extended perYear() const
    {
        switch (kind) {
        case UnitKind::Months:
            return Extended{12} / static_cast<Extended>(size);
        case UnitKind::SemiMonth:
            return 24;
        case UnitKind::Weeks:
            return Extended{52} / static_cast<Extended>(size);
        case UnitKind::Days:
            break;
        }
        return Extended{365} / static_cast<Extended>(size);
    }
    // Odd days as a fraction of the unit: 30 days a month (365 a year), 15 a
    // semi-month, 7 a week.
    Extended oddDays() const
    {
        switch (kind) {
        case UnitKind::Months:
            return size == 12 ? 365 : 30 * static_cast<Extended>(size);
        case UnitKind::SemiMonth:
            return 15;
        case UnitKind::Weeks:
            return 7 * static_cast<Extended>(size);
        case UnitKind::Days:
            break;
        }
        return static_cast<Extended>(size);
    }
    // Shorter units first, so that a tie goes to the shorter.
    friend bool operator<(const Unit &a, const Unit &b)
    {
        const Extended pa = a.perYear();
        const Extended pb = b.perYear();
        if (pa != pb)
            return pa > pb;
        return a.kind != b.kind ? a.kind < b.kind : a.size < b.size;
    }
};

struct Interval {
    Unit unit;
    std::int64_t days = 0; // 0 for whole months
};

Interval intervalUnit(const Date &a, const Date &b)
{
    const std::int64_t months = monthsBetween(a, b);
    if (months >= 1 && months <= 12 &&
        (a.day == b.day || addMonths(a, months) == b || (isMonthEnd(a) && isMonthEnd(b))))
        return {{UnitKind::Months, months}, 0};
    const std::int64_t days = serialDay(b) - serialDay(a);
    if (days > 0 && days % 7 == 0 && days <= 28)
        return {{UnitKind::Weeks, days / 7}, days};
    if (days >= 13 && days <= 17)
        return {{UnitKind::SemiMonth, 1}, days};
    return {{UnitKind::Days, std::max<std::int64_t>(days, 1)}, days};
}

// The most common interval between payments (the shorter on a tie); a single
// payment makes the whole term the unit.
Unit commonUnit(const Checked &c)
{
    if (c.payments.size() == 1)
        return {UnitKind::Days, std::max<std::int64_t>(serialDay(c.payments[0]) - serialDay(c.start), 1)};
    std::vector<std::pair<Unit, int>> tally; // a handful of kinds at most
    bool allSemiMonthly = true;
    bool oddSemiMonth = false;
    for (std::size_t k = 1; k < c.payments.size(); ++k) {
        const Interval interval = intervalUnit(c.payments[k - 1], c.payments[k]);
        const Unit u = interval.unit;
        const std::int64_t days = interval.days;
        const auto seen = std::find_if(tally.begin(), tally.end(), [&u](const auto &e) {
            return e.first.kind == u.kind && e.first.size == u.size;
        });
        if (seen == tally.end())
            tally.emplace_back(u, 1);
        else
            ++seen->second;
        allSemiMonthly = allSemiMonthly && days >= 13 && days <= 17;
        oddSemiMonth = oddSemiMonth || (days >= 13 && days <= 17 && days != 14);
    }
    // Payments on the 1st and the 15th are semi-monthly even where the gap is
    // two weeks exactly.
    if (allSemiMonthly && oddSemiMonth)
        return {UnitKind::SemiMonth, 1};
    Unit best;
    int most = 0;
    for (const auto &[u, n] : tally) {
        if (n > most || (n == most && u < best)) {
            best = u;
            most = n;
        }
    }
    return best;
}

// Whole units counted back from the flow's date towards the first advance;
// the days left over make the odd fraction.
Timed placeUs(const Date &start, const Date &date, const Unit &unit)
{
    Timed t;
    switch (unit.kind) {
    case UnitKind::Months:
    case UnitKind::SemiMonth: {
        const std::int64_t step = unit.kind == UnitKind::Months ? unit.size : 1;
        const std::int64_t months = monthsBetween(start, date);
        std::int64_t whole = std::max<std::int64_t>(months / step, 0);
        // Counting back from the last day of a month lands on last days of
        // months. From a day on or after the advance's day, whole units land
        // in the advance's month, on the payment's day.
        const int day = isMonthEnd(date) ? 31 : date.day;
        Date back = months % step == 0 && day >= start.day && day <= daysInMonth(start.year, start.month)
                        ? Date{start.year, start.month, day}
                        : addMonths(date, -whole * step, day);
        while (whole > 0 && back < start) {
            --whole;
            back = addMonths(date, -whole * step, day);
        }
        std::int64_t rest = back.year == start.year && back.month == start.month
                                ? back.day - start.day
                                : serialDay(back) - serialDay(start);
        t.whole = whole;
        if (unit.kind == UnitKind::SemiMonth) {
            t.whole *= 2;
            if (rest >= 15) {
                ++t.whole;
                rest -= 15;
            }
        }
        t.fraction = rest == 0 ? 0 : static_cast<Extended>(rest) / unit.oddDays();
        return t;
    }
    case UnitKind::Weeks:
    case UnitKind::Days:
        break;
    }
    const std::int64_t days = serialDay(date) - serialDay(start);
    const std::int64_t span = unit.kind == UnitKind::Weeks ? 7 * unit.size : unit.size;
    t.whole = days / span;
    t.fraction = days % span == 0 ? 0 : static_cast<Extended>(days % span) / unit.oddDays();
    return t;
}

// Whole months from the first advance, then the leftover days.
Timed placeEu(const Date &start, const Date &date)
{
    std::int64_t whole = std::max<std::int64_t>(monthsBetween(start, date), 0);
    // On or after the advance's day of the month: whole months, then the days between.
    if (date.day >= start.day && whole >= 0)
        return Timed{whole, static_cast<Extended>(date.day - start.day), 0};
    Date on = addMonths(start, whole);
    while (whole > 0 && on > date) {
        --whole;
        on = addMonths(start, whole);
    }
    const std::int64_t days = on == date ? 0 : serialDay(date) - serialDay(on);
    return Timed{whole, static_cast<Extended>(days), 0};
}

// Appends t to the runs: level payments a period apart make one run, so that
// a trial costs a few operations a run instead of a power a payment.
void addToRuns(std::vector<Timed> &runs, const Timed &t)
{
    if (!runs.empty()) {
        Timed &run = runs.back();
        if (t.amount == run.amount && t.fraction == run.fraction && t.whole == run.whole + run.count) {
            run.count += t.count;
            return;
        }
    }
    runs.push_back(t);
}

std::vector<Timed> placed(std::span<const CashFlow> flows, const Date &start, const Unit *unit)
{
    std::vector<Timed> out;
    bool inOrder = true;
    for (const CashFlow &f : flows) {
        Timed t = unit ? placeUs(start, f.date, *unit) : placeEu(start, f.date);
        t.amount = f.advance ? -f.amount.asCount() : f.amount.asCount();
        inOrder = inOrder && (out.empty() || t.whole >= out.back().whole);
        addToRuns(out, t);
    }
    if (inOrder)
        return out;
    // The power walks step forward through time: flows out of order are
    // put in order, then joined into runs again.
    std::stable_sort(out.begin(), out.end(),
                     [](const Timed &a, const Timed &b) { return a.whole < b.whole; });
    std::vector<Timed> runs;
    runs.reserve(out.size());
    for (const Timed &t : out)
        addToRuns(runs, t);
    return runs;
}

struct ValueSlope {
    Extended value;
    Extended slope;
};

} // namespace

AprResult usApr(std::span<const CashFlow> flows, Extended guess)
{
    AprResult r;
    const Checked c = check(flows);
    r.status = c.status;
    if (c.status != AprStatus::Solved)
        return r;
    const Unit unit = commonUnit(c);
    const std::vector<Timed> timed = placed(flows, c.start, &unit);

    // A = sum P / ((1 + f i)(1 + i)^t), advances on the same footing.
    const auto eval = [&timed](Extended i) {
        const Extended growth = 1 + i;
        const Extended v = 1 / growth;
        const Extended oneMinusV = i / growth;
        PowerWalk start(v);
        Extended value = 0;
        Extended periods = 0; // sum of pv x t, for the slope
        Extended odd = 0;     // sum of pv x f / (1 + f i)
        for (const Timed &t : timed) {
            const Extended simple = 1 + t.fraction * i;
            const Extended first = t.amount * start.at(t.whole) / simple;
            const RunSums sums = runSums(
                t.count, v, t.count == 1 ? v : intPower(v, static_cast<std::int32_t>(t.count)), oneMinusV);
            const Extended pv = first * sums.s;
            value += pv;
            periods += first * (static_cast<Extended>(t.whole) * sums.s + sums.k);
            odd += pv * t.fraction / simple;
        }
        return ValueSlope{value, -odd - periods / growth};
    };
    const std::optional<Extended> i = solveRate(eval, guess / unit.perYear());
    if (!i) {
        r.status = AprStatus::NotConverged;
        return r;
    }
    r.unitPeriodRate = *i;
    r.unitsPerYear = unit.perYear();
    r.rate = *i * r.unitsPerYear;
    return r;
}

AprResult euAprc(std::span<const CashFlow> flows, Extended guess)
{
    AprResult r;
    const Checked c = check(flows);
    r.status = c.status;
    if (c.status != AprStatus::Solved)
        return r;
    const std::vector<Timed> timed = placed(flows, c.start, nullptr);

    // sum P (1 + X)^-(m/12 + d/365): month and day factors are powers of two
    // numbers computed once a trial.
    const auto eval = [&timed](Extended x) {
        const Extended log = std::log1pl(x);
        const Extended q = std::exp(-log / 12);
        const Extended oneMinusQ = -std::expm1l(-log / 12);
        PowerWalk start(q);
        const Extended day = std::exp(-log / 365);
        Extended dayPowers[32];
        dayPowers[0] = 1;
        for (int d = 1; d < 32; ++d)
            dayPowers[d] = dayPowers[d - 1] * day;
        Extended value = 0;
        Extended years = 0; // sum of pv x t, for the slope
        for (const Timed &t : timed) {
            const auto d = static_cast<std::size_t>(t.fraction);
            const Extended dayFactor = d < 32 ? dayPowers[d] : std::pow(day, t.fraction);
            const Extended first = t.amount * dayFactor * start.at(t.whole);
            const RunSums sums = runSums(
                t.count, q, t.count == 1 ? q : intPower(q, static_cast<std::int32_t>(t.count)), oneMinusQ);
            const Extended pv = first * sums.s;
            value += pv;
            years += first * (static_cast<Extended>(t.whole) * sums.s + sums.k) / 12 + pv * t.fraction / 365;
        }
        return ValueSlope{value, -years / (1 + x)};
    };
    const std::optional<Extended> x = solveRate(eval, guess);
    if (!x) {
        r.status = AprStatus::NotConverged;
        return r;
    }
    r.unitPeriodRate = *x;
    r.unitsPerYear = 1;
    r.rate = *x;
    return r;
}

} // namespace accrua::calc
