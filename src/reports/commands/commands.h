// The report commands of the main window: Print Preview (menu, tool button,
// F2), Print, Save and Open. The dispatcher decides from the active page which
// report is made (amortization, daily interest or savings), whether the
// classic text report is used instead, asks for the loan information when an
// amortization report needs it, fills a fresh report form and hands its
// report to the preview, the printer or a report page file.
//
// Everything modal goes through a seam: the loan information question, the
// file and print dialogs, the message box and the preview window itself.
#pragma once

#include "app/mainmodel.h"
#include "app/mainwindow.h"
#include "desktop/dialogs.h"
#include "desktop/messages.h"
#include "reports/banded/reportinputs.h"
#include "reports/banded/reportsform.h"
#include "settings/loaninfoservice.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace accrua::reports::commands {

// The command a report is made for. None: the preview window asks to print
// the report it shows.
enum class ReportCommand { PrintPreview, Print, Save, None };

// The preview window, reached through this seam so that the dispatcher needs
// no window of its own. Both calls show the preview modally and return when
// it is closed.
class PreviewService {
public:
    virtual ~PreviewService();
    // Previews `report` while the engine generates its pages; the preview's
    // Print runs `printRequest` (the dispatcher again, with no command). On
    // return the engine no longer touches the report.
    virtual void previewReport(eng::Report &report, std::function<void()> printRequest) = 0;
    // Shows pages loaded from a report page file; `carrier` is the empty
    // report that holds them. No print request: the preview prints the pages.
    virtual void previewPages(eng::Report &carrier, eng::TRptPageList &pages) = 0;
};

struct ReportServices {
    desktop::MessageService *messages = nullptr;
    settings::LoanInfoService *loanInfo = nullptr;
    desktop::FileDialogService *files = nullptr;
    desktop::PrintDialogService *printDialog = nullptr;
    PreviewService *preview = nullptr; // none: Print Preview and Open show nothing
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    // The classic text reports, used instead while USECLASSICVIEW is on:
    // BuildClassicReport for Print Preview, Print and the preview's print
    // request, the classic save for Save; Open asks for and shows a saved
    // classic report. None: those commands do nothing.
    std::function<void(ReportCommand)> buildClassicReport;
    std::function<void()> openClassicReport;
};

class ReportDispatcher : public app::ReportCommands {
public:
    explicit ReportDispatcher(ReportServices services);

    // The main window the commands read and centre their dialogs over.
    // `useDefaults` tells whether "&Use Defaults" carries its check mark.
    void attach(const app::MainModel &model, QWidget *mainWindow, std::function<bool()> useDefaults);
    // The loan information question lives on the main window, made after the dispatcher.
    void setLoanInfoService(settings::LoanInfoService *loanInfo) { m_services.loanInfo = loanInfo; }

    // app::ReportCommands
    void printPreview() override { MenuItem_PrintPreviewClick(ReportCommand::PrintPreview); }
    void print() override { MenuItem_PrintPreviewClick(ReportCommand::Print); }
    void save() override { MenuItem_SaveClick(); }
    void open() override { MenuItem_OpenClick(); }

    void MenuItem_PrintPreviewClick(ReportCommand sender);
    void MenuItem_SaveClick();
    void MenuItem_OpenClick();

    QString LastOriginationDate;
    QString LastLoanType;
    QString ReportFileName;

private:
    void dispatch(ReportCommand sender);
    std::unique_ptr<banded::TForm_Reports> newForm() const;
    void run(std::unique_ptr<banded::TForm_Reports> form, eng::Report &report, ReportCommand sender);
    void showError(const QString &text) const;
    desktop::FileDialogRequest fileRequest(const QString &title, const QString &filter,
                                           const QString &suffix) const;

    ReportServices m_services;
    const app::MainModel *m_model = nullptr;
    QWidget *m_window = nullptr;
    std::function<bool()> m_useDefaults;
};

} // namespace accrua::reports::commands
