#include "engine/view/pageview.h"

#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"
#include "engine/layout/generator.h"
#include "engine/pagefile/pagelist.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QThreadPool>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace accrua::engine::view {

namespace {

constexpr int kWheelStep = 32;
constexpr qint64 kCacheBytes = 96LL * 1024 * 1024;
constexpr size_t kCachePages = 8;
constexpr double kMaxImagePixels = 24.0 * 1024 * 1024;

// Plays a page into an image of the zoomed size; no body gives a blank
// sheet. Past kMaxImagePixels the page is drawn at a lower resolution and
// scaled up, so a large page at a high zoom cannot exhaust memory. Touches
// nothing shared, so render jobs run it on worker threads.
QImage paintPage(const std::optional<QByteArray> &body, const QSizeF &logical, qreal ratio, QString *error)
{
    const double pixels = logical.width() * logical.height() * ratio * ratio;
    if (pixels > kMaxImagePixels)
        ratio *= std::sqrt(kMaxImagePixels / pixels);
    QImage image((logical * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    if (!body)
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    emf::EmfPlayer::play(*body, painter, QRectF(QPointF(0, 0), logical), error);
    return image;
}

} // namespace

// Render jobs post their image through this. The view unhooks itself when it
// goes and waits for its jobs still painting, so none outlives the view (or,
// at exit, the application whose fonts it paints with).
struct PageView::RenderLink {
    std::mutex lock;
    std::condition_variable idle;
    int running = 0;
    PageView *view = nullptr;
};

class PageView::RenderedEvent : public QEvent {
public:
    RenderedEvent(CachedPage page, quint64 epoch, QString error)
        : QEvent(type()), rendered(std::move(page)), pagesEpoch(epoch), message(std::move(error))
    {
    }
    static QEvent::Type type()
    {
        static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
        return t;
    }
    CachedPage rendered;
    const quint64 pagesEpoch;
    const QString message;
};

PageView::PageView(QWidget *parent)
    : QAbstractScrollArea(parent), m_pageSize(emf::kLetterPage), m_link(std::make_shared<RenderLink>())
{
    m_link->view = this;
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setSingleStep(kWheelStep);
    verticalScrollBar()->setSingleStep(kWheelStep);
    viewport()->setAutoFillBackground(false);
    updateScrollBars();
}

PageView::~PageView()
{
    std::unique_lock guard(m_link->lock);
    m_link->view = nullptr;
    m_link->idle.wait(guard, [this] { return m_link->running == 0; });
}

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
    ++m_epoch;
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
    Q_EMIT zoomChanged(m_zoom);
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

std::optional<QByteArray> PageView::fetch(int page)
{
    m_error.clear();
    std::optional<QByteArray> body;
    try {
        body = m_pages->GetPage(page);
    } catch (const std::exception &e) {
        m_error = QString::fromUtf8(e.what());
    }
    if (body) {
        if (const QSizeF size = emf::pageSizeOf(*body); size != m_pageSize) {
            m_pageSize = size;
            updateScrollBars();
        }
    }
    return body;
}

QImage PageView::render(int page)
{
    const std::optional<QByteArray> body = fetch(page);
    if (!body && m_error.isEmpty())
        return {};
    QString error;
    QImage image = paintPage(body, zoomedSize(), devicePixelRatioF(), &error);
    if (!error.isEmpty())
        m_error = error;
    return image; // an unreadable page shows as a blank sheet; lastError() says why
}

const QImage *PageView::cached(int page, int zoom, qreal ratio)
{
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->page == page && it->zoom == zoom && it->ratio == ratio) {
            m_cache.splice(m_cache.begin(), m_cache, it);
            return &m_cache.front().image;
        }
    }
    return nullptr;
}

bool PageView::isCached(int page, int zoom, qreal ratio) const
{
    return std::any_of(m_cache.begin(), m_cache.end(), [&](const CachedPage &c) {
        return c.page == page && c.zoom == zoom && c.ratio == ratio;
    });
}

bool PageView::currentPageReady() const
{
    return isCached(m_current, m_zoom, devicePixelRatioF());
}

void PageView::keep(CachedPage page)
{
    m_cache.push_front(std::move(page));
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
}

QImage PageView::currentImage()
{
    if (!m_pages || m_current > pageCount())
        return {};
    const qreal ratio = devicePixelRatioF();
    if (const QImage *image = cached(m_current, m_zoom, ratio))
        return *image;
    QImage image = render(m_current);
    if (image.isNull())
        return image;
    keep({m_current, m_zoom, ratio, image});
    return image;
}

void PageView::requestRender()
{
    if (m_rendering.page != 0)
        return; // one job at a time; the page then shown is asked for when it is done
    std::optional<QByteArray> body = fetch(m_current);
    if (!body) {
        currentImage(); // a blank sheet, lastError() saying why
        return;
    }
    startRender(m_current, *std::move(body));
}

void PageView::prefetchNext()
{
    const int next = m_current + 1;
    if (m_rendering.page != 0 || next > pageCount() || isCached(next, m_zoom, devicePixelRatioF()))
        return;
    std::optional<QByteArray> body;
    try {
        body = m_pages->GetPage(next);
    } catch (const std::exception &) {
        return; // said when the page is shown
    }
    if (body && emf::pageSizeOf(*body) == m_pageSize)
        startRender(next, *std::move(body));
}

void PageView::startRender(int page, QByteArray body)
{
    m_rendering = {page, m_zoom, devicePixelRatioF(), {}};
    {
        std::lock_guard guard(m_link->lock);
        ++m_link->running;
    }
    QThreadPool::globalInstance()->start([link = m_link, job = m_rendering, epoch = m_epoch,
                                          body = std::move(body), logical = QSizeF(zoomedSize())]() mutable {
        QString error;
        try {
            job.image = paintPage(body, logical, job.ratio, &error);
        } catch (const std::exception &e) {
            // Nothing may leave a pool thread; the view says why the page is blank.
            error = QString::fromUtf8(e.what());
        }
        std::lock_guard guard(link->lock);
        if (link->view)
            QCoreApplication::postEvent(link->view, new RenderedEvent(std::move(job), epoch, error));
        --link->running;
        link->idle.notify_all();
    });
}

bool PageView::event(QEvent *event)
{
    if (event->type() != RenderedEvent::type())
        return QAbstractScrollArea::event(event);
    auto *done = static_cast<RenderedEvent *>(event);
    m_rendering = {};
    const bool shown = done->rendered.page == m_current && done->rendered.zoom == m_zoom;
    if (done->pagesEpoch == m_epoch && done->rendered.image.isNull() && shown) {
        // Asking again would fail again.
        m_error = QStringLiteral("Page %1 is too large to show at this zoom.").arg(m_current);
        return true;
    }
    if (done->pagesEpoch == m_epoch && !done->rendered.image.isNull()) {
        if (shown)
            m_error = done->message;
        if (!isCached(done->rendered.page, done->rendered.zoom, done->rendered.ratio))
            keep(std::move(done->rendered));
    }
    const bool ready = isCached(m_current, m_zoom, devicePixelRatioF());
    // Shows the page, or asks for the one shown by now.
    if (shown || !ready)
        viewport()->update();
    // With the page shown ready, the next one is rendered ahead, so that Next
    // Page finds it waiting.
    if (ready)
        prefetchNext();
    return true;
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (!m_pages || m_current > pageCount())
        return;
    // Rendering a page at a large zoom takes longer than the user-interface
    // thread may stall: it is done on a worker, with a blank sheet meanwhile.
    const qreal ratio = devicePixelRatioF();
    if (!cached(m_current, m_zoom, ratio))
        requestRender();
    const QImage *image = cached(m_current, m_zoom, ratio);
    const QSize size = zoomedSize();
    const QSize view = viewport()->size();
    int x = kMargin - hScrollPosition();
    if (size.width() + 2 * kMargin < view.width())
        x = (view.width() - size.width()) / 2;
    const int y = kMargin - vScrollPosition();
    painter.fillRect(QRect(x + 3, y + 3, size.width(), size.height()), palette().color(QPalette::Shadow));
    if (image)
        painter.drawImage(QPoint(x, y), *image);
    else
        painter.fillRect(QRect(QPoint(x, y), size), Qt::white);
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
