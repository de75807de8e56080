#include "app/application.h"
#include "desktop/messagebox.h"
#include "interact.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <stdexcept>

using namespace accrua::app;
using namespace accrua::desktop;

namespace {

enum class Action { Enter, Escape, Close, Reject };

// What the box looked like when it came up.
struct Seen {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList labels;
    Qt::TextFormat format = Qt::AutoText;
    Qt::WindowModality modality = Qt::NonModal;
};

QStringList labelsLeftToRight(QMessageBox *box)
{
    QList<QAbstractButton *> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [](QAbstractButton *a, QAbstractButton *b) {
        return a->mapToGlobal(QPoint(0, 0)).x() < b->mapToGlobal(QPoint(0, 0)).x();
    });
    QStringList labels;
    for (QAbstractButton *button : buttons)
        labels << button->text();
    return labels;
}

// Waits until a modal box is up, then hands it to `use`.
void whenBoxShown(std::function<void(QMessageBox *)> use)
{
    accrua::testsupport::whenModal<QMessageBox>(qApp, std::move(use), 200);
}

void act(QMessageBox *box, Action action)
{
    switch (action) {
    case Action::Enter:
        QTest::keyClick(box, Qt::Key_Return);
        break;
    case Action::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    case Action::Close:
        box->close();
        break;
    case Action::Reject:
        box->reject();
        break;
    }
}

Seen look(QMessageBox *box)
{
    return {box->windowTitle(),     box->text(),       box->icon(),
            labelsLeftToRight(box), box->textFormat(), box->windowModality()};
}

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(MessageKind)
Q_DECLARE_METATYPE(MessageButtons)

class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void helpKeepsTheBoxOpen();
    void errorReport();
    void boxBelongsToTheWindowThatAsked_data();
    void boxBelongsToTheWindowThatAsked();
    void longLinesWrapAtHalfTheScreen_data();
    void longLinesWrapAtHalfTheScreen();
    void noDisplayNameIsAppendedToCaptions();
    void exceptionsInHandlersAreReported();
    void workerThreadFailuresReachTheUiThread();
};

void TestMessageBox::answers_data()
{
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("labels");

    const MessageButtons yesNo = MessageButton::No | MessageButton::Yes;
    const QStringList yesNoLabels{"&Yes", "&No"};
    QTest::newRow("yes/no enter") << MessageKind::Warning << yesNo << Action::Enter << 6 << "Warning"
                                  << int(QMessageBox::Warning) << yesNoLabels;
    QTest::newRow("yes/no escape") << MessageKind::Warning << yesNo << Action::Escape << 7 << "Warning"
                                   << int(QMessageBox::Warning) << yesNoLabels;
    QTest::newRow("yes/no close") << MessageKind::Warning << yesNo << Action::Close << 2 << "Warning"
                                  << int(QMessageBox::Warning) << yesNoLabels;
    QTest::newRow("yes/no reject") << MessageKind::Confirmation << yesNo << Action::Reject << 2 << "Confirm"
                                   << int(QMessageBox::Question) << yesNoLabels;
    const MessageButtons ok = MessageButton::OK;
    QTest::newRow("ok enter") << MessageKind::Information << ok << Action::Enter << 1 << "Information"
                              << int(QMessageBox::Information) << QStringList{"OK"};
    QTest::newRow("ok escape") << MessageKind::Error << ok << Action::Escape << 1 << "Error"
                               << int(QMessageBox::Critical) << QStringList{"OK"};
    QTest::newRow("ok close") << MessageKind::Plain << ok << Action::Close << 2 << "Accrua"
                              << int(QMessageBox::NoIcon) << QStringList{"OK"};
    const MessageButtons many = MessageButton::Help | MessageButton::YesToAll | MessageButton::Cancel |
                                MessageButton::NoToAll | MessageButton::Abort | MessageButton::Retry |
                                MessageButton::Ignore | MessageButton::All;
    const QStringList manyLabels{"Cancel", "&Abort",     "&Retry",      "&Ignore",
                                 "&All",   "N&o to All", "Yes to &All", "&Help"};
    QTest::newRow("many enter") << MessageKind::Warning << many << Action::Enter << 4 << "Warning"
                                << int(QMessageBox::Warning) << manyLabels;
    QTest::newRow("many escape") << MessageKind::Warning << many << Action::Escape << 2 << "Warning"
                                 << int(QMessageBox::Warning) << manyLabels;
    // No cancel button among them: Escape acts as the close box.
    const MessageButtons abortRetry = MessageButton::Abort | MessageButton::Retry;
    QTest::newRow("abort/retry escape") << MessageKind::Error << abortRetry << Action::Escape << 2 << "Error"
                                        << int(QMessageBox::Critical) << QStringList{"&Abort", "&Retry"};
}

void TestMessageBox::answers()
{
    QFETCH(MessageKind, kind);
    QFETCH(MessageButtons, buttons);
    QFETCH(Action, action);
    QFETCH(int, code);
    QFETCH(QString, caption);
    QFETCH(int, icon);
    QFETCH(QStringList, labels);

    const QString text = QStringLiteral("\"12A\" is not a valid value!\n<b>second line</b>");
    Seen seen;
    whenBoxShown([&](QMessageBox *box) {
        seen = look(box);
        act(box, action);
    });
    QtMessageService service;
    const unsigned short answer = service.ShowMessageDialog(text, kind, buttons);

    QCOMPARE(int(answer), code);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.labels, labels);
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
}

void TestMessageBox::helpKeepsTheBoxOpen()
{
    bool openAfterHelp = false;
    whenBoxShown([&](QMessageBox *box) {
        QAbstractButton *help = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == QLatin1String("&Help"))
                help = button;
        }
        QVERIFY(help);
        help->click();
        QPointer<QMessageBox> guard(box);
        QTimer::singleShot(20, qApp, [guard, &openAfterHelp] {
            openAfterHelp = guard && guard->isVisible();
            if (guard)
                QTest::keyClick(guard, Qt::Key_Return);
        });
    });
    QtMessageService service;
    const unsigned short answer = service.ShowMessageDialog(QStringLiteral("Help?"), MessageKind::Information,
                                                            MessageButton::OK | MessageButton::Help);
    QVERIFY(openAfterHelp);
    QCOMPARE(int(answer), int(mrOk));
}

void TestMessageBox::errorReport()
{
    Seen seen;
    whenBoxShown([&](QMessageBox *box) {
        seen = look(box);
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtMessageService().ShowErrorReport(QStringLiteral("Division by zero"));
    QCOMPARE(seen.caption, QStringLiteral("Accrua"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.text, QStringLiteral("Division by zero."));
    QCOMPARE(seen.labels, QStringList{"OK"});
}

void TestMessageBox::boxBelongsToTheWindowThatAsked_data()
{
    QTest::addColumn<bool>("stayOnTop");
    QTest::addColumn<bool>("active"); // else only known to the service as its owner
    QTest::newRow("normal, active") << false << true;
    QTest::newRow("stay on top, active") << true << true;
    QTest::newRow("stay on top, owner only") << true << false;
}

void TestMessageBox::boxBelongsToTheWindowThatAsked()
{
    QFETCH(bool, stayOnTop);
    QFETCH(bool, active);
    QMainWindow window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    window.show();
    if (active) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QtMessageService service;
    if (!active)
        service.setOwner(&window);

    QWidget *parent = nullptr;
    Qt::WindowFlags flags;
    QWindow *transientParent = nullptr;
    whenBoxShown([&](QMessageBox *box) {
        parent = box->parentWidget();
        flags = box->windowFlags();
        transientParent = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
        QTest::keyClick(box, Qt::Key_Return);
    });
    service.ShowMessageDialog(QStringLiteral("x"), MessageKind::Warning, MessageButton::OK);
    QCOMPARE(parent, &window);
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QCOMPARE(flags.testFlag(Qt::WindowStaysOnTopHint), stayOnTop);
    QCOMPARE(transientParent, window.windowHandle());
}

void TestMessageBox::longLinesWrapAtHalfTheScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    const QString sentence = QStringLiteral("The amount is too large to calculate with. ");
    QTest::newRow("short") << QStringLiteral("\"12A\" is not a valid value!") << 1;
    QTest::newRow("own break kept") << QStringLiteral("first line,\nthe number of months must be 0!") << 2;
    QTest::newRow("long sentence") << sentence.repeated(12) << -1;
    QTest::newRow("long word") << QLatin1Char('"') + QString(300, u'9') + QStringLiteral("\" is not valid!")
                               << -1;
}

void TestMessageBox::longLinesWrapAtHalfTheScreen()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    QStringList shownLines;
    int labelWidth = 0;
    qreal widest = 0;
    whenBoxShown([&](QMessageBox *box) {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        shownLines = label->text().split(u'\n');
        labelWidth = label->width();
        const QFontMetricsF metrics(label->font(), label);
        for (const QString &line : shownLines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtMessageService().ShowMessageDialog(text, MessageKind::Warning, MessageButton::OK);
    const int half = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    QVERIFY2(widest <= half, qPrintable(QString::number(widest)));
    QVERIFY2(labelWidth >= widest, qPrintable(QStringLiteral("%1 < %2").arg(labelWidth).arg(widest)));
    if (lines > 0)
        QCOMPARE(shownLines.size(), lines);
    else
        QVERIFY(shownLines.size() > 1);
    // Only blanks and breaks differ from the message.
    const auto bare = [](QString s) { return s.remove(u' ').remove(u'\n'); };
    QCOMPARE(bare(shownLines.join(u'\n')), bare(text));
}

void TestMessageBox::noDisplayNameIsAppendedToCaptions()
{
    // The platform appends a display name, once set, to every caption; the
    // display name falls back to the application name only while unset.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    const QString display = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    QCOMPARE(display, QStringLiteral("probe"));
    QCOMPARE(name, QStringLiteral("Accrua"));
}

namespace {

class ThrowingObject : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw 42;
        return QObject::event(event);
    }
};

} // namespace

void TestMessageBox::exceptionsInHandlersAreReported()
{
    auto *app = qobject_cast<Application *>(qApp);
    QVERIFY(app);
    ScriptedMessageService service;
    app->setMessageService(&service);

    QObject context;
    ThrowingObject thrower;
    bool ranAfter = false;
    QTimer::singleShot(0, &context, [] { throw std::runtime_error("Division by zero"); });
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTimer::singleShot(5, &context, [&ranAfter] { ranAfter = true; });
    QTRY_VERIFY(ranAfter);
    app->setMessageService(nullptr);

    QCOMPARE(service.shown().size(), size_t(2));
    QVERIFY(service.shown()[0].errorReport);
    QCOMPARE(service.shown()[0].text, QStringLiteral("Division by zero."));
    QCOMPARE(service.shown()[1].text, QStringLiteral("Unknown error."));
}

void TestMessageBox::workerThreadFailuresReachTheUiThread()
{
    auto *app = qobject_cast<Application *>(qApp);
    QVERIFY(app);
    ScriptedMessageService service;
    app->setMessageService(&service);

    QThread worker;
    auto *thrower = new ThrowingObject;
    thrower->moveToThread(&worker);
    connect(&worker, &QThread::finished, thrower, &QObject::deleteLater);
    worker.start();
    QCoreApplication::postEvent(thrower, new QEvent(QEvent::User));
    QTRY_COMPARE(service.shown().size(), size_t(1));
    worker.quit();
    QVERIFY(worker.wait(5000));
    app->setMessageService(nullptr);

    QVERIFY(service.shown()[0].errorReport);
    QCOMPARE(service.shown()[0].text, QStringLiteral("Unknown error."));
}

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestMessageBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_messagebox.moc"
