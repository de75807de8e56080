// accrua-cli plan and apr: the loan planner (calc/planner.h) and the APR of a
// list of dated cash flows (calc/apr.h). The options are read into a request,
// the calculation runs once, and the answer is printed as a table (inputs,
// results with the US disclosure box, rows), as JSON, as CSV, or as one line
// of a batch. Neither reads the settings store or starts the window's model.
#pragma once

#include "cli/cli.h"
#include "cli/output.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace accrua::cli {

// What plan --plan FILE --pdf FILE asks of the drawing side: the planner's
// report of the whole plan, its schedule that of scenario `selected`.
struct PlanPdf {
    QString planFile;
    int selected = 0;
    QString pdf;
    QDate printed;
    text::Locale locale;
};

// Writes the report (drawing side, accrua-cli-draw); throws Refusal.
void writePlanPdf(const PlanPdf &request);

// The commands as the command line runs them; UsageError and Refusal are
// thrown as by the other commands.
int runPlanCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
                   const Drawing *drawing = nullptr);
int runAprCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services);

// "plan" or "apr" for a batch: appends the result line (the --json object on
// one line, with "exit" and "id" first; "rows" only with line.withRows) and
// returns the exit status. Throws UsageError and Refusal for the batch to
// report.
int planBatchLine(const QString &command, const QStringList &args, const Services &services,
                  OutputBuffer &buffer, const JsonLine &line);

} // namespace accrua::cli
