#include "cli/pagescommand.h"

#include "engine/emf/emf.h"
#include "engine/pagefile/pagelist.h"
#include "engine/pdf/document.h"
#include "fileio/safefile.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cmath>

namespace accrua::cli {

using engine::emf::EmfPlayer;
using engine::pagefile::PageFileError;
using engine::pagefile::TRptPageList;

namespace {

constexpr int DefaultDpi = 96;
constexpr int MinDpi = 10;
constexpr int MaxDpi = 600;
// Letter at 600 dpi is about 34 million pixels; a page header asking for far
// more than that is not a report page.
constexpr double MaxImagePixels = 40e6;

struct Failure {
    int status;
    QString text;
};

[[noreturn]] void usage(const QString &text)
{
    throw Failure{2, text};
}

[[noreturn]] void failed(const QString &text)
{
    throw Failure{1, text};
}

int report(const Failure &f, QTextStream &err)
{
    err << "accrua-cli: " << f.text << '\n';
    if (f.status == 2)
        err << "(see accrua-cli --help)\n";
    err.flush();
    return f.status;
}

void load(TRptPageList &list, const QString &file)
{
    try {
        list.LoadFromFile(file);
    } catch (const PageFileError &e) {
        failed(e.message());
    }
}

QByteArray page(const TRptPageList &list, int n)
{
    try {
        std::optional<QByteArray> bytes = list.GetPage(n);
        if (!bytes)
            failed(QStringLiteral("page %1 is missing").arg(n));
        return *std::move(bytes);
    } catch (const PageFileError &e) {
        failed(e.message());
    }
}

QString writtenText(double days)
{
    // Informative only, and from a file: show the number when it is no date.
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return QString::number(days, 'g', 17);
    const double whole = std::floor(days);
    const qint64 msecs = qRound64((days - whole) * 86400000.0);
    const QDateTime when =
        QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(msecs);
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString rectText(const QRect &r)
{
    return QStringLiteral("(%1,%2)-(%3,%4)").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

int listPages(const QStringList &args, QTextStream &out)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        usage(QStringLiteral("pages takes one report page file: accrua-cli pages FILE"));
    const QString &file = args.first();
    TRptPageList list;
    load(list, file);
    const engine::pagefile::PageFileHeader header = list.header();
    out << "File: " << QDir::toNativeSeparators(file) << '\n'
        << "Format number: " << header.format << '\n'
        << "Writer version: " << header.writerVersion << '\n'
        << "Pages: " << header.pageCount << '\n'
        << "Coded bodies: " << (header.coded ? "yes" : "no") << '\n'
        << "Written: " << writtenText(header.writtenAt) << '\n';
    std::vector<engine::pagefile::PageRecordInfo> records;
    try {
        records = list.records();
    } catch (const PageFileError &e) {
        failed(e.message());
    }
    if (!records.empty())
        out << "Page  Offset  Next offset  Body bytes  Metafile bytes  Bounds\n";
    for (const engine::pagefile::PageRecordInfo &r : records) {
        const QByteArray emf = page(list, r.number);
        QString why;
        const std::optional<engine::emf::EmfInfo> info = EmfPlayer::inspect(emf, &why);
        if (!info) {
            out.flush();
            failed(QStringLiteral("\"%1\": page %2 is not a readable metafile: %3")
                       .arg(QDir::toNativeSeparators(file))
                       .arg(r.number)
                       .arg(why));
        }
        out << QStringLiteral("%1  %2  %3  %4  %5  %6\n")
                   .arg(r.number, 4)
                   .arg(r.offset, 6)
                   .arg(r.nextOffset, 11)
                   .arg(r.bodySize, 10)
                   .arg(emf.size(), 14)
                   .arg(rectText(info->bounds));
    }
    return 0;
}

struct RenderOptions {
    QString file;
    QString pdf;
    QString pngDir;
    int dpi = DefaultDpi;
};

RenderOptions parseRender(const QStringList &args)
{
    RenderOptions o;
    bool dpiGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                usage(QStringLiteral("%1 needs a value").arg(a));
            return args[++i];
        };
        if (a == QLatin1String("--pdf")) {
            if (!o.pdf.isEmpty())
                usage(QStringLiteral("--pdf given twice"));
            o.pdf = value();
        } else if (a == QLatin1String("--png")) {
            if (!o.pngDir.isEmpty())
                usage(QStringLiteral("--png given twice"));
            o.pngDir = value();
        } else if (a == QLatin1String("--dpi")) {
            bool ok = false;
            const QString text = value();
            o.dpi = text.toInt(&ok);
            if (!ok || o.dpi < MinDpi || o.dpi > MaxDpi)
                usage(QStringLiteral("--dpi takes a whole number from %1 to %2, not '%3'")
                          .arg(MinDpi)
                          .arg(MaxDpi)
                          .arg(text));
            dpiGiven = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            usage(QStringLiteral("render: unknown option '%1'").arg(a));
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            usage(QStringLiteral("render takes one report page file"));
        }
    }
    if (o.file.isEmpty())
        usage(QStringLiteral("render needs a report page file: accrua-cli render FILE "
                             "(--pdf OUT.pdf | --png DIR [--dpi N])"));
    if (o.pdf.isEmpty() == o.pngDir.isEmpty())
        usage(QStringLiteral("render needs exactly one of --pdf OUT.pdf and --png DIR"));
    if (dpiGiven && o.pngDir.isEmpty())
        usage(QStringLiteral("--dpi applies to --png only"));
    return o;
}

// An output may not be the report it is drawn from, nor anything but a
// regular file: a device or FIFO in its place is left alone.
void checkOutput(const QString &output, const RenderOptions &o)
{
    if (fileio::sameFile(output, o.file))
        usage(QStringLiteral("Cannot write \"%1\": it is the report page file being read")
                  .arg(QDir::toNativeSeparators(output)));
    if (const std::optional<QString> why = fileio::checkOutputTarget(output))
        failed(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(output), *why));
}

// Opens an output that replaces its target only once complete.
void openOutput(fileio::SafeFile &file, const RenderOptions &o)
{
    checkOutput(file.fileName(), o);
    if (!file.open())
        failed(QStringLiteral("Cannot create \"%1\": %2")
                   .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

void commitOutput(fileio::SafeFile &file)
{
    if (!file.commit())
        failed(QStringLiteral("Cannot write \"%1\": %2")
                   .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

void play(const QByteArray &emf, QPainter &painter, const QRectF &target, const RenderOptions &o, int n)
{
    QString why;
    if (!EmfPlayer::play(emf, painter, target, &why))
        failed(QStringLiteral("\"%1\": page %2 cannot be drawn: %3")
                   .arg(QDir::toNativeSeparators(o.file))
                   .arg(n)
                   .arg(why));
}

void drawPdf(QIODevice &device, const TRptPageList &list, const RenderOptions &o)
{
    const auto failure = engine::pdf::writeDocument(
        engine::pdf::allPages(list.pageCount()), [&](int n) { return std::optional(page(list, n)); }, device,
        QFileInfo(o.file).fileName());
    if (failure && failure->kind == engine::emf::PlaybackFailure::Kind::Play)
        failed(QStringLiteral("\"%1\": page %2 cannot be drawn: %3")
                   .arg(QDir::toNativeSeparators(o.file))
                   .arg(failure->page)
                   .arg(failure->detail));
    if (failure)
        failed(QStringLiteral("Cannot write \"%1\"").arg(QDir::toNativeSeparators(o.pdf)));
}

int renderPdf(const TRptPageList &list, const RenderOptions &o, QTextStream &out, QTextStream &err)
{
    const int count = list.pageCount();
    if (count == 0) {
        (o.pdf == QLatin1String("-") ? err : out)
            << "No pages to render; " << QDir::toNativeSeparators(o.pdf) << " not written\n";
        return 0;
    }
    if (o.pdf == QLatin1String("-")) {
        // Standard output: the whole PDF is made first, so that a damaged
        // page sends nothing, then written in one checked piece.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        drawPdf(buffer, list, o);
        out.flush();
        QIODevice *device = out.device();
        if (!device || device->write(buffer.data()) != buffer.size())
            failed(QStringLiteral("Cannot write the PDF to standard output"));
        err << "Rendered " << count << (count == 1 ? " page" : " pages") << " to standard output\n";
        return 0;
    }
    // Written beside the target and renamed when complete, so a damaged page
    // or a full disk leaves no half PDF behind.
    fileio::SafeFile file(o.pdf);
    openOutput(file, o);
    drawPdf(file.device(), list, o);
    commitOutput(file);
    out << "Rendered " << count << (count == 1 ? " page to " : " pages to ")
        << QDir::toNativeSeparators(o.pdf) << '\n';
    return 0;
}

int renderPng(const TRptPageList &list, const RenderOptions &o, QTextStream &out)
{
    const int count = list.pageCount();
    QDir dir(o.pngDir);
    if (fileio::sameFile(o.pngDir, o.file))
        usage(QStringLiteral("Cannot write into \"%1\": it is the report page file being read")
                  .arg(QDir::toNativeSeparators(o.pngDir)));
    if (!dir.mkpath(QStringLiteral(".")))
        failed(QStringLiteral("Cannot create the folder \"%1\"").arg(QDir::toNativeSeparators(o.pngDir)));
    for (int n = 1; n <= count; ++n) {
        const QByteArray emf = page(list, n);
        const QSizeF pagePixels = EmfPlayer::pageSize(emf).value_or(engine::emf::kLetterPage);
        const double w = std::ceil(pagePixels.width() * o.dpi / 96.0);
        const double h = std::ceil(pagePixels.height() * o.dpi / 96.0);
        if (w < 1 || h < 1 || w * h > MaxImagePixels)
            failed(QStringLiteral("\"%1\": page %2 would need a %3 x %4 image at %5 dpi")
                       .arg(QDir::toNativeSeparators(o.file))
                       .arg(n)
                       .arg(w)
                       .arg(h)
                       .arg(o.dpi));
        QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            failed(QStringLiteral("no memory for a %1 x %2 image of page %3").arg(w).arg(h).arg(n));
        image.setDotsPerMeterX(qRound(o.dpi / 0.0254));
        image.setDotsPerMeterY(qRound(o.dpi / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            play(emf, painter, QRectF(0, 0, w, h), o, n);
        }
        const QString name = dir.filePath(QStringLiteral("page-%1.png").arg(n, 4, 10, QLatin1Char('0')));
        fileio::SafeFile file(name);
        openOutput(file, o);
        QImageWriter writer(&file.device(), "png");
        if (!writer.write(image))
            failed(QStringLiteral("Cannot write \"%1\": %2")
                       .arg(QDir::toNativeSeparators(name), file.errorString()));
        commitOutput(file);
    }
    out << "Rendered " << count << (count == 1 ? " page to " : " pages to ")
        << QDir::toNativeSeparators(o.pngDir) << '\n';
    return 0;
}

} // namespace

int runPagesCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    try {
        return listPages(args, out);
    } catch (const Failure &f) {
        out.flush();
        return report(f, err);
    }
}

int runRenderCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    try {
        const RenderOptions o = parseRender(args);
        TRptPageList list;
        load(list, o.file);
        return o.pdf.isEmpty() ? renderPng(list, o, out) : renderPdf(list, o, out, err);
    } catch (const Failure &f) {
        out.flush();
        return report(f, err);
    }
}

} // namespace accrua::cli
