#include "reports/banded/reportoutput.h"

#include "calc/paymentday.h"
#include "engine/pdf/document.h"
#include "fileio/safefile.h"
#include "reports/banded/reportsform.h"

#include <QCoreApplication>
#include <QDir>

#include <charconv>

namespace accrua::reports::banded {

ReportOutputError::ReportOutputError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString ReportOutputError::message() const
{
    return QString::fromUtf8(what());
}

std::unique_ptr<eng::TRptPageList> generatePages(eng::Report &report)
{
    auto pages = std::make_unique<eng::TRptPageList>();
    eng::ReportGenerator::generate(report, *pages);
    return pages;
}

namespace {

QString native(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// A money value as a plain number: a dot and two decimals.
// The CSV's cells go straight into its bytes: a schedule has up to 12000
// rows of six cells.
void appendPlain(QByteArray &out, calc::Money value)
{
    const calc::ShortText t = calc::formatMoneyText(value, u'.');
    char bytes[sizeof t.chars / sizeof t.chars[0]];
    for (int k = 0; k < t.length; ++k)
        bytes[k] = static_cast<char>(t.chars[k]); // digits, sign and the dot
    out.append(bytes, t.length);
}

void appendNumber(QByteArray &out, unsigned long long n)
{
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, end - digits);
}

// yyyy-MM-dd, as QDate::toString(Qt::ISODate) writes it: nothing for an
// invalid date or a year outside 0 to 9999.
void appendIsoDate(QByteArray &out, const QDate &date)
{
    const int y = date.year();
    if (!date.isValid() || y < 0 || y > 9999)
        return;
    const int m = date.month(), d = date.day();
    const char text[10] = {static_cast<char>('0' + y / 1000),
                           static_cast<char>('0' + y / 100 % 10),
                           static_cast<char>('0' + y / 10 % 10),
                           static_cast<char>('0' + y % 10),
                           '-',
                           static_cast<char>('0' + m / 10),
                           static_cast<char>('0' + m % 10),
                           '-',
                           static_cast<char>('0' + d / 10),
                           static_cast<char>('0' + d % 10)};
    out.append(text, sizeof text);
}

} // namespace

bool writePdf(const eng::TRptPageList &pages, QIODevice &device, const QString &title)
{
    const int count = pages.pageCount();
    if (count == 0)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "There are no pages to write."));
    const auto failure = engine::pdf::writeDocument(
        engine::pdf::allPages(count), [&pages](int n) { return pages.GetPage(n); }, device, title);
    if (!failure)
        return true;
    if (failure->kind == eng::PlaybackFailure::Kind::Missing)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Page %1 is missing.").arg(failure->page));
    if (failure->kind == eng::PlaybackFailure::Kind::Play)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Page %1 cannot be drawn: %2")
                .arg(failure->page)
                .arg(failure->detail));
    return false;
}

void savePdf(const eng::TRptPageList &pages, const QString &fileName, const QString &title)
{
    // Every write is checked and flushed before the rename: a full disk
    // leaves the old file, and a device or FIFO at the path is not replaced.
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot create \"%1\": %2")
                .arg(native(fileName), file.errorString()));
    if (!writePdf(pages, file.device(), title) || !file.commit())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot write \"%1\": %2")
                .arg(native(fileName), file.errorString()));
}

QByteArray scheduleCsv(const std::vector<calc::TPaymentObj> &rows, const QDate &origination)
{
    QByteArray out("PMT,DATE,PAYMENT,PRINCIPAL,INTEREST,BALANCE\n");
    out.reserve(static_cast<qsizetype>(rows.size()) * 60 + out.size());
    const int firstMonth = origination.year() * 12 + origination.month() - 1;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const calc::TPaymentObj &r = rows[k];
        const int m = firstMonth + static_cast<int>(k) + 1;
        const QDate date(m / 12, m % 12 + 1, calc::paymentDay(m / 12, m % 12 + 1, origination.day()));
        appendNumber(out, k + 1);
        out += ',';
        appendIsoDate(out, date);
        out += ',';
        appendPlain(out, r.Payment);
        out += ',';
        appendPlain(out, r.Principal);
        out += ',';
        appendPlain(out, calc::Money::fromValue(r.Interest));
        out += ',';
        appendPlain(out, r.Balance);
        out += '\n';
    }
    return out;
}

QByteArray savingsCsv(const std::vector<SavingsRowType> &rows, int periodsPerYear)
{
    const int p = periodsPerYear > 0 ? periodsPerYear : 1;
    const int decimals = p == 1 ? 0 : p == 2 ? 1 : p == 4 ? 2 : 4;
    QByteArray out("PERIOD,YEAR,INTEREST,BALANCE\n");
    out.reserve(static_cast<qsizetype>(rows.size()) * 40 + out.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const double year = static_cast<double>(k + 1) / p;
        appendNumber(out, k + 1);
        out += ',';
        out += QByteArray::number(year, 'f', decimals);
        out += ',';
        appendPlain(out, rows[k].Interest);
        out += ',';
        appendPlain(out, rows[k].Balance);
        out += '\n';
    }
    return out;
}

void saveBytes(const QByteArray &bytes, const QString &fileName)
{
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot create \"%1\": %2")
                .arg(native(fileName), file.errorString()));
    if (!file.write(bytes) || !file.commit())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot write \"%1\": %2")
                .arg(native(fileName), file.errorString()));
}

} // namespace accrua::reports::banded
