// The page plan: which band prints on which page at which position, checked
// without drawing anything. Letter paper at 96 per inch: page length 1056,
// margins 48, so with a footer of height F a band must end by 1008 - F.
#include "engine/layout/layout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

using namespace accrua::engine::layout;

namespace {

// The heights of the bands of a TestReport, and how many rows it is fed.
struct BandHeights {
    double title = 40;
    double heading = 0; // 0: no column heading band
    double pageHeader = 30;
    double footer = 20;
    bool footerEnabled = true;
    double detail = 100;
    int rows = 0;
};

// A report with title, optional column heading, page header, one detail band
// and footer, fed `rows` rows.
struct TestReport {
    Report report{QStringLiteral("test")};
    int fed = 0;
    int rows = 0;
    int needDataCalls = 0;

    explicit TestReport(const BandHeights &s) : rows(s.rows)
    {
        if (s.pageHeader > 0)
            report.addBand(BandKind::PageHeader, QStringLiteral("H"), s.pageHeader);
        report.addBand(BandKind::Title, QStringLiteral("T"), s.title);
        if (s.heading > 0)
            report.addBand(BandKind::ColumnHeader, QStringLiteral("C"), s.heading);
        report.addBand(BandKind::Detail, QStringLiteral("D"), s.detail);
        if (s.footer > 0)
            report.addBand(BandKind::PageFooter, QStringLiteral("F"), s.footer).enabled = s.footerEnabled;
        report.needData = [this] {
            ++needDataCalls;
            if (fed >= rows)
                return false;
            ++fed;
            return true;
        };
    }

    PagePlan run()
    {
        PagePlan plan;
        ReportLayout layout(report, plan);
        EXPECT_TRUE(layout.run());
        EXPECT_EQ(layout.pageCount(), static_cast<int>(plan.pages.size()));
        return plan;
    }
};

using Page = std::vector<PlacedBand>;

PlacedBand at(const char *band, double top, double height)
{
    return {QString::fromLatin1(band), top, height};
}

std::string describe(const std::vector<Page> &pages)
{
    std::string out;
    for (size_t p = 0; p < pages.size(); ++p) {
        out += "page " + std::to_string(p + 1) + ":";
        for (const auto &b : pages[p])
            out += " " + b.band.toStdString() + "@" + std::to_string(b.top);
        out += "\n";
    }
    return out;
}

struct BreakCase {
    const char *name;
    BandHeights shape;
    std::vector<Page> expected;
};

// A page of n details of height h starting at `from`, preceded by `lead`
// and followed by the footer at 1008 - footer.
Page page(std::vector<PlacedBand> lead, double from, int n, double h, double footer)
{
    Page p = std::move(lead);
    for (int i = 0; i < n; ++i)
        p.push_back(at("D", from + i * h, h));
    if (footer > 0)
        p.push_back(at("F", 1008 - footer, footer));
    return p;
}

class PageBreakRule : public ::testing::TestWithParam<BreakCase> {};

TEST_P(PageBreakRule, PlacesBandsAsTheRuleSays)
{
    const BreakCase &c = GetParam();
    TestReport t(c.shape);
    PagePlan plan = t.run();
    EXPECT_EQ(plan.pages, c.expected) << "got\n"
                                      << describe(plan.pages) << "expected\n"
                                      << describe(c.expected);
    for (bool ended : plan.ended)
        EXPECT_TRUE(ended);
    EXPECT_TRUE(plan.finished);
}

// Title 40 at 48 leaves 900 above a footer of 20 (48 + 40 + 900 = 988).
INSTANTIATE_TEST_SUITE_P(
    Letter, PageBreakRule,
    ::testing::Values(
        BreakCase{
            "ExactFitStaysOnPage", {40, 0, 30, 20, true, 100, 9}, {page({at("T", 48, 40)}, 88, 9, 100, 20)}},
        BreakCase{"OnePixelShortBreaks",
                  {41, 0, 30, 20, true, 100, 9},
                  {page({at("T", 48, 41)}, 89, 8, 100, 20), page({at("H", 48, 30)}, 78, 1, 100, 20)}},
        BreakCase{"NextRowGoesBelowPageHeader",
                  {40, 0, 30, 20, true, 100, 10},
                  {page({at("T", 48, 40)}, 88, 9, 100, 20), page({at("H", 48, 30)}, 78, 1, 100, 20)}},
        BreakCase{"HeaderOnEveryPageButFirst",
                  {40, 0, 30, 20, true, 300, 7},
                  {page({at("T", 48, 40)}, 88, 3, 300, 20), page({at("H", 48, 30)}, 78, 3, 300, 20),
                   page({at("H", 48, 30)}, 78, 1, 300, 20)}},
        BreakCase{"ColumnHeadingOnlyOnceAfterTitle",
                  {40, 20, 30, 20, true, 440, 3},
                  {page({at("T", 48, 40), at("C", 88, 20)}, 108, 2, 440, 20),
                   page({at("H", 48, 30)}, 78, 1, 440, 20)}},
        BreakCase{"BandAsTallAsMarginsBreaks",
                  {40, 0, 30, 20, true, 960, 1},
                  {page({at("T", 48, 40)}, 0, 0, 0, 20), page({at("H", 48, 30)}, 78, 1, 960, 20)}},
        BreakCase{"BandTallerThanPagePrintsWhereItStands",
                  {40, 0, 30, 20, true, 961, 2},
                  {page({at("T", 48, 40)}, 88, 2, 961, 20)}},
        BreakCase{"DisabledFooterTakesNoSpace",
                  {40, 0, 30, 20, false, 100, 10},
                  {page({at("T", 48, 40)}, 88, 9, 100, 0), page({at("H", 48, 30)}, 78, 1, 100, 0)}},
        BreakCase{"NoPageHeaderNewPageStartsAtTopMargin",
                  {40, 0, 0, 20, true, 100, 10},
                  {page({at("T", 48, 40)}, 88, 9, 100, 20), page({}, 48, 1, 100, 20)}},
        BreakCase{"EmptyReportStillPrintsTitleHeadingFooter",
                  {93, 20, 21, 18, true, 17, 0},
                  {page({at("T", 48, 93), at("C", 141, 20)}, 0, 0, 17, 18)}}),
    [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

TEST(PageBreakRule, FirstBandTooTallForPageOneDoesNotLeaveBlankPage)
{
    // 950 fits between the margins but not above the footer of an empty page;
    // breaking would only leave page 1 blank.
    TestReport t({950, 0, 30, 20, true, 100, 0});
    PagePlan plan = t.run();
    ASSERT_EQ(plan.pages.size(), 1u);
    EXPECT_EQ(plan.pages[0], (Page{at("T", 48, 950), at("F", 988, 20)}));
}

TEST(PageBreakRule, NoBandsMeansNoPages)
{
    Report report;
    bool after = false;
    report.afterPrint = [&] { after = true; };
    PagePlan plan;
    ReportLayout layout(report, plan);
    EXPECT_TRUE(layout.run());
    EXPECT_TRUE(plan.pages.empty());
    EXPECT_TRUE(plan.finished);
    EXPECT_FALSE(after) << "after-print belongs to printing, not to layout";
}

// Amortization shape: totals (66) enabled by the row handler move whole.
struct TotalsCase {
    const char *name;
    int rows;
    std::vector<int> totalsAfterRows; // 1-based rows after which totals are enabled
    bool print = true;                // what the totals' before-print answers
};

class TotalsBand : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(TotalsBand, PrintsOnlyWhileEnabledAndMovesWhole)
{
    const TotalsCase &c = GetParam();
    Report report;
    report.addBand(BandKind::PageHeader, QStringLiteral("H"), 21);
    report.addBand(BandKind::Title, QStringLiteral("T"), 93);
    report.addBand(BandKind::ColumnHeader, QStringLiteral("C"), 20);
    report.addBand(BandKind::Detail, QStringLiteral("D"), 17);
    Band &totals = report.addBand(BandKind::Detail, QStringLiteral("S"), 66);
    report.addBand(BandKind::PageFooter, QStringLiteral("F"), 18);
    totals.enabled = false;
    int row = 0, before = 0, after = 0;
    report.needData = [&] {
        if (row >= c.rows)
            return false;
        ++row;
        for (int r : c.totalsAfterRows)
            if (r == row)
                totals.enabled = true;
        return true;
    };
    totals.beforePrint = [&] {
        ++before;
        return c.print;
    };
    totals.afterPrint = [&] {
        ++after;
        totals.enabled = false;
    };
    PagePlan plan;
    ReportLayout layout(report, plan);
    ASSERT_TRUE(layout.run());

    // Replay the rule independently over the printed sequence.
    const double limit = 1056 - 48 - 18;
    int printedTotals = 0;
    for (size_t p = 0; p < plan.pages.size(); ++p) {
        const Page &pg = plan.pages[p];
        double pos = 48;
        ASSERT_FALSE(pg.empty());
        EXPECT_EQ(pg.front().band, p == 0 ? QStringLiteral("T") : QStringLiteral("H"));
        for (size_t i = 0; i + 1 < pg.size(); ++i) {
            EXPECT_DOUBLE_EQ(pg[i].top, pos) << "page " << p + 1 << " band " << i;
            EXPECT_LE(pg[i].top + pg[i].height, limit) << "band crosses the footer";
            pos += pg[i].height;
            if (pg[i].band == QLatin1String("S"))
                ++printedTotals;
        }
        EXPECT_EQ(pg.back(), at("F", limit, 18));
        if (p + 1 < plan.pages.size()) {
            // The page was ended only because the next band did not fit.
            const PlacedBand &next = plan.pages[p + 1][1];
            EXPECT_LT(limit - pos, next.height) << "page " << p + 1 << " ended early";
        }
    }
    EXPECT_EQ(layout.rowCount(), c.rows);
    EXPECT_EQ(before, static_cast<int>(c.totalsAfterRows.size()));
    EXPECT_EQ(after, c.rows) << "after-print runs on every turn, enabled or not";
    EXPECT_EQ(printedTotals, c.print ? before : 0);
}

// Page 1 holds 48 details (48 + 93 + 20 + 48 * 17 = 977 <= 990, 49 would
// not); 13 pixels are left, so totals after row 48 go whole to page 2.
INSTANTIATE_TEST_SUITE_P(Amortization, TotalsBand,
                         ::testing::Values(TotalsCase{"AtEndOfPageMovesToNext", 60, {48, 60}},
                                           TotalsCase{"MidPage", 30, {12, 24, 30}},
                                           TotalsCase{
                                               "SuppressedTakeNoSpace", 120, {12, 24, 36, 48, 120}, false},
                                           TotalsCase{"ManyPages", 600, {12, 24, 36, 48, 60, 300, 599, 600}}),
                         [](const auto &paramInfo) { return std::string(paramInfo.param.name); });

TEST(PageBreakRule, TotalsAfterLastRowOnFullPageGoToNewPage)
{
    Report report;
    report.addBand(BandKind::PageHeader, QStringLiteral("H"), 21);
    report.addBand(BandKind::Title, QStringLiteral("T"), 93);
    report.addBand(BandKind::ColumnHeader, QStringLiteral("C"), 20);
    report.addBand(BandKind::Detail, QStringLiteral("D"), 17);
    Band &totals = report.addBand(BandKind::Detail, QStringLiteral("S"), 66);
    report.addBand(BandKind::PageFooter, QStringLiteral("F"), 18);
    totals.enabled = false;
    int row = 0;
    report.needData = [&] {
        if (row == 48)
            return false;
        totals.enabled = ++row == 48;
        return true;
    };
    PagePlan plan;
    ReportLayout(report, plan).run();
    ASSERT_EQ(plan.pages.size(), 2u);
    EXPECT_EQ(plan.pages[0].size(), 2u + 48u + 1u);
    EXPECT_EQ(plan.pages[1], (Page{at("H", 48, 21), at("S", 69, 66), at("F", 990, 18)}));
}

TEST(PullInterface, StopsAtNoMoreDataAndRunsHandlersInOrder)
{
    Report report;
    std::vector<std::string> log;
    Band &t = report.addBand(BandKind::Title, QStringLiteral("T"), 10);
    Band &d1 = report.addBand(BandKind::Detail, QStringLiteral("D1"), 10);
    Band &d2 = report.addBand(BandKind::Detail, QStringLiteral("D2"), 10);
    Band &f = report.addBand(BandKind::PageFooter, QStringLiteral("F"), 10);
    int rows = 0;
    report.beforePrint = [&] { log.push_back("report-before"); };
    report.afterPrint = [&] { log.push_back("report-after"); };
    report.needData = [&] {
        log.push_back("need");
        return rows++ < 2;
    };
    for (Band *b : {&t, &d1, &d2, &f}) {
        const std::string n = b->name().toStdString();
        b->beforePrint = [&log, n] {
            log.push_back(n + "-before");
            return true;
        };
        b->afterPrint = [&log, n] { log.push_back(n + "-after"); };
    }
    // d2 is suppressed on the first row only.
    d2.beforePrint = [&, first = true]() mutable {
        log.push_back("D2-before");
        const bool print = !first;
        first = false;
        return print;
    };

    struct Sink : PagePlan {
        std::vector<std::string> *log;
        void endPage(int n) override
        {
            log->push_back("end-page");
            PagePlan::endPage(n);
        }
    } sink;
    sink.log = &log;
    ReportLayout layout(report, sink);
    ASSERT_TRUE(layout.run());
    const std::vector<std::string> expected{"report-before", "T-before",  "T-after",  "need", "D1-before",
                                            "D1-after",      "D2-before", "D2-after", "need", "D1-before",
                                            "D1-after",      "D2-before", "D2-after", "need", "F-before",
                                            "F-after",       "end-page"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(layout.rowCount(), 2);
    ASSERT_EQ(sink.pages.size(), 1u);
    EXPECT_EQ(sink.pages[0], (Page{at("T", 48, 10), at("D1", 58, 10), at("D1", 68, 10), at("D2", 78, 10),
                                   at("F", 998, 10)}));
}

TEST(PullInterface, HandlerExceptionStopsTheRun)
{
    TestReport t({40, 0, 30, 20, true, 100, 50});
    t.report.needData = [&] {
        if (++t.fed == 3)
            throw std::runtime_error("row 3 is broken");
        return true;
    };
    bool afterPrint = false;
    t.report.afterPrint = [&] { afterPrint = true; };
    PagePlan plan;
    ReportLayout layout(t.report, plan);
    EXPECT_THROW(layout.run(), std::runtime_error);
    EXPECT_EQ(layout.rowCount(), 2);
    EXPECT_FALSE(plan.finished);
    EXPECT_FALSE(afterPrint);
}

TEST(PullInterface, CancelStopsBeforeTheNextRow)
{
    TestReport t({40, 0, 30, 20, true, 100, 1000});
    std::atomic<bool> cancel{false};
    t.report.needData = [&] {
        if (++t.fed == 25)
            cancel = true;
        return true;
    };
    PagePlan plan;
    ReportLayout layout(t.report, plan);
    layout.setCancelFlag(&cancel);
    EXPECT_FALSE(layout.run());
    EXPECT_EQ(t.fed, 25);
    EXPECT_FALSE(plan.finished);
    EXPECT_FALSE(plan.ended.back()) << "a cancelled run leaves its page unfinished";
}

TEST(ReportDefinition, PageSetupAndLookups)
{
    Report report;
    EXPECT_DOUBLE_EQ(report.page.pageSize().width(), 816);
    EXPECT_DOUBLE_EQ(report.page.pageLength(), 1056);
    EXPECT_DOUBLE_EQ(report.page.topMargin(), 48);
    EXPECT_DOUBLE_EQ(report.page.bandWidth(), 720);
    report.page.landscape = true;
    EXPECT_DOUBLE_EQ(report.page.pageLength(), 816);

    Band &title = report.addBand(BandKind::Title, QStringLiteral("RptBand_Title"), 93);
    Label &l =
        title.addLabel(QStringLiteral("RptLabel_Title"), 0, 1, QStringLiteral("Amortization Schedule"));
    report.addBand(BandKind::PageFooter, QStringLiteral("RptBand_Footer"), 18)
        .addPageNumber(QStringLiteral("RptSysData_PageNo"), 356, 1);
    EXPECT_EQ(report.label(QStringLiteral("RptLabel_Title")), &l);
    EXPECT_NE(report.label(QStringLiteral("RptSysData_PageNo")), nullptr);
    EXPECT_EQ(report.label(QStringLiteral("missing")), nullptr);
    EXPECT_EQ(report.band(QStringLiteral("RptBand_Title")), &title);
    EXPECT_THROW(report.addBand(BandKind::PageFooter, QStringLiteral("second"), 10), std::invalid_argument);
    EXPECT_THROW(report.addBand(BandKind::Detail, QStringLiteral("bad"), -1), std::invalid_argument);
}

} // namespace
