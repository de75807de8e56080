// Enhanced Metafile pages: the writer records what a report page draws, the
// player paints a metafile onto any QPainter (screen, image, printer, PDF).
//
// Coordinates given to the writer are page pixels at 96 per inch with the
// origin at the top-left corner of the paper; fonts are in points. Text is
// measured with TextMetrics both when laying out and when playing, so that
// screen, printer and PDF agree.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRawFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

class QPainter;

namespace accrua::engine {

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 8;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

enum class HAlign { Left, Center, Right };

struct PenSpec {
    QColor color = Qt::black;
    double width = 1; // page pixels
    bool null = false;
};

struct BrushSpec {
    QColor color = Qt::white;
    bool null = false;
};

// Text measurement shared by layout and playback (Liberation faces stand in
// for "Arial" and "Courier New" on Linux; their metrics are the same).
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

// Records one page. The reference device is the page itself at 96 dots per
// inch (Letter: 816 x 1056 pixels, 216 x 279 mm, frame 0..21590 x 0..27940
// in 0.01 mm); the logical unit is 1/1440 inch (MM_ANISOTROPIC), 15 per
// pixel. Fonts, pens and brushes are created only when they change.
class EmfWriter {
public:
    // pageSize in page pixels at 96 per inch (Letter portrait: 816 x 1056).
    explicit EmfWriter(QSizeF pageSize, const QString &description = QStringLiteral("Accrua"));
    ~EmfWriter();
    EmfWriter(const EmfWriter &) = delete;
    EmfWriter &operator=(const EmfWriter &) = delete;

    // One line of text aligned horizontally in rect, its top at rect.top().
    void drawText(const QRectF &rect, HAlign align, const FontSpec &font, const QString &text,
                  const QColor &color = Qt::black);
    // A rectangle outlined with pen and filled with brush (either may be null).
    void drawRect(const QRectF &rect, const PenSpec &pen, const BrushSpec &brush);
    // A picture stretched into target, stored as a 24-bit device-independent bitmap.
    void drawImage(const QRectF &target, const QImage &image);

    // The complete metafile; the writer is spent afterwards.
    QByteArray finish();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

struct EmfInfo {
    QRect bounds;        // rclBounds, device units
    QRect frame;         // rclFrame, 0.01 mm
    quint32 bytes = 0;   // nBytes
    quint32 records = 0; // nRecords
    quint16 handles = 0; // nHandles
    QSize device;        // szlDevice
    QSize millimeters;   // szlMillimeters
    QString description;
};

class EmfPlayer {
public:
    // Checks the header of a metafile; nothing when it is not one (error says why).
    static std::optional<EmfInfo> inspect(const QByteArray &emf, QString *error = nullptr);
    // Paints the metafile scaled into target. Validates every record before use;
    // returns false (error says why) on a damaged metafile, painting nothing more.
    static bool play(const QByteArray &emf, QPainter &painter, const QRectF &target,
                     QString *error = nullptr);
    // Page size in page pixels at 96 per inch, from the header's frame.
    static std::optional<QSizeF> pageSize(const QByteArray &emf);
};

} // namespace accrua::engine
