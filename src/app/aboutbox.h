// The about box: TZtAboutBox holds the program's details and builds a fresh
// modal TForm_AboutBox for each ShowAbout, with the disclaimer of warranty
// below them and the caption "About " and the program's title.
#pragma once

#include "desktop/desktop.h"
#include "desktop/identity.h"

#include <QDialog>
#include <QObject>
#include <QPointer>

#include <memory>

class QFrame;
class QPushButton;
class QTextEdit;

namespace accrua::app {

class TForm_AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TForm_AboutBox(desktop::DesktopServices desktop, QWidget *parent = nullptr);

    void FormShow();
    void Label_CompanyURLClick();

    // Passed by the component; an empty Disclaimer means the standard one.
    QString ApplicationTitle;
    QString CompanyName;
    QString CompanyURL;
    QString Disclaimer;

    QLabel *Label_CompanyTitle = nullptr;
    QLabel *Label_ApplicationTitle = nullptr;
    QLabel *Label_Version = nullptr;
    QLabel *Label_CompanyName = nullptr;
    QLabel *Label_CompanyAddress = nullptr;
    QLabel *Label_CompanyCityStateZip = nullptr;
    desktop::LinkLabel *Label_CompanyURL = nullptr;
    QLabel *Label_CompanyEmail = nullptr;
    QLabel *Label_CompanyPhone = nullptr;
    QLabel *Image_Application = nullptr;
    QFrame *Panel_Disclaimer = nullptr;
    QTextEdit *RichEdit_Disclaimer = nullptr;
    QPushButton *BitBtn_OK = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    desktop::DesktopServices m_desktop;
    bool m_shown = false;
};

class TZtAboutBox : public QObject, public desktop::PlacedPicture, public desktop::ProgramFields {
    Q_OBJECT

public:
    // The box is parented to `owner`, the window that asks for it.
    explicit TZtAboutBox(desktop::DesktopServices desktop, QWidget *owner = nullptr);

    QString Disclaimer;

    // The form with every property passed, not shown yet.
    std::unique_ptr<TForm_AboutBox> createForm() const;
    void ShowAbout();

private:
    desktop::DesktopServices m_desktop;
    QPointer<QWidget> m_owner;
};

} // namespace accrua::app
