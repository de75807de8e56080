// Rounding of page coordinates in the writer's hot paths, where a call into
// the maths library for every character of every line shows.
#pragma once

#include <QtGlobal>

#include <cmath>

namespace accrua::engine::emf {

// std::round (halves away from zero) as an integer, for |v| < 2^62; outside
// that range, and for NaN, the result is unspecified, so callers bound v first.
// Adding the double just below one half and cutting the fraction off gives
// exactly that: below a half the sum stays under the next integer, from a
// half on it reaches it, and past 2^52 every double is whole already.
inline qint64 roundHalfAway(double v)
{
    constexpr double kJustBelowHalf = 0.5 - 0x1p-54;
    return qint64(v + std::copysign(kJustBelowHalf, v));
}

} // namespace accrua::engine::emf
