#include "engine/view/printing.h"

#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"
#include "engine/layout/generator.h"
#include "engine/pagefile/pagelist.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <exception>

namespace accrua::engine::view {

PrintError::PrintError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString PrintError::message() const
{
    return QString::fromUtf8(what());
}

std::optional<PageFault> firstBadPage(const pagefile::TRptPageList &pages, int first, int last)
{
    const int count = pages.pageCount();
    last = last <= 0 ? count : std::min(last, count);
    for (int n = std::max(first, 1); n <= last; ++n) {
        QString why;
        try {
            const std::optional<QByteArray> body = pages.GetPage(n);
            if (!body)
                return PageFault{n, QStringLiteral("the page is missing")};
            if (!emf::EmfPlayer::check(*body, &why))
                return PageFault{n, why};
        } catch (const std::exception &e) {
            return PageFault{n, QString::fromUtf8(e.what())};
        }
    }
    return std::nullopt;
}

PagePrinter::PagePrinter(std::function<QStringList()> installedPrinters)
    : m_installedPrinters(installedPrinters ? std::move(installedPrinters) : systemPrinterNames)
{
}

QStringList PagePrinter::systemPrinterNames()
{
    return QPrinterInfo::availablePrinterNames();
}

QStringList PagePrinter::printerNames() const
{
    return m_installedPrinters();
}

bool PagePrinter::selectPrinter(int index)
{
    if (index == -1) {
        m_index = -1;
        m_name.clear();
        return true;
    }
    const QStringList names = printerNames();
    if (index < 0 || index >= names.size())
        return false;
    m_index = index;
    m_name = names.at(index);
    return true;
}

bool PagePrinter::selectPrinter(const QString &name)
{
    const int index = static_cast<int>(printerNames().indexOf(name));
    return index >= 0 && selectPrinter(index);
}

void PagePrinter::print(const pagefile::TRptPageList &pages, int first, int last) const
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_name.isEmpty())
        printer.setPrinterName(m_name);
    if (!printer.isValid())
        throw PrintError(QStringLiteral("There is no printer to print on."));
    printOn(pages, printer, first, last, documentName);
}

void PagePrinter::printReport(layout::Report &report, int first, int last) const
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_name.isEmpty())
        printer.setPrinterName(m_name);
    printReportOn(report, printer, first, last);
}

void PagePrinter::printReportOn(layout::Report &report, QPrinter &printer, int first, int last)
{
    std::exception_ptr failure;
    try {
        if (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid())
            throw PrintError(QStringLiteral("There is no printer to print on."));
        pagefile::TRptPageList pages;
        layout::ReportGenerator::generate(report, pages);
        printOn(pages, printer, first, last, report.title);
    } catch (...) {
        failure = std::current_exception();
    }
    // A copy, since the handler may release the report that holds it.
    if (const auto handler = report.afterPrint)
        handler();
    if (failure)
        std::rethrow_exception(failure);
}

void PagePrinter::printToPdf(const pagefile::TRptPageList &pages, const QString &fileName, int first,
                             int last) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printOn(pages, printer, first, last, documentName);
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

void PagePrinter::printOn(const pagefile::TRptPageList &pages, QPrinter &printer, int first, int last,
                          const QString &documentName)
{
    const int count = pages.pageCount();
    first = std::max(first, 1);
    last = last <= 0 ? count : std::min(last, count);
    if (count == 0 || first > last)
        throw PrintError(QStringLiteral("There are no pages to print."));

    auto page = [&](int n) {
        try {
            std::optional<QByteArray> body = pages.GetPage(n);
            if (!body)
                throw PrintError(QStringLiteral("Page %1 is missing.").arg(n));
            return *body;
        } catch (const PrintError &) {
            throw;
        } catch (const std::exception &e) {
            throw PrintError(QString::fromUtf8(e.what()));
        }
    };

    // Every page is played once before the printer is touched: a page that
    // would fail half way sends nothing.
    if (const std::optional<PageFault> bad = firstBadPage(pages, first, last))
        throw PrintError(QStringLiteral("Page %1 cannot be printed: %2").arg(bad->page).arg(bad->why));
    QByteArray body = page(first);
    printer.setFullPage(true);
    printer.setPageLayout(layoutFor(emf::pageSizeOf(body)));
    if (!documentName.isEmpty())
        printer.setDocName(documentName);

    QPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw PrintError(QStringLiteral("Cannot write \"%1\".").arg(printer.outputFileName()));
        throw PrintError(QStringLiteral("The printer \"%1\" cannot be used.").arg(printer.printerName()));
    }
    for (int n = first; n <= last; ++n) {
        if (n > first) {
            body = page(n);
            printer.setPageLayout(layoutFor(emf::pageSizeOf(body)));
            if (!printer.newPage()) {
                painter.end();
                throw PrintError(QStringLiteral("The printer stopped before page %1.").arg(n));
            }
        }
        const QRectF target = printer.paperRect(QPrinter::DevicePixel);
        QString error;
        if (!emf::EmfPlayer::play(body, painter, QRectF(QPointF(0, 0), target.size()), &error)) {
            painter.end();
            throw PrintError(QStringLiteral("Page %1 cannot be printed: %2").arg(n).arg(error));
        }
    }
    if (!painter.end())
        throw PrintError(QStringLiteral("Printing did not complete."));
}

} // namespace accrua::engine::view
