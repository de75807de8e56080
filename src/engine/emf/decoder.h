// The records of a metafile read once for every player: the record chain
// (each size checked before anything is played), and the fields of the
// records that set the mapping, create objects, and draw points and text,
// each checked against its record. A player keeps its own drawing state and
// turns these values into its own colours, pens and shapes.
#pragma once

#include "engine/emf/emfplayer.h"
#include "engine/emf/records.h"

#include <QByteArray>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <QTransform>
#include <QtEndian>

#include <optional>

namespace accrua::engine::emf {

// One record: its type, where it starts in the metafile, its bytes.
struct EmfRecord {
    quint32 type = 0;
    qint64 offset = 0;
    records::Reader data;
};

// "record N at offset O: what", as every player reports a fault.
QString recordFault(quint32 type, qint64 offset, const QString &what);

// Checks the size of every record after the header (readHeader accepted)
// up to the end-of-file record; nothing, or which record is broken.
std::optional<QString> checkChain(const QByteArray &emf, const EmfInfo &info);

// Calls visit(const EmfRecord &) for each record of a chain checkChain
// accepted, up to the end-of-file record or the header's count. Stops at the
// first visit that returns false; returns false then.
template <class Visit> bool forEachRecord(const QByteArray &emf, const EmfInfo &info, Visit &&visit)
{
    const records::Reader all(reinterpret_cast<const uchar *>(emf.constData()), info.bytes);
    const qint64 end = info.bytes;
    qint64 off = all.u32(4);
    for (quint64 count = 1; off < end && count < info.records; ++count) {
        if (end - off < 8)
            break;
        const quint32 type = qFromLittleEndian<quint32>(all.data() + off);
        const quint32 size = qFromLittleEndian<quint32>(all.data() + off + 4);
        if (type == records::EMR_EOF || size < 8 || size > end - off) // the last, or a chain not checked
            break;
        if (!visit(EmfRecord{type, off, records::Reader(all.data() + off, size)}))
            return false;
        off += size;
    }
    return true;
}

// False, with why, when the record is shorter than bytes.
bool atLeast(const records::Reader &rec, qint64 bytes, QString &why);

// Top-left and bottom-right corners at `at`, normalized.
QRectF rectAt(const records::Reader &rec, qint64 at);

// The mapping state of a device context: mode, window, viewport, world.
struct MappingState {
    quint32 mapMode = records::MM_TEXT;
    QPointF winOrg, vpOrg;
    QSizeF winExt{1, 1}, vpExt{1, 1};
    QTransform world;

    // Logical units to device pixels, the world transform included.
    QTransform toDevice(double pxPerMmX, double pxPerMmY) const;
};

// The mapping records (SETMAPMODE, SET/SCALE WINDOW/VIEWPORT EXT/ORG,
// SET/MODIFYWORLDTRANSFORM) applied as the platform does: values it refuses
// change nothing. False, with why, on a record too short.
bool isMappingRecord(quint32 type);
bool applyMapping(MappingState &state, const EmfRecord &record, QString &why);

// RESTOREDC against depth saved states: how many remain afterwards, or -1
// when the platform would ignore the record.
bool restoreLevel(const records::Reader &rec, qint64 depth, qint64 &level, QString &why);

// The objects records create, as their fields say; colours are COLORREFs.
struct LogPen {
    quint32 style = records::PS_SOLID; // PS_STYLE_MASK part; PS_NULL for a null brush
    double width = 0;                  // logical units; 0: one device pixel
    bool cosmetic = true;
    quint32 color = 0;
    quint32 endCap = 0; // PS_ENDCAP_* bits (0x000, 0x100, 0x200)
    quint32 join = 0;   // PS_JOIN_* bits (0x0000, 0x1000, 0x2000)
};

struct LogBrush {
    quint32 style = records::BS_SOLID; // solid, null or hatched
    quint32 color = 0xFFFFFF;
    quint32 hatch = 0;
};

struct LogFont {
    qint32 height = 0;
    qint32 escapement = 0;
    qint32 weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face = QStringLiteral("Arial");
};

struct LogObject {
    enum Kind { Pen, Brush, Font, Other } kind = Other;
    quint32 index = 0;
    LogPen pen;
    LogBrush brush;
    LogFont font;
};

// The creation records (pens, brushes, fonts, and palettes and pattern
// brushes kept as Other); the index must lie within the header's handles.
bool isObjectRecord(quint32 type);
bool decodeObject(const EmfRecord &record, quint32 handles, LogObject &out, QString &why);

// A stock object (index with the high bit): what selecting it selects.
// Other: a palette or nothing at all.
LogObject stockObject(quint32 index);

// EXTTEXTOUTW / EXTTEXTOUTA: the reference point, options, rectangle and
// the spans of the characters and advances, both checked.
struct TextRecord {
    QPointF reference;
    quint32 options = 0;
    QRectF rect;
    quint64 count = 0;
    bool wide = true;
    const uchar *chars = nullptr;
    const uchar *dx = nullptr; // null: no advances given
    qint64 dxStep = 4;

    // The characters into text (resized, its storage kept).
    void readText(QString &text) const;
    // The characters in the first units of buffer, grown when it is shorter;
    // the view of them lasts until buffer changes.
    QStringView textIn(QString &buffer) const;
    // Advance i in logical units.
    qint32 advance(quint64 i) const
    {
        const uchar *v = dx + qint64(i) * dxStep;
        return qint32(quint32(v[0]) | (quint32(v[1]) << 8) | (quint32(v[2]) << 16) | (quint32(v[3]) << 24));
    }
};

inline constexpr quint64 kMaxTextChars = 65536;

// Where a run of the given width starts, from its reference point, on its
// baseline, for the text alignment (TA_*) in force.
inline QPointF textStart(quint32 textAlign, double width, double ascent, double descent)
{
    const quint32 h = textAlign & records::TA_CENTER;
    const quint32 v = textAlign & records::TA_BASELINE;
    double x0 = 0;
    if (h == records::TA_CENTER)
        x0 = -width / 2;
    else if (h == records::TA_RIGHT)
        x0 = -width;
    double baseline = ascent;
    if (v == records::TA_BASELINE)
        baseline = 0;
    else if (v == records::TA_BOTTOM)
        baseline = -descent;
    return QPointF(x0, baseline);
}
bool decodeText(const EmfRecord &record, TextRecord &out, QString &why);

// POLYLINE, POLYGON, POLYBEZIER and their -TO and 16-bit forms: the points
// the record gives (the current position not included).
bool isPointsRecord(quint32 type);
bool decodePoints(const EmfRecord &record, QPolygonF &points, QString &why);
bool pointsContinue(quint32 type); // the -TO forms: start at the current position
bool pointsBezier(quint32 type);
bool pointsClosed(quint32 type);

// BEGINPATH, ENDPATH, ABORTPATH, CLOSEFIGURE and the three that draw a path.
bool isPathRecord(quint32 type);

} // namespace accrua::engine::emf
