#include "engine/layout/pagerecorder.h"

#include "engine/emf/emfwriter.h"
#include "engine/emf/textmetrics.h"

#include <cmath>
#include <stdexcept>

namespace accrua::engine::layout {

namespace {

// Stretched pictures are stored at no more than this many device pixels per
// page pixel (about 384 dpi): plenty for print, and a huge photograph does
// not make every page carry megabytes of bitmap.
constexpr double kMaxPictureScale = 4.0;

} // namespace

PageRecorder::PageRecorder(const Report &report, PageHandler onPage)
    : m_report(report), m_onPage(std::move(onPage))
{
}

PageRecorder::~PageRecorder() = default;

void PageRecorder::beginPage(int)
{
    m_writer = std::make_unique<emf::EmfWriter>(m_report.page.pageSize(), QStringLiteral("Accrua"));
}

void PageRecorder::endPage(int pageNumber)
{
    if (!m_writer)
        throw std::logic_error("page ended that was never begun");
    const QByteArray page = m_writer->finish();
    m_writer.reset();
    if (m_onPage)
        m_onPage(page, pageNumber);
}

QRectF PageRecorder::labelRect(const Label &label, const emf::FontSpec &font, const QString &text)
{
    return labelRect(label, font,
                     label.autoSize && !text.isEmpty() ? emf::TextMetrics::width(font, text) : 0.0);
}

QRectF PageRecorder::labelRect(const Label &label, const emf::FontSpec &font, double w)
{
    return labelBox(label, w, label.height > 0 ? label.height : emf::TextMetrics::height(font));
}

QRectF PageRecorder::labelBox(const Label &label, double w, double lineHeight)
{
    const double h = label.height > 0 ? label.height : lineHeight;
    if (!label.autoSize)
        return {label.left, label.top, label.width, h};
    double x = label.left;
    switch (label.alignment) {
    case emf::HAlign::Left:
        break;
    case emf::HAlign::Right:
        x = label.left + label.width - w;
        break;
    case emf::HAlign::Center:
        x = label.left + (label.width - w) / 2;
        break;
    }
    return {x, label.top, w, h};
}

double PageRecorder::measureLineHeight(const emf::FontSpec &font)
{
    m_heightFont = font;
    m_lineHeight = emf::TextMetrics::height(font);
    return m_lineHeight;
}

void PageRecorder::printBand(const Band &band, double top, int pageNumber)
{
    if (!m_writer)
        throw std::logic_error("band printed outside a page");
    const QPointF origin(m_report.page.leftMargin(), top);
    for (const auto &e : band.elements()) {
        switch (e->kind()) {
        case Element::Kind::Label:
        case Element::Kind::PageNumber:
            drawLabel(static_cast<const Label &>(*e), origin, pageNumber);
            break;
        case Element::Kind::Shape: {
            const auto &s = static_cast<const Shape &>(*e);
            m_writer->drawRect(QRectF(origin.x() + s.left, origin.y() + s.top, s.width, s.height), s.pen,
                               s.brush);
            break;
        }
        case Element::Kind::Picture:
            drawPicture(static_cast<const Picture &>(*e), origin);
            break;
        case Element::Kind::Drawing:
            drawDrawing(static_cast<const Drawing &>(*e), origin);
            break;
        }
    }
}

void PageRecorder::drawLabel(const Label &label, QPointF origin, int pageNumber)
{
    const bool isNumber = label.kind() == Element::Kind::PageNumber;
    if (isNumber)
        m_pageNumberText = QString::number(pageNumber);
    const QString &text = isNumber ? m_pageNumberText : label.caption;
    const emf::FontSpec &font = label.font ? *label.font : m_report.defaultFont;
    // Measured once: the box of an auto-sized label and the run's advances.
    const bool whole = text.size() <= emf::kMaxTextRun;
    QVector<double> &advances = m_advances; // kept between labels, with its storage
    emf::TextMetrics::advances(font, QStringView(text).left(emf::kMaxTextRun), advances);
    double width = 0;
    if (label.autoSize) {
        if (whole) {
            // Read through constData(): a non-const vector's iterators check
            // for sharing at every step.
            const double *a = advances.constData();
            for (qsizetype i = 0, n = advances.size(); i < n; ++i)
                width += a[i];
        } else {
            width = emf::TextMetrics::width(font, text);
        }
    }
    const QRectF rect =
        labelBox(label, width, label.height > 0 ? label.height : lineHeight(font)).translated(origin);
    if (label.background && rect.width() > 0) {
        emf::PenSpec noPen;
        noPen.null = true;
        m_writer->drawRect(rect, noPen, emf::BrushSpec{*label.background, false});
    }
    if (!text.isEmpty())
        m_writer->drawText(rect, label.alignment, font, text, label.color, advances,
                           label.autoSize && whole ? std::optional<double>(width) : std::nullopt);
}

void PageRecorder::drawDrawing(const Drawing &drawing, QPointF origin)
{
    const QPointF at = origin + QPointF(drawing.left, drawing.top);
    for (const DrawingItem &item : drawing.items) {
        switch (item.kind) {
        case DrawingItem::Kind::Polyline:
            m_writer->drawPolyline(item.points.translated(at), item.pen);
            break;
        case DrawingItem::Kind::Rect:
            m_writer->drawRect(item.rect.translated(at), item.pen, item.brush);
            break;
        case DrawingItem::Kind::Text:
            if (!item.text.isEmpty())
                m_writer->drawText(item.rect.translated(at), item.align, item.font, item.text, item.color);
            break;
        }
    }
}

void PageRecorder::drawPicture(const Picture &picture, QPointF origin)
{
    if (!picture.enabled || picture.image.isNull() || picture.width <= 0 || picture.height <= 0)
        return;
    const QRectF frame(origin.x() + picture.left, origin.y() + picture.top, picture.width, picture.height);
    if (picture.stretch) {
        const QSize cap(static_cast<int>(std::ceil(frame.width() * kMaxPictureScale)),
                        static_cast<int>(std::ceil(frame.height() * kMaxPictureScale)));
        QImage image = picture.image;
        const bool whole = image.width() <= cap.width() && image.height() <= cap.height();
        if (!whole)
            image =
                image.scaled(image.size().boundedTo(cap), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_writer->drawImage(frame, image, whole ? picture.jpeg : QByteArray());
        return;
    }
    // Unscaled, one image pixel per page pixel, clipped to the frame.
    const QSizeF size = picture.image.size();
    QPointF at = frame.topLeft();
    if (picture.center)
        at = frame.center() - QPointF(size.width() / 2, size.height() / 2);
    const QRectF visible = QRectF(at, size).intersected(frame);
    if (visible.isEmpty())
        return;
    const QRect source =
        QRect(static_cast<int>(std::floor(visible.left() - at.x())),
              static_cast<int>(std::floor(visible.top() - at.y())),
              static_cast<int>(std::lround(visible.width())), static_cast<int>(std::lround(visible.height())))
            .intersected(picture.image.rect());
    if (source.isEmpty())
        return;
    const bool whole = source == picture.image.rect();
    m_writer->drawImage(QRectF(visible.topLeft(), QSizeF(source.size())),
                        whole ? picture.image : picture.image.copy(source),
                        whole ? picture.jpeg : QByteArray());
}

} // namespace accrua::engine::layout
