#include "reports/banded/reportoutput.h"

#include "engine/pdf/document.h"
#include "fileio/safefile.h"
#include "reports/banded/reportsform.h"

#include <QCoreApplication>
#include <QDir>

namespace accrua::reports::banded {

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

QString native(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

bool writePdf(const eng::TRptPageList &pages, QIODevice &device, const QString &title)
{
    const int count = pages.pageCount();
    if (count == 0)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "There are no pages to write."));
    const auto failure = engine::pdf::writeDocument(
        engine::pdf::allPages(count), [&pages](int n) { return pages.GetPage(n); }, device, title);
    if (!failure)
        return true;
    if (failure->kind == eng::PlaybackFailure::Kind::Missing)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Page %1 is missing.").arg(failure->page));
    if (failure->kind == eng::PlaybackFailure::Kind::Play)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Page %1 cannot be drawn: %2")
                .arg(failure->page)
                .arg(failure->detail));
    return false;
}

void savePdf(const eng::TRptPageList &pages, const QString &fileName, const QString &title)
{
    // Every write is checked and flushed before the rename: a full disk
    // leaves the old file, and a device or FIFO at the path is not replaced.
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot create \"%1\": %2")
                .arg(native(fileName), file.errorString()));
    if (!writePdf(pages, file.device(), title) || !file.commit())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot write \"%1\": %2")
                .arg(native(fileName), file.errorString()));
}

} // namespace accrua::reports::banded
