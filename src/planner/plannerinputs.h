// The planner window's left pane: the inputs of one scenario as a form that
// reads top to bottom. It shows a ScenarioInputs and reads one back; a text
// that is refused keeps its field marked (the reason in the tool tip) and
// leaves that input as it was, so the other inputs still count.
#pragma once

#include "planner/scenario.h"
#include "text/locale.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace accrua::planner {

class PlannerInputs : public QWidget {
    Q_OBJECT

public:
    explicit PlannerInputs(const text::Locale &locale, QWidget *parent = nullptr);

    void setName(const QString &name);
    QString name() const;
    void setInputs(const ScenarioInputs &inputs);
    // The inputs with every accepted field applied to `base`; the reasons of
    // the refused ones in `problems` ("Principal: ...").
    ScenarioInputs readInputs(const ScenarioInputs &base, QStringList *problems);
    // Marks the name field with a reason (empty: clears the mark).
    void markName(const QString &reason);

    QLineEdit *LineEdit_Name = nullptr;
    QLineEdit *LineEdit_Principal = nullptr;
    QLineEdit *LineEdit_Rate = nullptr;
    QComboBox *ComboBox_Term = nullptr;
    QLineEdit *LineEdit_Years = nullptr;
    QLineEdit *LineEdit_Months = nullptr;
    QLineEdit *LineEdit_Payments = nullptr;
    QLineEdit *LineEdit_FixedPayment = nullptr;
    QComboBox *ComboBox_Frequency = nullptr;
    QComboBox *ComboBox_Compounding = nullptr;
    QComboBox *ComboBox_Repayment = nullptr;
    QLineEdit *LineEdit_InterestOnly = nullptr;
    QLineEdit *LineEdit_Balloon = nullptr;
    QLineEdit *LineEdit_AmortizePayments = nullptr;
    QTableWidget *Table_Extras = nullptr;
    QPushButton *Button_AddExtra = nullptr;
    QPushButton *Button_RemoveExtra = nullptr;
    QTableWidget *Table_Lumps = nullptr;
    QPushButton *Button_AddLump = nullptr;
    QPushButton *Button_RemoveLump = nullptr;
    QTableWidget *Table_Rates = nullptr;
    QPushButton *Button_AddRate = nullptr;
    QPushButton *Button_RemoveRate = nullptr;
    QLineEdit *LineEdit_Fee = nullptr;
    QDateEdit *DateEdit_Advance = nullptr;
    QCheckBox *CheckBox_FirstPayment = nullptr;
    QDateEdit *DateEdit_FirstPayment = nullptr;
    QComboBox *ComboBox_ExtraMode = nullptr;

Q_SIGNALS:
    // Any input changed (typed, chosen, a row added or removed).
    void edited();
    void nameEdited(const QString &name);
    // Enter in a field: recalculate now.
    void enterPressed();

private:
    QTableWidget *makeTable(const QStringList &headers, QPushButton **add, QPushButton **remove,
                            QWidget **holder);
    void addRow(QTableWidget *table, const QStringList &cells);
    void updateTermFields();

    text::Locale m_locale;
    bool m_loading = false;
};

} // namespace accrua::planner
