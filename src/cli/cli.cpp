#include "cli/cli.h"

namespace accrua::cli {

int run(const QStringList &args, QTextStream &out, QTextStream &err)
{
    Q_UNUSED(out);
    if (args.isEmpty()) {
        err << "usage: accrua-cli COMMAND [OPTIONS]; see accrua-cli --help\n";
        return 2;
    }
    err << "accrua-cli: unknown command '" << args.first() << "'\n";
    return 2;
}

} // namespace accrua::cli
