#include "app/mainwindow.h"

#include "app/startup.h"
#include "help/about.h"
#include "help/aboutbox.h"
#include "help/helpwindows.h"
#include "help/splash.h"
#include "settings/optionsform.h"
#include "settings/values.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
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

namespace accrua::app {

namespace {

constexpr int kClientWidth = 492;

// Keys the main window answers itself, before the focused control.
bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TForm_Main::TForm_Main(MainWindowServices services, QWidget *parent)
    : QMainWindow(parent), m_services(std::move(services)), m_model(m_services.locale, *m_services.messages)
{
    setObjectName(QStringLiteral("TForm_Main"));
    setWindowTitle(QStringLiteral("Accrua"));
    QFont f = font();
    f.setFamily(QStringLiteral("Arial")); // metric-compatible face on Linux: the layout fits as designed
    f.setPointSize(8);
    setFont(f);

    buildMenus();
    buildHelp();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);
    buildToolBar(client);

    PageControl = new QTabWidget(client);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(0, 29, kClientWidth, 287);
    PageControl->setDocumentMode(true);
    PageControl->setFocusPolicy(Qt::NoFocus);
    PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    PageControl->tabBar()->setExpanding(false);
    PageControl->tabBar()->setUsesScrollButtons(false);
    // Flat, button-like tabs that all fit the fixed width.
    PageControl->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 5px; margin-right: 1px; border: 1px solid palette(mid); "
                       "border-radius: 2px; background: palette(button); }"
                       "QTabBar::tab:selected { background: palette(dark); color: palette(bright-text); }"));

    const auto addPage = [this](const char *name, const char *caption) {
        auto *page = new QWidget;
        page->setObjectName(QLatin1String(name));
        PageControl->addTab(page, QLatin1String(caption));
        return page;
    };
    TabSheet_Payment = addPage("TabSheet_Payment", "Payment Amount");
    TabSheet_NumberOfPayments = addPage("TabSheet_NumberOfPayments", "Number Of Payments");
    TabSheet_Amortization = addPage("TabSheet_Amortization", "Amortization");
    TabSheet_Daily = addPage("TabSheet_Daily", "Daily Interest");
    TabSheet_Savings = addPage("TabSheet_Savings", "Savings Interest");

    GroupBox_PaymentAmount = new QGroupBox(QStringLiteral("Payment Amount"), TabSheet_Payment);
    GroupBox_PaymentAmount->setObjectName(QStringLiteral("GroupBox_PaymentAmount"));
    GroupBox_PaymentAmount->setGeometry(167, 74, 150, 100);
    makeEdit(Field::PaymentAnswer, GroupBox_PaymentAmount, 15, 44, 121, true);

    GroupBox_LengthOfLoan = new QGroupBox(QStringLiteral("Length of Loan"), TabSheet_NumberOfPayments);
    GroupBox_LengthOfLoan->setObjectName(QStringLiteral("GroupBox_LengthOfLoan"));
    GroupBox_LengthOfLoan->setGeometry(167, 73, 150, 100);
    makeLabel(fieldCaption(Field::YearsAnswer), GroupBox_LengthOfLoan, 35, 16);
    makeEdit(Field::YearsAnswer, GroupBox_LengthOfLoan, 35, 30, 80, true);
    makeLabel(fieldCaption(Field::MonthsAnswer), GroupBox_LengthOfLoan, 35, 58);
    makeEdit(Field::MonthsAnswer, GroupBox_LengthOfLoan, 35, 72, 80, true);

    buildLoanBoxes();
    buildDailyPage(TabSheet_Daily);
    buildSavingsPage(TabSheet_Savings);

    BitBtn_Calculate = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton),
                                       QStringLiteral("Calculate"), client);
    BitBtn_Calculate->setObjectName(QStringLiteral("BitBtn_Calculate"));
    BitBtn_Calculate->setGeometry(206, 29 + 67, 79, 27);
    BitBtn_Calculate->setDefault(true);
    BitBtn_Calculate->raise();
    connect(BitBtn_Calculate, &QPushButton::clicked, this, &TForm_Main::BitBtn_CalculateClick);

    Panel_Working = new QLabel(QStringLiteral("Working..."), client);
    Panel_Working->setObjectName(QStringLiteral("Panel_Working"));
    Panel_Working->setGeometry(153, 29 + 123, 185, 77);
    Panel_Working->setAlignment(Qt::AlignCenter);
    Panel_Working->setStyleSheet(
        QStringLiteral("background: red; color: white; font-weight: bold; font-size: 14pt;"));
    Panel_Working->hide();

    connect(PageControl, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != PageControl->currentIndex())
            PageControlChange(index);
    });

    setFixedSize(500, 370);
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
    MenuItem_File = bar->addMenu(QStringLiteral("&File"));
    MenuItem_File->setObjectName(QStringLiteral("MenuItem_File"));
    MenuItem_Open = MenuItem_File->addAction(QStringLiteral("&Open..."));
    MenuItem_Save = MenuItem_File->addAction(QStringLiteral("&Save..."));
    MenuItem_File->addSeparator();
    MenuItem_PrintPreview = MenuItem_File->addAction(QStringLiteral("P&rint Preview...        [F2]"));
    MenuItem_Print = MenuItem_File->addAction(QStringLiteral("&Print..."));
    MenuItem_File->addSeparator();
    MenuItem_Exit = MenuItem_File->addAction(QStringLiteral("E&xit"));
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

    MenuItem_Options = bar->addMenu(QStringLiteral("&Edit"));
    MenuItem_Options->setObjectName(QStringLiteral("MenuItem_Options"));
    MenuItem_SetOptions = MenuItem_Options->addAction(QStringLiteral("&Options..."));
    connect(MenuItem_SetOptions, &QAction::triggered, this, &TForm_Main::MenuItem_SetOptionsClick);

    MenuItem_Calculate = bar->addMenu(QStringLiteral("&Calculate"));
    MenuItem_Calculate->setObjectName(QStringLiteral("MenuItem_Calculate"));
    ModeGroup = new QActionGroup(this);
    ModeGroup->setExclusive(true);
    const auto addMode = [this](const char *caption) {
        QAction *a = MenuItem_Calculate->addAction(QLatin1String(caption));
        a->setCheckable(true);
        ModeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { MenuItem_PaymentAmountClick(a); });
        return a;
    };
    MenuItem_PaymentAmount = addMode("&Payment Amount");
    MenuItem_NumberofPayments = addMode("&Number of Payments");
    MenuItem_Amortization = addMode("&Amortization Schedule");
    MenuItem_Calculate->addSeparator();
    MenuItem_DailyInterest = addMode("&Daily Interest");
    MenuItem_SavingsInterest = addMode("&Savings Interest");

    MenuItem_Tools = bar->addMenu(QStringLiteral("&Tools"));
    MenuItem_Tools->setObjectName(QStringLiteral("MenuItem_Tools"));
    MenuItem_UseDefaults = MenuItem_Tools->addAction(QStringLiteral("&Use Defaults"));
    MenuItem_StayOnTop = MenuItem_Tools->addAction(QStringLiteral("Stay On Top"));
    for (QAction *a : {MenuItem_UseDefaults, MenuItem_StayOnTop}) {
        // A checkable action inverts its own check mark when clicked.
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a] { MenuItem_UseDefaultsClick(a); });
    }

    MenuItem_Help = bar->addMenu(QStringLiteral("&Help"));
    MenuItem_Help->setObjectName(QStringLiteral("MenuItem_Help"));
    MenuItem_Contents = MenuItem_Help->addAction(QStringLiteral("Contents..."));
    MenuItem_ContentsDivider = MenuItem_Help->addSeparator();
    MenuItem_About = MenuItem_Help->addAction(QStringLiteral("&About..."));
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
    const auto addButton = [this](QStyle::StandardPixmap icon, const char *hint, const char *name) {
        QAction *a = ToolBar->addAction(style()->standardIcon(icon), QLatin1String(hint));
        a->setToolTip(QLatin1String(hint));
        a->setObjectName(QLatin1String(name));
        if (QWidget *w = ToolBar->widgetForAction(a))
            w->setObjectName(QLatin1String(name));
        return a;
    };
    ToolButton_Open = addButton(QStyle::SP_DialogOpenButton, "Open", "ToolButton_Open");
    ToolButton_Save = addButton(QStyle::SP_DialogSaveButton, "Save", "ToolButton_Save");
    ToolBar->addSeparator();
    ToolButton_PrintPreview =
        addButton(QStyle::SP_FileDialogContentsView, "Print Preview", "ToolButton_PrintPreview");
    ToolButton_Print = addButton(QStyle::SP_DialogYesButton, "Print", "ToolButton_Print");
    ToolBar->addSeparator();
    ToolButton_Calculate = addButton(QStyle::SP_DialogApplyButton, "Calculate", "ToolButton_Calculate");
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
}

QLabel *TForm_Main::makeLabel(const QString &caption, QWidget *parent, int left, int top)
{
    auto *label = new QLabel(caption, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit *TForm_Main::makeEdit(Field field, QWidget *parent, int left, int top, int width, bool result)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(controlName(field));
    e->setGeometry(left, top, width, 21);
    e->setText(m_model.text(field));
    if (result || !fieldInfo(field).input) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QPalette p = e->palette();
        const bool answer =
            field == Field::PaymentAnswer || field == Field::YearsAnswer || field == Field::MonthsAnswer;
        if (answer) {
            p.setColor(QPalette::Base, Qt::black);
            p.setColor(QPalette::Text, Qt::white);
            QFont bold = e->font();
            bold.setBold(true);
            e->setFont(bold);
        } else {
            p.setColor(QPalette::Base, p.color(QPalette::Button));
        }
        e->setPalette(p);
    } else {
        // Typed letters become upper case; the model's change handler runs.
        connect(e, &QLineEdit::textEdited, this, [this, e, field](const QString &typed) {
            const QString upper = m_model.typeText(field, typed);
            if (upper != typed) {
                const int cursor = e->cursorPosition();
                e->setText(upper);
                e->setCursorPosition(cursor);
            }
        });
    }
    m_edits[field] = e;
    m_fieldOfEdit[e] = field;
    return e;
}

void TForm_Main::buildLoanBoxes()
{
    GroupBox_EnterValues = new QGroupBox(QStringLiteral("Enter Values"), TabSheet_Payment);
    GroupBox_EnterValues->setObjectName(QStringLiteral("GroupBox_EnterValues"));
    GroupBox_EnterValues->setGeometry(6, 2, 150, 251);
    makeLabel(fieldCaption(Field::Principal), GroupBox_EnterValues, 8, 17);
    makeEdit(Field::Principal, GroupBox_EnterValues, 8, 32, 121);
    makeLabel(fieldCaption(Field::Interest), GroupBox_EnterValues, 8, 66);
    makeEdit(Field::Interest, GroupBox_EnterValues, 8, 80, 80);
    Label_Payment = makeLabel(fieldCaption(Field::Payment), GroupBox_EnterValues, 8, 114);
    makeEdit(Field::Payment, GroupBox_EnterValues, 8, 129, 121);
    Label_Years = makeLabel(fieldCaption(Field::Years), GroupBox_EnterValues, 8, 114);
    makeEdit(Field::Years, GroupBox_EnterValues, 8, 129, 80);
    Label_Months = makeLabel(fieldCaption(Field::Months), GroupBox_EnterValues, 8, 162);
    makeEdit(Field::Months, GroupBox_EnterValues, 8, 177, 80);

    GroupBox_Totals = new QGroupBox(QStringLiteral("Totals"), TabSheet_Payment);
    GroupBox_Totals->setObjectName(QStringLiteral("GroupBox_Totals"));
    GroupBox_Totals->setGeometry(328, 2, 150, 251);
    const Field totals[] = {Field::TotalPayments, Field::TotalPrincipal, Field::TotalInterest,
                            Field::TotalNumberPayments};
    const int labelTops[] = {17, 65, 114, 162};
    const int fieldTops[] = {33, 81, 129, 177};
    for (int k = 0; k < 4; ++k) {
        makeLabel(fieldCaption(totals[k]), GroupBox_Totals, 14, labelTops[k]);
        makeEdit(totals[k], GroupBox_Totals, 14, fieldTops[k], 121, true);
    }
}

QGroupBox *TForm_Main::makeBox(QWidget *parent, const char *name, const char *caption, int left)
{
    auto *box = new QGroupBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(left, 2, 150, 251);
    return box;
}

void TForm_Main::addLabelledFields(QWidget *box, int left, int top, int step,
                                   std::initializer_list<LabelledField> fields, bool result)
{
    for (const LabelledField &f : fields) {
        makeLabel(fieldCaption(f.field), box, left, top);
        makeEdit(f.field, box, left, top + 15, f.width, result);
        top += step;
    }
}

void TForm_Main::buildDailyPage(QWidget *page)
{
    QGroupBox *values = makeBox(page, "GroupBox_DailyEnterValues", "Enter Values", 6);
    const auto makePicker = [this, values](const char *name, const char *caption, int top) {
        makeLabel(QLatin1String(caption), values, 8, top);
        auto *picker = new QDateEdit(m_model.startDate(), values);
        picker->setObjectName(QLatin1String(name));
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(m_services.locale.shortDateFormat());
        picker->setGeometry(8, top + 15, 121, 21);
        return picker;
    };
    DateTimePicker_StartDate = makePicker("DateTimePicker_StartDate", kStartDateCaption, 12);
    DateTimePicker_ReceiveDate = makePicker("DateTimePicker_ReceiveDate", kReceiveDateCaption, 50);
    connect(DateTimePicker_StartDate, &QDateEdit::dateChanged, this,
            [this](const QDate &d) { m_model.datePickerChanged(true, d); });
    connect(DateTimePicker_ReceiveDate, &QDateEdit::dateChanged, this,
            [this](const QDate &d) { m_model.datePickerChanged(false, d); });
    addLabelledFields(
        values, 8, 88, 38,
        {{Field::Days, 80}, {Field::DayPrincipal, 121}, {Field::DayInterest, 80}, {Field::DayPayment, 121}});

    QGroupBox *totals = makeBox(page, "GroupBox_DailyTotals", "Totals", 328);
    addLabelledFields(totals, 14, 17, 46,
                      {{Field::DailyRate, 121},
                       {Field::IntPerPeriod, 121},
                       {Field::PrincipalPayment, 121},
                       {Field::IntAccrued, 121},
                       {Field::RemainingBalance, 121}},
                      true);
}

void TForm_Main::buildSavingsPage(QWidget *page)
{
    QGroupBox *values = makeBox(page, "GroupBox_SavingsEnterValues", "Enter Values", 6);
    addLabelledFields(values, 8, 17, 48,
                      {{Field::SaveAmount, 121},
                       {Field::SaveInterest, 80},
                       {Field::SaveYears, 80},
                       {Field::SaveMonths, 80}});

    RadioGroup_SaveCompounded = new QGroupBox(QLatin1String(kCompoundedCaption), page);
    RadioGroup_SaveCompounded->setObjectName(QStringLiteral("RadioGroup_SaveCompounded"));
    RadioGroup_SaveCompounded->setGeometry(160, 120, 166, 70);
    for (int k = 0; k < 4; ++k) {
        auto *button = new QRadioButton(QLatin1String(kCompoundingItems[k]), RadioGroup_SaveCompounded);
        button->setGeometry(6 + (k % 2) * 80, 20 + (k / 2) * 22, 78, 20);
        RadioButton_Compounded[k] = button;
        connect(button, &QRadioButton::toggled, this, [this, k](bool on) {
            if (on)
                m_model.setCompounding(k);
        });
    }
    RadioButton_Compounded[m_model.compounding()]->setChecked(true);
    // Tab order: balance, rate, compounding, years, months.
    QWidget *chain[] = {m_edits.at(Field::SaveInterest), RadioButton_Compounded[0],
                        RadioButton_Compounded[1],       RadioButton_Compounded[2],
                        RadioButton_Compounded[3],       m_edits.at(Field::SaveYears),
                        m_edits.at(Field::SaveMonths)};
    for (std::size_t k = 0; k + 1 < std::size(chain); ++k)
        QWidget::setTabOrder(chain[k], chain[k + 1]);

    QGroupBox *totals = makeBox(page, "GroupBox_SavingsTotals", "Totals", 328);
    addLabelledFields(totals, 14, 17, 48, {{Field::SaveIntAccrued, 121}, {Field::SaveEndBalance, 121}}, true);
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
        stayOnTop = settings::ReadStayOnTop(store);
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
        settings::WriteToolsMarks(store, MenuItem_UseDefaults->isChecked(), MenuItem_StayOnTop->isChecked());
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

void TForm_Main::layoutLoanInputs(Mode mode)
{
    QLineEdit *payment = m_edits.at(Field::Payment);
    QLineEdit *years = m_edits.at(Field::Years);
    QLineEdit *months = m_edits.at(Field::Months);
    const auto place = [](QLabel *label, QLineEdit *edit, int labelTop, int editTop) {
        label->move(label->x(), labelTop);
        edit->move(edit->x(), editTop);
    };
    const auto show = [](QLabel *label, QLineEdit *edit, bool visible) {
        label->setVisible(visible);
        edit->setVisible(visible);
    };
    switch (mode) {
    case Mode::PaymentAmount:
        show(Label_Payment, payment, false);
        show(Label_Years, years, true);
        show(Label_Months, months, true);
        place(Label_Years, years, 114, 129);
        place(Label_Months, months, 162, 177);
        break;
    case Mode::NumberOfPayments:
        show(Label_Payment, payment, true);
        place(Label_Payment, payment, 114, 129);
        show(Label_Years, years, false);
        show(Label_Months, months, false);
        break;
    case Mode::Amortization:
        show(Label_Payment, payment, true);
        show(Label_Years, years, true);
        show(Label_Months, months, true);
        place(Label_Years, years, 162, 177);
        place(Label_Months, months, 210, 225);
        break;
    default:
        break;
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
        QTimer::singleShot(0, e, [e] { e->setFocus(Qt::OtherFocusReason); });
        return;
    }
    e->setFocus(Qt::OtherFocusReason);
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
    (start ? DateTimePicker_StartDate : DateTimePicker_ReceiveDate)->setFocus(Qt::OtherFocusReason);
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
            if (key->key() == Qt::Key_F2 && !key->isAutoRepeat() && watched == target) {
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
    // Changing the style recreates the window; the show handler must not run
    // again (no splash, no reload, no reset of the fields).
    const bool attached = m_showHandlerAttached;
    const bool visible = isVisible();
    m_showHandlerAttached = false;
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show();
    m_showHandlerAttached = attached;
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
    Image = help::makeProgramImage(this);
    const help::ProgramDetails details = help::programDetails();
    const QString title = help::applicationTitle();

    ZtHelpFiles = new help::TZtHelpFiles(m_services.desktop, this);
    ZtHelpFiles->HelpFiles = {QStringLiteral("HelpAccrua.html=Accrua Topics")};
    ZtHelpFiles->SubDirectory = QStringLiteral("Help");

    ZtSplashScreen = new help::TZtSplashScreen(m_services.desktop, this);
    ZtSplashScreen->ApplicationTitle = title;
    ZtSplashScreen->CompanyTitle = details.companyTitle;
    ZtSplashScreen->CompanyName = details.companyName;
    ZtSplashScreen->CompanyAddress = details.companyAddress;
    ZtSplashScreen->CompanyCityStateZip = details.companyCityStateZip;
    ZtSplashScreen->CompanyURL = details.companyUrl;
    ZtSplashScreen->Image = Image;
    ZtSplashScreen->Version = help::programVersion();
    ZtSplashScreen->Interval = m_services.splashInterval;
    ZtSplashScreen->setImageLeft(10);
    ZtSplashScreen->setImageTop(70);
    ZtSplashScreen->Modal = true;

    ZtAboutBox = new help::TZtAboutBox(m_services.desktop, this);
    ZtAboutBox->ApplicationTitle = title;
    ZtAboutBox->CompanyTitle = details.companyTitle;
    ZtAboutBox->CompanyName = details.companyName;
    ZtAboutBox->CompanyAddress = details.companyAddress;
    ZtAboutBox->CompanyCityStateZip = details.companyCityStateZip;
    ZtAboutBox->CompanyURL = details.companyUrl;
    ZtAboutBox->CompanyEmail = details.companyEmail;
    ZtAboutBox->CompanyPhone = details.companyPhone;
    ZtAboutBox->Image = Image;
    ZtAboutBox->Version = help::programVersion();
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
