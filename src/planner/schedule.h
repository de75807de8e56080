// The schedule as the planner shows and prints it: the plan's rows with a
// subtotal line after each calendar year and a total line at the end; the
// rows where the rate changes and the crossover row are marked.
#pragma once

#include "calc/planner.h"
#include "planner/comparison.h"
#include "text/locale.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace accrua::planner {

struct ScheduleLine {
    enum class Kind { Payment, YearTotal, Total };
    Kind kind = Kind::Payment;
    int row = -1;        // the plan row of a payment line
    int year = 0;        // the calendar year of the line (totals: the year summed)
    calc::Money payment; // sums on total lines
    calc::Money interest;
    calc::Money principal;
    calc::Money extra;
    bool rateChange = false; // the rate differs from the payment before
    bool crossover = false;
};

std::vector<ScheduleLine> scheduleLines(const calc::PlanResult &plan);

enum class ScheduleColumn { Number, Date, Rate, Payment, Interest, Principal, Extra, Balance };
inline constexpr int kScheduleColumns = 8;
QString scheduleHeader(int column);
// The first cell of a year's subtotal line ("2031 total").
QString yearTotalText(int year);

// The text of one cell as the table shows it.
QString scheduleCell(const calc::PlanResult &plan, const ScheduleLine &line, int column,
                     const text::Locale &locale);

// The whole schedule as text: as shown (the locale's notation and the
// user's language, totals included) or, for CSV files, with English headers,
// ISO dates and plain amounts with a dot.
enum class Notation { Shown, Plain };
QString scheduleText(const calc::PlanResult &plan, const std::vector<ScheduleLine> &lines,
                     Delimiter delimiter, Notation notation, const text::Locale &locale);

} // namespace accrua::planner
