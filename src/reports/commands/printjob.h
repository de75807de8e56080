// Printing a report's pages on the printer the user chose in the print
// dialog: the chosen printer, the chosen page range and the copies.
#pragma once

#include "reports/banded/enginenames.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

class QPrinter;

namespace accrua::reports::commands {

class ReportPrintError : public std::runtime_error {
public:
    explicit ReportPrintError(const QString &message);
    QString message() const;
};

struct PrintChoice {
    int first = 1; // 1-based, inclusive
    int last = 0;  // 0: the last page
    int copies = 1;
    bool collate = true;
};

// The page range and copies a print dialog left on the printer. Copies the
// printer makes itself are not repeated here.
PrintChoice printChoiceOf(const QPrinter &printer);

// What a print dialog left on the printer to print on.
struct ChosenPrinter {
    bool toFile = false; // a PDF file rather than a printer of the system
    QString outputFile;
    QString printerName;
};

// Whether `chosen` is something to print on: a PDF printer with a file, or a
// printer of the system among `installedPrinters` (the print dialog seam's
// list, so tests name their own and the machine's printers never count).
bool printerChosen(const ChosenPrinter &chosen, const QStringList &installedPrinters);

// Throws ReportPrintError when the dialog left no printer to print on (none
// is installed, so Qt offers a PDF printer without a file).
void requirePrinter(const QPrinter &printer, const QStringList &installedPrinters);

// Why pages opened from `fileName` cannot be shown (the first page that does
// not play, named), or nothing when every page plays.
std::optional<QString> damagedPages(const eng::TRptPageList &pages, const QString &fileName);

// Pages first..last of the list, `copies` times unless the printer makes the
// copies itself. Throws ReportPrintError; nothing is printed when the range
// holds no page or a page in it is damaged.
void printPages(const eng::TRptPageList &pages, QPrinter &printer, const PrintChoice &choice,
                const QString &documentName, const QStringList &installedPrinters);

} // namespace accrua::reports::commands
