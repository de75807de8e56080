// Layout: runs a Report, pulling rows one at a time, and decides which band
// prints on which page at which position. It only decides; a PageSink does
// the drawing (PageRecorder in pagerecorder.h records metafile pages, PagePlan
// below just remembers the placements for inspection).
//
// The page-break rule, in page pixels from the top edge of the paper:
//  - no page exists until the first band is about to print; a page starts at
//    the top margin, and on every page but the first the page header prints
//    first;
//  - before an enabled band prints (its before-print handler having let it),
//    space left = page length - bottom margin - footer height - position; when
//    that is smaller than the band's height and the band fits between the top
//    and bottom margins, the page is ended and a new one started; a taller
//    band prints where it stands;
//  - ending a page puts the page footer so that it ends at the bottom margin,
//    on every page including the last;
//  - a disabled or suppressed band takes no space and causes no break, but its
//    after-print handler still runs;
//  - after the last row the last page is ended.
#pragma once

#include "engine/layout/report.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace accrua::engine::layout {

class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void beginPage(int pageNumber) = 0;
    // The band as it is now (captions read at this moment), its top edge at
    // `top` page pixels from the paper's top edge.
    virtual void printBand(const Band &band, double top, int pageNumber) = 0;
    virtual void endPage(int pageNumber) = 0;
    // After the last page has ended.
    virtual void finishReport() {}
};

class ReportLayout {
public:
    ReportLayout(Report &report, PageSink &sink);

    // Checked before every row and every band; when it turns true the run
    // stops at once, leaving the current page unfinished.
    void setCancelFlag(const std::atomic<bool> *cancel) { m_cancel = cancel; }
    // Called after each row's detail bands have had their turn.
    void setRowObserver(std::function<void(int rows)> observer) { m_rowObserver = std::move(observer); }

    // Generates the whole report. Returns false when cancelled. Exceptions
    // from handlers or the sink propagate and stop the run.
    bool run();

    int pageCount() const { return m_page; }
    int rowCount() const { return m_rows; }

private:
    bool cancelled() const;
    void process(Band &band);
    void printFixed(Band *band);
    void startPage();
    void endPage();
    double footerHeight() const;
    bool breakNeeded(double height) const;
    static void after(Band &band);
    // The page's length and margins, worked out again only when the page
    // setup changes: every band asks.
    struct Extent {
        double length = 0;
        double top = 0;
        double bottom = 0;
    };
    const Extent &extent() const;

    Report &m_report;
    PageSink &m_sink;
    const std::atomic<bool> *m_cancel = nullptr;
    std::function<void(int)> m_rowObserver;
    Band *m_header = nullptr;
    Band *m_footer = nullptr;
    int m_page = 0;
    int m_rows = 0;
    bool m_pageOpen = false;
    bool m_pageHasBands = false; // anything but the page header printed here
    double m_pos = 0;
    mutable std::optional<PageSetup> m_extentOf;
    mutable Extent m_extent;
};

// A sink that only records the placements: which band on which page where.
struct PlacedBand {
    QString band;
    double top = 0;
    double height = 0;
    friend bool operator==(const PlacedBand &, const PlacedBand &) = default;
};

class PagePlan : public PageSink {
public:
    void beginPage(int pageNumber) override;
    void printBand(const Band &band, double top, int pageNumber) override;
    void endPage(int pageNumber) override;
    void finishReport() override { finished = true; }

    std::vector<std::vector<PlacedBand>> pages;
    std::vector<bool> ended; // per page: endPage was called
    bool finished = false;
};

} // namespace accrua::engine::layout
