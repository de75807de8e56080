#include "app/mainwindow.h"
#include "help/application.h"
#include "help/desktop.h"
#include "help/startoptions.h"
#include "reports/mainwindowreports.h"
#include "reports/printpreview.h"

#include <cstdio>

namespace {

int answerWithoutWindow(const accrua::help::StartOptions &options)
{
    using Action = accrua::help::StartOptions::Action;
    if (options.action == Action::Help) {
        std::fputs(accrua::help::startHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    std::fputs(accrua::help::startVersionText().toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    using Action = accrua::help::StartOptions::Action;
    // --help and --version answer before any display is opened; the other
    // arguments are read once Qt has taken its own options out.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const accrua::help::StartOptions early = accrua::help::parseStartOptions(raw);
    if (early.action == Action::Help || early.action == Action::Version)
        return answerWithoutWindow(early);

    accrua::help::Application app(argc, argv);
    const accrua::help::StartOptions options = accrua::help::parseStartOptions(app.arguments().mid(1));
    if (options.action == Action::Error) {
        std::fprintf(stderr, "accrua: %s\nTry 'accrua --help' for more information.\n",
                     options.error.toLocal8Bit().constData());
        return 2;
    }
    QApplication::setWindowIcon(accrua::help::programIcon());
    // Lets the desktop match the windows to the installed desktop entry.
    QApplication::setDesktopFileName(QStringLiteral("io.github.quennet.Accrua"));

    accrua::app::MainWindowServices services;
    services.messages = &app.messageService();
    services.showSplash = options.splash;
    // The preview component: its windows ask through the program's message box.
    accrua::reports::TZtPrintPreview ZtPrintPreview({&app.messageService(), nullptr, nullptr});
    accrua::reports::MainWindowReports reports(app.messageService(), &ZtPrintPreview);
    services.reports = &reports.commands();
    accrua::app::TForm_Main window(std::move(services));
    reports.attach(window);
    ZtPrintPreview.Execute(&window);
    app.setMessageOwner(&window);
    window.show();
    return app.exec();
}
