// The main window as a desktop program: boxes above the window that asked,
// exact captions, large amounts refused on leaving, Stay On Top without losing
// the focus, nothing clipped, keyboard and accessibility. Offscreen, real boxes.
#include "app/application.h"
#include "app/mainwindow.h"
#include "desktop/messagebox.h"
#include "interact.h"
#include "settings/store.h"
#include "support.h"

#include "desktop/datefield.h"
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>

using namespace accrua;
using app::Field;
using app::Mode;
using app::TForm_Main;

using accrua::testsupport::typeInto;

namespace {

struct SeenBox {
    QWidget *parent = nullptr;
    Qt::WindowFlags flags;
    QString caption;
    QString text;
    int buttons = 0;
};

// Looks at the next modal box once it is up, then presses Escape in it.
void whenBoxShown(std::function<void(QMessageBox *)> use)
{
    accrua::testsupport::whenModal<QMessageBox>(qApp, std::move(use), 300);
}

// The room a line edit gives its text: its style's contents rectangle less
// the two pixels the edit keeps free on either side.
int textRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - 4;
}

// The longest values the fields must show whole.
QString longestValue(Field field)
{
    switch (field) {
    case Field::DailyRate:
        return QStringLiteral("0.136986301369863");
    case Field::Interest:
    case Field::DayInterest:
    case Field::SaveInterest:
        return QStringLiteral("12.3456");
    case Field::Years:
    case Field::Months:
    case Field::Days:
    case Field::SaveYears:
    case Field::SaveMonths:
    case Field::YearsAnswer:
    case Field::MonthsAnswer:
    case Field::TotalNumberPayments:
        return QStringLiteral("2147483647");
    default:
        return QStringLiteral("-999999999999.99");
    }
}

QAction *modeItem(TForm_Main &w, Mode mode)
{
    QAction *items[] = {w.MenuItem_PaymentAmount, w.MenuItem_NumberofPayments, w.MenuItem_Amortization,
                        w.MenuItem_DailyInterest, w.MenuItem_SavingsInterest};
    return items[int(mode)];
}

} // namespace

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(Mode)

class WindowDesktopTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    desktop::ScriptedMessageService m_scripted;
    desktop::QtMessageService m_boxes;

    QString storePath() const { return m_dir.filePath(QStringLiteral("Accrua.conf")); }

    std::unique_ptr<TForm_Main> makeWindow(desktop::MessageService *messages = nullptr)
    {
        app::MainWindowServices services;
        services.messages = messages ? messages : &m_scripted;
        services.locale = testsupport::usDollars();
        services.settings = settings::FileSettingsFactory(storePath());
        auto w = std::make_unique<TForm_Main>(std::move(services));
        m_boxes.setOwner(w.get());
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
        return w;
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(storePath());
        m_scripted.clear();
    }

    void boxOpensAboveTheWindowThatAsked_data()
    {
        QTest::addColumn<bool>("stayOnTop");
        QTest::addColumn<bool>("stored"); // Stay On Top read back at start, not toggled
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("buttons");
        QTest::newRow("leave check") << false << false << Mode::PaymentAmount << "Warning" << 1;
        QTest::newRow("leave check, stay on top") << true << false << Mode::PaymentAmount << "Warning" << 1;
        QTest::newRow("stay on top from the store") << true << true << Mode::PaymentAmount << "Warning" << 1;
        QTest::newRow("amortization question, stay on top")
            << true << false << Mode::Amortization << "Warning" << 2;
        QTest::newRow("savings months, stay on top")
            << true << false << Mode::SavingsInterest << "Information" << 1;
    }

    void boxOpensAboveTheWindowThatAsked()
    {
        QFETCH(bool, stayOnTop);
        QFETCH(bool, stored);
        QFETCH(Mode, mode);
        QFETCH(QString, caption);
        QFETCH(int, buttons);
        if (stored) {
            QSettings store(storePath(), QSettings::IniFormat);
            store.setValue(QStringLiteral("STAYONTOP"), QStringLiteral("1"));
        }
        auto w = makeWindow(&m_boxes);
        if (stayOnTop && !stored)
            w->MenuItem_StayOnTop->trigger();
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), stayOnTop);
        modeItem(*w, mode)->trigger();

        SeenBox seen;
        whenBoxShown([&seen](QMessageBox *box) {
            seen = {box->parentWidget(), box->windowFlags(), box->windowTitle(), box->text(),
                    int(box->buttons().size())};
            QTest::keyClick(box, Qt::Key_Escape);
        });
        switch (mode) {
        case Mode::PaymentAmount:
            typeInto(w->edit(Field::Principal), QStringLiteral("xyz"));
            QTest::keyClick(w->edit(Field::Principal), Qt::Key_Tab);
            break;
        case Mode::Amortization:
            // Twelve payments of 100 are more than 1000 at 12 % needs: the program asks.
            typeInto(w->edit(Field::Principal), QStringLiteral("1000"));
            typeInto(w->edit(Field::Interest), QStringLiteral("12"));
            typeInto(w->edit(Field::Payment), QStringLiteral("100"));
            typeInto(w->edit(Field::Years), QStringLiteral("1"));
            w->BitBtn_Calculate->click();
            break;
        default:
            typeInto(w->edit(Field::SaveAmount), QStringLiteral("1000"));
            typeInto(w->edit(Field::SaveInterest), QStringLiteral("4"));
            typeInto(w->edit(Field::SaveMonths), QStringLiteral("5"));
            w->BitBtn_Calculate->click();
            break;
        }
        QTRY_VERIFY(seen.parent);
        QCOMPARE(seen.parent, w.get());
        QCOMPARE(seen.flags & Qt::WindowType_Mask, Qt::Dialog);
        QCOMPARE(seen.flags.testFlag(Qt::WindowStaysOnTopHint), stayOnTop);
        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.buttons, buttons);
    }

    void largeAmountRefusedOnLeaving_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("after");
        QTest::newRow("principal 1e300")
            << Mode::PaymentAmount << Field::Principal << "1e300" << true << "1E300";
        QTest::newRow("payment -1E20")
            << Mode::NumberOfPayments << Field::Payment << "-1E20" << true << "-1E20";
        QTest::newRow("daily payment 1e15")
            << Mode::DailyInterest << Field::DayPayment << "1e15" << true << "1E15";
        QTest::newRow("balance 1e15")
            << Mode::SavingsInterest << Field::SaveAmount << "1e15" << true << "1E15";
        QTest::newRow("largest money kept")
            << Mode::PaymentAmount << Field::Principal << "922337203685477" << false << "922337203685477.00";
        QTest::newRow("exponent within range")
            << Mode::PaymentAmount << Field::Principal << "1.5e3" << false << "1500.00";
    }

    void largeAmountRefusedOnLeaving()
    {
        QFETCH(Mode, mode);
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QString, after);
        auto w = makeWindow();
        modeItem(*w, mode)->trigger();
        typeInto(w->edit(field), typed);
        QTest::keyClick(w->edit(field), Qt::Key_Tab);
        QCOMPARE(w->edit(field)->text(), after);
        if (!refused) {
            QVERIFY(m_scripted.shown().empty());
            return;
        }
        QCOMPARE(m_scripted.shown().size(), std::size_t(1));
        const auto &shown = m_scripted.shown().front();
        QCOMPARE(shown.kind, desktop::MessageKind::Warning);
        QVERIFY2(shown.text.startsWith(QStringLiteral("The amount ")) &&
                     shown.text.endsWith(QStringLiteral(" is too large to calculate with.")),
                 qPrintable(shown.text));
        QTRY_COMPARE(QApplication::focusWidget(), w->edit(field));
    }

    void stayOnTopKeepsActivationAndFocus_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("principal") << Mode::PaymentAmount << Field::Principal << "1234";
        QTest::newRow("refusable text stays unchecked") << Mode::PaymentAmount << Field::Interest << "12a";
        QTest::newRow("daily payment") << Mode::DailyInterest << Field::DayPayment << "77";
        QTest::newRow("savings months") << Mode::SavingsInterest << Field::SaveMonths << "6";
    }

    void stayOnTopKeepsActivationAndFocus()
    {
        QFETCH(Mode, mode);
        QFETCH(Field, field);
        QFETCH(QString, typed);
        auto w = makeWindow();
        modeItem(*w, mode)->trigger();
        typeInto(w->edit(field), typed);
        const QString text = w->edit(field)->text();
        for (bool on : {true, false}) {
            w->MenuItem_StayOnTop->trigger();
            QCOMPARE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
            QTRY_COMPARE(QApplication::activeWindow(), w.get());
            QCOMPARE(QApplication::focusWidget(), w->edit(field));
            QCOMPARE(w->edit(field)->text(), text);
        }
        QVERIFY(m_scripted.shown().empty()); // no leave check ran
    }

    void nothingClippedOrOverlapping_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::newRow("payment amount") << Mode::PaymentAmount;
        QTest::newRow("number of payments") << Mode::NumberOfPayments;
        QTest::newRow("amortization") << Mode::Amortization;
        QTest::newRow("daily interest") << Mode::DailyInterest;
        QTest::newRow("savings interest") << Mode::SavingsInterest;
    }

    void nothingClippedOrOverlapping()
    {
        QFETCH(Mode, mode);
        auto w = makeWindow();
        modeItem(*w, mode)->trigger();
        QWidget *page = w->PageControl->currentWidget();
        const QRect client = w->centralWidget()->rect();
        QVERIFY(client.contains(w->PageControl->geometry()));
        QVERIFY(w->PageControl->tabBar()->sizeHint().width() <= w->PageControl->width());

        const auto fail = [](QWidget *widget, const char *what) {
            return qPrintable(
                widget->objectName() + QLatin1Char(' ') + QLatin1String(what) + QLatin1Char(' ') +
                (qobject_cast<QLabel *>(widget) ? qobject_cast<QLabel *>(widget)->text() : QString()));
        };
        QList<QWidget *> checked;
        for (QWidget *widget : page->findChildren<QWidget *>()) {
            if (!widget->isVisible() || widget->parentWidget()->inherits("accrua::desktop::DateField") ||
                widget->parentWidget()->inherits("QLineEdit"))
                continue;
            checked << widget;
            QWidget *parent = widget->parentWidget();
            const QRect room = qobject_cast<QGroupBox *>(parent) ? parent->contentsRect() : parent->rect();
            QVERIFY2(room.contains(widget->geometry()), fail(widget, "leaves its parent's room"));
            for (QWidget *sibling : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (sibling != widget && sibling->isVisible() && sibling->isWidgetType())
                    QVERIFY2(!sibling->geometry().intersects(widget->geometry()),
                             fail(widget, "overlaps a sibling"));
            }
            const QFontMetrics metrics(widget->font());
            if (auto *label = qobject_cast<QLabel *>(widget)) {
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), fail(widget, "cut"));
                QCOMPARE(label->fontInfo().family(), QStringLiteral("Liberation Sans"));
                QCOMPARE(label->font().pointSize(), 8);
            } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
                const auto field = app::fieldByControlName(edit->objectName());
                QVERIFY(field);
                QVERIFY2(metrics.horizontalAdvance(longestValue(*field)) <= textRoom(edit),
                         fail(widget, "too narrow"));
            } else if (auto *box = qobject_cast<QGroupBox *>(widget)) {
                QVERIFY2(metrics.horizontalAdvance(box->title()) < box->width() - 16,
                         fail(widget, "title cut"));
            } else if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
                QVERIFY2(radio->sizeHint().width() <= radio->width(), fail(widget, "cut"));
            }
        }
        QVERIFY(checked.size() > 6);
        // The outer boxes, "Enter Values" and "Totals", share their top and height as designed.
        QList<QGroupBox *> boxes = page->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
        std::sort(boxes.begin(), boxes.end(), [](QGroupBox *a, QGroupBox *b) { return a->x() < b->x(); });
        QCOMPARE(boxes.front()->y(), boxes.back()->y());
        QCOMPARE(boxes.front()->geometry().bottom(), boxes.back()->geometry().bottom());
        // The Calculate button stands above the pages, clear of every box.
        const QRect button = w->BitBtn_Calculate->geometry();
        QVERIFY(w->BitBtn_Calculate->sizeHint().width() <= button.width());
        for (QGroupBox *box : page->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly)) {
            const QRect inClient(box->mapTo(w->centralWidget(), QPoint(0, 0)), box->size());
            QVERIFY2(!inClient.intersects(button.adjusted(-2, -2, 2, 2)), qPrintable(box->objectName()));
        }
    }

    void fixedWindowWithoutStrip()
    {
        auto w = makeWindow();
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(w->height(), w->menuBar()->height() + w->centralWidget()->height());
        QCOMPARE(w->centralWidget()->height(), w->ToolBar->height() + w->PageControl->height());
        QCOMPARE(w->PageControl->y(), w->ToolBar->geometry().bottom() + 1);
        QCOMPARE(w->ToolBar->width(), w->centralWidget()->width());
    }

    void fieldsAreNamedByTheirLabels()
    {
        auto w = makeWindow();
        for (const app::FieldInfo &info : app::allFields()) {
            QLineEdit *edit = w->edit(info.field);
            QVERIFY(!edit->accessibleName().isEmpty());
            QVERIFY(edit->toolTip().isEmpty());
            if (QString(QLatin1String(info.caption)).isEmpty())
                continue;
            QLabel *buddyOf = nullptr;
            for (QLabel *label : edit->parentWidget()->findChildren<QLabel *>()) {
                if (label->buddy() == edit)
                    buddyOf = label;
            }
            QVERIFY2(buddyOf, info.controlName);
            QCOMPARE(buddyOf->text(), QLatin1String(info.caption));
            QVERIFY(buddyOf->text().startsWith(edit->accessibleName()));
        }
        for (desktop::DateField *picker : {w->DateTimePicker_StartDate, w->DateTimePicker_ReceiveDate})
            QVERIFY(!picker->accessibleName().isEmpty());
    }

    void tabOrderFollowsThePage_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("payment amount")
            << Mode::PaymentAmount
            << QStringList{"MaskEdit_Principal", "MaskEdit_Interest", "MaskEdit_Years",
                           "MaskEdit_Months",    "BitBtn_Calculate",  "MaskEdit_Principal"};
        QTest::newRow("number of payments")
            << Mode::NumberOfPayments
            << QStringList{"MaskEdit_Principal", "MaskEdit_Interest", "MaskEdit_Payment", "BitBtn_Calculate",
                           "MaskEdit_Principal"};
        QTest::newRow("amortization")
            << Mode::Amortization
            << QStringList{"MaskEdit_Principal", "MaskEdit_Interest", "MaskEdit_Payment",
                           "MaskEdit_Years",     "MaskEdit_Months",   "BitBtn_Calculate"};
        QTest::newRow("daily interest")
            << Mode::DailyInterest
            << QStringList{"DateTimePicker_StartDate", "DateTimePicker_ReceiveDate", "MaskEdit_Days",
                           "MaskEdit_DayPrincipal",    "MaskEdit_DayInterest",       "MaskEdit_DayPayment",
                           "BitBtn_Calculate"};
        QTest::newRow("savings interest")
            << Mode::SavingsInterest
            << QStringList{"MaskEdit_SaveAmount", "MaskEdit_SaveInterest", "Bi-Yearly",
                           "MaskEdit_SaveYears",  "MaskEdit_SaveMonths",   "BitBtn_Calculate"};
    }

    void tabOrderFollowsThePage()
    {
        QFETCH(Mode, mode);
        QFETCH(QStringList, order);
        auto w = makeWindow();
        modeItem(*w, mode)->trigger();
        QWidget *first = w->PageControl->currentWidget()->findChild<QWidget *>(order.front());
        QVERIFY(first);
        first->setFocus(Qt::TabFocusReason);
        QStringList seen;
        for (qsizetype k = 0; k < order.size(); ++k) {
            QWidget *focused = QApplication::focusWidget();
            seen << (qobject_cast<QRadioButton *>(focused) ? qobject_cast<QRadioButton *>(focused)->text()
                                                           : focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(seen, order);
    }

    void arrowKeysMoveTheCompounding_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("down") << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("up") << 2 << int(Qt::Key_Up) << 1;
        QTest::newRow("down wraps") << 3 << int(Qt::Key_Down) << 0;
        QTest::newRow("left wraps") << 0 << int(Qt::Key_Left) << 3;
    }

    void arrowKeysMoveTheCompounding()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        auto w = makeWindow();
        w->MenuItem_SavingsInterest->trigger();
        w->RadioButton_Compounded[from]->setChecked(true);
        w->RadioButton_Compounded[from]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->RadioButton_Compounded[from], Qt::Key(key));
        QVERIFY(w->RadioButton_Compounded[to]->isChecked());
        QCOMPARE(QApplication::focusWidget(), w->RadioButton_Compounded[to]);
        QCOMPARE(w->model().compounding(), to);
        QCOMPARE(w->RadioButton_Compounded[to]->parentWidget(), w->RadioGroup_SaveCompounded);
        QCOMPARE(w->RadioGroup_SaveCompounded->parentWidget(), w->edit(Field::SaveAmount)->parentWidget());
    }

    void pastedLineBreaksShowOnOneLine()
    {
        auto w = makeWindow();
        w->edit(Field::Principal)->setFocus(Qt::TabFocusReason);
        w->edit(Field::Principal)->selectAll();
        w->edit(Field::Principal)->insert(QStringLiteral("12\n34\r\n5"));
        QTest::keyClick(w->edit(Field::Principal), Qt::Key_Tab);
        QCOMPARE(m_scripted.shown().size(), std::size_t(1));
        QCOMPARE(m_scripted.shown().front().text, QStringLiteral("\"12 34  5\" is not a valid value!"));
        QCOMPARE(w->edit(Field::Principal)->text(), QStringLiteral("12 34  5"));
    }

    void focusedCalculateShowsAFrame()
    {
        auto w = makeWindow();
        typeInto(w->edit(Field::Interest), QStringLiteral("5"));
        typeInto(w->edit(Field::Years), QStringLiteral("1"));
        typeInto(w->edit(Field::Principal), QStringLiteral("100"));
        const QImage unfocused = w->BitBtn_Calculate->grab().toImage();
        w->ToolButton_Calculate->trigger();
        QVERIFY(m_scripted.shown().empty());
        QCOMPARE(QApplication::focusWidget(), w->BitBtn_Calculate);
        QVERIFY(w->BitBtn_Calculate->grab().toImage() != unfocused);
    }

    void toolGlyphsAreDistinctAndDrawnAtDeviceSize()
    {
        auto w = makeWindow();
        QList<QImage> seen;
        for (QAction *a : {w->ToolButton_Open, w->ToolButton_Save, w->ToolButton_PrintPreview,
                           w->ToolButton_Print, w->ToolButton_Calculate}) {
            const QPixmap pixmap = a->icon().pixmap(QSize(16, 16), 2.0);
            QCOMPARE(pixmap.size(), QSize(32, 32)); // drawn for the device, not scaled up
            const QImage image = pixmap.toImage();
            QVERIFY2(!seen.contains(image), qPrintable(a->objectName()));
            seen << image;
        }
    }
};

int main(int argc, char **argv)
{
    testsupport::ensureWidgetsApp();
    app::Application::setIdentity();
    WindowDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_desktop.moc"
