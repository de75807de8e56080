// The report output options of the calculation commands, read without
// drawing anything: the calculation-only accrua-cli reads them too.
#include "cli/reportoptions.h"

#include "fileio/safefile.h"

#include <QDir>

#include <utility>
#include <vector>

namespace accrua::cli {

namespace {

const QString &kPdf = kPdfOutput;
const QString &kArp = kArpOutput;
const QString &kCsv = kCsvOutput;
const QString &kClassic = kClassicOutput;
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

// The outputs that go to files, by option name.
std::vector<std::pair<QString, QString>> fileOutputs(const ReportOutputs &r)
{
    std::vector<std::pair<QString, QString>> files;
    for (const auto &[name, file] : {std::pair{kPdf, r.pdf}, std::pair{kArp, r.arp}, std::pair{kCsv, r.csv},
                                     std::pair{kClassic, r.classic}}) {
        if (!file.isEmpty() && file != QLatin1String("-"))
            files.emplace_back(name, file);
    }
    return files;
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
    // Only the output written last would be left.
    const auto files = fileOutputs(r);
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (fileio::sameFile(files[i].second, files[j].second))
                throw UsageError{
                    QStringLiteral("--%1 and --%2 both name \"%3\"")
                        .arg(files[i].first, files[j].first, QDir::toNativeSeparators(files[j].second))};
        }
    }
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

void refuseOutputsOverInputs(const ReportOutputs &outputs, const std::vector<ReadFile> &inputs)
{
    for (const auto &[option, file] : fileOutputs(outputs)) {
        for (const ReadFile &input : inputs) {
            if (!input.path.isEmpty() && fileio::sameFile(file, input.path))
                throw UsageError{QStringLiteral("--%1 names %2, \"%3\"")
                                     .arg(option, input.what, QDir::toNativeSeparators(file))};
        }
    }
}

} // namespace accrua::cli
