// How accrua-cli prints a plan and an APR: the table (inputs, results with the
// US disclosure box, rows), the --json object (also as one batch line) and the
// CSV rows. Amounts with a dot and two decimals, rates in percent.
#pragma once

#include "calc/planner.h"
#include "cli/output.h"

#include <QByteArray>

namespace accrua::cli {

void planTable(OutputBuffer &b, const calc::PlanRequest &r, const calc::PlanResult &p);
// `line` null: the --json object; otherwise the batch line it describes.
void planJson(OutputBuffer &b, const calc::PlanResult &p, const JsonLine *line);
QByteArray planCsv(const calc::PlanResult &p);

// The APR of a list of cash flows: what was financed, what is paid back, and
// both rates as fractions.
struct AprFigures {
    calc::Money financed;
    calc::Money total;
    calc::Extended apr = 0;
    calc::Extended aprc = 0;
};

void aprTable(OutputBuffer &b, const AprFigures &f);
void aprJson(OutputBuffer &b, const AprFigures &f, const JsonLine *line);

} // namespace accrua::cli
