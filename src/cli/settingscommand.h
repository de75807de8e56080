// accrua-cli's "settings": prints the sixteen stored values (name, value,
// whether default) or stores one through the store's check. Takes the
// arguments after the command word and returns 0 when done; a refused value
// or a store failure is thrown as a Refusal, a bad command line as a
// UsageError.
#pragma once

#include "cli/cli.h"

#include <QStringList>
#include <QTextStream>

namespace accrua::cli {

int runSettingsCommand(const QStringList &args, QTextStream &out, const Services &services);

} // namespace accrua::cli
