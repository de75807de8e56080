// TForm_Planner: the loan planner window. Scenario tabs along the top, the
// selected scenario's inputs on the left, the comparison, chart and
// schedule on the right. It moves texts between its controls and the plan
// (plan.h), recalculates the edited scenario a moment after the last change,
// and reaches every dialog through the program's seams.
#pragma once

#include "desktop/messages.h"
#include "planner/plan.h"
#include "settings/store.h"
#include "text/locale.h"

#include <QDate>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class QSplitter;
class QTabBar;
class QTabWidget;
class QTableView;
class QToolButton;

namespace accrua::desktop {
class FileDialogService;
class PrintDialogService;
} // namespace accrua::desktop
namespace accrua::reports::commands {
class PreviewService;
} // namespace accrua::reports::commands

namespace accrua::planner {

class ChartView;
class ComparisonModel;
class PlanReport;
class PlannerInputs;
class ScheduleModel;

struct PlannerServices {
    desktop::MessageService *messages = nullptr;
    text::Locale locale = text::Locale::system();
    settings::SettingsFactory settings = settings::NativeSettingsFactory();
    desktop::FileDialogService *files = nullptr;
    desktop::PrintDialogService *printDialog = nullptr;
    // Makes the preview whose windows belong to the planner; none: Print Preview shows nothing.
    std::function<std::unique_ptr<reports::commands::PreviewService>(QWidget *owner)> makePreview;
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    std::function<void(QWidget *)> showHelp; // the planner's help page; none: no Help menu item
};

// The stored values of the window's place and splitters.
inline const QString kPlannerGeometry = QStringLiteral("PLANNERGEOMETRY");
inline const QString kPlannerSplitters = QStringLiteral("PLANNERSPLITTERS");

class TForm_Planner : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm_Planner(PlannerServices services, QWidget *parent = nullptr);
    ~TForm_Planner() override;

    const Plan &plan() const { return m_plan; }
    const ScenarioResult &result(int index) const { return *m_results.at(static_cast<std::size_t>(index)); }
    QString fileName() const { return m_fileName; }

    // Handlers, named as the program names them.
    void MenuItem_OpenClick();
    bool MenuItem_SaveClick();
    bool MenuItem_SaveAsClick();
    void MenuItem_PrintPreviewClick();
    void MenuItem_PrintClick();
    void MenuItem_ExportPdfClick();
    void MenuItem_ExportScheduleClick();
    void MenuItem_ExportComparisonClick();
    void MenuItem_CopyScheduleClick();
    void MenuItem_CopyComparisonClick();
    void MenuItem_AddScenarioClick();
    void MenuItem_DuplicateScenarioClick();
    void MenuItem_RenameScenarioClick();
    void MenuItem_RemoveScenarioClick();

    // Reads the form and recalculates the selected scenario now.
    void recalculate();
    // Opens a plan file; false (the plan unchanged) when it was refused.
    bool openFile(const QString &path);
    bool saveFile(const QString &path);
    // The report of the plan as it stands.
    std::unique_ptr<PlanReport> makeReport() const;

    PlannerInputs *Inputs = nullptr;
    QTabBar *TabBar_Scenarios = nullptr;
    QToolButton *ToolButton_AddScenario = nullptr;
    QSplitter *Splitter_Main = nullptr;
    QSplitter *Splitter_Results = nullptr;
    QTableView *TableView_Comparison = nullptr;
    QTabWidget *TabWidget_Results = nullptr;
    ChartView *Chart = nullptr;
    QTableView *TableView_Schedule = nullptr;
    ComparisonModel *ComparisonTable = nullptr;
    ScheduleModel *ScheduleTable = nullptr;
    QAction *MenuItem_Open = nullptr;
    QAction *MenuItem_Save = nullptr;
    QAction *MenuItem_SaveAs = nullptr;
    QAction *MenuItem_PrintPreview = nullptr;
    QAction *MenuItem_Print = nullptr;
    QAction *MenuItem_ExportPdf = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    void buildClient();
    void loadScenario();
    void refreshResults();
    void rebuildTabs();
    void selectScenario(int index);
    void scenarioNameEdited(const QString &name);
    void updateTitle();
    void showStatus(const QStringList &problems);
    bool maybeSave();
    void restorePlace();
    void storePlace();
    void showFailure(const QString &text, desktop::MessageKind kind = desktop::MessageKind::Error);
    QString askSaveName(const QString &title, const QString &filter, const QString &suffix);
    bool writeText(const QString &path, const QString &text);

    PlannerServices m_services;
    std::unique_ptr<reports::commands::PreviewService> m_preview;
    Plan m_plan;
    std::vector<std::shared_ptr<const ScenarioResult>> m_results;
    QString m_fileName;
    QTimer m_recalc;
    bool m_loading = false;
};

} // namespace accrua::planner
