#include "reports/banded/reportinputs.h"

#include "calc/savings.h"
#include "text/numbers.h"

#include <QCoreApplication>

namespace accrua::reports::banded {

using app::Field;

ReportInputError::ReportInputError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString ReportInputError::message() const
{
    return QString::fromUtf8(what());
}

ReportKind reportKindOf(app::Mode mode)
{
    switch (mode) {
    case app::Mode::DailyInterest:
        return ReportKind::Daily;
    case app::Mode::SavingsInterest:
        return ReportKind::Savings;
    default:
        return ReportKind::Amortization;
    }
}

eng::Report &reportOf(TForm_Reports &form, ReportKind kind)
{
    switch (kind) {
    case ReportKind::Savings:
        return form.BandReport_Savings;
    case ReportKind::Daily:
        return form.BandReport_Daily;
    case ReportKind::Amortization:
        break;
    }
    return form.BandReport;
}

QString dateText(const QDate &date, const text::Locale &locale)
{
    return date.toString(locale.shortDateFormat());
}

namespace {

// The loan report of an origination `date` whose label shows `dateLabel`.
void fillAmortizationOn(TForm_Reports &form, const app::MainModel &model, const QDate &date,
                        const QString &dateLabel, const QString &purpose)
{
    const settings::AppSettings &s = model.appSettings();
    form.Rows = &model.ScheduleRows();
    form.OriginationDate = date;
    form.SetTitle(s.Title);
    form.SetLoanType(purpose);
    form.SetInterestRate(model.text(Field::Interest) + QLatin1Char('%'));
    form.SetDateOfLoan(dateLabel);
    form.SetBeginningBalance(model.text(Field::Principal));
    // The answer box is shown on the Payment Amount page only.
    form.SetMonthlyPayment(model.mode() == app::Mode::PaymentAmount ? model.text(Field::PaymentAnswer)
                                                                    : model.text(Field::Payment));
    form.SetImageFile(s.ImagePath);
    form.SetAmortizedBase(QString::number(s.AmortizedBase));
    form.SetNumberOfPayments(model.text(Field::TotalNumberPayments));
    form.PrintTotals = s.PrintTotals;
    form.PrintImage = s.PrintImage;
    form.BandReport.expectedRows = static_cast<int>(model.ScheduleRows().size());
}

} // namespace

void fillAmortization(TForm_Reports &form, const app::MainModel &model, const QString &originationDate,
                      const QString &purpose)
{
    const QDate date = QDate::fromString(originationDate.trimmed(), model.locale().shortDateFormat());
    if (!date.isValid())
        throw ReportInputError(
            QCoreApplication::translate("accrua::reports::banded", "'%1' is not a valid date")
                .arg(originationDate));
    fillAmortizationOn(form, model, date, originationDate, purpose);
}

void fillAmortization(TForm_Reports &form, const app::MainModel &model, const QDate &origination,
                      const QString &purpose)
{
    fillAmortizationOn(form, model, origination, dateText(origination, model.locale()), purpose);
}

void fillSavings(TForm_Reports &form, const app::MainModel &model)
{
    const text::Locale &locale = model.locale();
    const settings::AppSettings &s = model.appSettings();
    form.RptLabel_SavingsTitle->setCaption(s.SavingsTitle);
    form.RptLabel_SavingsSubTitle->setCaption(s.SavingsSubtitle);
    form.PrintSavingsTotals = s.PrintSavingsTotals;
    form.PrintImage = s.PrintImage;
    form.RptLabel_SavingsNumberOfPayments->setCaption(QString::number(model.SavingsRows().size()));
    form.RptLabel_SavingsBeginningBalance->setCaption(
        text::GroupThousands(model.text(Field::SaveAmount), locale));
    form.RptLabel_SavingsEndingBalance->setCaption(
        text::GroupThousands(model.text(Field::SaveEndBalance), locale));
    form.RptLabel_SavingsInterestRate->setCaption(
        text::GroupThousands(model.text(Field::SaveInterest), locale));
    form.SavingsRows = &model.SavingsRows();
    form.SetImageFile(s.ImagePath);
    form.PeriodsPerYear = calc::periodsPerYear(model.compounding());
    form.BandReport_Savings.expectedRows = static_cast<int>(model.SavingsRows().size());
}

void fillDaily(TForm_Reports &form, const app::MainModel &model)
{
    const text::Locale &locale = model.locale();
    const settings::AppSettings &s = model.appSettings();
    const auto grouped = [&](Field f) { return text::GroupThousands(model.text(f), locale); };
    form.RptLabel_DailyTitle->setCaption(s.DailyTitle);
    form.RptLabel_DailySubtitle->setCaption(s.DailySubtitle);
    form.RptLabel_DailyAmortizedBase->setCaption(QString::number(s.AmortizedBase));
    form.RptLabel_DailyStartDate->setCaption(dateText(model.startDate(), locale));
    form.RptLabel_DailyReceiveDate->setCaption(dateText(model.receiveDate(), locale));
    form.RptLabel_DailyTotalDays->setCaption(model.text(Field::Days));
    form.RptLabel_DailyAnnualInterestRate->setCaption(model.text(Field::DayInterest));
    form.RptLabel_DailyDailyInterestRate->setCaption(model.text(Field::DailyRate));
    form.RptLabel_DailyBeginningBalance->setCaption(grouped(Field::DayPrincipal));
    form.RptLabel_DailyPaymentAmount->setCaption(grouped(Field::DayPayment));
    form.RptLabel_DailyInterestAmount->setCaption(grouped(Field::IntPerPeriod));
    form.RptLabel_DailyPrincipalPayment->setCaption(grouped(Field::PrincipalPayment));
    form.RptLabel_DailyInterestAccrued->setCaption(grouped(Field::IntAccrued));
    form.RptLabel_DailyRemainingBalance->setCaption(grouped(Field::RemainingBalance));
    form.PrintImage = s.PrintImage;
    form.SetImageFile(s.ImagePath);
}

} // namespace accrua::reports::banded
