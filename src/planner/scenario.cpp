#include "planner/scenario.h"

#include <exception>

namespace accrua::planner {

ScenarioInputs defaultInputs(const QDate &today)
{
    ScenarioInputs in;
    in.advance = today;
    return in;
}

calc::Date toCalcDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return calc::Date{date.year(), date.month(), date.day()};
}

QDate toQDate(const calc::Date &date)
{
    return QDate(date.year, date.month, date.day);
}

calc::PlanRequest toRequest(const ScenarioInputs &in, std::int64_t termPayments)
{
    calc::PlanRequest rq;
    rq.principal = in.principal;
    rq.ratePercent = in.ratePercent;
    rq.frequency = in.frequency;
    rq.compounding = in.compounding;
    rq.repayment = in.repayment;
    rq.interestOnly = in.interestOnly;
    rq.amortizePayments = in.amortizePayments;
    rq.balloon = in.balloon;
    rq.extraMode = in.extraMode;
    rq.fee = in.fee;
    rq.advance = toCalcDate(in.advance);
    if (in.firstPayment.isValid())
        rq.firstPayment = toCalcDate(in.firstPayment);
    switch (in.termKind) {
    case TermKind::YearsMonths:
        rq.payments = calc::isValidDate(rq.advance)
                          ? calc::paymentsInTerm(in.years, in.months, in.frequency, rq.advance)
                          : 0;
        break;
    case TermKind::Payments:
        rq.payments = in.payments;
        break;
    case TermKind::FixedPayment:
        rq.fixedPayment = in.fixedPayment;
        break;
    }
    for (const RateRow &r : in.rateChanges)
        rq.rateChanges.push_back(calc::RateChange{r.from, r.ratePercent});
    for (const LumpRow &l : in.lumps)
        rq.lumps.push_back(calc::LumpSum{l.payment, l.amount});
    // The arithmetic knows one recurring extra; the others are paid as the
    // lump sums they amount to, within the term.
    for (std::size_t i = 0; i < in.extras.size(); ++i) {
        const ExtraRow &e = in.extras[i];
        if (i == 0) {
            rq.extra = calc::RecurringExtra{e.amount, e.from, e.every};
            continue;
        }
        if (e.every < 1)
            continue; // refused before (computeScenario)
        for (std::int64_t k = e.from; k <= termPayments; k += e.every)
            rq.lumps.push_back(calc::LumpSum{k, e.amount});
    }
    return rq;
}

QString extrasProblem(const ScenarioInputs &in)
{
    for (std::size_t i = 0; i < in.extras.size(); ++i) {
        const ExtraRow &e = in.extras[i];
        if (e.amount.count <= 0 || e.from < 1 || e.every < 1)
            return QStringLiteral(
                       "extra payment row %1: the amount must be more than 0, from payment 1 or later, "
                       "every 1 or more payments")
                .arg(i + 1);
    }
    return {};
}

calc::PlanRequest scenarioRequest(const ScenarioInputs &in)
{
    std::int64_t term = 0;
    if (in.extras.size() > 1) {
        // The later extras are spread over the term of the plan without any.
        ScenarioInputs plain = in;
        plain.extras.clear();
        plain.lumps.clear();
        const calc::PlanResult base = calc::buildPlan(toRequest(plain, 0));
        term = base.status == calc::PlanStatus::Planned ? base.payments : 0;
    }
    return toRequest(in, term);
}

namespace {

QString problemOf(const calc::PlanResult &plan)
{
    if (!plan.reason.empty())
        return QString::fromStdString(plan.reason);
    switch (plan.status) {
    case calc::PlanStatus::CannotBePaidOff:
        return QStringLiteral("the payment does not cover the interest");
    case calc::PlanStatus::TooManyPayments:
        return QStringLiteral("more than %1 payments would be needed").arg(calc::kMaxPayments);
    default:
        return QStringLiteral("these inputs do not make a plan");
    }
}

} // namespace

ScenarioResult computeScenario(const ScenarioInputs &in)
{
    ScenarioResult out;
    out.advance = in.advance;
    out.principal = in.principal;
    if (QString why = extrasProblem(in); !why.isEmpty()) {
        out.plan.status = calc::PlanStatus::Refused;
        out.problem = std::move(why);
        return out;
    }
    try {
        out.plan = calc::buildPlan(scenarioRequest(in));
        out.term = out.plan.hasBaseline ? out.plan.baselinePayments : out.plan.payments;
    } catch (const calc::MoneyRangeError &) {
        out.plan = {};
        out.plan.status = calc::PlanStatus::Refused;
        out.problem = QStringLiteral("an amount is too large to be computed");
        return out;
    } catch (const std::exception &e) {
        out.plan = {};
        out.plan.status = calc::PlanStatus::Refused;
        out.problem = QString::fromUtf8(e.what());
        return out;
    }
    if (!out.planned()) {
        out.problem = problemOf(out.plan);
        out.plan.rows.clear();
        return out;
    }
    for (const LumpRow &l : in.lumps) {
        if (l.payment > out.plan.payments)
            out.notes << QStringLiteral("The lump sum with payment %1 is not paid: the loan is paid off with "
                                        "payment %2.")
                             .arg(l.payment)
                             .arg(out.plan.payments);
    }
    return out;
}

QString frequencyLabel(calc::Frequency f)
{
    switch (f) {
    case calc::Frequency::Weekly:
        return QStringLiteral("Weekly");
    case calc::Frequency::EveryTwoWeeks:
        return QStringLiteral("Every 2 weeks");
    case calc::Frequency::EveryFourWeeks:
        return QStringLiteral("Every 4 weeks");
    case calc::Frequency::SemiMonthly:
        return QStringLiteral("Twice a month");
    case calc::Frequency::Monthly:
        return QStringLiteral("Monthly");
    case calc::Frequency::EveryTwoMonths:
        return QStringLiteral("Every 2 months");
    case calc::Frequency::Quarterly:
        return QStringLiteral("Quarterly");
    case calc::Frequency::SemiAnnual:
        return QStringLiteral("Twice a year");
    case calc::Frequency::Annual:
        return QStringLiteral("Yearly");
    }
    return {};
}

std::vector<int> compoundingChoices()
{
    std::vector<int> out{calc::kSameAsPayments};
    for (calc::Frequency f : calc::kFrequencies)
        out.push_back(calc::periodsPerYear(f));
    out.push_back(calc::kDaily);
    return out;
}

QString compoundingLabel(int perYear)
{
    if (perYear == calc::kSameAsPayments)
        return QStringLiteral("Same as payments");
    if (perYear == calc::kDaily)
        return QStringLiteral("Daily");
    for (calc::Frequency f : calc::kFrequencies) {
        if (calc::periodsPerYear(f) == perYear)
            return frequencyLabel(f);
    }
    return QStringLiteral("%1 times a year").arg(perYear);
}

} // namespace accrua::planner
