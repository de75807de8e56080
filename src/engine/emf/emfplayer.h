// Plays an Enhanced Metafile onto any QPainter (screen, image, printer, PDF).
#pragma once

#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

class QPainter;

namespace accrua::engine::emf {

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
    // Plays the metafile without drawing anywhere: true when play() would
    // paint it whole, else false with why.
    static bool check(const QByteArray &emf, QString *error = nullptr);
    // Page size in page pixels at 96 per inch, from the header's frame.
    static std::optional<QSizeF> pageSize(const QByteArray &emf);
};

} // namespace accrua::engine::emf
