#include "reports/banded/reportoutput.h"

#include "engine/pdf/document.h"
#include "fileio/safefile.h"
#include "reports/banded/reportsform.h"

#include <QCoreApplication>
#include <QDir>

#include <functional>

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

// Why a document was not made, as a file's error; Missing and Play name the page.
[[noreturn]] void throwFor(const eng::PlaybackFailure &failure)
{
    if (failure.kind == eng::PlaybackFailure::Kind::Missing && failure.page == 0)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "There are no pages to write."));
    if (failure.kind == eng::PlaybackFailure::Kind::Missing)
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Page %1 is missing.").arg(failure.page));
    throw ReportOutputError(
        QCoreApplication::translate("accrua::reports::banded", "Page %1 cannot be drawn: %2")
            .arg(failure.page)
            .arg(failure.detail));
}

// Every write is checked and flushed before the rename: a full disk leaves
// the old file, and a device or FIFO at the path is not replaced.
void saveThrough(const QString &fileName, const std::function<bool(QIODevice &)> &write)
{
    fileio::SafeFile file(fileName);
    if (!file.open())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot create \"%1\": %2")
                .arg(native(fileName), file.errorString()));
    if (!write(file.device()) || !file.commit())
        throw ReportOutputError(
            QCoreApplication::translate("accrua::reports::banded", "Cannot write \"%1\": %2")
                .arg(native(fileName), file.errorString()));
}

} // namespace

bool writePdf(const eng::TRptPageList &pages, QIODevice &device, const QString &title)
{
    const int count = pages.pageCount();
    if (count == 0)
        throwFor(eng::PlaybackFailure{eng::PlaybackFailure::Kind::Missing, 0, {}});
    const auto failure = engine::pdf::writeDocument(
        engine::pdf::allPages(count), [&pages](int n) { return pages.GetPage(n); }, device, title);
    if (!failure)
        return true;
    if (failure->kind != eng::PlaybackFailure::Kind::End)
        throwFor(*failure);
    return false;
}

void savePdf(const eng::TRptPageList &pages, const QString &fileName, const QString &title)
{
    saveThrough(fileName, [&](QIODevice &device) { return writePdf(pages, device, title); });
}

void generatePdf(eng::Report &report, const QString &fileName)
{
    engine::pdf::StreamedDocument document(report.title);
    eng::ReportGenerator::generateEach(report,
                                       [&document](const QByteArray &page, int) { document.add(page); });
    saveThrough(fileName, [&](QIODevice &device) {
        const auto failure = document.finish(device);
        if (failure && failure->kind != eng::PlaybackFailure::Kind::End)
            throwFor(*failure);
        return !failure;
    });
}

} // namespace accrua::reports::banded
