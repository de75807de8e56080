// The main window's Help menu, its splash at start and its about box.
#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "app/splash.h"
#include "help/helpwindows.h"
#include "interact.h"
#include "support.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace accrua;

namespace {

using accrua::testsupport::whenModal;

} // namespace

class MainWindowHelpTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    desktop::ScriptedMessageService m_messages;

    std::unique_ptr<app::TForm_Main> makeWindow(bool splash)
    {
        app::MainWindowServices services;
        services.messages = &m_messages;
        services.locale = accrua::testsupport::usDollars();
        services.settings = settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf")));
        services.desktop.askPrinter = [](QPrinter &, QWidget *) { return false; };
        services.desktop.openUrl = [](const QUrl &) {};
        services.showSplash = splash;
        services.splashInterval = 50;
        return std::make_unique<app::TForm_Main>(std::move(services));
    }

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Accrua")); }

    void helpItemOnlyWithTopics_data()
    {
        QTest::addColumn<bool>("withTopics");
        QTest::newRow("the main window's topic") << true;
        QTest::newRow("no topics") << false;
    }

    void helpItemOnlyWithTopics()
    {
        QFETCH(bool, withTopics);
        auto window = makeWindow(false);
        QCOMPARE(window->ZtHelpFiles->HelpFiles,
                 QStringList({QStringLiteral("HelpAccrua.html=Accrua Topics"),
                              QStringLiteral("HelpLoanPlanner.html=Loan Planner")}));
        if (!withTopics)
            window->ZtHelpFiles->HelpFiles.clear();
        window->MenuItem_HelpClick();
        QCOMPARE(window->MenuItem_Contents->isVisible(), withTopics);
        QCOMPARE(window->MenuItem_ContentsDivider->isVisible(), withTopics);
        QCOMPARE(window->MenuItem_Contents->text(), QStringLiteral("Accrua Help..."));
        QVERIFY(window->MenuItem_About->isVisible());
    }

    void contentsOpensTheTopicsBesideTheProgram()
    {
        auto window = makeWindow(false);
        window->show();
        QObject scope;
        QString caption;
        whenModal<help::TForm_HelpMenu>(&scope, [&caption](help::TForm_HelpMenu *menu) {
            caption = menu->windowTitle();
            menu->BitBtn_Display->click();
        });
        window->MenuItem_Contents->trigger();
        QCOMPARE(caption, QStringLiteral("Help Topics: Accrua Help"));
        help::TForm_HelpForm *form = window->ZtHelpFiles->helpForm();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->parentWidget(), window.get());
        QCOMPARE(form->TopicPath,
                 QCoreApplication::applicationDirPath() + QStringLiteral("/Help/HelpAccrua.html"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Accrua Help :  Accrua Topics"));
    }

    void splashOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("splash");
        QTest::newRow("program start") << true;
        QTest::newRow("scripted start") << false;
    }

    void splashOnlyWhenAsked()
    {
        QFETCH(bool, splash);
        auto window = makeWindow(splash);
        QObject scope;
        QString version;
        QRect picture;
        bool mainWindowShownMeanwhile = true;
        app::TForm_Main *w = window.get();
        whenModal<app::TForm_SplashScreen>(&scope, [&](app::TForm_SplashScreen *form) {
            version = form->Label_Version->text();
            picture = form->Image_Application->geometry();
            mainWindowShownMeanwhile = w->windowHandle() && w->windowHandle()->isExposed();
        });
        window->show();
        QVERIFY(window->isVisible());
        if (splash) {
            QCOMPARE(version, QStringLiteral("Version 5.1 "));
            QCOMPARE(picture, QRect(10, 70, 162, 140));
            QVERIFY(!mainWindowShownMeanwhile);
        } else {
            QVERIFY(version.isEmpty());
        }
        // Toggling Stay On Top shows the window again, never the splash.
        bool splashAgain = false;
        whenModal<app::TForm_SplashScreen>(&scope,
                                           [&splashAgain](app::TForm_SplashScreen *) { splashAgain = true; });
        window->MenuItem_StayOnTop->trigger();
        QTest::qWait(150);
        QVERIFY(!splashAgain);
    }

    void aboutBoxForTheMainWindow()
    {
        auto window = makeWindow(false);
        window->show();
        QObject scope;
        QString caption, version;
        QRect picture;
        QWidget *parent = nullptr;
        whenModal<app::TForm_AboutBox>(&scope, [&](app::TForm_AboutBox *box) {
            caption = box->windowTitle();
            version = box->Label_Version->text();
            picture = box->Image_Application->geometry();
            parent = box->parentWidget();
            box->BitBtn_OK->click();
        });
        window->MenuItem_About->trigger();
        QCOMPARE(caption, QStringLiteral("About Accrua"));
        QCOMPARE(version, QStringLiteral("Version 5.1 "));
        QCOMPARE(picture, QRect(10, 45, 162, 140));
        QCOMPARE(parent, window.get());
        QVERIFY(window->Image && window->Image->isHidden() && !window->Image->pixmap().isNull());
    }
};

QTEST_MAIN(MainWindowHelpTest)
#include "test_mainwindow_help.moc"
