#include "engine/pdf/document.h"

#include "engine/pdf/pdfwriter.h"

#include <QBuffer>
#include <QPdfWriter>

#include <numeric>

namespace accrua::engine::pdf {

namespace {

using Kind = emf::PlaybackFailure::Kind;

std::optional<emf::PlaybackFailure> writeAll(QIODevice &device, const QByteArray &bytes)
{
    if (device.write(bytes) != bytes.size())
        return emf::PlaybackFailure{Kind::End, 0, {}};
    return std::nullopt;
}

} // namespace

std::vector<int> allPages(int count)
{
    std::vector<int> order(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 1);
    return order;
}

std::optional<emf::PlaybackFailure> writeDocument(const std::vector<int> &order,
                                                  const emf::PageSource &source, QIODevice &device,
                                                  const QString &title)
{
    if (order.empty())
        return emf::PlaybackFailure{Kind::Missing, 0, {}};
    PdfWriter writer(title);
    std::optional<QByteArray> body;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || order[k] != order[k - 1])
            body = source(order[k]);
        if (!body)
            return emf::PlaybackFailure{Kind::Missing, order[k], {}};
        QString why;
        const PlayResult r = writer.addPage(*body, &why);
        if (r == PlayResult::Damaged)
            return emf::PlaybackFailure{Kind::Play, order[k], why};
        if (r == PlayResult::Unsupported)
            return writeDocumentThroughQt(order, source, device, title);
    }
    return writeAll(device, writer.finish());
}

StreamedDocument::StreamedDocument(const QString &title)
    : m_title(title), m_writer(std::make_unique<PdfWriter>(title))
{
}

StreamedDocument::~StreamedDocument() = default;

void StreamedDocument::add(const QByteArray &metafile)
{
    m_pages.push_back(metafile);
    if (m_failure || m_throughQt)
        return;
    QString why;
    const PlayResult r = m_writer->addPage(metafile, &why);
    if (r == PlayResult::Damaged)
        m_failure = emf::PlaybackFailure{Kind::Play, int(m_pages.size()), why};
    else if (r == PlayResult::Unsupported)
        m_throughQt = true;
}

std::optional<emf::PlaybackFailure> StreamedDocument::finish(QIODevice &device)
{
    if (m_failure)
        return m_failure;
    if (m_pages.empty())
        return emf::PlaybackFailure{Kind::Missing, 0, {}};
    if (m_throughQt)
        return writeDocumentThroughQt(
            allPages(int(m_pages.size())),
            [this](int n) { return std::optional<QByteArray>(m_pages[std::size_t(n - 1)]); }, device,
            m_title);
    return writeAll(device, m_writer->finish());
}

std::optional<emf::PlaybackFailure> writeDocumentThroughQt(const std::vector<int> &order,
                                                           const emf::PageSource &source, QIODevice &device,
                                                           const QString &title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Accrua"));
        writer.setTitle(title);
        writer.setResolution(1200);
        if (auto failure = emf::playPages(writer, order, source, [&writer] {
                return QRectF(writer.pageLayout().fullRectPixels(writer.resolution()));
            }))
            return failure;
    }
    return writeAll(device, buffer.data());
}

} // namespace accrua::engine::pdf
