// A whole document from metafile pages: written by PdfWriter, or, when a page
// needs what PdfWriter does not draw, by Qt's PDF engine through the page
// playback every printer uses. The command line, the report files and the
// print dialog's PDF file all come through here.
#pragma once

#include "engine/emf/pageplayback.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace accrua::engine::pdf {

class PdfWriter;

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

// A document written as its pages are made, for a report that keeps no page
// list: each page is played as it comes. The pages are held (shared, not
// copied) until the end only so that a page the writer leaves to Qt's engine
// can still have the whole document written there.
class StreamedDocument {
public:
    explicit StreamedDocument(const QString &title);
    ~StreamedDocument();
    StreamedDocument(const StreamedDocument &) = delete;
    StreamedDocument &operator=(const StreamedDocument &) = delete;

    void add(const QByteArray &metafile);
    // Writes the whole document, unless a page was damaged (Play, naming the
    // first) or there was none (Missing); End when the device did not take it.
    std::optional<emf::PlaybackFailure> finish(QIODevice &device);

private:
    QString m_title;
    std::unique_ptr<PdfWriter> m_writer;
    std::vector<QByteArray> m_pages;
    bool m_throughQt = false;
    std::optional<emf::PlaybackFailure> m_failure;
};

// Pages 1..count.
std::vector<int> allPages(int count);

} // namespace accrua::engine::pdf
