#include "engine/emf/player.h"
#include "engine/emf/styles.h"
#include "engine/emf/textmetrics.h"

#include <QGlyphRun>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>
#include <vector>

namespace accrua::engine::emf::detail {

using namespace records;

bool Player::text(const EmfRecord &record)
{
    TextRecord t;
    QString why;
    if (!decodeText(record, t, why))
        return fail(why);
    const QPointF ref = t.reference;
    const quint64 nChars = t.count;
    const quint32 options = t.options;
    const QRectF &rcl = t.rect;

    if ((options & ETO_OPAQUE) && !m_inPath && usable(rcl)) {
        m_p.fillRect(rcl, m_s.bkColor);
    }
    if (nChars == 0 || (options & ETO_GLYPH_INDEX) || m_inPath)
        return true; // glyph numbers belong to the writer's own font files

    // The run is drawn in device space at the reference point, so glyphs keep
    // their shape under anisotropic mappings, as on the platform.
    const QTransform toDevice = pageToDevice();
    full();
    if (!saneTransform(toDevice) || !m_fullOk)
        return true;
    const double xScale = std::hypot(toDevice.m11(), toDevice.m12());
    const double yScale = std::hypot(toDevice.m21(), toDevice.m22());

    QString str;
    t.readText(str);

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
    if (t.dx) {
        for (quint64 i = 0; i < nChars; ++i)
            adv[size_t(i)] = double(t.advance(i)) * xScale;
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
    const double ascent = ascentPerEm * emDevice, descent = descentPerEm * emDevice;
    const QPointF start = textStart(m_s.textAlign, total, ascent, descent);
    const double x0 = start.x(), baseline = start.y();

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

} // namespace accrua::engine::emf::detail
