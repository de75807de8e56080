#include "engine/emf/mapping.h"
#include "engine/emf/records.h"

#include <algorithm>
#include <cmath>

namespace accrua::engine::emf {

using namespace records;

bool saneTransform(const QTransform &t)
{
    const double m[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double v : m)
        if (!std::isfinite(v) || std::abs(v) > 1e12)
            return false;
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    return std::isfinite(det) && std::abs(det) > 1e-18;
}

std::optional<TargetMapping> targetMapping(const QByteArray &emf, const EmfInfo &info, const QRectF &target,
                                           QString *why)
{
    const Reader all(reinterpret_cast<const uchar *>(emf.constData()), info.bytes);
    // The frame (0.01 mm) of the reference device is what lands on the target.
    qint64 fl = info.frame.left(), ft = info.frame.top();
    qint64 fr = info.frame.right(), fb = info.frame.bottom();
    const double devW = info.device.width(), devH = info.device.height();
    const double mmW = info.millimeters.width(), mmH = info.millimeters.height();
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
    TargetMapping m;
    m.pxPerMmX = 1000 / umPerPxX;
    m.pxPerMmY = 1000 / umPerPxY;
    if (fr <= fl || fb <= ft) {
        // No frame: fall back to the device bounds.
        fl = qint64(std::floor(info.bounds.left() * umPerPxX / 10));
        ft = qint64(std::floor(info.bounds.top() * umPerPxY / 10));
        fr = qint64(std::ceil((info.bounds.right() + 1.0) * umPerPxX / 10));
        fb = qint64(std::ceil((info.bounds.bottom() + 1.0) * umPerPxY / 10));
        if (fr <= fl || fb <= ft) {
            if (why)
                *why = QStringLiteral("the metafile has neither a frame nor bounds");
            return std::nullopt;
        }
    }
    const double sx = target.width() / double(fr - fl);
    const double sy = target.height() / double(fb - ft);
    m.deviceToTarget = QTransform(umPerPxX / 10 * sx, 0, 0, umPerPxY / 10 * sy, target.left() - fl * sx,
                                  target.top() - ft * sy);
    if (!saneTransform(m.deviceToTarget) || !target.isValid()) {
        if (why)
            *why = QStringLiteral("the metafile cannot be scaled onto the target");
        return std::nullopt;
    }
    return m;
}

QTransform pageToDevice(quint32 mapMode, QPointF winOrg, QSizeF winExt, QPointF vpOrg, QSizeF vpExt,
                        double pxPerMmX, double pxPerMmY)
{
    double sx = 1, sy = 1;
    switch (mapMode) {
    case MM_LOMETRIC:
        sx = pxPerMmX * 0.1;
        sy = -pxPerMmY * 0.1;
        break;
    case MM_HIMETRIC:
        sx = pxPerMmX * 0.01;
        sy = -pxPerMmY * 0.01;
        break;
    case MM_LOENGLISH:
        sx = pxPerMmX * 0.254;
        sy = -pxPerMmY * 0.254;
        break;
    case MM_HIENGLISH:
        sx = pxPerMmX * 0.0254;
        sy = -pxPerMmY * 0.0254;
        break;
    case MM_TWIPS:
        sx = pxPerMmX * 25.4 / 1440;
        sy = -pxPerMmY * 25.4 / 1440;
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        sx = vpExt.width() / winExt.width();
        sy = vpExt.height() / winExt.height();
        if (mapMode == MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = sx < 0 ? -m : m;
            sy = sy < 0 ? -m : m;
        }
        break;
    default:
        break;
    }
    return QTransform(sx, 0, 0, sy, vpOrg.x() - winOrg.x() * sx, vpOrg.y() - winOrg.y() * sy);
}

} // namespace accrua::engine::emf
