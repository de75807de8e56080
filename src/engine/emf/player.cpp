#include "engine/emf/player.h"
#include "engine/emf/dib.h"
#include "engine/emf/emfplayer.h"

#include <QPicture>

#include <algorithm>
#include <cmath>

namespace accrua::engine::emf {

namespace detail {

using namespace records;

bool Player::run(QString *error)
{
    const std::optional<TargetMapping> mapping = targetMapping(m_data, m_info, m_target, error);
    if (!mapping)
        return false;
    m_deviceToTarget = mapping->deviceToTarget;
    m_pxPerMmX = mapping->pxPerMmX;
    m_pxPerMmY = mapping->pxPerMmY;
    m_handles = std::max<quint32>(1, m_info.handles);

    // The record framing first, so that a broken chain paints nothing.
    if (const std::optional<QString> broken = checkChain(m_data, m_info)) {
        if (error)
            *error = *broken;
        return false;
    }

    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    m_p.setRenderHint(QPainter::TextAntialiasing, true);
    applyClip();
    const bool ok = forEachRecord(m_data, m_info, [this](const EmfRecord &record) {
        m_type = record.type;
        m_offset = record.offset;
        return dispatch(record);
    });
    m_p.restore();
    if (!ok && error)
        *error = m_error;
    return ok;
}

bool Player::dispatch(const EmfRecord &record)
{
    const quint32 type = record.type;
    const Reader &rec = record.data;
    if (isMappingRecord(type)) {
        QString why;
        if (!applyMapping(m_s.map, record, why))
            return fail(why);
        m_fullDirty = true;
        return true;
    }
    if (isObjectRecord(type))
        return createObject(record);
    if (isPointsRecord(type))
        return points(record);
    if (isBitmapRecord(type))
        return bitmap(rec, type);
    if (isPathRecord(type))
        return pathRecord(type);
    switch (type) {
    case EMR_HEADER:
        return true; // a second header is ignored
    case EMR_SAVEDC:
        if (m_stack.size() < size_t(kMaxSaveDepth))
            m_stack.push_back(m_s);
        return true;
    case EMR_RESTOREDC:
        return restoreDc(rec);
    case EMR_SELECTOBJECT:
        if (!need(rec, 12))
            return false;
        select(rec.u32(8));
        return true;
    case EMR_DELETEOBJECT:
        if (!need(rec, 12))
            return false;
        m_objects.remove(rec.u32(8));
        return true;
    case EMR_SETTEXTALIGN:
        if (!need(rec, 12))
            return false;
        m_s.textAlign = rec.u32(8);
        return true;
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
        if (!need(rec, 12))
            return false;
        (type == EMR_SETTEXTCOLOR ? m_s.textColor : m_s.bkColor) = fromColorRef(rec.u32(8));
        return true;
    case EMR_SETBKMODE:
        if (!need(rec, 12))
            return false;
        if (rec.u32(8) == TRANSPARENT || rec.u32(8) == OPAQUE)
            m_s.bkMode = rec.u32(8);
        return true;
    case EMR_SETSTRETCHBLTMODE:
        if (!need(rec, 12))
            return false;
        m_s.smoothStretch = rec.u32(8) == 4;
        return true;
    case EMR_SETPIXELV:
        return pixel(rec);
    case EMR_SETPOLYFILLMODE:
        if (!need(rec, 12))
            return false;
        m_s.fill = rec.u32(8) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case EMR_MOVETOEX:
        if (!need(rec, 16))
            return false;
        m_s.curPos = QPointF(rec.i32(8), rec.i32(12));
        if (m_inPath)
            m_path.moveTo(m_s.curPos);
        return true;
    case EMR_LINETO: {
        if (!need(rec, 16))
            return false;
        const QPointF to(rec.i32(8), rec.i32(12));
        if (m_inPath) {
            if (m_path.elementCount() == 0)
                m_path.moveTo(m_s.curPos);
            m_path.lineTo(to);
        } else {
            QPainterPath line(m_s.curPos);
            line.lineTo(to);
            drawShape(line, false);
        }
        m_s.curPos = to;
        return true;
    }
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT:
        return box(rec, type);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
        return polyPoints(rec, type);
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA:
        return text(record);
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT:
        return clipRect(rec, type);
    case EMR_EXTSELECTCLIPRGN:
        return clipRegion(rec);
    default:
        // Comments (and the EMF+ records inside them), palettes, modes that do
        // not change a report page, and records we do not know: skipped by size.
        return true;
    }
}

bool Player::pixel(const Reader &rec)
{
    if (!need(rec, 20))
        return false;
    const QPointF at(rec.i32(8), rec.i32(12));
    if (m_inPath)
        return true;
    // One device pixel, whatever the mapping.
    const QTransform &t = full();
    if (!m_fullOk)
        return true;
    const QPointF target = t.map(at);
    const double px = std::max(1.0, std::abs(m_deviceToTarget.m11()));
    if (std::abs(target.x()) > kMaxTargetExtent || std::abs(target.y()) > kMaxTargetExtent)
        return true;
    m_p.setTransform(QTransform());
    m_painterDirty = true;
    m_p.fillRect(QRectF(target, QSizeF(px, px)), fromColorRef(rec.u32(16)));
    return true;
}

bool Player::box(const Reader &rec, quint32 type)
{
    if (!need(rec, type == EMR_ROUNDRECT ? 32 : 24))
        return false;
    QRectF frame = rectAt(rec, 8);
    if ((m_s.pen.style & PS_STYLE_MASK) == PS_INSIDEFRAME && !m_s.pen.cosmetic) {
        const double h = std::min({m_s.pen.width / 2, frame.width() / 2, frame.height() / 2});
        frame.adjust(h, h, -h, -h);
    }
    QPainterPath path;
    if (type == EMR_RECTANGLE)
        path.addRect(frame);
    else if (type == EMR_ELLIPSE)
        path.addEllipse(frame);
    else
        path.addRoundedRect(frame, std::abs(rec.i32(24)) / 2.0, std::abs(rec.i32(28)) / 2.0);
    drawShape(path, true);
    return true;
}

bool Player::pathRecord(quint32 type)
{
    switch (type) {
    case EMR_BEGINPATH:
        m_inPath = true;
        m_path = QPainterPath();
        return true;
    case EMR_ENDPATH:
        m_inPath = false;
        return true;
    case EMR_ABORTPATH:
        m_inPath = false;
        m_path = QPainterPath();
        return true;
    case EMR_CLOSEFIGURE:
        if (m_inPath)
            m_path.closeSubpath();
        return true;
    default: { // EMR_FILLPATH, EMR_STROKEPATH, EMR_STROKEANDFILLPATH
        if (m_inPath)
            return true;
        QPainterPath path = m_path;
        m_path = QPainterPath();
        path.setFillRule(m_s.fill);
        const PenObj keep = m_s.pen;
        if (type == EMR_FILLPATH)
            m_s.pen.style = PS_NULL;
        drawShape(path, type != EMR_STROKEPATH);
        m_s.pen = keep;
        return true;
    }
    }
}

void Player::drawShape(const QPainterPath &path, bool fill)
{
    if (m_inPath) {
        m_path.addPath(path);
        return;
    }
    const double penExtra = m_s.pen.cosmetic ? 0 : std::abs(m_s.pen.width);
    if (!usable(path.boundingRect().adjusted(-penExtra, -penExtra, penExtra, penExtra)))
        return;
    // A pen wider than any page only costs time.
    if (penExtra * std::sqrt(std::abs(m_full.determinant())) > kMaxTargetExtent / 10)
        return;
    applyPen();
    if (fill)
        applyBrush();
    else
        m_p.setBrush(Qt::NoBrush);
    m_p.drawPath(path);
}

bool Player::points(const EmfRecord &record)
{
    const quint32 type = record.type;
    QPolygonF poly;
    QString why;
    if (!decodePoints(record, poly, why))
        return fail(why);
    const bool to = pointsContinue(type);
    const bool bezier = pointsBezier(type);
    const bool polygon = pointsClosed(type);
    if (to)
        poly.prepend(m_s.curPos);
    if (poly.isEmpty())
        return true;
    QPainterPath path;
    path.setFillRule(m_s.fill);
    path.moveTo(poly.first());
    if (bezier) {
        for (qsizetype i = 1; i + 2 < poly.size(); i += 3)
            path.cubicTo(poly[i], poly[i + 1], poly[i + 2]);
    } else {
        for (qsizetype i = 1; i < poly.size(); ++i)
            path.lineTo(poly[i]);
    }
    if (polygon)
        path.closeSubpath();
    if (to)
        m_s.curPos = path.currentPosition();
    if (m_inPath && to && m_path.elementCount() > 0) {
        m_path.connectPath(path);
        return true;
    }
    drawShape(path, polygon);
    return true;
}

bool Player::polyPoints(const Reader &rec, quint32 type)
{
    const bool small = type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
    if (rec.size() < 32)
        return fail(QStringLiteral("record too short"));
    const quint64 polys = rec.u32(24);
    const quint64 total = rec.u32(28);
    const quint64 bytes = small ? 4 : 8;
    if (32 + polys * 4 + total * bytes > quint64(rec.size()))
        return fail(QStringLiteral("polygon counts or points outside the record"));
    quint64 sum = 0;
    for (quint64 i = 0; i < polys; ++i)
        sum += rec.u32(32 + qint64(i) * 4);
    if (sum > total)
        return fail(QStringLiteral("polygon counts exceed the points given"));
    const bool polygon = type == EMR_POLYPOLYGON16 || type == EMR_POLYPOLYGON;
    QPainterPath path;
    path.setFillRule(m_s.fill);
    qint64 at = 32 + qint64(polys) * 4;
    for (quint64 i = 0; i < polys; ++i) {
        const quint64 n = rec.u32(32 + qint64(i) * 4);
        for (quint64 k = 0; k < n; ++k, at += qint64(bytes)) {
            const QPointF pt =
                small ? QPointF(rec.i16(at), rec.i16(at + 2)) : QPointF(rec.i32(at), rec.i32(at + 4));
            if (k == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        if (polygon && n > 0)
            path.closeSubpath();
    }
    drawShape(path, polygon);
    return true;
}

std::optional<EmfInfo> readHeader(const QByteArray &emf, QString *why)
{
    auto bad = [&](const QString &text) -> std::optional<EmfInfo> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    const Reader r(reinterpret_cast<const uchar *>(emf.constData()), emf.size());
    if (emf.size() < qsizetype(kHeaderBaseSize))
        return bad(QStringLiteral("too short for a metafile header (%1 bytes)").arg(emf.size()));
    if (r.u32(0) != EMR_HEADER || r.u32(40) != kSignature)
        return bad(QStringLiteral("not an enhanced metafile"));
    const quint32 headerSize = r.u32(4);
    if (headerSize < kHeaderBaseSize || headerSize % 4 != 0 || headerSize > quint64(emf.size()))
        return bad(QStringLiteral("header size %1 not valid").arg(headerSize));
    EmfInfo info;
    info.bytes = r.u32(48);
    info.records = r.u32(52);
    info.handles = r.u16(56);
    if (info.bytes < headerSize || info.bytes > quint64(emf.size()))
        return bad(
            QStringLiteral("size field %1 does not fit the %2 bytes given").arg(info.bytes).arg(emf.size()));
    if (info.records < 1)
        return bad(QStringLiteral("record count is zero"));
    if (info.records > info.bytes / 8)
        return bad(QStringLiteral("record count %1 larger than the metafile can hold").arg(info.records));
    if (info.handles < 1)
        return bad(QStringLiteral("handle count is zero"));
    qint32 rc[8];
    for (int i = 0; i < 8; ++i) {
        rc[i] = r.i32(8 + i * 4);
        if (std::abs(qint64(rc[i])) > kMaxCoordinate)
            return bad(QStringLiteral("bounds or frame out of range"));
    }
    info.bounds = QRect(QPoint(rc[0], rc[1]), QPoint(rc[2], rc[3]));
    info.frame = QRect(QPoint(rc[4], rc[5]), QPoint(rc[6], rc[7]));
    const qint32 dw = r.i32(72), dh = r.i32(76), mw = r.i32(80), mh = r.i32(84);
    if (dw <= 0 || dh <= 0 || mw <= 0 || mh <= 0 || dw > kMaxCoordinate || dh > kMaxCoordinate ||
        mw > kMaxCoordinate || mh > kMaxCoordinate)
        return bad(QStringLiteral("reference device size not valid"));
    info.device = QSize(dw, dh);
    info.millimeters = QSize(mw, mh);
    const quint64 nDesc = r.u32(60), offDesc = r.u32(64);
    if (nDesc > 0) {
        if (offDesc < kHeaderBaseSize || offDesc + nDesc * 2 > headerSize)
            return bad(QStringLiteral("description outside the header record"));
        QString d;
        d.reserve(qsizetype(nDesc));
        for (quint64 i = 0; i < nDesc; ++i)
            d.append(QChar(r.u16(qint64(offDesc + i * 2))));
        while (d.endsWith(QChar(0)))
            d.chop(1);
        info.description = d;
    }
    return info;
}

} // namespace detail

std::optional<EmfInfo> EmfPlayer::inspect(const QByteArray &emf, QString *error)
{
    return detail::readHeader(emf, error);
}

bool EmfPlayer::play(const QByteArray &emf, QPainter &painter, const QRectF &target, QString *error)
{
    QString why;
    const std::optional<EmfInfo> info = detail::readHeader(emf, &why);
    if (!info) {
        if (error)
            *error = why;
        return false;
    }
    if (!painter.isActive()) {
        if (error)
            *error = QStringLiteral("the painter is not active");
        return false;
    }
    detail::Player player(emf, *info, painter, target);
    return player.run(error);
}

bool EmfPlayer::check(const QByteArray &emf, QString *error)
{
    // A picture records the painting instead of drawing it; every record is
    // validated as it is for a screen or a printer.
    QPicture picture;
    QPainter painter(&picture);
    const QSizeF size = pageSize(emf).value_or(QSizeF(816, 1056));
    return play(emf, painter, QRectF(QPointF(0, 0), size), error);
}

std::optional<QSizeF> EmfPlayer::pageSize(const QByteArray &emf)
{
    const std::optional<EmfInfo> info = detail::readHeader(emf, nullptr);
    if (!info)
        return std::nullopt;
    const double w = double(qint64(info->frame.right()) - info->frame.left());
    const double h = double(qint64(info->frame.bottom()) - info->frame.top());
    if (w <= 0 || h <= 0)
        return std::nullopt;
    return QSizeF(w * 96.0 / 2540.0, h * 96.0 / 2540.0);
}

} // namespace accrua::engine::emf
