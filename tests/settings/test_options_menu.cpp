// The Edit menu's "&Options...": the dialog runs modally over the main window,
// and only an OK that stored everything reloads the main window's settings.
#include "app/mainwindow.h"
#include "settings/optionsform.h"
#include "settings/values.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace accrua;

class OptionsMenuTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void settingsReloadOnlyAfterOk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("storeWritable");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("errorReports");
        QTest::newRow("OK") << "ok" << true << "Typed" << 0;
        QTest::newRow("Cancel") << "cancel" << true << "Amortization Schedule" << 0;
        QTest::newRow("close box") << "close" << true << "Amortization Schedule" << 0;
        QTest::newRow("OK on a store that cannot be written, then Cancel")
            << "ok" << false << "Amortization Schedule" << 1;
    }

    void settingsReloadOnlyAfterOk()
    {
        QFETCH(QString, how);
        QFETCH(bool, storeWritable);
        QFETCH(QString, title);
        QFETCH(int, errorReports);
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/Quennet");
        if (!storeWritable) {
            // A file where the store's folder should be.
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        desktop::ScriptedMessageService messages;
        app::MainWindowServices services;
        services.messages = &messages;
        services.settings = settings::FileSettingsFactory(folder + QStringLiteral("/Accrua.conf"));
        app::TForm_Main window(std::move(services));

        bool parented = false;
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = qobject_cast<settings::TForm_SetOptions *>(QApplication::activeModalWidget());
            if (!dialog) {
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
                return;
            }
            parented = dialog->parentWidget() == &window;
            dialog->MaskEdit_AmortTitle->setText(QStringLiteral("Typed"));
            if (how == QLatin1String("close")) {
                dialog->close();
                return;
            }
            if (how == QLatin1String("ok"))
                dialog->BitBtn_OK->click();
            // An OK that could not store leaves the dialog open.
            if (dialog->isVisible())
                dialog->BitBtn_Cancel->click();
        });
        window.MenuItem_SetOptions->trigger();
        QVERIFY(parented);
        QCOMPARE(window.model().appSettings().Title, title);
        int reports = 0;
        for (const auto &shown : messages.shown())
            reports += shown.errorReport ? 1 : 0;
        QCOMPARE(reports, errorReports);
    }
};

QTEST_MAIN(OptionsMenuTest)
#include "test_options_menu.moc"
