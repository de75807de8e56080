#include "pdf.h"

#include <QProcess>

#include <stdexcept>

namespace accrua::testsupport {

namespace {

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForStarted(30000))
        throw std::runtime_error(tool.toStdString() + " cannot be started (poppler-utils not installed?)");
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw std::runtime_error(tool.toStdString() + " failed on " + arguments.last().toStdString() + ": " +
                                 process.readAllStandardError().toStdString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString pdfText(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QStringList pdfPageTexts(const QString &pdf)
{
    QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

int pdfPageCount(const QString &pdf)
{
    for (const QString &line : run(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    throw std::runtime_error("pdfinfo gave no page count for " + pdf.toStdString());
}

} // namespace accrua::testsupport
