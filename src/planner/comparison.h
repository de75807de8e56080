// The comparison of a plan's scenarios: one column per scenario, one row per
// figure (payment, payments, payoff, totals, APR, APRC, what each saves
// against scenario A, the crossover payment). Differences carry a sign:
// "+1,200.00" saved, "-300.00" more than A.
#pragma once

#include "planner/scenario.h"
#include "text/locale.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace accrua::planner {

struct ComparisonRow {
    QString label;
    QStringList cells; // one per scenario
};

struct Comparison {
    QStringList scenarios;
    std::vector<ComparisonRow> rows;
};

struct NamedResult {
    QString name;
    const ScenarioResult *result = nullptr;
};

// The first scenario is "A", the one the others are measured against.
Comparison compare(const std::vector<NamedResult> &scenarios, const text::Locale &locale);

// The inputs of the scenarios side by side, one row per input, as the
// report prints them.
Comparison inputTable(const std::vector<QString> &names, const std::vector<const ScenarioInputs *> &inputs,
                      const text::Locale &locale);

// A table as text: comma-separated (quoted where needed, one line each, CRLF
// line ends) or tab-separated (tabs and line breaks in cells become blanks).
enum class Delimiter { Comma, Tab };
QString delimitedText(const QStringList &header, const std::vector<QStringList> &rows, Delimiter delimiter);

QString comparisonText(const Comparison &comparison, Delimiter delimiter);

} // namespace accrua::planner
