#include "cli/cli.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    // Only drawing pages needs fonts and painting, hence a (display-less) GUI
    // application; the calculations start faster without one.
    const bool draws = argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "pages") == 0);
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const int status = accrua::cli::run(args, out, err);
    out.flush();
    err.flush();
    return status;
}
