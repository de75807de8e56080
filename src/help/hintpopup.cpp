#include "help/hintpopup.h"

#include "help/hint.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QTextLayout>
#include <QToolButton>
#include <QWhatsThis>

namespace accrua::help {

namespace {

const char *const kContextProperty = "helpContext";
const char *const kTextProperty = "helpText";

// Corner ellipses of the box are 20 by 20 pixels.
constexpr qreal kCornerRadius = 10.0;
constexpr int kPanelBorder = 3;

QRegion roundedRegion(const QRect &rect)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(rect), kCornerRadius, kCornerRadius);
    return QRegion(path.toFillPolygon().toPolygon());
}

// Lines the text takes when word-wrapped at `width` pixels.
int wrappedLineCount(const QString &text, const QFont &font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

} // namespace

void setHelpContext(QWidget *control, int context)
{
    control->setProperty(kContextProperty, context);
}

int helpContext(const QWidget *control)
{
    return control->property(kContextProperty).toInt();
}

void setHelpText(QWidget *control, const QString &text)
{
    control->setProperty(kTextProperty, text);
}

QString helpText(const QWidget *control)
{
    return control->property(kTextProperty).toString();
}

int requestContext(const QWidget *control, const QWidget *form)
{
    for (const QWidget *w = control; w; w = w->parentWidget()) {
        if (const int context = helpContext(w); context != 0)
            return context;
        if (w == form)
            break;
    }
    return 0;
}

QWidget *findHelpControl(const QWidget *form, int context)
{
    const QList<QWidget *> controls = form->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        // Labels and speed buttons are drawn on their parent and never take
        // the focus: they are not searched, whatever number they carry.
        if (qobject_cast<QLabel *>(control) || qobject_cast<QToolButton *>(control))
            continue;
        if (helpContext(control) == context)
            return control;
    }
    return nullptr;
}

// ---- requests ----

ContextHelpRequests::ContextHelpRequests(QWidget *form, Handler handler)
    : QObject(form), m_form(form), m_handler(std::move(handler))
{
    watch(form);
    auto *whatsThis = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), form);
    connect(whatsThis, &QShortcut::activated, this, [] { QWhatsThis::enterWhatsThisMode(); });
    auto *focusHelp = new QShortcut(QKeySequence(Qt::Key_F1), form);
    connect(focusHelp, &QShortcut::activated, this, &ContextHelpRequests::requestForFocus);
}

void ContextHelpRequests::watch(QWidget *widget)
{
    widget->installEventFilter(this);
    const QList<QWidget *> children = widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        watch(child);
}

void ContextHelpRequests::requestForFocus()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !(focus == m_form || m_form->isAncestorOf(focus)))
        return;
    if (const int context = requestContext(focus, m_form); context > 0) {
        // Just below the control, so that the answer does not hide it.
        m_handler(kHelpContextPopup, context, focus->mapToGlobal(QPoint(0, focus->height())));
    }
}

bool ContextHelpRequests::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            watch(child);
        break;
    case QEvent::QueryWhatsThis: {
        // The What's This pointer shows where an answer is to be had.
        auto *widget = qobject_cast<QWidget *>(watched);
        event->setAccepted(widget && requestContext(widget, m_form) > 0);
        return true;
    }
    case QEvent::WhatsThis: {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget)
            break;
        // Answered here or dropped: never Qt's own balloon, and the click that
        // asked ends the What's This mode either way.
        event->accept();
        QWhatsThis::leaveWhatsThisMode();
        if (const int context = requestContext(widget, m_form); context > 0)
            m_handler(kHelpContextPopup, context, static_cast<QHelpEvent *>(event)->globalPos());
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---- TZtHelpHint ----

void TZtHelpHint::Execute()
{
    if (!Form || Command != kHelpContextPopup)
        return;
    QString text;
    if (Data > 0) {
        if (const QWidget *control = findHelpControl(Form, Data))
            text = helpText(control);
    }
    if (text.isEmpty())
        return;
    const QPoint cursor = m_position.value_or(QCursor::pos());
    auto *hint = new TForm_Hint(Form);
    hint->setPlace(Form->frameGeometry(), cursor);
    hint->setHintText(text);
    hint->show();
    m_popup = hint;
}

// ---- TForm_Hint ----

TForm_Hint::TForm_Hint(QWidget *owner) : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm_Hint"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont hintFont = font();
    hintFont.setPointSize(8);
    setFont(hintFont);

    Panel_Hint = new QFrame(this);
    Panel_Hint->setObjectName(QStringLiteral("Panel_Hint"));
    Panel_Hint->setAutoFillBackground(true);
    Panel_Hint->setBackgroundRole(QPalette::ToolTipBase);

    Label_Hint = new QLabel(Panel_Hint);
    Label_Hint->setObjectName(QStringLiteral("Label_Hint"));
    Label_Hint->setWordWrap(true);
    Label_Hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_Hint->setForegroundRole(QPalette::ToolTipText);
    Label_Hint->installEventFilter(this);
}

void TForm_Hint::setPlace(const QRect &form, QPoint cursor)
{
    m_form = form;
    m_cursor = cursor;
}

void TForm_Hint::showEvent(QShowEvent *event)
{
    FormShow();
    QWidget::showEvent(event);
}

void TForm_Hint::FormShow()
{
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(m_hintText);
    // Counted at the width the label shows it, so the lines counted are the
    // lines drawn.
    const int lines = textWidth > kHintWrapWidth
                          ? wrappedLineCount(m_hintText, font(), kHintWrapWidth - 2 * kPanelBorder)
                          : 1;
    m_box = hintBoxGeometry(textWidth, lines, m_cursor, m_form);
    setGeometry(QRect(m_form.topLeft() + m_box.topLeft(), m_box.size()));
    const QRect local(QPoint(0, 0), m_box.size());
    setMask(roundedRegion(local));
    Panel_Hint->setGeometry(local);
    // One pixel of the black form shows around the box.
    Panel_Hint->setMask(roundedRegion(local.adjusted(1, 1, -1, -1)));
    Label_Hint->setGeometry(local.adjusted(kPanelBorder, kPanelBorder, -kPanelBorder, -kPanelBorder));
    // One line sits in the middle, clear of the rounded corners.
    Label_Hint->setAlignment(lines > 1 || textWidth > kHintWrapWidth ? Qt::AlignLeft | Qt::AlignTop
                                                                     : Qt::AlignCenter);
    Label_Hint->setText(m_hintText);
}

void TForm_Hint::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void TForm_Hint::keyPressEvent(QKeyEvent *)
{
    // A key goes to the popup while it is up; the user has moved on.
    close();
}

bool TForm_Hint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label_Hint && event->type() == QEvent::MouseButtonPress) {
        Label_HintClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_Hint::Label_HintClick()
{
    close();
}

} // namespace accrua::help
