#include "planner/schedule.h"

#include "planner/fieldtext.h"
#include "planner/scenario.h"
#include "text/numbers.h"

#include <QCoreApplication>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::Schedule)
};

} // namespace

std::vector<ScheduleLine> scheduleLines(const calc::PlanResult &plan)
{
    std::vector<ScheduleLine> out;
    out.reserve(plan.rows.size() + plan.rows.size() / 12 + 4);
    const auto sumLine = [](ScheduleLine::Kind kind) {
        ScheduleLine line;
        line.kind = kind;
        return line;
    };
    ScheduleLine year = sumLine(ScheduleLine::Kind::YearTotal);
    ScheduleLine total = sumLine(ScheduleLine::Kind::Total);
    const auto add = [](ScheduleLine &sum, const calc::PlanRow &r) {
        sum.payment += r.payment;
        sum.interest += r.interest;
        sum.principal += r.principal;
        sum.extra += r.extra;
    };
    bool yearOpen = false;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const calc::PlanRow &r = plan.rows[i];
        if (yearOpen && r.date.year != year.year) {
            out.push_back(year);
            year = sumLine(ScheduleLine::Kind::YearTotal);
        }
        year.year = r.date.year;
        yearOpen = true;
        ScheduleLine line;
        line.row = static_cast<int>(i);
        line.year = r.date.year;
        line.payment = r.payment;
        line.interest = r.interest;
        line.principal = r.principal;
        line.extra = r.extra;
        line.rateChange = i > 0 && r.number > 1 && r.ratePercent != plan.rows[i - 1].ratePercent;
        line.crossover = plan.crossover > 0 && r.number == plan.crossover;
        out.push_back(line);
        add(year, r);
        add(total, r);
    }
    if (yearOpen) {
        out.push_back(year);
        out.push_back(total);
    }
    return out;
}

namespace {

// In English in files for other programs, in the user's language elsewhere.
const char *const kHeaders[kScheduleColumns] = {
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "No."),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Date"),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Rate"),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Payment"),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Interest"),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Principal"),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Extra"),
    QT_TRANSLATE_NOOP("accrua::planner::Schedule", "Balance"),
};

} // namespace

QString scheduleHeader(int column)
{
    return column >= 0 && column < kScheduleColumns ? Text::tr(kHeaders[column]) : QString();
}

QString yearTotalText(int year)
{
    return Text::tr("%1 total").arg(year);
}

namespace {

QString rateText(calc::Extended percent, const text::Locale &locale)
{
    return percentText(percent / 100, locale, 3);
}

QString plainMoney(calc::Money m)
{
    const text::Locale dot(u'.', u',', 2, QString());
    return amountFieldText(m, dot);
}

QString cell(const calc::PlanResult &plan, const ScheduleLine &line, int column, const text::Locale &locale,
             Notation notation)
{
    const auto money = [&](calc::Money m) {
        return notation == Notation::Plain ? plainMoney(m) : moneyText(m, locale);
    };
    const auto col = static_cast<ScheduleColumn>(column);
    if (line.kind != ScheduleLine::Kind::Payment) {
        switch (col) {
        case ScheduleColumn::Number:
            return line.kind == ScheduleLine::Kind::Total ? Text::tr("Total") : yearTotalText(line.year);
        case ScheduleColumn::Payment:
            return money(line.payment);
        case ScheduleColumn::Interest:
            return money(line.interest);
        case ScheduleColumn::Principal:
            return money(line.principal);
        case ScheduleColumn::Extra:
            return money(line.extra);
        default:
            return {};
        }
    }
    const calc::PlanRow &r = plan.rows.at(static_cast<std::size_t>(line.row));
    switch (col) {
    case ScheduleColumn::Number:
        return QString::number(r.number);
    case ScheduleColumn::Date:
        return notation == Notation::Plain ? toQDate(r.date).toString(Qt::ISODate)
                                           : dateText(toQDate(r.date), locale);
    case ScheduleColumn::Rate:
        return notation == Notation::Plain
                   ? text::formatGeneral(r.ratePercent, text::Locale(u'.', u',', 2, {}))
                   : rateText(r.ratePercent, locale);
    case ScheduleColumn::Payment:
        return money(r.payment);
    case ScheduleColumn::Interest:
        return money(r.interest);
    case ScheduleColumn::Principal:
        return money(r.principal);
    case ScheduleColumn::Extra:
        return money(r.extra);
    case ScheduleColumn::Balance:
        return money(r.balance);
    }
    return {};
}

} // namespace

QString scheduleCell(const calc::PlanResult &plan, const ScheduleLine &line, int column,
                     const text::Locale &locale)
{
    return cell(plan, line, column, locale, Notation::Shown);
}

QString scheduleText(const calc::PlanResult &plan, const std::vector<ScheduleLine> &lines,
                     Delimiter delimiter, Notation notation, const text::Locale &locale)
{
    QStringList header;
    for (int c = 0; c < kScheduleColumns; ++c)
        header << (notation == Notation::Plain ? QString::fromLatin1(kHeaders[c]) : scheduleHeader(c));
    std::vector<QStringList> rows;
    rows.reserve(lines.size());
    for (const ScheduleLine &line : lines) {
        // A file for other programs holds the payments only; totals are sums of them.
        if (notation == Notation::Plain && line.kind != ScheduleLine::Kind::Payment)
            continue;
        QStringList cells;
        for (int c = 0; c < kScheduleColumns; ++c)
            cells << cell(plan, line, c, locale, notation);
        rows.push_back(cells);
    }
    return delimitedText(header, rows, delimiter);
}

} // namespace accrua::planner
