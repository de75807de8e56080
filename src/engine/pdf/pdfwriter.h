// Writes a PDF from pages drawn on a PageCanvas, usually played from their
// metafiles (addPage). Text stays text: one text array per run, runs in a
// row sharing one text object, glyphs placed by the font's own advances with
// a correction only where the page's advances differ, fonts embedded as
// subsets with a Unicode map so that the text can be searched and copied.
// State (font, colour) is set only when it changes. Pictures are stored once
// however often they are drawn: a JPEG the page carries as it is, any other
// compressed losslessly.
#pragma once

#include "engine/pdf/canvas.h"
#include "engine/pdf/pageplayer.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace accrua::engine::pdf {

class PdfWriter : public PageCanvas {
public:
    explicit PdfWriter(const QString &title = {}, const QString &creator = QStringLiteral("Accrua"));
    ~PdfWriter() override;
    PdfWriter(const PdfWriter &) = delete;
    PdfWriter &operator=(const PdfWriter &) = delete;

    // Plays one metafile page onto a new page. Anything but Played leaves the
    // document unusable: the caller writes it another way or not at all.
    PlayResult addPage(const QByteArray &metafile, QString *why = nullptr);

    void beginPage(QSizeF pagePixels) override;
    void endPage() override;
    void rect(const QRectF &r, const std::optional<Stroke> &stroke, std::optional<QRgb> fill) override;
    void figure(const Figure &f, const std::optional<Stroke> &stroke, std::optional<QRgb> fill) override;
    void text(const TextRun &run) override;
    void image(const QRectF &target, const QImage &image, const QRect &source,
               const QByteArray &jpeg) override;

    int pageCount() const;
    // The whole document; the writer is spent afterwards.
    QByteArray finish();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace accrua::engine::pdf
