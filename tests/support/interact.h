// Driving real widgets offscreen: typing into a field as a user does, and
// answering a modal window once it is up. For QtTest programs.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace accrua::testsupport {

// Tabs into the field, selects what it holds and types over it.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Hands the active modal window to `use` once it is a visible T, looking
// every 10 ms while `scope` lives, `tries` times at most; gives up silently,
// so the test's own check on what `use` did is what fails.
template <typename T> void whenModal(QObject *scope, std::function<void(T *)> use, int tries = 300)
{
    QTimer::singleShot(10, scope, [scope, use = std::move(use), tries]() mutable {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget()); w && w->isVisible())
            use(w);
        else if (tries > 0)
            whenModal<T>(scope, std::move(use), tries - 1);
    });
}

} // namespace accrua::testsupport
