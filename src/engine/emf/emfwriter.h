// Records one report page as an Enhanced Metafile.
#pragma once

#include "engine/emf/styles.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

namespace accrua::engine::emf {

// Characters of one text run a page keeps: one line of a report, not a book.
inline constexpr qsizetype kMaxTextRun = 8192;

// The reference device is the page itself at 96 dots per inch (Letter: 816 x
// 1056 pixels, 216 x 279 mm, frame 0..21590 x 0..27940 in 0.01 mm); the
// logical unit is 1/1440 inch (MM_ANISOTROPIC), 15 per pixel. Fonts, pens and
// brushes are created only when they change.
class EmfWriter {
public:
    // pageSize in page pixels at 96 per inch; an invalid size gives Letter.
    explicit EmfWriter(QSizeF pageSize, const QString &description = QStringLiteral("Accrua"));
    ~EmfWriter();
    EmfWriter(const EmfWriter &) = delete;
    EmfWriter &operator=(const EmfWriter &) = delete;

    // One line of text aligned horizontally in rect, its top at rect.top().
    void drawText(const QRectF &rect, HAlign align, const FontSpec &font, const QString &text,
                  const QColor &color = Qt::black);
    // The same with the advances TextMetrics gave for text, measured once by
    // the caller for its own layout; width, when given, is their sum, added
    // up in order.
    void drawText(const QRectF &rect, HAlign align, const FontSpec &font, const QString &text,
                  const QColor &color, const QVector<double> &advances, std::optional<double> width = {});
    // A rectangle outlined with pen and filled with brush (either may be null).
    void drawRect(const QRectF &rect, const PenSpec &pen, const BrushSpec &brush);
    // An open line through the points (at least two), drawn with pen.
    void drawPolyline(const QPolygonF &points, const PenSpec &pen);
    // A picture stretched into target, stored as a 24-bit device-independent bitmap.
    // jpeg: the JPEG file image was decoded from, if any; when the bitmap
    // keeps every pixel of it, a comment before the bitmap carries the file
    // too, so that a PDF can hold it as it is (other players skip comments).
    void drawImage(const QRectF &target, const QImage &image, const QByteArray &jpeg = {});

    // The complete metafile; the writer is spent afterwards.
    QByteArray finish();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace accrua::engine::emf
