#include "engine/emf/decoder.h"
#include "engine/emf/mapping.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace accrua::engine::emf {

using namespace records;

QString recordFault(quint32 type, qint64 offset, const QString &what)
{
    return QStringLiteral("record %1 at offset %2: %3").arg(type).arg(offset).arg(what);
}

std::optional<QString> checkChain(const QByteArray &emf, const EmfInfo &info)
{
    const Reader all(reinterpret_cast<const uchar *>(emf.constData()), info.bytes);
    const qint64 end = info.bytes;
    qint64 off = all.u32(4);
    for (quint64 count = 1; off < end && count < info.records; ++count) {
        if (end - off < 8)
            return QStringLiteral("truncated record at offset %1").arg(off);
        const quint32 type = qFromLittleEndian<quint32>(all.data() + off);
        const quint32 size = qFromLittleEndian<quint32>(all.data() + off + 4);
        if (size < 8 || size % 4 != 0 || size > end - off)
            return recordFault(type, off, QStringLiteral("bad size (%1)").arg(size));
        if (type == EMR_EOF)
            break;
        off += size;
    }
    return std::nullopt;
}

bool atLeast(const Reader &rec, qint64 bytes, QString &why)
{
    if (rec.size() >= bytes)
        return true;
    why = QStringLiteral("record too short (%1 of %2 bytes)").arg(rec.size()).arg(bytes);
    return false;
}

QRectF rectAt(const Reader &rec, qint64 at)
{
    const double l = rec.i32(at), t = rec.i32(at + 4), r = rec.i32(at + 8), b = rec.i32(at + 12);
    return QRectF(QPointF(l, t), QPointF(r, b)).normalized();
}

QTransform MappingState::toDevice(double pxPerMmX, double pxPerMmY) const
{
    return world * emf::pageToDevice(mapMode, winOrg, winExt, vpOrg, vpExt, pxPerMmX, pxPerMmY);
}

bool isMappingRecord(quint32 type)
{
    switch (type) {
    case EMR_SETMAPMODE:
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
        return true;
    default:
        return false;
    }
}

namespace {

void applyWorld(MappingState &s, const Reader &rec, quint32 type)
{
    const double m[6] = {rec.f32(8), rec.f32(12), rec.f32(16), rec.f32(20), rec.f32(24), rec.f32(28)};
    for (double v : m)
        if (!std::isfinite(v) || std::abs(v) > 1e9)
            return;
    const QTransform x(m[0], m[1], m[2], m[3], m[4], m[5]);
    const quint32 mode = type == EMR_SETWORLDTRANSFORM ? MWT_SET : rec.u32(32);
    QTransform next = s.world;
    if (mode == MWT_IDENTITY)
        next = QTransform();
    else if (mode == MWT_LEFTMULTIPLY)
        next = x * s.world;
    else if (mode == MWT_RIGHTMULTIPLY)
        next = s.world * x;
    else if (mode == MWT_SET)
        next = x;
    if (saneTransform(next))
        s.world = next;
}

} // namespace

bool applyMapping(MappingState &s, const EmfRecord &record, QString &why)
{
    const Reader &rec = record.data;
    switch (record.type) {
    case EMR_SETMAPMODE:
        if (!atLeast(rec, 12, why))
            return false;
        if (rec.u32(8) >= MM_TEXT && rec.u32(8) <= MM_ANISOTROPIC)
            s.mapMode = rec.u32(8);
        return true;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX: {
        if (!atLeast(rec, 16, why))
            return false;
        const double cx = rec.i32(8), cy = rec.i32(12);
        if (cx != 0 && cy != 0) // the platform refuses empty extents
            (record.type == EMR_SETWINDOWEXTEX ? s.winExt : s.vpExt) = QSizeF(cx, cy);
        return true;
    }
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
        if (!atLeast(rec, 16, why))
            return false;
        (record.type == EMR_SETWINDOWORGEX ? s.winOrg : s.vpOrg) = QPointF(rec.i32(8), rec.i32(12));
        return true;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: {
        if (!atLeast(rec, 24, why))
            return false;
        const double xn = rec.i32(8), xd = rec.i32(12), yn = rec.i32(16), yd = rec.i32(20);
        if (xd == 0 || yd == 0 || xn == 0 || yn == 0 ||
            (s.mapMode != MM_ISOTROPIC && s.mapMode != MM_ANISOTROPIC))
            return true;
        QSizeF &ext = record.type == EMR_SCALEVIEWPORTEXTEX ? s.vpExt : s.winExt;
        const double cx = std::trunc(ext.width() * xn / xd), cy = std::trunc(ext.height() * yn / yd);
        if (cx != 0 && cy != 0 && std::abs(cx) < 1e9 && std::abs(cy) < 1e9)
            ext = QSizeF(cx, cy);
        return true;
    }
    default: // EMR_SETWORLDTRANSFORM, EMR_MODIFYWORLDTRANSFORM
        if (!atLeast(rec, record.type == EMR_SETWORLDTRANSFORM ? 32 : 36, why))
            return false;
        applyWorld(s, rec, record.type);
        return true;
    }
}

bool restoreLevel(const Reader &rec, qint64 depth, qint64 &level, QString &why)
{
    if (!atLeast(rec, 12, why))
        return false;
    const qint64 n = rec.i32(8);
    level = -1; // unbalanced: the platform ignores it
    if (n < 0 && -n <= depth)
        level = depth + n;
    else if (n > 0 && n <= depth)
        level = n - 1;
    return true;
}

bool isObjectRecord(quint32 type)
{
    switch (type) {
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEPALETTE:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return true;
    default:
        return false;
    }
}

bool decodeObject(const EmfRecord &record, quint32 handles, LogObject &o, QString &why)
{
    const Reader &rec = record.data;
    o = LogObject{};
    switch (record.type) {
    case EMR_CREATEPEN:
        if (!atLeast(rec, 28, why))
            return false;
        o.kind = LogObject::Pen;
        o.pen.style = rec.u32(12) & PS_STYLE_MASK;
        o.pen.width = std::abs(double(rec.i32(16)));
        o.pen.cosmetic = o.pen.width == 0;
        o.pen.color = rec.u32(24);
        break;
    case EMR_EXTCREATEPEN: {
        if (!atLeast(rec, 52, why))
            return false;
        if (52 + quint64(rec.u32(48)) * 4 > quint64(rec.size())) {
            why = QStringLiteral("pen style entries outside the record");
            return false;
        }
        const quint32 style = rec.u32(28);
        o.kind = LogObject::Pen;
        o.pen.style = rec.u32(36) == BS_NULL ? PS_NULL : (style & PS_STYLE_MASK);
        o.pen.cosmetic = !(style & PS_GEOMETRIC);
        o.pen.width = o.pen.cosmetic ? 0 : std::abs(double(rec.i32(32)));
        o.pen.color = rec.u32(40);
        o.pen.endCap = style & 0xF00;
        o.pen.join = style & 0xF000;
        break;
    }
    case EMR_CREATEBRUSHINDIRECT:
        if (!atLeast(rec, 24, why))
            return false;
        o.kind = LogObject::Brush;
        o.brush.style = rec.u32(12);
        o.brush.color = rec.u32(16);
        o.brush.hatch = rec.u32(20);
        if (o.brush.style != BS_SOLID && o.brush.style != BS_NULL && o.brush.style != BS_HATCHED)
            o.brush.style = BS_SOLID;
        break;
    case EMR_EXTCREATEFONTINDIRECTW: {
        if (!atLeast(rec, 12 + kLogFontSize, why))
            return false;
        o.kind = LogObject::Font;
        o.font.height = rec.i32(12);
        o.font.escapement = rec.i32(20);
        o.font.weight = rec.i32(28);
        o.font.italic = rec.u8(32) != 0;
        o.font.underline = rec.u8(33) != 0;
        o.font.strikeOut = rec.u8(34) != 0;
        // Up to 32 UTF-16 units ending at the first nul, inside the record
        // as its size was checked above.
        qsizetype length = 0;
        while (length < 32 && rec.u16(40 + length * 2) != 0)
            ++length;
        if (length > 0) {
            o.font.face = QString(length, Qt::Uninitialized);
            qFromLittleEndian<char16_t>(rec.data() + 40, length, o.font.face.data());
        }
        break;
    }
    default:
        // Palettes and pattern brushes are kept so that selecting and
        // deleting them stay consistent; they do not draw.
        if (!atLeast(rec, 12, why))
            return false;
        break;
    }
    o.index = rec.u32(8);
    if (o.index == 0 || o.index >= handles) {
        why = QStringLiteral("object index %1 outside the table of %2").arg(o.index).arg(handles);
        return false;
    }
    return true;
}

LogObject stockObject(quint32 index)
{
    LogObject o;
    const auto brush = [&o](quint32 style, quint32 color) {
        o.kind = LogObject::Brush;
        o.brush.style = style;
        o.brush.color = color;
    };
    switch (index) {
    case WHITE_BRUSH:
    case DC_BRUSH:
        brush(BS_SOLID, 0xFFFFFF);
        break;
    case LTGRAY_BRUSH:
        brush(BS_SOLID, 0xC0C0C0);
        break;
    case GRAY_BRUSH:
        brush(BS_SOLID, 0x808080);
        break;
    case DKGRAY_BRUSH:
        brush(BS_SOLID, 0x404040);
        break;
    case BLACK_BRUSH:
        brush(BS_SOLID, 0);
        break;
    case NULL_BRUSH:
        brush(BS_NULL, 0xFFFFFF);
        break;
    case WHITE_PEN:
        o.kind = LogObject::Pen;
        o.pen.color = 0xFFFFFF;
        break;
    case BLACK_PEN:
    case DC_PEN:
        o.kind = LogObject::Pen;
        break;
    case NULL_PEN:
        o.kind = LogObject::Pen;
        o.pen.style = PS_NULL;
        break;
    default:
        // The stock fonts; the palette (0x8000000F) is no font.
        if (index >= 0x8000000A && index <= 0x80000011 && index != 0x8000000F)
            o.kind = LogObject::Font;
        break;
    }
    return o;
}

void TextRecord::readText(QString &text) const
{
    text.resize(qsizetype(count));
    QChar *out = text.data();
    if (wide) {
        qFromLittleEndian<char16_t>(chars, qsizetype(count), out);
        return;
    }
    for (quint64 i = 0; i < count; ++i)
        out[i] = QChar(chars[i]);
}

QStringView TextRecord::textIn(QString &buffer) const
{
    if (buffer.size() < qsizetype(count))
        buffer.resize(qsizetype(count));
    QChar *out = buffer.data();
    if (wide)
        qFromLittleEndian<char16_t>(chars, qsizetype(count), out);
    else
        for (quint64 i = 0; i < count; ++i)
            out[i] = QChar(chars[i]);
    return QStringView(out, qsizetype(count));
}

bool decodeText(const EmfRecord &record, TextRecord &out, QString &why)
{
    constexpr qint64 fixed = 76;
    const Reader &rec = record.data;
    if (rec.size() < fixed) {
        why = QStringLiteral("text record too short");
        return false;
    }
    // The fixed part is there: read without checking each field again.
    const uchar *const base = rec.data();
    const auto u32 = [base](qint64 at) { return qFromLittleEndian<quint32>(base + at); };
    const auto i32 = [base](qint64 at) { return qFromLittleEndian<qint32>(base + at); };
    out.wide = record.type == EMR_EXTTEXTOUTW;
    out.reference = QPointF(i32(36), i32(40));
    out.count = u32(44);
    const quint32 offString = u32(48);
    out.options = u32(52);
    const double left = i32(56), top = i32(60), right = i32(64), bottom = i32(68);
    out.rect = QRectF(QPointF(std::min(left, right), std::min(top, bottom)),
                      QPointF(std::max(left, right), std::max(top, bottom)));
    const quint32 offDx = u32(72);
    const quint64 unit = out.wide ? 2 : 1;
    const quint64 n = out.count;
    if (n > 0 && (offString < fixed || offString + n * unit > quint64(rec.size()))) {
        why = QStringLiteral("text of %1 characters outside the record").arg(n);
        return false;
    }
    const quint64 dxCount = (out.options & ETO_PDY) ? n * 2 : n;
    if (n > 0 && offDx != 0 && (offDx < fixed || offDx + dxCount * 4 > quint64(rec.size()))) {
        why = QStringLiteral("advances for %1 characters outside the record").arg(n);
        return false;
    }
    if (n > kMaxTextChars) {
        why = QStringLiteral("text run of %1 characters").arg(n);
        return false;
    }
    out.chars = rec.data() + offString;
    out.dx = offDx != 0 ? rec.data() + offDx : nullptr;
    out.dxStep = (out.options & ETO_PDY) ? 8 : 4;
    return true;
}

bool isPointsRecord(quint32 type)
{
    switch (type) {
    case EMR_POLYLINE16:
    case EMR_POLYGON16:
    case EMR_POLYLINETO16:
    case EMR_POLYBEZIER16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINE:
    case EMR_POLYGON:
    case EMR_POLYLINETO:
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIERTO:
        return true;
    default:
        return false;
    }
}

bool decodePoints(const EmfRecord &record, QPolygonF &points, QString &why)
{
    const Reader &rec = record.data;
    const bool small = record.type >= EMR_POLYBEZIER16;
    if (!atLeast(rec, 28, why))
        return false;
    const quint64 n = rec.u32(24);
    const quint64 bytes = small ? 4 : 8;
    if (28 + n * bytes > quint64(rec.size())) {
        why = QStringLiteral("%1 points outside the record").arg(n);
        return false;
    }
    points.clear();
    points.reserve(qsizetype(n) + 1);
    for (quint64 i = 0; i < n; ++i) {
        const qint64 at = 28 + qint64(i * bytes);
        points.append(small ? QPointF(rec.i16(at), rec.i16(at + 2)) : QPointF(rec.i32(at), rec.i32(at + 4)));
    }
    return true;
}

bool pointsContinue(quint32 type)
{
    return type == EMR_POLYLINETO16 || type == EMR_POLYLINETO || type == EMR_POLYBEZIERTO16 ||
           type == EMR_POLYBEZIERTO;
}

bool pointsBezier(quint32 type)
{
    return type == EMR_POLYBEZIER16 || type == EMR_POLYBEZIERTO16 || type == EMR_POLYBEZIER ||
           type == EMR_POLYBEZIERTO;
}

bool pointsClosed(quint32 type)
{
    return type == EMR_POLYGON16 || type == EMR_POLYGON;
}

bool isPathRecord(quint32 type)
{
    switch (type) {
    case EMR_BEGINPATH:
    case EMR_ENDPATH:
    case EMR_ABORTPATH:
    case EMR_CLOSEFIGURE:
    case EMR_FILLPATH:
    case EMR_STROKEPATH:
    case EMR_STROKEANDFILLPATH:
        return true;
    default:
        return false;
    }
}

} // namespace accrua::engine::emf
