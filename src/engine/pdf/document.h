// A whole document from metafile pages: written by PdfWriter, or, when a page
// needs what PdfWriter does not draw, by Qt's PDF engine through the page
// playback every printer uses. The command line, the report files and the
// print dialog's PDF file all come through here.
#pragma once

#include "engine/emf/pageplayback.h"

#include <QString>

#include <optional>
#include <vector>

class QIODevice;

namespace accrua::engine::pdf {

// The pages numbered in `order` (1-based, repeats allowed) as one PDF onto
// device, made whole in memory first, so that a missing or damaged page
// writes nothing. A failure says which page and why (Missing, Play), or that
// the device did not take the document (End).
std::optional<emf::PlaybackFailure> writeDocument(const std::vector<int> &order,
                                                  const emf::PageSource &source, QIODevice &device,
                                                  const QString &title);

// The same through Qt's PDF engine only: the fallback, and the reference the
// writer is compared with.
std::optional<emf::PlaybackFailure> writeDocumentThroughQt(const std::vector<int> &order,
                                                           const emf::PageSource &source, QIODevice &device,
                                                           const QString &title);

// Pages 1..count.
std::vector<int> allPages(int count);

} // namespace accrua::engine::pdf
