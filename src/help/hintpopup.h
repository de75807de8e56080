// Context help in a form: each control may carry a help context number and a
// help text; a request for help on a control (the caption's "?" button or
// Shift+F1 followed by a click, or F1 on the focused control) reaches the
// form's handler as command 8 with the context of the control or of its
// nearest enclosing control that has one. The form hands the request to its
// TZtHelpHint, which finds the first windowed control with that context and
// shows its text in a TForm_Hint popup beside the pointer.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

class QFrame;
class QLabel;

namespace accrua::help {

// The help command of a context popup request; the only one served.
inline constexpr unsigned short kHelpContextPopup = 8;

void setHelpContext(QWidget *control, int context);
int helpContext(const QWidget *control);
void setHelpText(QWidget *control, const QString &text);
QString helpText(const QWidget *control);

// The context of `control` or of its nearest enclosing control inside `form`
// that has a non-zero one; 0 when none has.
int requestContext(const QWidget *control, const QWidget *form);

// The first control of `form`, in creation order, that could hold the focus
// (labels and the picture-like speed buttons cannot) and carries `context`.
QWidget *findHelpControl(const QWidget *form, int context);

// Turns the three ways of asking for context help in `form` into calls of
// `handler` with command 8, the context number and where to show the answer
// (screen coordinates). Requests on controls without a context are dropped.
class ContextHelpRequests : public QObject {
public:
    using Handler = std::function<void(unsigned short command, int context, QPoint globalPos)>;

    ContextHelpRequests(QWidget *form, Handler handler);

    // F1 on the focused control.
    void requestForFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);

    QWidget *m_form;
    Handler m_handler;
};

// The borderless popup: a rounded tooltip-coloured box with a one-pixel black
// outline. It releases itself when it closes, which a click on its text or
// any click outside it does.
class TForm_Hint : public QWidget {
    Q_OBJECT

public:
    explicit TForm_Hint(QWidget *owner);

    // The owning form's rectangle and the pointer, both screen coordinates.
    void setPlace(const QRect &form, QPoint cursor);
    void setHintText(const QString &text) { m_hintText = text; }

    // The box as placed, relative to the owning form.
    QRect box() const { return m_box; }

    QFrame *Panel_Hint = nullptr;
    QLabel *Label_Hint = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void Label_HintClick();

    QRect m_form;
    QPoint m_cursor;
    QString m_hintText;
    QRect m_box;
};

class TZtHelpHint : public QObject {
    Q_OBJECT
    Q_PROPERTY(QWidget *Form MEMBER Form)
    Q_PROPERTY(unsigned short Command MEMBER Command)
    Q_PROPERTY(int Data MEMBER Data)

public:
    explicit TZtHelpHint(QObject *owner = nullptr) : QObject(owner) {}

    QWidget *Form = nullptr;
    unsigned short Command = 0;
    qint32 Data = 0;

    // Where the popup opens, screen coordinates; none: at the mouse pointer.
    void setPosition(std::optional<QPoint> position) { m_position = position; }

    void Execute();

    // The popup the last Execute opened, while it is open.
    TForm_Hint *popup() const { return m_popup; }

private:
    std::optional<QPoint> m_position;
    QPointer<TForm_Hint> m_popup;
};

} // namespace accrua::help
