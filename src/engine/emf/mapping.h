// Where a metafile's coordinates land: its reference device scaled onto a
// target rectangle (the frame in the header fills the target), and each
// mapping mode's logical units on that device. Shared by every player of
// metafile pages.
#pragma once

#include "engine/emf/emfplayer.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include <optional>

namespace accrua::engine::emf {

struct TargetMapping {
    QTransform deviceToTarget;
    double pxPerMmX = 96 / 25.4; // device pixels per millimetre
    double pxPerMmY = 96 / 25.4;
};

// Nothing (why says so) when the metafile cannot be scaled onto the target.
std::optional<TargetMapping> targetMapping(const QByteArray &emf, const EmfInfo &info, const QRectF &target,
                                           QString *why);

// Logical units to device pixels for a mapping mode and its window and viewport.
QTransform pageToDevice(quint32 mapMode, QPointF winOrg, QSizeF winExt, QPointF vpOrg, QSizeF vpExt,
                        double pxPerMmX, double pxPerMmY);

// Finite, not absurdly large, and invertible.
bool saneTransform(const QTransform &t);

} // namespace accrua::engine::emf
