// The widgets side of the message seam: real modal boxes on screen.
#pragma once

#include "help/messages.h"

namespace accrua::help {

// The only code in the program that shows a QMessageBox. Each call builds one
// application-modal box, centred on the screen, and destroys it on return.
class QtMessageService : public MessageService {
public:
    unsigned short ShowMessageDialog(const QString &text, MessageKind kind, MessageButtons buttons,
                                     int helpContext = 0) override;
    void ShowErrorReport(const QString &failure) override;
};

} // namespace accrua::help
