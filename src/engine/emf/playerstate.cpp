#include "engine/emf/player.h"

#include <algorithm>
#include <cmath>

namespace accrua::engine::emf::detail {

using namespace records;

QTransform Player::pageToDevice() const
{
    return emf::pageToDevice(m_s.mapMode, m_s.winOrg, m_s.winExt, m_s.vpOrg, m_s.vpExt, m_pxPerMmX,
                             m_pxPerMmY);
}

const QTransform &Player::full()
{
    if (m_fullDirty) {
        m_full = m_s.world * pageToDevice() * m_deviceToTarget;
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

bool Player::object(quint32 index, const Obj &obj)
{
    if (index == 0 || index >= m_handles)
        return fail(QStringLiteral("object index %1 outside the table of %2").arg(index).arg(m_handles));
    m_objects.insert(index, obj);
    return true;
}

void Player::select(quint32 index)
{
    if (index & kStockFlag) {
        switch (index) {
        case WHITE_BRUSH:
        case DC_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, Qt::white, 0};
            break;
        case LTGRAY_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, QColor(0xC0, 0xC0, 0xC0), 0};
            break;
        case GRAY_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, QColor(0x80, 0x80, 0x80), 0};
            break;
        case DKGRAY_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, QColor(0x40, 0x40, 0x40), 0};
            break;
        case BLACK_BRUSH:
            m_s.brush = BrushObj{BS_SOLID, Qt::black, 0};
            break;
        case NULL_BRUSH:
            m_s.brush = BrushObj{BS_NULL, Qt::white, 0};
            break;
        case WHITE_PEN:
            m_s.pen = PenObj{};
            m_s.pen.color = Qt::white;
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
    auto it = m_objects.constFind(index);
    if (it == m_objects.constEnd())
        return; // as the platform does: selecting nothing changes nothing
    switch (it->kind) {
    case Obj::Pen:
        m_s.pen = it->pen;
        break;
    case Obj::Brush:
        m_s.brush = it->brush;
        break;
    case Obj::Font:
        m_s.font = it->font;
        break;
    case Obj::Other:
        break;
    }
}

bool Player::mapping(const Reader &rec, quint32 type)
{
    switch (type) {
    case EMR_SETMAPMODE:
        if (!need(rec, 12))
            return false;
        if (rec.u32(8) >= MM_TEXT && rec.u32(8) <= MM_ANISOTROPIC) {
            m_s.mapMode = rec.u32(8);
            m_fullDirty = true;
        }
        return true;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX: {
        if (!need(rec, 16))
            return false;
        const double cx = rec.i32(8), cy = rec.i32(12);
        if (cx == 0 || cy == 0)
            return true; // the platform refuses empty extents
        (type == EMR_SETWINDOWEXTEX ? m_s.winExt : m_s.vpExt) = QSizeF(cx, cy);
        m_fullDirty = true;
        return true;
    }
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
        if (!need(rec, 16))
            return false;
        (type == EMR_SETWINDOWORGEX ? m_s.winOrg : m_s.vpOrg) = QPointF(rec.i32(8), rec.i32(12));
        m_fullDirty = true;
        return true;
    default: { // EMR_SCALEVIEWPORTEXTEX, EMR_SCALEWINDOWEXTEX
        if (!need(rec, 24))
            return false;
        const double xn = rec.i32(8), xd = rec.i32(12), yn = rec.i32(16), yd = rec.i32(20);
        if (xd == 0 || yd == 0 || xn == 0 || yn == 0)
            return true;
        if (m_s.mapMode != MM_ISOTROPIC && m_s.mapMode != MM_ANISOTROPIC)
            return true;
        QSizeF &ext = type == EMR_SCALEVIEWPORTEXTEX ? m_s.vpExt : m_s.winExt;
        const double cx = std::trunc(ext.width() * xn / xd), cy = std::trunc(ext.height() * yn / yd);
        if (cx != 0 && cy != 0 && std::abs(cx) < 1e9 && std::abs(cy) < 1e9)
            ext = QSizeF(cx, cy);
        m_fullDirty = true;
        return true;
    }
    }
}

bool Player::restoreDc(const Reader &rec)
{
    if (!need(rec, 12))
        return false;
    const qint64 n = rec.i32(8);
    const qint64 depth = qint64(m_stack.size());
    qint64 level = -1; // the number of saved states that remain
    if (n < 0 && -n <= depth)
        level = depth + n;
    else if (n > 0 && n <= depth)
        level = n - 1;
    if (level < 0)
        return true; // unbalanced: the platform ignores it, and so do we
    m_s = m_stack[size_t(level)];
    m_stack.resize(size_t(level));
    m_fullDirty = true;
    applyClip();
    return true;
}

bool Player::worldTransform(const Reader &rec, quint32 type)
{
    if (!need(rec, type == EMR_SETWORLDTRANSFORM ? 32 : 36))
        return false;
    const double m[6] = {rec.f32(8), rec.f32(12), rec.f32(16), rec.f32(20), rec.f32(24), rec.f32(28)};
    for (double v : m)
        if (!finite(v) || std::abs(v) > 1e9)
            return true;
    const QTransform x(m[0], m[1], m[2], m[3], m[4], m[5]);
    const quint32 mode = type == EMR_SETWORLDTRANSFORM ? MWT_SET : rec.u32(32);
    QTransform next = m_s.world;
    if (mode == MWT_IDENTITY)
        next = QTransform();
    else if (mode == MWT_LEFTMULTIPLY)
        next = x * m_s.world;
    else if (mode == MWT_RIGHTMULTIPLY)
        next = m_s.world * x;
    else if (mode == MWT_SET)
        next = x;
    if (saneTransform(next)) {
        m_s.world = next;
        m_fullDirty = true;
    }
    return true;
}

bool Player::createObject(const Reader &rec, quint32 type)
{
    switch (type) {
    case EMR_CREATEPEN: {
        if (!need(rec, 28))
            return false;
        Obj o;
        o.kind = Obj::Pen;
        o.pen.style = rec.u32(12) & PS_STYLE_MASK;
        o.pen.width = std::abs(double(rec.i32(16)));
        o.pen.cosmetic = o.pen.width == 0;
        o.pen.color = fromColorRef(rec.u32(24));
        return object(rec.u32(8), o);
    }
    case EMR_EXTCREATEPEN: {
        if (!need(rec, 52))
            return false;
        const quint64 entries = rec.u32(48);
        if (52 + entries * 4 > quint64(rec.size()))
            return fail(QStringLiteral("pen style entries outside the record"));
        const quint32 style = rec.u32(28);
        Obj o;
        o.kind = Obj::Pen;
        o.pen.style = rec.u32(36) == BS_NULL ? PS_NULL : (style & PS_STYLE_MASK);
        o.pen.cosmetic = !(style & PS_GEOMETRIC);
        o.pen.width = o.pen.cosmetic ? 0 : std::abs(double(rec.i32(32)));
        o.pen.color = fromColorRef(rec.u32(40));
        const quint32 cap = style & 0xF00, join = style & 0xF000;
        o.pen.cap = cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap;
        o.pen.join = join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin;
        return object(rec.u32(8), o);
    }
    case EMR_CREATEBRUSHINDIRECT: {
        if (!need(rec, 24))
            return false;
        Obj o;
        o.kind = Obj::Brush;
        o.brush.style = rec.u32(12);
        o.brush.color = fromColorRef(rec.u32(16));
        o.brush.hatch = rec.u32(20);
        if (o.brush.style != BS_SOLID && o.brush.style != BS_NULL && o.brush.style != BS_HATCHED)
            o.brush.style = BS_SOLID;
        return object(rec.u32(8), o);
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        if (!need(rec, 12 + kLogFontSize))
            return false;
        Obj o;
        o.kind = Obj::Font;
        o.font.height = rec.i32(12);
        o.font.escapement = rec.i32(20);
        o.font.weight = rec.i32(28);
        o.font.italic = rec.u8(32) != 0;
        o.font.underline = rec.u8(33) != 0;
        o.font.strikeOut = rec.u8(34) != 0;
        QString face;
        for (int i = 0; i < 32; ++i) {
            const quint16 c = rec.u16(40 + i * 2);
            if (!c)
                break;
            face.append(QChar(c));
        }
        o.font.face = face.isEmpty() ? QStringLiteral("Arial") : face;
        return object(rec.u32(8), o);
    }
    default: // EMR_CREATEPALETTE, EMR_CREATEMONOBRUSH, EMR_CREATEDIBPATTERNBRUSHPT
        if (!need(rec, 12))
            return false;
        // Kept so that selecting and deleting them stay consistent; they do not draw.
        return object(rec.u32(8), Obj{});
    }
}

bool Player::clipRect(const Reader &rec, quint32 type)
{
    if (!need(rec, 24))
        return false;
    const QTransform toDevice = m_s.world * pageToDevice();
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
