#include "app/mainwindow.h"
#include "desktop/glyphs.h"

#include "app/aboutbox.h"
#include "app/splash.h"
#include "app/startup.h"
#include "desktop/datefield.h"
#include "desktop/identity.h"
#include "help/helpwindows.h"
#include "settings/optionsform.h"
#include "settings/values.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace accrua::app {

namespace {

constexpr int kClientWidth = 492;

// Keys the main window answers itself, before the focused control.
bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The program moves the focus into a field as Tab does: the whole text is
// selected, so typing replaces it instead of joining it.
void enterField(QLineEdit *edit)
{
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

} // namespace

TForm_Main::TForm_Main(MainWindowServices services, QWidget *parent)
    : QMainWindow(parent), m_services(std::move(services)), m_model(m_services.locale, *m_services.messages)
{
    setObjectName(QStringLiteral("TForm_Main"));
    setWindowTitle(QStringLiteral("Accrua"));
    // A fixed-size window: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // 8-point sans serif; Liberation Sans has the metrics of the face the layout was drawn for.
    QFont f = font();
    f.setFamily(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    setFont(f);

    buildMenus();
    buildHelp();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);
    buildToolBar(client);

    buildPages(client);

    connect(PageControl, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != PageControl->currentIndex())
            PageControlChange(index);
    });

    fitWindow();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    m_model.setView(this);
    // The window sees every key before the focused control does (F2, Enter).
    qApp->installEventFilter(this);

    FormCreate();
    MenuItem_PaymentAmountClick(MenuItem_PaymentAmount);
}

TForm_Main::~TForm_Main()
{
    qApp->removeEventFilter(this);
    m_model.setView(nullptr);
}

void TForm_Main::buildMenus()
{
    auto *bar = menuBar();
    MenuItem_File = bar->addMenu(tr("&File"));
    MenuItem_File->setObjectName(QStringLiteral("MenuItem_File"));
    MenuItem_Open = MenuItem_File->addAction(tr("&Open..."));
    MenuItem_Save = MenuItem_File->addAction(tr("&Save..."));
    MenuItem_File->addSeparator();
    MenuItem_PrintPreview = MenuItem_File->addAction(tr("P&rint Preview...        [F2]"));
    MenuItem_Print = MenuItem_File->addAction(tr("&Print..."));
    MenuItem_File->addSeparator();
    MenuItem_Exit = MenuItem_File->addAction(tr("E&xit"));
    MenuItem_PrintPreview->setEnabled(false);
    MenuItem_Print->setEnabled(false);
    connect(MenuItem_File, &QMenu::aboutToShow, this, &TForm_Main::MenuItem_FileClick);
    connect(MenuItem_Open, &QAction::triggered, this, &TForm_Main::MenuItem_OpenClick);
    connect(MenuItem_Save, &QAction::triggered, this, &TForm_Main::MenuItem_SaveClick);
    connect(MenuItem_PrintPreview, &QAction::triggered, this,
            [this] { MenuItem_PrintPreviewClick(MenuItem_PrintPreview); });
    connect(MenuItem_Print, &QAction::triggered, this,
            [this] { MenuItem_PrintPreviewClick(MenuItem_Print); });
    connect(MenuItem_Exit, &QAction::triggered, this, &TForm_Main::MenuItem_ExitClick);

    MenuItem_Options = bar->addMenu(tr("&Edit"));
    MenuItem_Options->setObjectName(QStringLiteral("MenuItem_Options"));
    MenuItem_SetOptions = MenuItem_Options->addAction(tr("&Options..."));
    connect(MenuItem_SetOptions, &QAction::triggered, this, &TForm_Main::MenuItem_SetOptionsClick);

    MenuItem_Calculate = bar->addMenu(tr("&Calculate"));
    MenuItem_Calculate->setObjectName(QStringLiteral("MenuItem_Calculate"));
    ModeGroup = new QActionGroup(this);
    ModeGroup->setExclusive(true);
    const auto addMode = [this](const char *caption) {
        QAction *a = MenuItem_Calculate->addAction(tr(caption));
        a->setCheckable(true);
        ModeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { MenuItem_PaymentAmountClick(a); });
        return a;
    };
    MenuItem_PaymentAmount = addMode(QT_TR_NOOP("&Payment Amount"));
    MenuItem_NumberofPayments = addMode(QT_TR_NOOP("&Number of Payments"));
    MenuItem_Amortization = addMode(QT_TR_NOOP("&Amortization Schedule"));
    MenuItem_Calculate->addSeparator();
    MenuItem_DailyInterest = addMode(QT_TR_NOOP("&Daily Interest"));
    MenuItem_SavingsInterest = addMode(QT_TR_NOOP("&Savings Interest"));

    MenuItem_Tools = bar->addMenu(tr("&Tools"));
    MenuItem_Tools->setObjectName(QStringLiteral("MenuItem_Tools"));
    MenuItem_UseDefaults = MenuItem_Tools->addAction(tr("&Use Defaults"));
    MenuItem_StayOnTop = MenuItem_Tools->addAction(tr("Stay On Top"));
    MenuItem_Tools->addSeparator();
    MenuItem_Planner = MenuItem_Tools->addAction(tr("Loan &Planner..."));
    MenuItem_Planner->setShortcut(QKeySequence(QStringLiteral("Ctrl+L")));
    MenuItem_Planner->setVisible(bool(m_services.openPlanner));
    connect(MenuItem_Planner, &QAction::triggered, this, &TForm_Main::MenuItem_PlannerClick);
    for (QAction *a : {MenuItem_UseDefaults, MenuItem_StayOnTop}) {
        // A checkable action inverts its own check mark when clicked.
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a] { MenuItem_UseDefaultsClick(a); });
    }

    MenuItem_Help = bar->addMenu(tr("&Help"));
    MenuItem_Help->setObjectName(QStringLiteral("MenuItem_Help"));
    MenuItem_Contents = MenuItem_Help->addAction(tr("Contents..."));
    MenuItem_ContentsDivider = MenuItem_Help->addSeparator();
    MenuItem_About = MenuItem_Help->addAction(tr("&About..."));
    connect(MenuItem_Help, &QMenu::aboutToShow, this, &TForm_Main::MenuItem_HelpClick);
    connect(MenuItem_Contents, &QAction::triggered, this, &TForm_Main::MenuItem_ContentsClick);
    connect(MenuItem_About, &QAction::triggered, this, &TForm_Main::MenuItem_AboutClick);

    const std::pair<QAction *, const char *> names[] = {
        {MenuItem_Open, "MenuItem_Open"},
        {MenuItem_Save, "MenuItem_Save"},
        {MenuItem_PrintPreview, "MenuItem_PrintPreview"},
        {MenuItem_Print, "MenuItem_Print"},
        {MenuItem_Exit, "MenuItem_Exit"},
        {MenuItem_SetOptions, "MenuItem_SetOptions"},
        {MenuItem_PaymentAmount, "MenuItem_PaymentAmount"},
        {MenuItem_NumberofPayments, "MenuItem_NumberofPayments"},
        {MenuItem_Amortization, "MenuItem_Amortization"},
        {MenuItem_DailyInterest, "MenuItem_DailyInterest"},
        {MenuItem_SavingsInterest, "MenuItem_SavingsInterest"},
        {MenuItem_UseDefaults, "MenuItem_UseDefaults"},
        {MenuItem_StayOnTop, "MenuItem_StayOnTop"},
        {MenuItem_Planner, "MenuItem_Planner"},
        {MenuItem_Contents, "MenuItem_Contents"},
        {MenuItem_ContentsDivider, "MenuItem_ContentsDivider"},
        {MenuItem_About, "MenuItem_About"},
    };
    for (const auto &[action, name] : names)
        action->setObjectName(QLatin1String(name));
}

void TForm_Main::buildToolBar(QWidget *client)
{
    ToolBar = new QToolBar(client);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setGeometry(0, 0, kClientWidth, 29);
    ToolBar->setMovable(false);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setStyleSheet(QStringLiteral("QToolBar { border: 1px solid palette(mid); }"));
    const auto addButton = [this](desktop::Glyph glyph, const char *hint, const char *name) {
        QAction *a = ToolBar->addAction(desktop::glyphIcon(glyph), tr(hint));
        a->setToolTip(tr(hint));
        a->setObjectName(QLatin1String(name));
        if (QWidget *w = ToolBar->widgetForAction(a))
            w->setObjectName(QLatin1String(name));
        return a;
    };
    ToolButton_Open = addButton(desktop::Glyph::Open, QT_TR_NOOP("Open"), "ToolButton_Open");
    ToolButton_Save = addButton(desktop::Glyph::Save, QT_TR_NOOP("Save"), "ToolButton_Save");
    ToolBar->addSeparator();
    ToolButton_PrintPreview =
        addButton(desktop::Glyph::PrintPreview, QT_TR_NOOP("Print Preview"), "ToolButton_PrintPreview");
    ToolButton_Print = addButton(desktop::Glyph::Print, QT_TR_NOOP("Print"), "ToolButton_Print");
    ToolBar->addSeparator();
    ToolButton_Calculate =
        addButton(desktop::Glyph::Calculate, QT_TR_NOOP("Calculate"), "ToolButton_Calculate");
    ToolButton_Planner = addButton(desktop::Glyph::Planner, QT_TR_NOOP("Loan Planner"), "ToolButton_Planner");
    ToolButton_Planner->setVisible(bool(m_services.openPlanner));
    ToolButton_Save->setEnabled(false);
    ToolButton_PrintPreview->setEnabled(false);
    ToolButton_Print->setEnabled(false);
    for (QAction *a : ToolBar->actions()) {
        if (QWidget *w = ToolBar->widgetForAction(a))
            w->setFocusPolicy(Qt::NoFocus);
    }
    connect(ToolButton_Open, &QAction::triggered, this, &TForm_Main::MenuItem_OpenClick);
    connect(ToolButton_Save, &QAction::triggered, this, &TForm_Main::MenuItem_SaveClick);
    connect(ToolButton_PrintPreview, &QAction::triggered, this,
            [this] { MenuItem_PrintPreviewClick(MenuItem_PrintPreview); });
    connect(ToolButton_Print, &QAction::triggered, this,
            [this] { MenuItem_PrintPreviewClick(MenuItem_Print); });
    connect(ToolButton_Calculate, &QAction::triggered, this, &TForm_Main::BitBtn_CalculateClick);
    connect(ToolButton_Planner, &QAction::triggered, this, &TForm_Main::MenuItem_PlannerClick);
}

QAction *TForm_Main::modeAction(Mode mode) const
{
    switch (mode) {
    case Mode::PaymentAmount:
        return MenuItem_PaymentAmount;
    case Mode::NumberOfPayments:
        return MenuItem_NumberofPayments;
    case Mode::Amortization:
        return MenuItem_Amortization;
    case Mode::DailyInterest:
        return MenuItem_DailyInterest;
    case Mode::SavingsInterest:
        return MenuItem_SavingsInterest;
    }
    return MenuItem_PaymentAmount;
}

// ---- creation, show, close ----

void TForm_Main::reportStoreError(const std::exception &e)
{
    // A store failure stops only the batch that raised it; the window goes on.
    m_services.messages->ShowErrorReport(QString::fromUtf8(e.what()));
}

void TForm_Main::FormCreate()
{
    bool stayOnTop = false;
    try {
        settings::SettingsStore store(m_services.settings);
        stayOnTop = settings::readStayOnTop(store);
    } catch (const settings::SettingsError &e) {
        reportStoreError(e);
    }
    MenuItem_StayOnTop->setChecked(stayOnTop);
    setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
}

void TForm_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_showHandlerAttached && !event->spontaneous()) {
        // The show handler runs once per real showing; a change of window
        // style detaches it so nothing is reset.
        m_showHandlerAttached = false;
        FormShow();
    }
}

void TForm_Main::FormShow()
{
    bool useDefaults = MenuItem_UseDefaults->isChecked();
    settings::SettingsStore store(m_services.settings);
    startUp(m_model, store, useDefaults);
    MenuItem_UseDefaults->setChecked(useDefaults);
    // The window is not on the screen yet: the modal splash holds it back.
    // The field the window opens in is entered as if tabbed into: what is
    // typed replaces the zero amount.
    if (auto *e = qobject_cast<QLineEdit *>(focusWidget()))
        e->selectAll();
    if (m_services.showSplash)
        ZtSplashScreen->ShowSplash();
}

void TForm_Main::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm_Main::FormClose()
{
    try {
        settings::SettingsStore store(m_services.settings);
        settings::writeToolsMarks(store, MenuItem_UseDefaults->isChecked(), MenuItem_StayOnTop->isChecked());
    } catch (const settings::SettingsError &e) {
        reportStoreError(e);
    }
}

// ---- modes and pages ----

void TForm_Main::MenuItem_PaymentAmountClick(QAction *item)
{
    Mode mode = Mode::PaymentAmount;
    for (Mode m : {Mode::PaymentAmount, Mode::NumberOfPayments, Mode::Amortization, Mode::DailyInterest,
                   Mode::SavingsInterest}) {
        if (modeAction(m) == item)
            mode = m;
    }
    m_model.selectMode(mode);
}

void TForm_Main::PageControlChange(int index)
{
    m_model.pageClicked(static_cast<Mode>(index));
}

void TForm_Main::modeChanged(Mode mode)
{
    modeAction(mode)->setChecked(true);
    {
        const QSignalBlocker block(PageControl);
        PageControl->setCurrentIndex(static_cast<int>(mode));
    }
    layoutLoanInputs(mode);
    if (isLoanMode(mode)) {
        QWidget *page = PageControl->widget(static_cast<int>(mode));
        if (GroupBox_EnterValues->parentWidget() != page) {
            GroupBox_EnterValues->setParent(page);
            GroupBox_Totals->setParent(page);
            GroupBox_EnterValues->show();
            GroupBox_Totals->show();
        }
    }
}

// ---- the model's requests ----

void TForm_Main::fieldWritten(Field field, const QString &text)
{
    QLineEdit *e = m_edits.at(field);
    if (e->text() != text) {
        e->setText(text);
        e->setCursorPosition(0); // a long result shows its beginning
    }
}

void TForm_Main::focusField(Field field)
{
    QLineEdit *e = m_edits.at(field);
    if (m_inFocusChange) {
        // A leave check refused the field while the focus is moving on: give
        // it back once that move is over, or the move would undo it.
        QTimer::singleShot(0, e, [e] { enterField(e); });
        return;
    }
    enterField(e);
}

void TForm_Main::datesWritten(const QDate &start, const QDate &receive)
{
    // Moving a picker from here is no user change: no second day count.
    const QSignalBlocker a(DateTimePicker_StartDate);
    const QSignalBlocker b(DateTimePicker_ReceiveDate);
    DateTimePicker_StartDate->setDate(start);
    DateTimePicker_ReceiveDate->setDate(receive);
}

void TForm_Main::focusDatePicker(bool start)
{
    desktop::DateField *picker = start ? DateTimePicker_StartDate : DateTimePicker_ReceiveDate;
    if (m_inFocusChange) {
        QTimer::singleShot(0, picker, [picker] { picker->enter(); });
        return;
    }
    picker->enter();
}

void TForm_Main::reportCommandsChanged(bool enabled)
{
    for (QAction *a :
         {MenuItem_PrintPreview, MenuItem_Print, ToolButton_Print, ToolButton_PrintPreview, ToolButton_Save})
        a->setEnabled(enabled);
}

// ---- commands ----

void TForm_Main::BitBtn_CalculateClick()
{
    // Enter in a date field calculates with the date as typed, or not at all.
    for (desktop::DateField *picker : {DateTimePicker_StartDate, DateTimePicker_ReceiveDate}) {
        if (QApplication::focusWidget() == picker->lineEdit() && !picker->commit())
            return;
    }
    if (isLoanMode(m_model.mode())) {
        // Taking the focus makes the focused field run its leave check first,
        // also when the command came from the tool bar or the Enter key.
        const auto it = m_fieldOfEdit.find(QApplication::focusWidget());
        m_inLeaveCheck = true;
        BitBtn_Calculate->setFocus(Qt::OtherFocusReason);
        m_inLeaveCheck = false;
        if (it != m_fieldOfEdit.end())
            m_model.leaveField(it->second);
    }
    m_model.calculate();
}

bool TForm_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !m_inLeaveCheck) {
        const auto it = m_fieldOfEdit.find(watched);
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Switching windows or opening a menu is no leaving of the field.
        if (it != m_fieldOfEdit.end() && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason) {
            m_inLeaveCheck = true;
            m_inFocusChange = true;
            m_model.leaveField(it->second);
            m_inFocusChange = false;
            m_inLeaveCheck = false;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this && !m_inLeaveCheck) {
            auto *key = static_cast<QKeyEvent *>(event);
            // Seen once, for the control that has the focus, not again for
            // each parent the key travels up to.
            const QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
            if ((key->key() == Qt::Key_F2 || key->key() == Qt::Key_F1) && !key->isAutoRepeat() &&
                watched == target) {
                // Consumed: a preview moves the focus, and the key travelling
                // on to the newly focused control would start it again.
                FormKeyDown(key);
                return true;
            }
            if (isEnterKey(key->key()) && !qobject_cast<QAbstractButton *>(widget)) {
                // Enter in any field presses the default button.
                BitBtn_Calculate->click();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm_Main::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F2 && ToolButton_PrintPreview->isEnabled())
        MenuItem_PrintPreviewClick(MenuItem_PrintPreview);
    if (event->key() == Qt::Key_F1) {
        // Help on what the user is looking at: the active page's topic.
        static constexpr const char *kTopics[] = {"HelpPayment.html", "HelpNumberOfPayments.html",
                                                  "HelpAmortization.html", "HelpDaily.html",
                                                  "HelpSavings.html"};
        const int page = PageControl->currentIndex();
        ZtHelpFiles->ShowHelpTopic(QLatin1String(kTopics[page]), PageControl->tabText(page));
    }
}

void TForm_Main::MenuItem_FileClick()
{
    MenuItem_Save->setEnabled(ToolButton_PrintPreview->isEnabled());
}

void TForm_Main::MenuItem_PrintPreviewClick(QAction *sender)
{
    if (!m_services.reports)
        return;
    if (sender == MenuItem_Print)
        m_services.reports->print();
    else
        m_services.reports->printPreview();
}

void TForm_Main::MenuItem_SaveClick()
{
    if (m_services.reports)
        m_services.reports->save();
}

void TForm_Main::MenuItem_OpenClick()
{
    if (m_services.reports)
        m_services.reports->open();
}

void TForm_Main::MenuItem_UseDefaultsClick(QAction *item)
{
    // The click has already inverted the check mark.
    if (item == MenuItem_StayOnTop)
        setStayOnTop(item->isChecked());
}

void TForm_Main::setStayOnTop(bool on)
{
    // Only the stacking changes: the shown window is not recreated, so it
    // stays active with the focus where it was, and the show handler does
    // not run again (no splash, no reload, no reset of the fields).
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    QWindow *handle = windowHandle();
    if (!handle || !isVisible()) {
        setWindowFlags(flags);
        return;
    }
    QWidget *focused = focusWidget();
    overrideWindowFlags(flags);
    handle->setFlags(flags);
    raise();
    activateWindow();
    if (focused)
        focused->setFocus(Qt::OtherFocusReason);
}

void TForm_Main::MenuItem_PlannerClick()
{
    if (m_services.openPlanner)
        m_services.openPlanner();
}

void TForm_Main::MenuItem_SetOptionsClick()
{
    settings::TForm_SetOptions dialog(m_services.settings, *m_services.messages, nullptr, this);
    dialog.exec();
    if (dialog.Cancelled())
        return;
    // The new values take effect at once; the fields keep what was typed.
    bool useDefaults = MenuItem_UseDefaults->isChecked();
    try {
        settings::SettingsStore store(m_services.settings);
        settings::LoadSettings(store, m_model.appSettings(), useDefaults);
    } catch (const settings::SettingsError &e) {
        reportStoreError(e);
    }
    MenuItem_UseDefaults->setChecked(useDefaults);
}

// ---- help, splash and about ----

void TForm_Main::buildHelp()
{
    Image = desktop::makeProgramImage(this);
    const desktop::ProgramDetails details = desktop::programDetails();
    const QString title = help::applicationTitle();

    ZtHelpFiles = new help::TZtHelpFiles(m_services.desktop, this);
    ZtHelpFiles->HelpFiles = {QStringLiteral("HelpAccrua.html=") + tr("Accrua Topics"),
                              QStringLiteral("HelpLoanPlanner.html=") + tr("Loan Planner")};
    ZtHelpFiles->SubDirectory = QStringLiteral("Help");

    ZtSplashScreen = new app::TZtSplashScreen(m_services.desktop, this);
    ZtSplashScreen->setProgram(title, details, desktop::programVersion());
    ZtSplashScreen->Image = Image;
    ZtSplashScreen->Interval = m_services.splashInterval;
    ZtSplashScreen->setImageLeft(10);
    ZtSplashScreen->setImageTop(70);
    ZtSplashScreen->Modal = true;

    ZtAboutBox = new app::TZtAboutBox(m_services.desktop, this);
    ZtAboutBox->setProgram(title, details, desktop::programVersion());
    ZtAboutBox->Image = Image;
    ZtAboutBox->setImageTop(45);
}

void TForm_Main::MenuItem_HelpClick()
{
    MenuItem_Contents->setText(help::helpContentsCaption(help::applicationTitle()));
    const bool haveHelp = !ZtHelpFiles->HelpFiles.isEmpty();
    MenuItem_Contents->setVisible(haveHelp);
    MenuItem_ContentsDivider->setVisible(haveHelp);
}

void TForm_Main::MenuItem_ContentsClick()
{
    ZtHelpFiles->ShowHelpTopics();
}

void TForm_Main::MenuItem_AboutClick()
{
    ZtAboutBox->ShowAbout();
}

void TForm_Main::MenuItem_ExitClick()
{
    close();
}

} // namespace accrua::app
