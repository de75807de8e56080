#include "engine/pdf/truetype.h"

#include "engine/fonts/bigendian.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace accrua::engine::pdf {

namespace {

using fonts::i16;
using fonts::u16;
using fonts::u32;

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToBigEndian<quint32>(v, b);
    out.append(b, 4);
}

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToBigEndian<quint16>(v, b);
    out.append(b, 2);
}

quint32 checksum(const QByteArray &table)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < table.size(); i += 4) {
        quint32 word = 0;
        for (qsizetype k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < table.size() ? quint8(table[i + k]) : 0);
        sum += word;
    }
    return sum;
}

// The PostScript name (name 6), from the Windows or the Macintosh record.
QString psNameOf(const QByteArray &name)
{
    const int count = u16(name, 2);
    const int strings = u16(name, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype rec = 6 + qsizetype(i) * 12;
        const int platform = u16(name, rec);
        const int id = u16(name, rec + 6);
        const int length = u16(name, rec + 8);
        const qsizetype at = qsizetype(strings) + u16(name, rec + 10);
        if (id != 6 || at + length > name.size())
            continue;
        QString s;
        if (platform == 3) {
            for (int k = 0; k + 1 < length; k += 2)
                s.append(QChar(u16(name, at + k)));
        } else if (platform == 1) {
            s = QString::fromLatin1(name.constData() + at, length);
        }
        // Only what a PDF name may hold without escapes.
        QString clean;
        for (QChar c : s)
            if (c.unicode() > 32 && c.unicode() < 127 && !QStringLiteral("[](){}<>/%#").contains(c))
                clean.append(c);
        if (!clean.isEmpty())
            return clean;
    }
    return {};
}

} // namespace

std::optional<TrueTypeFace> TrueTypeFace::load(const std::function<QByteArray(const char *)> &tables)
{
    TrueTypeFace f;
    f.m_head = tables("head");
    f.m_hhea = tables("hhea");
    f.m_maxp = tables("maxp");
    f.m_hmtx = tables("hmtx");
    f.m_loca = tables("loca");
    f.m_glyf = tables("glyf");
    f.m_cvt = tables("cvt ");
    f.m_fpgm = tables("fpgm");
    f.m_prep = tables("prep");
    if (f.m_head.size() < 54 || f.m_hhea.size() < 36 || f.m_maxp.size() < 6 || f.m_glyf.isEmpty())
        return std::nullopt;
    f.m_unitsPerEm = u16(f.m_head, 18);
    f.m_longLoca = i16(f.m_head, 50) == 1;
    f.m_glyphCount = u16(f.m_maxp, 4);
    f.m_hMetrics = u16(f.m_hhea, 34);
    if (f.m_unitsPerEm < 16 || f.m_unitsPerEm > 16384 || f.m_glyphCount == 0 || f.m_hMetrics == 0 ||
        f.m_hmtx.size() < qsizetype(f.m_hMetrics) * 4 ||
        f.m_loca.size() < (qsizetype(f.m_glyphCount) + 1) * (f.m_longLoca ? 4 : 2))
        return std::nullopt;
    for (int i = 0; i < 4; ++i)
        f.m_bbox[i] = i16(f.m_head, 36 + i * 2);
    f.m_ascent = i16(f.m_hhea, 4);
    f.m_descent = i16(f.m_hhea, 6);
    const QByteArray os2 = tables("OS/2");
    f.m_capHeight = u16(os2, 0) >= 2 ? i16(os2, 88) : f.m_ascent;
    const QByteArray post = tables("post");
    f.m_italicAngle = qint32(u32(post, 4)) / 65536.0;
    f.m_fixedPitch = u32(post, 12) != 0;
    f.m_psName = psNameOf(tables("name"));
    return f;
}

double TrueTypeFace::advance(quint32 glyph) const
{
    const quint32 i = std::min<quint32>(glyph, quint32(m_hMetrics) - 1);
    return scaled(u16(m_hmtx, qsizetype(i) * 4));
}

std::vector<double> TrueTypeFace::boundingBox() const
{
    return {scaled(m_bbox[0]), scaled(m_bbox[1]), scaled(m_bbox[2]), scaled(m_bbox[3])};
}

bool TrueTypeFace::glyphSpan(quint32 glyph, quint32 &start, quint32 &end) const
{
    if (glyph >= quint32(m_glyphCount))
        return false;
    if (m_longLoca) {
        start = u32(m_loca, qsizetype(glyph) * 4);
        end = u32(m_loca, qsizetype(glyph) * 4 + 4);
    } else {
        start = quint32(u16(m_loca, qsizetype(glyph) * 2)) * 2;
        end = quint32(u16(m_loca, qsizetype(glyph) * 2 + 2)) * 2;
    }
    return start <= end && end <= quint32(m_glyf.size());
}

QByteArray TrueTypeFace::subset(const std::vector<bool> &usedIn) const
{
    std::vector<bool> used(size_t(m_glyphCount), false);
    for (size_t g = 0; g < usedIn.size() && g < used.size(); ++g)
        used[g] = usedIn[g];
    used[0] = true; // .notdef
    // Composite glyphs bring their components, which may be composite too.
    std::vector<quint32> pending;
    for (quint32 g = 0; g < quint32(m_glyphCount); ++g)
        if (used[g])
            pending.push_back(g);
    while (!pending.empty()) {
        const quint32 g = pending.back();
        pending.pop_back();
        quint32 start = 0, end = 0;
        if (!glyphSpan(g, start, end) || end - start < 10 || i16(m_glyf, start) >= 0)
            continue;
        qsizetype at = qsizetype(start) + 10;
        for (int guard = 0; guard < 1024 && at + 4 <= qsizetype(end); ++guard) {
            const quint16 flags = u16(m_glyf, at);
            const quint16 component = u16(m_glyf, at + 2);
            if (component < m_glyphCount && !used[component]) {
                used[component] = true;
                pending.push_back(component);
            }
            at += 4 + ((flags & 0x1) ? 4 : 2);
            if (flags & 0x8)
                at += 2;
            else if (flags & 0x40)
                at += 4;
            else if (flags & 0x80)
                at += 8;
            if (!(flags & 0x20))
                break;
        }
    }

    QByteArray glyf, loca;
    loca.reserve((qsizetype(m_glyphCount) + 1) * 4);
    for (quint32 g = 0; g < quint32(m_glyphCount); ++g) {
        put32(loca, quint32(glyf.size()));
        quint32 start = 0, end = 0;
        if (used[g] && glyphSpan(g, start, end)) {
            glyf.append(m_glyf.constData() + start, end - start);
            while (glyf.size() % 4)
                glyf.append('\0');
        }
    }
    put32(loca, quint32(glyf.size()));
    // Advances of unused glyphs are never looked at: zeros pack well.
    QByteArray hmtx = m_hmtx;
    for (quint32 g = 0; g < quint32(m_hMetrics); ++g)
        if (!used[g])
            std::fill_n(hmtx.data() + qsizetype(g) * 4, 4, '\0');
    QByteArray head = m_head;
    std::fill_n(head.data() + 8, 4, '\0'); // checkSumAdjustment
    head[50] = 0;                          // long offsets
    head[51] = 1;

    struct Table {
        const char *tag;
        const QByteArray *data;
    };
    std::array<Table, 9> all{{{"cvt ", &m_cvt},
                              {"fpgm", &m_fpgm},
                              {"glyf", &glyf},
                              {"head", &head},
                              {"hhea", &m_hhea},
                              {"hmtx", &hmtx},
                              {"loca", &loca},
                              {"maxp", &m_maxp},
                              {"prep", &m_prep}}};
    std::vector<Table> present;
    for (const Table &t : all)
        if (!t.data->isEmpty())
            present.push_back(t);
    const auto n = quint16(present.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log2;
    }
    QByteArray out;
    put32(out, 0x00010000);
    put16(out, n);
    put16(out, quint16(power * 16));
    put16(out, log2);
    put16(out, quint16(n * 16 - power * 16));
    quint32 offset = 12 + 16 * quint32(n);
    for (const Table &t : present) {
        out.append(t.tag, 4);
        put32(out, checksum(*t.data));
        put32(out, offset);
        put32(out, quint32(t.data->size()));
        offset += (quint32(t.data->size()) + 3) & ~3u;
    }
    for (const Table &t : present) {
        out.append(*t.data);
        while (out.size() % 4)
            out.append('\0');
    }
    return out;
}

} // namespace accrua::engine::pdf
