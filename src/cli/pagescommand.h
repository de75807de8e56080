// accrua-cli's report page file commands: "pages" lists a file's header and
// records, "render" draws every page to a PDF or to PNG images. Both take the
// arguments after the command word and return the exit status: 0 done,
// 1 a damaged, foreign or unreadable file (one line on err naming it), 2 usage.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace accrua::cli {

int runPagesCommand(const QStringList &args, QTextStream &out, QTextStream &err);
int runRenderCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace accrua::cli
