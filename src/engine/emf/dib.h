// The bitmap records of a metafile (BITBLT, STRETCHBLT, STRETCHDIBITS,
// SETDIBITSTODEVICE): where their fields lie and the device-independent
// bitmap they carry, decoded with every offset checked against the record.
// Shared by every player of metafile pages.
#pragma once

#include "engine/emf/records.h"

#include <QImage>
#include <QRectF>
#include <QString>

namespace accrua::engine::emf {

enum class DibResult { Ok, Unsupported, Damaged };

struct BitmapRecord {
    QRectF dest; // logical units; a negative width or height mirrors
    QRectF src;  // bitmap pixels, top-down, within the image; empty: nothing to draw
    quint32 rop = records::SRCCOPY;
    bool hasBitmap = false; // false: a raster operation on the pattern alone
    QImage image;
};

// True for the record types above.
bool isBitmapRecord(quint32 type);
// Reads one bitmap record. Damaged: the record is broken (why says how);
// Unsupported: a form that report pages never need, to be skipped.
DibResult readBitmap(const records::Reader &rec, quint32 type, BitmapRecord &out, QString *why);

} // namespace accrua::engine::emf
