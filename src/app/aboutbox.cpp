#include "app/aboutbox.h"

#include "accrua/version.h"
#include "desktop/identity.h"

#include <QFrame>
#include <QPushButton>
#include <QTextEdit>

namespace accrua::app {

namespace {

constexpr int kColumnLeft = 184;
constexpr int kColumnWidth = 280;

QLabel *columnLabel(QWidget *parent, const char *name, const char *designCaption, int top, int height = 18)
{
    auto *label = new QLabel(QLatin1String(designCaption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(kColumnLeft, top, kColumnWidth, height);
    return label;
}

void rule(QWidget *parent, int top)
{
    auto *line = new QFrame(parent);
    line->setGeometry(kColumnLeft, top, kColumnWidth, 2);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
}

} // namespace

TForm_AboutBox::TForm_AboutBox(desktop::DesktopServices desktop, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_desktop(std::move(desktop))
{
    setObjectName(QStringLiteral("TForm_AboutBox"));
    // Above the always-on-top help window, which would otherwise hide this modal box.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFixedSize(472, 303);

    Label_CompanyTitle = columnLabel(this, "Label_CompanyTitle", "Company Title", 8);
    desktop::setLabelFont(Label_CompanyTitle, 9, true);
    Label_ApplicationTitle = columnLabel(this, "Label_ApplicationTitle", "Application Title", 26, 34);
    desktop::setLabelFont(Label_ApplicationTitle, 20, true);
    Label_Version = columnLabel(this, "Label_Version", "Version", 62);
    rule(this, 86);
    Label_CompanyName = columnLabel(this, "Label_CompanyName", "Company Name", 94);
    desktop::setLabelFont(Label_CompanyName, 9, true);
    Label_CompanyAddress = columnLabel(this, "Label_CompanyAddress", "Company Address", 112);
    Label_CompanyCityStateZip = columnLabel(this, "Label_CompanyCityStateZip", "City, State Zip", 130);
    rule(this, 154);
    Label_CompanyURL = new desktop::LinkLabel(this);
    Label_CompanyURL->setObjectName(QStringLiteral("Label_CompanyURL"));
    Label_CompanyURL->setText(QStringLiteral("Company URL"));
    Label_CompanyURL->setGeometry(kColumnLeft, 162, kColumnWidth, 18);
    QPalette link = Label_CompanyURL->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    Label_CompanyURL->setPalette(link);
    connect(Label_CompanyURL, &desktop::LinkLabel::clicked, this, &TForm_AboutBox::Label_CompanyURLClick);
    Label_CompanyEmail = columnLabel(this, "Label_CompanyEmail", "Company Email", 180);
    Label_CompanyPhone = columnLabel(this, "Label_CompanyPhone", "Company Phone", 198);
    rule(this, 218);

    Image_Application = new QLabel(this);
    Image_Application->setObjectName(QStringLiteral("Image_Application"));
    Image_Application->setGeometry(10, 30, 142, 142);

    Panel_Disclaimer = new QFrame(this);
    Panel_Disclaimer->setObjectName(QStringLiteral("Panel_Disclaimer"));
    Panel_Disclaimer->setGeometry(0, 224, 472, 79);
    RichEdit_Disclaimer = new QTextEdit(Panel_Disclaimer);
    RichEdit_Disclaimer->setObjectName(QStringLiteral("RichEdit_Disclaimer"));
    RichEdit_Disclaimer->setGeometry(8, 2, 370, 72);
    RichEdit_Disclaimer->setReadOnly(true);
    RichEdit_Disclaimer->setFrameStyle(QFrame::NoFrame);
    RichEdit_Disclaimer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit_Disclaimer->setFocusPolicy(Qt::NoFocus);
    RichEdit_Disclaimer->viewport()->setAutoFillBackground(false);
    QFont small = RichEdit_Disclaimer->font();
    small.setPointSize(7);
    RichEdit_Disclaimer->setFont(small);
    BitBtn_OK = new QPushButton(tr("OK"), Panel_Disclaimer);
    BitBtn_OK->setObjectName(QStringLiteral("BitBtn_OK"));
    BitBtn_OK->setGeometry(390, 26, 74, 27);
    BitBtn_OK->setDefault(true);
    connect(BitBtn_OK, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm_AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
        desktop::centreOnScreen(this);
    }
}

void TForm_AboutBox::FormShow()
{
    if (Disclaimer.isEmpty())
        RichEdit_Disclaimer->setPlainText(QString::fromLatin1(kLicenseStatement) + QStringLiteral("\n\n") +
                                          desktop::standardDisclaimer(CompanyName));
    setWindowTitle(desktop::aboutCaption(ApplicationTitle));
}

void TForm_AboutBox::Label_CompanyURLClick()
{
    if (m_desktop.openUrl)
        m_desktop.openUrl(QUrl(CompanyURL));
}

TZtAboutBox::TZtAboutBox(desktop::DesktopServices desktop, QWidget *owner)
    : QObject(owner), desktop::PlacedPicture(10, 30), m_desktop(std::move(desktop)), m_owner(owner)
{
}

std::unique_ptr<TForm_AboutBox> TZtAboutBox::createForm() const
{
    auto form = std::make_unique<TForm_AboutBox>(m_desktop, m_owner.data());
    desktop::passToLabel(form->Label_ApplicationTitle, ApplicationTitle);
    desktop::passToLabel(form->Label_CompanyAddress, CompanyAddress);
    desktop::passToLabel(form->Label_CompanyCityStateZip, CompanyCityStateZip);
    desktop::passToLabel(form->Label_CompanyEmail, CompanyEmail);
    desktop::passToLabel(form->Label_CompanyName, CompanyName);
    desktop::passToLabel(form->Label_CompanyPhone, CompanyPhone);
    desktop::passToLabel(form->Label_CompanyTitle, CompanyTitle);
    desktop::passToLabel(form->Label_CompanyURL, CompanyURL);
    form->ApplicationTitle = ApplicationTitle;
    form->CompanyName = CompanyName;
    form->CompanyURL = CompanyURL;
    form->Disclaimer = Disclaimer;
    if (!Disclaimer.isEmpty())
        form->RichEdit_Disclaimer->setPlainText(Disclaimer);
    placeInto(form->Image_Application);
    desktop::passToLabel(form->Label_Version, desktop::versionLabelText(Version));
    return form;
}

void TZtAboutBox::ShowAbout()
{
    std::unique_ptr<TForm_AboutBox> form = createForm();
    form->exec();
}

} // namespace accrua::app
