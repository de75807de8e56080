// The splash screen: TZtSplashScreen holds what it shows and builds a fresh
// TForm_SplashScreen for each ShowSplash, which stays up for Interval
// milliseconds (modal, by default) and closes itself on its timer.
#pragma once

#include "desktop/desktop.h"
#include "desktop/identity.h"

#include <QDialog>
#include <QObject>
#include <QPointer>

#include <memory>

class QFrame;
class QTimer;

namespace accrua::app {

class TForm_SplashScreen : public QDialog {
    Q_OBJECT

public:
    explicit TForm_SplashScreen(desktop::DesktopServices desktop, QWidget *parent = nullptr);

    void TimerTimer();
    void Label_CompanyURLClick();

    QString CompanyURL;

    QFrame *Panel = nullptr;
    QLabel *Label_CompanyTitle = nullptr;
    QLabel *Label_ApplicationTitle = nullptr;
    QLabel *Image_Application = nullptr;
    QLabel *Label_Version = nullptr;
    QFrame *Panel_Company = nullptr;
    QLabel *Label_CompanyName = nullptr;
    QLabel *Label_CompanyAddress = nullptr;
    QLabel *Label_CompanyCityStateZip = nullptr;
    desktop::LinkLabel *Label_CompanyURL = nullptr;
    QTimer *Timer = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    desktop::DesktopServices m_desktop;
};

class TZtSplashScreen : public QObject, public desktop::PlacedPicture, public desktop::ProgramFields {
    Q_OBJECT

public:
    explicit TZtSplashScreen(desktop::DesktopServices desktop, QObject *parent = nullptr);

    int Interval = 0; // milliseconds
    bool Modal = true;

    // The form with every property passed, not shown yet.
    std::unique_ptr<TForm_SplashScreen> createForm() const;
    // Modal: returns when the timer has closed the form. Otherwise the form
    // is shown, painted and left to release itself when it closes.
    void ShowSplash();

private:
    desktop::DesktopServices m_desktop;
};

} // namespace accrua::app
