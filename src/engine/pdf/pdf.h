// PDF straight from metafile pages, without a QPainter in between:
//
//   metafile page -> playPage (pageplayer.h) -> PageCanvas calls (canvas.h)
//                 -> PdfWriter (pdfwriter.h) -> content streams, fonts
//                    subset by TrueTypeFace (truetype.h), pictures
//
// writeDocument (document.h) makes a whole PDF of a report's pages; when a
// page needs what the player does not draw (it comes back Unsupported), the
// document is written through Qt's PDF engine and the full player instead.
#pragma once

#include "engine/pdf/canvas.h"
#include "engine/pdf/document.h"
#include "engine/pdf/pageplayer.h"
#include "engine/pdf/pdfwriter.h"
#include "engine/pdf/truetype.h"
