// accrua-cli: scripted loan and savings calculations through the same main
// window model the program uses, the stored settings, and report page file
// tools.
//
// run() reads the command word (commands.cpp) and hands the rest to its
// command: calccommands (payment, count, amortize, daily, savings),
// batchcommand (batch), settingscommand (settings) and pagescommand (pages,
// render); options.h reads the options they share, output.h writes what the
// calculations print. Two programs are built from them: accrua-cli, on Qt
// Core only, and accrua-cli-draw, which has the commands that draw.
#pragma once

#include "settings/store.h"
#include "text/locale.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace accrua::app {
class MainModel;
}

namespace accrua::cli {

// What the commands take from their surroundings: the user's number and date
// conventions and where the settings store lives. main() passes the user's
// own; tests pass fixed ones.
struct Services {
    text::Locale locale;
    settings::SettingsFactory settings;
    // Today's date: the loan reports' origination date without --origination.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};

// The text of --help, in the language of the translation installed.
QString usageText();

// Runs one command line (arguments without the program name). Returns the
// exit status: 0 results, 1 refused input or unreadable file, 2 usage error.
int run(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services);

struct ReportOutputs;
enum class ReportPage;
struct PlanPdf;

// What draws, on Qt GUI: the pages and render commands and the drawn
// report outputs of the calculations (--pdf, --arp). run() has them; the
// calculation-only accrua-cli, which loads no drawing libraries, has none
// and hands every command line that needsDrawing() to accrua-cli-draw
// before it starts.
struct Drawing {
    int (*pages)(const QStringList &args, QTextStream &out, QTextStream &err);
    int (*render)(const QStringList &args, QTextStream &out, QTextStream &err);
    // writeDrawnOutputs (reportoptions.h).
    std::optional<QString> (*writeReports)(const ReportOutputs &outputs, ReportPage page,
                                           const app::MainModel &model, const std::function<QDate()> &today,
                                           QStringList *written);
    // The planner's report of a plan file (plan --plan FILE --pdf FILE);
    // throws Refusal when it cannot be written.
    void (*writePlanPdf)(const PlanPdf &request);
};

// run() with the drawing given, or without any (nullptr): then a command
// line that needs drawing is refused.
int runCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
               const Drawing *drawing);

// True for render, pages and a command line with a drawn output (--pdf,
// --arp), or a batch that writes report outputs.
bool needsDrawing(const QStringList &args);

} // namespace accrua::cli
