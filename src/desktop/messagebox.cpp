#include "desktop/messagebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTextLayout>

#include <cmath>
#include <map>

namespace accrua::desktop {

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
    AccruaMessageBox(const QString &caption, Icon icon, const QString &text, QWidget *owner)
        : QMessageBox(owner)
    {
        setWindowTitle(caption);
        setIcon(icon);
        setTextFormat(Qt::PlainText);
        setWindowModality(Qt::ApplicationModal);
        keepAboveOwner(this);
        setWrappedText(text);
    }

    void setCancelButton(QPushButton *button) { m_cancel = button; }
    bool closedWithoutButton() const { return m_closedWithoutButton; }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        // Centred on the screen, not on the owner.
        if (const QScreen *s = screen()) {
            QRect r = frameGeometry();
            r.moveCenter(s->availableGeometry().center());
            move(r.topLeft());
        }
    }

    void closeEvent(QCloseEvent *event) override
    {
        m_closedWithoutButton = true;
        // QMessageBox ignores the close box when no button answers Escape;
        // this box closes through it all the same.
        QDialog::closeEvent(event); // NOLINT(bugprone-parent-virtual-call)
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
    // Lines longer than half the screen's width are broken here, and the
    // label is kept at least as wide as the longest line, so that the box's
    // own narrower wrapping never applies.
    void setWrappedText(const QString &text)
    {
        auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (!label || !s) {
            setText(text);
            return;
        }
        ensurePolished();
        const QString wrapped = wrapToWidth(text, label->font(), s->availableGeometry().width() / 2, label);
        setText(wrapped);
        const QFontMetricsF metrics(label->font(), label);
        qreal widest = 0;
        for (const QString &line : wrapped.split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        label->setMinimumWidth(static_cast<int>(std::ceil(widest)) + 1);
    }

    QPushButton *m_cancel = nullptr;
    bool m_closedWithoutButton = false;
};

} // namespace

QWidget *dialogOwner(QWidget *fallback)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return fallback ? fallback->window() : nullptr;
}

void keepAboveOwner(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

QString wrapToWidth(const QString &text, const QFont &font, int width, QPaintDevice *device)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font, device);
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList pieces;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            pieces << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        // A break replaces the blanks it falls on; the paragraph's own end stays as it was.
        for (qsizetype k = 0; k + 1 < pieces.size(); ++k) {
            QString &piece = pieces[k];
            qsizetype end = piece.size();
            while (end > 0 && piece.at(end - 1) == u' ')
                --end;
            if (end > 0)
                piece.truncate(end);
        }
        lines << (pieces.isEmpty() ? QStringList{QString()} : pieces);
    }
    return lines.join(u'\n');
}

unsigned short QtMessageService::ShowMessageDialog(const QString &text, MessageKind kind,
                                                   MessageButtons buttons, int helpContext)
{
    Q_UNUSED(helpContext);
    if (orderedButtons(buttons).empty())
        buttons = MessageButton::OK;

    AccruaMessageBox box(captionFor(kind), iconFor(kind), text, dialogOwner(m_owner));

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
    AccruaMessageBox box(captionFor(MessageKind::Plain), QMessageBox::Critical, errorReportText(failure),
                         dialogOwner(m_owner));
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace accrua::desktop
