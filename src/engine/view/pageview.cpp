#include "engine/view/pageview.h"

#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"
#include "engine/layout/generator.h"
#include "engine/pagefile/pagelist.h"

#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <exception>

namespace accrua::engine::view {

namespace {

constexpr int kWheelStep = 32;
constexpr qint64 kCacheBytes = 96LL * 1024 * 1024;
constexpr size_t kCachePages = 8;
constexpr double kMaxImagePixels = 24.0 * 1024 * 1024;

} // namespace

PageView::PageView(QWidget *parent) : QAbstractScrollArea(parent), m_pageSize(emf::kLetterPage)
{
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setSingleStep(kWheelStep);
    verticalScrollBar()->setSingleStep(kWheelStep);
    viewport()->setAutoFillBackground(false);
    updateScrollBars();
}

PageView::~PageView() = default;

void PageView::setPageList(pagefile::TRptPageList *pages)
{
    m_pages = pages;
    refresh();
}

void PageView::attachGenerator(layout::ReportGenerator *generator)
{
    connect(generator, &layout::ReportGenerator::pageAvailable, this, &PageView::onPageAvailable);
    connect(generator, &layout::ReportGenerator::progressUpdate, this, &PageView::progressUpdate);
}

void PageView::refresh()
{
    m_cache.clear();
    m_error.clear();
    m_current = std::clamp(m_current, 1, std::max(1, pageCount()));
    updateScrollBars();
    viewport()->update();
}

void PageView::onPageAvailable(int count)
{
    viewport()->update();
    Q_EMIT pageAvailable(count);
}

int PageView::pageCount() const
{
    return m_pages ? m_pages->pageCount() : 0;
}

void PageView::setCurrentPage(int page)
{
    const int clamped = std::clamp(page, 1, std::max(1, pageCount()));
    if (clamped == m_current)
        return;
    m_current = clamped;
    viewport()->update();
    Q_EMIT currentPageChanged(m_current);
}

void PageView::setZoom(int percent)
{
    const int clamped = std::clamp(percent, kMinZoom, kMaxZoom);
    if (clamped == m_zoom)
        return;
    m_zoom = clamped;
    updateScrollBars();
    viewport()->update();
}

void PageView::zoomToFit()
{
    const QSize area = viewport()->size() - QSize(2 * kMargin, 2 * kMargin);
    const double byWidth = area.width() * 100.0 / m_pageSize.width();
    const double byHeight = area.height() * 100.0 / m_pageSize.height();
    setZoom(static_cast<int>(std::floor(std::min(byWidth, byHeight))));
}

void PageView::zoomToWidth()
{
    // Leave room for the vertical scroll bar the taller page will need.
    int width = viewport()->width();
    if (!verticalScrollBar()->isVisible())
        width -= verticalScrollBar()->sizeHint().width();
    setZoom(static_cast<int>(std::floor((width - 2 * kMargin) * 100.0 / m_pageSize.width())));
}

int PageView::hScrollPosition() const
{
    return horizontalScrollBar()->value();
}
int PageView::vScrollPosition() const
{
    return verticalScrollBar()->value();
}
void PageView::setHScrollPosition(int value)
{
    horizontalScrollBar()->setValue(value);
}
void PageView::setVScrollPosition(int value)
{
    verticalScrollBar()->setValue(value);
}
int PageView::hScrollRange() const
{
    return horizontalScrollBar()->maximum();
}
int PageView::vScrollRange() const
{
    return verticalScrollBar()->maximum();
}

QSize PageView::zoomedSize() const
{
    return QSize(static_cast<int>(std::lround(m_pageSize.width() * m_zoom / 100.0)),
                 static_cast<int>(std::lround(m_pageSize.height() * m_zoom / 100.0)));
}

void PageView::updateScrollBars()
{
    const QSize content = zoomedSize() + QSize(2 * kMargin, 2 * kMargin);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

QImage PageView::render(int page)
{
    m_error.clear();
    std::optional<QByteArray> body;
    try {
        body = m_pages->GetPage(page);
    } catch (const std::exception &e) {
        m_error = QString::fromUtf8(e.what());
    }
    if (!body && m_error.isEmpty())
        return {};
    if (body) {
        if (const QSizeF size = emf::pageSizeOf(*body); size != m_pageSize) {
            m_pageSize = size;
            updateScrollBars();
        }
    }
    // Past kMaxImagePixels the page is drawn at a lower resolution and
    // scaled up, so a large page at a high zoom cannot exhaust memory.
    qreal ratio = devicePixelRatioF();
    const QSizeF logical = zoomedSize();
    const double pixels = logical.width() * logical.height() * ratio * ratio;
    if (pixels > kMaxImagePixels)
        ratio *= std::sqrt(kMaxImagePixels / pixels);
    QImage image((logical * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    if (!body)
        return image; // an unreadable page shows as a blank sheet; lastError() says why
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QString error;
    if (!emf::EmfPlayer::play(*body, painter, QRectF(QPointF(0, 0), logical), &error))
        m_error = error;
    return image;
}

QImage PageView::currentImage()
{
    if (!m_pages || m_current > pageCount())
        return {};
    const qreal ratio = devicePixelRatioF();
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->page == m_current && it->zoom == m_zoom && it->ratio == ratio) {
            m_cache.splice(m_cache.begin(), m_cache, it);
            return m_cache.front().image;
        }
    }
    QImage image = render(m_current);
    if (image.isNull())
        return image;
    m_cache.push_front({m_current, m_zoom, ratio, image});
    qint64 bytes = 0;
    size_t kept = 0;
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        bytes += it->image.sizeInBytes();
        if (kept > 0 && (kept >= kCachePages || bytes > kCacheBytes)) {
            it = m_cache.erase(it);
        } else {
            ++kept;
            ++it;
        }
    }
    return image;
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    const QImage image = currentImage();
    if (image.isNull())
        return;
    const QSize size = zoomedSize();
    const QSize view = viewport()->size();
    int x = kMargin - hScrollPosition();
    if (size.width() + 2 * kMargin < view.width())
        x = (view.width() - size.width()) / 2;
    const int y = kMargin - vScrollPosition();
    painter.fillRect(QRect(x + 3, y + 3, size.width(), size.height()), palette().color(QPalette::Shadow));
    painter.drawImage(QPoint(x, y), image);
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void PageView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    event->accept();
    if (isSignalConnected(QMetaMethod::fromSignal(&PageView::mouseWheel))) {
        Q_EMIT mouseWheel(delta);
        return;
    }
    setVScrollPosition(vScrollPosition() + (delta > 0 ? -kWheelStep : kWheelStep));
}

} // namespace accrua::engine::view
