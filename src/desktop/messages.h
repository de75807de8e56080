// How the program speaks to the user: one modal message box with a kind,
// a text and a set of buttons, returning the code of the button pressed, and
// the general error report for failures that no caller handles.
//
// Callers reach the box through the MessageService seam: the widgets adapter
// shows a real box, tests and the command line script the answers.
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace accrua::desktop {

enum class MessageKind { Warning, Error, Information, Confirmation, Plain };

enum class MessageButton : unsigned {
    Yes = 1u << 0,
    No = 1u << 1,
    OK = 1u << 2,
    Cancel = 1u << 3,
    Abort = 1u << 4,
    Retry = 1u << 5,
    Ignore = 1u << 6,
    All = 1u << 7,
    NoToAll = 1u << 8,
    YesToAll = 1u << 9,
    Help = 1u << 10,
};
Q_DECLARE_FLAGS(MessageButtons, MessageButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MessageButtons)

// Result codes of the buttons.
enum MessageResult : unsigned short {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

QString captionFor(MessageKind kind);            // "Warning", "Error", ..., "Accrua"
QString kindName(MessageKind kind);              // "warning", "error", "information", "confirmation", "plain"
QString buttonLabel(MessageButton button);       // "&Yes", "OK", ...
unsigned short buttonCode(MessageButton button); // 6, 1, ...; 0 for Help
// The buttons of a set in their fixed left-to-right order.
std::vector<MessageButton> orderedButtons(MessageButtons buttons);
// Enter presses the default button, Escape the cancel button. A set without
// OK, Yes or Retry defaults to its first button; one without Cancel, No or OK
// gives Cancel, meaning Escape acts as the close box (code 2).
MessageButton defaultButton(MessageButtons buttons); // OK, else Yes, else Retry
MessageButton cancelButton(MessageButtons buttons);  // Cancel, else No, else OK

// The text of the general error report: "." appended when the failure text
// ends in a character that sorts after ".".
QString errorReportText(const QString &failure);

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual unsigned short ShowMessageDialog(const QString &text, MessageKind kind, MessageButtons buttons,
                                             int helpContext = 0) = 0;
    // The general error report: caption "Accrua", stop icon, OK.
    virtual void ShowErrorReport(const QString &failure) = 0;
};

// A message service that shows nothing: it records every message and answers
// questions from a queue (or with a default). Used by tests and the CLI.
class ScriptedMessageService : public MessageService {
public:
    struct Shown {
        QString text;
        MessageKind kind;
        MessageButtons buttons;
        unsigned short answer;
        bool errorReport = false;
    };

    unsigned short ShowMessageDialog(const QString &text, MessageKind kind, MessageButtons buttons,
                                     int helpContext = 0) override;
    void ShowErrorReport(const QString &failure) override;

    // Answers used in order; when none is queued the default button's code.
    void queueAnswer(unsigned short code) { m_answers.push_back(code); }
    void setDefaultAnswer(std::function<unsigned short(const Shown &)> answer)
    {
        m_default = std::move(answer);
    }

    const std::vector<Shown> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::vector<unsigned short> m_answers;
    std::function<unsigned short(const Shown &)> m_default;
};

} // namespace accrua::desktop
