#include "text/dates.h"

namespace accrua::text {

std::optional<QDate> parseShortDate(const QString &text, const Locale &locale)
{
    // One-letter day and month fields read one or two digits.
    QString format = locale.shortDateFormat();
    format.replace(QLatin1String("dd"), QLatin1String("d")).replace(QLatin1String("MM"), QLatin1String("M"));
    const QDate date = QDate::fromString(text.trimmed(), format);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace accrua::text
