// The classic report window and the main window's classic commands, on real
// widgets offscreen. File and print dialogs answer through the seam; the
// modal windows are looked at and closed from a single-shot timer.
#include "reports/classic/classicpreview.h"
#include "reports/classic/classicreport.h"
#include "reports/classic/rtf.h"
#include "reports/commands/classiccommands.h"

#include "app/mainwindow.h"
#include "interact.h"
#include "pdf.h"
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

using namespace accrua;
using namespace accrua::reports::classic;
using namespace accrua::reports::commands;

using accrua::testsupport::pdfText;

namespace {

class ScriptedDialogs : public ClassicDialogs {
public:
    QString openFileName(QWidget *parent, const QString &filter, const QString &) override
    {
        asked << QStringLiteral("open ") + filter;
        parents << parent;
        return next();
    }
    QString saveFileName(QWidget *parent, const QString &filter, const QString &) override
    {
        asked << QStringLiteral("save ") + filter;
        parents << parent;
        return next();
    }
    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        asked << QStringLiteral("print");
        parents << parent;
        if (onAsk)
            onAsk();
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }

    std::deque<QString> fileNames; // empty text: cancelled
    QString pdf;                   // empty: the print dialog is cancelled
    std::function<void()> onAsk;
    QStringList asked;
    QList<QWidget *> parents;

private:
    QString next()
    {
        if (onAsk)
            onAsk();
        if (fileNames.empty())
            return {};
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};

// Records whether Panel_Working was hidden when the question came.
class WatchingLoanInfo : public settings::ScriptedLoanInfoService {
public:
    using ScriptedLoanInfoService::ScriptedLoanInfoService;
    settings::LoanInfoAnswer askLoanInfo(const QString &loanType) override
    {
        if (panel)
            panelHiddenWhenAsked = panel->isHidden();
        return ScriptedLoanInfoService::askLoanInfo(loanType);
    }
    QWidget *panel = nullptr;
    bool panelHiddenWhenAsked = false;
};

// The main window's report commands with classic reports on.
class ClassicCommands : public app::ReportCommands {
public:
    app::TForm_Main *window = nullptr;
    ClassicServices *services = nullptr;
    void printPreview() override { BuildClassicReport(*window, window->MenuItem_PrintPreview, *services); }
    void print() override { BuildClassicReport(*window, window->MenuItem_Print, *services); }
    void save() override { SaveClassicReport(*window, *services); }
    void open() override { OpenClassicReport(*window, *services); }
};

ClassicLine line(const QString &text, const char *font = "courier new", int size = 10, bool bold = false,
                 bool underline = false)
{
    return ClassicLine{text, ClassicAttributes{QString::fromLatin1(font), size, bold, underline}};
}

// Runs `look` on the modal window once it is shown, then closes it. The
// polling ends with `scope`, so a window that never came bothers no later test.
void whenModalShown(QObject *scope, std::function<void(QWidget *)> look)
{
    accrua::testsupport::whenModal<QWidget>(
        scope,
        [look = std::move(look)](QWidget *modal) {
            look(modal);
            modal->close();
        },
        500);
}

} // namespace

class OldPreviewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    desktop::ScriptedMessageService m_messages;
    ScriptedDialogs m_dialogs;
    WatchingLoanInfo m_loanInfo{QStringLiteral("2/14/2004")};
    ClassicServices m_services;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static void writeFile(const QString &fileName, const QByteArray &bytes)
    {
        QFile f(fileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static ClassicLines sampleLines()
    {
        return {line(QStringLiteral("                Amortization Schedule"), "Arial", 12, true),
                line({}, "Arial", 12, true),
                line(QStringLiteral("     PMT     DATE"), "courier new", 10, true, true),
                line(QStringLiteral("       1     1/15/2004      1.234,56 €")), line({})};
    }

    ClassicCommands m_commands;

    std::unique_ptr<app::TForm_Main> makeMain()
    {
        app::MainWindowServices services;
        services.reports = &m_commands;
        services.messages = &m_messages;
        services.locale = testsupport::usDollars();
        services.settings = settings::FileSettingsFactory(path(QStringLiteral("Accrua.conf")));
        services.today = [] { return QDate(2004, 1, 15); };
        auto w = std::make_unique<app::TForm_Main>(std::move(services));
        w->show();
        m_loanInfo.panel = w->Panel_Working;
        m_commands.window = w.get();
        m_commands.services = &m_services;
        return w;
    }

    // A calculated 30-year loan on the Payment Amount page.
    std::unique_ptr<app::TForm_Main> calculatedLoan()
    {
        auto w = makeMain();
        app::MainModel &m = w->model();
        for (auto [field, text] : {std::pair{app::Field::Principal, "200000"},
                                   {app::Field::Interest, "6"},
                                   {app::Field::Years, "30"},
                                   {app::Field::Months, "0"}}) {
            m.typeText(field, QString::fromLatin1(text));
            m.leaveField(field);
        }
        m.calculate();
        return w;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_services.messages = &m_messages;
        m_services.dialogs = &m_dialogs;
        m_services.loanInfo = &m_loanInfo;
        m_services.today = [] { return QDate(2004, 1, 15); };
    }

    void init()
    {
        m_messages.clear();
        m_dialogs = ScriptedDialogs();
        m_loanInfo.panelHiddenWhenAsked = false;
    }

    void windowAsDesigned()
    {
        TForm_OldPreview w(m_messages, m_dialogs);
        QCOMPARE(w.windowTitle(), QStringLiteral("Print Preview"));
        QCOMPARE(w.size(), QSize(800, 600));
        QStringList items;
        for (QAction *a : w.MenuItem_File->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(w.MenuItem_File->title(), QStringLiteral("&File"));
        QCOMPARE(items, (QStringList{"&Open...", "&Save...", "-", "&Print...", "-", "&Close"}));
        QCOMPARE(w.Panel_Ok->height(), 34);
        QList<int> lefts;
        for (QPushButton *b : {w.BitBtn_Open, w.BitBtn_Save, w.BitBtn_Print}) {
            QCOMPARE(b->size(), QSize(27, 27));
            QVERIFY(!b->icon().isNull());
            lefts << b->x();
        }
        QVERIFY(lefts[0] < lefts[1] && lefts[1] < lefts[2]);
        QVERIFY(w.RichEdit_Preview->isReadOnly());
        QCOMPARE(w.RichEdit_Preview->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(w.RichEdit_Preview->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(w.RichEdit_Preview->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!(w.RichEdit_Preview->focusPolicy() & Qt::TabFocus));
        QCOMPARE(w.RichEdit_Preview->document()->defaultFont().family(), QStringLiteral("Courier New"));
    }

    void showsEachLineInItsAttributes()
    {
        TForm_OldPreview w(m_messages, m_dialogs);
        const ClassicLines lines = sampleLines();
        w.setLines(lines);
        QTextDocument *doc = w.RichEdit_Preview->document();
        QCOMPARE(doc->blockCount(), int(lines.size()));
        for (int i = 0; i < int(lines.size()); ++i) {
            const QTextBlock block = doc->findBlockByNumber(i);
            QCOMPARE(block.text(), lines[i].text);
            const QFont font = block.charFormat().font();
            QCOMPARE(font.family().toLower(), lines[i].attributes.fontName.toLower());
            QCOMPARE(font.pointSize(), lines[i].attributes.pointSize);
            QCOMPARE(font.bold(), lines[i].attributes.bold);
            QCOMPARE(font.underline(), lines[i].attributes.underline);
        }
        QCOMPARE(w.RichEdit_Preview->textCursor().position(), 0);
    }

    void saveThenOpenGivesTheSameContent()
    {
        TForm_OldPreview w(m_messages, m_dialogs);
        w.setLines(sampleLines());
        const QString file = path(QStringLiteral("saved.TXT"));
        m_dialogs.fileNames = {file, file};
        w.BitBtn_SaveClick();
        QCOMPARE(m_dialogs.asked.last(), QStringLiteral("save Text File (*.TXT)|*.TXT"));
        w.setLines({});
        w.MenuItem_Open->trigger();
        QCOMPARE(m_dialogs.asked.last(), QStringLiteral("open Rich Text File (*.TXT)|*.TXT"));
        QVERIFY(w.lines() == sampleLines());
        QCOMPARE(w.RichEdit_Preview->document()->blockCount(), int(sampleLines().size()));
        QVERIFY(m_messages.shown().empty());
        QCOMPARE(m_dialogs.parents, (QList<QWidget *>{&w, &w}));
    }

    void openFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // none: the file is missing
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("Cannot open");
        QTest::newRow("damaged") << QByteArray("{\\rtf1{\\b cut") << QStringLiteral("groups are closed");
        QTest::newRow("hostile nesting")
            << QByteArray("{\\rtf1").append(QByteArray(5000, '{')) << QStringLiteral("nested");
    }

    void openFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString file = path(QStringLiteral("bad.TXT"));
        QFile::remove(file);
        if (!bytes.isEmpty())
            writeFile(file, bytes);
        TForm_OldPreview w(m_messages, m_dialogs);
        w.setLines(sampleLines());
        m_dialogs.fileNames = {file};
        w.BitBtn_OpenClick();
        QCOMPARE(int(m_messages.shown().size()), 1);
        QCOMPARE(m_messages.shown()[0].kind, desktop::MessageKind::Error);
        QVERIFY2(m_messages.shown()[0].text.contains(reason), qPrintable(m_messages.shown()[0].text));
        QVERIFY(w.lines() == sampleLines());
    }

    void openPlainText()
    {
        const QString file = path(QStringLiteral("plain.TXT"));
        writeFile(file, "first line\r\n  second\r\n");
        TForm_OldPreview w(m_messages, m_dialogs);
        m_dialogs.fileNames = {file};
        w.BitBtn_OpenClick();
        QCOMPARE(w.RichEdit_Preview->toPlainText(), QStringLiteral("first line\n  second"));
        QCOMPARE(w.lines()[1].attributes, ClassicAttributes());
    }

    void saveFailureKeepsContentAndSaysWhy()
    {
        TForm_OldPreview w(m_messages, m_dialogs);
        w.setLines(sampleLines());
        m_dialogs.fileNames = {path(QStringLiteral("no/such/folder/x.TXT"))};
        w.BitBtn_SaveClick();
        QCOMPARE(int(m_messages.shown().size()), 1);
        QVERIFY(m_messages.shown()[0].text.startsWith(QLatin1String("Cannot save")));
        QVERIFY(w.lines() == sampleLines());
    }

    void printsTheContentAfterThePrintDialog_data()
    {
        QTest::addColumn<QString>("target"); // empty: the print dialog is cancelled
        QTest::addColumn<bool>("printed");
        QTest::newRow("confirmed") << QStringLiteral("window.pdf") << true;
        QTest::newRow("cancelled") << QString() << false;
        QTest::newRow("printer fails") << QStringLiteral("no/such/folder/window.pdf") << false;
    }

    void printsTheContentAfterThePrintDialog()
    {
        QFETCH(QString, target);
        QFETCH(bool, printed);
        const QString pdf = target.isEmpty() ? QString() : path(target);
        if (!pdf.isEmpty())
            QFile::remove(pdf);
        TForm_OldPreview w(m_messages, m_dialogs);
        w.setLines(sampleLines());
        m_dialogs.pdf = pdf;
        w.BitBtn_PrintClick();
        QCOMPARE(!pdf.isEmpty() && QFile::exists(pdf), printed);
        if (printed)
            QVERIFY(pdfText(pdf).contains(QLatin1String("1/15/2004")));
        // A failure is said; a cancelled dialog says nothing.
        QCOMPARE(int(m_messages.shown().size()), !pdf.isEmpty() && !printed ? 1 : 0);
        QVERIFY(w.lines() == sampleLines());
    }

    // BuildClassicReport: Panel_Working is hidden whenever a dialog or the
    // window is up, and at the end in every branch.
    // Printed inside half-inch margins whatever the printer's own minimum, on
    // the paper the saved file names (Letter; sizes in points, then twips).
    void printsAndSavesTheSamePage_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("daily report, 71 columns")
            << 71 << QStringLiteral("width=\"612.000000\"")
            << QByteArray("\\paperw12240\\paperh15840\\margl720\\margr720\\margt720\\margb720\n");
        QTest::newRow("schedule, 95 columns")
            << 95 << QStringLiteral("width=\"792.000000\"")
            << QByteArray("\\paperw15840\\paperh12240\\margl720\\margr720\\margt720\\margb720\\landscape");
    }

    void printsAndSavesTheSamePage()
    {
        QFETCH(int, columns);
        QFETCH(QString, printed);
        QFETCH(QByteArray, saved);
        const ClassicLines lines{line(QString(columns, u'9'))};
        QVERIFY2(RtfFormat::toRtf(lines).contains(saved), RtfFormat::toRtf(lines).constData());
        QPrinter printer;
        printer.setOutputFileName(path(QStringLiteral("margins.pdf")));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(3, 1.5, 3, 1.5), QPageLayout::Millimeter);
        QVERIFY(printClassicLines(lines, printer));
        QProcess p;
        p.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox"), printer.outputFileName(), QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString box = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(box.contains(printed), qPrintable(box));
        const QRegularExpressionMatch at =
            QRegularExpression(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"")).match(box);
        QVERIFY(at.captured(1).toDouble() > 35.5 && at.captured(2).toDouble() > 35.5); // 12.7 mm = 36 pt
    }

    void workingPanelHiddenInEveryBranch_data()
    {
        QTest::addColumn<QString>("command"); // preview, print, save
        QTest::addColumn<bool>("useDefaults");
        QTest::addColumn<bool>("loanInfoCancelled");
        QTest::addColumn<bool>("printConfirmed");
        QTest::addColumn<bool>("expectOutput");
        QTest::newRow("preview with defaults") << "preview" << true << false << false << true;
        QTest::newRow("preview asking") << "preview" << false << false << false << true;
        QTest::newRow("loan information cancelled") << "preview" << false << true << false << false;
        QTest::newRow("print confirmed") << "print" << true << false << true << true;
        QTest::newRow("print dialog cancelled") << "print" << true << false << false << false;
        QTest::newRow("print after the question") << "print" << false << false << true << true;
        QTest::newRow("other command") << "save" << true << false << true << false;
    }

    void workingPanelHiddenInEveryBranch()
    {
        QFETCH(QString, command);
        QFETCH(bool, useDefaults);
        QFETCH(bool, loanInfoCancelled);
        QFETCH(bool, printConfirmed);
        QFETCH(bool, expectOutput);
        auto main = calculatedLoan();
        main->MenuItem_UseDefaults->setChecked(useDefaults);
        if (loanInfoCancelled)
            m_loanInfo.queueAnswer(settings::LoanInfoAnswer{});
        const QString pdf = path(QStringLiteral("printed.pdf"));
        QFile::remove(pdf);
        m_dialogs.pdf = printConfirmed ? pdf : QString();
        bool panelHiddenAtDialog = false;
        m_dialogs.onAsk = [&] { panelHiddenAtDialog = main->Panel_Working->isHidden(); };

        ClassicLines shown;
        bool panelHiddenWhileShown = false;
        bool modal = false;
        QObject scope;
        if (command == QLatin1String("preview"))
            whenModalShown(&scope, [&](QWidget *w) {
                auto *window = qobject_cast<TForm_OldPreview *>(w);
                QVERIFY(window);
                modal = window->isModal() && window->parentWidget() == main.get();
                shown = window->lines();
                panelHiddenWhileShown = main->Panel_Working->isHidden();
            });
        QAction *action = command == QLatin1String("preview") ? main->MenuItem_PrintPreview
                          : command == QLatin1String("print") ? main->MenuItem_Print
                                                              : main->MenuItem_Save;
        BuildClassicReport(*main, action, m_services);

        QVERIFY(main->Panel_Working->isHidden());
        QVERIFY(m_messages.shown().empty());
        if (!useDefaults)
            QVERIFY(m_loanInfo.panelHiddenWhenAsked);
        if (command == QLatin1String("preview")) {
            QCOMPARE(!shown.empty(), expectOutput);
            if (expectOutput) {
                QVERIFY(modal);
                QVERIFY(panelHiddenWhileShown);
                // 8 header lines, 360 rows, 30 year-end blocks of 7 lines, 2 totals lines.
                QCOMPARE(shown.size(), size_t(8 + 360 + 30 * 7 + 2));
                const QString date = useDefaults ? QStringLiteral("1/15/2004") : QStringLiteral("2/14/2004");
                QVERIFY2(shown[5].text.contains(QStringLiteral("ORIGINATION DATE:  ") + date),
                         qPrintable(shown[5].text));
            }
        } else if (command == QLatin1String("print")) {
            QCOMPARE(m_dialogs.asked, QStringList{QStringLiteral("print")});
            QCOMPARE(m_dialogs.parents, QList<QWidget *>{main.get()});
            QVERIFY(panelHiddenAtDialog);
            QCOMPARE(QFile::exists(pdf), expectOutput);
            if (expectOutput) {
                // Whole lines on paper: the balance column of the first row too.
                const QString text = pdfText(pdf);
                QVERIFY(text.contains(QLatin1String("OVERALL TOTALS")));
                QVERIFY2(text.contains(QLatin1String("199,800.89")), qPrintable(text.left(2000)));
            }
        } else {
            QVERIFY(m_dialogs.asked.isEmpty());
        }
    }

    // F2 from a field: one preview, also when Escape closes it and the
    // focus comes back elsewhere.
    void f2PreviewsOnce()
    {
        auto main = calculatedLoan();
        main->MenuItem_UseDefaults->setChecked(true);
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        main->edit(app::Field::Years)->setFocus();
        int shown = 0;
        QObject scope;
        std::function<void()> closeEach = [&] {
            whenModalShown(&scope, [&](QWidget *w) {
                if (qobject_cast<TForm_OldPreview *>(w)) {
                    ++shown;
                    w->activateWindow();
                    QTest::keyClick(w, Qt::Key_Escape);
                    closeEach(); // a second preview would be counted too
                }
            });
        };
        closeEach();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QTest::qWait(50);
        QCOMPARE(shown, 1);
    }

    void openFromTheMainWindow()
    {
        auto main = makeMain();
        const QString file = path(QStringLiteral("opened.TXT"));
        RtfFormat format;
        QVERIFY(format.writeFile(file, sampleLines()));
        m_dialogs.fileNames = {file};
        ClassicLines shown;
        QObject scope;
        whenModalShown(&scope, [&](QWidget *w) {
            if (auto *window = qobject_cast<TForm_OldPreview *>(w))
                shown = window->lines();
        });
        OpenClassicReport(*main, m_services);
        QCOMPARE(m_dialogs.asked, QStringList{QStringLiteral("open Rich Text File (*.TXT)|*.TXT")});
        QVERIFY(shown == sampleLines());
    }

    void openFromTheMainWindowRefusesADamagedFile()
    {
        auto main = makeMain();
        const QString file = path(QStringLiteral("damaged.TXT"));
        writeFile(file, "{\\rtf1 \\'zz}");
        m_dialogs.fileNames = {file};
        bool windowShown = false;
        QObject scope;
        whenModalShown(&scope,
                       [&](QWidget *w) { windowShown = qobject_cast<TForm_OldPreview *>(w) != nullptr; });
        OpenClassicReport(*main, m_services);
        QVERIFY(!windowShown);
        QCOMPARE(int(m_messages.shown().size()), 1);
        QCOMPARE(m_messages.shown()[0].kind, desktop::MessageKind::Error);
    }

    // The main window's Save with classic reports on writes the report a
    // preview shows.
    void saveFromTheMainWindow_data()
    {
        QTest::addColumn<bool>("fileChosen");
        QTest::addColumn<bool>("loanInfoCancelled");
        QTest::newRow("written") << true << false;
        QTest::newRow("file dialog cancelled") << false << false;
        QTest::newRow("loan information cancelled") << true << true;
    }

    void saveFromTheMainWindow()
    {
        QFETCH(bool, fileChosen);
        QFETCH(bool, loanInfoCancelled);
        auto main = calculatedLoan();
        const QString file = path(QStringLiteral("main-save.TXT"));
        QFile::remove(file);
        m_dialogs.fileNames = {fileChosen ? file : QString()};
        if (loanInfoCancelled)
            m_loanInfo.queueAnswer(settings::LoanInfoAnswer{});
        const bool written = SaveClassicReport(*main, m_services);
        QCOMPARE(written, fileChosen && !loanInfoCancelled);
        QCOMPARE(QFile::exists(file), written);
        QCOMPARE(m_dialogs.asked.first(), QStringLiteral("save Text File (*.TXT)|*.TXT"));
        QVERIFY(main->Panel_Working->isHidden());
        if (written) {
            RtfFormat format;
            ClassicLines read;
            QVERIFY(format.readFile(file, read));
            const auto loan =
                loanInformationFrom({false, QStringLiteral("2/14/2004"), QStringLiteral("GENERAL LOAN")},
                                    testsupport::usDollars());
            QVERIFY(read == buildClassicReportOf(main->model(), app::Mode::PaymentAmount, false, *loan));
        }
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    OldPreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_classicpreview.moc"
