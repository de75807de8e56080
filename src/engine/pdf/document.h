// A whole document from metafile pages: written by PdfWriter, or, when a page
// needs what PdfWriter does not draw, by Qt's PDF engine with the full
// player, as every page used to be. Command line, report files and the
// window's PDF output all come through here.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

namespace accrua::engine::pdf {

// A page that cannot be drawn; the text says which and why.
class PageError : public std::runtime_error {
public:
    PageError(int page, const QString &why);
    int page() const { return m_page; }
    QString why() const { return m_why; }
    QString message() const;

private:
    int m_page;
    QString m_why;
};

// Pages 1..count as one PDF onto device; page(n) gives page n's metafile
// (its exceptions pass through). Throws PageError for a damaged page, before
// anything is written; false when the device failed.
bool writeDocument(int count, const std::function<QByteArray(int)> &page, QIODevice &device,
                   const QString &title);

// The same through Qt's PDF engine only: the fallback, and the reference
// the writer is compared with.
bool writeDocumentThroughQt(int count, const std::function<QByteArray(int)> &page, QIODevice &device,
                            const QString &title);

} // namespace accrua::engine::pdf
