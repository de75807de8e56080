#include "reports/commands/mainwindowreports.h"

#include "app/mainwindow.h"
#include "reports/commands/classiccommands.h"
#include "settings/loaninfo.h"

#include <QAction>

namespace accrua::reports::commands {

struct MainWindowReports::Impl {
    desktop::MessageService &messages;
    std::function<QDate()> today;
    desktop::QtFileDialogService files;
    desktop::QtPrintDialogService printDialog;
    classic::QtClassicDialogs classicDialogs;
    std::unique_ptr<settings::DialogLoanInfoService> loanInfo;
    ClassicServices classic;
    app::TForm_Main *window = nullptr;
};

namespace {

ReportServices servicesOf(MainWindowReports::Impl &d, PreviewService *preview)
{
    ReportServices s;
    s.messages = &d.messages;
    s.files = &d.files;
    s.printDialog = &d.printDialog;
    s.preview = preview;
    s.today = d.today;
    s.buildClassicReport = [&d](ReportCommand command) {
        if (!d.window)
            return;
        if (command == ReportCommand::Save)
            SaveClassicReport(*d.window, d.classic);
        else
            BuildClassicReport(*d.window,
                               command == ReportCommand::PrintPreview ? d.window->MenuItem_PrintPreview
                                                                      : d.window->MenuItem_Print,
                               d.classic);
    };
    s.openClassicReport = [&d] {
        if (d.window)
            OpenClassicReport(*d.window, d.classic);
    };
    return s;
}

} // namespace

MainWindowReports::MainWindowReports(desktop::MessageService &messages, PreviewService *preview,
                                     std::function<QDate()> today)
    : d(std::make_unique<Impl>(Impl{messages, std::move(today), {}, {}, {}, {}, {}, nullptr})),
      m_dispatcher(servicesOf(*d, preview))
{
}

MainWindowReports::~MainWindowReports() = default;

void MainWindowReports::attach(app::TForm_Main &window)
{
    d->window = &window;
    d->loanInfo = std::make_unique<settings::DialogLoanInfoService>(&window, window.model().locale(),
                                                                    d->today, &d->messages);
    d->classic.messages = &d->messages;
    d->classic.dialogs = &d->classicDialogs;
    d->classic.loanInfo = d->loanInfo.get();
    d->classic.today = d->today;
    m_dispatcher.setLoanInfoService(d->loanInfo.get());
    m_dispatcher.attach(window.model(), &window,
                        [&window] { return window.MenuItem_UseDefaults->isChecked(); });
}

} // namespace accrua::reports::commands
