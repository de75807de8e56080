// The main window's classic report commands: Print Preview and Print build
// the classic report of the active page into a fresh TForm_OldPreview and
// show it modally or print it; Open loads a saved classic report into one;
// Save writes the classic report of the active page to a file.
//
// The report dispatcher calls these when the USECLASSICVIEW setting is on.
// Everything modal goes through ClassicServices.
#pragma once

#include "desktop/messages.h"
#include "reports/classic/classicpreview.h"
#include "settings/loaninfoservice.h"

#include <QDate>

#include <functional>

class QAction;

namespace accrua::app {
class TForm_Main;
}

namespace accrua::reports::commands {

struct ClassicServices {
    desktop::MessageService *messages = nullptr;
    classic::ClassicDialogs *dialogs = nullptr;
    settings::LoanInfoService *loanInfo = nullptr;
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};

// `command` is the main window's MenuItem_PrintPreview (show the report) or
// MenuItem_Print (print it after the print dialog); for any other command
// nothing is built. Panel_Working shows while the report is built and is
// hidden at the end in every case.
void BuildClassicReport(app::TForm_Main &main, QAction *command, ClassicServices &services);

// Open with classic reports on: OpenDialog2, then the file in a new classic
// window shown modally. A file that cannot be read is reported and nothing
// is shown.
void OpenClassicReport(app::TForm_Main &main, ClassicServices &services);

// Save with classic reports on: asks for a file name ("Text File (*.TXT)"),
// builds the classic report of the active page as a preview would (asking
// for the loan information unless Use Defaults is checked) and writes it as
// rich text. Returns false when nothing was written (cancelled or failed;
// failures are reported).
bool SaveClassicReport(app::TForm_Main &main, ClassicServices &services);

} // namespace accrua::reports::commands
