// The main window without widgets: the field texts, the mode, the report
// command state, the loan fields and the row lists, and every handler that
// decides something (leave checks, change handlers, Calculate).
//
// The window shows this model and forwards the user's typing, focus changes
// and commands to it; the command line drives the same model without a
// window. Messages go through desktop::MessageService; what the model needs the
// view to do (show a text, move the focus, enable commands) goes through
// MainModelView.
#pragma once

#include "app/fields.h"
#include "calc/loan.h"
#include "calc/savings.h"
#include "calc/solver.h"
#include "desktop/messages.h"
#include "settings/appsettings.h"
#include "text/locale.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace accrua::app {

class MainModelView {
public:
    virtual ~MainModelView() = default;
    // The model wrote a field's text (not called for the user's own typing).
    virtual void fieldWritten(Field field, const QString &text) = 0;
    virtual void focusField(Field field) = 0;
    virtual void reportCommandsChanged(bool enabled) = 0;
    virtual void modeChanged(Mode mode) = 0;
    // The model moved a date picker of the Daily Interest page.
    virtual void datesWritten(const QDate &start, const QDate &receive) = 0;
    virtual void focusDatePicker(bool start) = 0;
};

// The savings row type under the name the command line reads it by.
using SavingsRow = calc::TSavingsObj;

class MainModel {
public:
    MainModel(text::Locale locale, desktop::MessageService &messages);

    void setView(MainModelView *view) { m_view = view; }
    const text::Locale &locale() const { return m_locale; }
    desktop::MessageService &messages() { return m_messages; }

    // The show handler's reset of the amount fields to the zero amount.
    void resetAmountFields();

    QString text(Field field) const { return m_texts[static_cast<std::size_t>(field)]; }
    // The user typed: letters become upper case, the change handler runs.
    // Returns the text as stored.
    QString typeText(Field field, const QString &typed);
    // The program writes a field: the view is told, the change handler runs.
    void write(Field field, const QString &text);

    // The leave check of a field; false when it refused the text (message
    // shown, focus requested back).
    bool leaveField(Field field);

    Mode mode() const { return m_mode; }
    // A Calculate-menu item was chosen (or the program switches the mode).
    void selectMode(Mode mode);
    // The user clicked a tab.
    void pageClicked(Mode mode);

    bool reportCommandsEnabled() const { return m_reportCommands; }
    void EnableReportCommands();
    void DisableReportCommands();

    // The Calculate command after the focused field has run its leave check.
    void calculate();

    // Loan input checks of the current mode; false at the first failure.
    bool loanInputChecks();

    settings::AppSettings &appSettings() { return m_settings; }
    const settings::AppSettings &appSettings() const { return m_settings; }

    // Loan fields of the last calculation.
    struct LoanFields {
        calc::Money LoanPrincipal;
        calc::Extended AnnualRate = 0;
        calc::Extended MonthlyRate = 0;
        calc::Money LoanPayment;
        std::int32_t TermYears = 0;
        std::int32_t TermMonths = 0;
        std::int32_t PaymentCount = 0;
        calc::LoanTotals totals;
    };
    const LoanFields &loanFields() const { return m_loan; }
    const std::vector<calc::TPaymentObj> &ScheduleRows() const { return m_scheduleRows; }
    // Whether the schedule rows carry their texts (the window's and the
    // reports' need); a caller that wants only the answers saves the work.
    void setRowTexts(bool texts) { m_rowTexts = texts; }

    // Daily Interest page.
    QDate startDate() const { return m_startDate; }
    QDate receiveDate() const { return m_receiveDate; }
    // The user changed a date picker: the day count runs (MaskEdit_StartDateOLDExit).
    void datePickerChanged(bool startPicker, const QDate &date);
    // A date picker was left holding a text that names no date.
    void dateRefused(bool startPicker, const QString &text);
    bool ValidateDailyInputs();
    void CalculateDailyInterest();

    // Savings Interest page: the item index of the compounding choice (-1 none).
    int compounding() const { return m_compounding; }
    void setCompounding(int itemIndex) { m_compounding = itemIndex; }
    bool ValidateSavingsInputs();
    void CalculateSavingsInterest();
    const std::vector<calc::TSavingsObj> &SavingsRows() const { return m_savingsRows; }

private:
    struct Snapshot;
    class LoanBoundExceeded;

    void runChangeHandler(Field field);
    void warn(const QString &text, Field focus);
    void showWarning(const QString &text);

    calc::Extended floatOf(Field field) const;
    std::int64_t integerOf(Field field) const;
    QString moneyText(calc::Money value) const;
    QString intText(std::int64_t value) const { return QString::number(value); }

    void calculateLoan();
    void calculateDaily();
    void calculateSavings();
    // The checks of the Calculate command: message and focus on failure.
    bool requireNumber(Field field);
    bool requireWholeNumber(Field field, const QString &what);
    bool requireNonZero(Field field, const QString &what);
    bool requireTerm(Field years, Field months);
    void rewriteAsMoney(Field field);
    void restoreTexts(const std::array<QString, kFieldCount> &texts);
    QString generalText(calc::Extended value) const;
    QString rangeMessage(const calc::MoneyRangeError &e) const;
    // A loan whose arithmetic leaves the money range, named by what was typed.
    QString loanRangeMessage() const;
    // Savings past kMaxSavingsPeriods, in the words of the payments bound.
    QString savingsBoundMessage() const;
    bool CalculateNumberOfPayments();
    void CalculatePaymentAmount();
    bool AmortizationCalculation();
    calc::Resolution paymentResolution() const;
    // Writes a solved loan into the loan fields and the texts; false (message
    // shown) when the payment cannot pay the loan off.
    bool showSolvedLoan(calc::LoanOutcome &outcome);
    void ShowLoanTotals();
    void cannotBePaidOff(calc::Money principal, calc::Money payment);
    QString boundMessage(calc::Extended principal, calc::Extended payment) const;

    text::Locale m_locale;
    desktop::MessageService &m_messages;
    MainModelView *m_view = nullptr;

    std::array<QString, kFieldCount> m_texts;
    Mode m_mode = Mode::PaymentAmount;
    bool m_reportCommands = false;
    settings::AppSettings m_settings;

    LoanFields m_loan;
    std::vector<calc::TPaymentObj> m_scheduleRows;
    bool m_rowTexts = true;

    QDate m_startDate{2003, 2, 12};
    QDate m_receiveDate{2003, 2, 12};
    int m_compounding = 1; // "Bi-Yearly"
    std::vector<calc::TSavingsObj> m_savingsRows;
};

} // namespace accrua::app
