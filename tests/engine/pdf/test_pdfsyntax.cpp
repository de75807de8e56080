// Numbers in page content: written as printf and llround would write them,
// rounded half away from zero to the decimals asked for, trailing zeros
// dropped, over whole families of values. Deflated streams that inflate to
// what went in.
#include "engine/pdf/pdfsyntax.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace accrua::engine::pdf;

namespace {

// The plain way: round the scaled value, print it whole, put the point in.
std::string reference(double v, int decimals)
{
    if (!std::isfinite(v))
        v = 0;
    v = std::min(std::max(v, -1e9), 1e9);
    const long long scaled = std::llround(v * std::pow(10.0, decimals));
    char digits[40];
    std::snprintf(digits, sizeof digits, "%0*lld", decimals + 1, scaled < 0 ? -scaled : scaled);
    std::string s(digits);
    s.insert(s.size() - size_t(decimals), ".");
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return (scaled < 0 ? "-" : "") + s;
}

struct NumberCase {
    const char *name;
    std::function<std::vector<double>()> values;
};

class NumberWriting : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberWriting, MatchesRoundingAndPrinting)
{
    const std::vector<double> values = GetParam().values();
    ASSERT_FALSE(values.empty());
    for (double v : values)
        for (int decimals = 0; decimals <= 6; ++decimals) {
            char buf[32];
            const std::string written(buf, writeNumber(buf, v, decimals));
            ASSERT_EQ(written, reference(v, decimals)) << v << " to " << decimals << " decimals";
        }
}

std::vector<double> randomValues(double span, int count)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> d(-span, span);
    std::vector<double> v(static_cast<size_t>(count));
    for (double &x : v)
        x = d(random);
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberWriting,
    testing::Values(NumberCase{"OnAPage", [] { return randomValues(20000, 20000); }},
                    NumberCase{"BelowOne", [] { return randomValues(1, 20000); }},
                    NumberCase{"HalfwayBetweenSteps",
                               [] {
                                   std::vector<double> v;
                                   for (int k = -2000; k <= 2000; ++k)
                                       v.push_back((k + 0.5) / 64); // exact halves at several decimals
                                   return v;
                               }},
                    NumberCase{"AroundPowersOfTen",
                               [] {
                                   std::vector<double> v;
                                   for (int e = 0; e <= 9; ++e) {
                                       const double p = std::pow(10.0, e);
                                       for (double d : {-1e-6, -4e-7, 0.0, 4e-7, 1e-6, 0.5, -0.5})
                                           v.insert(v.end(), {p + d, -(p + d), p - 1 + d});
                                   }
                                   return v;
                               }},
                    NumberCase{"BeyondTheLimitOrNotFinite",
                               [] {
                                   return std::vector<double>{1e9 + 0.4,
                                                              -3e12,
                                                              1e300,
                                                              -0.0,
                                                              std::numeric_limits<double>::infinity(),
                                                              -std::numeric_limits<double>::infinity(),
                                                              std::numeric_limits<double>::quiet_NaN()};
                               }}),
    [](const testing::TestParamInfo<NumberCase> &param) { return std::string(param.param.name); });

// Deflated streams, with or without a code made in advance, inflate to what
// went in, whatever the input, into a buffer that starts with no room.
struct DeflateCase {
    const char *name;
    std::function<std::string()> input;
};

class Deflating : public testing::TestWithParam<DeflateCase> {};

TEST_P(Deflating, InflatesToTheInput)
{
    const std::string in = GetParam().input();
    Compressor compressor;
    for (const DeflateCode *code : {static_cast<const DeflateCode *>(nullptr), &DeflateCode::pageContent()}) {
        std::vector<char> out;
        const size_t n = compressor.compress(in.data(), in.size(), out, code);
        ASSERT_LE(n, out.size());
        // qUncompress takes the length first, big-endian, then the zlib stream.
        QByteArray framed(4, '\0');
        for (int i = 0; i < 4; ++i)
            framed[i] = char(in.size() >> (24 - 8 * i) & 0xFF);
        framed.append(out.data(), qsizetype(n));
        EXPECT_EQ(qUncompress(framed).toStdString(), in) << (code ? "with a code" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Deflating,
    testing::Values(DeflateCase{"Empty", [] { return std::string(); }},
                    DeflateCase{"PageContent",
                                [] {
                                    std::string s;
                                    for (int row = 0; row < 400; ++row)
                                        s += "74880 0 Td(" + std::to_string(row * 1234567) + ")Tj\n";
                                    return s;
                                }},
                    DeflateCase{"Incompressible",
                                [] {
                                    std::mt19937 random(7);
                                    std::string s(300000, '\0');
                                    for (char &c : s)
                                        c = char(random());
                                    return s;
                                }},
                    DeflateCase{"LongAndRepetitive", [] { return std::string(5000000, 'a'); }}),
    [](const testing::TestParamInfo<DeflateCase> &p) { return std::string(p.param.name); });

} // namespace
