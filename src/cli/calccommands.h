// accrua-cli's calculations: "payment", "count" and "amortize" on the loan
// pages, "daily" and "savings". Each starts the main window's model as the
// window's show handler does, types the options into its fields as a user
// would, runs Calculate and prints the fields, the rows and every message
// shown. Each takes the arguments after the command word and returns the exit
// status (0 results, 1 refused input); a UsageError or a Refusal is thrown.
// The report outputs are written through `drawing`; without one they are
// refused.
#pragma once

#include "cli/cli.h"
#include "cli/output.h"
#include "cli/reportoptions.h"
#include "desktop/messages.h"

#include <QHash>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

namespace accrua::cli {

int runLoanCommand(const QString &command, const QStringList &args, QTextStream &out, QTextStream &err,
                   const Services &services, const Drawing *drawing);
int runDailyCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
                    const Drawing *drawing);
int runSavingsCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
                      const Drawing *drawing);

// A calculation as a batch takes it: what the command would print, every
// message shown, and whether the calculation produced results.
struct Calculated {
    const Report &report;
    const desktop::ScriptedMessageService &messages;
    bool produced;
    // The report outputs asked for (--pdf, --csv, ...), with what writing
    // them takes: the page, the calculated model, and the files the
    // calculation read, which no output may name.
    const ReportOutputs &outputs;
    ReportPage page;
    const app::MainModel &model;
    std::vector<ReadFile> reads;
};

// Runs the calculation command `command` ("payment", "count", "amortize",
// "daily" or "savings") on its arguments and returns what `take` returns for
// the outcome; nothing is printed and no report file written (`take` may
// write them). `settings`
// stand for the stored settings (all sixteen, read once by the caller), and
// `storeFile` for the file they were read from (empty: each run asks); the
// command's own --setting and options win over them. Without `rowTexts` the
// schedule rows carry no texts. Throws UsageError and Refusal as the
// commands do.
int runCalculation(const QString &command, const QStringList &args, const Services &services,
                   const QHash<QString, QString> &settings, const QString &storeFile, bool rowTexts,
                   const std::function<int(const Calculated &)> &take);

} // namespace accrua::cli
