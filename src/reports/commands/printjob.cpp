#include "reports/commands/printjob.h"

#include "engine/view/printing.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace accrua::reports::commands {

ReportPrintError::ReportPrintError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString ReportPrintError::message() const
{
    return QString::fromUtf8(what());
}

PrintChoice printChoiceOf(const QPrinter &printer)
{
    PrintChoice choice;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        choice.first = printer.fromPage();
        choice.last = std::max(printer.toPage(), printer.fromPage());
    }
    choice.copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    choice.collate = printer.collateCopies();
    return choice;
}

std::optional<QString> damagedPages(const eng::TRptPageList &pages, const QString &fileName)
{
    const std::optional<engine::view::PageFault> bad = engine::view::firstBadPage(pages);
    if (!bad)
        return std::nullopt;
    return QStringLiteral("\"%1\" is damaged and cannot be opened: page %2 of %3 cannot be read (%4).")
        .arg(QDir::toNativeSeparators(fileName))
        .arg(bad->page)
        .arg(pages.pageCount())
        .arg(bad->why);
}

void requirePrinter(const QPrinter &printer)
{
    // Without any printer installed Qt offers a PDF printer with no file:
    // that is no printer the user chose.
    if ((printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) ||
        (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid()))
        throw ReportPrintError(QStringLiteral("There is no printer to print on."));
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

} // namespace

void printPages(const eng::TRptPageList &pages, QPrinter &printer, const PrintChoice &choice,
                const QString &documentName)
{
    requirePrinter(printer);
    const int count = pages.pageCount();
    const int first = std::max(choice.first, 1);
    const int last = choice.last <= 0 ? count : std::min(choice.last, count);
    if (count == 0 || first > last)
        throw ReportPrintError(QStringLiteral("There are no pages to print."));

    // The order the pages come out in: collated copies repeat the range,
    // uncollated ones repeat each page.
    std::vector<int> order;
    const int copies = std::max(choice.copies, 1);
    for (int c = 0; c < (choice.collate ? copies : 1); ++c)
        for (int n = first; n <= last; ++n)
            for (int k = 0; k < (choice.collate ? 1 : copies); ++k)
                order.push_back(n);

    auto page = [&](int n) {
        try {
            std::optional<QByteArray> body = pages.GetPage(n);
            if (!body)
                throw ReportPrintError(QStringLiteral("Page %1 is missing.").arg(n));
            return *std::move(body);
        } catch (const ReportPrintError &) {
            throw;
        } catch (const std::exception &e) {
            throw ReportPrintError(QString::fromUtf8(e.what()));
        }
    };

    // Every page is played once before the printer is touched: a page that
    // would fail half way sends nothing, not a blank sheet.
    if (const std::optional<engine::view::PageFault> bad = engine::view::firstBadPage(pages, first, last))
        throw ReportPrintError(QStringLiteral("Page %1 cannot be printed: %2").arg(bad->page).arg(bad->why));
    QByteArray body = page(order.front());
    printer.setFullPage(true);
    printer.setPageLayout(layoutFor(eng::pageSizeOf(body)));
    if (!documentName.isEmpty())
        printer.setDocName(documentName);
    // Every page of the job is played once per entry of `order`: the range is
    // ours to apply, not the printer's.
    printer.setPrintRange(QPrinter::AllPages);
    if (choice.copies > 1)
        printer.setCopyCount(1);

    QPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw ReportPrintError(QStringLiteral("Cannot write \"%1\".").arg(printer.outputFileName()));
        throw ReportPrintError(
            QStringLiteral("The printer \"%1\" cannot be used.").arg(printer.printerName()));
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k > 0) {
            if (order[k] != order[k - 1])
                body = page(order[k]);
            printer.setPageLayout(layoutFor(eng::pageSizeOf(body)));
            if (!printer.newPage()) {
                painter.end();
                throw ReportPrintError(QStringLiteral("The printer stopped before page %1.").arg(order[k]));
            }
        }
        const QRectF target = printer.paperRect(QPrinter::DevicePixel);
        QString error;
        if (!eng::EmfPlayer::play(body, painter, QRectF(QPointF(0, 0), target.size()), &error)) {
            painter.end();
            throw ReportPrintError(QStringLiteral("Page %1 cannot be printed: %2").arg(order[k]).arg(error));
        }
    }
    if (!painter.end())
        throw ReportPrintError(QStringLiteral("Printing did not complete."));
}

} // namespace accrua::reports::commands
