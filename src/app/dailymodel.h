// The Daily Interest page of the main window without widgets: the two date
// pickers and the day count between them, the Calculate checks and the
// daily interest written into the fields.
#pragma once

#include <QDate>
#include <QString>

namespace accrua::app {

class MainModel;

class DailyModel {
public:
    explicit DailyModel(MainModel &main) : m_main(main) {}

    QDate startDate() const { return m_startDate; }
    QDate receiveDate() const { return m_receiveDate; }
    // The user changed a date picker: the day count runs (MaskEdit_StartDateOLDExit).
    void datePickerChanged(bool startPicker, const QDate &date);
    // A date picker was left holding a text that names no date.
    void dateRefused(bool startPicker, const QString &text);
    bool ValidateDailyInputs();
    void CalculateDailyInterest();
    // Calculate on the page.
    void calculate();

private:
    MainModel &m_main;
    QDate m_startDate{2003, 2, 12};
    QDate m_receiveDate{2003, 2, 12};
};

} // namespace accrua::app
