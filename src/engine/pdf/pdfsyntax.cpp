#include "engine/pdf/pdfsyntax.h"

#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace accrua::engine::pdf {

namespace {

// Level 1: content streams of repeated operators shrink nearly as well as at
// level 3 in two thirds of the time.
constexpr uint32_t kDeflateLevel = 1;

// ISA-L's vector code returns with the upper halves of the AVX registers in
// use; every SSE instruction after it, the page arithmetic's and memcpy's,
// then paid for the transition (perf: a fifth of a batch). Called after each
// call into it.
void leaveVectorCode()
{
    if (__builtin_cpu_supports("avx"))
        asm volatile("vzeroupper" ::: "memory");
}

} // namespace

void Content::grow(size_t n)
{
    const size_t capacity = std::max({m_capacity * 2, m_size + n, size_t(4096)});
    auto bigger = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_size > 0)
        std::memcpy(bigger.get(), m_data.get(), m_size);
    m_data = std::move(bigger);
    m_capacity = capacity;
}

char *writeScaled(char *p, long long scaled, int decimals)
{
    switch (decimals) {
    case 0:
        return writeFixed<0>(p, scaled);
    case 1:
        return writeFixed<1>(p, scaled);
    case 2:
        return writeFixed<2>(p, scaled);
    case 3:
        return writeFixed<3>(p, scaled);
    case 4:
        return writeFixed<4>(p, scaled);
    case 5:
        return writeFixed<5>(p, scaled);
    default:
        return writeFixed<6>(p, scaled);
    }
}

char *writeNumber(char *p, double v, int decimals)
{
    static constexpr double kScale[] = {1, 10, 100, 1000, 1e4, 1e5, 1e6};
    return writeScaled(p, scaledToInt(v, kScale[decimals]), decimals);
}

void appendColor(Content &out, QRgb c, const char *op)
{
    // The 256 levels of a channel as written, followed by a space.
    struct Level {
        std::array<char, 8> text;
        size_t length;
    };
    static const std::array<Level, 256> kLevels = [] {
        std::array<Level, 256> levels{};
        for (size_t v = 0; v < levels.size(); ++v) {
            Level &l = levels[v];
            char *end = writeNumber(l.text.data(), double(v) / 255.0, 3);
            *end++ = ' ';
            l.length = size_t(end - l.text.data());
        }
        return levels;
    }();
    for (int v : {qRed(c), qGreen(c), qBlue(c)}) {
        const Level &l = kLevels[size_t(v)];
        out.append(l.text.data(), l.length);
    }
    out.append(op, std::strlen(op));
    out.push_back('\n');
}

void appendTextString(QByteArray &out, const QString &s)
{
    out.append("<FEFF");
    out.append(QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2).toHex());
    // toHex of the native (little-endian) units is swapped back below.
    for (qsizetype i = out.size() - s.size() * 4; i < out.size(); i += 4) {
        std::swap(out[i], out[i + 2]);
        std::swap(out[i + 1], out[i + 3]);
    }
    out.append('>');
}

DeflateCode::DeflateCode(const Count *lengths, size_t lengthCount, const Count *distances,
                         size_t distanceCount)
    : m_tables(std::make_unique<isal_hufftables>())
{
    isal_huff_histogram histogram{};
    for (size_t i = 0; i < lengthCount; ++i)
        if (lengths[i].symbol < ISAL_DEF_LIT_LEN_SYMBOLS)
            histogram.lit_len_histogram[lengths[i].symbol] = lengths[i].count;
    for (size_t i = 0; i < distanceCount; ++i)
        if (distances[i].symbol < ISAL_DEF_DIST_SYMBOLS)
            histogram.dist_histogram[distances[i].symbol] = distances[i].count;
    isal_create_hufftables(m_tables.get(), &histogram);
    leaveVectorCode();
}

const DeflateCode &DeflateCode::pageContent()
{
    // The symbols isal_update_histogram counts on the fourth page of a
    // 360-payment amortization report: moves, one-byte glyph codes of digits
    // and punctuation, and the repeats between rows.
    static constexpr Count kLengths[] = {
        {3, 2},    {10, 13},  {15, 35},  {17, 78},  {18, 2},   {19, 46},  {20, 48},  {21, 54},  {22, 52},
        {23, 53},  {24, 44},  {25, 45},  {26, 38},  {27, 40},  {28, 41},  {32, 21},  {36, 3},   {37, 1},
        {38, 2},   {39, 1},   {40, 27},  {41, 17},  {44, 3},   {45, 16},  {46, 15},  {47, 6},   {48, 37},
        {49, 41},  {50, 44},  {51, 22},  {52, 32},  {53, 30},  {54, 24},  {55, 23},  {56, 17},  {57, 22},
        {60, 1},   {66, 2},   {68, 1},   {69, 2},   {70, 3},   {71, 1},   {72, 1},   {74, 2},   {82, 1},
        {84, 12},  {91, 3},   {92, 2},   {93, 6},   {99, 1},   {100, 2},  {101, 1},  {102, 2},  {103, 3},
        {106, 1},  {109, 2},  {114, 4},  {119, 1},  {256, 1},  {258, 82}, {259, 83}, {260, 61}, {261, 39},
        {262, 26}, {263, 17}, {264, 15}, {265, 22}, {266, 30}, {267, 7},  {268, 10}, {269, 50}, {270, 29},
        {271, 13}, {272, 1},  {273, 12}, {274, 26}, {276, 2},  {277, 5},  {284, 3}};
    static constexpr Count kDistances[] = {{3, 1},   {4, 2},   {5, 1},   {6, 2},   {7, 7},   {8, 12},
                                           {9, 3},   {10, 14}, {11, 12}, {12, 20}, {13, 19}, {14, 140},
                                           {15, 30}, {16, 44}, {17, 29}, {18, 37}, {19, 26}, {20, 37},
                                           {21, 26}, {22, 42}, {23, 8},  {24, 13}, {25, 8}};
    static const DeflateCode code(kLengths, std::size(kLengths), kDistances, std::size(kDistances));
    return code;
}

DeflateCode::~DeflateCode() = default;

Compressor::Compressor() : m_levelBuffer(ISAL_DEF_LVL1_DEFAULT), m_stream(std::make_unique<isal_zstream>()) {}

Compressor::~Compressor() = default;

size_t Compressor::compress(const char *data, size_t length, std::vector<char> &out, const DeflateCode *code)
{
    // The stream's counts are 32-bit: the input goes in pieces below that.
    constexpr size_t kPiece = size_t(1) << 30;
    isal_zstream &s = *m_stream;
    isal_deflate_init(&s);
    if (code) {
        s.level = 0;
        s.hufftables = code->m_tables.get();
    } else {
        s.level = kDeflateLevel;
        s.level_buf = m_levelBuffer.data();
        s.level_buf_size = uint32_t(m_levelBuffer.size());
    }
    s.gzip_flag = IGZIP_ZLIB;
    s.flush = NO_FLUSH;
    size_t fed = 0, written = 0;
    // Stored blocks at worst, with the zlib header and checksum; grown
    // whenever a call could not go on for want of room.
    out.resize(std::max(out.size(), length + length / 64 + 64));
    for (;;) {
        if (s.avail_in == 0 && fed < length) {
            const size_t piece = std::min(kPiece, length - fed);
            s.next_in = reinterpret_cast<uint8_t *>(const_cast<char *>(data + fed));
            s.avail_in = uint32_t(piece);
            fed += piece;
        }
        s.end_of_stream = fed == length;
        const size_t room = std::min(kPiece, out.size() - written);
        const uint32_t inBefore = s.avail_in;
        s.next_out = reinterpret_cast<uint8_t *>(out.data() + written);
        s.avail_out = uint32_t(room);
        const int r = isal_deflate(&s);
        leaveVectorCode();
        if (r != COMP_OK)
            throw std::runtime_error("a stream could not be compressed");
        written += room - s.avail_out;
        if (s.internal_state.state == ZSTATE_END)
            return written;
        if ((s.avail_out == room && s.avail_in == inBefore) || s.avail_out < 256)
            out.resize(out.size() + out.size() / 2 + 4096);
    }
}

QByteArray deflated(Compressor &compressor, const char *data, qsizetype length)
{
    std::vector<char> out;
    const size_t n = compressor.compress(data, size_t(length), out);
    return QByteArray(out.data(), qsizetype(n));
}

std::optional<JpegFrame> jpegFrame(const QByteArray &jpeg)
{
    const auto byte = [&jpeg](qsizetype at) { return at < jpeg.size() ? int(quint8(jpeg[at])) : -1; };
    if (byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        if (byte(at) != 0xFF)
            return std::nullopt;
        const int marker = byte(at + 1);
        const qsizetype length = (byte(at + 2) << 8) | byte(at + 3);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            if (length < 8 || at + 10 > jpeg.size() || byte(at + 4) != 8)
                return std::nullopt;
            const JpegFrame f{(byte(at + 7) << 8) | byte(at + 8), (byte(at + 5) << 8) | byte(at + 6),
                              byte(at + 9)};
            if (f.width <= 0 || f.height <= 0 || (f.components != 1 && f.components != 3))
                return std::nullopt;
            return f;
        }
        if ((marker >= 0xC3 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) ||
            marker == 0xDA || length < 2)
            return std::nullopt; // other codings, or the scan before any frame
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace accrua::engine::pdf
