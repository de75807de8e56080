// The planner window driven as a user drives it, offscreen: typing a
// scenario, adding an extra payment and a second scenario, reading the
// comparison; saving, reopening and refusing a damaged file; the question
// on closing with unsaved changes; and the report's text through pdftotext.
#include "desktop/dialogs.h"
#include "desktop/messages.h"
#include "pdf.h"
#include "planner/planfile.h"
#include "planner/plannerinputs.h"
#include "planner/plannerviews.h"
#include "planner/plannerwindow.h"
#include "planner/planreport.h"
#include "reports/banded/reportoutput.h"
#include "support.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <deque>
#include <memory>

using namespace accrua;
using namespace accrua::planner;

namespace {

class ScriptedFiles : public desktop::FileDialogService {
public:
    QString getOpenFileName(const desktop::FileDialogRequest &) override { return next(); }
    QString getSaveFileName(const desktop::FileDialogRequest &) override { return next(); }
    std::deque<QString> answers;

private:
    QString next()
    {
        if (answers.empty())
            return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace

class PlannerWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    desktop::ScriptedMessageService m_messages;
    ScriptedFiles m_files;

    std::unique_ptr<TForm_Planner> makeWindow()
    {
        PlannerServices services;
        services.messages = &m_messages;
        services.locale = testsupport::usDollars();
        services.settings = settings::FileSettingsFactory(m_dir.filePath(QStringLiteral("Accrua.conf")));
        services.files = &m_files;
        services.today = [] { return QDate(2026, 1, 1); };
        auto w = std::make_unique<TForm_Planner>(std::move(services));
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        return w;
    }

    static void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static QString cell(const TForm_Planner &w, const char *row, int column)
    {
        const Comparison &c = w.ComparisonTable->comparison();
        for (const ComparisonRow &r : c.rows) {
            if (r.label == QLatin1String(row))
                return r.cells.value(column);
        }
        return {};
    }

    // A: 180,000 at 4.25 % for 30 years with 200 extra a month; B: the same without.
    void buildTwoScenarios(TForm_Planner &w)
    {
        typeInto(w.Inputs->LineEdit_Principal, QStringLiteral("180,000"));
        typeInto(w.Inputs->LineEdit_Rate, QStringLiteral("4.25"));
        typeInto(w.Inputs->LineEdit_Years, QStringLiteral("30"));
        QTest::mouseClick(w.Inputs->Button_AddExtra, Qt::LeftButton);
        w.Inputs->Table_Extras->item(0, 1)->setText(QStringLiteral("200"));
        w.recalculate();
        QTest::mouseClick(w.ToolButton_AddScenario, Qt::LeftButton);
        typeInto(w.Inputs->LineEdit_Principal, QStringLiteral("180000"));
        typeInto(w.Inputs->LineEdit_Rate, QStringLiteral("4.25"));
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init() { m_messages.clear(); }

    void typesTwoScenariosAndComparesThem()
    {
        auto w = makeWindow();
        buildTwoScenarios(*w);
        QCOMPARE(w->plan().count(), 2);
        QCOMPARE(w->TabBar_Scenarios->tabText(1), QStringLiteral("B"));
        QCOMPARE(cell(*w, "Payment", 0), QStringLiteral("885.49"));
        QCOMPARE(cell(*w, "Payment", 1), QStringLiteral("885.49"));
        // B has no extra: it takes 109 payments more than A.
        QCOMPARE(cell(*w, "Payments saved vs A", 1), QStringLiteral("-109"));
        QVERIFY(cell(*w, "Interest saved vs A", 1).startsWith(u'-'));
        QCOMPARE(cell(*w, "Crossover payment", 0), QStringLiteral("56"));
        QCOMPARE(w->ScheduleTable->rowCount(), 360 + 31 + 1); // payments, 31 calendar years, the total
    }

    void everyMnemonicOfTheWindowIsItsOwn()
    {
        auto w = makeWindow();
        QString seen;
        const auto take = [&seen](const QString &text) {
            const qsizetype at = text.indexOf(u'&');
            if (at < 0 || at + 1 >= text.size())
                return true;
            const QChar key = text.at(at + 1).toLower();
            if (seen.contains(key))
                return false;
            seen += key;
            return true;
        };
        for (QAction *a : w->menuBar()->actions())
            QVERIFY2(take(a->text()), qPrintable(a->text()));
        for (QLabel *l : w->findChildren<QLabel *>())
            QVERIFY2(take(l->text()), qPrintable(l->text()));
        for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
            QVERIFY2(take(b->text()), qPrintable(b->text()));
        QVERIFY(seen.size() >= 20);
    }

    void refusedFieldIsMarkedAndKeepsTheLastValue()
    {
        auto w = makeWindow();
        typeInto(w->Inputs->LineEdit_Rate, QStringLiteral("4.x"));
        QVERIFY(w->Inputs->LineEdit_Rate->toolTip().contains(QLatin1String("not a valid rate")));
        QVERIFY(w->statusBar()->currentMessage().contains(QLatin1String("not a valid rate")));
        QVERIFY(m_messages.shown().empty());
        QVERIFY(w->result(0).planned());
    }

    void savesReopensAndRefusesADamagedFile()
    {
        auto w = makeWindow();
        buildTwoScenarios(*w);
        const QString path = m_dir.filePath(QStringLiteral("two.accrua-plan"));
        m_files.answers = {path};
        QVERIFY(w->MenuItem_SaveClick());
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("two.accrua-plan")));
        QVERIFY(!w->isWindowModified());

        auto other = makeWindow();
        QVERIFY(other->openFile(path));
        QCOMPARE(other->plan().scenarios(), w->plan().scenarios());
        QCOMPARE(cell(*other, "Payments saved vs A", 1), QStringLiteral("-109"));

        const QString damaged = m_dir.filePath(QStringLiteral("damaged.accrua-plan"));
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(planFileBytes(w->plan()).left(100));
        f.close();
        QVERIFY(!other->openFile(damaged));
        QCOMPARE(other->plan().scenarios(), w->plan().scenarios());
        QCOMPARE(m_messages.shown().size(), std::size_t{1});
        QVERIFY(m_messages.shown().front().text.contains(QLatin1String("damaged")));
    }

    void closingWithUnsavedChangesAsks()
    {
        auto w = makeWindow();
        typeInto(w->Inputs->LineEdit_Principal, QStringLiteral("1000"));
        QVERIFY(w->isWindowModified());
        m_messages.queueAnswer(desktop::mrCancel);
        QVERIFY(!w->close());
        QCOMPARE(m_messages.shown().size(), std::size_t{1});
        m_messages.queueAnswer(desktop::mrNo);
        QVERIFY(w->close());
    }

    void reportTextOfTwoScenarios()
    {
        auto w = makeWindow();
        buildTwoScenarios(*w);
        w->TabBar_Scenarios->setCurrentIndex(0);
        const std::unique_ptr<PlanReport> report = w->makeReport();
        const auto pages = reports::banded::generatePages(report->report());
        const QString pdf = m_dir.filePath(QStringLiteral("plan.pdf"));
        reports::banded::savePdf(*pages, pdf, report->report().title);
        const QString text = testsupport::pdfText(pdf);
        const QStringList pagesText = testsupport::pdfPageTexts(pdf);
        QVERIFY2(pagesText.size() >= 4, qPrintable(text.left(400)));
        const QString first = pagesText.front();
        for (const char *want :
             {"Loan Plan", "Inputs", "Comparison", "Remaining balance", "Payments saved vs A", "-109",
              "180,000.00", "Interest and principal by year: A"})
            QVERIFY2(first.contains(QLatin1String(want)), want);
        QVERIFY(pagesText[1].contains(QLatin1String("Schedule of scenario A")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\n\\s*56\\s.*crossover"))));
        QVERIFY(text.contains(QLatin1String("2026 total")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Page\\s+2"))));
    }
};

QTEST_MAIN(PlannerWindowTest)
#include "test_plannerwindow.moc"
