// The classic text reports: fixed-width lines made from the main window's
// field texts and row lists, with the font, size, bold and underline of each
// line. Three layouts (amortization, savings, daily interest); columns are
// texts padded with spaces, so every line after the title is meant for a
// fixed-pitch font. No widgets: the window and the command line both show
// what these functions return.
#pragma once

#include "app/fields.h"
#include "app/mainmodel.h"
#include "calc/loan.h"
#include "reports/classic/classicline.h"
#include "settings/loaninfoservice.h"
#include "text/locale.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace accrua::reports::classic {

enum class ClassicLayout { Amortization, Savings, Daily };
ClassicLayout classicLayoutOf(app::Mode page);

// The loan's origination date and purpose, from the loan information
// question or, with Use Defaults, from today and the LOANTYPE setting.
struct LoanInformation {
    QString originationDateText;
    QDate originationDate;
    QString purpose;
};

LoanInformation defaultLoanInformation(const QDate &today, const QString &loanType,
                                       const text::Locale &locale);
// Nothing when the question was cancelled or its date text does not read
// back as a date.
std::optional<LoanInformation> loanInformationFrom(const settings::LoanInfoAnswer &answer,
                                                   const text::Locale &locale);

// Texts exactly as the boxes show them.
struct AmortizationInputs {
    QString interest;            // MaskEdit_Interest
    QString principal;           // MaskEdit_Principal
    QString totalNumberPayments; // MaskEdit_TotalNumberPayments
    QString payment;             // MaskEdit_PaymentAnswer on the Payment Amount page, else MaskEdit_Payment
    std::int32_t amortizedBase = 365;
    LoanInformation loan;
    const std::vector<calc::TPaymentObj> *rows = nullptr;
};

struct SavingsInputs {
    QString saveInterest; // MaskEdit_SaveInterest
    QString saveAmount;   // MaskEdit_SaveAmount
    int compounding = -1; // item index of RadioGroup_SaveCompounded
    const std::vector<app::SavingsRow> *rows = nullptr;
};

struct DailyInputs {
    QDate startDate;
    QDate receiveDate;
    QString days;
    QString dayInterest;
    QString dailyRate;
    QString dayPrincipal;
    QString dayPayment;
    QString intPerPeriod;
    QString principalPayment;
    QString intAccrued;
    QString remainingBalance;
};

ClassicLines buildAmortizationReport(const AmortizationInputs &inputs, const text::Locale &locale);
// The savings and daily titles stand 4 characters further left when printed.
ClassicLines buildSavingsReport(const SavingsInputs &inputs, bool forPrint, const text::Locale &locale);
ClassicLines buildDailyReport(const DailyInputs &inputs, bool forPrint, const text::Locale &locale);

AmortizationInputs amortizationInputsOf(const app::MainModel &model, app::Mode page, LoanInformation loan);
SavingsInputs savingsInputsOf(const app::MainModel &model);
DailyInputs dailyInputsOf(const app::MainModel &model);

// The report of a page as the main window's model holds it; `loan` is used
// by the amortization layout only.
ClassicLines buildClassicReportOf(const app::MainModel &model, app::Mode page, bool forPrint,
                                  const LoanInformation &loan);

} // namespace accrua::reports::classic
