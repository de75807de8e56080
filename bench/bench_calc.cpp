// The loan arithmetic: the schedule with its texts, and whole Calculate
// commands at the payment bound, through the main window's model.
#include "app/mainmodel.h"
#include "calc/loan.h"
#include "calc/planner.h"

#include <benchmark/benchmark.h>

using namespace accrua;

namespace {

void BM_BuildSchedule360(benchmark::State &state)
{
    const calc::Extended i = 7 * calc::kOnePercent / 12;
    const calc::Money a = calc::Money::fromValue(665.31L);
    const calc::Money p = calc::Money::fromValue(100000);
    std::vector<calc::TPaymentObj> rows;
    for (auto _ : state) {
        const calc::LoanTotals t = calc::BuildSchedule(360, i, a, p, u'.', &rows);
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * 360);
}
BENCHMARK(BM_BuildSchedule360)->Unit(benchmark::kMicrosecond);

// The planner's whole answer for a 30-year monthly loan with a recurring
// extra, a lump sum and a rate change: the plan, its baseline without the
// extras, and the APR and APRC of its cash flows.
void BM_Plan30YearsWithExtras(benchmark::State &state)
{
    calc::PlanRequest r;
    r.principal = calc::Money::fromValue(250000);
    r.ratePercent = 6.5L;
    r.payments = 360;
    r.advance = calc::Date{2026, 1, 15};
    r.extra = calc::RecurringExtra{calc::Money::fromValue(150), 1, 1};
    r.lumps = {{24, calc::Money::fromValue(10000)}};
    r.rateChanges = {{61, 7.25L}};
    r.fee = calc::Money::fromValue(2500);
    for (auto _ : state) {
        const calc::PlanResult p = calc::buildPlan(r);
        benchmark::DoNotOptimize(p.rows.data());
        benchmark::DoNotOptimize(p.aprc.rate);
    }
}
BENCHMARK(BM_Plan30YearsWithExtras)->Unit(benchmark::kMicrosecond);

struct Loan {
    app::Mode mode;
    const char *principal, *rate, *payment, *years, *months;
};

void calculate(benchmark::State &state, Loan loan)
{
    desktop::ScriptedMessageService messages;
    messages.setDefaultAnswer([](const desktop::ScriptedMessageService::Shown &) { return desktop::mrNo; });
    for (auto _ : state) {
        state.PauseTiming();
        app::MainModel model(text::Locale(u'.', u',', 2, QStringLiteral("$")), messages);
        model.selectMode(loan.mode);
        for (auto [f, v] : {std::pair{app::Field::Principal, loan.principal},
                            {app::Field::Interest, loan.rate},
                            {app::Field::Payment, loan.payment},
                            {app::Field::Years, loan.years},
                            {app::Field::Months, loan.months}}) {
            model.typeText(f, QLatin1String(v));
            model.leaveField(f);
        }
        messages.clear();
        state.ResumeTiming();
        model.calculate();
        benchmark::DoNotOptimize(model.ScheduleRows().size());
    }
}

// 1000 years at a tiny rate: 12000 payments, the payment raised cent by cent.
BENCHMARK_CAPTURE(calculate, PaymentAmount12000,
                  Loan{app::Mode::PaymentAmount, "1000000", "0.01", "0", "1000", "0"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculate, NumberOfPayments12000,
                  Loan{app::Mode::NumberOfPayments, "1000000", "0.01", "87.75", "0", "0"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculate, Amortization12000,
                  Loan{app::Mode::Amortization, "1000000", "0.01", "87.75", "1000", "0"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculate, PaymentAmount30Years,
                  Loan{app::Mode::PaymentAmount, "100000", "7", "0", "30", "0"})
    ->Unit(benchmark::kMillisecond);

// Savings compounded monthly over 1000 years: 12000 periods with their texts.
void BM_SavingsMonthly1000Years(benchmark::State &state)
{
    desktop::ScriptedMessageService messages;
    for (auto _ : state) {
        state.PauseTiming();
        app::MainModel model(text::Locale(u'.', u',', 2, QStringLiteral("$")), messages);
        model.selectMode(app::Mode::SavingsInterest);
        model.setCompounding(3);
        for (auto [f, v] : {std::pair{app::Field::SaveAmount, "1000"},
                            {app::Field::SaveInterest, "0.5"},
                            {app::Field::SaveYears, "1000"},
                            {app::Field::SaveMonths, "0"}})
            model.typeText(f, QLatin1String(v));
        state.ResumeTiming();
        model.calculate();
        benchmark::DoNotOptimize(model.SavingsRows().size());
    }
}
BENCHMARK(BM_SavingsMonthly1000Years)->Unit(benchmark::kMillisecond);

} // namespace
