// The pieces a PDF file is made of: numbers as PDF writes them, text
// strings, deflated streams, JPEG frames a DCT filter takes, and numbered
// objects with their offsets for the cross-reference table.
#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

struct isal_hufftables;
struct isal_zstream;

namespace accrua::engine::pdf {

// Page content: a buffer grown ahead by doubling, written in place. A page
// appends hundreds of thousands of short pieces; neither QByteArray's general
// insert nor std::string's zero-filling resize should run for each.
class Content {
public:
    Content() = default;
    Content(const Content &) = delete;
    Content &operator=(const Content &) = delete;

    const char *data() const { return m_data.get(); }
    size_t size() const { return m_size; }
    void clear() { m_size = 0; }
    // Takes the other's storage (a buffer kept from document to document).
    void swap(Content &other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

    // Room for n more bytes at the end; the caller writes up to n bytes from
    // the pointer returned and then calls setEnd.
    char *tail(size_t n)
    {
        if (n > m_capacity - m_size)
            grow(n);
        return m_data.get() + m_size;
    }
    void setEnd(const char *end) { m_size = size_t(end - m_data.get()); }

    void append(const char *s, size_t n)
    {
        std::memcpy(tail(n), s, n);
        m_size += n;
    }
    template <size_t N> void append(const char (&s)[N]) { append(s, N - 1); }
    void push_back(char c) { *tail(1) = c, ++m_size; }

private:
    void grow(size_t n);

    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// Rounds half away from zero as std::llround does, for |v| < 2^62, without
// the library call: truncation is exact and so is the fraction left over.
inline long long roundedToInt(double v)
{
    auto t = static_cast<long long>(v);
    const double rest = v - static_cast<double>(t);
    if (rest >= 0.5)
        ++t;
    else if (rest <= -0.5)
        --t;
    return t;
}

// round(v * scale) as a whole number, v limited to +-10^9; NaN and the
// infinities are taken as 0.
inline long long scaledToInt(double v, double scale)
{
    constexpr double kLimit = 1e9;
    if (!(std::abs(v) <= kLimit)) // NaN too
        v = std::isfinite(v) ? std::copysign(kLimit, v) : 0;
    return roundedToInt(v * scale);
}

// Towards zero, as std::trunc; NaN and values beyond 2^52 (already whole) as they are.
inline double truncated(double v)
{
    return std::abs(v) < 4.0e15 ? static_cast<double>(static_cast<long long>(v)) : v;
}

// v in decimal at p (20 bytes are enough); returns the end.
inline char *writeUnsigned(char *p, unsigned long long v)
{
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    static constexpr unsigned long long kPowers[20] = {1,
                                                       10,
                                                       100,
                                                       1000,
                                                       10000,
                                                       100000,
                                                       1000000,
                                                       10000000,
                                                       100000000,
                                                       1000000000,
                                                       10000000000,
                                                       100000000000,
                                                       1000000000000,
                                                       10000000000000,
                                                       100000000000000,
                                                       1000000000000000,
                                                       10000000000000000,
                                                       100000000000000000,
                                                       1000000000000000000,
                                                       10000000000000000000ULL};
    // The number of digits from the bit length: log10(2) is about 1233 / 4096.
    const unsigned long long w = v | 1;
    const int t = (64 - std::countl_zero(w)) * 1233 >> 12;
    const int digits = t - (w < kPowers[t] ? 1 : 0) + 1;
    char *const end = p + digits;
    char *q = end;
    while (v >= 100) {
        q -= 2;
        std::memcpy(q, kPairs + (v % 100) * 2, 2);
        v /= 100;
    }
    if (v >= 10) {
        q -= 2;
        std::memcpy(q, kPairs + v * 2, 2);
    } else {
        *--q = char('0' + v);
    }
    return end;
}

// scaled / 10^Decimals with no trailing zeros, written at p (32 bytes are
// enough); returns the end.
template <int Decimals> char *writeFixed(char *p, long long scaled)
{
    static_assert(Decimals >= 0 && Decimals <= 9);
    constexpr unsigned long long kUnit = [] {
        unsigned long long u = 1;
        for (int i = 0; i < Decimals; ++i)
            u *= 10;
        return u;
    }();
    auto u = static_cast<unsigned long long>(scaled);
    if (scaled < 0) {
        *p++ = '-';
        u = 0 - u;
    }
    p = writeUnsigned(p, u / kUnit);
    if constexpr (Decimals > 0) {
        auto fraction = static_cast<unsigned>(u % kUnit);
        if (fraction != 0) {
            int digits = Decimals;
            while (fraction % 10 == 0) {
                fraction /= 10;
                --digits;
            }
            *p = '.';
            for (int i = digits; i > 0; --i) {
                p[i] = char('0' + fraction % 10);
                fraction /= 10;
            }
            p += digits + 1;
        }
    }
    return p;
}

// The same for decimals from 0 to 6.
char *writeScaled(char *p, long long scaled, int decimals);

// Numbers as written, for the few values a page repeats in every row (the
// moves between cells, the shifts between the same pairs of glyphs).
class NumberTexts {
public:
    // value / 10^decimals at p as writeScaled writes it; p has room for 32 bytes.
    char *write(char *p, long long value, int decimals)
    {
        const auto key = static_cast<unsigned long long>(value) * 8 + unsigned(decimals);
        Entry &e = m_entries[(key * 0x9E3779B97F4A7C15ULL) >> 56];
        if (!e.filled || e.key != key) {
            e.length =
                static_cast<unsigned char>(writeScaled(e.text.data(), value, decimals) - e.text.data());
            e.key = key;
            e.filled = true;
        }
        std::memcpy(p, e.text.data(), e.text.size());
        return p + e.length;
    }

private:
    struct Entry {
        unsigned long long key = 0;
        bool filled = false;
        unsigned char length = 0;
        std::array<char, 32> text{};
    };
    std::array<Entry, 256> m_entries;
};

// A number with at most `decimals` decimals (up to 6) and no trailing
// zeros, written at p (32 bytes are enough); returns the end. Values beyond
// 10^9 are written as 10^9: no page coordinate comes near it.
char *writeNumber(char *p, double v, int decimals);

template <class Buffer> void appendNumber(Buffer &out, double v, int decimals = 2)
{
    if constexpr (std::is_same_v<Buffer, Content>) {
        out.setEnd(writeNumber(out.tail(32), v, decimals));
    } else {
        char buf[32];
        out.append(buf, writeNumber(buf, v, decimals) - buf);
    }
}

template <class Buffer> void appendInt(Buffer &out, long long v)
{
    if constexpr (std::is_same_v<Buffer, Content>) {
        out.setEnd(writeFixed<0>(out.tail(32), v));
    } else {
        char buf[24];
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr - buf);
    }
}

void appendColor(Content &out, QRgb c, const char *op);

// Text outside plain ASCII goes as UTF-16 with its byte order mark.
void appendTextString(QByteArray &out, const QString &s);

// A Huffman code made in advance for one kind of data. Streams deflated with
// it skip making a code of their own, a third of a small page's time. Every
// byte and length has a code, so any data deflates with it, only larger the
// less it resembles what the code was made for.
class DeflateCode {
public:
    struct Count {
        quint16 symbol;
        quint32 count;
    };
    // From counts of deflate's literal/length and distance symbols.
    DeflateCode(const Count *lengths, size_t lengthCount, const Count *distances, size_t distanceCount);
    DeflateCode(const DeflateCode &) = delete;
    DeflateCode &operator=(const DeflateCode &) = delete;
    ~DeflateCode();

    // For page content: made from a typical page of a loan report, it
    // deflates report pages within about 1 % of a code made for each page.
    static const DeflateCode &pageContent();

private:
    friend class Compressor;
    std::unique_ptr<isal_hufftables> m_tables;
};

// Intel's ISA-L deflate at its level 1: zlib streams a few per cent larger
// than libdeflate's fastest level made in half its time, which every page of
// a report feels. Its level buffer (about 280 KB) is kept from stream to
// stream.
class Compressor {
public:
    Compressor();
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;
    ~Compressor();
    // The whole of `data` as one zlib stream at the start of `out`, `out`
    // grown as needed; the length written. With a code, ISA-L's fastest
    // level is used with it; without, level 1 makes a code for the stream.
    size_t compress(const char *data, size_t length, std::vector<char> &out,
                    const DeflateCode *code = nullptr);

private:
    std::vector<unsigned char> m_levelBuffer;
    std::unique_ptr<isal_zstream> m_stream;
};

// `data` as one zlib stream.
QByteArray deflated(Compressor &compressor, const char *data, qsizetype length);

// Width, height and components of a baseline or progressive JPEG with 8-bit
// samples in one or three components, as a PDF's DCT filter takes it;
// nothing for any other file. Every length is checked against the data.
struct JpegFrame {
    int width = 0, height = 0, components = 0;
};

std::optional<JpegFrame> jpegFrame(const QByteArray &jpeg);

// The file being written: its bytes and where each numbered object starts.
struct ObjectWriter {
    QByteArray out;
    std::vector<qint64> offsets{0, 0, 0, 0, 0}; // by object number; reserved ones filled later
    Compressor &compressor = threadCompressor();
    std::vector<char> packed; // a stream's deflated bytes, the storage kept from stream to stream

    // One per thread: making one costs as much as deflating a small page.
    static Compressor &threadCompressor()
    {
        thread_local Compressor c;
        return c;
    }

    int reserve()
    {
        offsets.push_back(0);
        return int(offsets.size() - 1);
    }
    void begin(int object)
    {
        offsets[size_t(object)] = out.size();
        appendInt(out, object);
        out.append(" 0 obj\n");
    }
    void end() { out.append("\nendobj\n"); }
    // A stream object: `dict` holds its entries other than the length and
    // filter; `code`, when given, is the Huffman code made for such data.
    void stream(int object, const char *data, qsizetype length, const QByteArray &dict = {},
                const DeflateCode *code = nullptr)
    {
        const size_t n = compressor.compress(data, size_t(length), packed, code);
        writeStream(object, packed.data(), qsizetype(n), " /Filter /FlateDecode", dict);
    }
    // A stream written as it is; `dict` holds its entries but the length.
    void rawStream(int object, const QByteArray &bytes, const QByteArray &dict)
    {
        writeStream(object, bytes.constData(), bytes.size(), "", dict);
    }
    void writeStream(int object, const char *bytes, qsizetype length, const char *filter,
                     const QByteArray &dict)
    {
        begin(object);
        out.append("<< /Length ");
        appendInt(out, length);
        out.append(filter);
        out.append(dict);
        out.append(" >>\nstream\n");
        out.append(bytes, length);
        out.append("\nendstream");
        end();
    }
};

} // namespace accrua::engine::pdf
