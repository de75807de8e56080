// accrua-cli: scripted loan and savings calculations through the same main
// window model the program uses, the stored settings, and report page file
// tools.
//
// run() reads the command word and hands the rest to its command:
// calccommands (payment, count, amortize, daily, savings), settingscommand
// (settings) and pagescommand (pages, render); options.h reads the options
// they share.
#pragma once

#include "input/locale.h"
#include "settings/store.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace accrua::cli {

// What the commands take from their surroundings: the user's number and date
// conventions and where the settings store lives. main() passes the user's
// own; tests pass fixed ones.
struct Services {
    input::Locale locale;
    settings::SettingsFactory settings;
    // Today's date: the loan reports' origination date without --origination.
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};

// Runs one command line (arguments without the program name). Returns the
// exit status: 0 results, 1 refused input or unreadable file, 2 usage error.
int run(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services);

} // namespace accrua::cli
