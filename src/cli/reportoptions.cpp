// The report output options of the calculation commands, read without
// drawing anything: the calculation-only accrua-cli reads them too.
#include "cli/reportoptions.h"

namespace accrua::cli {

namespace {

const QString kPdf = QStringLiteral("pdf");
const QString kArp = QStringLiteral("arp");
const QString kCsv = QStringLiteral("csv");
const QString kClassic = QStringLiteral("classic");
const QString kOrigination = QStringLiteral("origination");
const QString kPurpose = QStringLiteral("purpose");

QString fileOption(const Options &o, const QString &name)
{
    if (!o.has(name))
        return {};
    QString value = o.value(name);
    if (value.isEmpty())
        throw UsageError{QStringLiteral("--%1 needs a file name").arg(name)};
    return value;
}

} // namespace

QStringList reportOptionNames(ReportPage page)
{
    QStringList names{kPdf, kArp, kCsv, kClassic};
    if (page == ReportPage::Loan)
        names << kOrigination << kPurpose;
    return names;
}

ReportOutputs reportOutputs(const Options &o, ReportPage page)
{
    ReportOutputs r;
    r.pdf = fileOption(o, kPdf);
    r.arp = fileOption(o, kArp);
    r.csv = fileOption(o, kCsv);
    r.classic = fileOption(o, kClassic);
    if (r.csvToStdout() && o.has(QStringLiteral("json")))
        throw UsageError{QStringLiteral("--csv - and --json both want standard output")};
    if (r.classicToStdout() && (o.has(QStringLiteral("json")) || r.csvToStdout()))
        throw UsageError{QStringLiteral("--classic - wants standard output, as --json and --csv - do")};
    if (page == ReportPage::Loan && o.has(kOrigination)) {
        r.origination = QDate::fromString(o.value(kOrigination), Qt::ISODate);
        if (!r.origination.isValid())
            throw UsageError{QStringLiteral("--origination takes a date like 2026-02-12, not '%1'")
                                 .arg(o.value(kOrigination))};
    }
    if (page == ReportPage::Loan && o.has(kPurpose)) {
        r.purpose = o.value(kPurpose);
        r.hasPurpose = true;
    }
    return r;
}

} // namespace accrua::cli
