// Dates as the user types them: the locale's short date format read back.
#pragma once

#include "text/locale.h"

#include <QDate>
#include <QString>

#include <optional>

namespace accrua::text {

// A date typed in the locale's short date format, leading zeros optional and
// blanks around it ignored ("3/1/2025" and "03/01/2025" alike); nothing when
// the text is no date of that format or names no day of the calendar.
std::optional<QDate> parseShortDate(const QString &text, const Locale &locale);

} // namespace accrua::text
