// A date field: the date as text in the locale's short date format, typed
// whole like any other field, with a calendar to pick from. Entering it by
// keyboard or from the program selects the whole text, so a typed date
// replaces the old one wherever the caret was; the text is read when the
// field is left (or commit() is called). A text that names no date stays in
// the field and goes to the owner through dateRefused; date() keeps the last
// date taken.
#pragma once

#include "text/locale.h"

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QMenu;
class QToolButton;

namespace accrua::desktop {

class DateField : public QWidget {
    Q_OBJECT

public:
    DateField(const text::Locale &locale, QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    // Shows the date; dateChanged follows when it differs from the one shown.
    void setDate(const QDate &date);
    QString displayFormat() const { return m_locale.shortDateFormat(); }
    bool calendarPopup() const { return true; }
    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *calendarButton() const { return m_button; }

    // Reads the typed text now: true when it names a date (taken, and
    // dateChanged sent if it differs), false when it was refused.
    bool commit();
    // Gives the field the focus with its whole text selected.
    void enter();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void dateChanged(const QDate &date);
    void dateRefused(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCalendar();

    text::Locale m_locale;
    QDate m_date;
    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
    QMenu *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
};

} // namespace accrua::desktop
