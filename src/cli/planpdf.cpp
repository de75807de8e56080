#include "cli/options.h"
#include "cli/plancommand.h"
#include "planner/planfile.h"
#include "planner/planreport.h"
#include "reports/banded/reportoutput.h"

#include <QFileInfo>

namespace accrua::cli {

void writePlanPdf(const PlanPdf &request)
{
    planner::PlanFileContent plan = planner::readPlanFile(request.planFile);
    if (!plan.ok())
        throw Refusal{plan.error};
    planner::PlanReportData data;
    data.subtitle = QFileInfo(request.planFile).fileName();
    data.printed = request.printed;
    data.selected = request.selected;
    for (const planner::Scenario &s : plan.scenarios)
        data.results.push_back(planner::computeScenario(s.inputs));
    data.scenarios = std::move(plan.scenarios);
    try {
        planner::PlanReport report(std::move(data), request.locale);
        reports::banded::generatePdf(report.report(), request.pdf);
    } catch (const reports::banded::ReportOutputError &e) {
        throw Refusal{e.message()};
    } catch (const std::exception &e) {
        throw Refusal{QStringLiteral("%1: the report was not written: %2")
                          .arg(request.pdf, QString::fromUtf8(e.what()))};
    }
}

} // namespace accrua::cli
