#include "help/helpwindows.h"

#include "fileio/safefile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <optional>

namespace accrua::help {

namespace {

// The viewer's notification that going back became possible or impossible.
constexpr int kNavigateBack = 2;

// A help page or picture larger than this is not read: the program's own are
// a few KiB.
constexpr qint64 kMaxHelpFileBytes = qint64{8} * 1024 * 1024;

bool folderExists(const QString &path)
{
    return QFileInfo(path).isDir();
}

QPushButton *panelButton(QWidget *panel, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, panel);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

HelpViewer::HelpViewer(std::function<void(const QUrl &)> openUrl, QWidget *parent)
    : QTextBrowser(parent), m_openUrl(std::move(openUrl))
{
}

QVariant HelpViewer::loadResource(int type, const QUrl &name)
{
    // A relative name is a neighbour of the page shown.
    const QUrl base(document()->metaInformation(QTextDocument::DocumentUrl));
    const QUrl url = name.isRelative() ? (base.isEmpty() ? source() : base).resolved(name) : name;
    if (url.scheme() == QLatin1String("qrc"))
        return QTextBrowser::loadResource(type, name);
    if (!url.isLocalFile())
        return {};
    // Pages and pictures alike only from plain files of a help page's size.
    // An empty answer, never none: the document would read the file itself.
    const QString path = url.toLocalFile();
    const bool page = type == QTextDocument::HtmlResource || type == QTextDocument::MarkdownResource;
    if (page && !QFileInfo::exists(path))
        return missingTopicHtml(QDir::toNativeSeparators(path));
    QString why;
    if (std::optional<QByteArray> bytes = fileio::readRegularFile(path, kMaxHelpFileBytes, &why))
        return *bytes;
    if (page)
        return unreadableTopicHtml(QDir::toNativeSeparators(path), why);
    return QByteArray();
}

void HelpViewer::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    const QString scheme = name.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto")) {
        if (m_openUrl)
            m_openUrl(name);
        return;
    }
    QTextBrowser::doSetSource(name, type);
}

// ---- the topics dialog ----

TForm_HelpMenu::TForm_HelpMenu(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TForm_HelpMenu"));
    setWindowTitle(tr("Help Topics :"));
    setFixedSize(439, 391);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(8, 8, 423, 340);
    TabSheet_Index = new QWidget;
    TabSheet_Index->setObjectName(QStringLiteral("TabSheet_Index"));
    PageControl->addTab(TabSheet_Index, tr("Index"));

    Label_Click = new QLabel(tr("Click the index entry you want and then click Display"), TabSheet_Index);
    Label_Click->setObjectName(QStringLiteral("Label_Click"));
    Label_Click->setGeometry(8, 8, 400, 18);
    ListBox_Help = new QListWidget(TabSheet_Index);
    ListBox_Help->setObjectName(QStringLiteral("ListBox_Help"));
    ListBox_Help->setGeometry(8, 30, 401, 270);
    ListBox_Help->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox_Help, &QListWidget::itemDoubleClicked, this, &TForm_HelpMenu::BitBtn_DisplayClick);

    BitBtn_Display = new QPushButton(tr("&Display"), this);
    BitBtn_Display->setObjectName(QStringLiteral("BitBtn_Display"));
    BitBtn_Display->setGeometry(272, 356, 75, 27);
    BitBtn_Display->setDefault(true);
    connect(BitBtn_Display, &QPushButton::clicked, this, &TForm_HelpMenu::BitBtn_DisplayClick);
    BitBtn_Close = new QPushButton(tr("&Close"), this);
    BitBtn_Close->setObjectName(QStringLiteral("BitBtn_Close"));
    BitBtn_Close->setGeometry(356, 356, 75, 27);
    BitBtn_Close->setAutoDefault(false);
    connect(BitBtn_Close, &QPushButton::clicked, this, &TForm_HelpMenu::BitBtn_CloseClick);
}

void TForm_HelpMenu::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
    desktop::centreOnScreen(this);
}

void TForm_HelpMenu::FormShow()
{
    m_topics.clear();
    QStringList titles;
    for (const QString &entry : std::as_const(HelpFiles)) {
        m_topics.append(parseHelpEntry(entry));
        titles.append(m_topics.constLast().title);
    }
    ListBox_Help->clear();
    ListBox_Help->addItems(sortedTitles(titles));
    if (ListBox_Help->count() > 0)
        ListBox_Help->setCurrentRow(0);
    setWindowTitle(helpTopicsCaption(effectiveTitle(ApplicationTitle, applicationTitle())));
}

void TForm_HelpMenu::BitBtn_DisplayClick()
{
    const QList<QListWidgetItem *> selected = ListBox_Help->selectedItems();
    const int topic = selected.isEmpty() ? -1 : findTopic(m_topics, selected.constFirst()->text());
    if (topic >= 0 && HelpForm) {
        HelpForm->TopicPath =
            topicPath(HelpFilePath, SubDirectory, programFolder(QCoreApplication::applicationFilePath()),
                      m_topics[topic].fileName, folderExists);
        HelpForm->TopicTitle = m_topics[topic].title;
        HelpForm->PendingShow = true;
        HelpForm->show();
        HelpForm->FormActivate();
        if (HelpForm->isMinimized())
            HelpForm->showNormal();
    }
    close();
}

void TForm_HelpMenu::BitBtn_CloseClick()
{
    close();
}

// ---- the help window ----

TForm_HelpForm::TForm_HelpForm(desktop::DesktopServices desktop, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_desktop(std::move(desktop))
{
    setObjectName(QStringLiteral("TForm_HelpForm"));
    resize(640, 480);

    MenuItem_File = menuBar()->addMenu(tr("&File"));
    MenuItem_File->setObjectName(QStringLiteral("MenuItem_File"));
    MenuItem_PrintTopic = MenuItem_File->addAction(tr("&Print Topic"));
    MenuItem_File->addSeparator();
    MenuItem_Exit = MenuItem_File->addAction(tr("&Exit"));
    connect(MenuItem_PrintTopic, &QAction::triggered, this, &TForm_HelpForm::BitBtn_PrintClick);
    connect(MenuItem_Exit, &QAction::triggered, this, &TForm_HelpForm::MenuItem_ExitClick);

    auto *client = new QWidget(this);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel_Top = new QWidget(client);
    Panel_Top->setObjectName(QStringLiteral("Panel_Top"));
    Panel_Top->setFixedHeight(29);
    auto *row = new QHBoxLayout(Panel_Top);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(3);
    BitBtn_Topics = panelButton(Panel_Top, "BitBtn_Topics", tr("Help &Topics"));
    BitBtn_Back = panelButton(Panel_Top, "BitBtn_Back", tr("&Back"));
    BitBtn_Print = panelButton(Panel_Top, "BitBtn_Print", tr("&Print"));
    BitBtn_Back->setEnabled(false);
    row->addWidget(BitBtn_Topics);
    row->addWidget(BitBtn_Back);
    row->addWidget(BitBtn_Print);
    row->addStretch();
    connect(BitBtn_Topics, &QPushButton::clicked, this, &TForm_HelpForm::BitBtn_TopicsClick);
    connect(BitBtn_Back, &QPushButton::clicked, this, &TForm_HelpForm::MenuItem_BackClick);
    connect(BitBtn_Print, &QPushButton::clicked, this, &TForm_HelpForm::BitBtn_PrintClick);

    HTML = new HelpViewer(m_desktop.openUrl, client);
    HTML->setObjectName(QStringLiteral("HTML"));
    connect(HTML, &QTextBrowser::backwardAvailable, this,
            [this](bool available) { HTMLCommandStateChange(kNavigateBack, available); });

    column->addWidget(Panel_Top);
    column->addWidget(HTML, 1);
    setCentralWidget(client);
}

void TForm_HelpForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        desktop::centreOnScreen(this);
    }
    PendingShow = true;
}

bool TForm_HelpForm::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TForm_HelpForm::FormActivate()
{
    if (!PendingShow)
        return;
    setWindowTitle(helpWindowCaption(effectiveTitle(ApplicationTitle, applicationTitle()), TopicTitle));
    // The viewer's location is a URL and never equals the plain path, so the
    // topic is loaded on every pending activation.
    if (HTML->source().toString() != TopicPath)
        HTML->setSource(topicUrl(TopicPath));
    PendingShow = false;
}

void TForm_HelpForm::BitBtn_TopicsClick()
{
    if (!HelpMenu)
        return;
    HelpMenu->HelpFilePath = HelpFilePath;
    HelpMenu->HelpFiles = HelpFiles;
    HelpMenu->SubDirectory = SubDirectory;
    // Owned by the window that asks, or a window manager keeps it in the
    // main window's layer, below this always-on-top window.
    if (HelpMenu->parentWidget() != this)
        HelpMenu->setParent(this, HelpMenu->windowFlags());
    HelpMenu->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    HelpMenu->exec();
    PendingShow = true;
}

void TForm_HelpForm::MenuItem_BackClick()
{
    HTML->backward();
}

void TForm_HelpForm::HTMLCommandStateChange(int command, bool enable)
{
    if (command == kNavigateBack)
        BitBtn_Back->setEnabled(enable);
}

void TForm_HelpForm::BitBtn_PrintClick()
{
    QPrinter printer;
    printer.setDocName(windowTitle());
    if (m_desktop.askPrinter && m_desktop.askPrinter(printer, this))
        HTML->print(&printer);
}

void TForm_HelpForm::MenuItem_ExitClick()
{
    close();
}

// ---- the component ----

TZtHelpFiles::TZtHelpFiles(desktop::DesktopServices desktop, QWidget *owner)
    : QObject(owner), m_desktop(std::move(desktop)), m_owner(owner)
{
}

TZtHelpFiles::~TZtHelpFiles()
{
    delete m_menu.data();
    delete m_form.data();
}

void TZtHelpFiles::prepareForm()
{
    if (!m_form)
        m_form = new TForm_HelpForm(m_desktop, m_owner.data());
    m_form->ApplicationTitle = ApplicationTitle;
    m_form->HelpFiles = HelpFiles;
    m_form->HelpFilePath = HelpFilePath;
    m_form->SubDirectory = SubDirectory;
}

void TZtHelpFiles::ShowHelpTopic(const QString &fileName, const QString &title)
{
    prepareForm();
    m_form->TopicPath =
        topicPath(HelpFilePath, SubDirectory, programFolder(QCoreApplication::applicationFilePath()),
                  fileName, folderExists);
    m_form->TopicTitle = title;
    m_form->PendingShow = true;
    m_form->show();
    m_form->FormActivate();
    if (m_form->isMinimized())
        m_form->showNormal();
    m_form->raise();
    m_form->activateWindow();
}

void TZtHelpFiles::ShowHelpTopics()
{
    prepareForm();
    if (!m_menu)
        m_menu = new TForm_HelpMenu(m_owner.data());
    else if (m_menu->parentWidget() != m_owner)
        m_menu->setParent(m_owner.data(), m_menu->windowFlags());
    // Above the always-on-top help window, which would otherwise hide this modal dialog.
    m_menu->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_menu->ApplicationTitle = ApplicationTitle;
    m_menu->HelpFiles = HelpFiles;
    m_menu->HelpFilePath = HelpFilePath;
    m_menu->SubDirectory = SubDirectory;
    m_menu->HelpForm = m_form;
    m_form->HelpMenu = m_menu;
    m_menu->exec();
}

} // namespace accrua::help
