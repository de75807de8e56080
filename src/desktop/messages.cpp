#include "desktop/messages.h"

#include <QCoreApplication>

#include <array>

namespace accrua::desktop {

namespace {

struct ButtonInfo {
    MessageButton button;
    const char *label;
    unsigned short code;
};

// Left-to-right order of the buttons in every box.
constexpr std::array<ButtonInfo, 11> kButtons{{
    {MessageButton::Yes, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&Yes"), mrYes},
    {MessageButton::No, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&No"), mrNo},
    {MessageButton::OK, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "OK"), mrOk},
    {MessageButton::Cancel, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "Cancel"), mrCancel},
    {MessageButton::Abort, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&Abort"), mrAbort},
    {MessageButton::Retry, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&Retry"), mrRetry},
    {MessageButton::Ignore, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&Ignore"), mrIgnore},
    {MessageButton::All, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&All"), mrAll},
    {MessageButton::NoToAll, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "N&o to All"), mrNoToAll},
    {MessageButton::YesToAll, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "Yes to &All"), mrYesToAll},
    {MessageButton::Help, QT_TRANSLATE_NOOP("accrua::desktop::MessageBox", "&Help"), mrNone},
}};

const ButtonInfo *infoFor(MessageButton button)
{
    for (const ButtonInfo &info : kButtons) {
        if (info.button == button)
            return &info;
    }
    return nullptr;
}

} // namespace

QString captionFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QCoreApplication::translate("accrua::desktop::MessageBox", "Warning");
    case MessageKind::Error:
        return QCoreApplication::translate("accrua::desktop::MessageBox", "Error");
    case MessageKind::Information:
        return QCoreApplication::translate("accrua::desktop::MessageBox", "Information");
    case MessageKind::Confirmation:
        return QCoreApplication::translate("accrua::desktop::MessageBox", "Confirm");
    case MessageKind::Plain:
        break;
    }
    return QStringLiteral("Accrua");
}

QString kindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("warning");
    case MessageKind::Error:
        return QStringLiteral("error");
    case MessageKind::Information:
        return QStringLiteral("information");
    case MessageKind::Confirmation:
        return QStringLiteral("confirmation");
    case MessageKind::Plain:
        break;
    }
    return QStringLiteral("plain");
}

QString buttonLabel(MessageButton button)
{
    const ButtonInfo *info = infoFor(button);
    return info ? QCoreApplication::translate("accrua::desktop::MessageBox", info->label) : QString();
}

unsigned short buttonCode(MessageButton button)
{
    const ButtonInfo *info = infoFor(button);
    return info ? info->code : static_cast<unsigned short>(mrNone);
}

std::vector<MessageButton> orderedButtons(MessageButtons buttons)
{
    std::vector<MessageButton> result;
    for (const ButtonInfo &info : kButtons) {
        if (buttons.testFlag(info.button))
            result.push_back(info.button);
    }
    return result;
}

MessageButton defaultButton(MessageButtons buttons)
{
    for (MessageButton candidate : {MessageButton::OK, MessageButton::Yes, MessageButton::Retry}) {
        if (buttons.testFlag(candidate))
            return candidate;
    }
    // None of the three: Enter presses the first button that closes the box.
    for (MessageButton button : orderedButtons(buttons)) {
        if (button != MessageButton::Help)
            return button;
    }
    return MessageButton::OK;
}

MessageButton cancelButton(MessageButtons buttons)
{
    for (MessageButton candidate : {MessageButton::Cancel, MessageButton::No, MessageButton::OK}) {
        if (buttons.testFlag(candidate))
            return candidate;
    }
    // None of the three: Escape closes the box as its close box does, with code 2.
    return MessageButton::Cancel;
}

QString errorReportText(const QString &failure)
{
    if (!failure.isEmpty() && failure.back() > u'.')
        return failure + QLatin1Char('.');
    return failure;
}

unsigned short ScriptedMessageService::ShowMessageDialog(const QString &text, MessageKind kind,
                                                         MessageButtons buttons, int helpContext)
{
    Q_UNUSED(helpContext);
    Shown shown{text, kind, buttons, mrNone, false};
    if (!m_answers.empty()) {
        shown.answer = m_answers.front();
        m_answers.erase(m_answers.begin());
    } else if (m_default) {
        shown.answer = m_default(shown);
    } else {
        shown.answer = buttonCode(defaultButton(buttons));
    }
    m_shown.push_back(shown);
    return shown.answer;
}

void ScriptedMessageService::ShowErrorReport(const QString &failure)
{
    m_shown.push_back(Shown{errorReportText(failure), MessageKind::Error, MessageButton::OK, mrOk, true});
}

} // namespace accrua::desktop
