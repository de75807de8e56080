#include "planner/plannerwindow.h"

#include "desktop/dialogs.h"
#include "fileio/safefile.h"
#include "planner/fieldtext.h"
#include "planner/planfile.h"
#include "planner/plannerinputs.h"
#include "planner/plannerviews.h"
#include "planner/planreport.h"
#include "reports/banded/reportoutput.h"
#include "reports/commands/commands.h"
#include "reports/commands/printjob.h"

#include <QApplication>

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace accrua::planner {

namespace {

constexpr int kRecalcDelayMs = 150;

} // namespace

TForm_Planner::TForm_Planner(PlannerServices services, QWidget *parent)
    : QMainWindow(parent), m_services(std::move(services)), m_plan(defaultInputs(m_services.today()))
{
    setObjectName(QStringLiteral("TForm_Planner"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(900, 600);
    if (m_services.makePreview)
        m_preview = m_services.makePreview(this);
    buildMenus();
    buildClient();
    m_recalc.setSingleShot(true);
    m_recalc.setInterval(kRecalcDelayMs);
    connect(&m_recalc, &QTimer::timeout, this, &TForm_Planner::recalculate);
    m_results.push_back(std::make_shared<ScenarioResult>(computeScenario(m_plan.scenario(0).inputs)));
    rebuildTabs();
    loadScenario();
    refreshResults();
    resize(1120, 720);
    restorePlace();
    updateTitle();
}

TForm_Planner::~TForm_Planner() = default;

void TForm_Planner::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    MenuItem_Open =
        file->addAction(tr("&Open Plan..."), QKeySequence::Open, this, &TForm_Planner::MenuItem_OpenClick);
    MenuItem_Save =
        file->addAction(tr("&Save Plan"), QKeySequence::Save, this, [this] { MenuItem_SaveClick(); });
    MenuItem_SaveAs = file->addAction(tr("Save Plan &As..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
                                      this, [this] { MenuItem_SaveAsClick(); });
    file->addSeparator();
    file->addAction(tr("Export Sc&hedule as CSV..."), this, &TForm_Planner::MenuItem_ExportScheduleClick);
    file->addAction(tr("Export &Comparison as CSV..."), this, &TForm_Planner::MenuItem_ExportComparisonClick);
    MenuItem_ExportPdf = file->addAction(tr("Export P&DF..."), this, &TForm_Planner::MenuItem_ExportPdfClick);
    file->addSeparator();
    MenuItem_PrintPreview =
        file->addAction(tr("Print Pre&view..."), this, &TForm_Planner::MenuItem_PrintPreviewClick);
    MenuItem_Print =
        file->addAction(tr("&Print..."), QKeySequence::Print, this, &TForm_Planner::MenuItem_PrintClick);
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("Copy &Schedule"), this, &TForm_Planner::MenuItem_CopyScheduleClick);
    edit->addAction(tr("Copy &Comparison"), this, &TForm_Planner::MenuItem_CopyComparisonClick);

    QMenu *scenario = menuBar()->addMenu(tr("&Scenario"));
    scenario->addAction(tr("&Add"), QKeySequence(QStringLiteral("Ctrl+T")), this,
                        &TForm_Planner::MenuItem_AddScenarioClick);
    scenario->addAction(tr("&Duplicate"), QKeySequence(QStringLiteral("Ctrl+D")), this,
                        &TForm_Planner::MenuItem_DuplicateScenarioClick);
    scenario->addAction(tr("Re&name"), QKeySequence(Qt::Key_F2), this,
                        &TForm_Planner::MenuItem_RenameScenarioClick);
    scenario->addAction(tr("&Remove..."), this, &TForm_Planner::MenuItem_RemoveScenarioClick);
    scenario->addSeparator();
    scenario->addAction(tr("Re&calculate"), QKeySequence(Qt::Key_F9), this, &TForm_Planner::recalculate);

    if (m_services.showHelp) {
        QMenu *help = menuBar()->addMenu(tr("&Help"));
        help->addAction(tr("Loan &Planner Help"), QKeySequence::HelpContents, this,
                        [this] { m_services.showHelp(this); });
    }
}

void TForm_Planner::buildClient()
{
    auto *client = new QWidget(this);
    auto *box = new QVBoxLayout(client);
    box->setContentsMargins(6, 6, 6, 0);

    auto *tabs = new QHBoxLayout;
    TabBar_Scenarios = new QTabBar(client);
    TabBar_Scenarios->setObjectName(QStringLiteral("TabBar_Scenarios"));
    TabBar_Scenarios->setExpanding(false);
    TabBar_Scenarios->setFocusPolicy(Qt::StrongFocus);
    TabBar_Scenarios->setToolTip(tr("Scenarios: double-click a tab to rename it"));
    connect(TabBar_Scenarios, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_loading)
            selectScenario(index);
    });
    connect(TabBar_Scenarios, &QTabBar::tabBarDoubleClicked, this,
            [this](int) { MenuItem_RenameScenarioClick(); });
    ToolButton_AddScenario = new QToolButton(client);
    ToolButton_AddScenario->setObjectName(QStringLiteral("ToolButton_AddScenario"));
    ToolButton_AddScenario->setText(QStringLiteral("+"));
    ToolButton_AddScenario->setToolTip(tr("Add a scenario (Ctrl+T)"));
    ToolButton_AddScenario->setAutoRaise(true);
    connect(ToolButton_AddScenario, &QToolButton::clicked, this, &TForm_Planner::MenuItem_AddScenarioClick);
    tabs->addWidget(TabBar_Scenarios);
    tabs->addWidget(ToolButton_AddScenario);
    tabs->addStretch();
    box->addLayout(tabs);

    Splitter_Main = new QSplitter(Qt::Horizontal, client);
    Splitter_Main->setObjectName(QStringLiteral("Splitter_Main"));
    Splitter_Main->setChildrenCollapsible(false);
    auto *scroll = new QScrollArea(Splitter_Main);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    Inputs = new PlannerInputs(m_services.locale, scroll);
    scroll->setWidget(Inputs);
    scroll->setMinimumWidth(Inputs->minimumSizeHint().width() + 24);
    connect(Inputs, &PlannerInputs::edited, this, [this] { m_recalc.start(); });
    connect(Inputs, &PlannerInputs::enterPressed, this, &TForm_Planner::recalculate);
    connect(Inputs, &PlannerInputs::nameEdited, this, &TForm_Planner::scenarioNameEdited);

    Splitter_Results = new QSplitter(Qt::Vertical, Splitter_Main);
    Splitter_Results->setObjectName(QStringLiteral("Splitter_Results"));
    Splitter_Results->setChildrenCollapsible(false);
    TableView_Comparison = new QTableView(Splitter_Results);
    TableView_Comparison->setObjectName(QStringLiteral("TableView_Comparison"));
    ComparisonTable = new ComparisonModel(this);
    TableView_Comparison->setModel(ComparisonTable);
    // Columns as wide as their figures: a narrow window scrolls rather than cutting them.
    TableView_Comparison->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TableView_Comparison->horizontalHeader()->setStretchLastSection(true);
    TableView_Comparison->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TableView_Comparison->verticalHeader()->setDefaultSectionSize(
        TableView_Comparison->fontMetrics().height() + 6);
    TableView_Comparison->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableView_Comparison->setEditTriggers(QAbstractItemView::NoEditTriggers);

    TabWidget_Results = new QTabWidget(Splitter_Results);
    TabWidget_Results->setObjectName(QStringLiteral("TabWidget_Results"));
    Chart = new ChartView(m_services.locale, TabWidget_Results);
    Chart->setObjectName(tr("Chart"));
    TabWidget_Results->addTab(Chart, tr("Chart"));
    TableView_Schedule = new QTableView(TabWidget_Results);
    TableView_Schedule->setObjectName(QStringLiteral("TableView_Schedule"));
    ScheduleTable = new ScheduleModel(m_services.locale, this);
    TableView_Schedule->setModel(ScheduleTable);
    TableView_Schedule->verticalHeader()->setVisible(false);
    // Fixed row heights: the view then needs no pass over all rows to scroll.
    TableView_Schedule->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TableView_Schedule->verticalHeader()->setDefaultSectionSize(TableView_Schedule->fontMetrics().height() +
                                                                6);
    // Widths from the widest figure a column can show, measured once: measuring
    // thousands of rows on every recalculation would cost more than the rows.
    {
        const QFontMetrics fm = TableView_Schedule->fontMetrics();
        const QString money = moneyText(calc::Money::fromValue(99999999.99L), m_services.locale);
        const QString samples[kScheduleColumns] = {yearTotalText(2056),
                                                   dateText(QDate(2028, 12, 28), m_services.locale),
                                                   QStringLiteral("10.000 %"),
                                                   money,
                                                   money,
                                                   money,
                                                   money,
                                                   money};
        QHeaderView *header = TableView_Schedule->horizontalHeader();
        header->setSectionResizeMode(QHeaderView::Interactive);
        header->setStretchLastSection(true);
        for (int c = 0; c < kScheduleColumns; ++c)
            header->resizeSection(c, std::max(fm.horizontalAdvance(samples[c]) * 11 / 10,
                                              fm.horizontalAdvance(scheduleHeader(c))) +
                                         16);
    }
    TableView_Schedule->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableView_Schedule->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TabWidget_Results->addTab(TableView_Schedule, tr("Schedule"));
    Splitter_Results->setStretchFactor(0, 0);
    Splitter_Results->setStretchFactor(1, 1);
    Splitter_Main->setStretchFactor(0, 0);
    Splitter_Main->setStretchFactor(1, 1);
    Splitter_Main->setSizes({380, 740});
    Splitter_Results->setSizes({250, 450});
    box->addWidget(Splitter_Main, 1);
    setCentralWidget(client);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    // Reading order for Tab: tabs, inputs, comparison, results.
    setTabOrder(TabBar_Scenarios, ToolButton_AddScenario);
    setTabOrder(ToolButton_AddScenario, Inputs->LineEdit_Name);
    setTabOrder(Inputs->ComboBox_ExtraMode, TableView_Comparison);
    setTabOrder(TableView_Comparison, TabWidget_Results);
}

void TForm_Planner::rebuildTabs()
{
    m_loading = true;
    while (TabBar_Scenarios->count() > 0)
        TabBar_Scenarios->removeTab(0);
    for (const Scenario &s : m_plan.scenarios())
        TabBar_Scenarios->addTab(s.name);
    TabBar_Scenarios->setCurrentIndex(m_plan.selected());
    ToolButton_AddScenario->setEnabled(m_plan.count() < kMaxScenarios);
    m_loading = false;
}

void TForm_Planner::loadScenario()
{
    const Scenario &s = m_plan.scenario(m_plan.selected());
    Inputs->setName(s.name);
    Inputs->setInputs(s.inputs);
}

void TForm_Planner::selectScenario(int index)
{
    if (index < 0 || index >= m_plan.count() || index == m_plan.selected())
        return;
    if (m_recalc.isActive())
        recalculate();
    m_plan.select(index);
    loadScenario();
    refreshResults();
    showStatus({});
}

void TForm_Planner::recalculate()
{
    m_recalc.stop();
    const int index = m_plan.selected();
    QStringList problems;
    const ScenarioInputs in = Inputs->readInputs(m_plan.scenario(index).inputs, &problems);
    m_plan.setInputs(index, in);
    m_results[static_cast<std::size_t>(index)] = std::make_shared<ScenarioResult>(computeScenario(in));
    refreshResults();
    showStatus(problems);
    updateTitle();
}

void TForm_Planner::refreshResults()
{
    std::vector<NamedResult> named;
    std::vector<QString> names;
    std::vector<const ScenarioResult *> results;
    for (int i = 0; i < m_plan.count(); ++i) {
        const ScenarioResult *r = m_results[static_cast<std::size_t>(i)].get();
        named.push_back(NamedResult{m_plan.scenario(i).name, r});
        names.push_back(m_plan.scenario(i).name);
        results.push_back(r);
    }
    ComparisonTable->setComparison(compare(named, m_services.locale));
    Chart->setData(chartData(names, results, m_plan.selected()));
    const std::shared_ptr<const ScenarioResult> &selected =
        m_results[static_cast<std::size_t>(m_plan.selected())];
    ScheduleTable->setPlan(std::shared_ptr<const calc::PlanResult>(selected, &selected->plan));
}

void TForm_Planner::showStatus(const QStringList &problems)
{
    const ScenarioResult &r = *m_results[static_cast<std::size_t>(m_plan.selected())];
    QString text;
    if (!problems.isEmpty())
        text = problems.front();
    else if (!r.planned())
        text = tr("Scenario %1 is not computed: %2").arg(m_plan.scenario(m_plan.selected()).name, r.problem);
    else if (!r.notes.isEmpty())
        text = r.notes.front();
    statusBar()->showMessage(text);
}

void TForm_Planner::scenarioNameEdited(const QString &name)
{
    QString why;
    if (!m_plan.rename(m_plan.selected(), name, &why)) {
        Inputs->markName(why);
        statusBar()->showMessage(why);
        return;
    }
    Inputs->markName({});
    TabBar_Scenarios->setTabText(m_plan.selected(), m_plan.scenario(m_plan.selected()).name);
    refreshResults();
    updateTitle();
}

void TForm_Planner::updateTitle()
{
    const QString name = m_fileName.isEmpty() ? tr("Untitled") : QFileInfo(m_fileName).fileName();
    setWindowTitle(tr("%1[*] - Loan Planner").arg(name));
    setWindowModified(m_plan.isModified());
}

void TForm_Planner::MenuItem_AddScenarioClick()
{
    if (m_recalc.isActive())
        recalculate();
    QString why;
    const int index = m_plan.add(defaultInputs(m_services.today()), &why);
    if (index < 0) {
        statusBar()->showMessage(why);
        return;
    }
    m_results.push_back(std::make_shared<ScenarioResult>(computeScenario(m_plan.scenario(index).inputs)));
    m_plan.select(index);
    rebuildTabs();
    loadScenario();
    refreshResults();
    updateTitle();
}

void TForm_Planner::MenuItem_DuplicateScenarioClick()
{
    if (m_recalc.isActive())
        recalculate();
    QString why;
    const int index = m_plan.duplicate(m_plan.selected(), &why);
    if (index < 0) {
        statusBar()->showMessage(why);
        return;
    }
    m_results.push_back(m_results[static_cast<std::size_t>(m_plan.selected())]);
    m_plan.select(index);
    rebuildTabs();
    loadScenario();
    refreshResults();
    updateTitle();
}

void TForm_Planner::MenuItem_RenameScenarioClick()
{
    Inputs->LineEdit_Name->setFocus(Qt::ShortcutFocusReason);
    Inputs->LineEdit_Name->selectAll();
}

void TForm_Planner::MenuItem_RemoveScenarioClick()
{
    const int index = m_plan.selected();
    if (m_plan.count() == 1) {
        statusBar()->showMessage(tr("A plan keeps at least one scenario."));
        return;
    }
    const unsigned short answer = m_services.messages->ShowMessageDialog(
        tr("Remove scenario %1 and its inputs?").arg(m_plan.scenario(index).name),
        desktop::MessageKind::Confirmation, desktop::MessageButton::Yes | desktop::MessageButton::No);
    if (answer != desktop::mrYes)
        return;
    m_recalc.stop();
    if (!m_plan.remove(index))
        return;
    m_results.erase(m_results.begin() + index);
    rebuildTabs();
    loadScenario();
    refreshResults();
    updateTitle();
}

// ---- files ----

void TForm_Planner::showFailure(const QString &text, desktop::MessageKind kind)
{
    m_services.messages->ShowMessageDialog(text, kind, desktop::MessageButton::OK);
}

QString TForm_Planner::askSaveName(const QString &title, const QString &filter, const QString &suffix)
{
    if (!m_services.files)
        return {};
    desktop::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultSuffix = suffix;
    request.parent = this;
    return m_services.files->getSaveFileName(request);
}

bool TForm_Planner::writeText(const QString &path, const QString &text)
{
    if (const std::optional<QString> why = fileio::writeFile(path, text.toUtf8())) {
        showFailure(tr("%1 could not be written: %2").arg(path, *why));
        return false;
    }
    return true;
}

bool TForm_Planner::maybeSave()
{
    if (m_recalc.isActive())
        recalculate();
    if (!m_plan.isModified())
        return true;
    const unsigned short answer = m_services.messages->ShowMessageDialog(
        tr("The plan has changes that are not saved. Save them?"), desktop::MessageKind::Confirmation,
        desktop::MessageButton::Yes | desktop::MessageButton::No | desktop::MessageButton::Cancel);
    if (answer == desktop::mrYes)
        return MenuItem_SaveClick();
    return answer == desktop::mrNo;
}

void TForm_Planner::MenuItem_OpenClick()
{
    if (!m_services.files || !maybeSave())
        return;
    desktop::FileDialogRequest request;
    request.title = tr("Open Plan");
    request.filter = planFileFilter();
    request.defaultSuffix = kPlanFileSuffix;
    request.parent = this;
    const QString path = m_services.files->getOpenFileName(request);
    if (!path.isEmpty())
        openFile(path);
}

bool TForm_Planner::openFile(const QString &path)
{
    PlanFileContent content = readPlanFile(path);
    if (!content.ok()) {
        showFailure(tr("%1 was not opened.\n%2").arg(QFileInfo(path).fileName(), content.error),
                    desktop::MessageKind::Warning);
        return false;
    }
    m_recalc.stop();
    m_plan.assign(std::move(content.scenarios), content.selected);
    m_results.clear();
    for (const Scenario &s : m_plan.scenarios())
        m_results.push_back(std::make_shared<ScenarioResult>(computeScenario(s.inputs)));
    m_fileName = path;
    rebuildTabs();
    loadScenario();
    refreshResults();
    showStatus({});
    updateTitle();
    return true;
}

bool TForm_Planner::saveFile(const QString &path)
{
    if (m_recalc.isActive())
        recalculate();
    if (const std::optional<QString> why = writePlanFile(path, m_plan)) {
        showFailure(tr("The plan was not saved to %1: %2").arg(path, *why));
        return false;
    }
    m_fileName = path;
    m_plan.setModified(false);
    updateTitle();
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), 4000);
    return true;
}

bool TForm_Planner::MenuItem_SaveClick()
{
    if (m_fileName.isEmpty())
        return MenuItem_SaveAsClick();
    return saveFile(m_fileName);
}

bool TForm_Planner::MenuItem_SaveAsClick()
{
    const QString path = askSaveName(tr("Save Plan"), planFileFilter(), kPlanFileSuffix);
    return !path.isEmpty() && saveFile(path);
}

void TForm_Planner::MenuItem_ExportScheduleClick()
{
    if (m_recalc.isActive())
        recalculate();
    const ScenarioResult &r = *m_results[static_cast<std::size_t>(m_plan.selected())];
    const QString path = askSaveName(tr("Export Schedule"), tr("CSV File (*.csv)"), QStringLiteral("csv"));
    if (!path.isEmpty())
        writeText(path, scheduleText(r.plan, ScheduleTable->lines(), Delimiter::Comma, Notation::Plain,
                                     m_services.locale));
}

void TForm_Planner::MenuItem_ExportComparisonClick()
{
    if (m_recalc.isActive())
        recalculate();
    const QString path = askSaveName(tr("Export Comparison"), tr("CSV File (*.csv)"), QStringLiteral("csv"));
    if (!path.isEmpty())
        writeText(path, comparisonText(ComparisonTable->comparison(), Delimiter::Comma));
}

void TForm_Planner::MenuItem_CopyScheduleClick()
{
    const ScenarioResult &r = *m_results[static_cast<std::size_t>(m_plan.selected())];
    QGuiApplication::clipboard()->setText(
        scheduleText(r.plan, ScheduleTable->lines(), Delimiter::Tab, Notation::Shown, m_services.locale));
}

void TForm_Planner::MenuItem_CopyComparisonClick()
{
    QGuiApplication::clipboard()->setText(comparisonText(ComparisonTable->comparison(), Delimiter::Tab));
}

// ---- the report ----

std::unique_ptr<PlanReport> TForm_Planner::makeReport() const
{
    PlanReportData content;
    content.subtitle = m_fileName.isEmpty() ? QString() : QFileInfo(m_fileName).fileName();
    content.printed = m_services.today();
    content.scenarios = m_plan.scenarios();
    for (const auto &r : m_results)
        content.results.push_back(*r);
    content.selected = m_plan.selected();
    return std::make_unique<PlanReport>(std::move(content), m_services.locale);
}

void TForm_Planner::MenuItem_PrintPreviewClick()
{
    if (m_recalc.isActive())
        recalculate();
    if (!m_preview)
        return;
    std::unique_ptr<PlanReport> report = makeReport();
    m_preview->previewReport(report->report(), [this] { MenuItem_PrintClick(); });
}

void TForm_Planner::MenuItem_PrintClick()
{
    if (m_recalc.isActive())
        recalculate();
    if (!m_services.printDialog)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!m_services.printDialog->exec(printer, this))
        return;
    try {
        const QStringList installed = m_services.printDialog->installedPrinters();
        reports::commands::requirePrinter(printer, installed);
        std::unique_ptr<PlanReport> report = makeReport();
        const std::unique_ptr<reports::eng::TRptPageList> pages =
            reports::banded::generatePages(report->report());
        reports::commands::printPages(*pages, printer, reports::commands::printChoiceOf(printer),
                                      report->report().title, installed);
    } catch (const reports::commands::ReportPrintError &e) {
        showFailure(e.message());
    } catch (const std::exception &e) {
        showFailure(QString::fromUtf8(e.what()));
    }
}

void TForm_Planner::MenuItem_ExportPdfClick()
{
    if (m_recalc.isActive())
        recalculate();
    const QString path = askSaveName(tr("Export PDF"), tr("PDF File (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    try {
        std::unique_ptr<PlanReport> report = makeReport();
        reports::banded::generatePdf(report->report(), path);
        statusBar()->showMessage(tr("Wrote %1").arg(QFileInfo(path).fileName()), 4000);
    } catch (const reports::banded::ReportOutputError &e) {
        showFailure(e.message());
    } catch (const std::exception &e) {
        showFailure(QString::fromUtf8(e.what()));
    }
}

// ---- window ----

void TForm_Planner::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        recalculate();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TForm_Planner::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    storePlace();
    event->accept();
}

void TForm_Planner::restorePlace()
{
    try {
        settings::SettingsStore store(m_services.settings);
        if (const std::optional<QString> g = store.readText(kPlannerGeometry))
            restoreGeometry(QByteArray::fromBase64(g->toLatin1()));
        if (const std::optional<QString> s = store.readText(kPlannerSplitters)) {
            const QStringList parts = s->split(u' ');
            if (parts.size() == 2) {
                Splitter_Main->restoreState(QByteArray::fromBase64(parts[0].toLatin1()));
                Splitter_Results->restoreState(QByteArray::fromBase64(parts[1].toLatin1()));
            }
        }
    } catch (const settings::SettingsError &) {
        // A store that cannot be read leaves the window at its default place;
        // the main window reports the store's trouble.
    }
}

void TForm_Planner::storePlace()
{
    try {
        settings::SettingsStore store(m_services.settings);
        store.writeString(kPlannerGeometry, QString::fromLatin1(saveGeometry().toBase64()));
        store.writeString(kPlannerSplitters,
                          QString::fromLatin1(Splitter_Main->saveState().toBase64()) + u' ' +
                              QString::fromLatin1(Splitter_Results->saveState().toBase64()));
    } catch (const settings::SettingsError &e) {
        m_services.messages->ShowErrorReport(e.text());
    }
}

} // namespace accrua::planner
