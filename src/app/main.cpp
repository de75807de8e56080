#include "app/mainwindow.h"
#include "help/application.h"

int main(int argc, char **argv)
{
    accrua::help::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Accrua"));
    QApplication::setApplicationDisplayName(QStringLiteral("Accrua"));
    QApplication::setOrganizationName(QStringLiteral("Quennet"));

    accrua::app::MainWindowServices services;
    services.messages = &app.messageService();
    accrua::app::TForm_Main window(std::move(services));
    window.show();
    return app.exec();
}
