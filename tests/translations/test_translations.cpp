// The desktop program in the languages a user may ask for: German where the
// German translation matches, and exactly the program's own English otherwise.
#include "app/mainwindow.h"
#include "cli/cli.h"
#include "help/helpfiles.h"
#include "planner/plannerwindow.h"
#include "planner/schedule.h"
#include "reports/banded/reportsform.h"
#include "settings/store.h"
#include "support.h"
#include "translations/translations.h"

#include <QKeySequence>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace accrua;

namespace {

// What a user reads: a menu, a page's tab, a refusal put together from
// pieces, a message box's caption, the help entry and a report's captions;
// the planner's title, a refusal of the calculation with its numbers, a term
// in words, a schedule heading and the schedule's CSV header, which is for
// other programs and stays English; and the line of accrua-cli --help that
// follows the payment command's line, which stays as it is; and a shortcut's
// name, which is Qt's own text.
QStringList shownTexts(const QString &storePath)
{
    desktop::ScriptedMessageService messages;
    app::MainWindowServices services;
    services.messages = &messages;
    services.locale = testsupport::usDollars();
    services.settings = settings::FileSettingsFactory(storePath);
    app::TForm_Main window(std::move(services));
    window.BitBtn_CalculateClick(); // nothing entered: refused
    const reports::banded::TForm_Reports report(testsupport::usDollars(), [] { return QDate(2026, 1, 2); });
    planner::PlannerServices plannerServices;
    plannerServices.locale = testsupport::usDollars();
    plannerServices.settings = settings::FileSettingsFactory(storePath);
    const planner::TForm_Planner plannerWindow(plannerServices);
    planner::ScenarioInputs in = planner::defaultInputs(QDate(2026, 1, 15));
    in.years = 1;
    in.months = 6;
    const planner::Comparison inputs =
        planner::inputTable({QStringLiteral("A")}, {&in}, plannerServices.locale);
    const planner::ScenarioResult plan = planner::computeScenario(in);
    in.lumps = {{400, calc::Money::fromValue(1000)}};
    const QStringList usage = cli::usageText().split(u'\n');
    const qsizetype payment = usage.indexOf(
        QStringLiteral("  payment  --principal P --rate R --years Y --months M [--resolution amount|count]"));
    return {window.MenuItem_File->title(),
            window.PageControl->tabText(0),
            messages.shown().empty() ? QString() : messages.shown().back().text,
            desktop::captionFor(desktop::MessageKind::Warning),
            help::helpContentsCaption(QStringLiteral("Accrua")),
            report.RptLabel_Title->caption,
            report.caption(),
            plannerWindow.windowTitle(),
            planner::computeScenario(in).problem,
            inputs.rows.at(2).cells.value(0),
            planner::scheduleHeader(7),
            planner::scheduleText(plan.plan, planner::scheduleLines(plan.plan), planner::Delimiter::Comma,
                                  planner::Notation::Plain, plannerServices.locale)
                .section(QStringLiteral("\r\n"), 0, 0),
            usage.value(payment + 1),
            QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText)};
}

const QStringList kEnglish{QStringLiteral("&File"),
                           QStringLiteral("Payment Amount"),
                           QStringLiteral("You must enter the principal balance in order to continue!"),
                           QStringLiteral("Warning"),
                           QStringLiteral("Accrua Help..."),
                           QStringLiteral("Amortization Schedule"),
                           QStringLiteral("Report"),
                           QStringLiteral("Untitled[*] - Loan Planner"),
                           QStringLiteral("the lump sum with payment 400 comes after the last payment (18)"),
                           QStringLiteral("1 years 6 months"),
                           QStringLiteral("Balance"),
                           QStringLiteral("No.,Date,Rate,Payment,Interest,Principal,Extra,Balance"),
                           QStringLiteral("           the monthly payment that repays P over the term"),
                           QStringLiteral("Ctrl+O")};
const QStringList kGerman{QStringLiteral("&Datei"),
                          QStringLiteral("Ratenhöhe"),
                          QStringLiteral("Bitte geben Sie den Darlehensbetrag ein, um fortzufahren!"),
                          QStringLiteral("Warnung"),
                          QStringLiteral("Accrua-Hilfe..."),
                          QStringLiteral("Tilgungsplan"),
                          QStringLiteral("Bericht"),
                          QStringLiteral("Unbenannt[*] - Darlehensplaner"),
                          QStringLiteral("die Einmalzahlung mit Rate 400 liegt nach der letzten Rate (18)"),
                          QStringLiteral("1 Jahr 6 Monate"),
                          QStringLiteral("Restschuld"),
                          QStringLiteral("No.,Date,Rate,Payment,Interest,Principal,Extra,Balance"),
                          QStringLiteral("           die monatliche Rate, die P über die Laufzeit tilgt"),
                          QStringLiteral("Strg+O")};

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsInTheWantedLanguage_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("German") << QStringList{QStringLiteral("de-DE"), QStringLiteral("de")} << kGerman;
        QTest::newRow("Austrian German falls back to German")
            << QStringList{QStringLiteral("de-AT")} << kGerman;
        QTest::newRow("English wanted before German")
            << QStringList{QStringLiteral("en-US"), QStringLiteral("de-DE")} << kEnglish;
        QTest::newRow("no translation for French")
            << QStringList{QStringLiteral("fr-FR"), QStringLiteral("fr")} << kEnglish;
        QTest::newRow("the C locale whatever LANGUAGE says")
            << translations::wantedLanguages(QLocale::c()) << kEnglish;
    }

    void readsInTheWantedLanguage()
    {
        QFETCH(QStringList, languages);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const translations::Translators installed =
            translations::install(languages, translations::desktopDomains() + translations::cliDomains());
        const std::unique_ptr<QTranslator> qtTexts =
            translations::installQtTexts(languages, QStringLiteral("accrua"));
        QCOMPARE(shownTexts(dir.filePath(QStringLiteral("Accrua.conf"))), expected);
    }
};

QTEST_MAIN(TranslationsTest)
#include "test_translations.moc"
