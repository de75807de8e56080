// The banded reports: what they show and how they are fed.
//
// TForm_Reports is the report layouts form. It is never shown: it owns the
// four report definitions on the layout engine (amortization, savings, daily
// interest, and an empty carrier for opened page files), the setters the
// commands fill the amortization title with, and the handlers the engine
// calls while it lays a report out. The amortization and savings reports pull
// their rows from row lists borrowed from the main window, one row per
// request, and compute each payment's number and date and the yearly and
// overall totals as they go.
//
// During a preview the engine runs these handlers on its worker thread; they
// touch only this form and read the borrowed rows, which stay unchanged while
// the modal preview is open.
#pragma once

#include "calc/loan.h"
#include "calc/money.h"
#include "reports/banded/enginenames.h"
#include "reports/banded/rowtypes.h"
#include "text/locale.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace accrua::reports::banded {

// Whether every face of these reports is measured and embedded from its
// file, so that drawing them needs nothing of Qt's fonts.
bool facesReadFromFiles();

class TForm_Reports {
    Q_DECLARE_TR_FUNCTIONS(accrua::reports::banded::TForm_Reports)

public:
    // FormCreate: OriginationDate := today, RowIndex := 0, savings sums := 0.
    TForm_Reports(text::Locale locale, const std::function<QDate()> &today);
    TForm_Reports(const TForm_Reports &) = delete;
    TForm_Reports &operator=(const TForm_Reports &) = delete;

    QString caption() const { return tr("Report"); }

    // Setters of the amortization title block.
    void SetTitle(const QString &text);
    void SetLoanType(const QString &text);
    void SetInterestRate(const QString &text);
    void SetDateOfLoan(const QString &text);
    void SetBeginningBalance(const QString &text);
    void SetMonthlyPayment(const QString &text);
    void SetNumberOfPayments(const QString &text);
    void SetAmortizedBase(const QString &text);
    // Loads the picture into all three report images when a file exists at
    // the path (a folder or a missing file leaves them empty). A file that is
    // no readable picture throws the engine's PictureError.
    void SetImageFile(const QString &path);

    // Inputs the commands fill.
    const std::vector<calc::TPaymentObj> *Rows = nullptr;
    const std::vector<SavingsRowType> *SavingsRows = nullptr;
    QDate OriginationDate;
    bool PrintTotals = true;
    bool PrintSavingsTotals = true;
    bool PrintImage = true;
    int PeriodsPerYear = 1;

    int RowIndex = 0;

    // The reports, named as the program names them.
    eng::Report BandReport{QStringLiteral("BandReport")};
    eng::Report BandReport_Savings{QStringLiteral("BandReport_Savings")};
    eng::Report BandReport_Daily{QStringLiteral("BandReport_Daily")};
    eng::Report BandReport_Empty{QStringLiteral("BandReport_Empty")};

    // Bands and labels the handlers and commands write.
    eng::Band *RptSubDetail_Totals = nullptr;
    eng::Band *RptSubDetail_SavingsTotals = nullptr;
    eng::Picture *RptImage = nullptr;
    eng::Picture *RptImage_Savings = nullptr;
    eng::Picture *RptImage_Daily = nullptr;

    eng::Label *RptLabel_Title = nullptr;
    eng::Label *RptLabel_LoanType = nullptr;
    eng::Label *RptLabel_InterestRate = nullptr;
    eng::Label *RptLabel_NumberOfPayments = nullptr;
    eng::Label *RptLabel_AmortizedBase = nullptr;
    eng::Label *RptLabel_BeginningBalance = nullptr;
    eng::Label *RptLabel_MonthlyPayment = nullptr;
    eng::Label *RptLabel_DateOfLoan = nullptr;
    eng::Label *RptLabel_PMT = nullptr;
    eng::Label *RptLabel_DATE = nullptr;
    eng::Label *RptLabel_PAYMENT = nullptr;
    eng::Label *RptLabel_PRINCIPAL = nullptr;
    eng::Label *RptLabel_INTEREST = nullptr;
    eng::Label *RptLabel_BALANCE = nullptr;
    eng::Label *RptLabel_YearlyPayment = nullptr;
    eng::Label *RptLabel_YearlyPrincipal = nullptr;
    eng::Label *RptLabel_YearlyInterest = nullptr;
    eng::Label *RptLabel_OverallPayment = nullptr;
    eng::Label *RptLabel_OverallPrincipal = nullptr;
    eng::Label *RptLabel_OverallInterest = nullptr;

    eng::Label *RptLabel_SavingsTitle = nullptr;
    eng::Label *RptLabel_SavingsSubTitle = nullptr;
    eng::Label *RptLabel_SavingsNumberOfPayments = nullptr;
    eng::Label *RptLabel_SavingsInterestRate = nullptr;
    eng::Label *RptLabel_SavingsBeginningBalance = nullptr;
    eng::Label *RptLabel_SavingsEndingBalance = nullptr;
    eng::Label *RptLabel_SavingsPMT = nullptr;
    eng::Label *RptLabel_SavingsYear = nullptr;
    eng::Label *RptLabel_SavingsInterest = nullptr;
    eng::Label *RptLabel_SavingsBalance = nullptr;
    eng::Label *RptLabel_SavingsYearlyInterest = nullptr;
    eng::Label *RptLabel_SavingsOverallInterest = nullptr;

    eng::Label *RptLabel_DailyTitle = nullptr;
    eng::Label *RptLabel_DailySubtitle = nullptr;
    eng::Label *RptLabel_DailyAmortizedBase = nullptr;
    eng::Label *RptLabel_DailyStartDate = nullptr;
    eng::Label *RptLabel_DailyReceiveDate = nullptr;
    eng::Label *RptLabel_DailyTotalDays = nullptr;
    eng::Label *RptLabel_DailyAnnualInterestRate = nullptr;
    eng::Label *RptLabel_DailyDailyInterestRate = nullptr;
    eng::Label *RptLabel_DailyBeginningBalance = nullptr;
    eng::Label *RptLabel_DailyPaymentAmount = nullptr;
    eng::Label *RptLabel_DailyInterestAmount = nullptr;
    eng::Label *RptLabel_DailyPrincipalPayment = nullptr;
    eng::Label *RptLabel_DailyInterestAccrued = nullptr;
    eng::Label *RptLabel_DailyRemainingBalance = nullptr;

    // Handlers, bound to the reports by the constructor.
    void BandReportBeforePrint();
    bool BandReportNeedData();
    bool RptSubDetail_TotalsBeforePrint();
    void RptSubDetail_TotalsAfterPrint();
    void BandReportAfterPreview();
    void BandReport_SavingsBeforePrint();
    bool BandReport_SavingsNeedData();
    void RptSubDetail_SavingsTotalsAfterPrint();
    void BandReport_DailyBeforePrint();

    // The form's close: whoever owns the form is told, and releases it once
    // the engine is done with the report.
    void FormClose();
    void setCloseHandler(std::function<void()> handler) { m_onClose = std::move(handler); }
    bool isClosed() const { return m_closed; }

private:
    void buildAmortization();
    void buildSavings();
    void buildDaily();
    void addFooter(eng::Report &report, const QString &pageNoName);
    void addAmortizationHeadings(eng::Band &band, const QString &suffix);
    void addSavingsHeadings(eng::Band &band, const QString &suffix);
    // The text with thousands separators, into the label's caption.
    void grouped(const calc::ShortText &text, eng::Label &label) const;
    QString money(calc::Money value) const;

    text::Locale m_locale;
    std::function<void()> m_onClose;
    bool m_closed = false;

    // Calendar position of the current amortization row.
    std::uint16_t m_year = 0;
    std::uint16_t m_month = 0;
    std::uint16_t m_day = 0;
    std::uint16_t m_savedDay = 0;
    QDate m_rowDate;

    calc::Money m_yearlyPayment, m_yearlyPrincipal, m_yearlyInterest;
    calc::Money m_overallPayment, m_overallPrincipal, m_overallInterest;
    calc::Money m_savingsYearlyInterest, m_savingsOverallInterest;
};

} // namespace accrua::reports::banded
