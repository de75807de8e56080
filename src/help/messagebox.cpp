#include "help/messagebox.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace accrua::help {

namespace {

QMessageBox::Icon iconFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

// QMessageBox answers its close box with the escape button and keeps itself
// open without one; here the close box always gives Cancel's code, Escape
// presses our cancel button.
class AccruaMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    void setCancelButton(QPushButton *button) { m_cancel = button; }
    bool closedWithoutButton() const { return m_closedWithoutButton; }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        m_closedWithoutButton = true;
        QDialog::closeEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            if (m_cancel) {
                m_cancel->click();
            } else {
                m_closedWithoutButton = true;
                reject();
            }
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

private:
    QPushButton *m_cancel = nullptr;
    bool m_closedWithoutButton = false;
};

} // namespace

unsigned short QtMessageService::ShowMessageDialog(const QString &text, MessageKind kind,
                                                   MessageButtons buttons, int helpContext)
{
    Q_UNUSED(helpContext);
    if (orderedButtons(buttons).empty())
        buttons = MessageButton::OK;

    AccruaMessageBox box;
    box.setWindowTitle(captionFor(kind));
    box.setIcon(iconFor(kind));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setWindowModality(Qt::ApplicationModal);

    const MessageButton enterButton = defaultButton(buttons);
    const MessageButton escapeButton = cancelButton(buttons);
    std::map<QAbstractButton *, unsigned short> codes;
    for (MessageButton button : orderedButtons(buttons)) {
        auto *push = new QPushButton(buttonLabel(button), &box);
        // One role for all keeps the buttons in our order whatever the platform's layout.
        box.addButton(push, QMessageBox::ActionRole);
        if (button == MessageButton::Help) {
            // Help must not close the box: cut it off from the box's click handling.
            // Its help topic is not wired yet, so the click does nothing for now.
            if (auto *buttonBox = box.findChild<QDialogButtonBox *>())
                QObject::disconnect(push, &QAbstractButton::clicked, buttonBox, nullptr);
        }
        codes[push] = buttonCode(button);
        if (button == enterButton)
            box.setDefaultButton(push);
        if (button == escapeButton)
            box.setCancelButton(push);
    }

    box.exec();
    if (box.closedWithoutButton())
        return mrCancel;
    const auto found = codes.find(box.clickedButton());
    return found == codes.end() ? static_cast<unsigned short>(mrCancel) : found->second;
}

void QtMessageService::ShowErrorReport(const QString &failure)
{
    QMessageBox box;
    box.setWindowTitle(captionFor(MessageKind::Plain));
    box.setIcon(QMessageBox::Critical);
    box.setTextFormat(Qt::PlainText);
    box.setText(errorReportText(failure));
    box.setWindowModality(Qt::ApplicationModal);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace accrua::help
