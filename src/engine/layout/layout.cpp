#include "engine/layout/layout.h"

#include <stdexcept>

namespace accrua::engine::layout {

ReportLayout::ReportLayout(Report &report, PageSink &sink) : m_report(report), m_sink(sink) {}

bool ReportLayout::cancelled() const
{
    return m_cancel && m_cancel->load(std::memory_order_relaxed);
}

bool ReportLayout::run()
{
    m_page = 0;
    m_rows = 0;
    m_pageOpen = false;
    m_header = m_report.firstBand(BandKind::PageHeader);
    m_footer = m_report.firstBand(BandKind::PageFooter);

    if (cancelled())
        return false;
    if (m_report.beforePrint)
        m_report.beforePrint();

    std::vector<Band *> titles, headings, details;
    for (const auto &b : m_report.bands()) {
        switch (b->kind()) {
        case BandKind::Title:
            titles.push_back(b.get());
            break;
        case BandKind::ColumnHeader:
            headings.push_back(b.get());
            break;
        case BandKind::Detail:
            details.push_back(b.get());
            break;
        case BandKind::PageHeader:
        case BandKind::PageFooter:
            break;
        }
    }

    for (Band *b : titles) {
        if (cancelled())
            return false;
        process(*b);
    }
    for (Band *b : headings) {
        if (cancelled())
            return false;
        process(*b);
    }
    while (true) {
        if (cancelled())
            return false;
        if (!m_report.needData || !m_report.needData())
            break;
        ++m_rows;
        for (Band *b : details) {
            if (cancelled())
                return false;
            process(*b);
        }
        if (m_rowObserver)
            m_rowObserver(m_rows);
    }
    if (cancelled())
        return false;
    if (m_pageOpen)
        endPage();
    m_sink.finishReport();
    return true;
}

void ReportLayout::after(Band &band)
{
    if (band.afterPrint)
        band.afterPrint();
}

double ReportLayout::footerHeight() const
{
    return m_footer && m_footer->enabled ? m_footer->height : 0.0;
}

const ReportLayout::Extent &ReportLayout::extent() const
{
    if (!m_extentOf || !(*m_extentOf == m_report.page)) {
        const PageSetup &p = m_report.page;
        m_extent = {p.pageLength(), p.topMargin(), p.bottomMargin()};
        m_extentOf = p;
    }
    return m_extent;
}

bool ReportLayout::breakNeeded(double height) const
{
    const Extent &p = extent();
    const double spaceLeft = p.length - p.bottom - footerHeight() - m_pos;
    const bool fitsEmptyPage = height <= p.length - p.top - p.bottom;
    // On a page that holds nothing yet a break would only leave a blank page
    // behind; the band prints where it stands, as a too-tall band does.
    return spaceLeft < height && fitsEmptyPage && m_pageHasBands;
}

void ReportLayout::process(Band &band)
{
    if (!band.enabled || (band.beforePrint && !band.beforePrint())) {
        after(band);
        return;
    }
    if (!m_pageOpen) {
        startPage();
    } else if (breakNeeded(band.height)) {
        endPage();
        startPage();
    }
    m_sink.printBand(band, m_pos, m_page);
    m_pos += band.height;
    m_pageHasBands = true;
    after(band);
}

// Page header and footer: placed by the page, never cause a break.
void ReportLayout::printFixed(Band *band)
{
    if (!band)
        return;
    if (!band->enabled || (band->beforePrint && !band->beforePrint())) {
        after(*band);
        return;
    }
    m_sink.printBand(*band, m_pos, m_page);
    m_pos += band->height;
    after(*band);
}

void ReportLayout::startPage()
{
    ++m_page;
    m_pageOpen = true;
    m_pageHasBands = false;
    m_pos = extent().top;
    m_sink.beginPage(m_page);
    if (m_page > 1)
        printFixed(m_header);
}

void ReportLayout::endPage()
{
    const Extent &p = extent();
    m_pos = p.length - p.bottom - footerHeight();
    printFixed(m_footer);
    m_sink.endPage(m_page);
    m_pageOpen = false;
}

void PagePlan::beginPage(int pageNumber)
{
    if (pageNumber != static_cast<int>(pages.size()) + 1)
        throw std::logic_error("pages must begin in order");
    pages.emplace_back();
    ended.push_back(false);
}

void PagePlan::printBand(const Band &band, double top, int pageNumber)
{
    pages.at(static_cast<size_t>(pageNumber - 1)).push_back({band.name(), top, band.height});
}

void PagePlan::endPage(int pageNumber)
{
    ended.at(static_cast<size_t>(pageNumber - 1)) = true;
}

} // namespace accrua::engine::layout
