// accrua-cli's calculations: "payment", "count" and "amortize" on the loan
// pages, "daily" and "savings". Each starts the main window's model as the
// window's show handler does, types the options into its fields as a user
// would, runs Calculate and prints the fields, the rows and every message
// shown. Each takes the arguments after the command word and returns the exit
// status (0 results, 1 refused input); a UsageError or a Refusal is thrown.
#pragma once

#include "cli/cli.h"

#include <QStringList>
#include <QTextStream>

namespace accrua::cli {

int runLoanCommand(const QString &command, const QStringList &args, QTextStream &out, QTextStream &err,
                   const Services &services);
int runDailyCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services);
int runSavingsCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services);

} // namespace accrua::cli
