#include "settings/loaninfo.h"

#include "desktop/datefield.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace accrua;
using namespace accrua::settings;

namespace {

text::Locale localeWith(const QString &dateFormat)
{
    return text::Locale(QLatin1Char('.'), QLatin1Char(','), 2, QStringLiteral("$"), true, dateFormat);
}

const QDate kToday(2004, 2, 29);

TodayFunction fixedToday(QDate date = kToday)
{
    return [date] { return date; };
}

// Runs `action` on the loan information dialog once it is up modally.
void whenShown(std::function<void(TForm_LoanInfo *)> action)
{
    QTimer::singleShot(0, qApp, [action = std::move(action)] {
        auto *dialog = qobject_cast<TForm_LoanInfo *>(QApplication::activeModalWidget());
        if (!dialog) {
            // Whatever is modal must not leave the test waiting forever.
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            QFAIL("the loan information dialog is not the active modal window");
        }
        action(dialog);
    });
}

} // namespace

class LoanInfoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialState()
    {
        TForm_LoanInfo dialog(localeWith(QStringLiteral("M/d/yyyy")), fixedToday());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Enter Amortization Information"));
        QCOMPARE(dialog.size(), QSize(212, 153));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.Label_Date->text(), QStringLiteral("Origination Date:"));
        QCOMPARE(dialog.Label_Purpose->text(), QStringLiteral("Purpose of the loan:"));
        QCOMPARE(dialog.BitBtn_Ok->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.BitBtn_Cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(dialog.BitBtn_Ok->isDefault());
        QVERIFY(dialog.DateTimePicker_OriginationDate->calendarPopup());
        QVERIFY(dialog.ComboBox_LoanType->isEditable());
        QStringList items;
        for (int i = 0; i < dialog.ComboBox_LoanType->count(); ++i)
            items << dialog.ComboBox_LoanType->itemText(i);
        QCOMPARE(items, QStringList({"AUTO LOAN", "BOAT LOAN", "GENERAL LOAN", "HOME LOAN", "MORTGAGE LOAN",
                                     "PERSONAL LOAN", "SIGNATURE LOAN"}));
        QCOMPARE(dialog.GetLoanType(), QStringLiteral("GENERAL LOAN"));
        QVERIFY(dialog.Cancelled());
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowContextHelpButtonHint)));
    }

    void typedPurposeKeepsItsCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("new purpose, OK clicked") << QStringLiteral("Tractor Loan") << false;
        QTest::newRow("item in lower case, Enter") << QStringLiteral("auto loan") << true;
        QTest::newRow("item prefix in lower case, Enter") << QStringLiteral("home") << true;
        QTest::newRow("item in mixed case, OK clicked") << QStringLiteral("Boat Loan") << false;
    }

    void typedPurposeKeepsItsCase()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pressEnter);
        QWidget mainWindow;
        mainWindow.resize(600, 400);
        mainWindow.show();
        DialogLoanInfoService service(&mainWindow, localeWith(QStringLiteral("M/d/yyyy")), fixedToday());
        whenShown([&](TForm_LoanInfo *dialog) {
            QLineEdit *edit = dialog->ComboBox_LoanType->lineEdit();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, typed);
            if (pressEnter)
                QTest::keyClick(edit, Qt::Key_Return);
            else
                QTest::mouseClick(dialog->BitBtn_Ok, Qt::LeftButton);
        });
        const LoanInfoAnswer answer = service.askLoanInfo(QStringLiteral("GENERAL LOAN"));
        QVERIFY(!answer.cancelled);
        QCOMPARE(answer.loanType, typed);
    }

    void storedLoanTypeComesBackUnchanged_data()
    {
        QTest::addColumn<QString>("loanType");
        QTest::newRow("not an item") << QStringLiteral("FARM EQUIPMENT LOAN");
        QTest::newRow("an item in other case") << QStringLiteral("Mortgage Loan");
        QTest::newRow("an item") << QStringLiteral("SIGNATURE LOAN");
        QTest::newRow("empty") << QString();
    }

    void storedLoanTypeComesBackUnchanged()
    {
        QFETCH(QString, loanType);
        DialogLoanInfoService service(nullptr, localeWith(QStringLiteral("M/d/yyyy")), fixedToday());
        QString shown;
        whenShown([&](TForm_LoanInfo *dialog) {
            shown = dialog->ComboBox_LoanType->currentText();
            QTest::keyClick(dialog->BitBtn_Ok, Qt::Key_Space);
        });
        const LoanInfoAnswer answer = service.askLoanInfo(loanType);
        QCOMPARE(shown, loanType);
        QVERIFY(!answer.cancelled);
        QCOMPARE(answer.loanType, loanType);
    }

    void closingWithoutOkIsCancelled_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Cancel button") << 2;
    }

    void closingWithoutOkIsCancelled()
    {
        QFETCH(int, how);
        DialogLoanInfoService service(nullptr, localeWith(QStringLiteral("M/d/yyyy")), fixedToday());
        whenShown([how](TForm_LoanInfo *dialog) {
            QTest::keyClicks(dialog->ComboBox_LoanType->lineEdit(), QStringLiteral(" X"));
            if (how == 0)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (how == 1)
                dialog->close();
            else
                QTest::mouseClick(dialog->BitBtn_Cancel, Qt::LeftButton);
        });
        QVERIFY(service.askLoanInfo(QStringLiteral("HOME LOAN")).cancelled);
    }

    void eachShowStartsCancelledOnToday()
    {
        QDate today = kToday;
        TForm_LoanInfo dialog(localeWith(QStringLiteral("M/d/yyyy")), [&today] { return today; });
        dialog.show();
        dialog.DateTimePicker_OriginationDate->setDate(QDate(1999, 12, 31));
        QTest::mouseClick(dialog.BitBtn_Ok, Qt::LeftButton);
        QVERIFY(!dialog.Cancelled());
        QCOMPARE(dialog.GetOriginationDate(), QStringLiteral("12/31/1999"));
        today = QDate(2010, 7, 4);
        dialog.show();
        QVERIFY(dialog.Cancelled());
        QCOMPARE(dialog.DateTimePicker_OriginationDate->date(), today);
    }

    void dateTextConvertsBack_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("picked");
        QTest::newRow("US today") << QStringLiteral("M/d/yyyy") << QDate();
        QTest::newRow("German") << QStringLiteral("dd.MM.yyyy") << QDate(2031, 1, 5);
        QTest::newRow("ISO") << QStringLiteral("yyyy-MM-dd") << QDate(1901, 12, 31);
        QTest::newRow("British, leap day") << QStringLiteral("dd/MM/yyyy") << QDate(2000, 2, 29);
    }

    void dateTextConvertsBack()
    {
        QFETCH(QString, format);
        QFETCH(QDate, picked);
        DialogLoanInfoService service(nullptr, localeWith(format), fixedToday());
        bool tabbedToPurpose = false;
        whenShown([picked, format, &tabbedToPurpose](TForm_LoanInfo *dialog) {
            // Typed whole over the date shown; Tab goes on to the purpose.
            QLineEdit *date = dialog->DateTimePicker_OriginationDate->lineEdit();
            date->setFocus();
            if (picked.isValid())
                QTest::keyClicks(date, picked.toString(format));
            QTest::keyClick(date, Qt::Key_Tab);
            tabbedToPurpose = dialog->focusWidget() == dialog->ComboBox_LoanType;
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        const LoanInfoAnswer answer = service.askLoanInfo(QStringLiteral("GENERAL LOAN"));
        QVERIFY(tabbedToPurpose);
        QVERIFY(!answer.cancelled);
        const QDate expected = picked.isValid() ? picked : kToday;
        QCOMPARE(QDate::fromString(answer.originationDate, format), expected);
        QCOMPARE(answer.originationDate, expected.toString(format));
    }

    void centringRoundsHalvesToEven_data()
    {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("offset");
        QTest::newRow("even") << 600 << 212 << 194;
        QTest::newRow("2.5") << 217 << 212 << 2;
        QTest::newRow("3.5") << 219 << 212 << 4;
        QTest::newRow("0.5") << 213 << 212 << 0;
        QTest::newRow("-2.5") << 207 << 212 << -2;
        QTest::newRow("-3.5") << 205 << 212 << -4;
        QTest::newRow("equal") << 212 << 212 << 0;
    }

    void centringRoundsHalvesToEven()
    {
        QFETCH(int, outer);
        QFETCH(int, inner);
        QFETCH(int, offset);
        QCOMPARE(CentredOffset(outer, inner), offset);
        QCOMPARE(CentredTopLeft(QRect(100, 50, outer, outer), QSize(inner, inner)),
                 QPoint(100 + offset, 50 + offset));
    }

    void dialogCentresOverTheMainWindow()
    {
        QWidget mainWindow;
        mainWindow.setGeometry(120, 80, 641, 479);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QWidget *child = new QWidget(&mainWindow);
        TForm_LoanInfo dialog(localeWith(QStringLiteral("M/d/yyyy")), fixedToday(), child);
        dialog.show();
        QCOMPARE(dialog.frameGeometry().topLeft(),
                 CentredTopLeft(mainWindow.frameGeometry(), dialog.frameGeometry().size()));
    }
};

QTEST_MAIN(LoanInfoTest)
#include "test_loaninfo.moc"
