#include "engine/emf.h"
#include "engine/emfrecords.h"

#include <QGlyphRun>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace accrua::engine {

using namespace emf;

namespace {

constexpr int kMaxSaveDepth = 256;
constexpr qint64 kMaxDibPixels = 16LL * 1024 * 1024;
constexpr qint64 kMaxDibSide = 32768;
constexpr qint64 kMaxCoordinate = 1LL << 28; // header rectangles, in their units
constexpr double kMaxTargetExtent = 1.0e6;   // target pixels; beyond that nothing is drawn
constexpr int kMaxTextChars = 65536;

QString recordName(quint32 type)
{
    return QStringLiteral("record %1").arg(type);
}

QColor fromColorRef(quint32 c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

bool finite(double v)
{
    return std::isfinite(v);
}

bool saneTransform(const QTransform &t)
{
    const double m[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double v : m)
        if (!finite(v) || std::abs(v) > 1e12)
            return false;
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    return finite(det) && std::abs(det) > 1e-18;
}

struct PenObj {
    quint32 style = PS_SOLID;
    double width = 0; // logical units; 0 means one device pixel
    bool cosmetic = true;
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};

struct BrushObj {
    quint32 style = BS_SOLID;
    QColor color = Qt::white;
    quint32 hatch = 0;
};

struct FontObj {
    qint32 height = 0;
    qint32 escapement = 0;
    qint32 weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face = QStringLiteral("Arial");
};

struct Obj {
    enum Kind { Pen, Brush, Font, Other } kind = Other;
    PenObj pen;
    BrushObj brush;
    FontObj font;
};

struct DcState {
    quint32 mapMode = MM_TEXT;
    QPointF winOrg, vpOrg;
    QSizeF winExt{1, 1}, vpExt{1, 1};
    QTransform world;
    PenObj pen;
    BrushObj brush;
    FontObj font;
    quint32 textAlign = 0;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    quint32 bkMode = OPAQUE;
    Qt::FillRule fill = Qt::OddEvenFill;
    bool smoothStretch = false; // HALFTONE; the other modes pick pixels
    QPointF curPos;
    bool hasClip = false;
    QRegion clip; // device pixels, as the platform keeps it
};

enum class DibResult { Ok, Unsupported, Damaged };

// Decodes a device-independent bitmap held inside one record. Every offset
// and count is checked against that record, in 64-bit arithmetic.
DibResult decodeDib(const Reader &rec, qint64 fixedSize, quint32 offBmi, quint32 cbBmi, quint32 offBits,
                    quint32 cbBits, quint32 usage, bool partialScans, QImage *out, QString *why)
{
    const qint64 size = rec.size();
    if (offBmi < fixedSize || qint64(offBmi) + cbBmi > size) {
        *why = QStringLiteral("bitmap header outside its record");
        return DibResult::Damaged;
    }
    if (offBits < fixedSize || qint64(offBits) + cbBits > size) {
        *why = QStringLiteral("bitmap bits outside their record");
        return DibResult::Damaged;
    }
    if (cbBmi < 40) {
        *why = QStringLiteral("bitmap header too short");
        return cbBmi >= 12 ? DibResult::Unsupported : DibResult::Damaged;
    }
    const quint32 biSize = rec.u32(offBmi);
    if (biSize < 40)
        return DibResult::Unsupported; // core headers are not written by report programs
    if (biSize > cbBmi) {
        *why = QStringLiteral("bitmap header larger than its space");
        return DibResult::Damaged;
    }
    const qint64 w = rec.i32(offBmi + 4);
    const qint64 rawH = rec.i32(offBmi + 8);
    const quint32 bpp = rec.u16(offBmi + 14);
    const quint32 compression = rec.u32(offBmi + 16);
    const quint32 clrUsed = rec.u32(offBmi + 32);
    const bool bottomUp = rawH > 0;
    const qint64 h = rawH < 0 ? -rawH : rawH;
    if (w <= 0 || h <= 0 || w > kMaxDibSide || h > kMaxDibSide || w * h > kMaxDibPixels) {
        *why = QStringLiteral("bitmap dimensions out of range (%1 x %2)").arg(w).arg(rawH);
        return DibResult::Damaged;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        *why = QStringLiteral("bitmap depth %1 not valid").arg(bpp);
        return DibResult::Damaged;
    }
    const bool bitfields = compression == BI_BITFIELDS && (bpp == 16 || bpp == 32);
    if (compression != BI_RGB && !bitfields)
        return DibResult::Unsupported;
    if (bpp <= 8 && usage != DIB_RGB_COLORS)
        return DibResult::Unsupported;

    const qint64 stride = ((w * bpp + 31) / 32) * 4;
    if (stride * h > cbBits) {
        // SETDIBITSTODEVICE may carry only some scan lines: not drawn here.
        *why = QStringLiteral("bitmap bits shorter than its dimensions");
        return partialScans ? DibResult::Unsupported : DibResult::Damaged;
    }

    std::vector<QRgb> table;
    if (bpp <= 8) {
        const qint64 maxColors = qint64(1) << bpp;
        const qint64 n = clrUsed == 0 ? maxColors : std::min<qint64>(clrUsed, maxColors);
        const qint64 tableAt = qint64(offBmi) + biSize;
        if (tableAt + n * 4 > qint64(offBmi) + cbBmi) {
            *why = QStringLiteral("colour table outside the bitmap header");
            return DibResult::Damaged;
        }
        table.resize(size_t(maxColors), qRgb(0, 0, 0));
        for (qint64 i = 0; i < n; ++i) {
            const quint32 q = rec.u32(tableAt + i * 4);
            table[size_t(i)] = qRgb(int((q >> 16) & 0xFF), int((q >> 8) & 0xFF), int(q & 0xFF));
        }
    }
    quint32 masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bpp == 32 && !bitfields) {
        masks[0] = 0xFF0000;
        masks[1] = 0xFF00;
        masks[2] = 0xFF;
    }
    if (bitfields) {
        const qint64 maskAt = qint64(offBmi) + 40;
        if (maskAt + 12 > qint64(offBmi) + cbBmi) {
            *why = QStringLiteral("colour masks outside the bitmap header");
            return DibResult::Damaged;
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = rec.u32(maskAt + i * 4);
    }
    int shift[3], bits[3];
    for (int i = 0; i < 3; ++i) {
        quint32 m = masks[i];
        shift[i] = 0;
        bits[i] = 0;
        if (!m)
            continue;
        while (!(m & 1)) {
            m >>= 1;
            ++shift[i];
        }
        while (m & 1) {
            m >>= 1;
            ++bits[i];
        }
    }
    auto channel = [&](quint32 v, int i) -> int {
        if (!bits[i])
            return 0;
        const quint32 x = (v & masks[i]) >> shift[i];
        const quint32 maxv = bits[i] >= 32 ? 0xFFFFFFFFu : ((1u << bits[i]) - 1);
        return int((quint64(x) * 255 + maxv / 2) / maxv);
    };

    QImage img(int(w), int(h), QImage::Format_RGB32);
    if (img.isNull()) {
        *why = QStringLiteral("bitmap cannot be held in memory");
        return DibResult::Damaged;
    }
    const uchar *base = rec.data() + offBits;
    for (qint64 y = 0; y < h; ++y) {
        const uchar *src = base + stride * (bottomUp ? h - 1 - y : y);
        QRgb *dst = reinterpret_cast<QRgb *>(img.scanLine(int(y)));
        for (qint64 x = 0; x < w; ++x) {
            switch (bpp) {
            case 1:
                dst[x] = table[size_t((src[x >> 3] >> (7 - (x & 7))) & 1)];
                break;
            case 4:
                dst[x] = table[size_t((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF)];
                break;
            case 8:
                dst[x] = table[src[x]];
                break;
            case 16: {
                const quint32 v = quint32(src[x * 2]) | (quint32(src[x * 2 + 1]) << 8);
                dst[x] = qRgb(channel(v, 0), channel(v, 1), channel(v, 2));
                break;
            }
            case 24:
                dst[x] = qRgb(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
                break;
            default: {
                const uchar *p = src + x * 4;
                const quint32 v =
                    quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
                dst[x] = qRgb(channel(v, 0), channel(v, 1), channel(v, 2));
                break;
            }
            }
        }
    }
    *out = img;
    return DibResult::Ok;
}

class Player {
public:
    Player(const QByteArray &data, const EmfInfo &info, QPainter &painter, const QRectF &target)
        : m_data(data), m_info(info), m_p(painter), m_target(target)
    {
    }

    bool run(QString *error);

private:
    // Ends playback of a damaged metafile with a reason.
    bool fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1 at offset %2: %3").arg(recordName(m_type)).arg(m_offset).arg(why);
        return false;
    }

    bool dispatch(const Reader &rec);
    bool object(quint32 index, Obj obj);
    void select(quint32 index);
    QTransform pageToDevice() const;
    const QTransform &full();
    bool usable(const QRectF &logical);
    void applyClip();
    QRegion defaultClip() const;
    static QRect deviceRect(const QRectF &r);
    void applyPen();
    void applyBrush();
    QPen qpen() const;
    void drawShape(const QPainterPath &path, bool fill);
    bool points(const Reader &rec, quint32 type);
    bool polyPoints(const Reader &rec, quint32 type);
    bool text(const Reader &rec, bool wide);
    bool bitmap(const Reader &rec, quint32 type);
    QRectF rectAt(const Reader &rec, qint64 at) const
    {
        const double l = rec.i32(at), t = rec.i32(at + 4), r = rec.i32(at + 8), b = rec.i32(at + 12);
        return QRectF(QPointF(l, t), QPointF(r, b)).normalized();
    }

    const QByteArray &m_data;
    EmfInfo m_info;
    QPainter &m_p;
    QRectF m_target;
    QTransform m_deviceToTarget;
    double m_pxPerMmX = 96 / 25.4, m_pxPerMmY = 96 / 25.4;

    DcState m_s;
    std::vector<DcState> m_stack;
    QHash<quint32, Obj> m_objects;
    quint32 m_handles = 1;

    bool m_fullDirty = true;
    bool m_fullOk = false;
    QTransform m_full;
    bool m_painterDirty = true;
    bool m_inPath = false;
    QPainterPath m_path;

    quint32 m_type = 0;
    qint64 m_offset = 0;
    QString m_error;
};

QTransform Player::pageToDevice() const
{
    double sx = 1, sy = 1;
    switch (m_s.mapMode) {
    case MM_LOMETRIC:
        sx = m_pxPerMmX * 0.1;
        sy = -m_pxPerMmY * 0.1;
        break;
    case MM_HIMETRIC:
        sx = m_pxPerMmX * 0.01;
        sy = -m_pxPerMmY * 0.01;
        break;
    case MM_LOENGLISH:
        sx = m_pxPerMmX * 0.254;
        sy = -m_pxPerMmY * 0.254;
        break;
    case MM_HIENGLISH:
        sx = m_pxPerMmX * 0.0254;
        sy = -m_pxPerMmY * 0.0254;
        break;
    case MM_TWIPS:
        sx = m_pxPerMmX * 25.4 / 1440;
        sy = -m_pxPerMmY * 25.4 / 1440;
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        sx = m_s.vpExt.width() / m_s.winExt.width();
        sy = m_s.vpExt.height() / m_s.winExt.height();
        if (m_s.mapMode == MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = sx < 0 ? -m : m;
            sy = sy < 0 ? -m : m;
        }
        break;
    default:
        break;
    }
    return QTransform(sx, 0, 0, sy, m_s.vpOrg.x() - m_s.winOrg.x() * sx, m_s.vpOrg.y() - m_s.winOrg.y() * sy);
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

bool Player::object(quint32 index, Obj obj)
{
    if (index == 0 || index >= m_handles)
        return fail(QStringLiteral("object index %1 outside the table of %2").arg(index).arg(m_handles));
    m_objects.insert(index, std::move(obj));
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

bool Player::run(QString *error)
{
    const Reader all(reinterpret_cast<const uchar *>(m_data.constData()), m_info.bytes);

    // The frame (0.01 mm) of the reference device is what lands on the target.
    qint64 fl = m_info.frame.left(), ft = m_info.frame.top();
    qint64 fr = m_info.frame.right(), fb = m_info.frame.bottom();
    const double devW = m_info.device.width(), devH = m_info.device.height();
    const double mmW = m_info.millimeters.width(), mmH = m_info.millimeters.height();
    double umPerPxX = mmW * 1000 / devW, umPerPxY = mmH * 1000 / devH;
    {
        const qint64 umW = all.i32(100), umH = all.i32(104);
        const quint32 headerSize = all.u32(4);
        const quint32 nDesc = all.u32(60), offDesc = all.u32(64);
        // The micrometre sizes refine the millimetre ones; a value that
        // disagrees with them is not trusted.
        if (headerSize >= kHeaderFullSize && (nDesc == 0 || offDesc >= kHeaderFullSize) && umW > 0 &&
            umH > 0 && std::abs(umW / 1000.0 - mmW) <= 1 && std::abs(umH / 1000.0 - mmH) <= 1) {
            umPerPxX = double(umW) / devW;
            umPerPxY = double(umH) / devH;
        }
    }
    m_pxPerMmX = 1000 / umPerPxX;
    m_pxPerMmY = 1000 / umPerPxY;
    if (fr <= fl || fb <= ft) {
        // No frame: fall back to the device bounds.
        fl = qint64(std::floor(m_info.bounds.left() * umPerPxX / 10));
        ft = qint64(std::floor(m_info.bounds.top() * umPerPxY / 10));
        fr = qint64(std::ceil((m_info.bounds.right() + 1.0) * umPerPxX / 10));
        fb = qint64(std::ceil((m_info.bounds.bottom() + 1.0) * umPerPxY / 10));
        if (fr <= fl || fb <= ft) {
            if (error)
                *error = QStringLiteral("the metafile has neither a frame nor bounds");
            return false;
        }
    }
    const double sx = m_target.width() / double(fr - fl);
    const double sy = m_target.height() / double(fb - ft);
    m_deviceToTarget = QTransform(umPerPxX / 10 * sx, 0, 0, umPerPxY / 10 * sy, m_target.left() - fl * sx,
                                  m_target.top() - ft * sy);
    if (!saneTransform(m_deviceToTarget) || !m_target.isValid()) {
        if (error)
            *error = QStringLiteral("the metafile cannot be scaled onto the target");
        return false;
    }
    m_handles = std::max<quint32>(1, m_info.handles);

    // First pass: the record framing, so that a broken chain paints nothing.
    const qint64 end = m_info.bytes;
    qint64 off = all.u32(4);
    quint64 count = 1;
    while (off < end && count < m_info.records) {
        m_offset = off;
        m_type = all.u32(off);
        if (end - off < 8) {
            if (error)
                *error = QStringLiteral("truncated record at offset %1").arg(off);
            return false;
        }
        const quint32 size = all.u32(off + 4);
        if (size < 8 || size % 4 != 0 || size > end - off) {
            if (error)
                *error = QStringLiteral("%1 at offset %2 has a bad size (%3)")
                             .arg(recordName(m_type))
                             .arg(off)
                             .arg(size);
            return false;
        }
        ++count;
        if (m_type == EMR_EOF)
            break;
        off += size;
    }

    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    m_p.setRenderHint(QPainter::TextAntialiasing, true);
    applyClip();
    off = all.u32(4);
    count = 1;
    bool ok = true;
    while (off < end && count < m_info.records) {
        m_offset = off;
        m_type = all.u32(off);
        const quint32 size = all.u32(off + 4);
        ++count;
        if (m_type == EMR_EOF)
            break;
        const Reader rec(all.data() + off, size);
        if (!dispatch(rec)) {
            ok = false;
            break;
        }
        off += size;
    }
    m_p.restore();
    if (!ok && error)
        *error = m_error;
    return ok;
}

bool Player::dispatch(const Reader &rec)
{
    const qint64 size = rec.size();
    auto need = [&](qint64 bytes) {
        if (size < bytes)
            return fail(QStringLiteral("record too short (%1 of %2 bytes)").arg(size).arg(bytes));
        return true;
    };
    const quint32 type = m_type;
    switch (type) {
    case EMR_HEADER:
        return true; // a second header is ignored
    case EMR_SETMAPMODE:
        if (!need(12))
            return false;
        if (rec.u32(8) >= MM_TEXT && rec.u32(8) <= MM_ANISOTROPIC) {
            m_s.mapMode = rec.u32(8);
            m_fullDirty = true;
        }
        return true;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX: {
        if (!need(16))
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
        if (!need(16))
            return false;
        (type == EMR_SETWINDOWORGEX ? m_s.winOrg : m_s.vpOrg) = QPointF(rec.i32(8), rec.i32(12));
        m_fullDirty = true;
        return true;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: {
        if (!need(24))
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
    case EMR_SAVEDC:
        if (m_stack.size() < size_t(kMaxSaveDepth))
            m_stack.push_back(m_s);
        return true;
    case EMR_RESTOREDC: {
        if (!need(12))
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
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM: {
        if (!need(type == EMR_SETWORLDTRANSFORM ? 32 : 36))
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
    case EMR_CREATEPEN: {
        if (!need(28))
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
        if (!need(52))
            return false;
        const quint64 entries = rec.u32(48);
        if (52 + entries * 4 > quint64(size))
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
        if (!need(24))
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
        if (!need(12 + kLogFontSize))
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
    case EMR_CREATEPALETTE:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        if (!need(12))
            return false;
        // Kept so that selecting and deleting them stay consistent; they do not draw.
        return object(rec.u32(8), Obj{});
    case EMR_SELECTOBJECT:
        if (!need(12))
            return false;
        select(rec.u32(8));
        return true;
    case EMR_DELETEOBJECT:
        if (!need(12))
            return false;
        m_objects.remove(rec.u32(8));
        return true;
    case EMR_SETTEXTALIGN:
        if (!need(12))
            return false;
        m_s.textAlign = rec.u32(8);
        return true;
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
        if (!need(12))
            return false;
        (type == EMR_SETTEXTCOLOR ? m_s.textColor : m_s.bkColor) = fromColorRef(rec.u32(8));
        return true;
    case EMR_SETBKMODE:
        if (!need(12))
            return false;
        if (rec.u32(8) == TRANSPARENT || rec.u32(8) == OPAQUE)
            m_s.bkMode = rec.u32(8);
        return true;
    case EMR_SETSTRETCHBLTMODE:
        if (!need(12))
            return false;
        m_s.smoothStretch = rec.u32(8) == 4;
        return true;
    case EMR_SETPIXELV: {
        if (!need(20))
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
    case EMR_SETPOLYFILLMODE:
        if (!need(12))
            return false;
        m_s.fill = rec.u32(8) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case EMR_MOVETOEX:
        if (!need(16))
            return false;
        m_s.curPos = QPointF(rec.i32(8), rec.i32(12));
        if (m_inPath)
            m_path.moveTo(m_s.curPos);
        return true;
    case EMR_LINETO: {
        if (!need(16))
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
    case EMR_ROUNDRECT: {
        if (!need(type == EMR_ROUNDRECT ? 32 : 24))
            return false;
        QRectF box = rectAt(rec, 8);
        if ((m_s.pen.style & PS_STYLE_MASK) == PS_INSIDEFRAME && !m_s.pen.cosmetic) {
            const double h = std::min({m_s.pen.width / 2, box.width() / 2, box.height() / 2});
            box.adjust(h, h, -h, -h);
        }
        QPainterPath path;
        if (type == EMR_RECTANGLE)
            path.addRect(box);
        else if (type == EMR_ELLIPSE)
            path.addEllipse(box);
        else
            path.addRoundedRect(box, std::abs(rec.i32(24)) / 2.0, std::abs(rec.i32(28)) / 2.0);
        drawShape(path, true);
        return true;
    }
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
        return points(rec, type);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
        return polyPoints(rec, type);
    case EMR_EXTTEXTOUTW:
        return text(rec, true);
    case EMR_EXTTEXTOUTA:
        return text(rec, false);
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_STRETCHDIBITS:
    case EMR_SETDIBITSTODEVICE:
        return bitmap(rec, type);
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
        if (!need(24))
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
    case EMR_EXTSELECTCLIPRGN: {
        if (!need(16))
            return false;
        const quint64 cb = rec.u32(8);
        const quint32 mode = rec.u32(12);
        if (16 + cb > quint64(size))
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
    case EMR_FILLPATH:
    case EMR_STROKEPATH:
    case EMR_STROKEANDFILLPATH: {
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
    default:
        // Comments (and the EMF+ records inside them), palettes, modes that do
        // not change a report page, and records we do not know: skipped by size.
        return true;
    }
}

bool Player::points(const Reader &rec, quint32 type)
{
    const bool small = type >= EMR_POLYBEZIER16;
    if (rec.size() < 28)
        return fail(QStringLiteral("record too short"));
    const quint64 n = rec.u32(24);
    const quint64 bytes = small ? 4 : 8;
    if (28 + n * bytes > quint64(rec.size()))
        return fail(QStringLiteral("%1 points outside the record").arg(n));
    QPolygonF poly;
    poly.reserve(qsizetype(n));
    for (quint64 i = 0; i < n; ++i) {
        const qint64 at = 28 + qint64(i * bytes);
        poly.append(small ? QPointF(rec.i16(at), rec.i16(at + 2)) : QPointF(rec.i32(at), rec.i32(at + 4)));
    }
    const bool to = type == EMR_POLYLINETO16 || type == EMR_POLYLINETO || type == EMR_POLYBEZIERTO16 ||
                    type == EMR_POLYBEZIERTO;
    const bool bezier = type == EMR_POLYBEZIER16 || type == EMR_POLYBEZIERTO16 || type == EMR_POLYBEZIER ||
                        type == EMR_POLYBEZIERTO;
    const bool polygon = type == EMR_POLYGON16 || type == EMR_POLYGON;
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

bool Player::text(const Reader &rec, bool wide)
{
    constexpr qint64 fixed = 76;
    if (rec.size() < fixed)
        return fail(QStringLiteral("text record too short"));
    const QPointF ref(rec.i32(36), rec.i32(40));
    const quint64 nChars = rec.u32(44);
    const quint32 offString = rec.u32(48);
    const quint32 options = rec.u32(52);
    const QRectF rcl = rectAt(rec, 56);
    const quint32 offDx = rec.u32(72);
    const quint64 unit = wide ? 2 : 1;
    if (nChars > 0 && (offString < fixed || offString + nChars * unit > quint64(rec.size())))
        return fail(QStringLiteral("text of %1 characters outside the record").arg(nChars));
    const quint64 dxCount = (options & ETO_PDY) ? nChars * 2 : nChars;
    if (nChars > 0 && offDx != 0 && (offDx < fixed || offDx + dxCount * 4 > quint64(rec.size())))
        return fail(QStringLiteral("advances for %1 characters outside the record").arg(nChars));
    if (nChars > quint64(kMaxTextChars))
        return fail(QStringLiteral("text run of %1 characters").arg(nChars));

    if ((options & ETO_OPAQUE) && !m_inPath && usable(rcl)) {
        m_p.fillRect(rcl, m_s.bkColor);
    }
    if (nChars == 0 || (options & ETO_GLYPH_INDEX) || m_inPath)
        return true; // glyph numbers belong to the writer's own font files

    // The run is drawn in device space at the reference point, so glyphs keep
    // their shape under anisotropic mappings, as on the platform.
    const QTransform toDevice = m_s.world * pageToDevice();
    full();
    if (!saneTransform(toDevice) || !m_fullOk)
        return true;
    const double xScale = std::hypot(toDevice.m11(), toDevice.m12());
    const double yScale = std::hypot(toDevice.m21(), toDevice.m22());

    QString str;
    str.reserve(qsizetype(nChars));
    for (quint64 i = 0; i < nChars; ++i)
        str.append(wide ? QChar(rec.u16(offString + qint64(i) * 2)) : QChar(rec.u8(offString + qint64(i))));

    const FontObj &lf = m_s.font;
    FontSpec spec;
    spec.family = lf.face;
    spec.bold = lf.weight >= 600;
    spec.italic = lf.italic;
    spec.pointSize = 72; // 96 px: ascent and descent below are per pixel of em
    const double ascentPerEm = TextMetrics::ascent(spec) / 96.0;
    const double descentPerEm = TextMetrics::descent(spec) / 96.0;
    double emDevice;
    if (lf.height < 0)
        emDevice = -double(lf.height) * yScale;
    else if (lf.height > 0)
        emDevice = double(lf.height) * yScale / std::max(0.1, ascentPerEm + descentPerEm);
    else
        emDevice = 16; // the platform's default of 12 points at 96 dpi
    const double targetScale = std::sqrt(std::abs(m_deviceToTarget.determinant()));
    if (!finite(emDevice) || emDevice * targetScale < 0.05 || emDevice * targetScale > 5000)
        return true;

    std::vector<double> adv(size_t(nChars), 0.0);
    if (offDx != 0) {
        const qint64 step = (options & ETO_PDY) ? 8 : 4;
        for (quint64 i = 0; i < nChars; ++i)
            adv[size_t(i)] = double(rec.i32(offDx + qint64(i) * step)) * xScale;
    } else {
        spec.pointSize = emDevice * 72.0 / 96.0;
        const QVector<double> a = TextMetrics::advances(spec, str);
        for (quint64 i = 0; i < nChars; ++i)
            adv[size_t(i)] = a[qsizetype(i)];
    }
    double total = 0;
    for (double a : adv)
        total += a;
    if (!finite(total) || std::abs(total) * targetScale > kMaxTargetExtent)
        return true;

    const bool updateCp = m_s.textAlign & TA_UPDATECP;
    const QPointF refLogical = updateCp ? m_s.curPos : ref;
    const QPointF origin = toDevice.map(refLogical);
    const quint32 h = m_s.textAlign & TA_CENTER;
    const quint32 v = m_s.textAlign & TA_BASELINE;
    double x0 = 0;
    if (h == TA_CENTER)
        x0 = -total / 2;
    else if (h == TA_RIGHT)
        x0 = -total;
    const double ascent = ascentPerEm * emDevice, descent = descentPerEm * emDevice;
    double baseline = ascent;
    if (v == TA_BASELINE)
        baseline = 0;
    else if (v == TA_BOTTOM)
        baseline = -descent;

    QTransform textT;
    textT.translate(origin.x(), origin.y());
    if (lf.escapement != 0)
        textT.rotate(-(lf.escapement % 3600) / 10.0);
    textT = textT * m_deviceToTarget;
    if (!saneTransform(textT) || std::abs(textT.map(QPointF(0, 0)).x()) > kMaxTargetExtent ||
        std::abs(textT.map(QPointF(0, 0)).y()) > kMaxTargetExtent)
        return true;

    const bool clipped = (options & ETO_CLIPPED) && usable(rcl);
    if (clipped) {
        m_p.save();
        m_p.setClipRect(rcl, Qt::IntersectClip);
    }
    m_p.setTransform(textT);
    m_painterDirty = true;
    if (m_s.bkMode == OPAQUE && !(options & ETO_OPAQUE))
        m_p.fillRect(QRectF(std::min(x0, x0 + total), baseline - ascent, std::abs(total), ascent + descent),
                     m_s.bkColor);

    // Glyph lookup and outlines come from a face of moderate size, scaled.
    const double rawSize = std::clamp(emDevice, 1.0, 1000.0);
    const double outlineScale = emDevice / rawSize;
    QRawFont raw = TextMetrics::rawFont(spec, rawSize);
    if (raw.isValid()) {
        std::vector<quint32> glyphs(size_t(nChars) + 1);
        int numGlyphs = int(nChars) + 1;
        raw.glyphIndexesForChars(str.constData(), int(nChars), glyphs.data(), &numGlyphs);
        QList<quint32> gl;
        QList<QPointF> pos;
        gl.reserve(qsizetype(nChars));
        pos.reserve(qsizetype(nChars));
        double x = x0;
        if (numGlyphs == int(nChars)) {
            for (quint64 i = 0; i < nChars; ++i) {
                gl.append(glyphs[size_t(i)]);
                pos.append(QPointF(x, baseline));
                x += adv[size_t(i)];
            }
        } else {
            // Surrogate pairs: one glyph per code point, advanced by both units.
            for (quint64 i = 0; i < nChars; ++i) {
                const QChar c = str.at(qsizetype(i));
                int n = 1;
                const bool pair =
                    c.isHighSurrogate() && i + 1 < nChars && str.at(qsizetype(i) + 1).isLowSurrogate();
                quint32 g = 0;
                raw.glyphIndexesForChars(str.constData() + i, pair ? 2 : 1, &g, &n);
                gl.append(g);
                pos.append(QPointF(x, baseline));
                x += adv[size_t(i)];
                if (pair) {
                    ++i;
                    x += adv[size_t(i)];
                }
            }
        }
        // Upright text at a moderate size goes through the glyph cache at its
        // final pixel size; anything rotated, stretched or huge is filled as
        // outlines, which the rasteriser handles at any transformation.
        const double tsx = std::hypot(textT.m11(), textT.m12());
        const double tsy = std::hypot(textT.m21(), textT.m22());
        const bool upright = std::abs(textT.m12()) < 1e-9 && std::abs(textT.m21()) < 1e-9 &&
                             textT.m11() > 0 && textT.m22() > 0 &&
                             std::abs(tsx - tsy) <= 0.02 * std::max(tsx, tsy);
        const double emTarget = emDevice * tsy;
        // PDF and printer output keeps text as text (searchable, sharp) at any
        // size: no glyph cache is involved there.
        const bool vector = m_p.paintEngine() && m_p.paintEngine()->type() == QPaintEngine::Pdf;
        if (upright && (emTarget <= 200 || vector)) {
            const QRawFont sized = TextMetrics::rawFont(spec, emTarget);
            for (QPointF &p : pos)
                p = QPointF(p.x() * tsx, p.y() * tsy);
            QGlyphRun run;
            run.setRawFont(sized);
            run.setGlyphIndexes(gl);
            run.setPositions(pos);
            m_p.setTransform(QTransform::fromTranslate(textT.dx(), textT.dy()));
            m_p.setPen(m_s.textColor);
            m_p.drawGlyphRun(QPointF(0, 0), run);
            m_p.setTransform(textT);
        } else {
            QPainterPath outlines;
            const QTransform scale = QTransform::fromScale(outlineScale, outlineScale);
            for (qsizetype i = 0; i < gl.size(); ++i)
                outlines.addPath(scale.map(raw.pathForGlyph(gl[i])).translated(pos[i]));
            m_p.fillPath(outlines, m_s.textColor);
        }
        if (lf.underline || lf.strikeOut) {
            const double thick = std::max(raw.lineThickness() * outlineScale, 0.5);
            if (lf.underline)
                m_p.fillRect(QRectF(x0, baseline + raw.underlinePosition() * outlineScale, total, thick),
                             m_s.textColor);
            if (lf.strikeOut)
                m_p.fillRect(QRectF(x0, baseline - ascent / 3, total, thick), m_s.textColor);
        }
    }
    if (clipped)
        m_p.restore();
    if (updateCp && h != TA_CENTER) {
        const double dirLogical = xScale > 0 ? total / xScale : 0;
        m_s.curPos.rx() += h == TA_RIGHT ? -dirLogical : dirLogical;
    }
    return true;
}

bool Player::bitmap(const Reader &rec, quint32 type)
{
    qint64 fixed = 0;
    QRectF dest;
    QRectF src;
    quint32 rop = SRCCOPY, usage = 0, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
    bool srcFromBottom = false;
    switch (type) {
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
        fixed = type == EMR_BITBLT ? 100 : 108;
        if (rec.size() < fixed)
            return fail(QStringLiteral("bitmap record too short"));
        dest = QRectF(rec.i32(24), rec.i32(28), rec.i32(32), rec.i32(36));
        rop = rec.u32(40);
        usage = rec.u32(80);
        offBmi = rec.u32(84);
        cbBmi = rec.u32(88);
        offBits = rec.u32(92);
        cbBits = rec.u32(96);
        src = QRectF(rec.i32(44), rec.i32(48), type == EMR_BITBLT ? rec.i32(32) : rec.i32(100),
                     type == EMR_BITBLT ? rec.i32(36) : rec.i32(104));
        break;
    case EMR_STRETCHDIBITS:
        fixed = 80;
        if (rec.size() < fixed)
            return fail(QStringLiteral("bitmap record too short"));
        dest = QRectF(rec.i32(24), rec.i32(28), rec.i32(72), rec.i32(76));
        src = QRectF(rec.i32(32), rec.i32(36), rec.i32(40), rec.i32(44));
        offBmi = rec.u32(48);
        cbBmi = rec.u32(52);
        offBits = rec.u32(56);
        cbBits = rec.u32(60);
        usage = rec.u32(64);
        rop = rec.u32(68);
        srcFromBottom = true;
        break;
    default: // EMR_SETDIBITSTODEVICE
        fixed = 76;
        if (rec.size() < fixed)
            return fail(QStringLiteral("bitmap record too short"));
        dest = QRectF(rec.i32(24), rec.i32(28), rec.i32(40), rec.i32(44));
        src = QRectF(rec.i32(32), rec.i32(36), rec.i32(40), rec.i32(44));
        offBmi = rec.u32(48);
        cbBmi = rec.u32(52);
        offBits = rec.u32(56);
        cbBits = rec.u32(60);
        usage = rec.u32(64);
        srcFromBottom = true;
        break;
    }
    if (cbBmi == 0) {
        // No bitmap: a raster operation on the pattern alone, as FillRect records it.
        if (m_inPath || !usable(dest.normalized()))
            return true;
        if (rop == PATCOPY && m_s.brush.style != BS_NULL) {
            applyBrush();
            m_p.fillRect(dest.normalized(), m_p.brush());
        } else if (rop == WHITENESS) {
            m_p.fillRect(dest.normalized(), Qt::white);
        } else if (rop == BLACKNESS) {
            m_p.fillRect(dest.normalized(), Qt::black);
        }
        return true;
    }
    QImage img;
    QString why;
    const DibResult r = decodeDib(rec, fixed, offBmi, cbBmi, offBits, cbBits, usage,
                                  type == EMR_SETDIBITSTODEVICE, &img, &why);
    if (r == DibResult::Damaged)
        return fail(why);
    if (r == DibResult::Unsupported || m_inPath)
        return true;
    src = src.normalized();
    if (srcFromBottom && rec.i32(offBmi + 8) > 0)
        src.moveTop(img.height() - src.top() - src.height());
    src = src.intersected(QRectF(0, 0, img.width(), img.height()));
    if (src.isEmpty())
        return true;
    const bool mirrorX = dest.width() < 0, mirrorY = dest.height() < 0;
    dest = dest.normalized();
    if (!usable(dest))
        return true;
    if (mirrorX || mirrorY) {
        img = img.copy(src.toAlignedRect()).mirrored(mirrorX, mirrorY);
        src = QRectF(0, 0, img.width(), img.height());
    }
    m_p.setRenderHint(QPainter::SmoothPixmapTransform, m_s.smoothStretch);
    m_p.drawImage(dest, img, src);
    return true;
}

// Reads the header fields; `why` names the first fault.
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

} // namespace

std::optional<EmfInfo> EmfPlayer::inspect(const QByteArray &emf, QString *error)
{
    return readHeader(emf, error);
}

bool EmfPlayer::play(const QByteArray &emf, QPainter &painter, const QRectF &target, QString *error)
{
    QString why;
    const std::optional<EmfInfo> info = readHeader(emf, &why);
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
    Player player(emf, *info, painter, target);
    return player.run(error);
}

std::optional<QSizeF> EmfPlayer::pageSize(const QByteArray &emf)
{
    const std::optional<EmfInfo> info = readHeader(emf, nullptr);
    if (!info)
        return std::nullopt;
    const double w = double(qint64(info->frame.right()) - info->frame.left());
    const double h = double(qint64(info->frame.bottom()) - info->frame.top());
    if (w <= 0 || h <= 0)
        return std::nullopt;
    return QSizeF(w * 96.0 / 2540.0, h * 96.0 / 2540.0);
}

} // namespace accrua::engine
