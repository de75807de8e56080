// Record numbers, field constants and little-endian helpers shared by the
// metafile writer and player. Offsets within records are spelled out at the
// point of use, next to the code that reads or writes them.
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace accrua::engine::emf::records {

enum Record : quint32 {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_SETBRUSHORGEX = 13,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPPERFLAGS = 16,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETROP2 = 20,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SCALEVIEWPORTEXTEX = 31,
    EMR_SCALEWINDOWEXTEX = 32,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_CREATEPALETTE = 49,
    EMR_LINETO = 54,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_CLOSEFIGURE = 61,
    EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63,
    EMR_STROKEPATH = 64,
    EMR_ABORTPATH = 68,
    EMR_GDICOMMENT = 70,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_SETDIBITSTODEVICE = 80,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
};

constexpr quint32 kSignature = 0x464D4520; // " EMF"
// A private comment holding the JPEG file of the bitmap record after it.
constexpr char kJpegComment[4] = {'A', 'C', 'J', 'P'};
constexpr quint32 kVersion = 0x00010000;
constexpr quint32 kHeaderBaseSize = 88;  // header without extensions
constexpr quint32 kHeaderFullSize = 108; // with pixel format and micrometres
constexpr quint32 kFontRecordSize = 332; // 12 + LOGFONTW padded as LogFontPanose
constexpr quint32 kLogFontSize = 92;

constexpr quint32 MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
                  MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
constexpr quint32 TRANSPARENT = 1, OPAQUE = 2;
constexpr quint32 TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr quint32 ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_GLYPH_INDEX = 0x10, ETO_PDY = 0x2000;
constexpr quint32 PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
                  PS_INSIDEFRAME = 6, PS_STYLE_MASK = 0xF, PS_GEOMETRIC = 0x10000;
constexpr quint32 BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;
constexpr quint32 SRCCOPY = 0x00CC0020, PATCOPY = 0x00F00021, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;
constexpr quint32 DIB_RGB_COLORS = 0;
constexpr quint32 BI_RGB = 0, BI_BITFIELDS = 3;
constexpr quint32 MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4;
constexpr quint32 RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
constexpr quint32 ALTERNATE = 1, WINDING = 2;

// Stock objects carry the high bit; the rest is the stock number.
constexpr quint32 kStockFlag = 0x80000000;
constexpr quint32 WHITE_BRUSH = 0x80000000, LTGRAY_BRUSH = 0x80000001, GRAY_BRUSH = 0x80000002,
                  DKGRAY_BRUSH = 0x80000003, BLACK_BRUSH = 0x80000004, NULL_BRUSH = 0x80000005,
                  WHITE_PEN = 0x80000006, BLACK_PEN = 0x80000007, NULL_PEN = 0x80000008,
                  DC_BRUSH = 0x80000012, DC_PEN = 0x80000013;

inline quint32 colorRef(quint8 r, quint8 g, quint8 b)
{
    return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16);
}

// Reads fixed-size little-endian fields from a span already checked by the
// caller; every read is also bounds-checked and yields 0 past the end.
class Reader {
public:
    Reader(const uchar *data, qint64 size) : m_data(data), m_size(size) {}
    bool has(qint64 offset, qint64 bytes) const
    {
        return offset >= 0 && bytes >= 0 && offset <= m_size && bytes <= m_size - offset;
    }
    quint32 u32(qint64 offset) const
    {
        if (!has(offset, 4))
            return 0;
        const uchar *p = m_data + offset;
        return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    }
    qint32 i32(qint64 offset) const { return qint32(u32(offset)); }
    quint16 u16(qint64 offset) const
    {
        if (!has(offset, 2))
            return 0;
        return quint16(m_data[offset] | (m_data[offset + 1] << 8));
    }
    qint16 i16(qint64 offset) const { return qint16(u16(offset)); }
    quint8 u8(qint64 offset) const { return has(offset, 1) ? m_data[offset] : 0; }
    float f32(qint64 offset) const
    {
        const quint32 bits = u32(offset);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    const uchar *data() const { return m_data; }
    qint64 size() const { return m_size; }

private:
    const uchar *m_data;
    qint64 m_size;
};

// One store on little-endian machines, not four.
inline void storeU32(char *p, quint32 v)
{
    qToLittleEndian(v, p);
}

// A metafile being written: the bytes so far, in a buffer grown ahead by
// doubling so that appending a field costs a store, not a resize.
struct Sink {
    QByteArray bytes; // size() is the capacity; `size` bytes are written
    qsizetype size = 0;

    char *grow(qsizetype n)
    {
        if (bytes.size() - size < n)
            bytes.resize(std::max<qsizetype>({size + n, bytes.size() * 2, 4096}));
        char *p = bytes.data() + size;
        size += n;
        return p;
    }
};

// Appends little-endian fields to a sink.
class Writer {
public:
    explicit Writer(Sink &out) : m_out(out) {}
    void u32(quint32 v) { storeU32(m_out.grow(4), v); }
    void i32(qint32 v) { u32(quint32(v)); }
    void u16(quint16 v)
    {
        char *p = m_out.grow(2);
        p[0] = char(v & 0xFF);
        p[1] = char((v >> 8) & 0xFF);
    }
    void u8(quint8 v) { *m_out.grow(1) = char(v); }
    void f32(float f)
    {
        quint32 bits;
        std::memcpy(&bits, &f, sizeof bits);
        u32(bits);
    }
    void zeros(qsizetype n)
    {
        if (n > 0)
            std::memset(m_out.grow(n), 0, size_t(n));
    }
    void bytes(const char *data, qsizetype n)
    {
        if (n > 0)
            std::memcpy(m_out.grow(n), data, size_t(n));
    }
    void pad4() { zeros((4 - m_out.size % 4) % 4); }
    qsizetype size() const { return m_out.size; }

private:
    Sink &m_out;
};

inline void patchU32(Sink &sink, qsizetype offset, quint32 v)
{
    storeU32(sink.bytes.data() + offset, v);
}

inline void patchU32(QByteArray &buf, qsizetype offset, quint32 v)
{
    storeU32(buf.data() + offset, v);
}

} // namespace accrua::engine::emf::records
