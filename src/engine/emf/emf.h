// Enhanced Metafile pages: the writer records what a report page draws, the
// player paints a metafile onto any QPainter (screen, image, printer, PDF).
//
// Coordinates given to the writer are page pixels at 96 per inch with the
// origin at the top-left corner of the paper; fonts are in points. Text is
// measured with TextMetrics both when laying out and when playing, so that
// screen, printer and PDF agree.
#pragma once

#include "engine/emf/emfplayer.h"
#include "engine/emf/emfwriter.h"
#include "engine/emf/pagesize.h"
#include "engine/emf/styles.h"
#include "engine/emf/textmetrics.h"
