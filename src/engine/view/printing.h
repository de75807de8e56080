// Printing the held pages of a page list: on a printer chosen by index or by
// name from the system's list, or into a PDF file. Pages are played from
// their metafiles onto the printer's full paper, so print, PDF and screen
// show the same layout.
#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <stdexcept>

class QPrinter;

namespace accrua::engine::layout {
class Report;
}
namespace accrua::engine::pagefile {
class TRptPageList;
}

namespace accrua::engine::view {

class PrintError : public std::runtime_error {
public:
    explicit PrintError(const QString &message);
    QString message() const;
};

// A page that cannot be shown or printed, and why.
struct PageFault {
    int page = 0;
    QString why;
};

// Plays pages first..last (last 0: the last page) without drawing them; the
// first that does not play whole, or nothing when all do. A damaged file is
// refused by this before any of it is shown or sent to a printer.
std::optional<PageFault> firstBadPage(const pagefile::TRptPageList &pages, int first = 1, int last = 0);

class PagePrinter {
public:
    // `installedPrinters` lists the printers the index refers to; none: the
    // system's (tests name their own, so no machine's printers matter).
    explicit PagePrinter(std::function<QStringList()> installedPrinters = {});

    // Installed printers, in the order the index refers to.
    QStringList printerNames() const;
    static QStringList systemPrinterNames();

    // Chooses the printer for print(); false (selection unchanged) when there
    // is no such entry. Index -1 means the system's default printer.
    bool selectPrinter(int index);
    bool selectPrinter(const QString &name);
    int printerIndex() const { return m_index; }
    QString printerName() const { return m_name; }

    QString documentName; // shown in the print queue

    // Pages first..last (1-based, inclusive; last 0 means the last page),
    // clamped to the pages the list holds. Throws PrintError.
    void print(const pagefile::TRptPageList &pages, int first = 1, int last = 0) const;
    void printToPdf(const pagefile::TRptPageList &pages, const QString &fileName, int first = 1,
                    int last = 0) const;
    // Onto a printer the caller has set up (a print dialog's, for instance).
    static void printOn(const pagefile::TRptPageList &pages, QPrinter &printer, int first = 1, int last = 0,
                        const QString &documentName = {});

    // Generates the report on the calling thread into pages of its own,
    // prints them and releases them, then runs the report's after-print
    // event. The event runs also when generation or printing failed, so a
    // report form that releases itself there is never left behind; the
    // failure is then rethrown (GenerationError or PrintError).
    void printReport(layout::Report &report, int first = 1, int last = 0) const;
    static void printReportOn(layout::Report &report, QPrinter &printer, int first = 1, int last = 0);

private:
    std::function<QStringList()> m_installedPrinters;
    int m_index = -1;
    QString m_name;
};

} // namespace accrua::engine::view
