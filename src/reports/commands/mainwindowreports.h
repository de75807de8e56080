// The report commands as the program installs them on its main window: the
// dispatcher with the real dialogs (file, print, loan information), the
// message box, the preview window when there is one, and the classic text
// reports for USECLASSICVIEW.
#pragma once

#include "reports/commands/commands.h"

#include <memory>

namespace accrua::app {
class TForm_Main;
}

namespace accrua::reports::commands {

class MainWindowReports {
public:
    // The preview window may be none; Print Preview and Open then show nothing.
    MainWindowReports(
        desktop::MessageService &messages, PreviewService *preview = nullptr,
        std::function<QDate()> today = [] { return QDate::currentDate(); });
    ~MainWindowReports();

    // Handed to the main window (MainWindowServices::reports) before it is made.
    app::ReportCommands &commands() { return m_dispatcher; }
    ReportDispatcher &dispatcher() { return m_dispatcher; }

    // Once the window exists: the commands read it and centre their dialogs over it.
    void attach(app::TForm_Main &window);

    struct Impl; // the dialog adapters and the classic reports' services

private:
    std::unique_ptr<Impl> d;
    ReportDispatcher m_dispatcher;
};

} // namespace accrua::reports::commands
