// The report outputs that draw nothing, written by the calculation-only
// accrua-cli itself: the CSV rows and the classic text report.
#include "cli/output.h"
#include "cli/reportoptions.h"

#include "reports/classic/classicreport.h"
#include "reports/classic/rtf.h"
#include "reports/csv/csv.h"

#include <QDir>
#include <QFile>

#include <exception>
#include <optional>

namespace accrua::cli {

namespace {

QByteArray csvOf(const ReportOutputs &o, ReportPage page, const app::MainModel &model,
                 const std::function<QDate()> &today)
{
    switch (page) {
    case ReportPage::Loan:
        return reports::csv::scheduleCsv(model.ScheduleRows(),
                                         o.origination.isValid() ? o.origination : today());
    case ReportPage::Savings:
        return reports::csv::savingsCsv(model.SavingsRows(), calc::periodsPerYear(model.compounding()));
    case ReportPage::Daily:
        break;
    }
    return reports::csv::dailyCsv(model);
}

} // namespace

std::optional<QString> writeTextOutputs(const ReportOutputs &o, ReportPage page, const app::MainModel &model,
                                        const std::function<QDate()> &today, QTextStream &out,
                                        QStringList *written)
{
    const auto fail = [](const QString &text) { return std::optional<QString>(text); };
    if (!o.csv.isEmpty()) {
        try {
            const QByteArray csv = csvOf(o, page, model, today);
            if (o.csvToStdout()) {
                out.flush();
                QFile stdoutFile;
                if (!stdoutFile.open(stdout, QIODevice::WriteOnly) || stdoutFile.write(csv) != csv.size() ||
                    !stdoutFile.flush())
                    return fail(QStringLiteral("Cannot write the CSV to standard output"));
            } else if (std::optional<QString> why = reports::csv::saveCsv(csv, o.csv)) {
                return why;
            } else if (written) {
                *written << kCsvOutput;
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
                if (written)
                    *written << kClassicOutput;
            }
        } catch (const std::exception &e) {
            const QString target =
                o.classicToStdout() ? QStringLiteral("standard output") : QDir::toNativeSeparators(o.classic);
            return fail(QStringLiteral("\"%1\" not written: %2").arg(target, QString::fromUtf8(e.what())));
        }
    }
    return std::nullopt;
}

} // namespace accrua::cli
