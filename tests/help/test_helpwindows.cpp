// The help topics dialog and the help window on real widgets (offscreen),
// and the program's own help pages read by the same viewer.
#include "help/helpwindows.h"

#include "faults.h"

#include <QAbstractTextDocumentLayout>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace accrua::help;
using accrua::desktop::DesktopServices;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

namespace {

void writePage(const QString &path, const QString &body)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<html><body>%1</body></html>").arg(body).toUtf8());
}

// Links and images of the page the viewer shows.
void collect(const QTextDocument &document, QStringList &links, QStringList &images)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                links << format.anchorHref();
            if (format.isImageFormat())
                images << format.toImageFormat().name();
        }
    }
}

QStringList warnings;

void recordWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings << message;
}

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
    int m_printAsks = 0;
    bool m_printAnswer = false;

    QString pageDir() const { return m_dir.path() + u'/'; }

    DesktopServices seams()
    {
        DesktopServices services;
        services.askPrinter = [this](QPrinter &printer, QWidget *) {
            ++m_printAsks;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_dir.filePath(QStringLiteral("topic.pdf")));
            return m_printAnswer;
        };
        services.openUrl = [this](const QUrl &url) { m_opened << url; };
        return services;
    }

    // Shows `file` in `form` as Display does.
    static void showTopic(TForm_HelpForm &form, const QString &path, const QString &title)
    {
        form.TopicPath = path;
        form.TopicTitle = title;
        form.PendingShow = true;
        form.FormActivate();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Accrua"));
        QVERIFY(m_dir.isValid());
        writePage(m_dir.filePath(QStringLiteral("a.html")),
                  QStringLiteral("Page A <a href=\"b.html\">to B</a>"));
        writePage(m_dir.filePath(QStringLiteral("b.html")), QStringLiteral("Page B"));
    }

    void topicsDialogListsTitlesSorted_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("applicationTitle");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("caption");
        QTest::newRow("main window's")
            << QStringList{QStringLiteral("HelpAccrua.html=Accrua Topics")} << QString()
            << QStringList{QStringLiteral("Accrua Topics")} << QStringLiteral("Help Topics: Accrua Help");
        QTest::newRow("sorted, duplicates kept")
            << QStringList{QStringLiteral("c.html=cost"), QStringLiteral("a.html=Loans"),
                           QStringLiteral("b.html=Budget"), QStringLiteral("d.html=Loans")}
            << QStringLiteral("Ledger")
            << QStringList{QStringLiteral("Budget"), QStringLiteral("cost"), QStringLiteral("Loans"),
                           QStringLiteral("Loans")}
            << QStringLiteral("Help Topics: Ledger Help");
        QTest::newRow("empty") << QStringList{} << QString() << QStringList{}
                               << QStringLiteral("Help Topics: Accrua Help");
    }

    void topicsDialogListsTitlesSorted()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, applicationTitle);
        QFETCH(QStringList, lines);
        QFETCH(QString, caption);
        TForm_HelpMenu menu;
        menu.HelpFiles = entries;
        menu.ApplicationTitle = applicationTitle;
        menu.show();
        QStringList shown;
        for (int i = 0; i < menu.ListBox_Help->count(); ++i)
            shown << menu.ListBox_Help->item(i)->text();
        QCOMPARE(shown, lines);
        QCOMPARE(menu.ListBox_Help->currentRow(), lines.isEmpty() ? -1 : 0);
        QCOMPARE(menu.windowTitle(), caption);
        QVERIFY(menu.BitBtn_Display->isDefault());
    }

    void displayOpensTheChosenTopic_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("row"); // -1: nothing selected
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("by title, not by line")
            << QStringList{QStringLiteral("b.html=Beta"), QStringLiteral("a.html=Alpha")} << 0
            << QStringLiteral("a.html") << QStringLiteral("Alpha");
        QTest::newRow("duplicate title opens the first entry")
            << QStringList{QStringLiteral("a.html=Same"), QStringLiteral("b.html=Same")} << 1
            << QStringLiteral("a.html") << QStringLiteral("Same");
        QTest::newRow("no selection only closes")
            << QStringList{QStringLiteral("a.html=Alpha")} << -1 << QString() << QString();
    }

    void displayOpensTheChosenTopic()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, row);
        QFETCH(QString, file);
        QFETCH(QString, title);
        TForm_HelpForm form(seams());
        TForm_HelpMenu menu;
        menu.HelpForm = &form;
        menu.HelpFiles = entries;
        menu.HelpFilePath = pageDir();
        menu.show();
        if (row < 0)
            menu.ListBox_Help->clearSelection();
        else
            menu.ListBox_Help->setCurrentRow(row);
        menu.BitBtn_DisplayClick();

        QVERIFY(!menu.isVisible());
        QCOMPARE(form.isVisible(), !file.isEmpty());
        QCOMPARE(form.TopicPath, file.isEmpty() ? QString() : pageDir() + file);
        QCOMPARE(form.TopicTitle, title);
        if (!file.isEmpty()) {
            QCOMPARE(form.HTML->source(), QUrl::fromLocalFile(pageDir() + file));
            QCOMPARE(form.windowTitle(), QStringLiteral("Accrua Help :  ") + title);
            QVERIFY(!form.PendingShow);
        }
    }

    void displayRestoresAMinimisedWindow()
    {
        TForm_HelpForm form(seams());
        form.showMinimized();
        TForm_HelpMenu menu;
        menu.HelpForm = &form;
        menu.HelpFiles = {QStringLiteral("a.html=Alpha")};
        menu.HelpFilePath = pageDir();
        menu.show();
        menu.BitBtn_DisplayClick();
        QVERIFY(!form.isMinimized());
    }

    void helpWindowCaptionForTheMainWindowsTopic()
    {
        TForm_HelpForm form(seams());
        showTopic(form, pageDir() + QStringLiteral("a.html"), QStringLiteral("Accrua Topics"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Accrua Help :  Accrua Topics"));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void pendingShowGatesTheActivation()
    {
        TForm_HelpForm form(seams());
        form.TopicPath = pageDir() + QStringLiteral("a.html");
        form.TopicTitle = QStringLiteral("Alpha");
        form.FormActivate();
        QVERIFY(form.HTML->source().isEmpty());
        QVERIFY(form.windowTitle().isEmpty());

        form.show(); // showing asks for the topic on the next activation
        QVERIFY(form.PendingShow);
        form.FormActivate();
        QCOMPARE(form.HTML->source(), QUrl::fromLocalFile(form.TopicPath));
        QVERIFY(!form.PendingShow);
    }

    void backFollowsTheViewersHistory()
    {
        TForm_HelpForm form(seams());
        form.show();
        showTopic(form, pageDir() + QStringLiteral("a.html"), QStringLiteral("Alpha"));
        QVERIFY(!form.BitBtn_Back->isEnabled());
        form.MenuItem_BackClick(); // nothing to go back to: nothing happens
        QCOMPARE(form.HTML->source(), QUrl::fromLocalFile(pageDir() + QStringLiteral("a.html")));

        form.HTML->setSource(QUrl::fromLocalFile(pageDir() + QStringLiteral("b.html")));
        QCOMPARE(form.HTML->source(), QUrl::fromLocalFile(pageDir() + QStringLiteral("b.html")));
        QVERIFY(form.BitBtn_Back->isEnabled());

        form.MenuItem_BackClick();
        QCOMPARE(form.HTML->source(), QUrl::fromLocalFile(pageDir() + QStringLiteral("a.html")));
        QVERIFY(!form.BitBtn_Back->isEnabled());
    }

    // Pages, pictures and style sheets only from plain files of a page's
    // size, read in a child stopped after ten seconds or 4 GiB.
    void onlyPlainFilesOfAPagesSizeAreRead()
    {
        const QString fifo = m_dir.filePath(QStringLiteral("fifo.html")),
                      huge = m_dir.filePath(QStringLiteral("huge"));
        QFile big(huge);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && big.open(QIODevice::WriteOnly) &&
                big.resize(qint64{64} << 20));
        const std::pair<int, QString> rows[] = {{QTextDocument::ImageResource, QStringLiteral("/dev/zero")},
                                                {QTextDocument::ImageResource, fifo},
                                                {QTextDocument::HtmlResource, fifo},
                                                {QTextDocument::HtmlResource, huge},
                                                {QTextDocument::StyleSheetResource, huge}};
        for (const auto &row : rows) {
            HelpViewer viewer({});
            const int status = accrua::testsupport::runWithTimeLimit(10, [&] {
                // AddressSanitizer reserves terabytes of address space up front.
                if (!kAddressSanitizer) {
                    const rlimit memory{rlim_t{4} << 30, rlim_t{4} << 30};
                    ::setrlimit(RLIMIT_AS, &memory);
                }
                const QVariant read = viewer.loadResource(row.first, QUrl::fromLocalFile(row.second));
                return read.isNull() || read.toByteArray().size() > 4096 ? 1 : 0;
            });
            QVERIFY2(status == 0, qPrintable(row.second));
        }
    }

    void missingPageSaysWhichFile()
    {
        TForm_HelpForm form(seams());
        showTopic(form, pageDir() + QStringLiteral("gone.html"), QStringLiteral("Gone"));
        const QString text = form.HTML->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("gone.html")) &&
                     text.contains(QStringLiteral("does not exist")),
                 qPrintable(text));
    }

    void webAddressGoesToTheDesktop()
    {
        TForm_HelpForm form(seams());
        showTopic(form, pageDir() + QStringLiteral("a.html"), QStringLiteral("Alpha"));
        m_opened.clear();
        form.HTML->setSource(QUrl(QStringLiteral("https://www.quennet.example/accrua")));
        QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("https://www.quennet.example/accrua"))});
        QCOMPARE(form.HTML->source(), QUrl::fromLocalFile(pageDir() + QStringLiteral("a.html")));
    }

    void printAsksForThePrinterFirst_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("Print, confirmed") << true << false;
        QTest::newRow("Print Topic, confirmed") << true << true;
        QTest::newRow("cancelled") << false << false;
    }

    void printAsksForThePrinterFirst()
    {
        QFETCH(bool, confirmed);
        QFETCH(bool, fromMenu);
        const QString pdf = m_dir.filePath(QStringLiteral("topic.pdf"));
        QFile::remove(pdf);
        TForm_HelpForm form(seams());
        showTopic(form, pageDir() + QStringLiteral("a.html"), QStringLiteral("Alpha"));
        m_printAnswer = confirmed;
        m_printAsks = 0;
        if (fromMenu)
            form.MenuItem_PrintTopic->trigger();
        else
            form.BitBtn_Print->click();
        QCOMPARE(m_printAsks, 1);
        QCOMPARE(QFileInfo(pdf).size() > 0, confirmed);
    }

    void exitOnlyHides()
    {
        QPointer<TForm_HelpForm> form = new TForm_HelpForm(seams());
        form->show();
        form->MenuItem_Exit->trigger();
        QVERIFY(form);
        QVERIFY(!form->isVisible());
        delete form.data();
    }

    void componentKeepsOneOfEachWindow()
    {
        TZtHelpFiles files(seams());
        files.HelpFiles = {QStringLiteral("a.html=Accrua Topics")};
        files.HelpFilePath = pageDir();
        QVERIFY(!files.helpForm() && !files.helpMenu());
        for (int pass = 0; pass < 2; ++pass) {
            // The topics dialog is modal: choose with Enter once it is up.
            QTimer::singleShot(0, this, [] {
                if (auto *menu = qobject_cast<TForm_HelpMenu *>(QApplication::activeModalWidget()))
                    QTest::keyClick(menu->ListBox_Help, Qt::Key_Return);
            });
            TForm_HelpForm *before = files.helpForm();
            files.ShowHelpTopics();
            QVERIFY(files.helpForm() && files.helpMenu());
            if (before)
                QCOMPARE(files.helpForm(), before);
            QVERIFY(files.helpForm()->isVisible());
            QCOMPARE(files.helpForm()->windowTitle(), QStringLiteral("Accrua Help :  Accrua Topics"));
            files.HelpFiles.append(QStringLiteral("b.html=More"));
        }
        QCOMPARE(files.helpForm()->HelpFiles.size(), 2); // handed the current list each time
    }

    void helpTopicsFromTheHelpWindowBelongToIt()
    {
        TZtHelpFiles files(seams());
        files.HelpFiles = {QStringLiteral("a.html=Alpha"), QStringLiteral("b.html=Beta")};
        files.HelpFilePath = pageDir();
        QTimer::singleShot(0, this, [] {
            if (auto *menu = qobject_cast<TForm_HelpMenu *>(QApplication::activeModalWidget()))
                menu->BitBtn_Display->click();
        });
        files.ShowHelpTopics();
        TForm_HelpForm *form = files.helpForm();
        QCOMPARE(form->TopicTitle, QStringLiteral("Alpha"));

        QWidget *owner = nullptr;
        bool onTop = false;
        QTimer::singleShot(0, this, [&owner, &onTop] {
            if (auto *menu = qobject_cast<TForm_HelpMenu *>(QApplication::activeModalWidget())) {
                owner = menu->parentWidget();
                onTop = menu->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                menu->ListBox_Help->setCurrentRow(1);
                menu->BitBtn_Display->click();
            }
        });
        form->BitBtn_Topics->click();
        QCOMPARE(owner, form);
        QVERIFY(onTop);
        QCOMPARE(form->TopicTitle, QStringLiteral("Beta"));
        QVERIFY(form->PendingShow); // the next activation shows the topic again
    }

    // The program's pages: every link leads to a page that exists, every page
    // loads in the viewer with its pictures and stylesheet and no warning.
    void programPagesLinkAndRender()
    {
        const QDir help(QStringLiteral(ACCRUA_HELP_DIR));
        QVERIFY2(help.exists(QStringLiteral("HelpAccrua.html")), qPrintable(help.path()));
        int pages = 0;
        QDirIterator it(help.path(), {QStringLiteral("*.html")}, QDir::Files);
        while (it.hasNext()) {
            const QString page = it.next();
            ++pages;
            HelpViewer viewer({});
            viewer.resize(640, 480);
            warnings.clear();
            const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
            viewer.setSource(QUrl::fromLocalFile(page));
            viewer.document()->setTextWidth(600);
            viewer.document()->documentLayout()->documentSize();
            QStringList links, images;
            collect(*viewer.document(), links, images);
            for (const QString &image : std::as_const(images)) {
                const QVariant data = viewer.document()->resource(QTextDocument::ImageResource, QUrl(image));
                const QImage loaded = data.userType() == QMetaType::QByteArray
                                          ? QImage::fromData(data.toByteArray())
                                          : qvariant_cast<QImage>(data);
                QVERIFY2(!loaded.isNull(), qPrintable(page + u' ' + image));
            }
            qInstallMessageHandler(previous);
            QVERIFY2(warnings.isEmpty(), qPrintable(page + u' ' + warnings.join(u'\n')));
            QVERIFY2(!viewer.document()->toPlainText().contains(QStringLiteral("Help page not found")),
                     qPrintable(page));
            for (const QString &link : std::as_const(links)) {
                const QUrl url(link);
                QVERIFY2(url.isRelative() && url.scheme().isEmpty(), qPrintable(page + u' ' + link));
                QVERIFY2(help.exists(url.path()), qPrintable(page + QStringLiteral(" links to ") + link));
            }
        }
        QVERIFY(pages >= 10);
    }
};

QTEST_MAIN(HelpWindowsTest)
#include "test_helpwindows.moc"
