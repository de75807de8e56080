// Asking for a loan's origination date and purpose before a loan report.
//
// The report commands call LoanInfoService; the widgets adapter in
// settings/loaninfo.h shows TForm_LoanInfo, tests and the command line use
// ScriptedLoanInfoService. The placement arithmetic of the dialog lives here
// so that it is tested without windows.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <deque>

namespace accrua::settings {

struct LoanInfoAnswer {
    bool cancelled = true;
    QString originationDate; // short date format text
    QString loanType;        // exactly as typed or chosen
};

class LoanInfoService {
public:
    virtual ~LoanInfoService();
    // Shows the question pre-filled with `loanType` and today's date.
    virtual LoanInfoAnswer askLoanInfo(const QString &loanType) = 0;
};

// Answers from a queue; when none is queued it confirms with the given date
// text and the loan type it was asked with. Records every loan type asked.
class ScriptedLoanInfoService : public LoanInfoService {
public:
    explicit ScriptedLoanInfoService(QString defaultDate = {}) : m_defaultDate(std::move(defaultDate)) {}

    LoanInfoAnswer askLoanInfo(const QString &loanType) override;

    void queueAnswer(LoanInfoAnswer answer) { m_answers.push_back(std::move(answer)); }
    const QStringList &asked() const { return m_asked; }

private:
    QString m_defaultDate;
    std::deque<LoanInfoAnswer> m_answers;
    QStringList m_asked;
};

// (outer - inner) / 2 rounded to the nearest integer, a half to the even one.
int CentredOffset(int outer, int inner);

// Top left of a dialog of outer size `dialogFrame` centred over a main window
// whose outer geometry is `mainFrame`.
QPoint CentredTopLeft(const QRect &mainFrame, const QSize &dialogFrame);

} // namespace accrua::settings
