#include "settings/loaninfo.h"

#include "desktop/datefield.h"
#include "settings/appsettings.h"
#include "settings/options.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace accrua::settings {

TForm_LoanInfo::TForm_LoanInfo(const text::Locale &locale, TodayFunction today, QWidget *parent,
                               desktop::MessageService *messages)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_today(today ? std::move(today) : TodayFunction([] { return QDate::currentDate(); })),
      m_dateFormat(locale.shortDateFormat()), m_messages(messages)
{
    setWindowTitle(tr("Enter Amortization Information"));
    setFixedSize(kClientWidth, kClientHeight);

    Label_Date = new QLabel(tr("Origination Date:"), this);
    Label_Date->setGeometry(16, 8, 180, 16);

    DateTimePicker_OriginationDate = new desktop::DateField(locale, this);
    DateTimePicker_OriginationDate->setObjectName(QStringLiteral("DateTimePicker_OriginationDate"));
    DateTimePicker_OriginationDate->setGeometry(16, 26, 180, 24);
    connect(DateTimePicker_OriginationDate, &desktop::DateField::dateRefused, this,
            &TForm_LoanInfo::dateRefused);
    Label_Date->setBuddy(DateTimePicker_OriginationDate);

    Label_Purpose = new QLabel(tr("Purpose of the loan:"), this);
    Label_Purpose->setGeometry(16, 58, 180, 16);

    ComboBox_LoanType = new QComboBox(this);
    ComboBox_LoanType->setObjectName(QStringLiteral("ComboBox_LoanType"));
    ComboBox_LoanType->setEditable(true);
    // A typed purpose is used as it is: never added to the list, and never
    // recased to a list item that matches it ignoring case.
    ComboBox_LoanType->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_LoanType->setCompleter(nullptr);
    ComboBox_LoanType->addItems(loanTypeItems());
    ComboBox_LoanType->setCurrentIndex(-1);
    ComboBox_LoanType->setEditText(AppSettings().LoanType);
    ComboBox_LoanType->setGeometry(16, 76, 180, 24);
    Label_Purpose->setBuddy(ComboBox_LoanType);

    BitBtn_Ok = new QPushButton(tr("OK"), this);
    BitBtn_Ok->setObjectName(QStringLiteral("BitBtn_Ok"));
    BitBtn_Ok->setDefault(true);
    BitBtn_Ok->setGeometry(16, 116, 84, 26);

    BitBtn_Cancel = new QPushButton(tr("Cancel"), this);
    BitBtn_Cancel->setObjectName(QStringLiteral("BitBtn_Cancel"));
    BitBtn_Cancel->setAutoDefault(false);
    BitBtn_Cancel->setGeometry(112, 116, 84, 26);

    setTabOrder(DateTimePicker_OriginationDate, ComboBox_LoanType);
    setTabOrder(ComboBox_LoanType, BitBtn_Ok);
    setTabOrder(BitBtn_Ok, BitBtn_Cancel);

    connect(BitBtn_Ok, &QPushButton::clicked, this, &TForm_LoanInfo::BitBtn_OkClick);
    connect(BitBtn_Cancel, &QPushButton::clicked, this, &TForm_LoanInfo::BitBtn_CancelClick);
}

void TForm_LoanInfo::SetLoanType(const QString &loanType)
{
    ComboBox_LoanType->setEditText(loanType);
}

QString TForm_LoanInfo::GetOriginationDate() const
{
    return DateTimePicker_OriginationDate->date().toString(m_dateFormat);
}

QString TForm_LoanInfo::GetLoanType() const
{
    return ComboBox_LoanType->currentText();
}

void TForm_LoanInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm_LoanInfo::FormShow()
{
    m_cancelled = true;
    DateTimePicker_OriginationDate->setDate(m_today());
    // The dialog opens in the date, entered as if tabbed into.
    DateTimePicker_OriginationDate->lineEdit()->selectAll();
    if (QWidget *owner = parentWidget()) {
        const QWidget *mainWindow = owner->window();
        move(CentredTopLeft(mainWindow->frameGeometry(), frameGeometry().size()));
    }
}

void TForm_LoanInfo::dateRefused(const QString &text)
{
    if (m_messages)
        m_messages->ShowMessageDialog(tr("\"%1\" is not a valid value!").arg(text),
                                      desktop::MessageKind::Warning, desktop::MessageButton::OK);
    // Given back once the focus has finished moving on.
    QMetaObject::invokeMethod(DateTimePicker_OriginationDate, &desktop::DateField::enter,
                              Qt::QueuedConnection);
}

void TForm_LoanInfo::BitBtn_OkClick()
{
    // Enter presses OK without leaving the date: its text is read here.
    if (!DateTimePicker_OriginationDate->commit())
        return;
    m_cancelled = false;
    accept();
}

void TForm_LoanInfo::BitBtn_CancelClick()
{
    m_cancelled = true;
    reject();
}

DialogLoanInfoService::DialogLoanInfoService(QWidget *mainWindow, text::Locale locale, TodayFunction today,
                                             desktop::MessageService *messages)
    : m_mainWindow(mainWindow), m_locale(std::move(locale)), m_today(std::move(today)), m_messages(messages)
{
}

LoanInfoAnswer DialogLoanInfoService::askLoanInfo(const QString &loanType)
{
    TForm_LoanInfo dialog(m_locale, m_today, m_mainWindow, m_messages);
    dialog.SetLoanType(loanType);
    dialog.exec();
    return LoanInfoAnswer{dialog.Cancelled(), dialog.GetOriginationDate(), dialog.GetLoanType()};
}

} // namespace accrua::settings
