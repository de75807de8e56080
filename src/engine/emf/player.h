// The metafile player's inner workings, shared by its parts: record dispatch
// (player.cpp), drawing state and clipping (playerstate.cpp), text
// (playertext.cpp) and device-independent bitmaps (playerbitmaps.cpp).
#pragma once

#include "engine/emf/decoder.h"
#include "engine/emf/emfplayer.h"
#include "engine/emf/mapping.h"
#include "engine/emf/records.h"

#include <QColor>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTransform>

#include <cmath>
#include <vector>

namespace accrua::engine::emf::detail {

inline constexpr int kMaxSaveDepth = 256;
inline constexpr qint64 kMaxCoordinate = 1LL << 28; // header rectangles, in their units
inline constexpr double kMaxTargetExtent = 1.0e6;   // target pixels; beyond that nothing is drawn
inline QColor fromColorRef(quint32 c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline bool finite(double v)
{
    return std::isfinite(v);
}

struct PenObj {
    quint32 style = records::PS_SOLID;
    double width = 0; // logical units; 0 means one device pixel
    bool cosmetic = true;
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};

struct BrushObj {
    quint32 style = records::BS_SOLID;
    QColor color = Qt::white;
    quint32 hatch = 0;
};

// Drawn as the record gives it: underline, strike-out and escapement too.
using FontObj = LogFont;

struct Obj {
    enum Kind { Pen, Brush, Font, Other } kind = Other;
    PenObj pen;
    BrushObj brush;
    FontObj font;
};

struct DcState {
    MappingState map;
    PenObj pen;
    BrushObj brush;
    FontObj font;
    quint32 textAlign = 0;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    quint32 bkMode = records::OPAQUE;
    Qt::FillRule fill = Qt::OddEvenFill;
    bool smoothStretch = false; // HALFTONE; the other modes pick pixels
    QPointF curPos;
    bool hasClip = false;
    QRegion clip; // device pixels, as the platform keeps it
};

// Reads the header fields; `why` names the first fault.
std::optional<EmfInfo> readHeader(const QByteArray &emf, QString *why);

class Player {
public:
    Player(const QByteArray &data, const EmfInfo &info, QPainter &painter, const QRectF &target)
        : m_data(data), m_info(info), m_p(painter), m_target(target)
    {
    }

    bool run(QString *error);

private:
    using Reader = records::Reader;

    // Ends playback of a damaged metafile with a reason.
    bool fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = recordFault(m_type, m_offset, why);
        return false;
    }
    // False (and the playback fails) when the record is shorter than bytes.
    bool need(const Reader &rec, qint64 bytes)
    {
        QString why;
        return atLeast(rec, bytes, why) || fail(why);
    }

    // player.cpp: records and shapes.
    bool dispatch(const EmfRecord &record);
    bool pixel(const Reader &rec);
    bool box(const Reader &rec, quint32 type);
    bool points(const EmfRecord &record);
    bool polyPoints(const Reader &rec, quint32 type);
    bool pathRecord(quint32 type);
    void drawShape(const QPainterPath &path, bool fill);

    // playerstate.cpp: objects, pens and brushes, saved states, clipping.
    bool restoreDc(const Reader &rec);
    bool createObject(const EmfRecord &record);
    void select(quint32 index);
    void selectObject(const Obj &obj);
    QTransform pageToDevice() const;
    const QTransform &full();
    bool usable(const QRectF &logical);
    bool clipRect(const Reader &rec, quint32 type);
    bool clipRegion(const Reader &rec);
    void applyClip();
    QRegion defaultClip() const;
    static QRect deviceRect(const QRectF &r);
    void applyPen();
    void applyBrush();
    QPen qpen() const;

    // playertext.cpp
    bool text(const EmfRecord &record);

    // playerbitmaps.cpp
    bool bitmap(const Reader &rec, quint32 type);

    const QByteArray &m_data;
    EmfInfo m_info;
    QPainter &m_p;
    QRectF m_target;
    QTransform m_deviceToTarget;
    double m_pxPerMmX = 96 / 25.4, m_pxPerMmY = 96 / 25.4;

    DcState m_s;
    std::vector<DcState> m_stack;
    QHash<quint32, Obj> m_objects;
    quint32 m_handles = 1;

    bool m_fullDirty = true;
    bool m_fullOk = false;
    QTransform m_full;
    bool m_painterDirty = true;
    bool m_inPath = false;
    QPainterPath m_path;

    quint32 m_type = 0;
    qint64 m_offset = 0;
    QString m_error;
};

} // namespace accrua::engine::emf::detail
