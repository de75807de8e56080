#include "settings/optionsform.h"

#include "engine/picture/picture.h"
#include "help/hintpopup.h"
#include "settings/optionspicture.h"
#include "settings/picturedialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace accrua::settings {

namespace {

// Help context numbers and texts of the controls.
struct Help {
    int context;
    const char *text;
};
constexpr Help kAmortizedBaseHelp{
    1, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                         "The number of days in a year that will be used in the amortization "
                         "calculations.")};
constexpr Help kResolutionHelp{
    2, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                         "Determines whether the number of payments or the payment amount will be "
                         "increased in order to resolve any residual balances.")};
constexpr Help kClassicViewHelp{
    43, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                          "When checked, the reports will print in the original \"classic\" format.")};
constexpr Help kPrintImageHelp{3, ""};
constexpr Help kImagePathHelp{
    4, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                         "The file path to an image file that will appear at the top of the printout.")};
constexpr Help kImagePanelHelp{7, ""};
constexpr Help kAmortTitleHelp{5, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                                                    "The title of the amortization schedule report.")};
constexpr Help kLoanTypeHelp{6, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                                                  "The subtitle of the amortization schedule report.")};
constexpr Help kAmortTotalsHelp{
    42, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                          "When checked, the annual and overall totals will be printed after each "
                          "year on the amortization schedule")};
constexpr Help kSavingsTitleHelp{60, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                                                       "The title of the compounded interest report.")};
constexpr Help kSavingsSubtitleHelp{8, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                                                         "The subtitle of the compounded interest report.")};
constexpr Help kSavingsTotalsHelp{
    9, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                         "When checked, the annual and overall totals will be printed after each "
                         "year on the compounded interest report.")};
constexpr Help kDailyTitleHelp{
    10, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions", "The title of the daily interest report. ")};
constexpr Help kDailySubtitleHelp{11, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions",
                                                        "The subtitle of the daily interest report.")};
constexpr Help kOkHelp{
    40, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions", "Closes and saves the options settings.")};
constexpr Help kCancelHelp{
    41, QT_TRANSLATE_NOOP("accrua::settings::TForm_SetOptions", "Closes and cancels the options settings.")};

template <class Control> Control *named(Control *control, const char *name, Help help = {0, ""})
{
    control->setObjectName(QString::fromLatin1(name));
    help::setHelpContext(control, help.context);
    help::setHelpText(
        control, *help.text ? QCoreApplication::translate("accrua::settings::TForm_SetOptions", help.text)
                            : QString());
    return control;
}

QLabel *captionLabel(const char *name, const QString &caption, QWidget *parent, int left, int top, int width)
{
    auto *label = named(new QLabel(caption, parent), name);
    label->setGeometry(left, top, width, 21);
    return label;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, Help help, QLabel *label, int left, int top, int width)
{
    auto *edit = named(new QLineEdit(parent), name, help);
    // The caption as the font draws it decides where its field may begin: the
    // field gives up width on its left rather than touch the text.
    constexpr int kCaptionGap = 6;
    const int clear = label->x() + label->sizeHint().width() + kCaptionGap;
    if (left < clear) {
        width -= clear - left;
        left = clear;
    }
    edit->setGeometry(left, top, width, 23);
    label->setBuddy(edit);
    return edit;
}

} // namespace

TForm_SetOptions::TForm_SetOptions(SettingsFactory settings, desktop::MessageService &messages,
                                   PictureBrowser *browser, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_settings(std::move(settings)), m_messages(messages), m_browser(browser)
{
    if (!m_browser) {
        m_ownBrowser = std::make_unique<DialogPictureBrowser>();
        m_browser = m_ownBrowser.get();
    }
    setObjectName(QStringLiteral("TForm_SetOptions"));
    setWindowTitle(tr("Set Options"));
    setFixedSize(kClientWidth, kClientHeight);

    PageControl_Options = named(new QTabWidget(this), "PageControl_Options");
    // The one tab is a flat button rather than a raised tab.
    PageControl_Options->setDocumentMode(true);
    PageControl_Options->setGeometry(6, 6, 620, 402);
    TabSheet_Options = named(new QWidget(PageControl_Options), "TabSheet_Options");
    PageControl_Options->addTab(TabSheet_Options, tr("Options"));

    buildDefaults();
    buildReportBoxes();

    BitBtn_OK = named(new QPushButton(tr("OK"), this), "BitBtn_OK", kOkHelp);
    BitBtn_OK->setDefault(true);
    BitBtn_OK->setGeometry(444, 418, 84, 27);
    BitBtn_Cancel = named(new QPushButton(tr("Cancel"), this), "BitBtn_Cancel", kCancelHelp);
    BitBtn_Cancel->setAutoDefault(false);
    BitBtn_Cancel->setGeometry(536, 418, 84, 27);

    const QList<QWidget *> tabOrder{
        ComboBox_AmortizedBase,
        RadioButton_Resolution[0],
        RadioButton_Resolution[1],
        CheckBox_UseClassicView,
        CheckBox_PrintImage,
        ComboBox_AmortSchedule,
        MaskEdit_DefaultImagePath,
        SpeedButton_DefaultImage,
        MaskEdit_AmortTitle,
        ComboBox_LoanType,
        CheckBox_AmortPrintTotals,
        MaskEdit_SavingsTitle,
        MaskEdit_SavingsSubtitle,
        CheckBox_SavingsPrintTotals,
        MaskEdit_DailyTitle,
        MaskEdit_DailySubtitle,
        BitBtn_OK,
        BitBtn_Cancel,
    };
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    ZtHelpHint_Main = new help::TZtHelpHint(this);
    ZtHelpHint_Main->setObjectName(QStringLiteral("ZtHelpHint_Main"));
    m_helpRequests =
        new help::ContextHelpRequests(this, [this](unsigned short command, int context, QPoint position) {
            FormHelp(command, context, position);
        });

    connect(BitBtn_OK, &QPushButton::clicked, this, &TForm_SetOptions::BitBtn_OKClick);
    connect(BitBtn_Cancel, &QPushButton::clicked, this, &TForm_SetOptions::BitBtn_CancelClick);
    connect(SpeedButton_DefaultImage, &QToolButton::clicked, this,
            &TForm_SetOptions::SpeedButton_DefaultImageClick);
    connect(CheckBox_PrintImage, &QCheckBox::toggled, this, &TForm_SetOptions::CheckBox_PrintImageClick);
}

TForm_SetOptions::~TForm_SetOptions() = default;

void TForm_SetOptions::buildDefaults()
{
    GroupBox_Defaults = named(new QGroupBox(tr("Defaults"), TabSheet_Options), "GroupBox_Defaults");
    GroupBox_Defaults->setGeometry(4, 4, 606, 136);
    QWidget *box = GroupBox_Defaults;

    Label_AmortizedBase = captionLabel("Label_AmortizedBase", tr("Amortized Base:"), box, 12, 22, 100);
    ComboBox_AmortizedBase = named(new QComboBox(box), "ComboBox_AmortizedBase", kAmortizedBaseHelp);
    ComboBox_AmortizedBase->addItems(amortizedBaseItems());
    ComboBox_AmortizedBase->setCurrentIndex(1);
    ComboBox_AmortizedBase->setGeometry(116, 21, 72, 23);
    Label_AmortizedBase->setBuddy(ComboBox_AmortizedBase);

    RadioGroup_Resolution = named(new QGroupBox(tr("To Resolve Residual Balances:"), box),
                                  "RadioGroup_Resolution", kResolutionHelp);
    RadioGroup_Resolution->setGeometry(12, 50, 262, 72);
    m_resolution = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        RadioButton_Resolution[i] =
            new QRadioButton(QCoreApplication::translate("accrua::settings::Options",
                                                         resolutionItems().at(i).toLatin1().constData()),
                             RadioGroup_Resolution);
        RadioButton_Resolution[i]->setObjectName(QStringLiteral("RadioButton_Resolution%1").arg(i));
        RadioButton_Resolution[i]->setGeometry(10, 22 + 24 * i, 244, 21);
        m_resolution->addButton(RadioButton_Resolution[i], i);
    }
    RadioButton_Resolution[0]->setChecked(true);

    CheckBox_UseClassicView =
        named(new QCheckBox(tr("Use Classic Reports"), box), "CheckBox_UseClassicView", kClassicViewHelp);
    CheckBox_UseClassicView->setGeometry(290, 104, 150, 21);
    CheckBox_PrintImage =
        named(new QCheckBox(tr("Print Image"), box), "CheckBox_PrintImage", kPrintImageHelp);
    CheckBox_PrintImage->setGeometry(290, 80, 150, 21);
    CheckBox_PrintImage->setChecked(true);

    // Kept and written back, never shown.
    Label_AmortSchedule =
        captionLabel("Label_AmortSchedule", tr("Amortization Schedule:"), box, 200, 22, 130);
    ComboBox_AmortSchedule = named(new QComboBox(box), "ComboBox_AmortSchedule");
    ComboBox_AmortSchedule->addItems(amortScheduleItems());
    ComboBox_AmortSchedule->setGeometry(330, 21, 100, 23);
    Label_AmortSchedule->setBuddy(ComboBox_AmortSchedule);
    Label_AmortSchedule->hide();
    ComboBox_AmortSchedule->hide();

    Label_DefaultImagePath = captionLabel("Label_DefaultImagePath", tr("Image Path:"), box, 290, 22, 70);
    MaskEdit_DefaultImagePath =
        lineEdit(box, "MaskEdit_DefaultImagePath", kImagePathHelp, Label_DefaultImagePath, 362, 21, 206);
    MaskEdit_DefaultImagePath->setReadOnly(true);
    QPalette buttonColoured = MaskEdit_DefaultImagePath->palette();
    buttonColoured.setColor(QPalette::Base, buttonColoured.color(QPalette::Button));
    MaskEdit_DefaultImagePath->setPalette(buttonColoured);

    SpeedButton_DefaultImage = named(new QToolButton(box), "SpeedButton_DefaultImage");
    SpeedButton_DefaultImage->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    SpeedButton_DefaultImage->setAutoRaise(true);
    SpeedButton_DefaultImage->setToolTip(tr("Browse for Image..."));
    SpeedButton_DefaultImage->setGeometry(572, 20, 25, 25);

    // The caption lies under the picture and shows where there is none.
    Panel_DefaultImage = named(new QFrame(box), "Panel_DefaultImage", kImagePanelHelp);
    Panel_DefaultImage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_DefaultImage->setLineWidth(1);
    Panel_DefaultImage->setGeometry(402, 52, kImageWidth + 4, kImageHeight + 4);
    auto *caption = new QLabel(tr("Image (50/190 max)"), Panel_DefaultImage);
    caption->setObjectName(QStringLiteral("Label_DefaultImageCaption"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(2, 2, kImageWidth, kImageHeight);
    Image = named(new QLabel(Panel_DefaultImage), "Image");
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image->setGeometry(2, 2, kImageWidth, kImageHeight);
}

void TForm_SetOptions::buildReportBoxes()
{
    GroupBox_AmortReport =
        named(new QGroupBox(tr("Amortization Report"), TabSheet_Options), "GroupBox_AmortReport");
    GroupBox_AmortReport->setGeometry(4, 144, 606, 78);
    Label_AmortTitle = captionLabel("Label_AmortTitle", tr("Title:"), GroupBox_AmortReport, 12, 20, 70);
    MaskEdit_AmortTitle =
        lineEdit(GroupBox_AmortReport, "MaskEdit_AmortTitle", kAmortTitleHelp, Label_AmortTitle, 84, 19, 250);
    Label_LoanType = captionLabel("Label_LoanType", tr("Loan Type:"), GroupBox_AmortReport, 12, 47, 70);
    ComboBox_LoanType = named(new QComboBox(GroupBox_AmortReport), "ComboBox_LoanType", kLoanTypeHelp);
    ComboBox_LoanType->setEditable(true);
    // A typed loan type is stored as typed: never added, never recased.
    ComboBox_LoanType->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_LoanType->setCompleter(nullptr);
    ComboBox_LoanType->addItems(loanTypeItems());
    ComboBox_LoanType->setGeometry(84, 46, 250, 23);
    Label_LoanType->setBuddy(ComboBox_LoanType);
    CheckBox_AmortPrintTotals =
        named(new QCheckBox(tr("Print Annual and Overall Totals"), GroupBox_AmortReport),
              "CheckBox_AmortPrintTotals", kAmortTotalsHelp);
    CheckBox_AmortPrintTotals->setGeometry(360, 20, 230, 21);

    GroupBox_SavingsReport =
        named(new QGroupBox(tr("Savings Report"), TabSheet_Options), "GroupBox_SavingsReport");
    GroupBox_SavingsReport->setGeometry(4, 226, 606, 78);
    Label_SavingsTitle = captionLabel("Label_SavingsTitle", tr("Title:"), GroupBox_SavingsReport, 12, 20, 70);
    MaskEdit_SavingsTitle = lineEdit(GroupBox_SavingsReport, "MaskEdit_SavingsTitle", kSavingsTitleHelp,
                                     Label_SavingsTitle, 84, 19, 250);
    Label_SavingsSubtitle =
        captionLabel("Label_SavingsSubtitle", tr("Subtitle:"), GroupBox_SavingsReport, 12, 47, 70);
    MaskEdit_SavingsSubtitle = lineEdit(GroupBox_SavingsReport, "MaskEdit_SavingsSubtitle",
                                        kSavingsSubtitleHelp, Label_SavingsSubtitle, 84, 46, 250);
    CheckBox_SavingsPrintTotals =
        named(new QCheckBox(tr("Print Annual and Overall Totals"), GroupBox_SavingsReport),
              "CheckBox_SavingsPrintTotals", kSavingsTotalsHelp);
    CheckBox_SavingsPrintTotals->setGeometry(360, 20, 230, 21);

    GroupBox_DailyReport =
        named(new QGroupBox(tr("Daily Interest Report"), TabSheet_Options), "GroupBox_DailyReport");
    GroupBox_DailyReport->setGeometry(4, 308, 606, 64);
    Label_DailyTitle = captionLabel("Label_DailyTitle", tr("Title:"), GroupBox_DailyReport, 12, 20, 70);
    MaskEdit_DailyTitle =
        lineEdit(GroupBox_DailyReport, "MaskEdit_DailyTitle", kDailyTitleHelp, Label_DailyTitle, 84, 19, 190);
    Label_DailySubtitle =
        captionLabel("Label_DailySubtitle", tr("Subtitle:"), GroupBox_DailyReport, 290, 20, 60);
    MaskEdit_DailySubtitle = lineEdit(GroupBox_DailyReport, "MaskEdit_DailySubtitle", kDailySubtitleHelp,
                                      Label_DailySubtitle, 352, 19, 238);
}

void TForm_SetOptions::showEvent(QShowEvent *event)
{
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        // Centred on the screen, not over the window that asked.
        if (QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen()) {
            QRect centred(QPoint(0, 0), frameGeometry().size());
            centred.moveCenter(screen->availableGeometry().center());
            move(centred.topLeft());
        }
        FormShow();
    }
    QDialog::showEvent(event);
}

void TForm_SetOptions::FormShow()
{
    // A value the store cannot read shows its default.
    OptionsState shown = OptionsState::defaults();
    std::optional<QString> failure;
    {
        SettingsStore store(m_settings);
        SettingsStoreAccess access(store);
        failure = readOptions(access, shown, [this](const QString &path) {
            Image->clear();
            if (QFileInfo(path).isFile())
                loadImage(path);
        });
    }
    applyState(shown);
    if (failure)
        m_messages.ShowErrorReport(*failure);
    ComboBox_AmortizedBase->setFocus();
}

OptionsState TForm_SetOptions::state() const
{
    OptionsState s;
    s.amortScheduleIndex = ComboBox_AmortSchedule->currentIndex();
    s.resolutionIndex = m_resolution->checkedId();
    s.amortTitle = MaskEdit_AmortTitle->text();
    s.loanType = ComboBox_LoanType->currentText();
    s.amortizedBaseIndex = ComboBox_AmortizedBase->currentIndex();
    s.imagePath = MaskEdit_DefaultImagePath->text();
    s.useClassicView = CheckBox_UseClassicView->isChecked();
    s.amortPrintTotals = CheckBox_AmortPrintTotals->isChecked();
    s.printImage = CheckBox_PrintImage->isChecked();
    s.savingsTitle = MaskEdit_SavingsTitle->text();
    s.savingsSubtitle = MaskEdit_SavingsSubtitle->text();
    s.savingsPrintTotals = CheckBox_SavingsPrintTotals->isChecked();
    s.dailyTitle = MaskEdit_DailyTitle->text();
    s.dailySubtitle = MaskEdit_DailySubtitle->text();
    return s;
}

void TForm_SetOptions::applyState(const OptionsState &s)
{
    ComboBox_AmortSchedule->setCurrentIndex(s.amortScheduleIndex);
    if (QAbstractButton *item = m_resolution->button(s.resolutionIndex))
        item->setChecked(true);
    MaskEdit_AmortTitle->setText(s.amortTitle);
    ComboBox_LoanType->setEditText(s.loanType);
    ComboBox_AmortizedBase->setCurrentIndex(s.amortizedBaseIndex);
    MaskEdit_DefaultImagePath->setText(s.imagePath);
    CheckBox_UseClassicView->setChecked(s.useClassicView);
    CheckBox_AmortPrintTotals->setChecked(s.amortPrintTotals);
    CheckBox_PrintImage->setChecked(s.printImage);
    MaskEdit_SavingsTitle->setText(s.savingsTitle);
    MaskEdit_SavingsSubtitle->setText(s.savingsSubtitle);
    CheckBox_SavingsPrintTotals->setChecked(s.savingsPrintTotals);
    MaskEdit_DailyTitle->setText(s.dailyTitle);
    MaskEdit_DailySubtitle->setText(s.dailySubtitle);
    CheckBox_PrintImageClick();
}

bool TForm_SetOptions::loadImage(const QString &path)
{
    try {
        const PreviewPicture picture =
            loadPreviewPicture(path, QSize(kImageWidth, kImageHeight), PreviewFit::CutAtEdges);
        Image->setPixmap(QPixmap::fromImage(picture.image));
        return true;
    } catch (const engine::picture::PictureError &e) {
        m_messages.ShowErrorReport(e.message());
        return false;
    }
}

bool TForm_SetOptions::FormHelp(unsigned short command, int context, QPoint position)
{
    ZtHelpHint_Main->Form = this;
    ZtHelpHint_Main->Command = command;
    ZtHelpHint_Main->Data = context;
    ZtHelpHint_Main->setPosition(position);
    ZtHelpHint_Main->Execute();
    return true;
}

void TForm_SetOptions::BitBtn_OKClick()
{
    m_cancelled = false;
    try {
        SettingsStore store(m_settings);
        SettingsStoreAccess access(store);
        writeOptions(access, state());
    } catch (const SettingsError &e) {
        // The dialog stays with everything the user typed, and the main window
        // does not reload a half-written store.
        m_cancelled = true;
        m_messages.ShowErrorReport(e.text());
        return;
    }
    accept();
}

void TForm_SetOptions::BitBtn_CancelClick()
{
    m_cancelled = true;
    reject();
}

void TForm_SetOptions::SpeedButton_DefaultImageClick()
{
    const std::optional<QString> chosen = m_browser->browsePicture(this, MaskEdit_DefaultImagePath->text());
    if (!chosen)
        return;
    // A picture that does not load leaves the path and picture as they were.
    if (loadImage(*chosen))
        MaskEdit_DefaultImagePath->setText(*chosen);
}

void TForm_SetOptions::CheckBox_PrintImageClick()
{
    Image->setVisible(CheckBox_PrintImage->isChecked());
}

} // namespace accrua::settings
