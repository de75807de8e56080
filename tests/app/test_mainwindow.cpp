// The main window driven as a user drives it: keys, focus changes, tabs and
// menus on real widgets (offscreen), messages answered through the seam.
#include "app/mainwindow.h"
#include "help/helpwindows.h"
#include "interact.h"
#include "settings/store.h"
#include "settings/values.h"
#include "support.h"

#include "desktop/datefield.h"
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

#include <sys/stat.h>

using namespace accrua;
using app::Field;
using app::TForm_Main;

using accrua::testsupport::typeInto;

namespace {

class CountingReports : public app::ReportCommands {
public:
    void printPreview() override { ++previews; }
    void print() override { ++prints; }
    void save() override { ++saves; }
    void open() override { ++opens; }
    int previews = 0, prints = 0, saves = 0, opens = 0;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    desktop::ScriptedMessageService m_messages;
    CountingReports m_reports;

    QString storePath() const { return m_dir.filePath(QStringLiteral("Accrua.conf")); }

    std::unique_ptr<TForm_Main> makeWindow(std::function<void()> openPlanner = {})
    {
        app::MainWindowServices services;
        services.openPlanner = std::move(openPlanner);
        services.messages = &m_messages;
        services.locale = testsupport::usDollars();
        services.settings = settings::FileSettingsFactory(storePath());
        services.reports = &m_reports;
        auto w = std::make_unique<TForm_Main>(std::move(services));
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
        return w;
    }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &s : m_messages.shown())
            texts << s.text;
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(storePath());
        m_messages.clear();
        m_reports = CountingReports();
    }

    void startState()
    {
        auto w = makeWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("Accrua"));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->PageControl->currentWidget(), w->TabSheet_Payment);
        QVERIFY(w->MenuItem_PaymentAmount->isChecked());
        QVERIFY(!w->MenuItem_PrintPreview->isEnabled());
        QVERIFY(!w->MenuItem_Print->isEnabled());
        QVERIFY(!w->ToolButton_PrintPreview->isEnabled());
        QVERIFY(!w->ToolButton_Print->isEnabled());
        QVERIFY(!w->ToolButton_Save->isEnabled());
        QVERIFY(w->ToolButton_Open->isEnabled());
        QVERIFY(w->ToolButton_Calculate->isEnabled());
        QVERIFY(w->BitBtn_Calculate->isEnabled());
        for (Field f : {Field::Principal, Field::TotalPayments, Field::TotalInterest, Field::DayPrincipal,
                        Field::SaveAmount, Field::PaymentAnswer})
            QCOMPARE(w->edit(f)->text(), QStringLiteral("0.00"));
        QCOMPARE(w->edit(Field::DailyRate)->text(), QStringLiteral("0.0"));
        QCOMPARE(w->MenuItem_PrintPreview->text(), QStringLiteral("P&rint Preview...        [F2]"));
        QVERIFY(!w->edit(Field::Payment)->isVisible());
        QVERIFY(w->RadioButton_Compounded[1]->isChecked()); // "Bi-Yearly"
        QCOMPARE(w->DateTimePicker_StartDate->date(), QDate(2003, 2, 12));
        QCOMPARE(w->DateTimePicker_StartDate->displayFormat(), QStringLiteral("M/d/yyyy"));
    }

    void plannerOpensFromToolsMenuKeyAndButton()
    {
        int opened = 0;
        auto w = makeWindow([&opened] { ++opened; });
        QVERIFY(w->MenuItem_Planner->isVisible());
        QCOMPARE(w->MenuItem_Planner->text(), QStringLiteral("Loan &Planner..."));
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
        w->ToolButton_Planner->trigger();
        QCOMPARE(opened, 2);
        QVERIFY(!makeWindow()->ToolButton_Planner->isVisible());
    }

    void enterInPrincipalNormalisesThenCalculates()
    {
        auto w = makeWindow();
        typeInto(w->edit(Field::Interest), QStringLiteral("6"));
        typeInto(w->edit(Field::Years), QStringLiteral("1"));
        typeInto(w->edit(Field::Principal), QStringLiteral("10000"));
        QTest::keyClick(w->edit(Field::Principal), Qt::Key_Return);
        QVERIFY(m_messages.shown().empty());
        QCOMPARE(w->edit(Field::Principal)->text(), QStringLiteral("10000.00"));
        QCOMPARE(w->edit(Field::TotalNumberPayments)->text(), QStringLiteral("12"));
        QCOMPARE(w->edit(Field::PaymentAnswer)->text(), QStringLiteral("860.67"));
        QVERIFY(w->ToolButton_PrintPreview->isEnabled());
        QVERIFY(w->MenuItem_Print->isEnabled());
    }

    void typedLettersBecomeUpperCase()
    {
        auto w = makeWindow();
        typeInto(w->edit(Field::Principal), QStringLiteral("12a"));
        QCOMPARE(w->edit(Field::Principal)->text(), QStringLiteral("12A"));
        QCOMPARE(w->model().text(Field::Principal), QStringLiteral("12A"));
    }

    void leaveMessageThenCalculateMessage_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("after");
        QTest::newRow("principal") << int(Field::Principal) << QStringLiteral("12a")
                                   << QStringList{QStringLiteral("\"12A\" is not a valid value!"),
                                                  QStringLiteral("\"12A\" is not a valid value!")}
                                   << QStringLiteral("12A");
        QTest::newRow("rate") << int(Field::Interest) << QStringLiteral("abc")
                              << QStringList{QStringLiteral("\"ABC\" is not a valid value!"),
                                             QStringLiteral(
                                                 "You must enter the interest rate in order to continue!")}
                              << QStringLiteral("0");
    }

    void leaveMessageThenCalculateMessage()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        auto w = makeWindow();
        if (Field(field) != Field::Principal)
            typeInto(w->edit(Field::Principal), QStringLiteral("100"));
        typeInto(w->edit(Field(field)), typed);
        QTest::keyClick(w->edit(Field(field)), Qt::Key_Enter);
        QCOMPARE(shownTexts(), messages);
        QCOMPARE(w->edit(Field(field))->text(), after);
        QCOMPARE(QApplication::focusWidget(), w->edit(Field(field)));
    }

    // Wherever the focus lands, typing replaces the text; Tab then takes it.
    void typingReplacesTheText_data()
    {
        QTest::addColumn<QString>("before"); // what put the focus there
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("messages");
        const auto row = [](const char *name, const char *before, const char *typed, const char *field,
                            const char *after, int messages) {
            QTest::newRow(name) << QString::fromLatin1(before) << QString::fromLatin1(typed)
                                << QString::fromLatin1(field) << QString::fromLatin1(after) << messages;
        };
        row("at start", "start", "2000", "MaskEdit_Principal", "2000.00", 0);
        row("after a refused amount", "refused", "2000", "MaskEdit_Principal", "2000.00", 1);
        row("after a Calculate warning", "calculate", "7", "MaskEdit_Interest", "7", 1);
        row("after a tab click", "tab click", "5", "MaskEdit_Principal", "5.00", 0);
        row("Tab", "tab", "7", "MaskEdit_Interest", "7", 0);
        row("date, Tab in", "date tab", "3/1/2025", "DateTimePicker_ReceiveDate", "3/1/2025", 0);
        row("date, Shift+Tab in", "date backtab", "3/1/2025", "DateTimePicker_ReceiveDate", "3/1/2025", 0);
        row("no such day", "date tab", "2/30/2025", "DateTimePicker_ReceiveDate", "2/30/2025", 1);
    }

    void typingReplacesTheText()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, after);
        QFETCH(int, messages);
        auto w = makeWindow();
        QLineEdit *principal = w->edit(Field::Principal);
        const bool date = before.startsWith(QLatin1String("date"));
        if (date) {
            w->MenuItem_DailyInterest->trigger();
            const bool tab = before == QLatin1String("date tab");
            QWidget *from = tab ? w->DateTimePicker_StartDate->lineEdit() : w->edit(Field::Days);
            from->setFocus(Qt::TabFocusReason);
            QTest::keyClick(from, tab ? Qt::Key_Tab : Qt::Key_Backtab,
                            tab ? Qt::NoModifier : Qt::ShiftModifier);
        } else if (before != QLatin1String("start")) {
            typeInto(principal, before == QLatin1String("refused") ? QStringLiteral("100000X")
                                                                   : QStringLiteral("100000"));
            if (before == QLatin1String("calculate"))
                QTest::keyClick(principal, Qt::Key_Return); // the rate is 0
            else if (before == QLatin1String("tab click"))
                QTest::mouseClick(w->PageControl->tabBar(), Qt::LeftButton, {},
                                  w->PageControl->tabBar()->tabRect(1).center());
            else
                QTest::keyClick(principal, Qt::Key_Tab);
        }
        QCoreApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QCOMPARE(QApplication::focusWidget()->objectName(), field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(w->findChild<QLineEdit *>(field)->text(), after);
        QCOMPARE(int(m_messages.shown().size()), messages);
        // A date taken counts the days anew.
        QCOMPARE(w->edit(Field::Days)->text() != QLatin1String("0"), date && !messages);
    }

    void openingAMenuIsNoLeavingOfTheField()
    {
        auto w = makeWindow();
        typeInto(w->edit(Field::Principal), QStringLiteral("100"));
        for (Qt::FocusReason reason :
             {Qt::MenuBarFocusReason, Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
            QFocusEvent out(QEvent::FocusOut, reason);
            QApplication::sendEvent(w->edit(Field::Principal), &out);
            QCOMPARE(w->edit(Field::Principal)->text(), QStringLiteral("100"));
        }
        QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w->edit(Field::Principal), &tab);
        QCOMPARE(w->edit(Field::Principal)->text(), QStringLiteral("100.00"));
    }

    void tabClickVersusMenuChoice()
    {
        auto w = makeWindow();
        w->model().EnableReportCommands();
        QTabBar *tabs = w->PageControl->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(w->MenuItem_NumberofPayments->isChecked());
        QCOMPARE(w->PageControl->currentWidget(), w->TabSheet_NumberOfPayments);
        QVERIFY(w->edit(Field::Payment)->isVisible());
        QVERIFY(!w->edit(Field::Years)->isVisible());
        QVERIFY(!w->edit(Field::Months)->isVisible());
        QCOMPARE(w->GroupBox_EnterValues->parentWidget(), w->TabSheet_NumberOfPayments);
        QCOMPARE(w->GroupBox_Totals->parentWidget(), w->TabSheet_NumberOfPayments);
        QVERIFY(!w->ToolButton_PrintPreview->isEnabled());

        w->model().EnableReportCommands();
        w->MenuItem_Amortization->trigger();
        QCOMPARE(w->PageControl->currentWidget(), w->TabSheet_Amortization);
        QCOMPARE(w->edit(Field::Months)->y() - w->edit(Field::Years)->y(), 48);
        QVERIFY(w->ToolButton_PrintPreview->isEnabled()); // a menu choice leaves the commands
        w->MenuItem_SavingsInterest->trigger();
        QCOMPARE(w->PageControl->currentWidget(), w->TabSheet_Savings);
        QVERIFY(w->ToolButton_PrintPreview->isEnabled());
        QVERIFY(w->MenuItem_SavingsInterest->isChecked());
        QVERIFY(!w->MenuItem_Amortization->isChecked());
    }

    void f2OnlyWhileEnabled()
    {
        auto w = makeWindow();
        QTest::keyClick(w->edit(Field::Principal), Qt::Key_F2);
        QCOMPARE(m_reports.previews, 0);
        w->model().EnableReportCommands();
        QTest::keyClick(w->edit(Field::Principal), Qt::Key_F2);
        QCOMPARE(m_reports.previews, 1);
        w->ToolButton_Print->trigger();
        QCOMPARE(m_reports.prints, 1);
        // Save in the File menu follows the Print Preview button when the menu opens.
        w->MenuItem_FileClick();
        QVERIFY(w->MenuItem_Save->isEnabled());
        w->model().DisableReportCommands();
        w->MenuItem_FileClick();
        QVERIFY(!w->MenuItem_Save->isEnabled());
        QVERIFY(w->MenuItem_Open->isEnabled());
    }

    void stayOnTopTwiceKeepsEveryField()
    {
        auto w = makeWindow();
        typeInto(w->edit(Field::Principal), QStringLiteral("1234"));
        typeInto(w->edit(Field::Interest), QStringLiteral("5"));
        typeInto(w->edit(Field::DayPayment), QStringLiteral("77"));
        QStringList before;
        for (const auto &info : app::allFields())
            before << w->edit(info.field)->text();
        w->MenuItem_StayOnTop->trigger();
        QVERIFY(w->MenuItem_StayOnTop->isChecked());
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        w->MenuItem_StayOnTop->trigger();
        QVERIFY(!w->MenuItem_StayOnTop->isChecked());
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QStringList after;
        for (const auto &info : app::allFields())
            after << w->edit(info.field)->text();
        QCOMPARE(after, before);
        QVERIFY(w->isVisible());
    }

    void toolsMarksSurviveARestart()
    {
        {
            auto w = makeWindow();
            QVERIFY(!w->MenuItem_UseDefaults->isChecked());
            w->MenuItem_UseDefaults->trigger();
            w->MenuItem_StayOnTop->trigger();
            w->close();
        }
        QSettings stored(storePath(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("USEDEFAULTS")).toString(), QStringLiteral("1"));
        QCOMPARE(stored.value(QStringLiteral("STAYONTOP")).toString(), QStringLiteral("1"));
        auto w = makeWindow();
        QVERIFY(w->MenuItem_UseDefaults->isChecked());
        QVERIFY(w->MenuItem_StayOnTop->isChecked());
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Marks left as stored are not written again: closing does not wait for the disk.
        struct stat before = {}, after = {};
        ::stat(QFile::encodeName(storePath()).constData(), &before);
        w->close();
        ::stat(QFile::encodeName(storePath()).constData(), &after);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
    }

    void storeErrorIsReportedAndTheWindowGoesOn()
    {
        QFile file(storePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[General]\nTITLE=Mine\nAMORTIZEDBASE=@ByteArray(360)\nPAYMENTRESOLUTION=INCREASEPAYMENTCOUNT\n");
        file.close();
        auto w = makeWindow();
        QCOMPARE(m_messages.shown().size(), std::size_t(1));
        QVERIFY(m_messages.shown()[0].errorReport);
        QCOMPARE(m_messages.shown()[0].text, QStringLiteral("Invalid data type for 'AMORTIZEDBASE'"));
        // Read before the failure: kept; after it: still the defaults.
        QCOMPARE(w->model().appSettings().Title, QStringLiteral("Mine"));
        QCOMPARE(w->model().appSettings().PaymentResolution, QStringLiteral("INCREASEPAYMENTAMOUNT"));
        QCOMPARE(w->edit(Field::Principal)->text(), QStringLiteral("0.00"));
    }

    void helpMenuWithoutHelpFiles()
    {
        auto w = makeWindow();
        // The build puts help pages beside the program; this case is the list without them.
        w->ZtHelpFiles->HelpFiles.clear();
        w->MenuItem_HelpClick();
        QVERIFY(!w->MenuItem_Contents->isVisible());
        QVERIFY(!w->MenuItem_ContentsDivider->isVisible());
        QVERIFY(w->MenuItem_About->isVisible());
    }

    void dailyAndSavingsPagesCalculate()
    {
        auto w = makeWindow();
        w->MenuItem_DailyInterest->trigger();
        w->DateTimePicker_ReceiveDate->setDate(QDate(2003, 3, 14));
        QCOMPARE(w->edit(Field::Days)->text(), QStringLiteral("30"));
        typeInto(w->edit(Field::DayPrincipal), QStringLiteral("1000"));
        typeInto(w->edit(Field::DayInterest), QStringLiteral("5"));
        typeInto(w->edit(Field::DayPayment), QStringLiteral("100"));
        QTest::keyClick(w->edit(Field::DayPayment), Qt::Key_Return);
        QCOMPARE(w->edit(Field::DailyRate)->text(), QStringLiteral("0.136986301369863"));
        QCOMPARE(w->edit(Field::RemainingBalance)->text(), QStringLiteral("904.11"));
        QVERIFY(w->ToolButton_PrintPreview->isEnabled());

        // Moving the start past the receive date moves the receive date too.
        w->DateTimePicker_StartDate->setDate(QDate(2003, 4, 1));
        QCOMPARE(w->DateTimePicker_ReceiveDate->date(), QDate(2003, 4, 1));
        QCOMPARE(m_messages.shown().size(), std::size_t(1));

        w->MenuItem_SavingsInterest->trigger();
        typeInto(w->edit(Field::SaveAmount), QStringLiteral("1000"));
        typeInto(w->edit(Field::SaveInterest), QStringLiteral("4"));
        QTest::mouseClick(w->RadioButton_Compounded[2], Qt::LeftButton);
        typeInto(w->edit(Field::SaveYears), QStringLiteral("1"));
        QTest::keyClick(w->edit(Field::SaveYears), Qt::Key_Return);
        QCOMPARE(w->edit(Field::SaveEndBalance)->text(), QStringLiteral("1040.60"));
        // Tab from the rate reaches the compounding choice before the years.
        w->edit(Field::SaveInterest)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(qobject_cast<QRadioButton *>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->edit(Field::SaveYears));
        QCOMPARE(w->model().SavingsRows().size(), std::size_t(4));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
