// The report outputs that draw: the banded report's pages as a report page
// file (--arp) and as a PDF (--pdf), on Qt GUI in accrua-cli-draw.
#include "cli/output.h"
#include "cli/reportoptions.h"

#include "reports/banded/reportinputs.h"
#include "reports/banded/reportoutput.h"
#include "reports/banded/reportsform.h"

#include <QDir>

#include <exception>
#include <memory>
#include <optional>

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

} // namespace

std::optional<QString> writeDrawnOutputs(const ReportOutputs &o, ReportPage page, const app::MainModel &model,
                                         const std::function<QDate()> &today, QStringList *written)
{
    const auto fail = [](const QString &text) { return std::optional<QString>(text); };
    if (!o.drawn())
        return std::nullopt;
    std::unique_ptr<reports::eng::TRptPageList> pages;
    QString title;
    try {
        auto form = reportForm(o, page, model, today);
        reports::eng::Report &report = reports::banded::reportOf(
            *form, page == ReportPage::Loan    ? reports::banded::ReportKind::Amortization
                   : page == ReportPage::Daily ? reports::banded::ReportKind::Daily
                                               : reports::banded::ReportKind::Savings);
        if (o.arp.isEmpty()) {
            // Only a PDF: its pages go straight into it, with no page list.
            reports::banded::generatePdf(report, o.pdf);
            if (written)
                *written << kPdfOutput;
            return std::nullopt;
        }
        title = report.title;
        pages = reports::banded::generatePages(report);
    } catch (const reports::banded::ReportOutputError &e) {
        return fail(e.message());
    } catch (const std::exception &e) {
        // Nothing is written for a report that could not be made.
        const QString target = !o.pdf.isEmpty() ? o.pdf : o.arp;
        return fail(
            QStringLiteral("\"%1\" not written: %2").arg(native(target), QString::fromUtf8(e.what())));
    }
    try {
        pages->SaveToFile(o.arp);
        if (written)
            *written << kArpOutput;
    } catch (const std::exception &e) {
        return fail(QString::fromUtf8(e.what()));
    }
    if (!o.pdf.isEmpty()) {
        try {
            reports::banded::savePdf(*pages, o.pdf, title);
            if (written)
                *written << kPdfOutput;
        } catch (const std::exception &e) {
            return fail(QString::fromUtf8(e.what()));
        }
    }
    return std::nullopt;
}

} // namespace accrua::cli
