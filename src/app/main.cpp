#include "app/application.h"
#include "app/mainwindow.h"
#include "app/startoptions.h"
#include "desktop/desktop.h"
#include "desktop/dialogs.h"
#include "planner/plannerwindow.h"
#include "reports/commands/mainwindowreports.h"
#include "reports/preview/printpreview.h"
#include "translations/translations.h"

#include <QLocale>

#include <cstdio>

namespace {

// A full disk or a closed pipe is an error, not an answer given.
int written(const QString &text)
{
    const bool ok = std::fputs(text.toLocal8Bit().constData(), stdout) >= 0 && std::fflush(stdout) == 0;
    return ok ? 0 : 1;
}

int answerWithoutWindow(int &argc, char **argv, const accrua::app::StartOptions &options)
{
    using Action = accrua::app::StartOptions::Action;
    if (options.action == Action::Help) {
        // No display is needed for the help to be in the user's language.
        const QCoreApplication core(argc, argv);
        const accrua::translations::Translators translators = accrua::translations::install(
            accrua::translations::wantedLanguages(QLocale::system()), {QStringLiteral("accrua")});
        return written(accrua::app::startHelpText());
    }
    return written(accrua::app::startVersionText());
}

} // namespace

int main(int argc, char **argv)
{
    using Action = accrua::app::StartOptions::Action;
    // --help and --version answer before any display is opened; the other
    // arguments are read once Qt has taken its own options out.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const accrua::app::StartOptions early = accrua::app::parseStartOptions(raw);
    if (early.action == Action::Help || early.action == Action::Version)
        return answerWithoutWindow(argc, argv, early);

    accrua::app::Application app(argc, argv);
    // The windows speak the user's language; amounts and dates follow the locale on their own.
    const accrua::translations::Translators translators = accrua::translations::install(
        accrua::translations::wantedLanguages(QLocale::system()), accrua::translations::desktopDomains());
    const std::unique_ptr<QTranslator> qtTexts = accrua::translations::installQtTexts(
        accrua::translations::wantedLanguages(QLocale::system()), QStringLiteral("accrua"));
    const accrua::app::StartOptions options = accrua::app::parseStartOptions(app.arguments().mid(1));
    if (options.action == Action::Error) {
        const QString text = QCoreApplication::translate(
            "accrua::app::StartOptions", "accrua: %1\nTry 'accrua --help' for more information.\n");
        std::fputs(text.arg(options.error).toLocal8Bit().constData(), stderr);
        return 2;
    }
    QApplication::setWindowIcon(accrua::desktop::programIcon());
    // Lets the desktop match the windows to the installed desktop entry.
    QApplication::setDesktopFileName(QStringLiteral("io.github.quennet.Accrua"));

    accrua::app::MainWindowServices services;
    services.messages = &app.messageService();
    services.showSplash = options.splash;
    // The preview component: its windows ask through the program's message box.
    accrua::reports::preview::TZtPrintPreview ZtPrintPreview({&app.messageService(), nullptr, nullptr});
    accrua::reports::commands::MainWindowReports reports(app.messageService(), &ZtPrintPreview);
    services.reports = &reports.commands();
    // Loan planner windows: each has a preview of its own, so its preview
    // belongs to it; closing one never ends the program.
    accrua::desktop::QtFileDialogService plannerFiles;
    accrua::desktop::QtPrintDialogService plannerPrintDialog;
    accrua::planner::PlannerServices plannerServices;
    plannerServices.messages = &app.messageService();
    plannerServices.files = &plannerFiles;
    plannerServices.printDialog = &plannerPrintDialog;
    plannerServices.makePreview = [&app](QWidget *owner) {
        auto preview = std::make_unique<accrua::reports::preview::TZtPrintPreview>(
            accrua::reports::preview::PreviewDialogs{&app.messageService(), nullptr, nullptr});
        preview->Execute(owner);
        return std::unique_ptr<accrua::reports::commands::PreviewService>(std::move(preview));
    };
    services.openPlanner = [&plannerServices] {
        auto *planner = new accrua::planner::TForm_Planner(plannerServices);
        planner->show();
    };
    accrua::app::TForm_Main window(std::move(services));
    reports.attach(window);
    ZtPrintPreview.Execute(&window);
    app.setMessageOwner(&window);
    plannerServices.showHelp = [&window](QWidget *) { window.MenuItem_ContentsClick(); };
    window.show();
    if (options.planner)
        window.MenuItem_PlannerClick();
    return app.exec();
}
