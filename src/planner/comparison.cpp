#include "planner/comparison.h"

#include "planner/fieldtext.h"

#include <QCoreApplication>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::Comparison)
};

QString aprText(const calc::AprResult &apr, const text::Locale &locale)
{
    if (apr.status != calc::AprStatus::Solved)
        return Text::tr("not found");
    return percentText(apr.rate, locale, 2);
}

} // namespace

Comparison compare(const std::vector<NamedResult> &scenarios, const text::Locale &locale)
{
    Comparison out;
    const QStringList labels = {
        Text::tr("Payment"),
        Text::tr("Number of payments"),
        Text::tr("Payoff date"),
        Text::tr("Total interest"),
        Text::tr("Total paid"),
        Text::tr("APR"),
        Text::tr("APRC"),
        Text::tr("Interest saved vs A"),
        Text::tr("Payments saved vs A"),
        Text::tr("Crossover payment"),
    };
    for (const QString &label : labels)
        out.rows.push_back(ComparisonRow{label, {}});
    const ScenarioResult *first = scenarios.empty() ? nullptr : scenarios.front().result;
    const bool firstPlanned = first && first->planned();
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        out.scenarios << scenarios[s].name;
        const ScenarioResult *r = scenarios[s].result;
        if (!r || !r->planned()) {
            out.rows[0].cells << Text::tr("not computed");
            for (std::size_t i = 1; i < out.rows.size(); ++i)
                out.rows[i].cells << QString();
            continue;
        }
        const calc::PlanResult &p = r->plan;
        QStringList cells;
        cells << moneyText(p.payment, locale) << QString::number(p.payments)
              << dateText(toQDate(p.payoff), locale) << moneyText(p.totals.interest, locale)
              << moneyText(p.totals.paid, locale) << aprText(p.apr, locale) << aprText(p.aprc, locale);
        if (s == 0 || !firstPlanned) {
            cells << QString() << QString();
        } else {
            cells << signedMoneyText(first->plan.totals.interest - p.totals.interest, locale)
                  << signedCountText(first->plan.payments - p.payments);
        }
        cells << (p.crossover > 0 ? QString::number(p.crossover) : Text::tr("none"));
        for (std::size_t i = 0; i < out.rows.size(); ++i)
            out.rows[i].cells << cells.at(static_cast<qsizetype>(i));
    }
    return out;
}

namespace {

QString termText(const ScenarioInputs &in, const text::Locale &locale)
{
    switch (in.termKind) {
    case TermKind::YearsMonths: {
        const QString years = Text::tr("%n years", nullptr, in.years);
        return in.months == 0 ? years
                              //: A term of years and months: "30 years 6 months".
                              : Text::tr("%1 %2", "years and months")
                                    .arg(years, Text::tr("%n months", nullptr, in.months));
    }
    case TermKind::Payments:
        return Text::tr("%n payments", nullptr, static_cast<int>(in.payments));
    case TermKind::FixedPayment:
        return Text::tr("pay %1").arg(moneyText(in.fixedPayment, locale));
    }
    return {};
}

template <typename Row, typename ToText> QString listText(const std::vector<Row> &rows, ToText text)
{
    if (rows.empty())
        return Text::tr("none");
    QStringList parts;
    for (const Row &r : rows)
        parts << text(r);
    return parts.join(QStringLiteral("; "));
}

} // namespace

Comparison inputTable(const std::vector<QString> &names, const std::vector<const ScenarioInputs *> &inputs,
                      const text::Locale &locale)
{
    Comparison out;
    const QStringList labels = {
        Text::tr("Principal"),     Text::tr("Rate"),          Text::tr("Term"),
        Text::tr("Frequency"),     Text::tr("Compounding"),   Text::tr("Repayment"),
        Text::tr("Interest only"), Text::tr("Balloon"),       Text::tr("Extra payments"),
        Text::tr("Lump sums"),     Text::tr("Rate changes"),  Text::tr("Fee"),
        Text::tr("Advance"),       Text::tr("First payment"), Text::tr("With extras"),
    };
    for (const QString &label : labels)
        out.rows.push_back(ComparisonRow{label, {}});
    for (std::size_t s = 0; s < names.size() && s < inputs.size(); ++s) {
        out.scenarios << names[s];
        const ScenarioInputs &in = *inputs[s];
        const QString rate = percentFieldText(in.ratePercent, locale) + QStringLiteral(" %");
        QString balloon = in.amortizePayments > 0 ? Text::tr("over %1 payments").arg(in.amortizePayments)
                                                  : moneyText(in.balloon, locale);
        const QStringList cells = {
            moneyText(in.principal, locale),
            rate,
            termText(in, locale),
            frequencyLabel(in.frequency),
            compoundingLabel(in.compounding),
            in.repayment == calc::Repayment::Annuity ? Text::tr("Level payment")
                                                     : Text::tr("Equal principal"),
            QString::number(in.interestOnly),
            balloon,
            listText(in.extras,
                     [&](const ExtraRow &e) {
                         return Text::tr("%1 from %2 every %3")
                             .arg(moneyText(e.amount, locale))
                             .arg(e.from)
                             .arg(e.every);
                     }),
            listText(in.lumps,
                     [&](const LumpRow &l) {
                         return Text::tr("%1 with %2").arg(moneyText(l.amount, locale)).arg(l.payment);
                     }),
            listText(
                in.rateChanges,
                [&](const RateRow &r) {
                    return Text::tr("%1 % from %2").arg(percentFieldText(r.ratePercent, locale)).arg(r.from);
                }),
            moneyText(in.fee, locale),
            dateText(in.advance, locale),
            in.firstPayment.isValid() ? dateText(in.firstPayment, locale) : Text::tr("one period on"),
            in.extraMode == calc::ExtraMode::Shorten ? Text::tr("Shorter term") : Text::tr("Lower payment"),
        };
        for (std::size_t i = 0; i < out.rows.size(); ++i)
            out.rows[i].cells << cells.at(static_cast<qsizetype>(i));
    }
    return out;
}

namespace {

QString csvCell(const QString &cell)
{
    if (!cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\n') && !cell.contains(u'\r'))
        return cell;
    QString quoted = cell;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString tsvCell(QString cell)
{
    for (QChar &c : cell) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return cell;
}

QString line(const QStringList &cells, Delimiter delimiter)
{
    QStringList out;
    out.reserve(cells.size());
    for (const QString &c : cells)
        out << (delimiter == Delimiter::Comma ? csvCell(c) : tsvCell(c));
    return out.join(delimiter == Delimiter::Comma ? u',' : u'\t') +
           (delimiter == Delimiter::Comma ? QStringLiteral("\r\n") : QStringLiteral("\n"));
}

} // namespace

QString delimitedText(const QStringList &header, const std::vector<QStringList> &rows, Delimiter delimiter)
{
    QString out = line(header, delimiter);
    for (const QStringList &r : rows)
        out += line(r, delimiter);
    return out;
}

QString comparisonText(const Comparison &comparison, Delimiter delimiter)
{
    QStringList header;
    header << QString() << comparison.scenarios;
    std::vector<QStringList> rows;
    for (const ComparisonRow &r : comparison.rows)
        rows.push_back(QStringList{r.label} + r.cells);
    return delimitedText(header, rows, delimiter);
}

} // namespace accrua::planner
