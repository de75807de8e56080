#include "engine/pdf/document.h"

#include "engine/emf/emfplayer.h"
#include "engine/emf/pagesize.h"
#include "engine/pdf/pdfwriter.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace accrua::engine::pdf {

namespace {

QPageLayout layoutFor(QSizeF pagePixels)
{
    const QSizeF inches(pagePixels.width() / 96.0, pagePixels.height() / 96.0);
    const bool landscape = inches.width() > inches.height();
    const QPageSize size(landscape ? inches.transposed() : inches, QPageSize::Inch, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

} // namespace

PageError::PageError(int page, const QString &why)
    : std::runtime_error(QStringLiteral("Page %1 cannot be drawn: %2").arg(page).arg(why).toStdString()),
      m_page(page), m_why(why)
{
}

QString PageError::message() const
{
    return QString::fromUtf8(what());
}

bool writeDocument(int count, const std::function<QByteArray(int)> &page, QIODevice &device,
                   const QString &title)
{
    PdfWriter writer(title);
    for (int n = 1; n <= count; ++n) {
        QString why;
        const PlayResult r = writer.addPage(page(n), &why);
        if (r == PlayResult::Damaged)
            throw PageError(n, why);
        if (r == PlayResult::Unsupported)
            return writeDocumentThroughQt(count, page, device, title);
    }
    return writeAll(device, writer.finish());
}

bool writeDocumentThroughQt(int count, const std::function<QByteArray(int)> &page, QIODevice &device,
                            const QString &title)
{
    // Made whole in memory first, so that a damaged page writes nothing.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QByteArray body = page(1);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Accrua"));
        writer.setTitle(title);
        writer.setResolution(1200);
        writer.setPageLayout(layoutFor(emf::pageSizeOf(body)));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        for (int n = 1; n <= count; ++n) {
            if (n > 1) {
                body = page(n);
                writer.setPageLayout(layoutFor(emf::pageSizeOf(body)));
                if (!writer.newPage())
                    return false;
            }
            const QRectF target = writer.pageLayout().fullRectPixels(writer.resolution());
            QString why;
            if (!emf::EmfPlayer::play(body, painter, QRectF(QPointF(0, 0), target.size()), &why))
                throw PageError(n, why);
        }
        if (!painter.end())
            return false;
    }
    return writeAll(device, buffer.data());
}

} // namespace accrua::engine::pdf
