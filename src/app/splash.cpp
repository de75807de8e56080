#include "app/splash.h"

#include "desktop/identity.h"

#include <QFrame>
#include <QKeyEvent>
#include <QTimer>

namespace accrua::app {

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const char *designCaption, const QRect &geometry,
                  Qt::Alignment alignment)
{
    auto *label = new QLabel(QLatin1String(designCaption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

TForm_SplashScreen::TForm_SplashScreen(desktop::DesktopServices desktop, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_desktop(std::move(desktop))
{
    setObjectName(QStringLiteral("TForm_SplashScreen"));
    setFixedSize(392, 223);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(rect());
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setLineWidth(2);

    Label_CompanyTitle =
        makeLabel(Panel, "Label_CompanyTitle", "Company Title", {12, 8, 200, 18}, Qt::AlignLeft);
    desktop::setLabelFont(Label_CompanyTitle, 10, true);
    Label_ApplicationTitle =
        makeLabel(Panel, "Label_ApplicationTitle", "Application Title", {4, 24, 384, 44}, Qt::AlignHCenter);
    desktop::setLabelFont(Label_ApplicationTitle, 26, true);

    Image_Application = new QLabel(Panel);
    Image_Application->setObjectName(QStringLiteral("Image_Application"));
    Image_Application->setGeometry(15, 70, 142, 142);
    Image_Application->setScaledContents(true);

    Label_Version = makeLabel(Panel, "Label_Version", "Version", {196, 72, 184, 22}, Qt::AlignHCenter);
    desktop::setLabelFont(Label_Version, 10, true);

    Panel_Company = new QFrame(Panel);
    Panel_Company->setObjectName(QStringLiteral("Panel_Company"));
    Panel_Company->setGeometry(196, 104, 184, 104);
    Panel_Company->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Label_CompanyName =
        makeLabel(Panel_Company, "Label_CompanyName", "Company Name", {4, 8, 176, 20}, Qt::AlignHCenter);
    desktop::setLabelFont(Label_CompanyName, 9, true);
    Label_CompanyAddress = makeLabel(Panel_Company, "Label_CompanyAddress", "Company Address",
                                     {4, 30, 176, 20}, Qt::AlignHCenter);
    Label_CompanyCityStateZip = makeLabel(Panel_Company, "Label_CompanyCityStateZip", "City, State Zip",
                                          {4, 52, 176, 20}, Qt::AlignHCenter);
    Label_CompanyURL = new desktop::LinkLabel(Panel_Company);
    Label_CompanyURL->setObjectName(QStringLiteral("Label_CompanyURL"));
    Label_CompanyURL->setText(QStringLiteral("Company URL"));
    Label_CompanyURL->setGeometry(4, 76, 176, 20);
    Label_CompanyURL->setAlignment(Qt::AlignCenter);
    QPalette link = Label_CompanyURL->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    Label_CompanyURL->setPalette(link);
    connect(Label_CompanyURL, &desktop::LinkLabel::clicked, this, &TForm_SplashScreen::Label_CompanyURLClick);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    Timer->setInterval(4000);
    connect(Timer, &QTimer::timeout, this, &TForm_SplashScreen::TimerTimer);
}

void TForm_SplashScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    desktop::centreOnScreen(this);
    Timer->start();
}

void TForm_SplashScreen::keyPressEvent(QKeyEvent *event)
{
    // Only the timer closes the splash; Escape would otherwise reject it.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TForm_SplashScreen::TimerTimer()
{
    Timer->stop();
    close();
}

void TForm_SplashScreen::Label_CompanyURLClick()
{
    if (m_desktop.openUrl)
        m_desktop.openUrl(QUrl(CompanyURL));
}

TZtSplashScreen::TZtSplashScreen(desktop::DesktopServices desktop, QObject *parent)
    : QObject(parent), desktop::PlacedPicture(15, 70), m_desktop(std::move(desktop))
{
}

std::unique_ptr<TForm_SplashScreen> TZtSplashScreen::createForm() const
{
    // No parent: the splash comes up before the main window is on the screen.
    auto form = std::make_unique<TForm_SplashScreen>(m_desktop);
    desktop::passToLabel(form->Label_ApplicationTitle, ApplicationTitle);
    desktop::passToLabel(form->Label_CompanyAddress, CompanyAddress);
    desktop::passToLabel(form->Label_CompanyCityStateZip, CompanyCityStateZip);
    desktop::passToLabel(form->Label_CompanyName, CompanyName);
    desktop::passToLabel(form->Label_CompanyTitle, CompanyTitle);
    desktop::passToLabel(form->Label_CompanyURL, CompanyURL);
    form->CompanyURL = CompanyURL;
    placeInto(form->Image_Application);
    form->Timer->setInterval(Interval);
    desktop::passToLabel(form->Label_Version, desktop::versionLabelText(Version));
    return form;
}

void TZtSplashScreen::ShowSplash()
{
    std::unique_ptr<TForm_SplashScreen> form = createForm();
    if (Modal) {
        form->exec();
        return;
    }
    form->setAttribute(Qt::WA_DeleteOnClose);
    TForm_SplashScreen *shown = form.release();
    shown->show();
    shown->repaint();
}

} // namespace accrua::app
