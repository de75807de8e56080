#include "reports/reportoutput.h"

#include "fileio/safefile.h"
#include "reports/reportsform.h"

#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace accrua::reports {

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

QPageLayout layoutFor(QSizeF pagePixels)
{
    const QSizeF inches(pagePixels.width() / 96.0, pagePixels.height() / 96.0);
    const bool landscape = inches.width() > inches.height();
    const QPageSize size(landscape ? inches.transposed() : inches, QPageSize::Inch, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

QString native(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// A money value as a plain number: a dot and two decimals.
QString plain(calc::Money value)
{
    const calc::ShortText t = calc::formatMoneyText(value, u'.');
    return QString::fromUtf16(t.chars, t.length);
}

} // namespace

bool writePdf(const eng::TRptPageList &pages, QIODevice &device, const QString &title)
{
    const int count = pages.pageCount();
    if (count == 0)
        throw ReportOutputError(QStringLiteral("There are no pages to write."));
    auto page = [&](int n) {
        std::optional<QByteArray> body = pages.GetPage(n);
        if (!body)
            throw ReportOutputError(QStringLiteral("Page %1 is missing.").arg(n));
        return *std::move(body);
    };
    QByteArray body = page(1);
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Accrua"));
    writer.setTitle(title);
    writer.setResolution(1200);
    writer.setPageLayout(layoutFor(eng::pageSizeOf(body)));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int n = 1; n <= count; ++n) {
        if (n > 1) {
            body = page(n);
            writer.setPageLayout(layoutFor(eng::pageSizeOf(body)));
            if (!writer.newPage()) {
                painter.end();
                return false;
            }
        }
        const QRectF target = writer.pageLayout().fullRectPixels(writer.resolution());
        QString error;
        if (!eng::EmfPlayer::play(body, painter, QRectF(QPointF(0, 0), target.size()), &error)) {
            painter.end();
            throw ReportOutputError(QStringLiteral("Page %1 cannot be drawn: %2").arg(n).arg(error));
        }
    }
    return painter.end();
}

void savePdf(const eng::TRptPageList &pages, const QString &fileName, const QString &title)
{
    // Every write is checked and flushed before the rename: a full disk
    // leaves the old file, and a device or FIFO at the path is not replaced.
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw ReportOutputError(
            QStringLiteral("Cannot create \"%1\": %2").arg(native(fileName), file.errorString()));
    if (!writePdf(pages, file.device(), title) || !file.commit())
        throw ReportOutputError(
            QStringLiteral("Cannot write \"%1\": %2").arg(native(fileName), file.errorString()));
}

QByteArray scheduleCsv(const std::vector<calc::TPaymentObj> &rows, const QDate &origination)
{
    QByteArray out("PMT,DATE,PAYMENT,PRINCIPAL,INTEREST,BALANCE\n");
    out.reserve(static_cast<qsizetype>(rows.size()) * 60 + out.size());
    const int firstMonth = origination.year() * 12 + origination.month() - 1;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const calc::TPaymentObj &r = rows[k];
        const int m = firstMonth + static_cast<int>(k) + 1;
        const QDate date = TForm_Reports::rowDate(m / 12, m % 12 + 1, origination.day());
        out += QByteArray::number(static_cast<qulonglong>(k) + 1) + ',' +
               date.toString(Qt::ISODate).toLatin1() + ',' + plain(r.Payment).toLatin1() + ',' +
               plain(r.Principal).toLatin1() + ',' + plain(calc::Money::fromValue(r.Interest)).toLatin1() +
               ',' + plain(r.Balance).toLatin1() + '\n';
    }
    return out;
}

QByteArray savingsCsv(const std::vector<SavingsRowType> &rows, int periodsPerYear)
{
    const int p = periodsPerYear > 0 ? periodsPerYear : 1;
    const int decimals = p == 1 ? 0 : p == 2 ? 1 : p == 4 ? 2 : 4;
    QByteArray out("PERIOD,YEAR,INTEREST,BALANCE\n");
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const double year = static_cast<double>(k + 1) / p;
        out += QByteArray::number(static_cast<qulonglong>(k) + 1) + ',' +
               QByteArray::number(year, 'f', decimals) + ',' + plain(rows[k].Interest).toLatin1() + ',' +
               plain(rows[k].Balance).toLatin1() + '\n';
    }
    return out;
}

void saveBytes(const QByteArray &bytes, const QString &fileName)
{
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw ReportOutputError(
            QStringLiteral("Cannot create \"%1\": %2").arg(native(fileName), file.errorString()));
    if (!file.write(bytes) || !file.commit())
        throw ReportOutputError(
            QStringLiteral("Cannot write \"%1\": %2").arg(native(fileName), file.errorString()));
}

} // namespace accrua::reports
