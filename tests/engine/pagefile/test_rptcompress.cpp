#include "engine/pagefile/rptcompress.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using accrua::engine::pagefile::TRptCompress;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

QByteArray randomBytes(qsizetype n, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        out[i] = static_cast<char>(rng.bounded(256));
    return out;
}

// Codes worked out by hand from the starting tree (heap order, node k's
// children 2k+1 and 2k+2): byte c is leaf 256 + c, and its path is the binary
// form of 257 + c without the leading one, sent root first, least
// significant bit of each output byte first.
struct HandCase {
    const char *name;
    QByteArray plain;
    QByteArray coded;
};

class SplayHandComputed : public ::testing::TestWithParam<HandCase> {};

TEST_P(SplayHandComputed, CodesAndDecodesThePinnedBits)
{
    const HandCase &c = GetParam();
    EXPECT_EQ(TRptCompress::codeAll(c.plain).toHex(), c.coded.toHex());
    const auto decoded = TRptCompress::decodeAll(c.coded.constData(), c.coded.size(), c.plain.size());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->toHex(), c.plain.toHex());
}

INSTANTIATE_TEST_SUITE_P(Bits, SplayHandComputed,
                         ::testing::Values(
                             // 0: path 00000001, the one set bit lands in bit 7.
                             HandCase{"zero", bytes({0}), bytes({0x80})},
                             // 'A' (65): 322 = 1 01000010, bits 0 1 0 0 0 0 1 0 -> 0x42.
                             HandCase{"A", QByteArray("A"), bytes({0x42})},
                             // After one 'A' the semi-splay leaves it at right, right, right, left:
                             // bits 1 1 1 0, padded with zeros -> 0x07.
                             HandCase{"AA", QByteArray("AA"), bytes({0x42, 0x07})},
                             // 255 hangs one level deeper beside the spare leaf: nine zero bits.
                             HandCase{"byte255", bytes({255}), bytes({0x00, 0x00})}),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

struct RoundTrip {
    const char *name;
    QByteArray plain;
};

class SplayRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SplayRoundTrip, DecodesExactlyWhatWasCoded)
{
    const QByteArray &plain = GetParam().plain;
    const QByteArray coded = TRptCompress::codeAll(plain);
    qint64 consumed = -1;
    const auto decoded = TRptCompress::decodeAll(coded.constData(), coded.size(), plain.size(), &consumed);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(*decoded == plain);
    EXPECT_EQ(consumed, coded.size()); // the padding bits of the last byte are never read as a byte
}

TEST_P(SplayRoundTrip, CodingInPiecesGivesTheSameBits)
{
    const QByteArray &plain = GetParam().plain;
    TRptCompress coder;
    QByteArray coded;
    for (qsizetype i = 0; i < plain.size(); i += 37)
        coder.code(plain.constData() + i, qMin<qsizetype>(37, plain.size() - i), coded);
    coder.finish(coded);
    EXPECT_TRUE(coded == TRptCompress::codeAll(plain));
}

INSTANTIATE_TEST_SUITE_P(
    Data, SplayRoundTrip,
    ::testing::Values(RoundTrip{"empty", QByteArray()}, RoundTrip{"one_byte", QByteArray("x")},
                      RoundTrip{"repeated_zero", QByteArray(5000, '\0')},
                      RoundTrip{"repeated_ff", QByteArray(777, '\xff')},
                      RoundTrip{"repeated_a", QByteArray(4096, 'a')},
                      RoundTrip{"text", QByteArray("Amortization Schedule  PMT DATE PAYMENT AMOUNT "
                                                   "PRINCIPAL INTEREST BALANCE\n")
                                            .repeated(50)},
                      RoundTrip{"random", randomBytes(65536, 7)},
                      RoundTrip{"every_value",
                                [] {
                                    QByteArray all;
                                    for (int r = 0; r < 3; ++r)
                                        for (int v = 0; v < 256; ++v)
                                            all.append(static_cast<char>(r == 1 ? 255 - v : v));
                                    return all;
                                }()}),
    [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

TEST(SplayCoder, RepeatedByteShrinksAndPadsTheLastByteWithZeros)
{
    // Once splayed next to the root a repeated byte costs few bits, so the
    // length says where decoding stops, not the padding.
    const QByteArray plain(1001, 'Q');
    const QByteArray coded = TRptCompress::codeAll(plain);
    EXPECT_LT(coded.size(), plain.size() / 2);
    const auto exact = TRptCompress::decodeAll(coded.constData(), coded.size(), plain.size());
    ASSERT_TRUE(exact.has_value());
    EXPECT_TRUE(*exact == plain);
    const auto fewer = TRptCompress::decodeAll(coded.constData(), coded.size(), 10);
    ASSERT_TRUE(fewer.has_value());
    EXPECT_TRUE(*fewer == plain.left(10));
}

TEST(SplayCoder, RefusesLengthsTheInputCannotHold)
{
    const QByteArray coded = TRptCompress::codeAll(randomBytes(100, 3));
    // More than 8 bytes per coded byte is impossible: refused before any allocation.
    EXPECT_FALSE(TRptCompress::decodeAll(coded.constData(), coded.size(), coded.size() * 8 + 1));
    EXPECT_FALSE(TRptCompress::decodeAll(coded.constData(), coded.size(), -1));
    // Within the bound but more than the bits hold: the input runs out.
    qint64 consumed = 0;
    EXPECT_FALSE(TRptCompress::decodeAll(coded.constData(), coded.size(), 101, &consumed));
    EXPECT_EQ(consumed, coded.size());
    EXPECT_FALSE(TRptCompress::decodeAll(coded.constData(), coded.size() - 1, 100));
}

} // namespace
