#include "reports/commands/printjob.h"

#include "engine/emf/pageplayback.h"
#include "engine/pdf/document.h"
#include "fileio/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>

#include <algorithm>
#include <numeric>
#include <vector>

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
    std::vector<int> every(static_cast<std::size_t>(std::max(pages.pageCount(), 0)));
    std::iota(every.begin(), every.end(), 1);
    const auto bad = eng::firstBadPage(every, [&pages](int n) { return pages.GetPage(n); });
    if (!bad)
        return std::nullopt;
    const QString why = bad->kind == eng::PlaybackFailure::Kind::Missing
                            ? QCoreApplication::translate("accrua::reports::commands", "it is missing")
                            : bad->detail;
    return QCoreApplication::translate(
               "accrua::reports::commands",
               "\"%1\" is damaged and cannot be opened: page %2 of %3 cannot be read (%4).")
        .arg(QDir::toNativeSeparators(fileName))
        .arg(bad->page)
        .arg(pages.pageCount())
        .arg(why);
}

bool printerChosen(const ChosenPrinter &chosen, const QStringList &installedPrinters)
{
    // Without any printer installed Qt offers a PDF printer with no file:
    // that is no printer the user chose. A printer of the system must still
    // be installed when the job starts.
    return chosen.toFile ? !chosen.outputFile.isEmpty()
                         : !chosen.printerName.isEmpty() && installedPrinters.contains(chosen.printerName);
}

void requirePrinter(const QPrinter &printer, const QStringList &installedPrinters)
{
    const ChosenPrinter chosen{printer.outputFormat() == QPrinter::PdfFormat, printer.outputFileName(),
                               printer.printerName()};
    if (!printerChosen(chosen, installedPrinters))
        throw ReportPrintError(
            QCoreApplication::translate("accrua::reports::commands", "There is no printer to print on."));
}

void printPages(const eng::TRptPageList &pages, QPrinter &printer, const PrintChoice &choice,
                const QString &documentName, const QStringList &installedPrinters)
{
    requirePrinter(printer, installedPrinters);
    const int count = pages.pageCount();
    const int first = std::max(choice.first, 1);
    const int last = choice.last <= 0 ? count : std::min(choice.last, count);
    if (count == 0 || first > last)
        throw ReportPrintError(
            QCoreApplication::translate("accrua::reports::commands", "There are no pages to print."));

    // The order the pages come out in: collated copies repeat the range,
    // uncollated ones repeat each page.
    std::vector<int> order;
    const int copies = std::max(choice.copies, 1);
    for (int c = 0; c < (choice.collate ? copies : 1); ++c)
        for (int n = first; n <= last; ++n)
            for (int k = 0; k < (choice.collate ? 1 : copies); ++k)
                order.push_back(n);

    const auto page = [&pages](int n) -> std::optional<QByteArray> {
        try {
            return pages.GetPage(n);
        } catch (const std::exception &e) {
            throw ReportPrintError(QString::fromUtf8(e.what()));
        }
    };

    using Kind = eng::PlaybackFailure::Kind;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // A PDF file chosen in the print dialog is written straight from the
        // pages, whole or not at all.
        const QString fileName = printer.outputFileName();
        fileio::SafeFile file(fileName);
        const auto failure = file.open()
                                 ? engine::pdf::writeDocument(order, page, file.device(), documentName)
                                 : eng::PlaybackFailure{Kind::Begin, 0, {}};
        if (failure && failure->kind == Kind::Missing)
            throw ReportPrintError(
                QCoreApplication::translate("accrua::reports::commands", "Page %1 is missing.")
                    .arg(failure->page));
        if (failure && failure->kind == Kind::Play)
            throw ReportPrintError(
                QCoreApplication::translate("accrua::reports::commands", "Page %1 cannot be printed: %2")
                    .arg(failure->page)
                    .arg(failure->detail));
        if (failure || !file.commit())
            throw ReportPrintError(
                QCoreApplication::translate("accrua::reports::commands", "Cannot write \"%1\".")
                    .arg(fileName));
        return;
    }

    printer.setFullPage(true);
    if (!documentName.isEmpty())
        printer.setDocName(documentName);
    // Every page of the job is played once per entry of `order`: the range is
    // ours to apply, not the printer's.
    printer.setPrintRange(QPrinter::AllPages);
    if (choice.copies > 1)
        printer.setCopyCount(1);

    const auto failure =
        eng::playPages(printer, order, page, [&printer] { return printer.paperRect(QPrinter::DevicePixel); });
    if (!failure)
        return;
    switch (failure->kind) {
    case Kind::Missing:
        throw ReportPrintError(QCoreApplication::translate("accrua::reports::commands", "Page %1 is missing.")
                                   .arg(failure->page));
    case Kind::Begin:
        if (printer.outputFormat() == QPrinter::PdfFormat)
            throw ReportPrintError(
                QCoreApplication::translate("accrua::reports::commands", "Cannot write \"%1\".")
                    .arg(printer.outputFileName()));
        throw ReportPrintError(
            QCoreApplication::translate("accrua::reports::commands", "The printer \"%1\" cannot be used.")
                .arg(printer.printerName()));
    case Kind::NewPage:
        throw ReportPrintError(
            QCoreApplication::translate("accrua::reports::commands", "The printer stopped before page %1.")
                .arg(failure->page));
    case Kind::Play:
        throw ReportPrintError(
            QCoreApplication::translate("accrua::reports::commands", "Page %1 cannot be printed: %2")
                .arg(failure->page)
                .arg(failure->detail));
    case Kind::End:
        break;
    }
    throw ReportPrintError(
        QCoreApplication::translate("accrua::reports::commands", "Printing did not complete."));
}

} // namespace accrua::reports::commands
