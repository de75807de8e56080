// accrua-cli: scripted loan and savings calculations through the same main
// window model the program uses, plus report page file tools.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace accrua::cli {

// Runs one command line (arguments without the program name). Returns the
// exit status: 0 results, 1 refused input or unreadable file, 2 usage error.
int run(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace accrua::cli
