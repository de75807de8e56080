// TForm_SetOptions: the modal "Set Options" dialog. FormShow fills the
// controls from the store, OK writes them back (settings/options.h holds both
// orders); the picture comes through a PictureBrowser and context help through
// the dialog's TZtHelpHint.
#pragma once

#include "desktop/messages.h"
#include "settings/options.h"
#include "settings/store.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace accrua::help {
class ContextHelpRequests;
class TZtHelpHint;
} // namespace accrua::help

namespace accrua::settings {

class PictureBrowser;

class TForm_SetOptions : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 632;
    static constexpr int kClientHeight = 453;
    static constexpr int kImageWidth = 190;
    static constexpr int kImageHeight = 50;

    // `browser` may be null: the program's own file dialog is used.
    TForm_SetOptions(SettingsFactory settings, desktop::MessageService &messages, PictureBrowser *browser,
                     QWidget *parent = nullptr);
    ~TForm_SetOptions() override;

    // True until OK has stored every value.
    bool Cancelled() const { return m_cancelled; }

    // The controls' state as OK would store it.
    OptionsState state() const;

    // Handlers named as the program names them.
    void FormShow();
    bool FormHelp(unsigned short command, int context, QPoint position);
    void BitBtn_OKClick();
    void BitBtn_CancelClick();
    void SpeedButton_DefaultImageClick();
    void CheckBox_PrintImageClick();

    QTabWidget *PageControl_Options = nullptr;
    QWidget *TabSheet_Options = nullptr;

    QGroupBox *GroupBox_Defaults = nullptr;
    QLabel *Label_AmortizedBase = nullptr;
    QComboBox *ComboBox_AmortizedBase = nullptr;
    QGroupBox *RadioGroup_Resolution = nullptr;
    QRadioButton *RadioButton_Resolution[2] = {};
    QCheckBox *CheckBox_UseClassicView = nullptr;
    QCheckBox *CheckBox_PrintImage = nullptr;
    QLabel *Label_AmortSchedule = nullptr;
    QComboBox *ComboBox_AmortSchedule = nullptr;
    QLabel *Label_DefaultImagePath = nullptr;
    QLineEdit *MaskEdit_DefaultImagePath = nullptr;
    QToolButton *SpeedButton_DefaultImage = nullptr;
    QFrame *Panel_DefaultImage = nullptr;
    QLabel *Image = nullptr;

    QGroupBox *GroupBox_AmortReport = nullptr;
    QLabel *Label_AmortTitle = nullptr;
    QLineEdit *MaskEdit_AmortTitle = nullptr;
    QLabel *Label_LoanType = nullptr;
    QComboBox *ComboBox_LoanType = nullptr;
    QCheckBox *CheckBox_AmortPrintTotals = nullptr;

    QGroupBox *GroupBox_SavingsReport = nullptr;
    QLabel *Label_SavingsTitle = nullptr;
    QLineEdit *MaskEdit_SavingsTitle = nullptr;
    QLabel *Label_SavingsSubtitle = nullptr;
    QLineEdit *MaskEdit_SavingsSubtitle = nullptr;
    QCheckBox *CheckBox_SavingsPrintTotals = nullptr;

    QGroupBox *GroupBox_DailyReport = nullptr;
    QLabel *Label_DailyTitle = nullptr;
    QLineEdit *MaskEdit_DailyTitle = nullptr;
    QLabel *Label_DailySubtitle = nullptr;
    QLineEdit *MaskEdit_DailySubtitle = nullptr;

    QPushButton *BitBtn_OK = nullptr;
    QPushButton *BitBtn_Cancel = nullptr;

    help::TZtHelpHint *ZtHelpHint_Main = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildDefaults();
    void buildReportBoxes();
    void applyState(const OptionsState &state);
    // Shows the picture at `path` in Image; false (reported) when it fails.
    bool loadImage(const QString &path);

    SettingsFactory m_settings;
    desktop::MessageService &m_messages;
    PictureBrowser *m_browser;
    std::unique_ptr<PictureBrowser> m_ownBrowser;
    QButtonGroup *m_resolution = nullptr;
    help::ContextHelpRequests *m_helpRequests = nullptr;
    bool m_cancelled = true;
    bool m_shown = false;
};

} // namespace accrua::settings
