// The main window without widgets: the field texts, the mode, the report
// command state and the handlers every page shares (leave checks, change
// handlers, the checks Calculate runs on a field); each page's own Calculate,
// its fields and rows live in LoanModel, DailyModel and SavingsModel.
//
// The window shows this model and forwards the user's typing, focus changes
// and commands to it; the command line drives the same model without a
// window. Messages go through desktop::MessageService; what the model needs the
// view to do (show a text, move the focus, enable commands) goes through
// MainModelView.
#pragma once

#include "app/dailymodel.h"
#include "app/fields.h"
#include "app/loanmodel.h"
#include "app/savingsmodel.h"
#include "calc/loan.h"
#include "calc/savings.h"
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
    MainModel(const MainModel &) = delete;
    MainModel &operator=(const MainModel &) = delete;

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
    bool loanInputChecks() { return m_loanPage.loanInputChecks(); }

    settings::AppSettings &appSettings() { return m_settings; }
    const settings::AppSettings &appSettings() const { return m_settings; }

    using LoanFields = app::LoanFields;
    const LoanFields &loanFields() const { return m_loanPage.fields(); }
    const std::vector<calc::TPaymentObj> &ScheduleRows() const { return m_loanPage.rows(); }
    // Whether the schedule rows carry their texts (the window's and the
    // reports' need); a caller that wants only the answers saves the work.
    void setRowTexts(bool texts) { m_loanPage.setRowTexts(texts); }

    // Daily Interest page.
    QDate startDate() const { return m_dailyPage.startDate(); }
    QDate receiveDate() const { return m_dailyPage.receiveDate(); }
    // The user changed a date picker: the day count runs (MaskEdit_StartDateOLDExit).
    void datePickerChanged(bool startPicker, const QDate &date)
    {
        m_dailyPage.datePickerChanged(startPicker, date);
    }
    // A date picker was left holding a text that names no date.
    void dateRefused(bool startPicker, const QString &text) { m_dailyPage.dateRefused(startPicker, text); }
    bool ValidateDailyInputs() { return m_dailyPage.ValidateDailyInputs(); }
    void CalculateDailyInterest() { m_dailyPage.CalculateDailyInterest(); }

    // Savings Interest page: the item index of the compounding choice (-1 none).
    int compounding() const { return m_savingsPage.compounding(); }
    void setCompounding(int itemIndex) { m_savingsPage.setCompounding(itemIndex); }
    bool ValidateSavingsInputs() { return m_savingsPage.ValidateSavingsInputs(); }
    void CalculateSavingsInterest() { m_savingsPage.CalculateSavingsInterest(); }
    const std::vector<calc::TSavingsObj> &SavingsRows() const { return m_savingsPage.rows(); }

private:
    // The pages run the shared checks and write the fields.
    friend class LoanModel;
    friend class DailyModel;
    friend class SavingsModel;

    void runChangeHandler(Field field);
    void warn(const QString &text, Field focus);
    void showWarning(const QString &text);

    calc::Extended floatOf(Field field) const;
    std::int64_t integerOf(Field field) const;
    QString moneyText(calc::Money value) const;
    QString intText(std::int64_t value) const { return QString::number(value); }

    // The checks of the Calculate command: message and focus on failure.
    bool requireNumber(Field field);
    bool requireWholeNumber(Field field, const QString &what);
    bool requireNonZero(Field field, const QString &what);
    bool requireTerm(Field years, Field months);
    void rewriteAsMoney(Field field);
    void restoreTexts(const std::array<QString, kFieldCount> &texts);
    QString generalText(calc::Extended value) const;
    QString rangeMessage(const calc::MoneyRangeError &e) const;

    text::Locale m_locale;
    desktop::MessageService &m_messages;
    MainModelView *m_view = nullptr;

    std::array<QString, kFieldCount> m_texts;
    Mode m_mode = Mode::PaymentAmount;
    bool m_reportCommands = false;
    settings::AppSettings m_settings;

    LoanModel m_loanPage{*this};
    DailyModel m_dailyPage{*this};
    SavingsModel m_savingsPage{*this};
};

} // namespace accrua::app
