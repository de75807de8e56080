#include "engine/fonts/facemetrics.h"

#include "engine/fonts/bigendian.h"

#include <cstdlib>

namespace accrua::engine::fonts {

namespace {

constexpr qint64 kReferencePixels = 2048;

// FreeType's fixed-point steps, so that scaled metrics round as they do there.
qint64 divFix(qint64 a, qint64 b)
{
    return b > 0 ? ((a << 16) + (b >> 1)) / b : 0x7FFFFFFF;
}

qint64 mulFix(qint64 a, qint64 b)
{
    const qint64 c = (std::llabs(a) * std::llabs(b) + 0x8000) >> 16;
    return (a < 0) != (b < 0) ? -c : c;
}

qint64 mulDiv(qint64 a, qint64 b, qint64 c)
{
    const qint64 d = (std::llabs(a) * std::llabs(b) + c / 2) / c;
    return (a < 0) != (b < 0) ? -d : d;
}

// Metrics in 26.6 pixels to ems at the reference size.
double toEm(qint64 v26)
{
    return double(v26) / 64.0 / double(kReferencePixels);
}

// The Unicode subtable FreeType selects: a UCS-4 one first, else any
// Unicode one, the later of equals winning. Offset and format; 0 for none.
std::pair<qint64, int> unicodeSubtable(const QByteArray &cmap)
{
    const int count = u16(cmap, 2);
    auto pick = [&](bool ucs4Only) -> std::pair<qint64, int> {
        for (int i = count - 1; i >= 0; --i) {
            const qint64 rec = 4 + qint64(i) * 8;
            const int platform = u16(cmap, rec), encoding = u16(cmap, rec + 2);
            const qint64 offset = u32(cmap, rec + 4);
            const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
            const bool ucs4 = (platform == 3 && encoding == 10) || (platform == 0 && encoding == 4);
            if (!unicode || (ucs4Only && !ucs4) || offset + 2 > cmap.size())
                continue;
            const int format = u16(cmap, offset);
            if (format == 4 || format == 12)
                return {offset, format};
        }
        return {0, 0};
    };
    const auto ucs4 = pick(true);
    return ucs4.second ? ucs4 : pick(false);
}

} // namespace

std::optional<FaceMetrics> FaceMetrics::load(const FontFile &file)
{
    const QByteArray head = file.table("head"), hhea = file.table("hhea"), maxp = file.table("maxp");
    const QByteArray hmtx = file.table("hmtx"), cmap = file.table("cmap"), os2 = file.table("OS/2");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6 || cmap.size() < 4)
        return std::nullopt;
    const int unitsPerEm = u16(head, 18);
    if (unitsPerEm < 16 || unitsPerEm > 16384)
        return std::nullopt;
    FaceMetrics m;
    const auto [offset, format] = unicodeSubtable(cmap);
    if (!format)
        return std::nullopt;
    const qint64 length = format == 4 ? u16(cmap, offset + 2) : qint64(u32(cmap, offset + 4));
    m.m_cmap = cmap.mid(offset, std::min<qint64>(length, cmap.size() - offset));
    m.m_format = format;

    m.m_glyphCount = u16(maxp, 4);
    const int hMetrics = u16(hhea, 34);
    if (hMetrics < 1 || hmtx.size() < qsizetype(hMetrics) * 4)
        return std::nullopt;
    m.m_advances.resize(size_t(std::max(m.m_glyphCount, hMetrics)));
    for (size_t g = 0; g < m.m_advances.size(); ++g)
        m.m_advances[g] = u16(hmtx, qint64(std::min<size_t>(g, size_t(hMetrics) - 1)) * 4);

    // The face's ascender and descender as FreeType takes them: the
    // typographic ones when the face asks for them, else the horizontal
    // header's, else the typographic, else the Windows ones.
    qint64 ascender = i16(hhea, 4), descender = i16(hhea, 6);
    const bool hasOs2 = os2.size() >= 78;
    if (hasOs2 && (u16(os2, 62) & 128)) {
        ascender = i16(os2, 68);
        descender = i16(os2, 70);
    } else if (ascender == 0 && descender == 0 && hasOs2) {
        ascender = i16(os2, 68);
        descender = i16(os2, 70);
        if (ascender == 0 && descender == 0) {
            ascender = u16(os2, 74);
            descender = -qint64(u16(os2, 76));
        }
    }
    m.m_scale = divFix(kReferencePixels * 64, unitsPerEm);
    qint64 asc = mulFix(ascender, m.m_scale), desc = mulFix(descender, m.m_scale);
    if (u16(head, 16) & 8) { // integer pixel sizes: whole-pixel metrics
        asc = (asc + 32) & ~qint64(63);
        desc = (desc + 32) & ~qint64(63);
    }
    m.m_ascent = toEm(asc);
    m.m_descent = toEm(-desc);
    return m;
}

double FaceMetrics::advanceEm(quint32 glyph) const
{
    if (glyph >= m_advances.size())
        glyph = 0;
    if (m_advances.empty())
        return 0;
    // The linear advance (16.16 pixels) cut to 26.6, as Qt reads it.
    return toEm(mulDiv(m_advances[glyph], m_scale, 64) >> 10);
}

quint32 FaceMetrics::glyph(char32_t cp) const
{
    const quint32 g = mappedGlyph(cp);
    return g < quint32(m_glyphCount) ? g : 0;
}

quint32 FaceMetrics::mappedGlyph(char32_t cp) const
{
    const QByteArray &t = m_cmap;
    if (m_format == 4) {
        if (cp > 0xFFFF)
            return 0;
        const qint64 segments = u16(t, 6) / 2;
        const qint64 ends = 14, starts = ends + segments * 2 + 2, deltas = starts + segments * 2,
                     ranges = deltas + segments * 2;
        qint64 lo = 0, hi = segments - 1;
        while (lo <= hi) { // the first segment whose end is at or above cp
            const qint64 mid = (lo + hi) / 2;
            if (u16(t, ends + mid * 2) < cp)
                lo = mid + 1;
            else
                hi = mid - 1;
        }
        if (lo >= segments || u16(t, starts + lo * 2) > cp)
            return 0;
        const quint16 delta = u16(t, deltas + lo * 2);
        const quint16 range = u16(t, ranges + lo * 2);
        if (range == 0)
            return quint16(cp + delta);
        const qint64 at = ranges + lo * 2 + range + (qint64(cp) - u16(t, starts + lo * 2)) * 2;
        if (at + 2 > t.size())
            return 0;
        const quint16 g = u16(t, at);
        return g == 0 ? 0 : quint16(g + delta);
    }
    if (m_format == 12) {
        const qint64 groups = std::min<qint64>(u32(t, 12), (t.size() - 16) / 12);
        qint64 lo = 0, hi = groups - 1;
        while (lo <= hi) {
            const qint64 mid = (lo + hi) / 2;
            const qint64 g = 16 + mid * 12;
            if (u32(t, g + 4) < cp)
                lo = mid + 1;
            else if (u32(t, g) > cp)
                hi = mid - 1;
            else
                return u32(t, g + 8) + (cp - u32(t, g));
        }
    }
    return 0;
}

} // namespace accrua::engine::fonts
