// The plan's report on the report engine: a first page with the title, the
// inputs of every scenario, the comparison and the chart, then the selected
// scenario's schedule with yearly totals, the rate changes and the
// crossover marked, and page numbers in the footers. The report keeps its
// own copy of what it prints, so the pages may be generated on the engine's
// worker thread while the window goes on.
#pragma once

#include "engine/layout/report.h"
#include "planner/plan.h"
#include "planner/schedule.h"
#include "text/locale.h"

#include <QDate>
#include <QString>

#include <memory>
#include <vector>

namespace accrua::planner {

// The report's title, in the user's language.
QString planReportTitle();

struct PlanReportData {
    QString title = planReportTitle();
    QString subtitle; // the file name, or nothing
    QDate printed;
    std::vector<Scenario> scenarios;
    std::vector<ScenarioResult> results; // one per scenario
    int selected = 0;
};

class PlanReport {
public:
    PlanReport(PlanReportData data, const text::Locale &locale);
    ~PlanReport();
    PlanReport(const PlanReport &) = delete;
    PlanReport &operator=(const PlanReport &) = delete;

    engine::layout::Report &report() { return *m_report; }

private:
    void buildFirstPage();
    void buildSchedule();
    bool nextLine();

    PlanReportData m_data;
    text::Locale m_locale;
    std::unique_ptr<engine::layout::Report> m_report;
    std::vector<ScheduleLine> m_lines;
    std::size_t m_next = 0;
    const ScheduleLine *m_line = nullptr;
};

} // namespace accrua::planner
