// The pieces a PDF file is made of: numbers as PDF writes them, text
// strings, deflated streams, JPEG frames a DCT filter takes, and numbered
// objects with their offsets for the cross-reference table.
#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

struct libdeflate_compressor;

namespace accrua::engine::pdf {

// Page content goes into a std::string: QByteArray appends a few bytes
// through its general insert, and a page appends hundreds of thousands.
using Content = std::string;

// A number with at most `decimals` decimals (up to 6) and no trailing
// zeros, written at p (32 bytes are enough); returns the end.
char *writeNumber(char *p, double v, int decimals);

template <class Buffer> void appendNumber(Buffer &out, double v, int decimals = 2)
{
    char buf[32];
    out.append(buf, writeNumber(buf, v, decimals) - buf);
}

template <class Buffer> void appendInt(Buffer &out, long long v)
{
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr - buf);
}

void appendColor(Content &out, QRgb c, const char *op);

// Text outside plain ASCII goes as UTF-16 with its byte order mark.
void appendTextString(QByteArray &out, const QString &s);

// libdeflate: the same zlib streams as zlib's, smaller at a given level and
// made in about half the time, which a long report's content streams feel.
struct Compressor {
    libdeflate_compressor *c;
    Compressor();
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;
    ~Compressor();
};

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
    Compressor compressor;

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
    // A stream object: `dict` holds its entries other than the length and filter.
    void stream(int object, const char *data, qsizetype length, const QByteArray &dict = {})
    {
        rawStream(object, deflated(compressor, data, length), " /Filter /FlateDecode" + dict);
    }
    // A stream written as it is; `dict` holds its entries but the length.
    void rawStream(int object, const QByteArray &packed, const QByteArray &dict)
    {
        begin(object);
        out.append("<< /Length ");
        appendInt(out, packed.size());
        out.append(dict);
        out.append(" >>\nstream\n");
        out.append(packed);
        out.append("\nendstream");
        end();
    }
};

} // namespace accrua::engine::pdf
