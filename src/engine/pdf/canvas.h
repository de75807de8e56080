// What a page player hands a back-end: the page's drawing as plain values,
// every mapping of the metafile already applied. Positions are in canvas
// units of 1/1200 inch from the top-left corner of the paper, the grid Qt's
// PDF engine draws on, so that both place every glyph alike.
#pragma once

#include "engine/emf/styles.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QSizeF>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace accrua::engine::pdf {

inline constexpr double kCanvasUnitsPerPixel = 1200 / 96.0;

struct Stroke {
    QRgb color = 0xFF000000;
    double width = 1; // canvas units
};

// A line of text placed by `anchor`, the point the page placed it by. Its
// first glyph sits at `start` from the anchor on the baseline; each glyph
// steps by its advance (one per UTF-16 unit; the low half of a pair steps by
// 0). Start and advances are in the metafile's device pixels, `scale` turns
// them into canvas units.
struct TextRun {
    emf::FontSpec face; // family as the page names it; pointSize unused
    double em = 0;      // canvas units
    QPointF anchor;
    QPointF start;
    std::vector<double> advances;
    QSizeF scale{1, 1};
    QStringView text; // valid for the call it is passed to
    QRgb color = 0xFF000000;

    QPointF origin() const { return anchor + QPointF(start.x() * scale.width(), start.y() * scale.height()); }
};

// Open or closed figures of straight lines, or of cubic Bézier segments
// (first point, then three per segment).
struct Figure {
    std::vector<QPointF> points;
    bool closed = false;
    bool bezier = false;
};

class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    virtual void beginPage(QSizeF pagePixels) = 0; // the paper, 96 pixels per inch
    virtual void endPage() = 0;
    // An axis-aligned rectangle, outlined and/or filled.
    virtual void rect(const QRectF &r, const std::optional<Stroke> &stroke, std::optional<QRgb> fill) = 0;
    virtual void figure(const Figure &f, const std::optional<Stroke> &stroke, std::optional<QRgb> fill) = 0;
    virtual void text(const TextRun &run) = 0;
    // The part `source` of an opaque picture stretched over `target`; jpeg
    // is the picture's JPEG file when the page carries it (whole pictures only).
    virtual void image(const QRectF &target, const QImage &image, const QRect &source,
                       const QByteArray &jpeg) = 0;
};

} // namespace accrua::engine::pdf
