// The three loan pages of the main window (Payment Amount, Number Of
// Payments, Amortization) without widgets: their Calculate checks, the loan
// solver's answers written into the fields, the loan fields and the schedule,
// and the messages of a loan that cannot be computed.
#pragma once

#include "calc/loan.h"
#include "calc/solver.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace accrua::app {

class MainModel;

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

class LoanModel {
public:
    explicit LoanModel(MainModel &main) : m_main(main) {}

    // The checks of the current loan mode; false at the first failure.
    bool loanInputChecks();
    // Calculate on a loan page.
    void calculate();

    const LoanFields &fields() const { return m_loan; }
    const std::vector<calc::TPaymentObj> &rows() const { return m_scheduleRows; }
    void setRowTexts(bool texts) { m_rowTexts = texts; }

private:
    class BoundExceeded;

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
    // A loan whose arithmetic leaves the money range, named by what was typed.
    QString loanRangeMessage() const;

    MainModel &m_main;
    LoanFields m_loan;
    std::vector<calc::TPaymentObj> m_scheduleRows;
    bool m_rowTexts = true;
};

} // namespace accrua::app
