#include "cli/plancommand.h"

#include "calc/apr.h"
#include "calc/format.h"
#include "calc/loan.h"
#include "calc/planner.h"
#include "cli/options.h"
#include "cli/planoutput.h"
#include "fileio/safefile.h"
#include "planner/planfile.h"

#include <QDate>
#include <QDir>

#include <cmath>
#include <cstdio>
#include <string>

namespace accrua::cli {

namespace {

using calc::Extended;
using calc::Money;

// --- Reading the options --------------------------------------------------------

// A plain decimal number as typed: digits, at most one decimal separator (a
// dot, or the user's own), no grouping, no exponent. Digits beyond what the
// extended type holds exactly are refused rather than rounded silently.
std::optional<Extended> decimalOf(const QString &text, QChar decimal)
{
    if (text.isEmpty() || text.size() > 24)
        return std::nullopt;
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool separator = false;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 0x80) {
            if (++count > 18)
                return std::nullopt;
            digits = digits * 10 + static_cast<unsigned>(c.unicode() - u'0');
            decimals += separator ? 1 : 0;
        } else if ((c == u'.' || c == decimal) && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0)
        return std::nullopt;
    // An exact integer divided by an exact power of ten: correctly rounded,
    // the same value as the literal would be.
    Extended scale = 1;
    for (int k = 0; k < decimals; ++k)
        scale *= 10;
    return static_cast<Extended>(digits) / scale;
}

struct Reader {
    const Options &o;
    QChar decimal;

    [[noreturn]] static void refuse(const QString &text) { throw Refusal{text}; }

    Extended number(const QString &name, const QString &text, const char *like) const
    {
        if (text.startsWith(u'-') && decimalOf(text.mid(1), decimal))
            refuse(QStringLiteral("--%1 must not be negative, not '%2'").arg(name, text));
        const std::optional<Extended> v = decimalOf(text, decimal);
        if (!v)
            refuse(
                QStringLiteral("--%1 takes a number like %2, not '%3'").arg(name, QLatin1String(like), text));
        return *v;
    }

    Money amount(const QString &name, const QString &text) const
    {
        const Extended v = number(name, text, "1234.56");
        try {
            return calc::RoundToCents(v);
        } catch (const calc::MoneyRangeError &) {
            refuse(QStringLiteral("--%1 is too large: '%2'").arg(name, text));
        }
    }
    Money amount(const QString &name) const { return amount(name, o.value(name)); }

    Extended rate(const QString &name, const QString &text) const { return number(name, text, "4.25"); }

    std::int64_t count(const QString &name, const QString &text) const
    {
        const Extended v = number(name, text, "12");
        if (v != std::floor(v) || v > 1e9L)
            refuse(QStringLiteral("--%1 takes a whole number like 12, not '%2'").arg(name, text));
        return static_cast<std::int64_t>(v);
    }
    std::int64_t count(const QString &name) const { return count(name, o.value(name)); }

    calc::Date date(const QString &name, const QString &text) const
    {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (!d.isValid() || d.year() < 1 || d.year() > 9999)
            refuse(QStringLiteral("--%1 takes a date like 2026-02-15, not '%2'").arg(name, text));
        return calc::Date{d.year(), d.month(), d.day()};
    }

    calc::Frequency frequency(const QString &name, const QString &text) const
    {
        if (const auto f = calc::frequencyNamed(text.toStdString()))
            return *f;
        refuse(QStringLiteral("--%1 takes %2, not '%3'").arg(name, frequencyNames(), text));
    }

    static QString frequencyNames()
    {
        QStringList names;
        for (const calc::Frequency f : calc::kFrequencies)
            names << QString::fromLatin1(calc::frequencyName(f));
        return names.join(QStringLiteral(", "));
    }

    // "K:VALUE", as --lump and --rate-change take it.
    std::pair<std::int64_t, QString> numbered(const QString &name, const QString &text) const
    {
        const qsizetype colon = text.indexOf(u':');
        if (colon <= 0)
            refuse(QStringLiteral("--%1 takes PAYMENT:VALUE like 12:5000, not '%2'").arg(name, text));
        return {count(name, text.left(colon)), text.mid(colon + 1)};
    }
};

calc::Date today(const Services &services)
{
    const QDate d = services.today();
    return calc::Date{d.year(), d.month(), d.day()};
}

const QStringList kPlanValued = {QStringLiteral("plan"),
                                 QStringLiteral("scenario"),
                                 QStringLiteral("pdf"),
                                 QStringLiteral("principal"),
                                 QStringLiteral("rate"),
                                 QStringLiteral("years"),
                                 QStringLiteral("months"),
                                 QStringLiteral("payments"),
                                 QStringLiteral("payment"),
                                 QStringLiteral("frequency"),
                                 QStringLiteral("compounding"),
                                 QStringLiteral("repayment"),
                                 QStringLiteral("interest-only"),
                                 QStringLiteral("amortize-years"),
                                 QStringLiteral("balloon"),
                                 QStringLiteral("extra"),
                                 QStringLiteral("lump"),
                                 QStringLiteral("extra-mode"),
                                 QStringLiteral("rate-change"),
                                 QStringLiteral("fee"),
                                 QStringLiteral("start"),
                                 QStringLiteral("first"),
                                 QStringLiteral("csv")};
const QStringList kPlanRepeated = {QStringLiteral("lump"), QStringLiteral("rate-change")};

calc::PlanRequest planRequest(const Options &o, const Services &services)
{
    const Reader in{o, services.locale.decimalSeparator()};
    o.required(QStringLiteral("principal"));
    o.required(QStringLiteral("rate"));
    const bool byTerm = o.has(QStringLiteral("years")) || o.has(QStringLiteral("months"));
    const int ways =
        int{byTerm} + int{o.has(QStringLiteral("payments"))} + int{o.has(QStringLiteral("payment"))};
    if (ways != 1)
        throw UsageError{QStringLiteral("plan takes one of --years [--months], --payments or --payment")};
    if (o.has(QStringLiteral("months")) && !o.has(QStringLiteral("years")))
        throw UsageError{QStringLiteral("--months goes with --years")};
    if (o.has(QStringLiteral("amortize-years")) && o.has(QStringLiteral("balloon")))
        throw UsageError{QStringLiteral("plan takes --amortize-years or --balloon, not both")};

    calc::PlanRequest r;
    r.principal = in.amount(QStringLiteral("principal"));
    r.ratePercent = in.rate(QStringLiteral("rate"), o.value(QStringLiteral("rate")));
    if (o.has(QStringLiteral("frequency")))
        r.frequency = in.frequency(QStringLiteral("frequency"), o.value(QStringLiteral("frequency")));
    if (o.has(QStringLiteral("compounding"))) {
        const QString c = o.value(QStringLiteral("compounding"));
        const auto perYear = calc::compoundingNamed(c.toStdString());
        if (!perYear)
            Reader::refuse(QStringLiteral("--compounding takes same, daily or %1, not '%2'")
                               .arg(Reader::frequencyNames(), c));
        r.compounding = *perYear;
    }
    r.advance = o.has(QStringLiteral("start"))
                    ? in.date(QStringLiteral("start"), o.value(QStringLiteral("start")))
                    : today(services);
    if (o.has(QStringLiteral("first")))
        r.firstPayment = in.date(QStringLiteral("first"), o.value(QStringLiteral("first")));
    if (byTerm) {
        const std::int64_t years = in.count(QStringLiteral("years"));
        const std::int64_t months = o.has(QStringLiteral("months")) ? in.count(QStringLiteral("months")) : 0;
        r.payments = calc::paymentsInTerm(years, months, r.frequency, r.advance);
    } else if (o.has(QStringLiteral("payments"))) {
        r.payments = in.count(QStringLiteral("payments"));
    } else {
        r.fixedPayment = in.amount(QStringLiteral("payment"));
    }
    if (o.has(QStringLiteral("repayment"))) {
        const QString k = o.value(QStringLiteral("repayment"));
        if (k != QLatin1String("annuity") && k != QLatin1String("equal-principal"))
            Reader::refuse(QStringLiteral("--repayment takes annuity or equal-principal, not '%1'").arg(k));
        r.repayment =
            k == QLatin1String("annuity") ? calc::Repayment::Annuity : calc::Repayment::EqualPrincipal;
    }
    if (o.has(QStringLiteral("interest-only")))
        r.interestOnly = in.count(QStringLiteral("interest-only"));
    if (o.has(QStringLiteral("amortize-years"))) {
        r.amortizePayments =
            calc::paymentsInTerm(in.count(QStringLiteral("amortize-years")), 0, r.frequency, r.advance);
    }
    if (o.has(QStringLiteral("balloon")))
        r.balloon = in.amount(QStringLiteral("balloon"));
    if (o.has(QStringLiteral("extra"))) {
        // AMOUNT[@K[/E]]
        const QString text = o.value(QStringLiteral("extra"));
        const qsizetype at = text.indexOf(u'@');
        calc::RecurringExtra e;
        e.amount = in.amount(QStringLiteral("extra"), at < 0 ? text : text.left(at));
        if (at >= 0) {
            const QString from = text.mid(at + 1);
            const qsizetype slash = from.indexOf(u'/');
            e.from = in.count(QStringLiteral("extra"), slash < 0 ? from : from.left(slash));
            if (slash >= 0)
                e.every = in.count(QStringLiteral("extra"), from.mid(slash + 1));
        }
        r.extra = e;
    }
    for (const QString &lump : o.values(QStringLiteral("lump"))) {
        const auto [k, value] = in.numbered(QStringLiteral("lump"), lump);
        r.lumps.push_back({k, in.amount(QStringLiteral("lump"), value)});
    }
    if (o.has(QStringLiteral("extra-mode"))) {
        const QString m = o.value(QStringLiteral("extra-mode"));
        if (m != QLatin1String("shorten") && m != QLatin1String("lower-payment"))
            Reader::refuse(QStringLiteral("--extra-mode takes shorten or lower-payment, not '%1'").arg(m));
        r.extraMode =
            m == QLatin1String("shorten") ? calc::ExtraMode::Shorten : calc::ExtraMode::LowerPayment;
    }
    // values() gives the last first; the order given is kept.
    const QStringList changes = o.values(QStringLiteral("rate-change"));
    for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
        const auto [k, value] = in.numbered(QStringLiteral("rate-change"), *it);
        r.rateChanges.push_back({k, in.rate(QStringLiteral("rate-change"), value)});
    }
    if (o.has(QStringLiteral("fee")))
        r.fee = in.amount(QStringLiteral("fee"));
    return r;
}

// The scenario of a plan file saved by the planner window that --scenario
// names, else the one selected when it was saved.
int chosenScenario(const Options &o, const planner::PlanFileContent &plan)
{
    if (!o.has(QStringLiteral("scenario")))
        return plan.selected;
    const QString name = o.value(QStringLiteral("scenario")).trimmed();
    for (std::size_t i = 0; i < plan.scenarios.size(); ++i) {
        if (plan.scenarios[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    throw Refusal{QStringLiteral("the plan has no scenario named '%1'").arg(name)};
}

// That scenario's request, as the window computes it.
calc::PlanRequest planFileRequest(const Options &o)
{
    for (const QString &name : kPlanValued) {
        if (name != QLatin1String("plan") && name != QLatin1String("scenario") &&
            name != QLatin1String("csv") && name != QLatin1String("pdf") && o.has(name))
            throw UsageError{
                QStringLiteral("--plan takes the loan from the file; --%1 does not go with it").arg(name)};
    }
    const planner::PlanFileContent plan = planner::readPlanFile(o.value(QStringLiteral("plan")));
    if (!plan.ok())
        throw Refusal{plan.error};
    const int index = chosenScenario(o, plan);
    const planner::ScenarioInputs &inputs = plan.scenarios[static_cast<std::size_t>(index)].inputs;
    if (const QString why = planner::extrasProblem(inputs); !why.isEmpty())
        throw Refusal{why};
    try {
        return planner::scenarioRequest(inputs);
    } catch (const calc::MoneyRangeError &) {
        throw Refusal{QStringLiteral("an amount of this plan is out of range")};
    }
}

calc::PlanRequest requestOf(const Options &o, const Services &services)
{
    return o.has(QStringLiteral("plan")) ? planFileRequest(o) : planRequest(o, services);
}

calc::PlanResult planned(const calc::PlanRequest &request)
{
    calc::PlanResult p;
    try {
        p = calc::buildPlan(request);
    } catch (const calc::MoneyRangeError &) {
        throw Refusal{QStringLiteral("an amount of this plan is out of range")};
    }
    if (p.status != calc::PlanStatus::Planned)
        throw Refusal{QString::fromStdString(p.reason)};
    if (p.apr.status != calc::AprStatus::Solved || p.aprc.status != calc::AprStatus::Solved)
        throw Refusal{QStringLiteral("the APR of this plan does not converge")};
    return p;
}

void writeCsvFile(const QString &path, const QByteArray &csv)
{
    fileio::SafeFile file(path);
    if (!file.open() || !file.write(csv) || !file.commit())
        throw Refusal{QStringLiteral("cannot write \"%1\": %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString())};
}

void send(QTextStream &out, const OutputBuffer &b)
{
    if (!writeOut(out, b))
        throw Refusal{QStringLiteral("cannot write to standard output")};
}

// --- apr ---------------------------------------------------------------------------

struct AprInput {
    std::vector<calc::CashFlow> flows;
    Money financed;
    Money total;
};

const QStringList kAprValued = {QStringLiteral("advance"), QStringLiteral("date"), QStringLiteral("series"),
                                QStringLiteral("fee")};

AprInput aprInput(const Options &o, const Services &services)
{
    const Reader in{o, services.locale.decimalSeparator()};
    o.required(QStringLiteral("advance"));
    o.required(QStringLiteral("date"));
    o.required(QStringLiteral("series"));
    AprInput a;
    const Money advance = in.amount(QStringLiteral("advance"));
    const calc::Date date = in.date(QStringLiteral("date"), o.value(QStringLiteral("date")));
    const Money fee = o.has(QStringLiteral("fee")) ? in.amount(QStringLiteral("fee")) : Money{};
    if (advance.count <= 0)
        Reader::refuse(QStringLiteral("--advance must be more than 0"));
    if (fee >= advance)
        Reader::refuse(QStringLiteral("the fee must be less than the advance"));
    a.financed = advance - fee;
    a.flows.push_back({date, a.financed, true});
    const QStringList series = o.values(QStringLiteral("series"));
    for (auto it = series.crbegin(); it != series.crend(); ++it) {
        // AMOUNTxCOUNT@FIRSTDATE[/FREQUENCY]
        const QString &s = *it;
        const qsizetype x = s.indexOf(u'x');
        const qsizetype at = s.indexOf(u'@');
        if (x <= 0 || at <= x + 1)
            Reader::refuse(QStringLiteral("--series takes AMOUNTxCOUNT@DATE[/FREQUENCY], not '%1'").arg(s));
        const Money amount = in.amount(QStringLiteral("series"), s.left(x));
        const std::int64_t count = in.count(QStringLiteral("series"), s.mid(x + 1, at - x - 1));
        const QString rest = s.mid(at + 1);
        const qsizetype slash = rest.indexOf(u'/');
        const calc::Date first = in.date(QStringLiteral("series"), slash < 0 ? rest : rest.left(slash));
        if (amount.count <= 0 || count < 1)
            Reader::refuse(QStringLiteral("a series needs an amount and a count above 0: '%1'").arg(s));
        if (slash < 0 && count != 1)
            Reader::refuse(QStringLiteral("a series of more than one payment needs /FREQUENCY: '%1'").arg(s));
        const calc::Frequency f = slash < 0 ? calc::Frequency::Monthly
                                            : in.frequency(QStringLiteral("series"), rest.mid(slash + 1));
        if (first < date)
            Reader::refuse(QStringLiteral("the series '%1' starts before the advance").arg(s));
        if (static_cast<std::int64_t>(a.flows.size()) + count > calc::kMaxPayments + 1)
            Reader::refuse(QStringLiteral("more than %1 payments").arg(calc::kMaxPayments));
        for (std::int64_t k = 0; k < count; ++k) {
            a.flows.push_back({calc::paymentDate(first, f, k), amount, false});
            a.total += amount;
        }
    }
    return a;
}

struct AprAnswer {
    Extended apr;
    Extended aprc;
};

AprAnswer aprOf(const AprInput &a)
{
    const calc::AprResult us = calc::usApr(a.flows);
    const calc::AprResult eu = calc::euAprc(a.flows);
    if (us.status != calc::AprStatus::Solved || eu.status != calc::AprStatus::Solved)
        throw Refusal{QStringLiteral("the APR of these cash flows does not converge")};
    return {us.rate, eu.rate};
}

} // namespace

int runPlanCommand(const QStringList &args, QTextStream &out, QTextStream &, const Services &services,
                   const Drawing *drawing)
{
    const Options o(args, kPlanValued, {QStringLiteral("json")}, kPlanRepeated);
    if (o.has(QStringLiteral("pdf")) && !o.has(QStringLiteral("plan")))
        throw UsageError{QStringLiteral("--pdf writes the report of a plan file: it goes with --plan FILE")};
    if (o.has(QStringLiteral("pdf")) && o.value(QStringLiteral("pdf")).isEmpty())
        throw UsageError{QStringLiteral("--pdf needs a file name")};
    const QString csv = o.value(QStringLiteral("csv"));
    if (o.has(QStringLiteral("json")) && csv == QLatin1String("-"))
        throw UsageError{QStringLiteral("--json and --csv - both want the standard output")};
    if (o.has(QStringLiteral("csv")) && csv.isEmpty())
        throw UsageError{QStringLiteral("--csv needs a file name or -")};
    const calc::PlanRequest request = requestOf(o, services);
    const calc::PlanResult p = planned(request);

    OutputBuffer b;
    b.reserve(96 * (p.rows.size() + 40));
    if (csv == QLatin1String("-")) {
        b.append(planCsv(p).toStdString());
    } else {
        if (o.has(QStringLiteral("csv")))
            writeCsvFile(csv, planCsv(p));
        if (o.has(QStringLiteral("json")))
            planJson(b, p, nullptr);
        else
            planTable(b, request, p);
    }
    if (o.has(QStringLiteral("pdf"))) {
        if (!drawing)
            throw Refusal{QStringLiteral("the plan's report is drawn by accrua-cli-draw")};
        const QString file = o.value(QStringLiteral("plan"));
        drawing->writePlanPdf(PlanPdf{file, chosenScenario(o, planner::readPlanFile(file)),
                                      o.value(QStringLiteral("pdf")), services.today(), services.locale});
    }
    send(out, b);
    return 0;
}

int runAprCommand(const QStringList &args, QTextStream &out, QTextStream &, const Services &services)
{
    const Options o(args, kAprValued, {QStringLiteral("json")}, {QStringLiteral("series")});
    const AprInput a = aprInput(o, services);
    const AprAnswer r = aprOf(a);
    OutputBuffer b;
    const AprFigures figures{a.financed, a.total, r.apr, r.aprc};
    if (o.has(QStringLiteral("json")))
        aprJson(b, figures, nullptr);
    else
        aprTable(b, figures);
    send(out, b);
    return 0;
}

int planBatchLine(const QString &command, const QStringList &args, const Services &services,
                  OutputBuffer &buffer, const JsonLine &line)
{
    if (command == QLatin1String("apr")) {
        const Options o(args, kAprValued, {}, {QStringLiteral("series")});
        const AprInput a = aprInput(o, services);
        const AprAnswer r = aprOf(a);
        aprJson(buffer, AprFigures{a.financed, a.total, r.apr, r.aprc}, &line);
        return 0;
    }
    const Options o(args, kPlanValued, {}, kPlanRepeated);
    // A file asked for and not written would pass for done.
    if (o.has(QStringLiteral("csv")) || o.has(QStringLiteral("pdf")))
        throw UsageError{QStringLiteral("a batch writes no files")};
    planJson(buffer, planned(requestOf(o, services)), &line);
    return 0;
}

} // namespace accrua::cli
