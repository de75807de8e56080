// The widgets side of the message seam: real modal boxes on screen.
#pragma once

#include "desktop/messages.h"

#include <QPointer>
#include <QWidget>

class QFont;
class QPaintDevice;

namespace accrua::desktop {

// The window a dialog opened now belongs to: the active modal dialog, else the
// active window, else `fallback`. A dialog parented to it opens above it, also
// when that window stays on top.
QWidget *dialogOwner(QWidget *fallback = nullptr);

// Gives `dialog` the owner's stay-on-top hint, so that a window manager that
// does not raise a transient dialog above its stay-on-top owner still does.
void keepAboveOwner(QWidget *dialog);

// `text` with a line break wherever a line would be wider than `width` pixels
// in `font` (at a word boundary where there is one). Existing breaks stay.
QString wrapToWidth(const QString &text, const QFont &font, int width, QPaintDevice *device = nullptr);

// The only code in the program that shows a QMessageBox. Each call builds one
// application-modal box, parented to the window that asked (dialogOwner()),
// centred on its screen, and destroys it on return.
class QtMessageService : public MessageService {
public:
    // The window that owns the boxes while no window of the program is active
    // (during start-up, for instance); not owned.
    void setOwner(QWidget *owner) { m_owner = owner; }

    unsigned short ShowMessageDialog(const QString &text, MessageKind kind, MessageButtons buttons,
                                     int helpContext = 0) override;
    void ShowErrorReport(const QString &failure) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace accrua::desktop
