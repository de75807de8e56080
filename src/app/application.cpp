#include "app/application.h"

#include <QMetaObject>
#include <QThread>

#include <exception>
#include <new>

namespace accrua::app {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setIdentity();
}

void Application::setIdentity()
{
    setApplicationName(QStringLiteral("Accrua"));
    setOrganizationName(QStringLiteral("Quennet"));
    // No display name: on X11 and Wayland Qt appends it to every window title
    // that does not already end in it ("Warning — Accrua"), and the captions
    // must read exactly as given. Windows that show the title set it themselves.
}

void Application::setMessageOwner(QWidget *owner)
{
    if (!m_ownService)
        m_ownService = std::make_unique<desktop::QtMessageService>();
    m_ownService->setOwner(owner);
}

Application::~Application() = default;

desktop::MessageService &Application::messageService()
{
    if (m_service)
        return *m_service;
    if (!m_ownService)
        m_ownService = std::make_unique<desktop::QtMessageService>();
    return *m_ownService;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc &) {
        // what() would only say "std::bad_alloc".
        reportFailure(tr("There is not enough memory to complete the operation."));
    } catch (const std::exception &e) {
        reportFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(tr("Unknown error"));
    }
    return false;
}

void Application::reportFailure(const QString &failure)
{
    if (QThread::currentThread() == thread()) {
        messageService().ShowErrorReport(failure);
        return;
    }
    // A box may only be shown on the user interface thread; a worker's failure
    // is reported there once the event loop gets to it.
    QMetaObject::invokeMethod(
        this, [this, failure] { messageService().ShowErrorReport(failure); }, Qt::QueuedConnection);
}

} // namespace accrua::app
