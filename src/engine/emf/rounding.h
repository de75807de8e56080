// Rounding of page coordinates in the writer's hot paths, where a call into
// the maths library for every character of every line shows.
#pragma once

#include <QtGlobal>

namespace accrua::engine::emf {

// std::round (halves away from zero) as an integer, for |v| < 2^62; outside
// that range, and for NaN, the result is unspecified, so callers bound v first.
inline qint64 roundHalfAway(double v)
{
    const qint64 t = qint64(v); // towards zero
    // Exact: the fraction of a double is representable.
    const double fraction = v - double(t);
    return t + qint64(fraction >= 0.5) - qint64(fraction <= -0.5);
}

} // namespace accrua::engine::emf
