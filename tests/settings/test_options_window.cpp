#include "options_support.h"

#include "help/hintpopup.h"
#include "settings/optionsform.h"
#include "settings/picturedialog.h"
#include "settings/values.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

using namespace accrua;
using namespace accrua::settings;

namespace {

using Values = QMap<QString, QString>;

// Every value set to something other than its default.
const Values kUserValues{
    {"PRINTTOTALS", "0"},
    {"TITLE", "My Schedule"},
    {"LOANTYPE", "tractor loan"},
    {"AMORTIZEDBASE", "360"},
    {"PAYMENTRESOLUTION", "INCREASEPAYMENTCOUNT"},
    {"AMORTSCHEDULE", "WEEKLY"},
    {"SAVINGSTITLE", "Nest Egg"},
    {"SAVINGSSUBTITLE", "Growth"},
    {"PRINTSAVINGSTOTALS", "0"},
    {"DAILYTITLE", "Per Diem"},
    {"DAILYSUBTITLE", "Accrued"},
    {"PRINTIMAGE", "1"},
    {"USECLASSICVIEW", "1"},
};

// A store in a temporary folder, the scripted seams, and the dialog.
struct Harness {
    QTemporaryDir dir;
    QString storePath = dir.path() + QStringLiteral("/Quennet/Accrua.conf");
    desktop::ScriptedMessageService messages;
    ScriptedPictureBrowser browser;
    std::unique_ptr<TForm_SetOptions> dialog;

    SettingsFactory factory() const { return FileSettingsFactory(storePath); }

    void store(const Values &values) const
    {
        SettingsStore store(factory());
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store.writeString(it.key(), it.value());
    }

    Values stored() const
    {
        SettingsStore store(factory());
        Values values;
        for (const SettingSpec &spec : settingSpecs()) {
            if (const std::optional<QString> text = store.readText(spec.name))
                values.insert(spec.name, *text);
        }
        return values;
    }

    QByteArray storeBytes() const
    {
        QFile file(storePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TForm_SetOptions &open()
    {
        dialog = std::make_unique<TForm_SetOptions>(factory(), messages, &browser);
        dialog->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(dialog.get());
        return *dialog;
    }

    QStringList errorReports() const
    {
        QStringList texts;
        for (const auto &shown : messages.shown()) {
            if (shown.errorReport)
                texts << shown.text;
        }
        return texts;
    }

    QString picturePath(const QString &name, const QByteArray &content) const
    {
        const QString path = dir.path() + QLatin1Char('/') + name;
        testsupport::writeFile(path, content);
        return path;
    }
};

void replaceText(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QString hintText(const TForm_SetOptions &dialog)
{
    const help::TForm_Hint *popup = dialog.ZtHelpHint_Main->popup();
    return popup ? popup->Label_Hint->text() : QString();
}

QByteArray goodJpeg()
{
    return testsupport::encodeJpeg(testsupport::patternImage(300, 80), testsupport::JpegKind::Baseline420);
}

} // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formShape()
    {
        Harness h;
        TForm_SetOptions &d = h.open();
        QCOMPARE(d.windowTitle(), QStringLiteral("Set Options"));
        QCOMPARE(d.size(), QSize(632, 453));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        const Qt::WindowFlags flags = d.windowFlags();
        QVERIFY(flags & Qt::WindowContextHelpButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(d.BitBtn_OK->isDefault());
        QVERIFY(d.MaskEdit_DefaultImagePath->isReadOnly());
        QVERIFY(!d.ComboBox_AmortSchedule->isVisible() && !d.Label_AmortSchedule->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), d.ComboBox_AmortizedBase);
        // Only the browse button has a tooltip.
        const QList<QWidget *> controls = d.findChildren<QWidget *>();
        for (const QWidget *control : controls) {
            if (control != d.SpeedButton_DefaultImage)
                QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->objectName()));
        }
        QCOMPARE(d.SpeedButton_DefaultImage->toolTip(), QStringLiteral("Browse for Image..."));
        // Every caption, as drawn, ends clear of the field it names.
        for (const QLabel *caption : d.findChildren<QLabel *>()) {
            if (caption->buddy() && caption->isVisible())
                QVERIFY2(caption->buddy()->x() - caption->x() -
                                 caption->fontMetrics().horizontalAdvance(caption->text()) >=
                             4,
                         qPrintable(caption->text()));
        }

        QStringList order;
        for (int i = 0; i < 16; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(
            order,
            QStringList({"ComboBox_AmortizedBase", "RadioButton_Resolution0", "CheckBox_UseClassicView",
                         "CheckBox_PrintImage", "MaskEdit_DefaultImagePath", "SpeedButton_DefaultImage",
                         "MaskEdit_AmortTitle", "ComboBox_LoanType", "CheckBox_AmortPrintTotals",
                         "MaskEdit_SavingsTitle", "MaskEdit_SavingsSubtitle", "CheckBox_SavingsPrintTotals",
                         "MaskEdit_DailyTitle", "MaskEdit_DailySubtitle", "BitBtn_OK", "BitBtn_Cancel"}));
    }

    void closingWithoutOkWritesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "close";
        QTest::newRow("Cancel") << "cancel";
    }

    void closingWithoutOkWritesNothing()
    {
        QFETCH(QString, how);
        Harness h;
        h.store(kUserValues);
        const QByteArray before = h.storeBytes();
        TForm_SetOptions &d = h.open();
        replaceText(d.MaskEdit_AmortTitle, QStringLiteral("Changed"));
        d.CheckBox_UseClassicView->click();
        if (how == QLatin1String("escape"))
            QTest::keyClick(d.MaskEdit_AmortTitle, Qt::Key_Escape);
        else if (how == QLatin1String("close"))
            d.close();
        else
            QTest::mouseClick(d.BitBtn_Cancel, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(d.Cancelled());
        QCOMPARE(h.storeBytes(), before);
    }

    void typedTextIsStoredAsTyped_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("setting");
        QTest::newRow("loan type in lower case") << "ComboBox_LoanType"
                                                 << "tractor loan"
                                                 << "LOANTYPE";
        QTest::newRow("loan type that is an item, recased") << "ComboBox_LoanType"
                                                            << "Home Loan"
                                                            << "LOANTYPE";
        QTest::newRow("empty title") << "MaskEdit_AmortTitle"
                                     << ""
                                     << "TITLE";
        QTest::newRow("blanks kept") << "MaskEdit_SavingsSubtitle"
                                     << "  two  blanks  "
                                     << "SAVINGSSUBTITLE";
    }

    void typedTextIsStoredAsTyped()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, setting);
        Harness h;
        TForm_SetOptions &d = h.open();
        QWidget *widget = d.findChild<QWidget *>(control);
        QVERIFY(widget);
        auto *edit = qobject_cast<QLineEdit *>(widget);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            edit = combo->lineEdit();
        replaceText(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QVERIFY(!d.Cancelled());
        QCOMPARE(h.stored().value(setting), typed);
    }

    void pictureThatCannotLoadCostsNoSetting_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        const QByteArray jpeg = goodJpeg();
        QTest::newRow("damaged JPEG")
            << "damaged.jpg" << jpeg.left(jpeg.size() * 2 / 3) << "Damaged JPEG picture";
        QTest::newRow("GIF") << "logo.gif" << QByteArray("GIF89a") << "Unknown picture file extension (.gif)";
    }

    void pictureThatCannotLoadCostsNoSetting()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        Harness h;
        Values values = kUserValues;
        values.insert(QStringLiteral("IMAGEPATH"), h.picturePath(file, content));
        h.store(values);
        TForm_SetOptions &d = h.open();
        QCOMPARE(h.errorReports().size(), 1);
        QVERIFY2(h.errorReports().constFirst().contains(error), qPrintable(h.errorReports().constFirst()));
        QVERIFY(d.Image->pixmap().isNull());
        QTest::mouseClick(d.BitBtn_OK, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(h.stored(), values);
    }

    void unwritableStoreKeepsTheDialogOpen()
    {
        Harness h;
        // A file where the store's folder should be: nobody can create it.
        const QString folder = QFileInfo(h.storePath).path();
        QVERIFY(testsupport::writeFile(folder, "not a folder"));
        TForm_SetOptions &d = h.open();
        replaceText(d.MaskEdit_AmortTitle, QStringLiteral("Typed"));
        QTest::mouseClick(d.BitBtn_OK, Qt::LeftButton);
        QCOMPARE(h.errorReports(), QStringList{"Failed to create key \\Software\\Quennet\\Accrua\\."});
        QVERIFY(d.isVisible());
        QVERIFY(d.Cancelled());
        QCOMPARE(d.MaskEdit_AmortTitle->text(), QStringLiteral("Typed"));

        // Once the store can be written, the same OK stores what was typed.
        QVERIFY(QFile::remove(folder));
        QTest::mouseClick(d.BitBtn_OK, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(!d.Cancelled());
        QCOMPARE(h.stored().value("TITLE"), QStringLiteral("Typed"));
    }

    void printImageShowsAndHidesThePicture_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("visible");
        QTest::newRow("stored on") << "1" << 0 << true;
        QTest::newRow("stored off") << "0" << 0 << false;
        QTest::newRow("cleared") << "1" << 1 << false;
        QTest::newRow("checked after stored off") << "0" << 1 << true;
    }

    void printImageShowsAndHidesThePicture()
    {
        QFETCH(QString, stored);
        QFETCH(int, clicks);
        QFETCH(bool, visible);
        Harness h;
        h.store({{"PRINTIMAGE", stored}, {"IMAGEPATH", h.picturePath("logo.jpg", goodJpeg())}});
        TForm_SetOptions &d = h.open();
        QVERIFY(!d.Image->pixmap().isNull());
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(d.CheckBox_PrintImage, Qt::LeftButton);
        QCOMPARE(d.Image->isVisible(), visible);
    }

    void browseSetsPathAndPicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("errors");
        QTest::newRow("a JPEG") << "chosen.jpg" << goodJpeg() << true << 0;
        QTest::newRow("a damaged JPEG") << "broken.jpg" << goodJpeg().left(300) << false << 1;
        QTest::newRow("cancelled") << "" << QByteArray() << false << 0;
    }

    void browseSetsPathAndPicture()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, taken);
        QFETCH(int, errors);
        Harness h;
        h.store({{"IMAGEPATH", h.dir.path()}});
        if (file.isEmpty())
            h.browser.queueAnswer(std::nullopt);
        else
            h.browser.queueAnswer(h.picturePath(file, content));
        TForm_SetOptions &d = h.open();
        QTest::mouseClick(d.SpeedButton_DefaultImage, Qt::LeftButton);
        QCOMPARE(h.browser.asked(), QStringList{h.dir.path()});
        QCOMPARE(d.MaskEdit_DefaultImagePath->text(), taken ? h.dir.path() + "/" + file : h.dir.path());
        QCOMPARE(!d.Image->pixmap().isNull(), taken);
        QCOMPARE(h.errorReports().size(), errors);
        if (taken)
            QCOMPARE(d.Image->pixmap().size(), QSize(190, 50));
    }

    void contextHelpAnswersForTheControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        const QString ok = QStringLiteral("Closes and saves the options settings.");
        const QString resolution =
            QStringLiteral("Determines whether the number of payments or the payment amount "
                           "will be increased in order to resolve any residual balances.");
        const QString loanType = QStringLiteral("The subtitle of the amortization schedule report.");
        QTest::newRow("OK, What's This") << "BitBtn_OK"
                                         << "whatsthis" << ok;
        QTest::newRow("radio item: its group's text") << "RadioButton_Resolution1"
                                                      << "whatsthis" << resolution;
        QTest::newRow("radio item, F1") << "RadioButton_Resolution0"
                                        << "f1" << resolution;
        QTest::newRow("loan type's edit field") << "ComboBox_LoanType"
                                                << "whatsthis" << loanType;
        QTest::newRow("daily title keeps its blank") << "MaskEdit_DailyTitle"
                                                     << "f1"
                                                     << "The title of the daily interest report. ";
        QTest::newRow("Print Image has no text") << "CheckBox_PrintImage"
                                                 << "whatsthis"
                                                 << "";
        QTest::newRow("picture in its panel: no text") << "Image"
                                                       << "whatsthis"
                                                       << "";
        QTest::newRow("a caption label") << "Label_AmortTitle"
                                         << "whatsthis"
                                         << "";
    }

    void contextHelpAnswersForTheControl()
    {
        QFETCH(QString, control);
        QFETCH(QString, how);
        QFETCH(QString, text);
        Harness h;
        TForm_SetOptions &d = h.open();
        QWidget *widget = d.findChild<QWidget *>(control);
        QVERIFY(widget);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            widget = combo->lineEdit();
        if (how == QLatin1String("f1")) {
            widget->setFocus();
            QTRY_VERIFY(widget->hasFocus());
            QTest::keyClick(widget, Qt::Key_F1);
        } else {
            QWhatsThis::enterWhatsThisMode();
            QVERIFY(QWhatsThis::inWhatsThisMode());
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
            QVERIFY(!QWhatsThis::inWhatsThisMode());
        }
        QCOMPARE(hintText(d), text);
        // Asking is no click on the control: nothing changed.
        QVERIFY(d.isVisible());
        QVERIFY(d.RadioButton_Resolution[0]->isChecked());
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "test_options_window.moc"
