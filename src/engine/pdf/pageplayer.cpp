#include "engine/pdf/pageplayer.h"

#include "engine/emf/decoder.h"
#include "engine/emf/dib.h"
#include "engine/emf/emfplayer.h"
#include "engine/emf/mapping.h"
#include "engine/emf/pagesize.h"
#include "engine/emf/records.h"
#include "engine/emf/textmetrics.h"

#include <QHash>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace accrua::engine::pdf {

using namespace emf::records;

namespace {

constexpr int kMaxSaveDepth = 256;
constexpr double kMaxExtent = 1.0e7; // canvas units; beyond that nothing is drawn

QRgb rgbOf(quint32 c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

bool within(const QRectF &r)
{
    const double v[] = {r.left(), r.top(), r.right(), r.bottom()};
    // Written out, NaN fails the comparison, infinity the bound.
    return std::abs(v[0]) <= kMaxExtent && std::abs(v[1]) <= kMaxExtent && std::abs(v[2]) <= kMaxExtent &&
           std::abs(v[3]) <= kMaxExtent;
}

// A transform on a point, as QTransform::map computes it for its affine
// types, without the call.
QPointF mapped(const QTransform &t, bool affine, QPointF p)
{
    if (!affine)
        return t.map(p);
    return QPointF(t.m11() * p.x() + t.m21() * p.y() + t.dx(), t.m12() * p.x() + t.m22() * p.y() + t.dy());
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
    emf::MappingState map;
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
        m_why = emf::recordFault(m_type, m_offset, what);
        return PlayResult::Damaged;
    }
    // Played, or Damaged when the record is shorter than bytes.
    bool need(const Reader &rec, qint64 bytes)
    {
        QString why;
        if (emf::atLeast(rec, bytes, why))
            return true;
        damaged(why);
        return false;
    }

    PlayResult dispatch(const emf::EmfRecord &record);
    PlayResult createObject(const emf::EmfRecord &record);
    void select(quint32 index);
    PlayResult rectangle(const Reader &rec);
    PlayResult points(const emf::EmfRecord &record);
    PlayResult text(const emf::EmfRecord &record);
    PlayResult bitmap(const Reader &rec);

    const QTransform &full()
    {
        if (m_fullDirty)
            remap();
        return m_full;
    }
    void remap();
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
    QTransform m_toDevice;             // the part of m_full up to device pixels
    double m_xScale = 1, m_yScale = 1; // device pixels per logical unit along each axis
    bool m_toDeviceOk = false;
    bool m_toDeviceAffine = true, m_targetAffine = true;
    bool m_fullDirty = true;
    bool m_fullOk = false;
    TextRun m_run;  // refilled for every text record, keeping its storage
    QString m_text; // the characters m_run.text views
    emf::TextRecord m_textRecord;
    QPolygonF m_points;
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
    m_targetAffine = m_target.deviceToTarget.isAffine();
    m_handles = std::max<quint32>(1, m_info.handles);

    // The record framing first, so that a broken chain draws nothing.
    if (const std::optional<QString> broken = emf::checkChain(m_data, m_info)) {
        if (why)
            *why = *broken;
        return PlayResult::Damaged;
    }

    m_canvas.beginPage(page);
    PlayResult result = PlayResult::Played;
    emf::forEachRecord(m_data, m_info, [&](const emf::EmfRecord &record) {
        m_offset = record.offset;
        m_type = record.type;
        const Reader &rec = record.data;
        if (m_type == EMR_GDICOMMENT) {
            const quint32 bytes = rec.u32(8);
            if (rec.size() >= 16 && bytes >= 4 && bytes <= rec.size() - 12 &&
                std::memcmp(rec.data() + 12, kJpegComment, 4) == 0) {
                m_jpeg = QByteArray(reinterpret_cast<const char *>(rec.data()) + 16, qsizetype(bytes) - 4);
                return true;
            }
        }
        result = dispatch(record);
        if (!m_jpeg.isEmpty())
            m_jpeg.clear(); // it belongs to the record right after it only
        return result == PlayResult::Played;
    });
    if (result != PlayResult::Played) {
        if (why)
            *why = result == PlayResult::Damaged ? m_why : QStringLiteral("record %1").arg(m_type);
        return result;
    }
    m_canvas.endPage();
    return PlayResult::Played;
}

PlayResult Walker::dispatch(const emf::EmfRecord &record)
{
    const Reader &rec = record.data;
    if (m_type == EMR_EXTTEXTOUTW) // most of a report page
        return text(record);
    if (emf::isMappingRecord(m_type)) {
        QString why;
        if (!emf::applyMapping(m_s.map, record, why))
            return damaged(why);
        m_fullDirty = true;
        return PlayResult::Played;
    }
    if (emf::isObjectRecord(m_type))
        return createObject(record);
    if (emf::isPointsRecord(m_type))
        return points(record);
    if (emf::isBitmapRecord(m_type))
        return bitmap(rec);
    if (emf::isPathRecord(m_type))
        return PlayResult::Unsupported;
    switch (m_type) {
    case EMR_SAVEDC:
        if (m_stack.size() < size_t(kMaxSaveDepth))
            m_stack.push_back(m_s);
        return PlayResult::Played;
    case EMR_RESTOREDC: {
        qint64 level = -1;
        QString why;
        if (!emf::restoreLevel(rec, qint64(m_stack.size()), level, why))
            return damaged(why);
        if (level >= 0) {
            m_s = m_stack[size_t(level)];
            m_stack.resize(size_t(level));
            m_fullDirty = true;
        }
        return PlayResult::Played;
    }
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE: {
        if (!need(rec, 12))
            return PlayResult::Damaged;
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
        if (!need(rec, 16))
            return PlayResult::Damaged;
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
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA:
        return text(record);
    case EMR_EXTSELECTCLIPRGN:
        // Only "no clipping", which is where every page starts.
        if (!need(rec, 16))
            return PlayResult::Damaged;
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
        return PlayResult::Unsupported;
    default:
        // Headers, comments, palettes and modes that do not change a report page.
        return PlayResult::Played;
    }
}

// Font names as the pages repeat them, one shared copy each (a few dozen
// at most per thread): the PDF writer knows a face it has just drawn by its
// name's data, whichever page's font object names it. Each keeps its
// faces' ascent and descent, measured once per thread, not once per page.
struct KnownFace {
    QString name;
    std::array<std::optional<std::pair<double, double>>, 4> perEm; // by bold * 2 + italic
};

std::vector<KnownFace> &knownFaces()
{
    thread_local std::vector<KnownFace> faces;
    return faces;
}

QString interned(const QString &name)
{
    constexpr size_t kMaxNames = 64;
    std::vector<KnownFace> &faces = knownFaces();
    for (const KnownFace &f : faces)
        if (f.name == name)
            return f.name;
    if (faces.size() < kMaxNames)
        faces.push_back(KnownFace{name, {}});
    return name;
}

// The objects in this player's terms: fonts keep only what a PDF draws.
Obj objOf(const emf::LogObject &o)
{
    Obj obj;
    switch (o.kind) {
    case emf::LogObject::Pen:
        obj.kind = Obj::Pen;
        obj.pen = PenObj{o.pen.style, o.pen.width, o.pen.cosmetic, rgbOf(o.pen.color)};
        break;
    case emf::LogObject::Brush:
        obj.kind = Obj::Brush;
        obj.brush = BrushObj{o.brush.style, rgbOf(o.brush.color)};
        break;
    case emf::LogObject::Font:
        obj.kind = Obj::Font;
        obj.font.height = o.font.height;
        obj.font.escapement = o.font.escapement;
        obj.font.bold = o.font.weight >= 600;
        obj.font.italic = o.font.italic;
        obj.font.decorated = o.font.underline || o.font.strikeOut;
        obj.font.face = interned(o.font.face);
        break;
    case emf::LogObject::Other:
        break;
    }
    return obj;
}

PlayResult Walker::createObject(const emf::EmfRecord &record)
{
    emf::LogObject o;
    QString why;
    if (!emf::decodeObject(record, m_handles, o, why))
        return damaged(why);
    m_objects.insert(o.index, objOf(o));
    return PlayResult::Played;
}

void Walker::select(quint32 index)
{
    if (index & kStockFlag) {
        const Obj o = objOf(emf::stockObject(index));
        if (o.kind == Obj::Pen)
            m_s.pen = o.pen;
        else if (o.kind == Obj::Brush)
            m_s.brush = o.brush;
        else if (o.kind == Obj::Font)
            m_s.font = o.font;
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
    std::optional<std::pair<double, double>> *known = nullptr;
    for (KnownFace &f : knownFaces())
        if (f.name.constData() == font.face.constData() && f.name.size() == font.face.size())
            known = &f.perEm[size_t(font.bold) * 2 + size_t(font.italic)];
    if (!known || !*known) {
        const emf::FontSpec spec{font.face, 72, font.bold, font.italic}; // 96 px to the em
        const std::pair<double, double> perEm{emf::TextMetrics::ascent(spec) / 96.0,
                                              emf::TextMetrics::descent(spec) / 96.0};
        if (!known) {
            font.ascentPerEm = perEm.first;
            font.descentPerEm = perEm.second;
            return;
        }
        *known = perEm;
    }
    font.ascentPerEm = (*known)->first;
    font.descentPerEm = (*known)->second;
}

void Walker::remap()
{
    m_toDevice = m_s.map.toDevice(m_target.pxPerMmX, m_target.pxPerMmY);
    m_full = m_toDevice * m_target.deviceToTarget;
    m_fullOk = emf::saneTransform(m_full);
    m_toDeviceOk = emf::saneTransform(m_toDevice);
    m_toDeviceAffine = m_toDevice.isAffine();
    m_xScale = std::hypot(m_toDevice.m11(), m_toDevice.m12());
    m_yScale = std::hypot(m_toDevice.m21(), m_toDevice.m22());
    m_fullDirty = false;
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
    if (!need(rec, 24))
        return PlayResult::Damaged;
    const PenObj &pen = m_s.pen;
    if ((pen.style >= PS_DASH && pen.style <= PS_DASHDOTDOT) || m_s.brush.style == BS_HATCHED)
        return PlayResult::Unsupported;
    QRectF frame = emf::rectAt(rec, 8);
    if (pen.style == PS_INSIDEFRAME && !pen.cosmetic) {
        const double h = std::min({pen.width / 2, frame.width() / 2, frame.height() / 2});
        frame.adjust(h, h, -h, -h);
    }
    const double scale = std::sqrt(std::abs(full().determinant()));
    return drawRect(frame, stroke(scale), fill());
}

PlayResult Walker::points(const emf::EmfRecord &record)
{
    const quint32 type = m_type;
    QString why;
    QPolygonF &logical = m_points;
    if (!emf::decodePoints(record, logical, why))
        return damaged(why);
    const bool to = emf::pointsContinue(type);
    Figure f;
    f.bezier = emf::pointsBezier(type);
    f.closed = emf::pointsClosed(type);
    if ((m_s.pen.style >= PS_DASH && m_s.pen.style <= PS_DASHDOTDOT) ||
        (f.closed && (m_s.brush.style == BS_HATCHED || m_s.fillMode == WINDING)))
        return PlayResult::Unsupported;
    if (to)
        logical.prepend(m_s.curPos);
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

// A run's advances in page pixels, and their sum. Not inlined: inside
// Walker::text the compiler kept the sum in memory across the loop, a store
// and a load for every glyph.
[[gnu::noinline]] double scaledAdvances(double *advances, const uchar *dx, size_t step, size_t n,
                                        double scale)
{
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const double a = double(qFromLittleEndian<qint32>(dx + i * step)) * scale;
        advances[i] = a;
        sum += a;
    }
    return sum;
}

PlayResult Walker::text(const emf::EmfRecord &record)
{
    emf::TextRecord &t = m_textRecord;
    QString why;
    if (!emf::decodeText(record, t, why))
        return damaged(why);
    const QPointF ref = t.reference;
    const quint64 nChars = t.count;
    const quint32 options = t.options;
    const QRectF &rcl = t.rect;
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
    const double xScale = m_xScale, yScale = m_yScale;
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
    if (run.face.family.constData() != font.face.constData() || run.face.family.size() != font.face.size())
        run.face.family = font.face;
    run.face.bold = font.bold;
    run.face.italic = font.italic;
    run.em = em;
    run.scale = QSizeF(tsx, tsy);
    run.color = m_s.textColor;
    run.text = t.textIn(m_text);
    run.advances.resize(size_t(nChars));
    double total = 0;
    if (t.dx) {
        total = scaledAdvances(run.advances.data(), t.dx, size_t(t.dxStep), size_t(nChars), xScale);
    } else {
        const emf::FontSpec spec{font.face, emDevice * 72.0 / 96.0, font.bold, font.italic};
        const QVector<double> a = emf::TextMetrics::advances(spec, run.text.toString());
        for (quint64 i = 0; i < nChars; ++i)
            total += run.advances[size_t(i)] = a[qsizetype(i)];
    }
    if (!std::isfinite(total) || std::abs(total * tsx) > kMaxExtent)
        return PlayResult::Played;

    const bool updateCp = m_s.textAlign & TA_UPDATECP;
    // As the full player: the run's anchor in the target, its glyphs offset
    // from it in device pixels scaled afterwards.
    const QPointF origin = mapped(toDevice, m_toDeviceAffine, updateCp ? m_s.curPos : ref);
    const quint32 h = m_s.textAlign & TA_CENTER;
    const double ascent = font.ascentPerEm * emDevice, descent = font.descentPerEm * emDevice;
    const QPointF start = emf::textStart(m_s.textAlign, total, ascent, descent);
    const double x0 = start.x(), baseline = start.y();
    run.anchor = mapped(d2t, m_targetAffine, origin); // the run's own origin, (0, 0), in the target
    run.start = QPointF(x0, baseline);
    if (!within(QRectF(run.origin(), QSizeF(std::abs(total * tsx), em))))
        return PlayResult::Played;
    if (m_s.bkMode == OPAQUE && !(options & ETO_OPAQUE)) {
        QTransform textT;
        textT.translate(origin.x(), origin.y());
        textT = textT * d2t;
        m_canvas.rect(textT.mapRect(QRectF(std::min(x0, x0 + total), baseline - ascent, std::abs(total),
                                           ascent + descent)),
                      std::nullopt, m_s.bkColor);
    }
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
