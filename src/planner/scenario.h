// The loan planner's model, without widgets: what flows through it.
//
// A plan (plan.h) holds up to six named scenarios; each scenario holds the
// inputs the planner window shows (ScenarioInputs, values, not texts). The
// inputs become one calc::PlanRequest (several recurring extra payments are
// spread into lump sums the arithmetic understands) and calc::buildPlan
// computes the scenario. The comparison (comparison.h) lines the results up
// against scenario A, the schedule (schedule.h) adds the yearly subtotal
// rows, and the plan file (planfile.h) keeps the inputs of every scenario.
// Texts of fields are read and checked here too (fieldtext.h), so the window
// only moves texts between its controls and this model.
#pragma once

#include "calc/loan.h"
#include "calc/planner.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace accrua::planner {

enum class TermKind { YearsMonths, Payments, FixedPayment };

// `amount` with payment `from` and every `every`-th payment after it.
struct ExtraRow {
    std::int64_t from = 1;
    calc::Money amount;
    std::int64_t every = 1;
    friend bool operator==(const ExtraRow &, const ExtraRow &) = default;
};

struct LumpRow {
    std::int64_t payment = 0;
    calc::Money amount;
    friend bool operator==(const LumpRow &, const LumpRow &) = default;
};

struct RateRow {
    std::int64_t from = 1;
    calc::Extended ratePercent = 0;
    friend bool operator==(const RateRow &, const RateRow &) = default;
};

struct ScenarioInputs {
    calc::Money principal = calc::Money::fromRawCount(200000LL * calc::Money::kScale);
    calc::Extended ratePercent = 6;
    TermKind termKind = TermKind::YearsMonths;
    int years = 30;
    int months = 0;
    std::int64_t payments = 360;
    calc::Money fixedPayment;
    calc::Frequency frequency = calc::Frequency::Monthly;
    int compounding = calc::kSameAsPayments;
    calc::Repayment repayment = calc::Repayment::Annuity;
    std::int64_t interestOnly = 0;
    std::int64_t amortizePayments = 0; // a longer amortization; 0: the term
    calc::Money balloon;
    std::vector<ExtraRow> extras;
    std::vector<LumpRow> lumps;
    std::vector<RateRow> rateChanges;
    calc::ExtraMode extraMode = calc::ExtraMode::Shorten;
    calc::Money fee;
    QDate advance;
    QDate firstPayment; // null: one period after the advance

    friend bool operator==(const ScenarioInputs &, const ScenarioInputs &) = default;
};

// The inputs a new scenario starts with: a 30-year monthly loan advanced today.
ScenarioInputs defaultInputs(const QDate &today);

calc::Date toCalcDate(const QDate &date);
QDate toQDate(const calc::Date &date);

// The computed scenario: the plan, and the remarks the window shows beside it.
struct ScenarioResult {
    calc::PlanResult plan;
    QString problem;       // why there is no plan; empty when planned
    QStringList notes;     // lump sums after the payoff
    std::int64_t term = 0; // payments in the term (the baseline), for the extras' spread
    QDate advance;         // where the balance starts, for the chart
    calc::Money principal;
    bool planned() const { return plan.status == calc::PlanStatus::Planned; }
};

// The request of the inputs. `termPayments` bounds the recurring extras after
// the first, which are paid as lump sums up to it.
calc::PlanRequest toRequest(const ScenarioInputs &inputs, std::int64_t termPayments);

// Why the extra payment rows make no plan (an amount of nothing, a start
// before payment 1, a step of less than 1), or an empty text.
QString extrasProblem(const ScenarioInputs &inputs);

// The request computeScenario() computes: with more than one recurring
// extra, the term is first found from the plan without extras. Throws
// calc::MoneyRangeError for amounts out of range.
calc::PlanRequest scenarioRequest(const ScenarioInputs &inputs);

// Computes the scenario. Never throws: amounts out of range become a problem.
ScenarioResult computeScenario(const ScenarioInputs &inputs);

// Display names: "Monthly", "Every 2 weeks", ...; compounding also "Daily"
// and "Same as payments".
QString frequencyLabel(calc::Frequency frequency);
QString compoundingLabel(int perYear);
// The compounding choices in menu order (kSameAsPayments first).
std::vector<int> compoundingChoices();

} // namespace accrua::planner
