// The desktop program in the languages a user may ask for: German where the
// German translation matches, and exactly the program's own English otherwise.
#include "app/mainwindow.h"
#include "help/helpfiles.h"
#include "reports/banded/reportsform.h"
#include "settings/store.h"
#include "support.h"
#include "translations/translations.h"

#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace accrua;

namespace {

// What a user reads: a menu, a page's tab, a refusal put together from
// pieces, a message box's caption, the help entry and a report's captions.
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
    return {window.MenuItem_File->title(),
            window.PageControl->tabText(0),
            messages.shown().empty() ? QString() : messages.shown().back().text,
            desktop::captionFor(desktop::MessageKind::Warning),
            help::helpContentsCaption(QStringLiteral("Accrua")),
            report.RptLabel_Title->caption,
            report.caption()};
}

const QStringList kEnglish{QStringLiteral("&File"),
                           QStringLiteral("Payment Amount"),
                           QStringLiteral("You must enter the principal balance in order to continue!"),
                           QStringLiteral("Warning"),
                           QStringLiteral("Accrua Help..."),
                           QStringLiteral("Amortization Schedule"),
                           QStringLiteral("Report")};
const QStringList kGerman{QStringLiteral("&Datei"),
                          QStringLiteral("Ratenhöhe"),
                          QStringLiteral("Bitte geben Sie den Darlehensbetrag ein, um fortzufahren!"),
                          QStringLiteral("Warnung"),
                          QStringLiteral("Accrua-Hilfe..."),
                          QStringLiteral("Tilgungsplan"),
                          QStringLiteral("Bericht")};

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
            translations::install(languages, translations::desktopDomains());
        QCOMPARE(shownTexts(dir.filePath(QStringLiteral("Accrua.conf"))), expected);
    }
};

QTEST_MAIN(TranslationsTest)
#include "test_translations.moc"
