// What the commands put into a report before it is generated: the title
// blocks come from the main window's result fields as the user sees them and
// from the settings; the rows are borrowed, never copied.
#pragma once

#include "app/fields.h"
#include "app/mainmodel.h"
#include "reports/banded/reportsform.h"

#include <QString>

#include <stdexcept>

namespace accrua::reports::banded {

// The three banded reports, chosen by the page the commands run on.
enum class ReportKind { Amortization, Savings, Daily };

ReportKind reportKindOf(app::Mode mode);
eng::Report &reportOf(TForm_Reports &form, ReportKind kind);

// An input the report cannot be made from (an origination date text that is
// no date in the user's format). The text says what.
class ReportInputError : public std::runtime_error {
public:
    explicit ReportInputError(const QString &message);
    QString message() const;
};

// The amortization report of the loan pages. `originationDate` is a date text
// in the locale's short date format, `purpose` the loan's purpose. Throws
// ReportInputError for a date text that is no date and engine::PictureError
// for a picture file that cannot be read.
void fillAmortization(TForm_Reports &form, const app::MainModel &model, const QString &originationDate,
                      const QString &purpose);
// The same for an origination the program holds as a date (today, the
// command line's): passed as the date, its label written from it, never
// parsed back from text (a two-digit year would lose its century).
void fillAmortization(TForm_Reports &form, const app::MainModel &model, const QDate &origination,
                      const QString &purpose);
void fillSavings(TForm_Reports &form, const app::MainModel &model);
void fillDaily(TForm_Reports &form, const app::MainModel &model);

// A date as the reports write it (the locale's short date format).
QString dateText(const QDate &date, const text::Locale &locale);

} // namespace accrua::reports::banded
