#include "reports/commands/commands.h"

#include "reports/banded/reportoutput.h"
#include "reports/commands/printjob.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>

#include <optional>

namespace accrua::reports::commands {

PreviewService::~PreviewService() = default;

namespace {

const QString kReportFilter = QStringLiteral("Report File (*.ARP)");
const QString kReportSuffix = QStringLiteral("ARP");

QString errorText(const std::exception &e)
{
    const QString text = QString::fromUtf8(e.what());
    return text.isEmpty()
               ? QCoreApplication::translate("accrua::reports::commands", "The report could not be made.")
               : text;
}

} // namespace

ReportDispatcher::ReportDispatcher(ReportServices services) : m_services(std::move(services)) {}

void ReportDispatcher::attach(const app::MainModel &model, QWidget *mainWindow,
                              std::function<bool()> useDefaults)
{
    m_model = &model;
    m_window = mainWindow;
    m_useDefaults = std::move(useDefaults);
}

void ReportDispatcher::showError(const QString &text) const
{
    if (m_services.messages)
        m_services.messages->ShowMessageDialog(text, desktop::MessageKind::Error, desktop::MessageButton::OK);
}

desktop::FileDialogRequest ReportDispatcher::fileRequest(const QString &title, const QString &filter,
                                                         const QString &suffix) const
{
    desktop::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultSuffix = suffix;
    request.parent = m_window;
    request.centreOverParent = true;
    return request;
}

std::unique_ptr<banded::TForm_Reports> ReportDispatcher::newForm() const
{
    return std::make_unique<banded::TForm_Reports>(m_model->locale(), m_services.today);
}

void ReportDispatcher::MenuItem_PrintPreviewClick(ReportCommand sender)
{
    if (!m_model)
        return;
    try {
        dispatch(sender);
    } catch (const std::exception &e) {
        showError(errorText(e));
    }
}

void ReportDispatcher::dispatch(ReportCommand sender)
{
    const settings::AppSettings &s = m_model->appSettings();
    if (s.UseClassicView) {
        if (m_services.buildClassicReport)
            m_services.buildClassicReport(sender);
        return;
    }
    if (sender == ReportCommand::PrintPreview && !m_services.preview)
        return;

    const banded::ReportKind kind = banded::reportKindOf(m_model->mode());
    std::unique_ptr<banded::TForm_Reports> form;
    if (kind == banded::ReportKind::Amortization) {
        QString purpose = s.LoanType;
        // What the loan information dialog answered, as typed; none: today.
        std::optional<QString> typedDate;
        if (!(m_useDefaults && m_useDefaults())) {
            if (sender != ReportCommand::None) {
                if (!m_services.loanInfo)
                    return;
                const settings::LoanInfoAnswer answer = m_services.loanInfo->askLoanInfo(s.LoanType);
                LastOriginationDate = answer.originationDate;
                LastLoanType = answer.loanType;
                if (answer.cancelled)
                    return;
                typedDate = answer.originationDate;
                purpose = answer.loanType;
            } else if (!LastOriginationDate.isEmpty()) {
                // A print from the preview reuses what was entered for it.
                typedDate = LastOriginationDate;
                purpose = LastLoanType;
            }
        }
        form = newForm();
        if (typedDate)
            banded::fillAmortization(*form, *m_model, *typedDate, purpose);
        else
            banded::fillAmortization(*form, *m_model, m_services.today(), purpose);
    } else {
        form = newForm();
        if (kind == banded::ReportKind::Daily)
            banded::fillDaily(*form, *m_model);
        else
            banded::fillSavings(*form, *m_model);
    }
    eng::Report &report = banded::reportOf(*form, kind);
    run(std::move(form), report, sender);
}

void ReportDispatcher::run(std::unique_ptr<banded::TForm_Reports> form, eng::Report &report,
                           ReportCommand sender)
{
    switch (sender) {
    case ReportCommand::PrintPreview:
        m_services.preview->previewReport(report,
                                          [this] { MenuItem_PrintPreviewClick(ReportCommand::None); });
        break;
    case ReportCommand::Print:
    case ReportCommand::None: {
        if (!m_services.printDialog)
            return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(report.title);
        if (!m_services.printDialog->exec(printer, m_window))
            return;
        // Generated in full before the printer is touched: a report that
        // fails to generate prints nothing.
        std::unique_ptr<eng::TRptPageList> pages;
        try {
            const QStringList installed = m_services.printDialog->installedPrinters();
            requirePrinter(printer, installed);
            pages = banded::generatePages(report);
            printPages(*pages, printer, printChoiceOf(printer), report.title, installed);
        } catch (...) {
            pages.reset();
            if (report.afterPrint)
                report.afterPrint();
            throw;
        }
        pages.reset();
        if (report.afterPrint)
            report.afterPrint();
        break;
    }
    case ReportCommand::Save: {
        const std::unique_ptr<eng::TRptPageList> pages = banded::generatePages(report);
        pages->SaveToFile(ReportFileName);
        break;
    }
    }
    form.reset();
}

void ReportDispatcher::MenuItem_SaveClick()
{
    if (!m_model)
        return;
    try {
        if (m_model->appSettings().UseClassicView) {
            // Classic reports are text: the classic builder saves them itself,
            // rather than asking for a report page file it would not write.
            if (m_services.buildClassicReport)
                m_services.buildClassicReport(ReportCommand::Save);
            return;
        }
        if (!m_services.files)
            return;
        const QString name = m_services.files->getSaveFileName(fileRequest(
            QCoreApplication::translate("accrua::reports::commands", "Save"), kReportFilter, kReportSuffix));
        if (name.isEmpty())
            return;
        ReportFileName = name;
        dispatch(ReportCommand::Save);
    } catch (const std::exception &e) {
        showError(errorText(e));
    }
}

void ReportDispatcher::MenuItem_OpenClick()
{
    if (!m_model)
        return;
    try {
        if (m_model->appSettings().UseClassicView) {
            if (m_services.openClassicReport)
                m_services.openClassicReport();
            return;
        }
        if (!m_services.preview || !m_services.files)
            return;
        const QString name = m_services.files->getOpenFileName(fileRequest(
            QCoreApplication::translate("accrua::reports::commands", "Open"), kReportFilter, kReportSuffix));
        if (name.isEmpty())
            return;
        const std::unique_ptr<banded::TForm_Reports> form = newForm();
        eng::TRptPageList pages;
        pages.LoadFromFile(name);
        if (const std::optional<QString> damage = damagedPages(pages, name)) {
            showError(*damage);
            return;
        }
        // A print of the opened pages is named after the file.
        form->BandReport_Empty.title = QFileInfo(name).completeBaseName();
        m_services.preview->previewPages(form->BandReport_Empty, pages);
    } catch (const std::exception &e) {
        showError(errorText(e));
    }
}

} // namespace accrua::reports::commands
