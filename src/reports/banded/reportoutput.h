// Turning a report into files without a window: generate its pages on the
// calling thread, then write them as a report page file or as a PDF through
// the same metafile playback the printer uses (text stays text). Every file
// is written to a temporary file and renamed over the target only when
// complete.
#pragma once

#include "reports/banded/enginenames.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <stdexcept>

class QIODevice;

namespace accrua::reports::banded {

// A file that could not be written; the text names it and says why.
class ReportOutputError : public std::runtime_error {
public:
    explicit ReportOutputError(const QString &message);
    QString message() const;
};

// A fresh, finished page list of the report. Throws engine GenerationError.
std::unique_ptr<eng::TRptPageList> generatePages(eng::Report &report);

// The pages as PDF onto an open device; false when the device failed.
bool writePdf(const eng::TRptPageList &pages, QIODevice &device, const QString &title);
// Throws ReportOutputError (the target is left as it was).
void savePdf(const eng::TRptPageList &pages, const QString &fileName, const QString &title);
// The report generated straight into a PDF file, its pages played as they
// are made and kept nowhere. Throws engine GenerationError when the report
// cannot be made (nothing is written) and ReportOutputError otherwise.
void generatePdf(eng::Report &report, const QString &fileName);

} // namespace accrua::reports::banded
