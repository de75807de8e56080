#include "engine/emf/dib.h"
#include "engine/emf/player.h"

#include <QImage>

#include <algorithm>
#include <vector>

namespace accrua::engine::emf::detail {

using namespace records;

bool Player::bitmap(const Reader &rec, quint32 type)
{
    BitmapRecord b;
    QString why;
    const DibResult r = readBitmap(rec, type, b, &why);
    if (r == DibResult::Damaged)
        return fail(why);
    if (r == DibResult::Unsupported || m_inPath)
        return true;
    QRectF dest = b.dest;
    if (!b.hasBitmap) {
        // No bitmap: a raster operation on the pattern alone, as FillRect records it.
        if (!usable(dest.normalized()))
            return true;
        if (b.rop == PATCOPY && m_s.brush.style != BS_NULL) {
            applyBrush();
            m_p.fillRect(dest.normalized(), m_p.brush());
        } else if (b.rop == WHITENESS) {
            m_p.fillRect(dest.normalized(), Qt::white);
        } else if (b.rop == BLACKNESS) {
            m_p.fillRect(dest.normalized(), Qt::black);
        }
        return true;
    }
    QRectF src = b.src;
    if (src.isEmpty())
        return true;
    QImage img = b.image;
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

} // namespace accrua::engine::emf::detail
