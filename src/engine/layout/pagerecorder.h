// Records each laid-out page as a metafile: labels become text runs measured
// with TextMetrics, shapes rectangles, pictures stretched bitmaps. Finished
// pages are handed to a callback (usually TRptPageList::AddPage).
#pragma once

#include "engine/layout/layout.h"

#include <QByteArray>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace accrua::engine::emf {
class EmfWriter;
}

namespace accrua::engine::layout {

class PageRecorder : public PageSink {
public:
    using PageHandler = std::function<void(const QByteArray &metafile, int pageNumber)>;
    PageRecorder(const Report &report, PageHandler onPage);
    ~PageRecorder() override;

    void beginPage(int pageNumber) override;
    void printBand(const Band &band, double top, int pageNumber) override;
    void endPage(int pageNumber) override;

    // Where a label's box lands within its band, for the given text.
    static QRectF labelRect(const Label &label, const emf::FontSpec &font, const QString &text);
    // The same for text `width` page pixels wide.
    static QRectF labelRect(const Label &label, const emf::FontSpec &font, double width);

private:
    static QRectF labelBox(const Label &label, double width, double lineHeight);
    // TextMetrics::height(font), measured again only when the font changes.
    double lineHeight(const emf::FontSpec &font)
    {
        return m_heightFont && *m_heightFont == font ? m_lineHeight : measureLineHeight(font);
    }
    double measureLineHeight(const emf::FontSpec &font);
    void drawLabel(const Label &label, QPointF origin, int pageNumber);
    void drawPicture(const Picture &picture, QPointF origin);
    void drawDrawing(const Drawing &drawing, QPointF origin);

    const Report &m_report;
    PageHandler m_onPage;
    std::unique_ptr<emf::EmfWriter> m_writer;
    QString m_pageNumberText;
    QVector<double> m_advances;                // of the label being drawn
    std::optional<emf::FontSpec> m_heightFont; // the font m_lineHeight is the height of
    double m_lineHeight = 0;
};

} // namespace accrua::engine::layout
