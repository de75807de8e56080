#include "help/application.h"

#include <exception>

namespace accrua::help {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

Application::~Application() = default;

MessageService &Application::messageService()
{
    if (m_service)
        return *m_service;
    if (!m_ownService)
        m_ownService = std::make_unique<QtMessageService>();
    return *m_ownService;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        messageService().ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        messageService().ShowErrorReport(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace accrua::help
