// Text measurement shared by layout and playback, so that screen, printer
// and PDF place every character alike.
#pragma once

#include "engine/emf/styles.h"

#include <QRawFont>
#include <QString>
#include <QVector>

namespace accrua::engine::emf {

// Liberation faces stand in for "Arial" and "Courier New" on Linux; their
// metrics are the same.
class TextMetrics {
public:
    // Advance widths in page pixels (96 per inch) of each character of text.
    static QVector<double> advances(const FontSpec &font, const QString &text);
    static double width(const FontSpec &font, const QString &text);
    static double ascent(const FontSpec &font);
    static double height(const FontSpec &font);
    static double descent(const FontSpec &font);

    // The face that stands in for a family name ("Arial" -> "Liberation Sans").
    static QString resolvedFamily(const QString &family);
    // The unhinted face at an exact pixel size, for drawing glyphs at the
    // positions the advances give. Cached per thread.
    static QRawFont rawFont(const FontSpec &font, double pixelSize);
};

} // namespace accrua::engine::emf
