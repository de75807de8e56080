#include "cli/cli.h"

#include "input/locale.h"
#include "settings/store.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

int main(int argc, char **argv)
{
    // Only drawing pages needs fonts and painting, hence a (display-less) GUI
    // application; the calculations start faster without one, unless they
    // are asked for a report (--pdf, --arp).
    bool draws = argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "pages") == 0);
    for (int i = 2; i < argc && !draws; ++i)
        draws = std::strncmp(argv[i], "--pdf", 5) == 0 || std::strncmp(argv[i], "--arp", 5) == 0;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            // Without a session (scripts, cron) give Qt the private folder it
            // would pick itself, so that errors stay the only lines on stderr.
            const QByteArray dir =
                QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(getuid());
            if (::mkdir(dir.constData(), 0700) == 0 || errno == EEXIST)
                qputenv("XDG_RUNTIME_DIR", dir);
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    int status = 1;
    try {
        status = accrua::cli::run(
            args, out, err, {accrua::input::Locale::system(), accrua::settings::NativeSettingsFactory()});
    } catch (const std::bad_alloc &) {
        err << "accrua-cli: there is not enough memory for this command\n";
    }
    // Results that did not reach standard output (a full disk, a closed
    // pipe) are no results: say so and fail.
    out.flush();
    errno = 0;
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        err << "accrua-cli: cannot write to standard output"
            << (error != 0 ? QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)) : QString())
            << '\n';
        status = 1;
    }
    err.flush();
    return status;
}
