// PDF straight from metafile pages, without a QPainter in between:
//
//   metafile page -> playPage (pageplayer.h) -> PageCanvas calls (canvas.h)
//                 -> PdfWriter (pdfwriter.h) -> content streams, fonts
//                    subset by TrueTypeFace (truetype.h), pictures
//
// A page that needs what the player does not draw comes back Unsupported:
// the caller then writes the document through Qt's PDF engine instead.
#pragma once

#include "engine/pdf/canvas.h"
#include "engine/pdf/pageplayer.h"
#include "engine/pdf/pdfwriter.h"
#include "engine/pdf/truetype.h"
