#include "engine/emf/player.h"

#include <algorithm>
#include <cmath>

namespace accrua::engine::emf::detail {

using namespace records;

QTransform Player::pageToDevice() const
{
    return m_s.map.toDevice(m_pxPerMmX, m_pxPerMmY);
}

const QTransform &Player::full()
{
    if (m_fullDirty) {
        m_full = pageToDevice() * m_deviceToTarget;
        m_fullOk = saneTransform(m_full);
        m_fullDirty = false;
        m_painterDirty = true;
    }
    return m_full;
}

// A shape is drawn only when the mapping is sound and it lands within a sane
// distance of the target; absurd coordinates would only cost time.
bool Player::usable(const QRectF &logical)
{
    const QTransform &t = full();
    if (!m_fullOk)
        return false;
    const QRectF r = t.mapRect(logical);
    const double lim = kMaxTargetExtent;
    if (!finite(r.left()) || !finite(r.right()) || !finite(r.top()) || !finite(r.bottom()))
        return false;
    if (std::abs(r.left()) > lim || std::abs(r.right()) > lim || std::abs(r.top()) > lim ||
        std::abs(r.bottom()) > lim)
        return false;
    if (m_painterDirty) {
        m_p.setTransform(t);
        m_painterDirty = false;
    }
    return true;
}

// Whole device pixels, exclusive of the right and bottom edges; clamped so
// that hostile coordinates stay within what a region can hold.
QRect Player::deviceRect(const QRectF &r)
{
    const double lim = double(kMaxCoordinate);
    auto c = [lim](double v) { return int(std::lround(std::clamp(finite(v) ? v : 0.0, -lim, lim))); };
    const QRectF n = r.normalized();
    const int l = c(n.left()), t = c(n.top()), rr = c(n.right()), b = c(n.bottom());
    if (rr <= l || b <= t)
        return QRect();
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
}

// Without a clip the whole target may be drawn on.
QRegion Player::defaultClip() const
{
    return QRegion(deviceRect(m_deviceToTarget.inverted().mapRect(m_target)).adjusted(-1, -1, 1, 1));
}

void Player::applyClip()
{
    m_p.setTransform(QTransform());
    m_p.setClipRect(m_target);
    if (m_s.hasClip) {
        m_p.setTransform(m_deviceToTarget);
        m_p.setClipRegion(m_s.clip, Qt::IntersectClip);
    }
    m_painterDirty = true;
}

QPen Player::qpen() const
{
    const PenObj &pen = m_s.pen;
    const quint32 style = pen.style & PS_STYLE_MASK;
    if (style == PS_NULL)
        return QPen(Qt::NoPen);
    QPen qp(pen.color);
    const double deviceScale = std::abs(m_deviceToTarget.m11());
    if (pen.cosmetic || pen.width <= 0) {
        qp.setCosmetic(true);
        qp.setWidthF(std::clamp(deviceScale, 1.0, 1000.0));
    } else {
        qp.setWidthF(std::min(pen.width, 32000.0)); // QPen refuses 32768 and more
    }
    qp.setCapStyle(pen.cap);
    qp.setJoinStyle(pen.join);
    // Dashes only on cosmetic pens: a dash pattern scaled by a huge or tiny
    // geometric width is how a stroker gets asked for millions of dashes.
    if (qp.isCosmetic()) {
        switch (style) {
        case PS_DASH:
            qp.setStyle(Qt::DashLine);
            break;
        case PS_DOT:
            qp.setStyle(Qt::DotLine);
            break;
        case PS_DASHDOT:
            qp.setStyle(Qt::DashDotLine);
            break;
        case PS_DASHDOTDOT:
            qp.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
    }
    return qp;
}

void Player::applyPen()
{
    m_p.setPen(qpen());
}

void Player::applyBrush()
{
    const BrushObj &b = m_s.brush;
    if (b.style == BS_NULL) {
        m_p.setBrush(Qt::NoBrush);
    } else if (b.style == BS_HATCHED) {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        m_p.setBrush(QBrush(b.color, b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern));
    } else {
        m_p.setBrush(QBrush(b.color));
    }
}

namespace {

QColor colorOf(quint32 colorRef)
{
    return fromColorRef(colorRef);
}

Obj objOf(const LogObject &o)
{
    Obj obj;
    switch (o.kind) {
    case LogObject::Pen: {
        obj.kind = Obj::Pen;
        obj.pen.style = o.pen.style;
        obj.pen.width = o.pen.width;
        obj.pen.cosmetic = o.pen.cosmetic;
        obj.pen.color = colorOf(o.pen.color);
        obj.pen.cap = o.pen.endCap == 0x100   ? Qt::SquareCap
                      : o.pen.endCap == 0x200 ? Qt::FlatCap
                                              : Qt::RoundCap;
        obj.pen.join = o.pen.join == 0x1000   ? Qt::BevelJoin
                       : o.pen.join == 0x2000 ? Qt::MiterJoin
                                              : Qt::RoundJoin;
        break;
    }
    case LogObject::Brush:
        obj.kind = Obj::Brush;
        obj.brush = BrushObj{o.brush.style, colorOf(o.brush.color), o.brush.hatch};
        break;
    case LogObject::Font:
        obj.kind = Obj::Font;
        obj.font = o.font;
        break;
    case LogObject::Other:
        break;
    }
    return obj;
}

} // namespace

bool Player::createObject(const EmfRecord &record)
{
    LogObject o;
    QString why;
    if (!decodeObject(record, m_handles, o, why))
        return fail(why);
    m_objects.insert(o.index, objOf(o));
    return true;
}

void Player::select(quint32 index)
{
    if (index & kStockFlag) {
        selectObject(objOf(stockObject(index)));
        return;
    }
    auto it = m_objects.constFind(index);
    if (it != m_objects.constEnd())
        selectObject(*it);
    // As the platform does: selecting nothing changes nothing.
}

void Player::selectObject(const Obj &obj)
{
    switch (obj.kind) {
    case Obj::Pen:
        m_s.pen = obj.pen;
        break;
    case Obj::Brush:
        m_s.brush = obj.brush;
        break;
    case Obj::Font:
        m_s.font = obj.font;
        break;
    case Obj::Other:
        break;
    }
}

bool Player::restoreDc(const Reader &rec)
{
    qint64 level = -1; // the number of saved states that remain
    QString why;
    if (!restoreLevel(rec, qint64(m_stack.size()), level, why))
        return fail(why);
    if (level < 0)
        return true; // unbalanced: the platform ignores it, and so do we
    m_s = m_stack[size_t(level)];
    m_stack.resize(size_t(level));
    m_fullDirty = true;
    applyClip();
    return true;
}

bool Player::clipRect(const Reader &rec, quint32 type)
{
    if (!need(rec, 24))
        return false;
    const QTransform toDevice = pageToDevice();
    if (!saneTransform(toDevice))
        return true;
    const QRegion r(deviceRect(toDevice.mapRect(rectAt(rec, 8))));
    const QRegion current = m_s.hasClip ? m_s.clip : defaultClip();
    m_s.clip = type == EMR_INTERSECTCLIPRECT ? current.intersected(r) : current.subtracted(r);
    m_s.hasClip = true;
    applyClip();
    return true;
}

bool Player::clipRegion(const Reader &rec)
{
    if (!need(rec, 16))
        return false;
    const quint64 cb = rec.u32(8);
    const quint32 mode = rec.u32(12);
    if (16 + cb > quint64(rec.size()))
        return fail(QStringLiteral("region data outside the record"));
    if (cb == 0) {
        if (mode == RGN_COPY) {
            m_s.hasClip = false;
            m_s.clip = QRegion();
            applyClip();
        }
        return true;
    }
    if (cb < 32)
        return fail(QStringLiteral("region header too short"));
    const quint64 n = rec.u32(24);
    if (32 + n * 16 > cb)
        return fail(QStringLiteral("region rectangles outside the record"));
    // Merged pairwise, so that many rectangles cost n log n, not n squared.
    std::vector<QRegion> parts;
    const quint64 used = std::min<quint64>(n, 65536); // beyond that, a hostile file
    parts.reserve(size_t(used));
    for (quint64 i = 0; i < used; ++i)
        parts.emplace_back(deviceRect(rectAt(rec, 48 + qint64(i) * 16)));
    while (parts.size() > 1) {
        std::vector<QRegion> merged;
        merged.reserve(parts.size() / 2 + 1);
        for (size_t i = 0; i < parts.size(); i += 2)
            merged.push_back(i + 1 < parts.size() ? parts[i].united(parts[i + 1]) : parts[i]);
        parts.swap(merged);
    }
    const QRegion region = parts.empty() ? QRegion() : parts.front();
    const QRegion current = m_s.hasClip ? m_s.clip : defaultClip();
    switch (mode) {
    case RGN_AND:
        m_s.clip = current.intersected(region);
        break;
    case RGN_OR:
        m_s.clip = current.united(region);
        break;
    case RGN_XOR:
        m_s.clip = current.xored(region);
        break;
    case RGN_DIFF:
        m_s.clip = current.subtracted(region);
        break;
    default:
        m_s.clip = region;
        break;
    }
    m_s.hasClip = true;
    applyClip();
    return true;
}

} // namespace accrua::engine::emf::detail
