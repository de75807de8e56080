#include "cli/cli.h"

#include "settings/store.h"
#include "text/locale.h"
#include "translations/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#ifdef ACCRUA_CLI_DRAW
#include "engine/fonts/locate.h"
#include "reports/banded/reportsform.h"

#include <QGuiApplication>
#include <QStandardPaths>
#endif

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

#ifndef ACCRUA_CLI_DRAW
// The calculations load Qt Core only; a command line that draws goes to
// accrua-cli-draw beside this program, which has every command. Returns
// only when it cannot be started.
int handOver(char **argv)
{
    std::string path = "accrua-cli-draw";
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        const std::string exe(self, static_cast<std::size_t>(n));
        path = exe.substr(0, exe.rfind('/') + 1) + path;
    }
    ::execv(path.c_str(), argv);
    std::fprintf(stderr, "accrua-cli: cannot start %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
}
#endif

} // namespace

int main(int argc, char **argv)
{
#ifndef ACCRUA_CLI_DRAW
    {
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        if (accrua::cli::needsDrawing(args))
            return handOver(argv);
    }
    QCoreApplication app(argc, argv);
#else
    // Only drawing pages needs fonts and painting, hence a (display-less) GUI
    // application; the calculations start faster without one, unless they
    // are asked for a report (--pdf, --arp, a batch's --output-dir).
    bool draws = argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "pages") == 0);
    for (int i = 2; i < argc && !draws; ++i)
        draws = std::strncmp(argv[i], "--pdf", 5) == 0 || std::strncmp(argv[i], "--arp", 5) == 0 ||
                std::strncmp(argv[i], "--output-dir", 12) == 0;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        // Reports read their faces from the files fontconfig chooses; where
        // those are is remembered between runs.
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (!cache.isEmpty())
            accrua::engine::fonts::rememberLocationsIn(cache + QStringLiteral("/accrua/face-locations"));
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            // A loan or savings report whose faces are all read from their
            // files draws nothing through Qt's fonts: the minimal platform
            // spares their start-up. Plans (charts), rendering and page
            // files draw through Qt's fonts.
            const bool report = std::strcmp(argv[1], "render") != 0 && std::strcmp(argv[1], "pages") != 0 &&
                                std::strcmp(argv[1], "plan") != 0;
            qputenv("QT_QPA_PLATFORM",
                    report && accrua::reports::banded::facesReadFromFiles() ? "minimal" : "offscreen");
        }
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
#endif
    // The help and the plan's messages and report in the user's language;
    // amounts and dates follow the locale on their own.
    const accrua::translations::Translators translators = accrua::translations::install(
        accrua::translations::wantedLanguages(QLocale::system()), accrua::translations::cliDomains());
    // Standard output on its descriptor, unbuffered: every write's result
    // is seen (stdio and QTextStream on a FILE* let a failed write pass).
    QFile stdoutFile;
    stdoutFile.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&stdoutFile);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    int status = 1;
    try {
        const accrua::cli::Services services{accrua::text::Locale::system(),
                                             accrua::settings::NativeSettingsFactory()};
#ifdef ACCRUA_CLI_DRAW
        status = accrua::cli::run(args, out, err, services);
#else
        status = accrua::cli::runCommand(args, out, err, services, nullptr);
#endif
    } catch (const std::bad_alloc &) {
        err << "accrua-cli: there is not enough memory for this command\n";
    }
    // Results that did not reach standard output (a full disk, a closed
    // pipe) are no results: say so and fail.
    out.flush();
    if (out.status() != QTextStream::Ok || stdoutFile.error() != QFileDevice::NoError ||
        std::fflush(stdout) != 0 || std::ferror(stdout)) {
        err << "accrua-cli: cannot write to standard output: " << stdoutFile.errorString() << '\n';
        status = 1;
    }
    err.flush();
    return status;
}
