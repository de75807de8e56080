#include "cli/output.h"
#include "cli/reportoptions.h"

#include "reports/banded/reportinputs.h"
#include "reports/banded/reportoutput.h"
#include "reports/banded/reportsform.h"
#include "reports/classic/classicreport.h"
#include "reports/classic/rtf.h"

#include <QDir>
#include <QFile>

#include <exception>
#include <memory>

namespace accrua::cli {

namespace {

QString native(const QString &file)
{
    return QDir::toNativeSeparators(file);
}

// The banded report of the page, filled as the window's commands fill it.
std::unique_ptr<reports::banded::TForm_Reports> reportForm(const ReportOutputs &o, ReportPage page,
                                                           const app::MainModel &model,
                                                           const std::function<QDate()> &today)
{
    auto form = std::make_unique<reports::banded::TForm_Reports>(model.locale(), today);
    switch (page) {
    case ReportPage::Loan: {
        const QDate date = o.origination.isValid() ? o.origination : today();
        reports::banded::fillAmortization(*form, model, date,
                                          o.hasPurpose ? o.purpose : model.appSettings().LoanType);
        break;
    }
    case ReportPage::Daily:
        reports::banded::fillDaily(*form, model);
        break;
    case ReportPage::Savings:
        reports::banded::fillSavings(*form, model);
        break;
    }
    return form;
}

QByteArray csvOf(const ReportOutputs &o, ReportPage page, const app::MainModel &model,
                 const std::function<QDate()> &today)
{
    switch (page) {
    case ReportPage::Loan:
        return reports::banded::scheduleCsv(model.ScheduleRows(),
                                            o.origination.isValid() ? o.origination : today());
    case ReportPage::Savings:
        return reports::banded::savingsCsv(model.SavingsRows(), calc::periodsPerYear(model.compounding()));
    case ReportPage::Daily:
        break;
    }
    // One line of results: the daily page has no rows.
    const auto plain = [&](app::Field f) {
        QString t = model.text(f);
        t.replace(model.locale().decimalSeparator(), QLatin1Char('.'));
        return t.toUtf8();
    };
    QByteArray out("START,RECEIVE,DAYS,PRINCIPAL,RATE,PAYMENT,DAILY_RATE,INTEREST,PRINCIPAL_PAYMENT,"
                   "INTEREST_ACCRUED,REMAINING_BALANCE\n");
    out += model.startDate().toString(Qt::ISODate).toLatin1() + ',' +
           model.receiveDate().toString(Qt::ISODate).toLatin1() + ',' + plain(app::Field::Days) + ',' +
           plain(app::Field::DayPrincipal) + ',' + plain(app::Field::DayInterest) + ',' +
           plain(app::Field::DayPayment) + ',' + plain(app::Field::DailyRate) + ',' +
           plain(app::Field::IntPerPeriod) + ',' + plain(app::Field::PrincipalPayment) + ',' +
           plain(app::Field::IntAccrued) + ',' + plain(app::Field::RemainingBalance) + '\n';
    return out;
}

} // namespace

int writeReportOutputs(const ReportOutputs &o, ReportPage page, const app::MainModel &model,
                       const std::function<QDate()> &today, QTextStream &out, QTextStream &err)
{
    const auto fail = [&](const QString &text) {
        err << "accrua-cli: " << text << '\n';
        err.flush();
        return 1;
    };
    if (!o.csv.isEmpty()) {
        try {
            const QByteArray csv = csvOf(o, page, model, today);
            if (o.csvToStdout()) {
                out.flush();
                QFile stdoutFile;
                if (!stdoutFile.open(stdout, QIODevice::WriteOnly) || stdoutFile.write(csv) != csv.size() ||
                    !stdoutFile.flush())
                    return fail(QStringLiteral("Cannot write the CSV to standard output"));
            } else {
                reports::banded::saveBytes(csv, o.csv);
            }
        } catch (const std::exception &e) {
            return fail(QString::fromUtf8(e.what()));
        }
    }
    if (!o.classic.isEmpty()) {
        try {
            // The loan question answered as for the banded report; the
            // preview's layout, which the classic window saves.
            const reports::classic::LoanInformation loan = reports::classic::defaultLoanInformation(
                o.origination.isValid() ? o.origination : today(),
                o.hasPurpose ? o.purpose : model.appSettings().LoanType, model.locale());
            const reports::classic::ClassicLines lines =
                reports::classic::buildClassicReportOf(model, model.mode(), false, loan);
            if (o.classicToStdout()) {
                for (const reports::classic::ClassicLine &line : lines)
                    out << terminalText(line.text) << '\n';
                out.flush();
                if (out.status() != QTextStream::Ok)
                    return fail(QStringLiteral("Cannot write the classic report to standard output"));
            } else {
                reports::classic::RtfFormat format;
                if (!format.writeFile(o.classic, lines))
                    return fail(format.errorString());
            }
        } catch (const std::exception &e) {
            const QString target =
                o.classicToStdout() ? QStringLiteral("standard output") : native(o.classic);
            return fail(QStringLiteral("\"%1\" not written: %2").arg(target, QString::fromUtf8(e.what())));
        }
    }
    if (o.pdf.isEmpty() && o.arp.isEmpty())
        return 0;

    std::unique_ptr<reports::eng::TRptPageList> pages;
    QString title;
    try {
        auto form = reportForm(o, page, model, today);
        reports::eng::Report &report = reports::banded::reportOf(
            *form, page == ReportPage::Loan    ? reports::banded::ReportKind::Amortization
                   : page == ReportPage::Daily ? reports::banded::ReportKind::Daily
                                               : reports::banded::ReportKind::Savings);
        title = report.title;
        pages = reports::banded::generatePages(report);
    } catch (const std::exception &e) {
        // Nothing is written for a report that could not be made.
        const QString target = !o.pdf.isEmpty() ? o.pdf : o.arp;
        return fail(
            QStringLiteral("\"%1\" not written: %2").arg(native(target), QString::fromUtf8(e.what())));
    }
    if (!o.arp.isEmpty()) {
        try {
            pages->SaveToFile(o.arp);
        } catch (const std::exception &e) {
            return fail(QString::fromUtf8(e.what()));
        }
    }
    if (!o.pdf.isEmpty()) {
        try {
            reports::banded::savePdf(*pages, o.pdf, title);
        } catch (const std::exception &e) {
            return fail(QString::fromUtf8(e.what()));
        }
    }
    return 0;
}

} // namespace accrua::cli
