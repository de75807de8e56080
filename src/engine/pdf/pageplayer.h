// Plays one metafile page into a PageCanvas. It knows the records report
// pages are made of (mapping, objects, text, rectangles, lines, polygons,
// bitmaps); a page that needs more (clipping, paths, rotated text, dashes,
// hatches) is reported as unsupported so that the caller can fall back to
// the full player on a QPainter.
#pragma once

#include "engine/pdf/canvas.h"

#include <QByteArray>
#include <QString>

namespace accrua::engine::pdf {

enum class PlayResult { Played, Unsupported, Damaged };

// The page's size in page pixels comes from its header (pageSizeOf). Every
// record is validated before use; on Damaged, why says what and where.
// The canvas may have received part of the page by then.
PlayResult playPage(const QByteArray &metafile, PageCanvas &canvas, QString *why = nullptr);

} // namespace accrua::engine::pdf
