#include "reports/preview/previewform.h"

#include "desktop/glyphs.h"
#include "engine/view/pageview.h"
#include "reports/commands/printjob.h"
#include "reports/preview/printpreview.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace accrua::reports::preview {

namespace {

constexpr int kZoomStep = 10;
constexpr int kWheelStep = 32;
const QString kReportFilter = QStringLiteral("Report file (*.ARP)");

// The third status panel: the program draws it by placing the progress bar
// on it whenever it is laid out or painted.
class DrawnPanel : public QLabel {
public:
    explicit DrawnPanel(std::function<void()> draw) : m_draw(std::move(draw)) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        m_draw();
    }
    void resizeEvent(QResizeEvent *event) override
    {
        QLabel::resizeEvent(event);
        m_draw();
    }
    void moveEvent(QMoveEvent *event) override
    {
        QLabel::moveEvent(event);
        m_draw();
    }

private:
    std::function<void()> m_draw;
};

// Navigation first lets queued notifications through, so pages that arrived
// meanwhile are drawn and the page count is current.
void processPending()
{
    QCoreApplication::processEvents();
}

} // namespace

TForm_Preview::TForm_Preview(const PreviewPageStore &store, const PreviewDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm_Preview"));
    setWindowTitle(tr("Print Preview"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(800, 600);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    auto button = [this](desktop::Glyph glyph, const char *hint, const char *name,
                         void (TForm_Preview::*click)(), QList<QKeySequence> keys = {}) {
        const QString text = tr(hint);
        QAction *action = ToolBar->addAction(desktop::glyphIcon(glyph), text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        // The tip names the first key as the menus of the desktop do.
        action->setToolTip(keys.isEmpty() ? text
                                          : QStringLiteral("%1 (%2)").arg(
                                                text, keys.first().toString(QKeySequence::NativeText)));
        if (click)
            connect(action, &QAction::triggered, this, click);
        // Tab reaches every button, so the window can be worked without a mouse.
        if (QWidget *widget = ToolBar->widgetForAction(action))
            widget->setFocusPolicy(Qt::TabFocus);
        return action;
    };
    ToolBar->addSeparator();
    ToolButton_ZoomPage = button(desktop::Glyph::ZoomPage, QT_TR_NOOP("Zoom to Fit"), "ToolButton_ZoomPage",
                                 &TForm_Preview::ToolButton_ZoomPageClick);
    ToolButton_ZoomIn = button(desktop::Glyph::ZoomIn, QT_TR_NOOP("Zoom In"), "ToolButton_ZoomIn",
                               &TForm_Preview::ToolButton_ZoomInClick,
                               {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ToolButton_ZoomOut = button(desktop::Glyph::ZoomOut, QT_TR_NOOP("Zoom Out"), "ToolButton_ZoomOut",
                                &TForm_Preview::ToolButton_ZoomOutClick, {QKeySequence::ZoomOut});
    ToolButton_ZoomWidth = button(desktop::Glyph::ZoomWidth, QT_TR_NOOP("Zoom to Width"),
                                  "ToolButton_ZoomWidth", &TForm_Preview::ToolButton_ZoomWidthClick);
    ToolBar->addSeparator();
    ToolButton_First = button(desktop::Glyph::First, QT_TR_NOOP("First Page"), "ToolButton_First",
                              &TForm_Preview::ToolButton_FirstClick);
    ToolButton_Prev = button(desktop::Glyph::Prev, QT_TR_NOOP("Previous Page"), "ToolButton_Prev",
                             &TForm_Preview::ToolButton_PrevClick);
    ToolButton_Next = button(desktop::Glyph::Next, QT_TR_NOOP("Next Page"), "ToolButton_Next",
                             &TForm_Preview::ToolButton_NextClick);
    ToolButton_Last = button(desktop::Glyph::Last, QT_TR_NOOP("Last Page"), "ToolButton_Last",
                             &TForm_Preview::ToolButton_LastClick);
    ToolBar->addSeparator();
    ToolButton_PrintSetup =
        button(desktop::Glyph::PrintSetup, QT_TR_NOOP("Printer Setup"), "ToolButton_PrintSetup", nullptr);
    ToolButton_PrintSetup->setEnabled(false);
    ToolButton_Print = button(desktop::Glyph::Print, QT_TR_NOOP("Print"), "ToolButton_Print",
                              &TForm_Preview::ToolButton_PrintClick, {QKeySequence::Print});
    ToolButton_Print->setEnabled(false); // until the window is shown
    ToolBar->addSeparator();
    ToolButton_Save = button(desktop::Glyph::Save, QT_TR_NOOP("Save"), "ToolButton_Save",
                             &TForm_Preview::ToolButton_SaveClick, {QKeySequence::Save});
    ToolButton_Open = button(desktop::Glyph::Open, QT_TR_NOOP("Open"), "ToolButton_Open",
                             &TForm_Preview::ToolButton_OpenClick, {QKeySequence::Open});
    // Close sits at the right end, after the last separator.
    auto *spring = new QWidget(ToolBar);
    spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar->addWidget(spring);
    ToolBar->addSeparator();
    Button_Close = new QPushButton(tr("&Close"), ToolBar);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_Close->setToolTip(tr("Close"));
    // As narrow as the English caption allows; a longer one in the user's language widens it by as much.
    const QFontMetrics metrics = Button_Close->fontMetrics();
    const int longer = metrics.horizontalAdvance(QString(Button_Close->text()).remove(u'&')) -
                       metrics.horizontalAdvance(QStringLiteral("Close"));
    Button_Close->setFixedSize(40 + std::max(0, longer), 22);
    Button_Close->setAutoDefault(false);
    Button_Close->setFocusPolicy(Qt::TabFocus);
    ToolBar->addWidget(Button_Close);
    connect(Button_Close, &QPushButton::clicked, this, &TForm_Preview::Button_CloseClick);

    RptPreview = new engine::view::PageView(this);
    RptPreview->setObjectName(QStringLiteral("RptPreview"));
    RptPreview->setZoom(100);
    RptPreview->setPageList(m_store.pages);
    if (m_store.generator) {
        // Heard here rather than through the view, which would repaint its
        // page at every arrival: only the arrival of the page on show needs it.
        connect(m_store.generator, &eng::ReportGenerator::pageAvailable, this, &TForm_Preview::pageArrived);
        connect(m_store.generator, &eng::ReportGenerator::progressUpdate, this,
                &TForm_Preview::RptPreviewProgressUpdate);
        connect(m_store.generator, &eng::ReportGenerator::failed, this, &TForm_Preview::GenerationFailed);
    }
    connect(RptPreview, &engine::view::PageView::mouseWheel, this, &TForm_Preview::RptPreviewMouseWheel);
    RptPreview->setFocusPolicy(Qt::StrongFocus);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    const int widths[3] = {100, 100, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = i == 2 ? new DrawnPanel([this] { StatusBarDrawPanel(); }) : new QLabel;
        StatusPanel[i]->setFixedWidth(widths[i]);
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(StatusPanel[i]);
    }
    // The first panel is free: it tells the zoom.
    StatusPanel[0]->setAlignment(Qt::AlignCenter);
    const auto showZoom = [this](int percent) {
        StatusPanel[0]->setText(QStringLiteral("%1%").arg(percent));
    };
    connect(RptPreview, &engine::view::PageView::zoomChanged, this, showZoom);
    showZoom(RptPreview->zoom());
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setSingleShot(true);
    m_progressTimer->setInterval(0);
    connect(m_progressTimer, &QTimer::timeout, this, [this] { ProgressBar->setValue(m_percent); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(RptPreview, 1);
    layout->addWidget(StatusBar);

    // The window sees key strokes before its controls.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    FormCreate();
}

TForm_Preview::~TForm_Preview()
{
    // The page view only borrows the pages.
    RptPreview->setPageList(nullptr);
}

void TForm_Preview::FormCreate()
{
    PrintAllowed = true;
    ProgressBar->setParent(StatusBar);
    ProgressBar->show();
    coverWorkArea();
}

void TForm_Preview::coverWorkArea()
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->availableGeometry());
}

void TForm_Preview::fitFrameToWorkArea()
{
    // The window manager tells the frame's size only once it has framed the
    // window; from then on the frame, not the client area, covers the work
    // area. Done once, so the user may move and size the window after.
    if (m_placed || !isVisible() || !screen())
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull())
        return;
    m_placed = true;
    setGeometry(screen()->availableGeometry().marginsRemoved(frame));
}

void TForm_Preview::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    fitFrameToWorkArea();
}

void TForm_Preview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitFrameToWorkArea();
}

eng::TRptPageList *TForm_Preview::pages() const
{
    return m_loaded ? m_loaded.get() : m_store.pages;
}

bool TForm_Preview::isGenerating() const
{
    return !m_loaded && m_store.generator && m_store.generator->isRunning();
}

void TForm_Preview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fitFrameToWorkArea();
    // FormShow
    m_firstPagePending = true;
    UpdateNavigation();
    // Pages already there (a loaded file) announce no arrival of their own.
    if (pages() && pages()->pageCount() > 0 && !isGenerating())
        RptPreviewPageAvailable(pages()->pageCount());
}

void TForm_Preview::UpdateNavigation()
{
    if (!RptPreview->pageList())
        return;
    const int current = RptPreview->currentPage();
    const int count = RptPreview->pageCount();
    ToolButton_First->setEnabled(current > 1);
    ToolButton_Prev->setEnabled(current > 1);
    ToolButton_Next->setEnabled(current < count);
    ToolButton_Last->setEnabled(current < count);
    StatusPanel[1]->setText(tr("Page %1 of %2").arg(current).arg(count));
}

void TForm_Preview::RptPreviewPageAvailable(int)
{
    if (m_firstPagePending) {
        RptPreview->zoomToWidth();
        if (!PrintAllowed)
            ToolButton_Print->setEnabled(false);
        UpdateNavigation();
        m_firstPagePending = false;
    }
    UpdateNavigation();
}

void TForm_Preview::pageArrived(int pageCount)
{
    if (pageCount == RptPreview->currentPage())
        RptPreview->viewport()->update();
    RptPreviewPageAvailable(pageCount);
}

void TForm_Preview::RptPreviewProgressUpdate(int percent)
{
    // A progress bar repaints at once on every new value; notices that queued
    // up while the window was busy are applied as one, at the next turn.
    m_percent = percent == 0 || percent >= 100 ? 0 : percent;
    if (!m_progressTimer->isActive())
        m_progressTimer->start();
}

void TForm_Preview::StatusBarDrawPanel()
{
    QWidget *panel = StatusPanel[2];
    const QRect rect(panel->mapTo(StatusBar, QPoint(0, 0)), panel->size());
    const QRect target = rect.adjusted(-1, -1, 1, 1);
    if (ProgressBar->geometry() != target)
        ProgressBar->setGeometry(target);
    ProgressBar->raise();
}

void TForm_Preview::RptPreviewMouseWheel(int delta)
{
    RptPreview->setVScrollPosition(RptPreview->vScrollPosition() + (delta > 0 ? -kWheelStep : kWheelStep));
}

void TForm_Preview::wheelEvent(QWheelEvent *event)
{
    RptPreviewMouseWheel(event->angleDelta().y());
    event->accept();
}

void TForm_Preview::ToolButton_ZoomPageClick()
{
    processPending();
    RptPreview->zoomToFit();
}

void TForm_Preview::ToolButton_ZoomWidthClick()
{
    processPending();
    RptPreview->zoomToWidth();
}

void TForm_Preview::ToolButton_ZoomInClick()
{
    RptPreview->setZoom(RptPreview->zoom() + kZoomStep);
}

void TForm_Preview::ToolButton_ZoomOutClick()
{
    RptPreview->setZoom(RptPreview->zoom() - kZoomStep);
}

void TForm_Preview::ToolButton_FirstClick()
{
    processPending();
    if (RptPreview->pageCount() > 0)
        RptPreview->setCurrentPage(1);
    UpdateNavigation();
}

void TForm_Preview::ToolButton_PrevClick()
{
    processPending();
    if (RptPreview->currentPage() > 1)
        RptPreview->setCurrentPage(RptPreview->currentPage() - 1);
    UpdateNavigation();
}

void TForm_Preview::ToolButton_NextClick()
{
    processPending();
    if (RptPreview->currentPage() < RptPreview->pageCount())
        RptPreview->setCurrentPage(RptPreview->currentPage() + 1);
    UpdateNavigation();
}

void TForm_Preview::ToolButton_LastClick()
{
    processPending();
    if (RptPreview->pageCount() > 0)
        RptPreview->setCurrentPage(RptPreview->pageCount());
    UpdateNavigation();
}

void TForm_Preview::Button_CloseClick()
{
    close();
}

void TForm_Preview::showError(const QString &text)
{
    if (m_dialogs.messages)
        m_dialogs.messages->ShowMessageDialog(text, desktop::MessageKind::Error, desktop::MessageButton::OK);
}

desktop::FileDialogRequest TForm_Preview::fileRequest(const QString &title)
{
    desktop::FileDialogRequest request;
    request.title = title;
    request.filter = kReportFilter;
    request.defaultSuffix = QStringLiteral("ARP");
    request.parent = this;
    request.centreOverParent = false; // only the main window's dialogs are centred
    return request;
}

bool TForm_Preview::awaitPages()
{
    if (isGenerating()) {
        QEventLoop loop;
        connect(m_store.generator, &eng::ReportGenerator::finished, &loop, &QEventLoop::quit);
        connect(m_store.generator, &eng::ReportGenerator::failed, &loop, &QEventLoop::quit);
        connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
        if (isGenerating())
            loop.exec();
    }
    return !m_closed && pages() && pages()->isFinished();
}

void TForm_Preview::ToolButton_PrintClick()
{
    if (!PrintAllowed)
        return;
    if (const std::function<void()> request = TZtPrintPreview::PrintRequest()) {
        // The dispatcher regenerates the report and prints it after its own
        // print dialog; the preview stays open.
        request();
        return;
    }
    printLoadedPages();
}

void TForm_Preview::printLoadedPages()
{
    if (!m_dialogs.printDialog || !pages())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_store.title);
    if (!m_dialogs.printDialog->exec(printer, this))
        return;
    if (!awaitPages()) {
        if (!m_closed)
            showError(tr("The report is not complete; nothing was printed."));
        return;
    }
    // The dialog leaves the chosen printer, range and copies on `printer`.
    try {
        commands::printPages(*pages(), printer, commands::printChoiceOf(printer), m_store.title,
                             m_dialogs.printDialog->installedPrinters());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void TForm_Preview::ToolButton_SaveClick()
{
    if (!m_dialogs.files || !pages())
        return;
    const QString name = m_dialogs.files->getSaveFileName(fileRequest(tr("Save")));
    if (name.isEmpty())
        return;
    // An unfinished page list would write nothing: wait for the last page.
    if (!awaitPages()) {
        if (!m_closed)
            showError(tr("The report is not complete; \"%1\" was not saved.").arg(name));
        return;
    }
    try {
        pages()->SaveToFile(name);
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void TForm_Preview::ToolButton_OpenClick()
{
    if (!m_dialogs.files)
        return;
    desktop::FileDialogRequest request = fileRequest(tr("Open"));
    request.defaultSuffix.clear();
    const QString name = m_dialogs.files->getOpenFileName(request);
    if (name.isEmpty())
        return;
    if (!QFileInfo(name).isFile()) {
        if (m_dialogs.messages)
            m_dialogs.messages->ShowMessageDialog(tr("File \"%1\" does not exist").arg(name),
                                                  desktop::MessageKind::Plain, desktop::MessageButton::OK);
        return;
    }
    // Read into a list of its own first, so a file that cannot be read leaves
    // the window showing what it showed.
    auto loaded = std::make_unique<eng::TRptPageList>();
    try {
        loaded->LoadFromFile(name);
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
        return;
    }
    if (const std::optional<QString> damage = commands::damagedPages(*loaded, name)) {
        showError(*damage);
        return;
    }
    TZtPrintPreview::SetPrintRequest({});
    if (m_store.generator)
        m_store.generator->cancel(); // detached from its report: nothing more is added
    m_store.report = nullptr;
    m_store.title = QFileInfo(name).completeBaseName();
    RptPreview->setPageList(loaded.get());
    m_loaded = std::move(loaded);
    RptPreviewProgressUpdate(0);
    RptPreview->setCurrentPage(1);
    RptPreview->refresh();
    TZtPrintPreview::SetEnablePrint(true);
    PrintAllowed = true;
    ToolButton_Print->setEnabled(true);
    UpdateNavigation();
}

void TForm_Preview::GenerationFailed(const QString &message)
{
    // No half report is shown, printed or saved.
    showError(message);
    close();
}

bool TForm_Preview::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool alt = modifiers & Qt::AltModifier;
    auto tenth = [](int range) { return static_cast<int>(std::lround(range / 10.0)); };
    if (alt) {
        switch (key) {
        case Qt::Key_Left:
            RptPreview->setHScrollPosition(RptPreview->hScrollPosition() - tenth(RptPreview->hScrollRange()));
            return true;
        case Qt::Key_Right:
            RptPreview->setHScrollPosition(RptPreview->hScrollPosition() + tenth(RptPreview->hScrollRange()));
            return true;
        case Qt::Key_Up:
            RptPreview->setVScrollPosition(RptPreview->vScrollPosition() - tenth(RptPreview->vScrollRange()));
            return true;
        case Qt::Key_Down:
            RptPreview->setVScrollPosition(RptPreview->vScrollPosition() + tenth(RptPreview->vScrollRange()));
            return true;
        default:
            return false;
        }
    }
    switch (key) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_PageUp:
        ToolButton_PrevClick();
        return true;
    case Qt::Key_PageDown:
        ToolButton_NextClick();
        return true;
    case Qt::Key_Home:
        RptPreview->setCurrentPage(1);
        processPending();
        UpdateNavigation();
        return true;
    case Qt::Key_End:
        RptPreview->setCurrentPage(RptPreview->pageCount());
        processPending();
        UpdateNavigation();
        return true;
    default:
        return false;
    }
}

bool TForm_Preview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel &&
        (static_cast<QWheelEvent *>(event)->modifiers() & Qt::ControlModifier)) {
        // Ctrl and the wheel zoom, as in any viewer.
        if (static_cast<QWheelEvent *>(event)->angleDelta().y() > 0)
            ToolButton_ZoomInClick();
        else if (static_cast<QWheelEvent *>(event)->angleDelta().y() < 0)
            ToolButton_ZoomOutClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (handleKey(key->key(), key->modifiers()))
            return true;
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Claim the keys before the toolbar's and the view's own bindings.
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool arrow = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                           key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
        if (key->key() == Qt::Key_Escape || ((key->modifiers() & Qt::AltModifier) && arrow)) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm_Preview::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        // FormClose: the engine stops generating and hears that its preview
        // is gone; the report's after-preview event may release the report.
        if (m_store.generator)
            m_store.generator->closePreview();
        m_store.report = nullptr;
    }
    QDialog::done(result);
}

} // namespace accrua::reports::preview
