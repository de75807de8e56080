// The page view the preview window embeds: shows one page of a page list at
// a zoom percentage, with scroll bars that track while dragged. Pages are
// played from their metafiles into images cached per page and zoom, so
// paging back and forth and scrolling do not replay them.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <list>
#include <memory>
#include <optional>

namespace accrua::engine::layout {
class ReportGenerator;
}
namespace accrua::engine::pagefile {
class TRptPageList;
}

namespace accrua::engine::view {

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 400;
    static constexpr int kMargin = 10; // grey border around the page, widget pixels

    explicit PageView(QWidget *parent = nullptr);
    ~PageView() override;

    // The view only borrows the list; detach (nullptr) before it goes away.
    void setPageList(pagefile::TRptPageList *pages);
    pagefile::TRptPageList *pageList() const { return m_pages; }
    // Forwards the generator's page and progress notifications.
    void attachGenerator(layout::ReportGenerator *generator);
    // Re-reads the page count and drops the cached pages (after a file was
    // loaded into the list).
    void refresh();

    int pageCount() const;
    int currentPage() const { return m_current; }
    void setCurrentPage(int page); // clamped to 1..page count

    int zoom() const { return m_zoom; }
    void setZoom(int percent); // clamped to kMinZoom..kMaxZoom
    void zoomToFit();
    void zoomToWidth();

    int hScrollPosition() const;
    int vScrollPosition() const;
    void setHScrollPosition(int value);
    void setVScrollPosition(int value);
    int hScrollRange() const; // the largest position
    int vScrollRange() const;

    // Page size in page pixels (96 per inch) of the page shown, Letter until
    // a page has been read.
    QSizeF pageSize() const { return m_pageSize; }
    // Why the last page could not be shown; empty when it could.
    QString lastError() const { return m_error; }

    // The rendered image of the current page at the current zoom, rendered
    // here and now when it is not cached (tests, benchmarks); a null image
    // when there is no page to show. Painting does not wait for it: it asks
    // for the page on a worker and shows a blank sheet until it is there.
    QImage currentImage();
    // Whether the current page at the current zoom is rendered and cached.
    bool currentPageReady() const;

Q_SIGNALS:
    void pageAvailable(int pageCount);
    void progressUpdate(int percent);
    // The wheel turned over the view. When something listens, scrolling is
    // left to it; otherwise the view scrolls 32 pixels itself.
    void mouseWheel(int delta);
    void currentPageChanged(int page);
    void zoomChanged(int percent);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct CachedPage {
        int page = 0;
        int zoom = 0;
        qreal ratio = 1;
        QImage image;
    };

    struct RenderLink;
    class RenderedEvent;

    void onPageAvailable(int count);
    QSize zoomedSize() const;
    void updateScrollBars();
    QImage render(int page);
    // The page's body, noting its page size; nothing when it cannot be read
    // (lastError() then says why) or is out of range.
    std::optional<QByteArray> fetch(int page);
    // The cached image, moved to the front; null when there is none.
    const QImage *cached(int page, int zoom, qreal ratio);
    void keep(CachedPage page);
    bool isCached(int page, int zoom, qreal ratio) const;
    void requestRender();
    void prefetchNext();
    void startRender(int page, QByteArray body);

    pagefile::TRptPageList *m_pages = nullptr;
    int m_current = 1;
    int m_zoom = 100;
    QSizeF m_pageSize;
    QString m_error;
    std::list<CachedPage> m_cache;      // most recently used first
    std::shared_ptr<RenderLink> m_link; // what render jobs post their image to
    CachedPage m_rendering;             // the job in flight (page 0: none)
    quint64 m_epoch = 0;                // bumped when the pages change under the cache
};

} // namespace accrua::engine::view
