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
    if (fraction >= 0.5)
        return t + 1;
    if (fraction <= -0.5)
        return t - 1;
    return t;
}

} // namespace accrua::engine::emf
