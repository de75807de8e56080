#include "reports/commands/classiccommands.h"

#include "app/mainwindow.h"
#include "desktop/messagebox.h"
#include "reports/classic/classicreport.h"
#include "reports/classic/rtf.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPrinter>
#include <QTabWidget>

#include <exception>
#include <optional>

namespace accrua::reports::commands {

namespace {

// Panel_Working, shown at once and hidden again in every case at the end.
class WorkingPanel {
public:
    explicit WorkingPanel(QWidget *panel) : m_panel(panel)
    {
        m_panel->show();
        m_panel->raise();
        m_panel->repaint();
    }
    ~WorkingPanel() { hide(); }
    WorkingPanel(const WorkingPanel &) = delete;
    WorkingPanel &operator=(const WorkingPanel &) = delete;

    void hide()
    {
        if (m_panel->isHidden())
            return;
        m_panel->hide();
        if (QWidget *parent = m_panel->parentWidget())
            parent->repaint(m_panel->geometry());
    }

private:
    QWidget *m_panel;
};

app::Mode pageMode(const app::TForm_Main &main)
{
    const QWidget *page = main.PageControl->currentWidget();
    if (page == main.TabSheet_NumberOfPayments)
        return app::Mode::NumberOfPayments;
    if (page == main.TabSheet_Amortization)
        return app::Mode::Amortization;
    if (page == main.TabSheet_Daily)
        return app::Mode::DailyInterest;
    if (page == main.TabSheet_Savings)
        return app::Mode::SavingsInterest;
    return app::Mode::PaymentAmount;
}

// The loan information step; nothing when the user cancelled (or the date
// could not be read, which is said).
std::optional<classic::LoanInformation> loanInformation(app::TForm_Main &main, ClassicServices &services,
                                                        WorkingPanel &panel)
{
    const settings::AppSettings &appSettings = main.model().appSettings();
    const text::Locale &locale = main.model().locale();
    if (main.MenuItem_UseDefaults->isChecked())
        return classic::defaultLoanInformation(services.today(), appSettings.LoanType, locale);
    panel.hide();
    const settings::LoanInfoAnswer answer = services.loanInfo->askLoanInfo(appSettings.LoanType);
    if (answer.cancelled)
        return std::nullopt;
    std::optional<classic::LoanInformation> info = classic::loanInformationFrom(answer, locale);
    if (!info)
        services.messages->ShowMessageDialog(
            QCoreApplication::translate("accrua::reports::commands", "\"%1\" is not a valid date!")
                .arg(answer.originationDate),
            desktop::MessageKind::Warning, desktop::MessageButton::OK);
    return info;
}

std::optional<classic::ClassicLines> reportLines(app::TForm_Main &main, bool forPrint,
                                                 ClassicServices &services, WorkingPanel &panel)
{
    const app::Mode page = pageMode(main);
    classic::LoanInformation loan;
    if (classic::classicLayoutOf(page) == classic::ClassicLayout::Amortization) {
        std::optional<classic::LoanInformation> info = loanInformation(main, services, panel);
        if (!info)
            return std::nullopt;
        loan = std::move(*info);
    }
    try {
        return classic::buildClassicReportOf(main.model(), page, forPrint, loan);
    } catch (const std::exception &e) {
        panel.hide();
        services.messages->ShowErrorReport(QString::fromUtf8(e.what()));
        return std::nullopt;
    }
}

} // namespace

void BuildClassicReport(app::TForm_Main &main, QAction *command, ClassicServices &services)
{
    const bool preview = command && command == main.MenuItem_PrintPreview;
    const bool print = command && command == main.MenuItem_Print;
    if (!preview && !print)
        return;
    WorkingPanel panel(main.Panel_Working);
    std::optional<classic::ClassicLines> lines = reportLines(main, print, services, panel);
    if (!lines)
        return;

    classic::TForm_OldPreview window(*services.messages, *services.dialogs, &main);
    desktop::keepAboveOwner(&window);
    window.setLines(std::move(*lines));
    panel.hide();
    if (preview) {
        window.exec();
        return;
    }
    QPrinter printer;
    if (services.dialogs->choosePrinter(&main, printer))
        window.printOn(printer);
}

void OpenClassicReport(app::TForm_Main &main, ClassicServices &services)
{
    const QString fileName =
        services.dialogs->openFileName(&main, classic::kClassicOpenFilter, classic::kClassicDefaultExtension);
    if (fileName.isEmpty())
        return;
    classic::TForm_OldPreview window(*services.messages, *services.dialogs, &main);
    desktop::keepAboveOwner(&window);
    if (window.loadFile(fileName))
        window.exec();
}

bool SaveClassicReport(app::TForm_Main &main, ClassicServices &services)
{
    const QString fileName =
        services.dialogs->saveFileName(&main, classic::kClassicSaveFilter, classic::kClassicDefaultExtension);
    if (fileName.isEmpty())
        return false;
    WorkingPanel panel(main.Panel_Working);
    const std::optional<classic::ClassicLines> lines = reportLines(main, false, services, panel);
    if (!lines)
        return false;
    classic::RtfFormat format;
    const bool written = format.writeFile(fileName, *lines);
    panel.hide();
    if (!written)
        services.messages->ShowMessageDialog(format.errorString(), desktop::MessageKind::Error,
                                             desktop::MessageButton::OK);
    return written;
}

} // namespace accrua::reports::commands
