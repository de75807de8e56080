// The splash screen and the about box on real widgets (offscreen): what
// their labels show, the picture, the timer and the web address.
#include "app/aboutbox.h"
#include "app/splash.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace accrua::app;
using namespace accrua::desktop;

namespace {

// One value per text property; an empty row leaves every one empty.
struct Details {
    QString title, company, address, city, url, email, phone, version;
};

Details details(bool filled)
{
    if (!filled)
        return {};
    return {QStringLiteral("Quennet"),           QStringLiteral("Quennet Software"),
            QStringLiteral("14 Tallow Lane"),    QStringLiteral("Brookfield"),
            QStringLiteral("https://q.example"), QStringLiteral("help@q.example"),
            QStringLiteral("555 0100"),          QStringLiteral("5.1")};
}

template <typename Component> void fill(Component &c, const Details &d)
{
    c.ApplicationTitle = d.title.isEmpty() ? QString() : QStringLiteral("Accrua");
    c.CompanyTitle = d.title;
    c.CompanyName = d.company;
    c.CompanyAddress = d.address;
    c.CompanyCityStateZip = d.city;
    c.CompanyURL = d.url;
    c.Version = d.version;
}

QString expectedVersion(const Details &d)
{
    return d.version.isEmpty() ? QString() : QStringLiteral("Version 5.1 ");
}

} // namespace

class SplashAboutTest : public QObject {
    Q_OBJECT

private:
    QList<QUrl> m_opened;

    DesktopServices seams()
    {
        DesktopServices services;
        services.askPrinter = [](QPrinter &, QWidget *) { return false; };
        services.openUrl = [this](const QUrl &url) { m_opened << url; };
        return services;
    }

private Q_SLOTS:
    void splashLabels_data()
    {
        QTest::addColumn<bool>("filled");
        QTest::newRow("every property set") << true;
        QTest::newRow("every property empty") << false;
    }

    void splashLabels()
    {
        QFETCH(bool, filled);
        const Details d = details(filled);
        TZtSplashScreen splash(seams());
        fill(splash, d);
        const auto form = splash.createForm();
        QCOMPARE(form->Label_ApplicationTitle->text(), filled ? QStringLiteral("Accrua") : QString());
        QCOMPARE(form->Label_CompanyTitle->text(), d.title);
        QCOMPARE(form->Label_CompanyName->text(), d.company);
        QCOMPARE(form->Label_CompanyAddress->text(), d.address);
        QCOMPARE(form->Label_CompanyCityStateZip->text(), d.city);
        QCOMPARE(form->Label_CompanyURL->text(), d.url);
        QCOMPARE(form->Label_Version->text(), expectedVersion(d));
    }

    void aboutLabels_data() { splashLabels_data(); }

    void aboutLabels()
    {
        QFETCH(bool, filled);
        const Details d = details(filled);
        TZtAboutBox about(seams());
        fill(about, d);
        about.CompanyEmail = d.email;
        about.CompanyPhone = d.phone;
        const auto form = about.createForm();
        QCOMPARE(form->Label_ApplicationTitle->text(), filled ? QStringLiteral("Accrua") : QString());
        QCOMPARE(form->Label_CompanyTitle->text(), d.title);
        QCOMPARE(form->Label_CompanyName->text(), d.company);
        QCOMPARE(form->Label_CompanyAddress->text(), d.address);
        QCOMPARE(form->Label_CompanyCityStateZip->text(), d.city);
        QCOMPARE(form->Label_CompanyURL->text(), d.url);
        QCOMPARE(form->Label_CompanyEmail->text(), d.email);
        QCOMPARE(form->Label_CompanyPhone->text(), d.phone);
        QCOMPARE(form->Label_Version->text(), expectedVersion(d));
    }

    void pictureIsCopiedAndPlaced_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<bool>("withImage");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("splash with picture") << false << true << QRect(10, 70, 162, 140);
        QTest::newRow("splash without") << false << false << QRect(15, 70, 142, 142);
        QTest::newRow("about with picture") << true << true << QRect(10, 45, 162, 140);
        QTest::newRow("about without") << true << false << QRect(10, 30, 142, 142);
    }

    void pictureIsCopiedAndPlaced()
    {
        QFETCH(bool, about);
        QFETCH(bool, withImage);
        QFETCH(QRect, expected);
        QLabel image;
        image.resize(162, 140);
        image.setScaledContents(true);
        QPixmap picture(162, 140);
        picture.fill(Qt::darkCyan);
        image.setPixmap(picture);

        QLabel *shown = nullptr;
        std::unique_ptr<QDialog> form;
        if (about) {
            TZtAboutBox box(seams());
            box.Image = withImage ? &image : nullptr;
            box.setImageTop(45);
            auto f = box.createForm();
            shown = f->Image_Application;
            form = std::move(f);
        } else {
            TZtSplashScreen splash(seams());
            splash.Image = withImage ? &image : nullptr;
            splash.setImageLeft(10);
            auto f = splash.createForm();
            shown = f->Image_Application;
            form = std::move(f);
        }
        QCOMPARE(shown->geometry(), expected);
        QCOMPARE(shown->pixmap().isNull(), !withImage);
        if (withImage) {
            QVERIFY(shown->hasScaledContents());
            // Placing the picture also moves the control it came from.
            QCOMPARE(image.pos(), about ? QPoint(0, 45) : QPoint(10, 0));
        }
    }

    void splashClosesByItsTimer_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("modal") << true;
        QTest::newRow("not modal") << false;
    }

    void splashClosesByItsTimer()
    {
        QFETCH(bool, modal);
        TZtSplashScreen splash(seams());
        fill(splash, details(true));
        splash.Interval = 80;
        splash.Modal = modal;
        QPointer<TForm_SplashScreen> seen;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&seen] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *form = qobject_cast<TForm_SplashScreen *>(w); form && form->isVisible())
                    seen = form;
            }
        });
        probe.start(5);
        QElapsedTimer clock;
        clock.start();
        splash.ShowSplash();
        if (modal) {
            // A coarse timer may fire up to 5 % early.
            QVERIFY2(clock.elapsed() >= 76, qPrintable(QString::number(clock.elapsed())));
            QVERIFY(seen.isNull()); // released on return
        } else {
            QVERIFY(clock.elapsed() < 80);
            QTRY_VERIFY(seen);                             // shown without waiting
            QTRY_VERIFY_WITH_TIMEOUT(seen.isNull(), 3000); // closed by the timer, released itself
        }
        QVERIFY(clock.elapsed() < 3000);
    }

    void splashIgnoresEscape()
    {
        TZtSplashScreen splash(seams());
        splash.Interval = 60000;
        auto form = splash.createForm();
        form->show();
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        form->TimerTimer();
        QVERIFY(!form->isVisible());
    }

    void webAddressIsHandedOverUnchanged_data()
    {
        QTest::addColumn<bool>("about");
        QTest::newRow("splash") << false;
        QTest::newRow("about") << true;
    }

    void webAddressIsHandedOverUnchanged()
    {
        QFETCH(bool, about);
        const QString url = QStringLiteral("https://www.quennet.example/accrua?from=about");
        m_opened.clear();
        std::unique_ptr<QDialog> form;
        LinkLabel *label = nullptr;
        if (about) {
            TZtAboutBox box(seams());
            box.CompanyURL = url;
            auto f = box.createForm();
            label = f->Label_CompanyURL;
            form = std::move(f);
        } else {
            TZtSplashScreen splash(seams());
            splash.CompanyURL = url;
            splash.Interval = 60000;
            auto f = splash.createForm();
            label = f->Label_CompanyURL;
            form = std::move(f);
        }
        form->show();
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(m_opened, QList<QUrl>{QUrl(url)});
        QVERIFY(form->isVisible()); // the click does not close the window
    }

    void aboutCaptionAndDisclaimer_data()
    {
        QTest::addColumn<QString>("disclaimer");
        QTest::newRow("standard") << QString();
        QTest::newRow("given") << QStringLiteral("Figures are estimates.");
    }

    void aboutCaptionAndDisclaimer()
    {
        QFETCH(QString, disclaimer);
        TZtAboutBox about(seams());
        fill(about, details(true));
        about.Disclaimer = disclaimer;
        const auto form = about.createForm();
        form->show();
        QCOMPARE(form->windowTitle(), QStringLiteral("About Accrua"));
        const QString text = form->RichEdit_Disclaimer->toPlainText();
        if (disclaimer.isEmpty()) {
            QCOMPARE(text.count(QStringLiteral("QUENNET SOFTWARE")), 3);
            QVERIFY(text.contains(QStringLiteral("(GPL-3.0-or-later)")));
        } else {
            QCOMPARE(text, disclaimer);
        }
        QVERIFY(form->RichEdit_Disclaimer->isReadOnly());
        QVERIFY(form->BitBtn_OK->isDefault());
        form->BitBtn_OK->click();
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(SplashAboutTest)
#include "test_splashabout.moc"
