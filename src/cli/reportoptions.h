// The report outputs of the calculation commands: --pdf and --arp write the
// banded report of the page exactly as the window's Save makes its pages
// (the PDF played from those pages as printing plays them), --csv the
// schedule or savings rows, --classic the classic text report as rich text
// (as the classic window's Save writes it after a preview). For the loan
// reports --origination and --purpose answer the loan information question;
// without them the report uses today and the LOANTYPE setting, as "Use
// Defaults" does.
#pragma once

#include "app/mainmodel.h"
#include "cli/options.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>
#include <vector>

namespace accrua::cli {

enum class ReportPage { Loan, Daily, Savings };

struct ReportOutputs {
    QString pdf;
    QString arp;
    QString csv;     // "-": standard output
    QString classic; // "-": its lines as plain text on standard output
    QDate origination;
    QString purpose;
    bool hasPurpose = false;

    bool any() const { return drawn() || !csv.isEmpty() || !classic.isEmpty(); }
    // The outputs drawn on Qt GUI (accrua-cli-draw); CSV and classic text are not.
    bool drawn() const { return !pdf.isEmpty() || !arp.isEmpty(); }
    bool csvToStdout() const { return csv == QLatin1String("-"); }
    bool classicToStdout() const { return classic == QLatin1String("-"); }
    // An output takes standard output in place of the table.
    bool toStdout() const { return csvToStdout() || classicToStdout(); }
};

// The option names a command of this page takes for its reports.
QStringList reportOptionNames(ReportPage page);
// Reads them; a malformed date, an empty file name, two outputs wanting
// standard output (--csv -, --classic -, --json) or two naming one file is a
// UsageError.
ReportOutputs reportOutputs(const Options &options, ReportPage page);

// A file the command reads, for messages: "the picture", ...
struct ReadFile {
    QString what;
    QString path; // empty: none
};
// A UsageError when an output names one of them: it would be overwritten.
void refuseOutputsOverInputs(const ReportOutputs &outputs, const std::vector<ReadFile> &inputs);

// The outputs by their option names, as the writers report what they wrote.
inline const QString kPdfOutput = QStringLiteral("pdf");
inline const QString kArpOutput = QStringLiteral("arp");
inline const QString kCsvOutput = QStringLiteral("csv");
inline const QString kClassicOutput = QStringLiteral("classic");

// Write the requested outputs from the calculated model: the text ones
// (--csv, --classic; Qt Core, `out` for "-") and the drawn ones (--pdf,
// --arp; Qt GUI, in accrua-cli-draw), each in that order. They return
// nothing, or the message naming the file that could not be written: files
// already written stay, the failed one is left as it was, and the later ones
// are not written. Each output written is added to `written` by its name.
std::optional<QString> writeTextOutputs(const ReportOutputs &outputs, ReportPage page,
                                        const app::MainModel &model, const std::function<QDate()> &today,
                                        QTextStream &out, QStringList *written = nullptr);
std::optional<QString> writeDrawnOutputs(const ReportOutputs &outputs, ReportPage page,
                                         const app::MainModel &model, const std::function<QDate()> &today,
                                         QStringList *written = nullptr);

} // namespace accrua::cli
