#include "engine/pdf/pageplayer.h"

#include "engine/emf/dib.h"
#include "engine/emf/emfplayer.h"
#include "engine/emf/mapping.h"
#include "engine/emf/pagesize.h"
#include "engine/emf/records.h"
#include "engine/emf/textmetrics.h"

#include <QHash>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace accrua::engine::pdf {

using namespace emf::records;

namespace {

constexpr int kMaxSaveDepth = 256;
constexpr quint64 kMaxTextChars = 65536;
constexpr double kMaxExtent = 1.0e7; // canvas units; beyond that nothing is drawn

QRgb rgbOf(quint32 c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

bool within(const QRectF &r)
{
    const double v[] = {r.left(), r.top(), r.right(), r.bottom()};
    return std::all_of(std::begin(v), std::end(v),
                       [](double x) { return std::isfinite(x) && std::abs(x) <= kMaxExtent; });
}

bool axisAligned(const QTransform &t)
{
    return t.m12() == 0 && t.m21() == 0;
}

struct PenObj {
    quint32 style = PS_SOLID;
    double width = 0; // logical units
    bool cosmetic = true;
    QRgb color = qRgb(0, 0, 0);
};

struct BrushObj {
    quint32 style = BS_SOLID;
    QRgb color = qRgb(255, 255, 255);
};

struct FontObj {
    qint32 height = 0;
    qint32 escapement = 0;
    bool bold = false;
    bool italic = false;
    bool decorated = false; // underline or strike-out
    QString face = QStringLiteral("Arial");
    double ascentPerEm = -1; // measured on first use
    double descentPerEm = 0;
};

struct Obj {
    enum Kind { Pen, Brush, Font, Other } kind = Other;
    PenObj pen;
    BrushObj brush;
    FontObj font;
};

struct Dc {
    quint32 mapMode = MM_TEXT;
    QPointF winOrg, vpOrg;
    QSizeF winExt{1, 1}, vpExt{1, 1};
    QTransform world;
    PenObj pen;
    BrushObj brush;
    FontObj font;
    quint32 textAlign = 0;
    QRgb textColor = qRgb(0, 0, 0);
    QRgb bkColor = qRgb(255, 255, 255);
    quint32 bkMode = OPAQUE;
    quint32 fillMode = ALTERNATE;
    QPointF curPos;
};

QRectF rectAt(const Reader &rec, qint64 at)
{
    return QRectF(QPointF(rec.i32(at), rec.i32(at + 4)), QPointF(rec.i32(at + 8), rec.i32(at + 12)))
        .normalized();
}

class Walker {
public:
    Walker(const QByteArray &data, const emf::EmfInfo &info, PageCanvas &canvas)
        : m_data(data), m_info(info), m_canvas(canvas)
    {
    }

    PlayResult run(QString *why);

private:
    PlayResult damaged(const QString &what)
    {
        m_why = QStringLiteral("record %1 at offset %2: %3").arg(m_type).arg(m_offset).arg(what);
        return PlayResult::Damaged;
    }
    bool shortRecord(const Reader &rec, qint64 bytes) const { return rec.size() < bytes; }

    PlayResult dispatch(const Reader &rec);
    PlayResult mapping(const Reader &rec);
    PlayResult worldTransform(const Reader &rec);
    PlayResult createObject(const Reader &rec);
    void select(quint32 index);
    PlayResult rectangle(const Reader &rec);
    PlayResult points(const Reader &rec);
    PlayResult text(const Reader &rec, bool wide);
    PlayResult bitmap(const Reader &rec);

    const QTransform &full();
    std::optional<Stroke> stroke(double scale) const;
    std::optional<QRgb> fill() const;
    // A rectangle in logical units, drawn with the pen and brush given.
    PlayResult drawRect(const QRectF &logical, const std::optional<Stroke> &pen, std::optional<QRgb> brush);
    void measure(FontObj &font) const;

    const QByteArray &m_data;
    emf::EmfInfo m_info;
    PageCanvas &m_canvas;
    emf::TargetMapping m_target;
    Dc m_s;
    std::vector<Dc> m_stack;
    QHash<quint32, Obj> m_objects;
    quint32 m_handles = 1;
    QTransform m_full;
    QTransform m_toDevice; // the part of m_full up to device pixels
    bool m_toDeviceOk = false;
    bool m_fullDirty = true;
    bool m_fullOk = false;
    TextRun m_run;     // refilled for every text record, keeping its storage
    QByteArray m_jpeg; // carried by the comment just before a bitmap record
    quint32 m_type = 0;
    qint64 m_offset = 0;
    QString m_why;
};

PlayResult Walker::run(QString *why)
{
    const QSizeF page = emf::pageSizeOf(m_data);
    const std::optional<emf::TargetMapping> target =
        emf::targetMapping(m_data, m_info, QRectF(QPointF(0, 0), page * kCanvasUnitsPerPixel), why);
    if (!target)
        return PlayResult::Damaged;
    m_target = *target;
    m_handles = std::max<quint32>(1, m_info.handles);

    const Reader all(reinterpret_cast<const uchar *>(m_data.constData()), m_info.bytes);
    const qint64 end = m_info.bytes;
    // The record framing first, so that a broken chain draws nothing.
    qint64 off = all.u32(4);
    for (quint64 count = 1; off < end && count < m_info.records; ++count) {
        const quint32 size = end - off < 8 ? 0 : all.u32(off + 4);
        if (size < 8 || size % 4 != 0 || size > end - off) {
            if (why)
                *why = QStringLiteral("record %1 at offset %2 has a bad size").arg(all.u32(off)).arg(off);
            return PlayResult::Damaged;
        }
        if (all.u32(off) == EMR_EOF)
            break;
        off += size;
    }

    m_canvas.beginPage(page);
    off = all.u32(4);
    for (quint64 count = 1; off < end && count < m_info.records; ++count) {
        m_offset = off;
        m_type = all.u32(off);
        const quint32 size = all.u32(off + 4);
        if (m_type == EMR_EOF)
            break;
        if (m_type == EMR_GDICOMMENT) {
            const Reader rec(all.data() + off, size);
            const quint32 bytes = rec.u32(8);
            if (size >= 16 && bytes >= 4 && bytes <= size - 12 &&
                std::memcmp(rec.data() + 12, kJpegComment, 4) == 0) {
                m_jpeg = QByteArray(reinterpret_cast<const char *>(rec.data()) + 16, qsizetype(bytes) - 4);
                off += size;
                continue;
            }
        }
        const PlayResult r = dispatch(Reader(all.data() + off, size));
        m_jpeg.clear(); // it belongs to the record right after it only
        if (r != PlayResult::Played) {
            if (why)
                *why = r == PlayResult::Damaged ? m_why : QStringLiteral("record %1").arg(m_type);
            return r;
        }
        off += size;
    }
    m_canvas.endPage();
    return PlayResult::Played;
}

PlayResult Walker::dispatch(const Reader &rec)
{
    switch (m_type) {
    case EMR_SETMAPMODE:
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
        return mapping(rec);
    case EMR_SAVEDC:
        if (m_stack.size() < size_t(kMaxSaveDepth))
            m_stack.push_back(m_s);
        return PlayResult::Played;
    case EMR_RESTOREDC: {
        if (shortRecord(rec, 12))
            return damaged(QStringLiteral("record too short"));
        const qint64 n = rec.i32(8), depth = qint64(m_stack.size());
        qint64 level = -1;
        if (n < 0 && -n <= depth)
            level = depth + n;
        else if (n > 0 && n <= depth)
            level = n - 1;
        if (level >= 0) {
            m_s = m_stack[size_t(level)];
            m_stack.resize(size_t(level));
            m_fullDirty = true;
        }
        return PlayResult::Played;
    }
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
        return worldTransform(rec);
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEPALETTE:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return createObject(rec);
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE: {
        if (shortRecord(rec, 12))
            return damaged(QStringLiteral("record too short"));
        const quint32 v = rec.u32(8);
        if (m_type == EMR_SELECTOBJECT)
            select(v);
        else if (m_type == EMR_DELETEOBJECT)
            m_objects.remove(v);
        else if (m_type == EMR_SETTEXTALIGN)
            m_s.textAlign = v;
        else if (m_type == EMR_SETTEXTCOLOR)
            m_s.textColor = rgbOf(v);
        else if (m_type == EMR_SETBKCOLOR)
            m_s.bkColor = rgbOf(v);
        else if (m_type == EMR_SETBKMODE && (v == TRANSPARENT || v == OPAQUE))
            m_s.bkMode = v;
        else if (m_type == EMR_SETPOLYFILLMODE)
            m_s.fillMode = v == WINDING ? WINDING : ALTERNATE;
        return PlayResult::Played;
    }
    case EMR_MOVETOEX:
    case EMR_LINETO: {
        if (shortRecord(rec, 16))
            return damaged(QStringLiteral("record too short"));
        const QPointF to(rec.i32(8), rec.i32(12));
        if (m_type == EMR_LINETO) {
            const QTransform &t = full();
            const QRectF span = QRectF(m_s.curPos, to).normalized();
            const std::optional<Stroke> pen = stroke(std::sqrt(std::abs(t.determinant())));
            if (m_fullOk && pen && within(t.mapRect(span)))
                m_canvas.figure(Figure{{t.map(m_s.curPos), t.map(to)}, false, false}, pen, std::nullopt);
        }
        m_s.curPos = to;
        return PlayResult::Played;
    }
    case EMR_RECTANGLE:
        return rectangle(rec);
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
        return points(rec);
    case EMR_EXTTEXTOUTW:
        return text(rec, true);
    case EMR_EXTTEXTOUTA:
        return text(rec, false);
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE:
        return bitmap(rec);
    case EMR_EXTSELECTCLIPRGN:
        // Only "no clipping", which is where every page starts.
        if (shortRecord(rec, 16))
            return damaged(QStringLiteral("record too short"));
        return rec.u32(8) == 0 && rec.u32(12) == RGN_COPY ? PlayResult::Played : PlayResult::Unsupported;
    case EMR_SETPIXELV:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT:
    case EMR_BEGINPATH:
    case EMR_ENDPATH:
    case EMR_ABORTPATH:
    case EMR_CLOSEFIGURE:
    case EMR_FILLPATH:
    case EMR_STROKEPATH:
    case EMR_STROKEANDFILLPATH:
        return PlayResult::Unsupported;
    default:
        // Headers, comments, palettes and modes that do not change a report page.
        return PlayResult::Played;
    }
}

PlayResult Walker::mapping(const Reader &rec)
{
    if (m_type == EMR_SETMAPMODE) {
        if (shortRecord(rec, 12))
            return damaged(QStringLiteral("record too short"));
        if (rec.u32(8) >= MM_TEXT && rec.u32(8) <= MM_ANISOTROPIC)
            m_s.mapMode = rec.u32(8);
    } else if (m_type == EMR_SETWINDOWEXTEX || m_type == EMR_SETVIEWPORTEXTEX) {
        if (shortRecord(rec, 16))
            return damaged(QStringLiteral("record too short"));
        const double cx = rec.i32(8), cy = rec.i32(12);
        if (cx != 0 && cy != 0)
            (m_type == EMR_SETWINDOWEXTEX ? m_s.winExt : m_s.vpExt) = QSizeF(cx, cy);
    } else if (m_type == EMR_SETWINDOWORGEX || m_type == EMR_SETVIEWPORTORGEX) {
        if (shortRecord(rec, 16))
            return damaged(QStringLiteral("record too short"));
        (m_type == EMR_SETWINDOWORGEX ? m_s.winOrg : m_s.vpOrg) = QPointF(rec.i32(8), rec.i32(12));
    } else {
        if (shortRecord(rec, 24))
            return damaged(QStringLiteral("record too short"));
        const double xn = rec.i32(8), xd = rec.i32(12), yn = rec.i32(16), yd = rec.i32(20);
        if (xd != 0 && yd != 0 && xn != 0 && yn != 0 &&
            (m_s.mapMode == MM_ISOTROPIC || m_s.mapMode == MM_ANISOTROPIC)) {
            QSizeF &ext = m_type == EMR_SCALEVIEWPORTEXTEX ? m_s.vpExt : m_s.winExt;
            const double cx = std::trunc(ext.width() * xn / xd), cy = std::trunc(ext.height() * yn / yd);
            if (cx != 0 && cy != 0 && std::abs(cx) < 1e9 && std::abs(cy) < 1e9)
                ext = QSizeF(cx, cy);
        }
    }
    m_fullDirty = true;
    return PlayResult::Played;
}

PlayResult Walker::worldTransform(const Reader &rec)
{
    if (shortRecord(rec, m_type == EMR_SETWORLDTRANSFORM ? 32 : 36))
        return damaged(QStringLiteral("record too short"));
    const double m[6] = {rec.f32(8), rec.f32(12), rec.f32(16), rec.f32(20), rec.f32(24), rec.f32(28)};
    for (double v : m)
        if (!std::isfinite(v) || std::abs(v) > 1e9)
            return PlayResult::Played;
    const QTransform x(m[0], m[1], m[2], m[3], m[4], m[5]);
    const quint32 mode = m_type == EMR_SETWORLDTRANSFORM ? MWT_SET : rec.u32(32);
    QTransform next = m_s.world;
    if (mode == MWT_IDENTITY)
        next = QTransform();
    else if (mode == MWT_LEFTMULTIPLY)
        next = x * m_s.world;
    else if (mode == MWT_RIGHTMULTIPLY)
        next = m_s.world * x;
    else if (mode == MWT_SET)
        next = x;
    if (emf::saneTransform(next)) {
        m_s.world = next;
        m_fullDirty = true;
    }
    return PlayResult::Played;
}

PlayResult Walker::createObject(const Reader &rec)
{
    Obj o;
    switch (m_type) {
    case EMR_CREATEPEN:
        if (shortRecord(rec, 28))
            return damaged(QStringLiteral("record too short"));
        o.kind = Obj::Pen;
        o.pen.style = rec.u32(12) & PS_STYLE_MASK;
        o.pen.width = std::abs(double(rec.i32(16)));
        o.pen.cosmetic = o.pen.width == 0;
        o.pen.color = rgbOf(rec.u32(24));
        break;
    case EMR_EXTCREATEPEN: {
        if (shortRecord(rec, 52))
            return damaged(QStringLiteral("record too short"));
        if (52 + quint64(rec.u32(48)) * 4 > quint64(rec.size()))
            return damaged(QStringLiteral("pen style entries outside the record"));
        const quint32 style = rec.u32(28);
        o.kind = Obj::Pen;
        o.pen.style = rec.u32(36) == BS_NULL ? PS_NULL : (style & PS_STYLE_MASK);
        o.pen.cosmetic = !(style & PS_GEOMETRIC);
        o.pen.width = o.pen.cosmetic ? 0 : std::abs(double(rec.i32(32)));
        o.pen.color = rgbOf(rec.u32(40));
        break;
    }
    case EMR_CREATEBRUSHINDIRECT:
        if (shortRecord(rec, 24))
            return damaged(QStringLiteral("record too short"));
        o.kind = Obj::Brush;
        o.brush.style = rec.u32(12);
        o.brush.color = rgbOf(rec.u32(16));
        if (o.brush.style != BS_SOLID && o.brush.style != BS_NULL && o.brush.style != BS_HATCHED)
            o.brush.style = BS_SOLID;
        break;
    case EMR_EXTCREATEFONTINDIRECTW: {
        if (shortRecord(rec, 12 + kLogFontSize))
            return damaged(QStringLiteral("record too short"));
        o.kind = Obj::Font;
        o.font.height = rec.i32(12);
        o.font.escapement = rec.i32(20);
        o.font.bold = rec.i32(28) >= 600;
        o.font.italic = rec.u8(32) != 0;
        o.font.decorated = rec.u8(33) != 0 || rec.u8(34) != 0;
        QString face;
        for (int i = 0; i < 32; ++i) {
            const quint16 c = rec.u16(40 + i * 2);
            if (!c)
                break;
            face.append(QChar(c));
        }
        if (!face.isEmpty())
            o.font.face = face;
        break;
    }
    default:
        if (shortRecord(rec, 12))
            return damaged(QStringLiteral("record too short"));
        break;
    }
    const quint32 index = rec.u32(8);
    if (index == 0 || index >= m_handles)
        return damaged(QStringLiteral("object index %1 outside the table of %2").arg(index).arg(m_handles));
    m_objects.insert(index, o);
    return PlayResult::Played;
}

void Walker::select(quint32 index)
{
    if (index & kStockFlag) {
        switch (index) {
        case WHITE_BRUSH:
        case DC_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, qRgb(255, 255, 255)};
            break;
        case LTGRAY_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, qRgb(0xC0, 0xC0, 0xC0)};
            break;
        case GRAY_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, qRgb(0x80, 0x80, 0x80)};
            break;
        case DKGRAY_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, qRgb(0x40, 0x40, 0x40)};
            break;
        case BLACK_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, qRgb(0, 0, 0)};
            break;
        case NULL_BRUSH:
            m_s.brush = BrushObj{BS_NULL, qRgb(255, 255, 255)};
            break;
        case WHITE_PEN:
            m_s.pen = PenObj{};
            m_s.pen.color = qRgb(255, 255, 255);
            break;
        case BLACK_PEN:
        case DC_PEN:
            m_s.pen = PenObj{};
            break;
        case NULL_PEN:
            m_s.pen = PenObj{};
            m_s.pen.style = PS_NULL;
            break;
        default:
            if (index >= 0x8000000A && index <= 0x80000011 && index != 0x8000000F)
                m_s.font = FontObj{};
            break;
        }
        return;
    }
    auto it = m_objects.find(index);
    if (it == m_objects.end())
        return;
    if (it->kind == Obj::Pen)
        m_s.pen = it->pen;
    else if (it->kind == Obj::Brush)
        m_s.brush = it->brush;
    else if (it->kind == Obj::Font) {
        measure(it->font); // once per font object, not once per line of text
        m_s.font = it->font;
    }
}

void Walker::measure(FontObj &font) const
{
    if (font.ascentPerEm >= 0)
        return;
    const emf::FontSpec spec{font.face, 72, font.bold, font.italic}; // 96 px to the em
    font.ascentPerEm = emf::TextMetrics::ascent(spec) / 96.0;
    font.descentPerEm = emf::TextMetrics::descent(spec) / 96.0;
}

const QTransform &Walker::full()
{
    if (m_fullDirty) {
        m_toDevice = m_s.world * emf::pageToDevice(m_s.mapMode, m_s.winOrg, m_s.winExt, m_s.vpOrg, m_s.vpExt,
                                                   m_target.pxPerMmX, m_target.pxPerMmY);
        m_full = m_toDevice * m_target.deviceToTarget;
        m_fullOk = emf::saneTransform(m_full);
        m_toDeviceOk = emf::saneTransform(m_toDevice);
        m_fullDirty = false;
    }
    return m_full;
}

std::optional<Stroke> Walker::stroke(double scale) const
{
    const PenObj &p = m_s.pen;
    if (p.style == PS_NULL)
        return std::nullopt;
    Stroke s;
    s.color = p.color;
    if (p.cosmetic || p.width <= 0)
        s.width = std::clamp(std::abs(m_target.deviceToTarget.m11()), 1.0, 1000.0);
    else
        s.width = std::min(p.width * scale, kMaxExtent / 10);
    return s;
}

std::optional<QRgb> Walker::fill() const
{
    if (m_s.brush.style == BS_NULL)
        return std::nullopt;
    return m_s.brush.color;
}

PlayResult Walker::drawRect(const QRectF &logical, const std::optional<Stroke> &pen,
                            std::optional<QRgb> brush)
{
    const QTransform &t = full();
    if (!m_fullOk || (!pen && !brush))
        return PlayResult::Played;
    const QRectF r = t.mapRect(logical);
    if (!within(r))
        return PlayResult::Played;
    if (axisAligned(t)) {
        m_canvas.rect(r, pen, brush);
    } else {
        const Figure f{{t.map(logical.topLeft()), t.map(logical.topRight()), t.map(logical.bottomRight()),
                        t.map(logical.bottomLeft())},
                       true,
                       false};
        m_canvas.figure(f, pen, brush);
    }
    return PlayResult::Played;
}

PlayResult Walker::rectangle(const Reader &rec)
{
    if (shortRecord(rec, 24))
        return damaged(QStringLiteral("record too short"));
    const PenObj &pen = m_s.pen;
    if ((pen.style >= PS_DASH && pen.style <= PS_DASHDOTDOT) || m_s.brush.style == BS_HATCHED)
        return PlayResult::Unsupported;
    QRectF frame = rectAt(rec, 8);
    if (pen.style == PS_INSIDEFRAME && !pen.cosmetic) {
        const double h = std::min({pen.width / 2, frame.width() / 2, frame.height() / 2});
        frame.adjust(h, h, -h, -h);
    }
    const double scale = std::sqrt(std::abs(full().determinant()));
    return drawRect(frame, stroke(scale), fill());
}

PlayResult Walker::points(const Reader &rec)
{
    const quint32 type = m_type;
    const bool small = type >= EMR_POLYBEZIER16;
    if (shortRecord(rec, 28))
        return damaged(QStringLiteral("record too short"));
    const quint64 n = rec.u32(24);
    const quint64 bytes = small ? 4 : 8;
    if (28 + n * bytes > quint64(rec.size()))
        return damaged(QStringLiteral("%1 points outside the record").arg(n));
    const bool to = type == EMR_POLYLINETO16 || type == EMR_POLYLINETO || type == EMR_POLYBEZIERTO16 ||
                    type == EMR_POLYBEZIERTO;
    Figure f;
    f.bezier = type == EMR_POLYBEZIER16 || type == EMR_POLYBEZIERTO16 || type == EMR_POLYBEZIER ||
               type == EMR_POLYBEZIERTO;
    f.closed = type == EMR_POLYGON16 || type == EMR_POLYGON;
    if ((m_s.pen.style >= PS_DASH && m_s.pen.style <= PS_DASHDOTDOT) ||
        (f.closed && (m_s.brush.style == BS_HATCHED || m_s.fillMode == WINDING)))
        return PlayResult::Unsupported;
    std::vector<QPointF> logical;
    logical.reserve(size_t(n) + 1);
    if (to)
        logical.push_back(m_s.curPos);
    for (quint64 i = 0; i < n; ++i) {
        const qint64 at = 28 + qint64(i * bytes);
        logical.push_back(small ? QPointF(rec.i16(at), rec.i16(at + 2))
                                : QPointF(rec.i32(at), rec.i32(at + 4)));
    }
    if (logical.empty())
        return PlayResult::Played;
    if (f.bezier)
        logical.resize(1 + (logical.size() - 1) / 3 * 3); // whole segments only
    if (to)
        m_s.curPos = logical.back();
    const QTransform &t = full();
    if (!m_fullOk || logical.size() < 2)
        return PlayResult::Played;
    f.points.reserve(logical.size());
    QRectF bounds;
    for (const QPointF &p : logical) {
        f.points.push_back(t.map(p));
        bounds |= QRectF(f.points.back(), QSizeF(0.001, 0.001));
    }
    if (!within(bounds))
        return PlayResult::Played;
    const std::optional<Stroke> pen = stroke(std::sqrt(std::abs(t.determinant())));
    const std::optional<QRgb> brush = f.closed ? fill() : std::nullopt;
    if (pen || brush)
        m_canvas.figure(f, pen, brush);
    return PlayResult::Played;
}

PlayResult Walker::text(const Reader &rec, bool wide)
{
    constexpr qint64 fixed = 76;
    if (shortRecord(rec, fixed))
        return damaged(QStringLiteral("text record too short"));
    const QPointF ref(rec.i32(36), rec.i32(40));
    const quint64 nChars = rec.u32(44);
    const quint32 offString = rec.u32(48);
    const quint32 options = rec.u32(52);
    const QRectF rcl = rectAt(rec, 56);
    const quint32 offDx = rec.u32(72);
    const quint64 unit = wide ? 2 : 1;
    if (nChars > 0 && (offString < fixed || offString + nChars * unit > quint64(rec.size())))
        return damaged(QStringLiteral("text of %1 characters outside the record").arg(nChars));
    const quint64 dxCount = (options & ETO_PDY) ? nChars * 2 : nChars;
    if (nChars > 0 && offDx != 0 && (offDx < fixed || offDx + dxCount * 4 > quint64(rec.size())))
        return damaged(QStringLiteral("advances for %1 characters outside the record").arg(nChars));
    if (nChars > kMaxTextChars)
        return damaged(QStringLiteral("text run of %1 characters").arg(nChars));
    const FontObj &lf = m_s.font;
    if ((options & ETO_CLIPPED) || lf.escapement != 0 || lf.decorated)
        return PlayResult::Unsupported;

    if (options & ETO_OPAQUE) {
        const PlayResult r = drawRect(rcl, std::nullopt, m_s.bkColor);
        if (r != PlayResult::Played)
            return r;
    }
    if (nChars == 0 || (options & ETO_GLYPH_INDEX))
        return PlayResult::Played; // glyph numbers belong to the writer's own font files

    // As the full player does: the run sits upright in device space at its
    // reference point, whatever the mapping does to the rest of the page.
    full();
    const QTransform &toDevice = m_toDevice;
    if (!m_toDeviceOk || !m_fullOk)
        return PlayResult::Played;
    const double xScale = std::hypot(toDevice.m11(), toDevice.m12());
    const double yScale = std::hypot(toDevice.m21(), toDevice.m22());
    const QTransform &d2t = m_target.deviceToTarget;
    const double tsx = std::abs(d2t.m11()), tsy = std::abs(d2t.m22());
    const double targetScale = 1 / kCanvasUnitsPerPixel; // the limits below are in page pixels

    FontObj &font = m_s.font;
    measure(font);
    double emDevice = 16; // the platform's default of 12 points at 96 dpi
    if (font.height < 0)
        emDevice = -double(font.height) * yScale;
    else if (font.height > 0)
        emDevice = double(font.height) * yScale / std::max(0.1, font.ascentPerEm + font.descentPerEm);
    const double em = emDevice * tsy;
    if (!std::isfinite(em) || em * targetScale < 0.05 || em * targetScale > 5000)
        return PlayResult::Played;

    TextRun &run = m_run;
    run.face.family = font.face;
    run.face.bold = font.bold;
    run.face.italic = font.italic;
    run.em = em;
    run.scale = QSizeF(tsx, tsy);
    run.color = m_s.textColor;
    run.text.resize(qsizetype(nChars));
    // Both spans were checked against the record above.
    QChar *chars = run.text.data();
    const uchar *str = rec.data() + offString;
    for (quint64 i = 0; i < nChars; ++i)
        chars[i] = wide ? QChar(char16_t(str[2 * i] | (str[2 * i + 1] << 8))) : QChar(str[i]);
    run.advances.resize(size_t(nChars));
    double total = 0;
    if (offDx != 0) {
        const quint64 step = (options & ETO_PDY) ? 8 : 4;
        const uchar *dx = rec.data() + offDx;
        for (quint64 i = 0; i < nChars; ++i) {
            const uchar *v = dx + i * step;
            const qint32 d =
                qint32(quint32(v[0]) | (quint32(v[1]) << 8) | (quint32(v[2]) << 16) | (quint32(v[3]) << 24));
            total += run.advances[size_t(i)] = double(d) * xScale;
        }
    } else {
        const emf::FontSpec spec{font.face, emDevice * 72.0 / 96.0, font.bold, font.italic};
        const QVector<double> a = emf::TextMetrics::advances(spec, run.text);
        for (quint64 i = 0; i < nChars; ++i)
            total += run.advances[size_t(i)] = a[qsizetype(i)];
    }
    if (!std::isfinite(total) || std::abs(total * tsx) > kMaxExtent)
        return PlayResult::Played;

    const bool updateCp = m_s.textAlign & TA_UPDATECP;
    // As the full player: the run's anchor in the target, its glyphs offset
    // from it in device pixels scaled afterwards.
    const QPointF origin = toDevice.map(updateCp ? m_s.curPos : ref);
    const quint32 h = m_s.textAlign & TA_CENTER;
    const quint32 v = m_s.textAlign & TA_BASELINE;
    double x0 = 0;
    if (h == TA_CENTER)
        x0 = -total / 2;
    else if (h == TA_RIGHT)
        x0 = -total;
    const double ascent = font.ascentPerEm * emDevice, descent = font.descentPerEm * emDevice;
    double baseline = ascent;
    if (v == TA_BASELINE)
        baseline = 0;
    else if (v == TA_BOTTOM)
        baseline = -descent;
    QTransform textT;
    textT.translate(origin.x(), origin.y());
    textT = textT * d2t;
    run.anchor = textT.map(QPointF(0, 0));
    run.start = QPointF(x0, baseline);
    if (!within(QRectF(run.origin(), QSizeF(std::abs(total * tsx), em))))
        return PlayResult::Played;
    if (m_s.bkMode == OPAQUE && !(options & ETO_OPAQUE))
        m_canvas.rect(textT.mapRect(QRectF(std::min(x0, x0 + total), baseline - ascent, std::abs(total),
                                           ascent + descent)),
                      std::nullopt, m_s.bkColor);
    m_canvas.text(run);
    if (updateCp && h != TA_CENTER) {
        const double dirLogical = xScale > 0 ? total / xScale : 0;
        m_s.curPos.rx() += h == TA_RIGHT ? -dirLogical : dirLogical;
    }
    return PlayResult::Played;
}

PlayResult Walker::bitmap(const Reader &rec)
{
    emf::BitmapRecord b;
    QString why;
    const emf::DibResult r = emf::readBitmap(rec, m_type, b, &why);
    if (r == emf::DibResult::Damaged)
        return damaged(why);
    if (r == emf::DibResult::Unsupported)
        return PlayResult::Played; // the full player skips these too
    const QTransform &t = full();
    if (!m_fullOk)
        return PlayResult::Played;
    if (!b.hasBitmap) {
        std::optional<QRgb> color;
        if (b.rop == PATCOPY && m_s.brush.style == BS_HATCHED)
            return PlayResult::Unsupported;
        if (b.rop == PATCOPY)
            color = fill();
        else if (b.rop == WHITENESS)
            color = qRgb(255, 255, 255);
        else if (b.rop == BLACKNESS)
            color = qRgb(0, 0, 0);
        return color ? drawRect(b.dest.normalized(), std::nullopt, color) : PlayResult::Played;
    }
    if (b.src.isEmpty())
        return PlayResult::Played;
    if (b.dest.width() < 0 || b.dest.height() < 0 || !axisAligned(t) || t.m11() < 0 || t.m22() < 0)
        return PlayResult::Unsupported; // mirrored
    const QRectF target = t.mapRect(b.dest);
    if (!within(target) || target.isEmpty())
        return PlayResult::Played;
    const QRect source = b.src.toAlignedRect().intersected(b.image.rect());
    m_canvas.image(target, b.image, source, source == b.image.rect() ? m_jpeg : QByteArray());
    return PlayResult::Played;
}

} // namespace

PlayResult playPage(const QByteArray &metafile, PageCanvas &canvas, QString *why)
{
    const std::optional<emf::EmfInfo> info = emf::EmfPlayer::inspect(metafile, why);
    if (!info)
        return PlayResult::Damaged;
    Walker walker(metafile, *info, canvas);
    return walker.run(why);
}

} // namespace accrua::engine::pdf
