// Text measurement shared by layout and playback, so that screen, printer
// and PDF place every character alike.
#pragma once

#include "engine/emf/styles.h"
#include "engine/fonts/facemetrics.h"
#include "engine/fonts/fontfile.h"

#include <QRawFont>
#include <QString>
#include <QVector>

#include <memory>

namespace accrua::engine::emf {

// Liberation faces stand in for "Arial" and "Courier New" on Linux; their
// metrics are the same. A face is read from the file fontconfig chooses for
// it; only a face that cannot be read that way (no TrueType or OpenType
// tables, no Unicode character map) goes through Qt's font database.
class TextMetrics {
public:
    // Advance widths in page pixels (96 per inch) of each character of text.
    static QVector<double> advances(const FontSpec &font, const QString &text);
    // The same into a vector the caller keeps, which keeps its storage.
    static void advances(const FontSpec &font, QStringView text, QVector<double> &into);
    static double width(const FontSpec &font, const QString &text);
    static double ascent(const FontSpec &font);
    static double height(const FontSpec &font);
    static double descent(const FontSpec &font);

    // The face that stands in for a family name ("Arial" -> "Liberation Sans").
    static QString resolvedFamily(const QString &family);
    // The unhinted face at an exact pixel size, for drawing glyphs at the
    // positions the advances give. Cached per thread.
    static QRawFont rawFont(const FontSpec &font, double pixelSize);

    // The face's file and metrics when it was read from its file; both null
    // when Qt's font database loaded it.
    struct FileFace {
        std::shared_ptr<const fonts::FontFile> file;
        std::shared_ptr<const fonts::FaceMetrics> metrics;
    };
    static FileFace fileFace(const FontSpec &font);
    // Whether the face of `font` is measured and embedded from its file (a
    // TrueType face with a Unicode character map), so that neither needs
    // Qt's fonts. Uses nothing of Qt Gui.
    static bool readsFromFile(const FontSpec &font);
};

} // namespace accrua::engine::emf
