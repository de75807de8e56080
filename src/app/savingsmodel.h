// The Savings Interest page of the main window without widgets: the
// compounding choice, the Calculate checks (the months a compounding allows),
// the savings periods and the interest written into the fields.
#pragma once

#include "calc/savings.h"

#include <QString>

#include <vector>

namespace accrua::app {

class MainModel;

class SavingsModel {
public:
    explicit SavingsModel(MainModel &main) : m_main(main) {}

    // The item index of the compounding choice (-1 none).
    int compounding() const { return m_compounding; }
    void setCompounding(int itemIndex) { m_compounding = itemIndex; }
    bool ValidateSavingsInputs();
    void CalculateSavingsInterest();
    const std::vector<calc::TSavingsObj> &rows() const { return m_savingsRows; }
    // Calculate on the page.
    void calculate();

private:
    // Savings past kMaxSavingsPeriods, in the words of the payments bound.
    QString savingsBoundMessage() const;

    MainModel &m_main;
    int m_compounding = 1; // "Bi-Yearly"
    std::vector<calc::TSavingsObj> m_savingsRows;
};

} // namespace accrua::app
