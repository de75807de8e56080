// The plan file (*.accrua-plan): every scenario's name and inputs as JSON
// with a format name and version. Numbers that carry money or a rate are
// texts with a dot ("200000.00", "6.25") so no reader rounds them; dates are
// ISO texts. Reading trusts nothing: a file that is not a plan, is damaged
// or comes from a newer version is refused whole with the reason, so a read
// never leaves a half-loaded plan. Writing goes through fileio's SafeFile.
// Qt Core only: accrua-cli reads plan files too.
#pragma once

#include "planner/plan.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace accrua::planner {

inline constexpr int kPlanFormatVersion = 1;
inline constexpr qint64 kMaxPlanFileBytes = qint64{4} * 1024 * 1024;
inline constexpr int kMaxTableRows = 500; // extra payments, lump sums, rate changes each
inline const QString kPlanFileSuffix = QStringLiteral("accrua-plan");
// The file dialogs' filter of plan files, in the user's language.
QString planFileFilter();

struct PlanFileContent {
    std::vector<Scenario> scenarios; // empty when refused
    int selected = 0;
    QString error; // why the file was refused
    bool ok() const { return error.isEmpty(); }
};

QByteArray planFileBytes(const Plan &plan);
PlanFileContent parsePlanFile(const QByteArray &bytes);

// The file at `path`, or why it cannot be read.
PlanFileContent readPlanFile(const QString &path);
// Writes the plan whole or not at all; the reason when it failed.
std::optional<QString> writePlanFile(const QString &path, const Plan &plan);

} // namespace accrua::planner
