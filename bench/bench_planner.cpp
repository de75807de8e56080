// The planner's live recalculation: one 360-payment scenario computed, its
// schedule model and comparison refreshed and the chart laid out and
// painted; and the same through the window, repainted whole. The budget is
// 30 ms for either; the extra-payment case runs the plan twice (with and
// without extras).
#include "desktop/messages.h"
#include "planner/chart.h"
#include "planner/comparison.h"
#include "planner/plannerinputs.h"
#include "planner/plannerviews.h"
#include "planner/plannerwindow.h"
#include "support.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace accrua;
using namespace accrua::planner;

namespace {

// 0: 360 payments; 1: the same with an extra payment; 2: 12000 payments.
ScenarioInputs loan(std::int64_t kind)
{
    ScenarioInputs in = defaultInputs(QDate(2026, 1, 1));
    if (kind == 1)
        in.extras.push_back(ExtraRow{1, calc::Money::fromValue(200), 1});
    if (kind == 2)
        in.years = 1000;
    return in;
}

void BM_RecalculateAndPaint(benchmark::State &state)
{
    testsupport::ensureWidgetsApp();
    const text::Locale locale = testsupport::usDollars();
    const ScenarioInputs in = loan(state.range(0));
    const ScenarioResult other = computeScenario(loan(0));
    ScheduleModel model(locale);
    QImage image(1000, 460, QImage::Format_ARGB32_Premultiplied);
    const QFont font;
    for (auto _ : state) {
        auto r = std::make_shared<ScenarioResult>(computeScenario(in));
        model.setPlan(std::shared_ptr<const calc::PlanResult>(r, &r->plan));
        const Comparison c = compare({{QStringLiteral("A"), r.get()}, {QStringLiteral("B"), &other}}, locale);
        const ChartData data = chartData({QStringLiteral("A"), QStringLiteral("B")}, {r.get(), &other}, 0);
        const ChartScene scene = layoutChart(data, image.size(), font, locale);
        QPainter painter(&image);
        paintChart(painter, scene, font);
        benchmark::DoNotOptimize(c.rows.size());
    }
}
BENCHMARK(BM_RecalculateAndPaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_WindowRecalculateAndRepaint(benchmark::State &state)
{
    testsupport::ensureWidgetsApp();
    desktop::ScriptedMessageService messages;
    PlannerServices services;
    services.messages = &messages;
    services.locale = testsupport::usDollars();
    QTemporaryDir store;
    services.settings = settings::FileSettingsFactory(store.filePath(QStringLiteral("Accrua.conf")));
    services.today = [] { return QDate(2026, 1, 1); };
    TForm_Planner window(std::move(services));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.resize(1000, 700);
    window.show();
    int i = 0;
    for (auto _ : state) {
        window.Inputs->LineEdit_Principal->setText(QString::number(200000 + (++i % 7)));
        window.recalculate();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_WindowRecalculateAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace
