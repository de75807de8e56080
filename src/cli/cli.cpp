#include "cli/cli.h"

#include "cli/pagescommand.h"
#include "cli/plancommand.h"
#include "cli/reportoptions.h"

namespace accrua::cli {

int run(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services)
{
    static const Drawing drawing{runPagesCommand, runRenderCommand, writeDrawnOutputs, writePlanPdf};
    return runCommand(args, out, err, services, &drawing);
}

} // namespace accrua::cli
