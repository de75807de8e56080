// The rows behind the reports as comma-separated values for scripts and
// spreadsheets: a header line, then one line per row, amounts as plain
// numbers with a dot and ISO dates, whatever the user's conventions. Qt Core
// only, so that the calculation-only command line writes them itself.
#pragma once

#include "app/mainmodel.h"
#include "calc/loan.h"
#include "calc/savings.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace accrua::reports::csv {

// Schedule rows: PMT,DATE,PAYMENT,PRINCIPAL,INTEREST,BALANCE with ISO dates
// dated as the report dates them; amounts with a dot and two decimals.
QByteArray scheduleCsv(const std::vector<calc::TPaymentObj> &rows, const QDate &origination);
// Savings rows: PERIOD,YEAR,INTEREST,BALANCE.
QByteArray savingsCsv(const std::vector<calc::TSavingsObj> &rows, int periodsPerYear);
// The daily interest page has no rows: its dates and results on one line.
QByteArray dailyCsv(const app::MainModel &model);

// Writes bytes whole or not at all; a message naming the file when it failed.
std::optional<QString> saveCsv(const QByteArray &bytes, const QString &fileName);

} // namespace accrua::reports::csv
