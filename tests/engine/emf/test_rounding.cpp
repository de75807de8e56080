#include "engine/emf/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

using accrua::engine::emf::roundHalfAway;

namespace {

// A family of values: start, start + step, ... and each one's neighbours,
// so that every half and the values just beside it are met.
struct Family {
    std::string name;
    double start;
    double step;
    int count;
    friend void PrintTo(const Family &f, std::ostream *os) { *os << f.name; }
};

class RoundHalfAway : public ::testing::TestWithParam<Family> {};

TEST_P(RoundHalfAway, AgreesWithTheLibraryRound)
{
    const Family &f = GetParam();
    for (int k = 0; k < f.count; ++k) {
        const double v = f.start + k * f.step;
        for (const double x : {std::nextafter(v, -INFINITY), v, std::nextafter(v, INFINITY)}) {
            ASSERT_EQ(roundHalfAway(x), static_cast<qint64>(std::round(x))) << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfAway,
                         ::testing::Values(Family{"QuartersAroundZero", -64.0, 0.25, 513},
                                           Family{"TwipsOfPagePixels", -100.0 * 15, 15.0 / 64, 64 * 1400},
                                           Family{"TenthsOfLargeAmounts", -1.0e12, 1.0e11 + 0.1, 21},
                                           Family{"HalvesNearTheLastFraction", -0x1p52 - 0.5, 0x1p50 + 0.5,
                                                  9},
                                           Family{"WholeNumbersPastTheFractions", -0x1p61, 0x1p58, 24}),
                         [](const ::testing::TestParamInfo<Family> &row) { return row.param.name; });

} // namespace
