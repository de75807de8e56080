#include "planner/scenario.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <exception>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::Scenario)
};

} // namespace

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
            return Text::tr("extra payment row %1: the amount must be more than 0, from payment 1 or later, "
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

// The calculation gives its reasons in English; the known ones are shown in
// the user's language with their numbers (%1, %2) kept, any other as it is.
const char *const kCalcReasons[] = {
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the principal must be more than 0"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the rate must be from 0 to 1000 percent"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "a changed rate must be from 0 to 1000 percent"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "a rate change starts with payment 1 or later"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the payment must be more than 0"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "a fixed payment is an annuity; equal principal payments vary"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "a balloon needs a term, not a fixed payment"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "lowering the payment needs a term, not a fixed payment"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the term must have at least one payment"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "the interest-only payments must be from 0 to the number of payments"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "interest-only payments at a rate of 0 would pay nothing"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "the amortization period must not be shorter than the term"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the balloon must be from 0 to less than the principal"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "give either an amortization period or a balloon amount"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the extra payment must be more than 0"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "extra payments start with payment 1 or later and recur every 1 or more payments"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "a lump sum must be more than 0"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "a lump sum comes with payment 0 (the advance) or later"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the fee must be from 0 to less than the principal"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the dates must be valid dates"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the first payment must come after the advance"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the lump sum at the advance repays the whole principal"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the payment from payment %1 rounds to less than a cent"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "the payment does not exceed the interest of payment %1"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario", "more than %1 payments would be needed"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "the rate change with payment %1 comes after the last payment (%2)"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "the lump sum with payment %1 comes after the last payment (%2)"),
    QT_TRANSLATE_NOOP("accrua::planner::Scenario",
                      "the extra payment from payment %1 comes after the last payment (%2)"),
};

QString reasonText(const std::string &reason)
{
    QString english = QString::fromStdString(reason);
    for (const char *known : kCalcReasons) {
        QString pattern = QRegularExpression::escape(QString::fromUtf8(known));
        pattern.replace(QStringLiteral("\\%1"), QStringLiteral("(-?\\d+)"));
        pattern.replace(QStringLiteral("\\%2"), QStringLiteral("(-?\\d+)"));
        const QRegularExpressionMatch m =
            QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(english);
        if (!m.hasMatch())
            continue;
        QString text = Text::tr(known);
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            text = text.arg(m.captured(i));
        return text;
    }
    return english;
}

QString problemOf(const calc::PlanResult &plan)
{
    if (!plan.reason.empty())
        return reasonText(plan.reason);
    switch (plan.status) {
    case calc::PlanStatus::CannotBePaidOff:
        return Text::tr("the payment does not cover the interest");
    case calc::PlanStatus::TooManyPayments:
        return Text::tr("more than %1 payments would be needed").arg(calc::kMaxPayments);
    default:
        return Text::tr("these inputs do not make a plan");
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
        out.problem = Text::tr("an amount is too large to be computed");
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
            out.notes << Text::tr("The lump sum with payment %1 is not paid: the loan is paid off with "
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
        return Text::tr("Weekly");
    case calc::Frequency::EveryTwoWeeks:
        return Text::tr("Every 2 weeks");
    case calc::Frequency::EveryFourWeeks:
        return Text::tr("Every 4 weeks");
    case calc::Frequency::SemiMonthly:
        return Text::tr("Twice a month");
    case calc::Frequency::Monthly:
        return Text::tr("Monthly");
    case calc::Frequency::EveryTwoMonths:
        return Text::tr("Every 2 months");
    case calc::Frequency::Quarterly:
        return Text::tr("Quarterly");
    case calc::Frequency::SemiAnnual:
        return Text::tr("Twice a year");
    case calc::Frequency::Annual:
        return Text::tr("Yearly");
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
        return Text::tr("Same as payments");
    if (perYear == calc::kDaily)
        return Text::tr("Daily");
    for (calc::Frequency f : calc::kFrequencies) {
        if (calc::periodsPerYear(f) == perYear)
            return frequencyLabel(f);
    }
    return Text::tr("%1 times a year").arg(perYear);
}

} // namespace accrua::planner
