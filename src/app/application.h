// The application object: a QApplication that keeps running when an event
// handler throws, showing the failure through the message seam instead.
#pragma once

#include "desktop/messagebox.h"

#include <QApplication>

#include <memory>

namespace accrua::app {

class Application : public QApplication {
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    ~Application() override;

    // The names the settings store and the platform know the program by.
    static void setIdentity();

    // Where failures are reported; not owned. Without one, real boxes are shown.
    void setMessageService(desktop::MessageService *service) { m_service = service; }
    desktop::MessageService &messageService();
    // The window the real boxes belong to while no window of the program is active.
    void setMessageOwner(QWidget *owner);

    // A failure that escapes a handler stops only that handler: it is shown in
    // the general error report and the event counts as unhandled.
    bool notify(QObject *receiver, QEvent *event) override;

private:
    void reportFailure(const QString &failure);

    desktop::MessageService *m_service = nullptr;
    std::unique_ptr<desktop::QtMessageService> m_ownService;
};

} // namespace accrua::app
