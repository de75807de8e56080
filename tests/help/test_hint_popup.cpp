#include "help/hintpopup.h"

#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace accrua::help;

namespace {

// A form with what the search has to tell apart: two edits sharing one
// number, a label and an edit inside a group box that has a number, a
// control with a number but no text, a control with none, and a label and a
// speed button carrying a number that only they have.
struct Form {
    QWidget window;
    QLineEdit *first = nullptr;
    QLineEdit *second = nullptr;
    QGroupBox *box = nullptr;
    QLabel *boxLabel = nullptr;
    QLineEdit *silent = nullptr;
    QPushButton *plain = nullptr;
    QLabel *numberedLabel = nullptr;
    QToolButton *speedButton = nullptr;
    TZtHelpHint *hint = nullptr;
    int lastContext = -1;

    Form()
    {
        window.setGeometry(100, 100, 500, 300);
        first = new QLineEdit(&window);
        first->setGeometry(10, 10, 100, 24);
        setHelpContext(first, 5);
        setHelpText(first, QStringLiteral("First of two"));
        second = new QLineEdit(&window);
        second->setGeometry(10, 40, 100, 24);
        setHelpContext(second, 5);
        setHelpText(second, QStringLiteral("Second of two"));
        box = new QGroupBox(QStringLiteral("Box"), &window);
        box->setGeometry(150, 10, 200, 100);
        setHelpContext(box, 9);
        setHelpText(box, QStringLiteral("About the box"));
        boxLabel = new QLabel(QStringLiteral("Inside:"), box);
        boxLabel->setGeometry(10, 30, 60, 20);
        silent = new QLineEdit(&window);
        silent->setGeometry(10, 70, 100, 24);
        setHelpContext(silent, 3);
        plain = new QPushButton(QStringLiteral("Plain"), &window);
        plain->setGeometry(10, 100, 100, 24);
        numberedLabel = new QLabel(QStringLiteral("Label"), &window);
        numberedLabel->setGeometry(10, 130, 100, 20);
        setHelpContext(numberedLabel, 12);
        setHelpText(numberedLabel, QStringLiteral("Labels answer nothing"));
        speedButton = new QToolButton(&window);
        speedButton->setGeometry(120, 130, 24, 24);
        setHelpContext(speedButton, 13);
        setHelpText(speedButton, QStringLiteral("Speed buttons answer nothing"));

        hint = new TZtHelpHint(&window);
        new ContextHelpRequests(&window, [this](unsigned short command, int context, QPoint position) {
            lastContext = context;
            hint->Form = &window;
            hint->Command = command;
            hint->Data = context;
            hint->setPosition(position);
            hint->Execute();
        });
        window.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
    }

    // What What's This mode sends to the control clicked.
    void askAbout(QWidget *control)
    {
        const QPoint local(2, 2);
        QHelpEvent event(QEvent::WhatsThis, local, control->mapToGlobal(local));
        QApplication::sendEvent(control, &event);
    }
};

QString shownText(const TZtHelpHint *hint)
{
    return hint->popup() ? hint->popup()->Label_Hint->text() : QString();
}

} // namespace

class HintPopupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void requestShowsTheTextOfTheContext_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("text");
        QTest::newRow("control with a text") << "first" << 5 << "First of two";
        QTest::newRow("two with one number: the first wins") << "second" << 5 << "First of two";
        QTest::newRow("label inside a group box") << "boxLabel" << 9 << "About the box";
        QTest::newRow("control with a number, no text") << "silent" << 3 << "";
        QTest::newRow("no number anywhere up") << "plain" << -1 << "";
        QTest::newRow("labels are not searched") << "numberedLabel" << 12 << "";
        QTest::newRow("speed buttons are not searched") << "speedButton" << 13 << "";
    }

    void requestShowsTheTextOfTheContext()
    {
        QFETCH(QString, control);
        QFETCH(int, context);
        QFETCH(QString, text);
        Form form;
        const QHash<QString, QWidget *> controls{
            {"first", form.first},
            {"second", form.second},
            {"boxLabel", form.boxLabel},
            {"silent", form.silent},
            {"plain", form.plain},
            {"numberedLabel", form.numberedLabel},
            {"speedButton", form.speedButton},
        };
        form.askAbout(controls.value(control));
        QCOMPARE(form.lastContext, context);
        QCOMPARE(shownText(form.hint), text);
    }

    void popupSitsAtThePointerInsideTheForm()
    {
        Form form;
        form.hint->Form = &form.window;
        form.hint->Command = kHelpContextPopup;
        form.hint->Data = 9;
        const QRect frame = form.window.frameGeometry();
        // Near the bottom right corner: the box moves up and left to fit.
        form.hint->setPosition(frame.bottomRight() - QPoint(5, 5));
        form.hint->Execute();
        TForm_Hint *popup = form.hint->popup();
        QVERIFY(popup);
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->geometry().bottomRight(), frame.bottomRight());
        QCOMPARE(popup->geometry().size(), QSize(200, 23));
    }

    void otherCommandsShowNothing()
    {
        Form form;
        form.hint->Form = &form.window;
        form.hint->Command = 13;
        form.hint->Data = 5;
        form.hint->Execute();
        QVERIFY(!form.hint->popup());
    }

    void clickClosesOnlyOnTheText_data()
    {
        QTest::addColumn<bool>("onText");
        QTest::addColumn<bool>("closes");
        QTest::newRow("on the text") << true << true;
        QTest::newRow("on the margin") << false << false;
    }

    void clickClosesOnlyOnTheText()
    {
        QFETCH(bool, onText);
        QFETCH(bool, closes);
        Form form;
        form.askAbout(form.first);
        QPointer<TForm_Hint> popup = form.hint->popup();
        QVERIFY(popup);
        QTRY_VERIFY(popup->isVisible());
        if (onText)
            QTest::mouseClick(popup->Label_Hint, Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::mouseClick(popup->Panel_Hint, Qt::LeftButton, {},
                              QPoint(popup->Panel_Hint->width() / 2, 1));
        // A closed popup releases itself.
        if (closes)
            QTRY_VERIFY(!popup);
        else
            QVERIFY(popup && popup->isVisible());
    }

    void focusedControlAnswersF1()
    {
        Form form;
        form.window.activateWindow();
        form.second->setFocus();
        QTRY_VERIFY(form.second->hasFocus());
        QTest::keyClick(form.second, Qt::Key_F1);
        QCOMPARE(shownText(form.hint), QStringLiteral("First of two"));
    }
};

QTEST_MAIN(HintPopupTest)
#include "test_hint_popup.moc"
