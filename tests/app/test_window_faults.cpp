// The window meets a full disk and a failed allocation: the Tools marks
// written on close fail whole, reported through the general error report,
// and the store keeps what it held; a handler that runs out of memory is
// reported in words, and the window goes on.
#include "app/application.h"
#include "app/mainwindow.h"
#include "settings/store.h"

#include "faults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <new>

using namespace accrua;

namespace {

class ThrowsBadAlloc : public QObject {
protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::bad_alloc();
        return QObject::event(e);
    }
};

} // namespace

class WindowFaultsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toolsMarksOnAFullDiskAreReportedAndLeaveTheStore_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<qint64>("limit"); // bytes a file may grow to
        QTest::addColumn<QString>("report");
        const QString setData = QStringLiteral("Failed to set data for 'USEDEFAULTS'");
        const QByteArray store =
            "[General]\nTITLE=" + QByteArray(3000, 'm') + "\nUSEDEFAULTS=1\nSTAYONTOP=0\n";
        QTest::newRow("no store yet") << QByteArray() << qint64{0}
                                      << QStringLiteral("Failed to create key \\Software\\Quennet\\Accrua\\");
        QTest::newRow("a store, no room at all") << store << qint64{0} << setData;
        QTest::newRow("a store, room for a part") << store << qint64{1024} << setData;
    }

    void toolsMarksOnAFullDiskAreReportedAndLeaveTheStore()
    {
        QFETCH(QByteArray, before);
        QFETCH(qint64, limit);
        QFETCH(QString, report);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Accrua.conf"));
        if (!before.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        const int status = testsupport::runWithFileSizeLimit(limit, [&] {
            desktop::ScriptedMessageService messages;
            app::MainWindowServices services;
            services.messages = &messages;
            services.locale = text::Locale(u'.', u',', 2, QStringLiteral("$"), true);
            services.settings = settings::FileSettingsFactory(path);
            {
                app::TForm_Main window(std::move(services));
                window.show();
                // A changed mark is written on closing (one left as stored is not).
                window.MenuItem_UseDefaults->trigger();
                window.close();
            }
            for (const auto &shown : messages.shown()) {
                if (shown.errorReport && shown.text.startsWith(report))
                    return 0;
            }
            return 1;
        });
        QCOMPARE(status, 0);
        QCOMPARE(testsupport::fileBytes(path), before);
    }

    void runningOutOfMemoryInAHandlerIsReportedInWords()
    {
        auto *app = qobject_cast<app::Application *>(qApp);
        QVERIFY(app);
        desktop::ScriptedMessageService service;
        app->setMessageService(&service);
        ThrowsBadAlloc thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(service.shown().size(), size_t(1));
        app->setMessageService(nullptr);
        QVERIFY(service.shown()[0].errorReport);
        QVERIFY2(service.shown()[0].text.startsWith(QStringLiteral("There is not enough memory")),
                 qPrintable(service.shown()[0].text));
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application app(argc, argv);
    WindowFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_faults.moc"
