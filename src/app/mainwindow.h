// TForm_Main: the fixed-size main window. It lays out the five pages, menus
// and tool bar, mirrors the MainModel's field texts in its edits, forwards the
// user's typing, focus changes and commands to the model, and keeps the report
// commands, check marks and page in step with it.
#pragma once

#include "app/mainmodel.h"
#include "desktop/desktop.h"
#include "settings/store.h"

#include <QDate>
#include <QMainWindow>

#include <exception>
#include <functional>
#include <initializer_list>
#include <map>

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

namespace accrua::desktop {
class DateField;
}

namespace accrua::help {
class TZtHelpFiles;
} // namespace accrua::help

namespace accrua::app {

class TZtAboutBox;
class TZtSplashScreen;

// The report commands, built by the reports; the window only decides when
// they may run.
class ReportCommands {
public:
    virtual ~ReportCommands() = default;
    virtual void printPreview() = 0;
    virtual void print() = 0;
    virtual void save() = 0;
    virtual void open() = 0;
};

struct MainWindowServices {
    desktop::MessageService *messages = nullptr;
    text::Locale locale = text::Locale::system();
    settings::SettingsFactory settings = settings::NativeSettingsFactory();
    ReportCommands *reports = nullptr; // none: the commands do nothing
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    // The print dialog and web address seams of the help windows and the about box.
    desktop::DesktopServices desktop = desktop::DesktopServices::system();
    // Opens a new loan planner window; none: the planner's menu item and button are hidden.
    std::function<void()> openPlanner;
    // The program turns the four-second splash on; tests keep it off or shorten it.
    bool showSplash = false;
    int splashInterval = 4000;
};

class TForm_Main : public QMainWindow, private MainModelView {
    Q_OBJECT

public:
    explicit TForm_Main(MainWindowServices services, QWidget *parent = nullptr);
    ~TForm_Main() override;

    MainModel &model() { return m_model; }
    QLineEdit *edit(Field field) const { return m_edits.at(field); }

    // Handlers named as the program names them.
    void BitBtn_CalculateClick();
    void MenuItem_PaymentAmountClick(QAction *item);
    void PageControlChange(int index);
    void MenuItem_UseDefaultsClick(QAction *item);
    void MenuItem_FileClick();
    void MenuItem_HelpClick();
    void MenuItem_PrintPreviewClick(QAction *sender);
    void MenuItem_SaveClick();
    void MenuItem_OpenClick();
    void MenuItem_SetOptionsClick();
    void MenuItem_PlannerClick();
    void MenuItem_ContentsClick();
    void MenuItem_AboutClick();
    void MenuItem_ExitClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // MainModelView
    void fieldWritten(Field field, const QString &text) override;
    void focusField(Field field) override;
    void reportCommandsChanged(bool enabled) override;
    void modeChanged(Mode mode) override;
    void datesWritten(const QDate &start, const QDate &receive) override;
    void focusDatePicker(bool start) override;

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormKeyDown(QKeyEvent *event);
    void reportStoreError(const std::exception &e);

    void buildMenus();
    void buildHelp();
    void buildToolBar(QWidget *client);
    // Page construction and fitting live in pages.cpp.
    void buildPages(QWidget *client);
    void fitWindow();
    void layoutSavingsValues();
    void buildLoanBoxes();
    void buildDailyPage(QWidget *page);
    void buildSavingsPage(QWidget *page);
    QLineEdit *makeEdit(Field field, QWidget *parent, int left, int top, int width, bool result = false);
    QLabel *makeLabel(const QString &caption, QWidget *parent, int left, int top);
    struct LabelledField {
        Field field;
        int width;
    };
    QGroupBox *makeBox(QWidget *parent, const char *name, const char *caption, int left);
    // Label above field, one pair every `step` pixels from `top`.
    void addLabelledFields(QWidget *box, int left, int top, int step,
                           std::initializer_list<LabelledField> fields, bool result = false);
    void layoutLoanInputs(Mode mode);
    void setStayOnTop(bool on);
    QAction *modeAction(Mode mode) const;

    MainWindowServices m_services;
    MainModel m_model;

    std::map<Field, QLineEdit *> m_edits;
    std::map<QObject *, Field> m_fieldOfEdit;
    bool m_inLeaveCheck = false;
    bool m_inFocusChange = false;
    bool m_showHandlerAttached = true;
    bool m_useDefaults = false;
    QLabel *m_lastLabel = nullptr; // the buddy for the next field made
    int m_loanInputsShift = 0;     // loan inputs moved down clear of their box's caption

public:
    // Controls, named as the program names them.
    QToolBar *ToolBar = nullptr;
    QTabWidget *PageControl = nullptr;
    QWidget *TabSheet_Payment = nullptr;
    QWidget *TabSheet_NumberOfPayments = nullptr;
    QWidget *TabSheet_Amortization = nullptr;
    QWidget *TabSheet_Daily = nullptr;
    QWidget *TabSheet_Savings = nullptr;
    QGroupBox *GroupBox_EnterValues = nullptr;
    QGroupBox *GroupBox_Totals = nullptr;
    QGroupBox *GroupBox_PaymentAmount = nullptr;
    QGroupBox *GroupBox_LengthOfLoan = nullptr;
    QPushButton *BitBtn_Calculate = nullptr;
    QLabel *Panel_Working = nullptr;
    QLabel *Label_Payment = nullptr;
    QLabel *Label_Years = nullptr;
    QLabel *Label_Months = nullptr;
    desktop::DateField *DateTimePicker_StartDate = nullptr;
    desktop::DateField *DateTimePicker_ReceiveDate = nullptr;
    QGroupBox *RadioGroup_SaveCompounded = nullptr;
    QRadioButton *RadioButton_Compounded[4] = {};

    QMenu *MenuItem_File = nullptr;
    QAction *MenuItem_Open = nullptr;
    QAction *MenuItem_Save = nullptr;
    QAction *MenuItem_PrintPreview = nullptr;
    QAction *MenuItem_Print = nullptr;
    QAction *MenuItem_Exit = nullptr;
    QMenu *MenuItem_Options = nullptr;
    QAction *MenuItem_SetOptions = nullptr;
    QMenu *MenuItem_Calculate = nullptr;
    QActionGroup *ModeGroup = nullptr;
    QAction *MenuItem_PaymentAmount = nullptr;
    QAction *MenuItem_NumberofPayments = nullptr;
    QAction *MenuItem_Amortization = nullptr;
    QAction *MenuItem_DailyInterest = nullptr;
    QAction *MenuItem_SavingsInterest = nullptr;
    QMenu *MenuItem_Tools = nullptr;
    QAction *MenuItem_UseDefaults = nullptr;
    QAction *MenuItem_StayOnTop = nullptr;
    QAction *MenuItem_Planner = nullptr;
    QMenu *MenuItem_Help = nullptr;
    QAction *MenuItem_Contents = nullptr;
    QAction *MenuItem_ContentsDivider = nullptr;
    QAction *MenuItem_About = nullptr;

    QLabel *Image = nullptr; // hidden: the program's picture for the splash and the about box
    help::TZtHelpFiles *ZtHelpFiles = nullptr;
    TZtSplashScreen *ZtSplashScreen = nullptr;
    TZtAboutBox *ZtAboutBox = nullptr;

    QAction *ToolButton_Open = nullptr;
    QAction *ToolButton_Save = nullptr;
    QAction *ToolButton_PrintPreview = nullptr;
    QAction *ToolButton_Print = nullptr;
    QAction *ToolButton_Calculate = nullptr;
    QAction *ToolButton_Planner = nullptr;
};

} // namespace accrua::app
