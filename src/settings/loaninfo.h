// The loan information dialog: asks for a loan's origination date and
// purpose before a loan report, and the LoanInfoService adapter that runs it.
#pragma once

#include "desktop/messages.h"
#include "settings/loaninfoservice.h"
#include "text/locale.h"

#include <QDate>
#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace accrua::desktop {
class DateField;
}

namespace accrua::settings {

using TodayFunction = std::function<QDate()>;

class TForm_LoanInfo : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 212;
    static constexpr int kClientHeight = 153;

    // `today` supplies the date shown each time the dialog opens; the date
    // text uses the locale's short date format. A typed text that is no date
    // is refused through `messages` (none: it is refused without a message).
    TForm_LoanInfo(const text::Locale &locale, TodayFunction today, QWidget *parent = nullptr,
                   desktop::MessageService *messages = nullptr);

    void SetLoanType(const QString &loanType);
    bool Cancelled() const { return m_cancelled; }
    QString GetOriginationDate() const;
    QString GetLoanType() const;
    QString dateFormat() const { return m_dateFormat; }

    QLabel *Label_Date = nullptr;
    desktop::DateField *DateTimePicker_OriginationDate = nullptr;
    QLabel *Label_Purpose = nullptr;
    QComboBox *ComboBox_LoanType = nullptr;
    QPushButton *BitBtn_Ok = nullptr;
    QPushButton *BitBtn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void BitBtn_OkClick();
    void BitBtn_CancelClick();

    void dateRefused(const QString &text);

    TodayFunction m_today;
    QString m_dateFormat;
    desktop::MessageService *m_messages = nullptr;
    bool m_cancelled = true;
};

// Runs a fresh TForm_LoanInfo modally over the main window for each question.
class DialogLoanInfoService : public LoanInfoService {
public:
    DialogLoanInfoService(QWidget *mainWindow, text::Locale locale, TodayFunction today,
                          desktop::MessageService *messages = nullptr);
    LoanInfoAnswer askLoanInfo(const QString &loanType) override;

private:
    QWidget *m_mainWindow;
    text::Locale m_locale;
    TodayFunction m_today;
    desktop::MessageService *m_messages;
};

} // namespace accrua::settings
