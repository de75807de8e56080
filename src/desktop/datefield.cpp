#include "desktop/datefield.h"

#include "text/dates.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QWidgetAction>

namespace accrua::desktop {

DateField::DateField(const text::Locale &locale, QWidget *parent) : QWidget(parent), m_locale(locale)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("DateText"));
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("CalendarButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(tr("Calendar (Alt+Down)"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_edit, 1);
    row->addWidget(m_button);
    setFocusProxy(m_edit);
    // The text is the field to tab order, focus and screen readers: it goes by the field's name.
    connect(this, &QObject::objectNameChanged, m_edit,
            [this](const QString &name) { m_edit->setObjectName(name); });
    setFocusPolicy(Qt::StrongFocus);

    m_popup = new QMenu(this);
    m_calendar = new QCalendarWidget(m_popup);
    auto *holder = new QWidgetAction(m_popup);
    holder->setDefaultWidget(m_calendar);
    m_popup->addAction(holder);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &picked) {
        m_popup->close();
        setDate(picked);
        enter();
    });
    connect(m_button, &QToolButton::clicked, this, &DateField::showCalendar);
    m_edit->installEventFilter(this);
}

void DateField::setDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_edit->setText(date.toString(m_locale.shortDateFormat()));
    if (date == m_date)
        return;
    m_date = date;
    Q_EMIT dateChanged(m_date);
}

bool DateField::commit()
{
    const QString text = m_edit->text();
    if (text == m_date.toString(m_locale.shortDateFormat()))
        return true;
    if (const std::optional<QDate> typed = text::parseShortDate(text, m_locale)) {
        setDate(*typed);
        return true;
    }
    // The text stays for the user to mend, as a refused amount does; the
    // date stays the last one taken.
    Q_EMIT dateRefused(text);
    return false;
}

void DateField::enter()
{
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

void DateField::showCalendar()
{
    commit();
    m_calendar->setSelectedDate(m_date);
    m_popup->popup(mapToGlobal(QPoint(0, height())));
    m_calendar->setFocus(Qt::PopupFocusReason);
}

QSize DateField::sizeHint() const
{
    const QString widest = QDate(2000, 12, 28).toString(m_locale.shortDateFormat());
    const int text = m_edit->fontMetrics().horizontalAdvance(widest + QStringLiteral("00"));
    return {text + m_button->sizeHint().width() + 8, m_edit->sizeHint().height()};
}

QSize DateField::minimumSizeHint() const
{
    return sizeHint();
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        switch (event->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason)
                m_edit->selectAll();
            break;
        }
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                reason != Qt::MenuBarFocusReason)
                commit();
            break;
        }
        case QEvent::KeyPress: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_F4 ||
                ((key->modifiers() & Qt::AltModifier) && key->key() == Qt::Key_Down)) {
                showCalendar();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace accrua::desktop
