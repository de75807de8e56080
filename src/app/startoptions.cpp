#include "app/startoptions.h"

#include "accrua/version.h"
#include "desktop/identity.h"

#include <QCoreApplication>

namespace accrua::app {

StartOptions parseStartOptions(const QStringList &arguments)
{
    StartOptions options;
    for (const QString &argument : arguments) {
        // Asked for help, a mistake elsewhere on the line does not matter.
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return {StartOptions::Action::Help, true, {}};
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
            return {StartOptions::Action::Version, true, {}};
        if (argument == QLatin1String("--no-splash")) {
            options.splash = false;
        } else if (argument == QLatin1String("--planner")) {
            options.planner = true;
        } else if (options.action != StartOptions::Action::Error) {
            options.action = StartOptions::Action::Error;
            options.error =
                argument.startsWith(u'-')
                    ? QCoreApplication::translate("accrua::app::StartOptions", "unknown option '%1'")
                          .arg(argument)
                    : QCoreApplication::translate("accrua::app::StartOptions", "unexpected argument '%1'")
                          .arg(argument);
        }
    }
    return options;
}

QString startHelpText()
{
    return QCoreApplication::translate(
               "accrua::app::StartOptions",
               "Usage: accrua [options]\n"
               "Accrua %1, a calculator for loans and savings.\n"
               "\n"
               "Options:\n"
               "  --no-splash     start without the four-second splash screen\n"
               "  --planner       open a loan planner window beside the main window\n"
               "  -h, --help      show this help and exit\n"
               "  -v, --version   show the version and exit\n"
               "\n"
               "Qt's own options, such as -platform and -style, are accepted as well.\n"
               "The same calculations run from the command line with accrua-cli.\n")
        .arg(desktop::programVersion());
}

QString startVersionText()
{
    return QStringLiteral("Accrua ") + desktop::programVersion() + u'\n' +
           QString::fromLatin1(kLicenseNotice);
}

} // namespace accrua::app
