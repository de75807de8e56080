#include "cli/cli.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Rendering pages needs fonts, hence a (display-less) GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    const int status = accrua::cli::run(args, out, err);
    out.flush();
    err.flush();
    return status;
}
